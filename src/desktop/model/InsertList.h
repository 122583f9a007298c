// The entries gathered for copying: in the order they were added, unique by
// text without regard to ASCII letter case. The kind of an entry is the view
// it was taken from.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/BrowseMode.h"
#include "output/CopyText.h"

namespace declarium {

// An entry gathered for copying, with the view it was taken from.
struct InsertListEntry {
  std::string text;  // the entry's 名称
  int id = 0;
  BrowseMode kind = BrowseMode::Functions;
};

// Outcome of adding: index is the entry to select when one with the same text
// already exists (nothing was added), the new entry's index when added (it is
// not to be selected), or -1 when id 0 stands for no entry.
struct InsertAdd {
  int index = -1;
  bool added = false;
};

class InsertListModel {
 public:
  InsertAdd Add(std::string_view text, int id, BrowseMode kind);
  // False when index is not an entry.
  bool Remove(int index);
  void Clear() { entries_.clear(); }

  // Kind of the entry at index / of the entry with exactly that text; none when there is none.
  std::optional<BrowseMode> KindOf(int index) const;
  std::optional<BrowseMode> KindOfText(std::string_view text) const;

  const std::vector<InsertListEntry>& entries() const { return entries_; }
  // The entries in order as the copy commands take them.
  std::vector<CopyEntry> ToCopy() const;
  int size() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<InsertListEntry> entries_;
};

}  // namespace declarium
