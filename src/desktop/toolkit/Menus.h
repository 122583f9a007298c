// Menus and accelerator tables built from the resource tables. Every item
// and key delivers its command id to one dispatch callback.
#pragma once

#include <QHash>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QShortcut>
#include <QString>
#include <functional>
#include <memory>
#include <span>
#include <vector>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace declarium {

struct AcceleratorEntry;
struct MenuEntry;

using CommandHandler = std::function<void(int commandId)>;

class MenuResource : public QObject {
  Q_OBJECT
 public:
  // nullptr for an empty table. Commands go to dispatch.
  static std::unique_ptr<MenuResource> Load(std::span<const MenuEntry> entries, CommandHandler dispatch);
  ~MenuResource() override;

  int PopupCount() const;                // top-level popups
  QMenu* Popup(int index) const;         // nullptr for a bad index
  QAction* Action(int commandId) const;  // nullptr when absent
  void SetChecked(int commandId, bool checked);
  bool IsChecked(int commandId) const;
  void SetItemText(int commandId, const QString& text);  // text may hold "\t" + key text
  // Puts the top-level popups into a menu bar (a right-aligned popup goes to
  // the bar's right corner).
  void FillMenuBar(QMenuBar* bar);
  // Opens popup index at a screen point; owner (if any) is raised and
  // activated first. Runs until the menu closes; the chosen item's command
  // is dispatched. Returns the command id chosen, 0 when none.
  int OpenPopup(int index, QPoint screenPos, QWidget* owner);
  // Triggers the item's command as if chosen (for tests and re-entry).
  bool Trigger(int commandId);

 private:
  MenuResource() = default;
  void Dispatch(int commandId);
  CommandHandler dispatch_;
  std::vector<QMenu*> popups_;  // top-level popups, owned
  std::vector<bool> rightAligned_;
  QHash<int, QAction*> actions_;
};

class AcceleratorTable {
 public:
  // nullptr for an empty table.
  static std::unique_ptr<AcceleratorTable> Load(std::span<const AcceleratorEntry> entries);
  ~AcceleratorTable();
  // Keys pressed anywhere in window (also in its child controls) while it is
  // the active window run dispatch. Installing again replaces the old keys.
  void Install(QWidget* window, CommandHandler dispatch);
  void Destroy();
  int Count() const;

 private:
  AcceleratorTable() = default;
  std::span<const AcceleratorEntry> entries_;
  std::vector<QPointer<QShortcut>> shortcuts_;  // owned by the window too
};

}  // namespace declarium
