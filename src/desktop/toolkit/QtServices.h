// ModalServices over Qt's own dialogs, clipboard and desktop services.
#pragma once

#include <QHash>
#include <QPointer>
#include <QSystemTrayIcon>
#include <memory>

#include "toolkit/ModalServices.h"
#include "toolkit/Templates.h"

namespace declarium {

class GlobalHotkeys;

class QtServices : public ModalServices {
 public:
  QtServices();
  ~QtServices() override;
  int ShowMessage(QWidget* owner, const QString& text, int style, const QString& caption) override;
  InputResult InputBox(QWidget* owner, const QString& prompt, const QString& title, const QString& initial) override;
  QString SaveFileName(QWidget* owner, const QString& title, const QString& filter,
                       const QString& defaultExtension) override;
  void SetClipboardText(const QString& text) override;
  void Beep() override;
  bool ShellOpen(const QString& target) override;
  // Through GlobalHotkeys: X11 and Windows; 0 elsewhere.
  int RegisterHotkey(Window* window, Qt::KeyboardModifiers modifiers, int key) override;
  bool UnregisterHotkey(Window* window, int id) override;
  bool AddTrayIcon(Window* window, const QIcon& icon, const QString& tip) override;
  void RemoveTrayIcon(Window* window) override;

 private:
  QHash<Window*, QPointer<QSystemTrayIcon>> trays_;  // each owned by its window
  std::unique_ptr<GlobalHotkeys> hotkeys_;           // made at the first registration
};

// The InputBox's template.
extern const WindowTemplate kInputBoxWindow;

// "文本文件(*.txt)|*.txt|所有文件(*.*)|*.*" -> "文本文件(*.txt);;所有文件(*.*)"
QString QtFileFilter(const QString& pipeFilter);

}  // namespace declarium
