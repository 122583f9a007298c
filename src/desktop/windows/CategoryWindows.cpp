#include "windows/CategoryWindows.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/Categories.h"
#include "store/CatalogueStore.h"
#include "text/AsciiFold.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"

namespace declarium {

namespace {

using K = ControlKind;
constexpr ControlTemplate kFileFunctionsControls[] = {
    {file_control::kLabel, K::Static, u"添加到分类：", 5, 5, 270, 10, kNoStyle},
    {file_control::kOutside, K::ListBox, nullptr, 5, 18, 110, 150, kVScroll},
    {file_control::kTypeAhead, K::Edit, nullptr, 5, 170, 110, 13, kNoStyle},
    {file_control::kAdd, K::Button, u"添加>>", 120, 70, 40, 15, kNoStyle},
    {file_control::kRemove, K::Button, u"<<移除", 120, 92, 40, 15, kNoStyle},
    {file_control::kInside, K::ListBox, nullptr, 165, 18, 110, 165, kVScroll},
    {file_control::kOk, K::Button, u"确定", 170, 190, 50, 15, kDefaultButton},
    {file_control::kCancel, K::Button, u"取消", 225, 190, 50, 15, kNoStyle},
};

constexpr ControlTemplate kChooseCategoryControls[] = {
    {choose_control::kCategories, K::ListBox, nullptr, 5, 5, 150, 120, kVScroll},
    {choose_control::kOk, K::Button, u"确定", 50, 130, 50, 15, kDefaultButton},
    {choose_control::kCancel, K::Button, u"取消", 105, 130, 50, 15, kNoStyle},
};

void FillList(ListBox* list, const std::vector<EntryRow>& rows) {
  list->Reset();
  for (const EntryRow& row : rows) list->AddRow(FromGbk(row.name), row.id);
}

// The two lists of "函数分类" with the rows they show; a move changes only these.
class FilingLists {
 public:
  FilingLists(Window& w, CatalogueStore& store, int categoryId)
      : w_(w),
        store_(store),
        categoryId_(categoryId),
        outside_(w.listBox(file_control::kOutside)),
        inside_(w.listBox(file_control::kInside)) {}

  void Fill() {
    const bool outsideRead = FunctionsNotInCategory(store_, categoryId_, outsideRows_);
    const bool insideRead = FunctionsInCategory(store_, categoryId_, insideRows_);
    FillList(outside_, outsideRows_);
    FillList(inside_, insideRows_);
    if (!outsideRead) {
      w_.MessageBox(QStringLiteral("显示欲分类函数失败！"), kMbIconError);
    } else if (!insideRead) {
      w_.MessageBox(QStringLiteral("显示被分类函数失败！"), kMbIconError);
    }
  }

  void Move(bool toInside) {
    ListBox* from = toInside ? outside_ : inside_;
    ListBox* to = toInside ? inside_ : outside_;
    std::vector<EntryRow>& fromRows = toInside ? outsideRows_ : insideRows_;
    std::vector<EntryRow>& toRows = toInside ? insideRows_ : outsideRows_;
    const int row = from->Selection();
    if (row < 0 || row >= static_cast<int>(fromRows.size()) || fromRows[row].id == 0) return;
    const EntryRow moved = fromRows[row];
    const int next = MoveFilingRow(fromRows, toRows, row);
    to->AddRow(FromGbk(moved.name), moved.id);
    from->DeleteRow(row);
    from->SetSelection(next);
  }

  void TypeAhead(const QString& typed) {
    const int row = FirstRowWithPrefix(outsideRows_, ToGbk(typed));
    if (row >= 0) outside_->SetSelection(row);
  }

  void Confirm() {
    std::vector<int> ids;
    for (const EntryRow& row : insideRows_) ids.push_back(row.id);
    std::string error;
    if (FileFunctions(store_, categoryId_, ids, error) != static_cast<int>(ids.size())) {
      w_.MessageBox(QStringLiteral("添加函数到分类失败！"), kMbIconError);
      return;
    }
    w_.EndWithResult(file_control::kOk);
  }

 private:
  Window& w_;
  CatalogueStore& store_;
  int categoryId_;
  ListBox* outside_;
  ListBox* inside_;
  std::vector<EntryRow> outsideRows_, insideRows_;
};

}  // namespace

const WindowTemplate kFileFunctionsTemplate{resource::kFileFunctions, u"函数分类", nullptr, 280, 210, {},
                                            kFileFunctionsControls};
const WindowTemplate kChooseCategoryTemplate{resource::kChooseCategory, u"选择分类", nullptr, 160, 150, {},
                                             kChooseCategoryControls};

bool RunFileFunctionsWindow(QWidget* owner, CatalogueStore& store, int categoryId, const QString& categoryText) {
  std::unique_ptr<FilingLists> lists;
  const int result = Window::RunModal(kFileFunctionsTemplate, owner, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    w.SetItemText(file_control::kLabel, QStringLiteral("添加到分类：") + categoryText);
    lists = std::make_unique<FilingLists>(w, store, categoryId);
    FilingLists* l = lists.get();
    l->Fill();
    QObject::connect(w.button(file_control::kAdd), &QAbstractButton::clicked, &w, [l] { l->Move(true); });
    QObject::connect(w.button(file_control::kRemove), &QAbstractButton::clicked, &w, [l] { l->Move(false); });
    QObject::connect(w.listBox(file_control::kOutside), &ListBox::doubleClicked, &w, [l](int) { l->Move(true); });
    QObject::connect(w.listBox(file_control::kInside), &ListBox::doubleClicked, &w, [l](int) { l->Move(false); });
    // Only what the user types searches; the box is never set by the program.
    QObject::connect(w.editBox(file_control::kTypeAhead), &QLineEdit::textEdited, &w,
                     [l](const QString& typed) { l->TypeAhead(typed); });
    QObject::connect(w.button(file_control::kOk), &QAbstractButton::clicked, &w, [l] { l->Confirm(); });
    QObject::connect(w.button(file_control::kCancel), &QAbstractButton::clicked, &w,
                     [&w] { w.EndWithResult(file_control::kCancel); });
  });
  return result == file_control::kOk;
}

bool RunChooseCategoryWindow(QWidget* owner, CatalogueStore& store, int functionId) {
  const int result = Window::RunModal(kChooseCategoryTemplate, owner, [&](Window& w) {
    w.SetIcon(ApplicationIcon());
    ListBox* list = w.listBox(choose_control::kCategories);
    std::vector<EntryRow> rows;
    const bool read = ListCategories(store, rows);
    FillList(list, rows);
    list->SetSelection(list->Count() > 0 ? 0 : -1);
    if (!read) w.MessageBox(QStringLiteral("列出分类列表错误！"), kMbIconError);
    QObject::connect(w.button(choose_control::kOk), &QAbstractButton::clicked, &w, [&w, &store, list, functionId] {
      const int row = list->Selection();
      if (row < 0) {
        w.MessageBox(QStringLiteral("请选择分类！"), kMbIconInformation);
        return;
      }
      std::string error;
      if (!FileFunction(store, static_cast<int>(list->RowData(row)), functionId, error)) {
        w.MessageBox(QStringLiteral("分类失败！"), kMbIconError);
        return;
      }
      w.EndWithResult(choose_control::kOk);
    });
    QObject::connect(w.button(choose_control::kCancel), &QAbstractButton::clicked, &w,
                     [&w] { w.EndWithResult(choose_control::kCancel); });
  });
  return result == choose_control::kOk;
}

}  // namespace declarium
