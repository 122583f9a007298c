// A list of 16 x 16 pictures, as image lists of toolbars, trees and status
// bars hold them, addressed by index.
#pragma once

#include <QIcon>
#include <vector>

namespace declarium {

class PictureList {
 public:
  PictureList() = default;
  explicit PictureList(std::vector<QIcon> icons) : icons_(std::move(icons)) {}
  int Count() const { return static_cast<int>(icons_.size()); }
  // A null icon for a bad index.
  QIcon Icon(int index) const {
    return index < 0 || index >= Count() ? QIcon() : icons_[static_cast<std::size_t>(index)];
  }
  void Destroy() { icons_.clear(); }

 private:
  std::vector<QIcon> icons_;
};

}  // namespace declarium
