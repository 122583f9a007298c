// The entries gathered for copying: in the order they were added, unique by
// text without regard to ASCII letter case. The kind of an entry is the view
// it was taken from (0 functions, 1 a function of the category tree,
// 2 data types, 3 constants).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace declarium {

struct InsertEntry {
  std::string text;
  int id = 0;
  int kind = 0;
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
  InsertAdd Add(std::string_view text, int id, int kind);
  // False when index is not an entry.
  bool Remove(int index);
  void Clear() { entries_.clear(); }

  // Kind of the entry at index / of the entry with exactly that text; -1 when there is none.
  int KindOf(int index) const;
  int KindOfText(std::string_view text) const;

  const std::vector<InsertEntry>& entries() const { return entries_; }
  int size() const { return static_cast<int>(entries_.size()); }

 private:
  std::vector<InsertEntry> entries_;
};

}  // namespace declarium
