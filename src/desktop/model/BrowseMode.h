// The main window's four views and the kind of entry each one lists.
#pragma once

#include "store/Records.h"

namespace declarium {

// The four browse views of the main window, and so the kind of an entry
// taken from one of them: Categories is a function taken from the category
// tree, which counts as a function everywhere else.
enum class BrowseMode : int { Functions = 0, Categories = 1, DataTypes = 2, Constants = 3 };

constexpr EntryKind KindOfView(BrowseMode mode) {
  switch (mode) {
    case BrowseMode::DataTypes: return EntryKind::DataTypes;
    case BrowseMode::Constants: return EntryKind::Constants;
    default: return EntryKind::Functions;
  }
}

// The view that lists a kind: functions are shown in the function list.
constexpr BrowseMode ViewOfKind(EntryKind kind) {
  switch (kind) {
    case EntryKind::DataTypes: return BrowseMode::DataTypes;
    case EntryKind::Constants: return BrowseMode::Constants;
    default: return BrowseMode::Functions;
  }
}

}  // namespace declarium
