// Every interaction that waits for the user, and the few program-wide
// services around them, go through one interface so tests can script them.
// The program installs QtServices at start-up; tests install ScriptedServices.
#pragma once

#include <QIcon>
#include <QPoint>
#include <QString>
#include <functional>

class QWidget;

namespace declarium {

class Window;

// Message box style flags.
enum MessageStyle : int {
  kMbOk = 0x00,
  kMbYesNo = 0x04,
  kMbIconError = 0x10,
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
  kMbUserIcon = 0x80,  // the asking window's own icon (the program's)
  kMbYesNoWarning = 0x34,
};
// Pressed button = platform button id - 1.
enum MessageAnswer : int {
  kAnswerOk = 0,
  kAnswerCancel = 1,
  kAnswerAbort = 2,
  kAnswerRetry = 3,
  kAnswerIgnore = 4,
  kAnswerYes = 5,
  kAnswerNo = 6
};

// The InputBox: its template and controls.
inline constexpr int kInputBoxTemplate = 1900;
namespace input_box_control {
inline constexpr int kPrompt = 1901;
inline constexpr int kText = 1902;
inline constexpr int kOk = 1903;
inline constexpr int kCancel = 1904;
}  // namespace input_box_control

struct InputResult {
  bool confirmed = false;
  QString text;  // empty unless confirmed; line ends CR LF
};

class ModalServices {
 public:
  virtual ~ModalServices() = default;

  // owner nullptr = the plain box. caption is already resolved (never empty
  // when reached through PlainMessageBox / Window::MessageBox).
  virtual int ShowMessage(QWidget* owner, const QString& text, int style, const QString& caption) = 0;
  // The InputBox (template 1900). An empty title means "输入框".
  virtual InputResult InputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& initial) = 0;
  // filter as "文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"; defaultExtension
  // without the dot ("txt") is added when the typed name has none.
  // Empty result = cancelled.
  virtual QString SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                               const QString& defaultExtension) = 0;

  virtual void SetClipboardText(const QString& text) = 0;
  virtual void Beep() = 0;                            // the information beep
  virtual bool ShellOpen(const QString& target) = 0;  // a link or document, "open"

  // Global hotkey; key a virtual-key code. Returns a new id (previous id + 1),
  // 0 on failure. A press arrives as window->hotkeyPressed(id).
  virtual int RegisterHotkey(Window* window, Qt::KeyboardModifiers modifiers, int key) = 0;
  virtual bool UnregisterHotkey(Window* window, int id) = 0;

  // The notification icon of window; activity arrives as window->trayEvent(kind).
  virtual bool AddTrayIcon(Window* window, const QIcon& icon, const QString& tip) = 0;
  virtual void RemoveTrayIcon(Window* window) = 0;
};

// The services in use (QtServices unless replaced). Never null.
ModalServices& Services();
// Replaces them (not owned); nullptr restores the default QtServices.
void SetServices(ModalServices* services);

// The plain message box: no owner, default caption "信息".
int PlainMessageBox(const QString& text, int style = 0, const QString& caption = {});
// A window's own message box: default caption "信息：".
int OwnedMessageBox(QWidget* owner, const QString& text, int style = 0, const QString& caption = {});

inline constexpr char16_t kPlainCaption[] = u"信息";
inline constexpr char16_t kOwnedCaption[] = u"信息：";

}  // namespace declarium
