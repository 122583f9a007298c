#include "windows/DetailPage.h"

#include <QTimer>
#include <string>

#include "catalogue/CellEditing.h"
#include "output/DetailPages.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/Messages.h"

namespace declarium {

namespace {

constexpr int kNoteMs = 3000;

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

DetailPage::DetailPage(Window& window, CatalogueStore& store, const Settings& settings, BrowserHost* browser,
                       MultiLineEdit* entryText, StatusBar* status)
    : QObject(&window),
      window_(window),
      store_(store),
      settings_(settings),
      browser_(browser),
      entryText_(entryText),
      status_(status) {
  connect(browser_, &BrowserHost::leftButtonDown, this, [this](QPoint p, bool* passOn) { *passOn = ClickCell(p); });
  connect(browser_, &BrowserHost::doubleClicked, this, [this](QPoint p, bool* passOn) { *passOn = EditCell(p); });
  connect(browser_, &BrowserHost::keyPressed, this,
          [this](int key, Qt::KeyboardModifiers modifiers) { DocumentKey(key, modifiers); });
}

bool DetailPage::Show(const char16_t* table, int id) {
  DetailDocument doc;
  if (!BuildDetailDocument(store_, ToGbk(QString::fromUtf16(table)), id, settings_.language, doc,
                           Native64(settings_.style, settings_.language))) {
    ShowReadError(store_);
    return false;
  }
  browser_->WritePageGbk(doc.html);
  hintShown_ = false;
  // The name leaves no earlier view's entry in the status bar; a status
  // part shows one line, so a huge name is cut.
  status_->SetPartText(0, FromGbk(doc.name).left(256));
  status_->SetPartText(1, FromGbk(doc.remark));
  entryText_->SetText(FromGbk(doc.entryText));
  return true;
}

void DetailPage::ShowEmptyCatalogueHint(bool empty) {
  if (empty) {
    browser_->WritePage(
        QStringLiteral("<p><b>数据库中还没有任何 API 数据。</b></p>"
                       "<p>添加声明：选择菜单“数据 → 新增API数据”，粘贴易语言、C# 或 VB 的声明，"
                       "再按“全部添加”。</p>"
                       "<p>从源代码运行时，scripts/run 会以生成的 Windows API 数据库启动本程序。</p>"));
    hintShown_ = true;
  } else if (hintShown_) {
    browser_->Navigate(QStringLiteral("about:blank"));
    hintShown_ = false;
  }
}

void DetailPage::Clear() {
  if (!hintShown_) browser_->Navigate(QStringLiteral("about:blank"));
  entryText_->SetText(QString());
  status_->SetPartText(0, QString());
  status_->SetPartText(1, QString());
}

void DetailPage::SetEntryText(const QString& text) { entryText_->SetText(text); }

void DetailPage::SetStatus(int part, const QString& text) { status_->SetPartText(part, text); }

void DetailPage::ShowNote(const QString& note) {
  const QString before = status_->PartText(0);
  status_->SetPartText(0, note);
  QTimer::singleShot(kNoteMs, this, [this, note, before] {
    if (status_->PartText(0) == note) status_->SetPartText(0, before);
  });
}

void DetailPage::DocumentKey(int key, Qt::KeyboardModifiers modifiers) {
  const Qt::KeyboardModifiers held = modifiers & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
  if (held != Qt::ControlModifier) return;
  if (key == Qt::Key_C) browser_->Copy();
  if (key == Qt::Key_V) browser_->Paste();
}

bool DetailPage::ClickCell(QPoint point) {
  const PageCell cell = ReadCell(*browser_, point);
  if (!cell.Attributed()) return true;
  if (IsTypeNameCell(cell.table, cell.field)) {
    entryText_->SetText(cell.text);
    if (typeNameClicked) typeNameClicked(cell.text);
    return true;
  }
  // Swallowed, so that a later double click toggles the cell cleanly.
  if (IsYesNoCell(cell.table, cell.field)) return false;
  entryText_->SetText(cell.text);
  return true;
}

bool DetailPage::EditCell(QPoint point) {
  const PageCell cell = ReadCell(*browser_, point);
  if (!cell.Attributed()) return true;
  if (IsYesNoCell(cell.table, cell.field)) {
    const YesNoToggle toggle = ToggleYesNo(ToGbk(cell.text));
    if (UpdateCell(store_, cell.table, cell.field, cell.id, toggle.value, CellKind::Int) != CellUpdate::Written) {
      return true;
    }
    browser_->SetInnerText(cell.element, FromGbk(toggle.text));
    return false;
  }
  entryText_->SetText(cell.text);
  const QString prompt = FromGbk(EditPrompt(store_, cell.table, cell.id, cell.field));
  const InputResult input = Services().InputBox(&window_, prompt, QStringLiteral("修改内容"), cell.text);
  if (!input.confirmed || input.text == cell.text) return true;
  if (!GbkHolds(input.text)) {
    window_.MessageBox(QStringLiteral("修改失败！\r\n") + NotInGbkMessage(), kMbIconWarning);
    return true;
  }
  const std::string value = ToGbk(input.text);
  switch (UpdateCell(store_, cell.table, cell.field, cell.id, value, CellKind::Text)) {
    case CellUpdate::Written: browser_->SetInnerText(cell.element, input.text); return false;
    case CellUpdate::DuplicateName: window_.MessageBox(FromGbk(DuplicateNameMessage()), kMbIconWarning); return true;
    default: return true;
  }
}

}  // namespace declarium
