// Edits, drop-down list, tab control and hotkey control.
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

#include "toolkit/Controls.h"
#include "toolkit/QtText.h"

namespace declarium {

// ----- EditBox ---------------------------------------------------------------

EditBox::EditBox(QWidget* parent) : QLineEdit(parent) {}

QString EditBox::Text() const { return text(); }

void EditBox::SetText(const QString& text) { setText(text); }

void EditBox::SelectRange(int start, int end) {
  const int length = static_cast<int>(text().size());
  if (start < 0) start = 0;
  if (start > length) start = length;
  if (end < 0 || end > length) end = length;
  if (end < start) end = start;
  setSelection(start, end - start);
}

// ----- MultiLineEdit ---------------------------------------------------------

MultiLineEdit::MultiLineEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &MultiLineEdit::textEdited);
}

QString MultiLineEdit::Text() const { return LfToCrLf(toPlainText()); }

void MultiLineEdit::SetText(const QString& text) {
  QString shown = CrLfToLf(text);
  shown.replace(u'\r', u'\n');
  setPlainText(shown);
}

void MultiLineEdit::SelectRange(int start, int end) {
  QTextCursor cursor(document());
  const int length = static_cast<int>(document()->characterCount()) - 1;
  if (start < 0) start = 0;
  if (start > length) start = length;
  if (end < 0 || end > length) end = length;
  if (end < start) end = start;
  cursor.setPosition(start);
  cursor.setPosition(end, QTextCursor::KeepAnchor);
  setTextCursor(cursor);
}

void MultiLineEdit::SetWantReturn(bool on) { wantReturn_ = on; }

void MultiLineEdit::SetWrap(bool on) { setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); }

void MultiLineEdit::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && !wantReturn_) {
    if (event->modifiers() & Qt::ControlModifier) {
      insertPlainText(QStringLiteral("\n"));
      event->accept();
      return;
    }
    event->ignore();  // the dialog's default button takes it
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

// ----- DropDownList ----------------------------------------------------------

DropDownList::DropDownList(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!silent_) emit selectionChanged(index);
  });
}

void DropDownList::Reset() {
  silent_ = true;
  clear();
  silent_ = false;
}

int DropDownList::AddItem(const QString& text, qint64 itemData) {
  silent_ = true;
  addItem(text, QVariant::fromValue(itemData));
  // A platform drop-down list starts with no selection.
  if (count() == 1) setCurrentIndex(-1);
  silent_ = false;
  return count() - 1;
}

int DropDownList::Selection() const { return currentIndex(); }

void DropDownList::SetSelection(int index) {
  silent_ = true;
  setCurrentIndex(index >= 0 && index < count() ? index : -1);
  silent_ = false;
}

qint64 DropDownList::ItemData(int index) const {
  if (index < 0 || index >= count()) return 0;
  return itemData(index).toLongLong();
}

QString DropDownList::ItemText(int index) const { return itemText(index); }

// ----- TabControl ------------------------------------------------------------

TabControl::TabControl(QWidget* parent) : QTabBar(parent) {
  setDrawBase(true);
  setExpanding(false);
  connect(this, &QTabBar::currentChanged, this, [this](int index) {
    if (!silent_) emit selectionChanged(index);
  });
}

int TabControl::AddTab(const QString& text, qint64 itemData) {
  silent_ = true;
  const int index = addTab(text);
  setTabData(index, QVariant::fromValue(itemData));
  silent_ = false;
  return index;
}

int TabControl::Selection() const { return currentIndex(); }

void TabControl::SetSelection(int index) {
  silent_ = true;
  if (index >= 0 && index < count()) setCurrentIndex(index);
  silent_ = false;
}

qint64 TabControl::TabData(int index) const {
  if (index < 0 || index >= count()) return 0;
  return tabData(index).toLongLong();
}

// ----- HotkeyEdit ------------------------------------------------------------

HotkeyEdit::HotkeyEdit(QWidget* parent) : QLineEdit(parent) {
  setReadOnly(true);
  setContextMenuPolicy(Qt::NoContextMenu);
  ShowHotkey();
}

namespace {
constexpr Qt::KeyboardModifiers kHotkeyModifiers = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
}  // namespace

void HotkeyEdit::SetHotkey(int keyCode, Qt::KeyboardModifiers modifiers) {
  keyCode_ = keyCode & 0xFF;
  modifiers_ = modifiers & kHotkeyModifiers;
  ShowHotkey();
}

