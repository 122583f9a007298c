// The browse views at work: filling the category tree, showing the selected
// entry, double clicks, the insert list, the constants pages, the copy
// commands, the statistics, and the clicks on the detail page's cells.
#include <QAbstractButton>
#include <QGuiApplication>
#include <QSignalBlocker>
#include <string>
#include <vector>

#include "catalogue/Categories.h"
#include "catalogue/CellEditing.h"
#include "catalogue/ConstantPaging.h"
#include "catalogue/Statistics.h"
#include "model/Commands.h"
#include "output/CopyText.h"
#include "output/DetailPages.h"
#include "text/AsciiFold.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"

namespace declarium {

namespace {

std::string Gbk(const char16_t* text) { return ToGbk(QString::fromUtf16(text)); }

// Ctrl 1, Shift 2, Alt 4, as held at this moment.
int HeldModifierMask() {
  const Qt::KeyboardModifiers held = QGuiApplication::keyboardModifiers();
  return (held & Qt::ControlModifier ? 1 : 0) | (held & Qt::ShiftModifier ? 2 : 0) |
         (held & Qt::AltModifier ? 4 : 0);
}

// The leading decimal digits of an element id; 0 when it has none.
int LeadingInteger(const QString& text) {
  long long value = 0;
  for (QChar c : text) {
    if (c < u'0' || c > u'9') break;
    value = value * 10 + (c.unicode() - u'0');
    if (value > 0x7fffffff) return 0;
  }
  return static_cast<int>(value);
}

struct PageCell {
  BrowserHost::Element element = BrowserHost::kNoElement;
  int id = 0;
  std::string table;  // GBK
  std::string field;  // GBK
  QString text;
  bool Attributed() const { return id != 0 && !table.empty() && !field.empty(); }
};

PageCell ReadCell(const BrowserHost& browser, QPoint point) {
  PageCell cell;
  cell.element = browser.ElementAt(point);
  if (cell.element == BrowserHost::kNoElement) return cell;
  cell.id = LeadingInteger(browser.Attribute(cell.element, QStringLiteral("id")));
  cell.table = ToGbk(browser.Attribute(cell.element, QStringLiteral("TableName")));
  cell.field = ToGbk(browser.Attribute(cell.element, QStringLiteral("FieldName")));
  cell.text = browser.InnerText(cell.element);
  return cell;
}

}  // namespace

void MainWindow::WireBrowseEvents() {
  connect(categoryTree_, &TreeView::selectionChanged, this,
          [this](QTreeWidgetItem* item) { ShowTreeFunction(item); });
  connect(constantList_, &ReportView::selectionChanged, this, [this](int row) {
    if (row >= 0) constantList_->setFocus();
  });
  connect(constantList_, &ReportView::cellClickedAt, this,
          [this](int row, int column) { ClickConstantCell(row, column); });
  connect(insertList_, &ListBox::selectionChanged, this, [this](int) { LocateInsertListEntry(); });

  connect(functionList_, &ListBox::doubleClicked, this, [this](int) { DoubleClickEntry(0, HeldModifierMask()); });
  connect(categoryTree_, &TreeView::doubleClicked, this,
          [this](QTreeWidgetItem*) { DoubleClickEntry(1, HeldModifierMask()); });
  connect(dataTypeList_, &ListBox::doubleClicked, this, [this](int) { DoubleClickEntry(2, HeldModifierMask()); });
  connect(constantList_, &ReportView::doubleClicked, this,
          [this](int, int) { DoubleClickEntry(3, HeldModifierMask()); });

  connect(copyButton_, &QAbstractButton::clicked, this, [this] { CopyInsertListDeclarations(); });
  for (int i = 0; i < 4; ++i) {
    connect(pagingButtons_[i], &QAbstractButton::clicked, this, [this, i] { PageCommand(i); });
  }

  connect(detailBrowser_, &BrowserHost::leftButtonDown, this,
          [this](QPoint p, bool* passOn) { *passOn = ClickCell(p); });
  connect(detailBrowser_, &BrowserHost::doubleClicked, this,
          [this](QPoint p, bool* passOn) { *passOn = EditCell(p); });
  connect(detailBrowser_, &BrowserHost::keyPressed, this,
          [this](int key, int modifiers) { DocumentKey(key, modifiers); });
}

// ----- lists ---------------------------------------------------------------

bool MainWindow::FillCategoryTree(bool force) {
  if (categoryTree_->FirstItem() != nullptr && !force) return true;
  std::vector<CategoryNode> nodes;
  const bool ok = LoadCategoryTree(store_, nodes);
  // Refilling is no selection by the user: no page is shown for it.
  const QSignalBlocker quiet(categoryTree_);
  categoryTree_->Reset();
  for (const CategoryNode& node : nodes) {
    TreeView::Item root = categoryTree_->AddItem(nullptr, FromGbk(node.name), 0, node.id);
    for (const IdNameRow& f : node.functions) categoryTree_->AddItem(root, FromGbk(f.name), 1, f.id);
  }
  return ok;
}

bool MainWindow::ShowEntry(const char16_t* table, ListBox* list) {
  const int row = list->Selection();
  if (row < 0) return false;
  const int id = static_cast<int>(list->RowData(row));
  if (id == 0) return false;
  DetailDocument doc;
  if (!BuildDetailDocument(store_, Gbk(table), id, settings_.language, doc)) {
    PlainMessageBox(QStringLiteral("获取数据错误！"), kMbIconError);
    return false;
  }
  detailBrowser_->WritePageGbk(doc.html);
  statusBar_->SetPartText(1, FromGbk(doc.remark));
  entryTextBox_->SetText(FromGbk(doc.entryText));
  return true;
}

void MainWindow::ShowSelectedFunction() {
  const int row = functionList_->Selection();
  if (row < 0 || functionList_->RowData(row) == 0) return;
  if (!ShowEntry(u"函数表", functionList_)) return;
  statusBar_->SetPartText(0, functionList_->RowText(row));
  entryTextBox_->SetText(functionList_->RowText(row));
  functionList_->setFocus();
}

void MainWindow::ShowSelectedDataType() {
  const int row = dataTypeList_->Selection();
  if (row < 0 || dataTypeList_->RowData(row) == 0) return;
  if (!ShowEntry(u"数据类型表", dataTypeList_)) return;
  entryTextBox_->SetText(dataTypeList_->RowText(row));
  dataTypeList_->setFocus();
}

void MainWindow::SelectTreeFunction(QTreeWidgetItem* item) {
  {
    const QSignalBlocker quiet(categoryTree_);
    categoryTree_->Select(item);
  }
  categoryTree_->scrollToItem(item);
  ShowTreeFunction(item);
}

void MainWindow::ShowTreeFunction(QTreeWidgetItem* item) {
  if (item == nullptr || TreeView::ParentOf(item) == nullptr) return;
  const int id = static_cast<int>(TreeView::ItemData(item));
  if (id == 0) return;
  DetailDocument doc;
  if (!BuildDetailDocument(store_, Gbk(u"函数表"), id, settings_.language, doc)) {
    PlainMessageBox(QStringLiteral("获取数据错误！"), kMbIconError);
    return;
  }
  detailBrowser_->WritePageGbk(doc.html);
  statusBar_->SetPartText(1, FromGbk(doc.remark));
  entryTextBox_->SetText(TreeView::ItemText(item));
  categoryTree_->setFocus();
}

void MainWindow::DoubleClickEntry(int kind, int modifierMask) {
  if (modifierMask == 1) {
    static constexpr int kCopyCommands[] = {command::kFunctionCopy, command::kTreeCopy, command::kDataTypeCopy,
                                            command::kConstantCopy};
    if (kind >= 0 && kind < 4) DispatchCommand(kCopyCommands[kind]);
    return;
  }
  AddToInsertList(kind);
}

// ----- the selected entry ----------------------------------------------------

namespace {

struct SelectedEntry {
  bool found = false;
  int id = 0;
  QString text;
};

}  // namespace

static SelectedEntry SelectedOf(int kind, ListBox* functions, TreeView* tree, ListBox* dataTypes,
                                ReportView* constants) {
  SelectedEntry e;
  if (kind == 0 || kind == 2) {
    ListBox* list = kind == 0 ? functions : dataTypes;
    const int row = list->Selection();
    if (row < 0) return e;
    e = {true, static_cast<int>(list->RowData(row)), list->RowText(row)};
  } else if (kind == 1) {
    TreeView::Item item = tree->Selected();
    if (item == nullptr || TreeView::ParentOf(item) == nullptr) return e;
    e = {true, static_cast<int>(TreeView::ItemData(item)), TreeView::ItemText(item)};
  } else if (kind == 3) {
    const int row = constants->Selection();
    if (row < 0) return e;
    e = {true, static_cast<int>(constants->RowData(row)), constants->CellText(row, 0)};
  }
  return e;
}

void MainWindow::CopySelectedDeclaration(int kind) {
  const SelectedEntry e = SelectedOf(kind, functionList_, categoryTree_, dataTypeList_, constantList_);
  if (!e.found || e.id == 0) return;
  std::string text;
  switch (SelectedDeclaration(store_, kind, e.id, settings_.language, settings_.style, text)) {
    case CopyResult::Copied:
      Services().SetClipboardText(FromGbk(text));
      Services().Beep();
      break;
    case CopyResult::Failed: window_->MessageBox(QStringLiteral("复制失败！"), kMbIconError); break;
    case CopyResult::Nothing: break;
  }
}

void MainWindow::CopyInsertListDeclarations() {
  if (insertEntries_.size() == 0) return;
  std::vector<InsertListEntry> entries;
  for (const InsertEntry& e : insertEntries_.entries()) entries.push_back({e.text, e.id, e.kind});
  std::string text;
  switch (InsertListDeclarations(store_, entries, settings_.language, settings_.style, text)) {
    case CopyResult::Copied:
      Services().SetClipboardText(FromGbk(text));
      Services().Beep();
      break;
    case CopyResult::Failed: window_->MessageBox(QStringLiteral("复制失败！"), kMbIconError); break;
    case CopyResult::Nothing: break;
  }
}

// ----- insert list ---------------------------------------------------------------

void MainWindow::AddToInsertList(int kind) {
  const SelectedEntry e = SelectedOf(kind, functionList_, categoryTree_, dataTypeList_, constantList_);
  if (!e.found || e.id == 0) return;
  const InsertAdd added = insertEntries_.Add(ToGbk(e.text), e.id, kind);
  if (added.added) {
    insertList_->AddRow(e.text, e.id);
  } else if (added.index >= 0) {
    insertList_->SetSelection(added.index);
  }
}

void MainWindow::RemoveInsertListEntry() {
  const int row = insertList_->Selection();
  if (row < 0) return;
  insertEntries_.Remove(row);
  insertList_->DeleteRow(row);
}

void MainWindow::RemoveAllInsertListEntries() {
  insertEntries_.Clear();
  insertList_->Reset();
}

void MainWindow::LocateInsertListEntry() {
  insertList_->setFocus();
  const int row = insertList_->Selection();
  if (row < 0) return;
  const int id = static_cast<int>(insertList_->RowData(row));
  if (id == 0) return;
  const QString text = insertList_->RowText(row);
  switch (insertEntries_.KindOfText(ToGbk(text))) {
    case 0: {
      DispatchCommand(command::kBrowseFunctions);
      const int found = functionList_->FindPrefix(text);
      if (found < 0) return;
      functionList_->SetSelection(found);
      ShowSelectedFunction();
      break;
    }
    case 2: {
      DispatchCommand(command::kBrowseDataTypes);
      const int found = dataTypeList_->FindPrefix(text);
      if (found < 0) return;
      dataTypeList_->SetSelection(found);
      ShowSelectedDataType();
      break;
    }
    case 3:
      SwitchView(3);
      PositionOnConstant(ConstantNameById(store_, id));
      break;
    case 1: {
      DispatchCommand(command::kBrowseCategories);
      // Depth first: a category, then its functions, then the next category.
      TreeView::Item match = nullptr;
      for (TreeView::Item root = categoryTree_->FirstItem(); root != nullptr && match == nullptr;
           root = categoryTree_->NextSibling(root)) {
        if (root->childCount() == 0 && TreeView::ItemData(root) == id) {
          match = root;
          break;
        }
        for (TreeView::Item child = categoryTree_->FirstChild(root); child != nullptr;
             child = categoryTree_->NextSibling(child)) {
          if (child->childCount() == 0 && TreeView::ItemData(child) == id) {
            match = child;
            break;
          }
        }
      }
      if (match == nullptr) return;
      SelectTreeFunction(match);
      break;
    }
    default:
      break;
  }
}

// ----- constants -----------------------------------------------------------------

bool MainWindow::RefreshConstantPage() {
  std::vector<ConstantRow> rows;
  if (!LoadConstantPage(store_, constantPageOffset_, rows)) {
    PlainMessageBox(QStringLiteral("获取数据错误！"), kMbIconError);
    return false;
  }
  const QSignalBlocker quiet(constantList_);
  constantList_->setUpdatesEnabled(false);
  const int selected = constantList_->Selection();
  constantList_->Reset();
  for (const ConstantRow& c : rows) {
    const int r = constantList_->AddRow(FromGbk(c.name), c.id);
    constantList_->SetCellText(r, 1, FromGbk(c.hexValue));
    constantList_->SetCellText(r, 2, FromGbk(c.decimalValue));
    constantList_->SetCellText(r, 3, FromGbk(c.remark));
  }
  if (selected >= 0 && selected < constantList_->Count()) constantList_->SetSelection(selected);
  constantList_->setUpdatesEnabled(true);
  return true;
}

void MainWindow::PageCommand(int button) {
  PageMove move;
  switch (button) {
    case 0: move = FirstPage(constantPageOffset_); break;
    case 1: move = PreviousPage(constantPageOffset_); break;
    case 2: move = NextPage(constantPageOffset_, CountConstants(store_)); break;
    case 3: move = LastPage(constantPageOffset_, CountConstants(store_)); break;
    default: return;
  }
  if (!move.changed) return;
  constantPageOffset_ = move.offset;
  RefreshConstantPage();
}

void MainWindow::PositionOnConstant(const std::string& gbkName) { PlaceOnConstant(gbkName, false); }

bool MainWindow::PlaceOnConstant(const std::string& gbkName, bool byPrefix) {
  PageMove move;
  if (!PageMoveToConstant(store_, gbkName, constantPageOffset_, move)) return false;
  // A page never read yet (the view not shown so far) is read as well.
  if (move.changed || constantList_->Count() == 0) {
    constantPageOffset_ = move.offset;
    RefreshConstantPage();
  }
  for (int r = 0; r < constantList_->Count(); ++r) {
    const std::string name = ToGbk(constantList_->CellText(r, 0));
    if (byPrefix ? StartsWithIgnoringAsciiCase(name, gbkName) : EqualsIgnoringAsciiCase(name, gbkName)) {
      constantList_->SetSelection(r);
      constantList_->EnsureRowVisible(r);
      constantList_->setFocus();
      return true;
    }
  }
  return false;
}

void MainWindow::ClickConstantCell(int row, int column) {
  if (row < 0 || row >= constantList_->Count()) return;
  entryTextBox_->SetText(constantList_->CellText(row, column));
  statusBar_->SetPartText(0, constantList_->CellText(row, 0));
  statusBar_->SetPartText(1, constantList_->CellText(row, 3));
}

void MainWindow::ShowStatistics() {
  window_->MessageBox(FromGbk(StatisticsText(store_)), kMbIconInformation);
}

// ----- the detail page -------------------------------------------------------------

void MainWindow::DocumentKey(int key, int modifiers) {
  const int held = modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (held != Qt::ControlModifier) return;
  if (key == Qt::Key_C) detailBrowser_->Copy();
  if (key == Qt::Key_V) detailBrowser_->Paste();
}

bool MainWindow::ClickCell(QPoint point) {
  const PageCell cell = ReadCell(*detailBrowser_, point);
  if (!cell.Attributed()) return true;
  if (IsTypeNameCell(cell.table, cell.field)) {
    entryTextBox_->SetText(cell.text);
    const int row = dataTypeList_->FindPrefix(cell.text);
    if (row >= 0) {
      dataTypeList_->SetSelection(row);
      DispatchCommand(command::kBrowseDataTypes);
    }
    return true;
  }
  // Swallowed, so that a later double click toggles the cell cleanly.
  if (IsYesNoCell(cell.table, cell.field)) return false;
  entryTextBox_->SetText(cell.text);
  return true;
}

bool MainWindow::EditCell(QPoint point) {
  const PageCell cell = ReadCell(*detailBrowser_, point);
  if (!cell.Attributed()) return true;
  if (IsYesNoCell(cell.table, cell.field)) {
    const YesNoToggle toggle = ToggleYesNo(ToGbk(cell.text));
    if (UpdateCell(store_, cell.table, cell.field, cell.id, toggle.value, CellKind::Int) != CellUpdate::Written) {
      return true;
    }
    detailBrowser_->SetInnerText(cell.element, FromGbk(toggle.text));
    return false;
  }
  entryTextBox_->SetText(cell.text);
  const QString prompt = FromGbk(EditPrompt(store_, cell.table, cell.id, cell.field));
  const InputResult input = Services().InputBox(window_, prompt, QStringLiteral("修改内容"), cell.text);
  if (!input.confirmed || input.text == cell.text) return true;
  if (!GbkHolds(input.text)) {
    window_->MessageBox(QStringLiteral("修改失败！\r\n") + NotInGbkMessage(), kMbIconWarning);
    return true;
  }
  const std::string value = ToGbk(input.text);
  switch (UpdateCell(store_, cell.table, cell.field, cell.id, value, CellKind::Text)) {
    case CellUpdate::Written:
      detailBrowser_->SetInnerText(cell.element, input.text);
      return false;
    case CellUpdate::DuplicateName:
      window_->MessageBox(FromGbk(DuplicateNameMessage()), kMbIconWarning);
      return true;
    default:
      return true;
  }
}

}  // namespace declarium
