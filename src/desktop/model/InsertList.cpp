#include "model/InsertList.h"

#include <string>

#include "text/AsciiFold.h"

namespace declarium {

InsertAdd InsertListModel::Add(std::string_view text, int id, BrowseMode kind) {
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

std::optional<BrowseMode> InsertListModel::KindOf(int index) const {
  if (index < 0 || index >= size()) return std::nullopt;
  return entries_[static_cast<std::size_t>(index)].kind;
}

std::optional<BrowseMode> InsertListModel::KindOfText(std::string_view text) const {
  for (const InsertListEntry& e : entries_) {
    if (e.text == text) return e.kind;
  }
  return std::nullopt;
}

std::vector<CopyEntry> InsertListModel::ToCopy() const {
  std::vector<CopyEntry> copy;
  copy.reserve(entries_.size());
  for (const InsertListEntry& e : entries_) copy.push_back({e.id, KindOfView(e.kind)});
  return copy;
}

}  // namespace declarium
