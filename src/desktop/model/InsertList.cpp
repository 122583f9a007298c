#include "model/InsertList.h"

#include "text/AsciiFold.h"

namespace declarium {

InsertAdd InsertListModel::Add(std::string_view text, int id, int kind) {
  if (id == 0) return {};
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (EqualsIgnoringAsciiCase(entries_[i].text, text)) return {static_cast<int>(i), false};
  }
  entries_.push_back({std::string(text), id, kind});
  return {size() - 1, true};
}

bool InsertListModel::Remove(int index) {
  if (index < 0 || index >= size()) return false;
  entries_.erase(entries_.begin() + index);
  return true;
}

int InsertListModel::KindOf(int index) const {
  if (index < 0 || index >= size()) return -1;
  return entries_[static_cast<std::size_t>(index)].kind;
}

int InsertListModel::KindOfText(std::string_view text) const {
  for (const InsertEntry& e : entries_) {
    if (e.text == text) return e.kind;
  }
  return -1;
}

}  // namespace declarium