void HotkeyEdit::ShowHotkey() {
  if (keyCode_ == 0) {
    setText(QStringLiteral("无"));
    return;
  }
  QString text;
  if (modifiers_ & Qt::ControlModifier) text += QStringLiteral("Ctrl + ");
  if (modifiers_ & Qt::ShiftModifier) text += QStringLiteral("Shift + ");
  if (modifiers_ & Qt::AltModifier) text += QStringLiteral("Alt + ");
  const int qtKey = QtKeyFromVirtualKey(keyCode_);
  const QString name = qtKey ? QKeySequence(qtKey).toString(QKeySequence::NativeText)
                             : QStringLiteral("0x%1").arg(keyCode_, 2, 16, QLatin1Char('0'));
  setText(text + name);
}

namespace {
bool IsPlainEscape(const QKeyEvent& key) {
  return key.key() == Qt::Key_Escape && (key.modifiers() & kHotkeyModifiers) == 0;
}
}  // namespace

bool HotkeyEdit::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab && !IsPlainEscape(*key)) {
      event->accept();
      return true;
    }
  }
  return QLineEdit::event(event);
}

void HotkeyEdit::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
    QLineEdit::keyPressEvent(event);
    return;
  }
  // Esc alone closes the dialog, as everywhere else in it.
  if (IsPlainEscape(*event)) {
    event->ignore();
    return;
  }
  if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta) {
    event->accept();
    return;
  }
  const Qt::KeyboardModifiers modifiers = event->modifiers() & kHotkeyModifiers;
  if ((key == Qt::Key_Backspace || key == Qt::Key_Delete) && modifiers == Qt::NoModifier) {
    SetHotkey(0, Qt::NoModifier);
    emit hotkeyChanged();
    event->accept();
    return;
  }
  const int vk = VirtualKeyFromQtKey(key);
  if (vk != 0) {
    SetHotkey(vk, modifiers);
    emit hotkeyChanged();
  }
  event->accept();
}

// ----- virtual keys ----------------------------------------------------------

namespace {
struct KeyPair {
  int qt;
  int vk;
};
constexpr KeyPair kKeyPairs[] = {
    {Qt::Key_Backspace, 0x08},   {Qt::Key_Tab, 0x09},       {Qt::Key_Return, 0x0D},       {Qt::Key_Enter, 0x0D},
    {Qt::Key_Pause, 0x13},       {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},       {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},      {Qt::Key_PageDown, 0x22},  {Qt::Key_End, 0x23},          {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25},        {Qt::Key_Up, 0x26},        {Qt::Key_Right, 0x27},        {Qt::Key_Down, 0x28},
    {Qt::Key_Print, 0x2C},       {Qt::Key_Insert, 0x2D},    {Qt::Key_Delete, 0x2E},       {Qt::Key_NumLock, 0x90},
    {Qt::Key_ScrollLock, 0x91},  {Qt::Key_Semicolon, 0xBA}, {Qt::Key_Equal, 0xBB},        {Qt::Key_Comma, 0xBC},
    {Qt::Key_Minus, 0xBD},       {Qt::Key_Period, 0xBE},    {Qt::Key_Slash, 0xBF},        {Qt::Key_QuoteLeft, 0xC0},
    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_Backslash, 0xDC}, {Qt::Key_BracketRight, 0xDD}, {Qt::Key_Apostrophe, 0xDE},
    {Qt::Key_Asterisk, 0x6A},    {Qt::Key_Plus, 0x6B},
};
}  // namespace

int VirtualKeyFromQtKey(int qtKey) {
  if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;  // same codes
  if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
  for (const KeyPair& pair : kKeyPairs)
    if (pair.qt == qtKey) return pair.vk;
  return 0;
}

int QtKeyFromVirtualKey(int virtualKey) {
  if (virtualKey >= 0x41 && virtualKey <= 0x5A) return virtualKey;
  if (virtualKey >= 0x30 && virtualKey <= 0x39) return virtualKey;
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return Qt::Key_F1 + (virtualKey - 0x70);
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return Qt::Key_0 + (virtualKey - 0x60);
  for (const KeyPair& pair : kKeyPairs)
    if (pair.vk == virtualKey) return pair.qt;
  return 0;
}

}  // namespace declarium
