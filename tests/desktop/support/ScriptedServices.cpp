#include "desktop/support/ScriptedServices.h"

namespace declarium {

ScriptedServices::ScriptedServices() { SetServices(this); }

ScriptedServices::~ScriptedServices() { SetServices(nullptr); }

const ScriptedServices::Message& ScriptedServices::lastMessage() const {
  static const Message none{nullptr, {}, {}, 0};
  return messages_.empty() ? none : messages_.back();
}

void ScriptedServices::clear() {
  answers_.clear();
  inputs_.clear();
  saveFiles_.clear();
  messages_.clear();
  inputsShown_.clear();
  opened_.clear();
  clipboard_.clear();
  beeps_ = 0;
}

int ScriptedServices::ShowMessage(QWidget* owner, const QString& text, int style, const QString& caption) {
  messages_.push_back({owner, text, caption, style});
  if (!answers_.empty()) {
    const int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  const int buttons = style & 0x0F;
  return buttons == 3 || buttons == 4 ? kAnswerYes : kAnswerOk;
}

InputResult ScriptedServices::InputBox(QWidget* owner, const QString& prompt, const QString& title,
                                       const QString& initial) {
  inputsShown_.push_back({owner, prompt, title.isEmpty() ? QStringLiteral("输入框") : title, initial});
  if (inputs_.empty()) return {};
  InputResult result = inputs_.front();
  inputs_.pop_front();
  if (!result.confirmed) result.text.clear();
  return result;
}

QString ScriptedServices::SaveFileName(QWidget*, const QString&, const QString&, const QString&) {
  if (saveFiles_.empty()) return {};
  QString path = saveFiles_.front();
  saveFiles_.pop_front();
  return path;
}

bool ScriptedServices::ShellOpen(const QString& target) {
  opened_.push_back(target);
  return true;
}

int ScriptedServices::RegisterHotkey(Window*, Qt::KeyboardModifiers modifiers, int key) {
  if (!hotkeysSucceed_) return 0;
  hotkeyId_ = ++hotkeyCounter_;
  hotkeyModifiers_ = modifiers;
  hotkeyKey_ = key;
  return hotkeyId_;
}

bool ScriptedServices::UnregisterHotkey(Window*, int id) {
  if (id == 0 || id != hotkeyId_) return false;
  hotkeyId_ = 0;
  return true;
}

bool ScriptedServices::AddTrayIcon(Window* window, const QIcon&, const QString& tip) {
  trayWindow_ = window;
  trayTip_ = tip;
  return true;
}

void ScriptedServices::RemoveTrayIcon(Window* window) {
  if (window == trayWindow_) trayWindow_ = nullptr;
}

}  // namespace declarium
