// ModalServices for tests: answers come from a script, everything shown is
// recorded, the clipboard is a string.
#pragma once

#include <QString>
#include <deque>
#include <vector>

#include "toolkit/ModalServices.h"

namespace declarium {

class ScriptedServices : public ModalServices {
 public:
  struct Message {
    QWidget* owner;
    QString text;
    QString caption;
    int style;
  };
  struct Input {
    QWidget* owner;
    QString prompt;
    QString title;  // resolved ("输入框" when none was given)
    QString initial;
  };

  // Installs itself as Services() for its lifetime.
  ScriptedServices();
  ~ScriptedServices() override;

  // Queued answers, used in order. Without one: message boxes answer
  // kAnswerOk (kAnswerYes for Yes/No styles), the input box is cancelled,
  // the save dialog is cancelled.
  void setNextAnswer(int answer) { answers_.push_back(answer); }
  void setNextInput(bool confirmed, const QString& text) { inputs_.push_back({confirmed, text}); }
  void setNextSaveFile(const QString& path) { saveFiles_.push_back(path); }
  void setHotkeyResult(bool succeeds) { hotkeysSucceed_ = succeeds; }

  const std::vector<Message>& messages() const { return messages_; }
  const Message& lastMessage() const;  // an empty record when none
  const std::vector<Input>& inputs() const { return inputsShown_; }
  const std::vector<QString>& opened() const { return opened_; }
  QString clipboard() const { return clipboard_; }
  int beeps() const { return beeps_; }
  int registeredHotkey() const { return hotkeyId_; }  // 0 when none
  void clear();

  int ShowMessage(QWidget* owner, const QString& text, int style, const QString& caption) override;
  InputResult InputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& initial) override;
  QString SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                       const QString& defaultExtension) override;
  void SetClipboardText(const QString& text) override { clipboard_ = text; }
  void Beep() override { ++beeps_; }
  bool ShellOpen(const QString& target) override;
  int RegisterHotkey(Window* window, Qt::KeyboardModifiers modifiers, int key) override;
  bool UnregisterHotkey(Window* window, int id) override;
  bool AddTrayIcon(Window* window, const QIcon& icon, const QString& tip) override;
  void RemoveTrayIcon(Window* window) override;

  // Last registered hotkey (modifiers, key) and tray tip, for checks.
  Qt::KeyboardModifiers hotkeyModifiers() const { return hotkeyModifiers_; }
  int hotkeyKey() const { return hotkeyKey_; }
  QString trayTip() const { return trayTip_; }
  bool hasTrayIcon() const { return trayWindow_ != nullptr; }

 private:
  std::deque<int> answers_;
  std::deque<InputResult> inputs_;
  std::deque<QString> saveFiles_;
  std::vector<Message> messages_;
  std::vector<Input> inputsShown_;
  std::vector<QString> opened_;
  QString clipboard_;
  int beeps_ = 0;
  bool hotkeysSucceed_ = true;
  int hotkeyCounter_ = 0;
  int hotkeyId_ = 0;
  Qt::KeyboardModifiers hotkeyModifiers_;
  int hotkeyKey_ = 0;
  Window* trayWindow_ = nullptr;
  QString trayTip_;
};

}  // namespace declarium
