// The program's built-in 16 x 16 pictures and its icon.
#pragma once

#include <QIcon>
#include <vector>

namespace declarium {

class PictureList {
 public:
  PictureList() = default;
  explicit PictureList(std::vector<QIcon> icons) : icons_(std::move(icons)) {}
  int Count() const { return static_cast<int>(icons_.size()); }
  QIcon Icon(int index) const;   // null icon for a bad index
  void Destroy() { icons_.clear(); }
 private:
  std::vector<QIcon> icons_;
};

enum class PictureSet {
  Tree,     // 2: 0 category, 1 function
  Toolbar,  // 11, one per main toolbar button in order
  Status,   // 2
};
PictureList BuildPictureList(PictureSet set);

// Icon 129, the application icon.
QIcon ApplicationIcon();

}  // namespace declarium
