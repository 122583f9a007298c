// A top-level window built from a dialog template. Its controls are made by
// one builder from the template table and found by their control id.
//
//   auto* w = Window::CreateModeless(kFindTemplate, owner, [](Window& w) { ... });
//   int rc = Window::RunModal(kAskTemplate, owner, [&](Window& w) {
//     w.control<QPushButton>(kOk) ... ; w.EndWithResult(kOk);
//   });
//
// Controls are children of Client() (the area below the menu bar); their
// geometry is in client pixels. The window never lays controls out itself:
// the owner moves them on clientSizeChanged.
#pragma once

#include <QDialog>
#include <QHash>
#include <QPointer>
#include <functional>
#include <memory>

#include "toolkit/Menus.h"
#include "toolkit/Templates.h"

class QAbstractButton;
class QMenuBar;

namespace declarium {

class BrowserHost;
class DropDownList;
class EditBox;
class HotkeyEdit;
class ListBox;
class MultiLineEdit;
class ReportView;
class StatusBar;
class TabControl;
class ToolBar;
class TreeView;

// Window states.
enum WindowState : int { kStateNormal = 0, kStateMinimised = 1, kStateMaximised = 2, kStateCentred = 3 };

class Window : public QDialog {
  Q_OBJECT
 public:
  using CreationCallback = std::function<void(Window&)>;
  // Sees every event of the window and of its template controls before the
  // layer; returning true ends its handling (a consumed Close keeps the
  // window open).
  using MessageFilter = std::function<bool(QObject* target, QEvent* event)>;

  // Builds the window, runs onCreate once its controls exist, then shows it.
  // The window deletes itself when closed: keep a QPointer to test Exists().
  static Window* CreateModeless(const WindowTemplate& tmpl, QWidget* owner, CreationCallback onCreate = {});
  // Builds the window, runs onCreate, runs its own loop until EndWithResult
  // or close. Returns the result code; 0 when closed otherwise (title bar,
  // Escape).
  static int RunModal(const WindowTemplate& tmpl, QWidget* owner, CreationCallback onCreate = {});
  // Builds without showing and without running anything; the caller owns it.
  static std::unique_ptr<Window> Build(const WindowTemplate& tmpl, QWidget* owner = nullptr);
  // The first live window registered under that class name ("mornel-API").
  static Window* FindByClassName(const QString& className);
  static bool Exists(const QPointer<Window>& window) { return !window.isNull(); }

  ~Window() override;

  int TemplateId() const { return templateId_; }
  QString ClassName() const { return className_; }

  // ----- ending ----------------------------------------------------------
  void EndWithResult(int code);  // modal: that result; modeless: closes
  void CloseWindow();            // like the title bar's close button (filter sees the Close event)

  // ----- appearance ------------------------------------------------------
  void SetIcon(const QIcon& icon);
  void SetCaption(const QString& caption);
  QString Caption() const;

  // ----- controls --------------------------------------------------------
  QWidget* Item(int controlId) const;  // nullptr when absent
  template <class T>
  T* control(int controlId) const {
    return qobject_cast<T*>(Item(controlId));
  }
  ListBox* listBox(int id) const;
  TreeView* treeView(int id) const;
  ReportView* reportView(int id) const;
  EditBox* editBox(int id) const;
  MultiLineEdit* multiLineEdit(int id) const;
  DropDownList* dropDownList(int id) const;
  TabControl* tabControl(int id) const;
  ToolBar* toolBar(int id) const;
  StatusBar* statusBar(int id) const;
  HotkeyEdit* hotkeyEdit(int id) const;
  BrowserHost* browser(int id) const;
  QAbstractButton* button(int id) const;  // push, check and radio buttons
  std::vector<int> ControlIds() const;    // in template order

  // Text of any control: edits (multi-line ones with CR LF), statics,
  // buttons, group boxes, the current text of a drop-down list.
  QString ItemText(int controlId) const;
  void SetItemText(int controlId, const QString& text);
  bool IsChecked(int controlId) const;
  void SetChecked(int controlId, bool checked);
  void EnableItem(int controlId, bool enabled);

  // The window's own message box: owner this window, default caption "信息：".
  int MessageBox(const QString& text, int style = 0, const QString& caption = {});

  // ----- state and geometry ----------------------------------------------
  int State() const;         // kStateNormal / kStateMinimised / kStateMaximised
  void SetState(int state);  // normal shows and activates; 3 centres on the screen
  bool IsShown() const;
  void SetShown(bool visible);
  // Outer rectangle, screen pixels. Setting one keeps the others.
  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  void SetOuterGeometry(int left, int top, int width, int height);
  // The measure a placement is saved and restored in: the frame's position
  // and the size inside the frame. Both round-trip exactly whatever frame the
  // window manager adds, even one it adds only after the window is shown.
  int InnerWidth() const;
  int InnerHeight() const;
  void SetPlacement(int left, int top, int innerWidth, int innerHeight);
  QRect ClientRect() const;  // (0, 0, client width, client height)
  QWidget* Client() const { return client_; }
  void Focus();

  // Dialog-unit conversion with this window's font.
  DialogBaseUnits BaseUnits() const { return base_; }
  QRect ToPixels(const QRect& dialogUnits) const { return DialogUnitsToPixels(dialogUnits, base_); }

  // ----- commands --------------------------------------------------------
  // Where menu items (of the window's menu and of popups opened with this
  // window as owner) and accelerators of this window deliver their ids.
  void SetCommandHandler(CommandHandler handler);
  void Dispatch(int commandId);
  MenuResource* Menu() const { return menu_.get(); }  // nullptr without a menu
  QMenuBar* MenuBar() const { return menuBar_; }
  // Installs an accelerator table for this window (keys dispatch through
  // SetCommandHandler's handler); false for an empty table.
  bool InstallAccelerators(std::span<const AcceleratorEntry> entries);

  // A modeless tool window closes on Escape as a dialog does; the main
  // window keeps the key.
  void SetClosesOnEscape(bool closes) { closesOnEscape_ = closes; }

  void SetMessageFilter(MessageFilter filter);
  // Puts a control made later (a splitter, say) under the message filter.
  void WatchControl(QWidget* widget);

  // Raised by the services (hotkey, tray) for this window.
  void RaiseHotkey(int id) { emit hotkeyPressed(id); }
  void RaiseTrayEvent(int kind) { emit trayEvent(kind); }

 signals:
  void clientSizeChanged(int width, int height);
  void moved();            // position or minimised state changed
  void windowDestroyed();  // once, while the controls still exist
  void hotkeyPressed(int id);
  void trayEvent(int kind);  // 1 left button released, 2 right button released, ...

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void changeEvent(QEvent* event) override;
  void done(int code) override;

 private:
  Window(const WindowTemplate& tmpl, QWidget* owner);
  void BuildControls(const WindowTemplate& tmpl);
  void ArrangeClient();
  void AnnounceDestroy();

  int templateId_ = 0;
  QString className_;
  DialogBaseUnits base_;
  QWidget* client_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  std::unique_ptr<MenuResource> menu_;
  std::unique_ptr<AcceleratorTable> accelerators_;
  QHash<int, QWidget*> controls_;
  std::vector<int> order_;
  CommandHandler commands_;
  MessageFilter filter_;
  bool modal_ = false;
  bool closesOnEscape_ = false;
  bool destroyAnnounced_ = false;
};

}  // namespace declarium
