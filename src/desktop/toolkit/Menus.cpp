#include "toolkit/Menus.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QWidget>

#include "toolkit/Templates.h"

namespace declarium {

std::unique_ptr<MenuResource> MenuResource::Load(std::span<const MenuEntry> entries, CommandHandler dispatch) {
  if (entries.empty()) return nullptr;
  std::unique_ptr<MenuResource> menu(new MenuResource());
  menu->dispatch_ = std::move(dispatch);
  std::vector<QMenu*> open;  // innermost last
  for (const MenuEntry& entry : entries) {
    const QString text = entry.text ? QString::fromUtf16(entry.text) : QString();
    switch (entry.kind) {
      case MenuEntryKind::Popup: {
        if (open.empty()) {
          auto* popup = new QMenu(text);
          menu->popups_.push_back(popup);
          menu->rightAligned_.push_back((entry.flags & kMenuRightAligned) != 0);
          open.push_back(popup);
        } else {
          open.push_back(open.back()->addMenu(text));
        }
        break;
      }
      case MenuEntryKind::Item: {
        if (open.empty()) break;
        QAction* action = open.back()->addAction(text);
        action->setCheckable((entry.flags & kMenuCheckable) != 0);
        action->setData(entry.commandId);
        const int id = entry.commandId;
        MenuResource* self = menu.get();
        // A check item is toggled by its command handler, as the menu's
        // owner decides the state; a click alone must not flip it.
        QObject::connect(action, &QAction::triggered, self, [self, action, id](bool) {
          if (action->isCheckable()) action->setChecked(!action->isChecked());
          self->Dispatch(id);
        });
        menu->actions_.insert(entry.commandId, action);
        break;
      }
      case MenuEntryKind::Separator:
        if (!open.empty()) open.back()->addSeparator();
        break;
      case MenuEntryKind::EndPopup:
        if (!open.empty()) open.pop_back();
        break;
    }
  }
  return menu;
}

MenuResource::~MenuResource() {
  for (QMenu* popup : popups_) delete popup;
}

int MenuResource::PopupCount() const { return static_cast<int>(popups_.size()); }

QMenu* MenuResource::Popup(int index) const {
  if (index < 0 || index >= PopupCount()) return nullptr;
  return popups_[static_cast<size_t>(index)];
}

QAction* MenuResource::Action(int commandId) const { return actions_.value(commandId, nullptr); }

void MenuResource::SetChecked(int commandId, bool checked) {
  if (QAction* action = Action(commandId)) {
    action->setCheckable(true);
    action->setChecked(checked);
  }
}

bool MenuResource::IsChecked(int commandId) const {
  const QAction* action = Action(commandId);
  return action && action->isChecked();
}

void MenuResource::SetItemText(int commandId, const QString& text) {
  if (QAction* action = Action(commandId)) action->setText(text);
}

void MenuResource::FillMenuBar(QMenuBar* bar) {
  QMenuBar* corner = nullptr;
  for (size_t i = 0; i < popups_.size(); ++i) {
    if (rightAligned_[i]) {
      if (!corner) {
        corner = new QMenuBar(bar);
        bar->setCornerWidget(corner, Qt::TopRightCorner);
      }
      corner->addMenu(popups_[i]);
    } else {
      bar->addMenu(popups_[i]);
    }
  }
}

int MenuResource::OpenPopup(int index, QPoint screenPos, QWidget* owner) {
  QMenu* popup = Popup(index);
  if (!popup) return 0;
  if (owner) {
    QWidget* top = owner->window();
    top->raise();
    top->activateWindow();
  }
  // The chosen action's triggered() already dispatches.
  QAction* chosen = popup->exec(screenPos);
  return chosen ? chosen->data().toInt() : 0;
}

bool MenuResource::Trigger(int commandId) {
  QAction* action = Action(commandId);
  if (!action) return false;
  action->trigger();
  return true;
}

void MenuResource::Dispatch(int commandId) {
  if (dispatch_) dispatch_(commandId);
}

// ----- accelerators ---------------------------------------------------------

std::unique_ptr<AcceleratorTable> AcceleratorTable::Load(std::span<const AcceleratorEntry> entries) {
  if (entries.empty()) return nullptr;
  std::unique_ptr<AcceleratorTable> table(new AcceleratorTable());
  table->entries_ = entries;
  return table;
}

AcceleratorTable::~AcceleratorTable() { Destroy(); }

void AcceleratorTable::Install(QWidget* window, CommandHandler dispatch) {
  Destroy();
  if (!window) return;
  auto shared = std::make_shared<CommandHandler>(std::move(dispatch));
  for (const AcceleratorEntry& entry : entries_) {
    auto* shortcut =
        new QShortcut(QKeySequence(QKeyCombination(entry.modifiers, static_cast<Qt::Key>(entry.qtKey))), window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setAutoRepeat(true);
    const int id = entry.commandId;
    QObject::connect(shortcut, &QShortcut::activated, shortcut, [shared, id] {
      if (*shared) (*shared)(id);
    });
    shortcuts_.push_back(shortcut);
  }
}

void AcceleratorTable::Destroy() {
  for (const QPointer<QShortcut>& shortcut : shortcuts_) delete shortcut.data();
  shortcuts_.clear();
}

int AcceleratorTable::Count() const { return static_cast<int>(entries_.size()); }

}  // namespace declarium
