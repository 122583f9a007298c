// Which context-menu items have something to act on: an item that would do
// nothing is shown disabled rather than silently ignored.
#pragma once

#include <span>

namespace declarium {

// What the control under the pointer holds once the right click has
// selected (or not) the item there.
struct ContextSelection {
  bool hasItems = false;          // the control holds at least one row or item
  bool rowSelected = false;       // a row (or tree item) is selected
  bool categorySelected = false;  // the tree: a category is selected
  bool functionSelected = false;  // the tree: a function under a category is selected
};

// Every command id of the context menus (not the tray's).
std::span<const int> ContextMenuCommands();

bool ContextCommandEnabled(int commandId, const ContextSelection& s);

}  // namespace declarium
