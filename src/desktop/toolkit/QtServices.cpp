#include "toolkit/QtServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <utility>

#include "toolkit/Controls.h"
#include "toolkit/GlobalHotkeys.h"
#include "toolkit/Runtime.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"

namespace declarium {

QtServices::QtServices() = default;
QtServices::~QtServices() = default;

int QtServices::ShowMessage(QWidget* owner, const QString& text, int style, const QString& caption) {
  QMessageBox box(owner);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setTextFormat(Qt::PlainText);
  switch (style & 0xF0) {
    case 0x10: box.setIcon(QMessageBox::Critical); break;
    case 0x20: box.setIcon(QMessageBox::Question); break;
    case 0x30: box.setIcon(QMessageBox::Warning); break;
    case 0x40: box.setIcon(QMessageBox::Information); break;
    case kMbUserIcon:
      box.setIconPixmap((owner != nullptr ? owner->window()->windowIcon() : QApplication::windowIcon()).pixmap(32, 32));
      break;
    default: box.setIcon(QMessageBox::NoIcon); break;
  }
  QMessageBox::StandardButtons buttons;
  switch (style & 0x0F) {
    case 1: buttons = QMessageBox::Ok | QMessageBox::Cancel; break;
    case 2: buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore; break;
    case 3: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; break;
    case 4: buttons = QMessageBox::Yes | QMessageBox::No; break;
    case 5: buttons = QMessageBox::Retry | QMessageBox::Cancel; break;
    default: buttons = QMessageBox::Ok; break;
  }
  box.setStandardButtons(buttons);
  // The buttons say what a Chinese system's say, with or without Qt's own
  // translation installed.
  static constexpr std::pair<QMessageBox::StandardButton, const char16_t*> kButtonTexts[] = {
      {QMessageBox::Ok, u"确定"},        {QMessageBox::Cancel, u"取消"},     {QMessageBox::Abort, u"中止(&A)"},
      {QMessageBox::Retry, u"重试(&R)"}, {QMessageBox::Ignore, u"忽略(&I)"}, {QMessageBox::Yes, u"是(&Y)"},
      {QMessageBox::No, u"否(&N)"},
  };
  for (const auto& [which, label] : kButtonTexts)
    if (QAbstractButton* b = box.button(which)) b->setText(QString::fromUtf16(label));
  const FocusReturn focusReturn;
  box.exec();
  switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Ok: return kAnswerOk;
    case QMessageBox::Cancel: return kAnswerCancel;
    case QMessageBox::Abort: return kAnswerAbort;
    case QMessageBox::Retry: return kAnswerRetry;
    case QMessageBox::Ignore: return kAnswerIgnore;
    case QMessageBox::Yes: return kAnswerYes;
    case QMessageBox::No: return kAnswerNo;
    default: break;
  }
  // Closed without a button: the platform reports Cancel, or OK for an OK-only box.
  return (style & 0x0F) == 0 ? kAnswerOk : kAnswerCancel;
}

namespace {

using K = ControlKind;
constexpr ControlTemplate kInputBoxControls[] = {
    {input_box_control::kPrompt, K::Static, nullptr, 5, 5, 230, 20, kNoStyle},
    {input_box_control::kText, K::Edit, nullptr, 5, 28, 230, 60, kMultiLine | kVScroll | kWantReturn},
    {input_box_control::kOk, K::Button, u"确认(&O)", 125, 94, 52, 15, kDefaultButton},
    {input_box_control::kCancel, K::Button, u"取消(&C)", 183, 94, 52, 15, kNoStyle},
};

}  // namespace

const WindowTemplate kInputBoxWindow{kInputBoxTemplate, u"输入框", nullptr, 240, 114, {}, kInputBoxControls};

InputResult QtServices::InputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& initial) {
  using namespace input_box_control;
  QString text;
  const int result = Window::RunModal(kInputBoxWindow, owner, [&](Window& w) {
    // The box carries the icon of the window that asks.
    w.SetIcon(owner != nullptr ? owner->window()->windowIcon() : QApplication::windowIcon());
    w.SetItemText(kPrompt, prompt);
    w.SetCaption(title.isEmpty() ? QStringLiteral("输入框") : title);
    MultiLineEdit* edit = w.multiLineEdit(kText);
    if (edit) {
      edit->SetText(initial);
      edit->setFocus();
      edit->SelectRange(0, -1);
    }
    if (QAbstractButton* ok = w.button(kOk))
      QObject::connect(ok, &QAbstractButton::clicked, &w, [&w, &text, edit] {
        if (edit) text = edit->Text();
        w.EndWithResult(kOk);
      });
    if (QAbstractButton* cancel = w.button(kCancel))
      QObject::connect(cancel, &QAbstractButton::clicked, &w, [&w] { w.EndWithResult(kCancel); });
  });
  InputResult out;
  out.confirmed = result == kOk;
  if (out.confirmed) out.text = text;
  return out;
}

QString QtFileFilter(const QString& pipeFilter) {
  const QStringList parts = pipeFilter.split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& name = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
    // The shown name usually repeats the patterns already.
    filters << (name.contains(u'(') ? name : name + QStringLiteral(" (") + patterns + u')');
  }
  return filters.join(QStringLiteral(";;"));
}

QString QtServices::SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                                 const QString& defaultExtension) {
  QString name;
  {
    const FocusReturn focusReturn;
    name = QFileDialog::getSaveFileName(owner, title, QString(), QtFileFilter(filter));
  }
  if (name.isEmpty()) return {};
  if (!defaultExtension.isEmpty() && QFileInfo(name).suffix().isEmpty()) name += u'.' + defaultExtension;
  return name;
}

void QtServices::SetClipboardText(const QString& text) { QGuiApplication::clipboard()->setText(text); }

void QtServices::Beep() { QApplication::beep(); }

bool QtServices::ShellOpen(const QString& target) { return QDesktopServices::openUrl(QUrl::fromUserInput(target)); }

int QtServices::RegisterHotkey(Window* window, Qt::KeyboardModifiers modifiers, int key) {
  if (!hotkeys_) hotkeys_ = std::make_unique<GlobalHotkeys>();
  return hotkeys_->Register(window, modifiers, key);
}

bool QtServices::UnregisterHotkey(Window* window, int id) { return hotkeys_ && hotkeys_->Unregister(window, id); }

bool QtServices::AddTrayIcon(Window* window, const QIcon& icon, const QString& tip) {
  if (!window || !QSystemTrayIcon::isSystemTrayAvailable()) return false;
  RemoveTrayIcon(window);
  auto* tray = new QSystemTrayIcon(icon, window);
  tray->setToolTip(tip);
  QObject::connect(tray, &QSystemTrayIcon::activated, window, [window](QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
      // A double click also brings two Triggers: reported as its own kind, it
      // would toggle the window a third time.
      case QSystemTrayIcon::Trigger: window->RaiseTrayEvent(1); break;
      case QSystemTrayIcon::DoubleClick: window->RaiseTrayEvent(3); break;
      case QSystemTrayIcon::Context: window->RaiseTrayEvent(2); break;
      default: break;
    }
  });
  tray->show();
  trays_.insert(window, tray);
  return true;
}

void QtServices::RemoveTrayIcon(Window* window) {
  if (QPointer<QSystemTrayIcon> tray = trays_.take(window)) delete tray.data();
}

}  // namespace declarium
