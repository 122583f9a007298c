// The program's built-in pictures and its icon.
#pragma once

#include <QIcon>

#include "toolkit/PictureList.h"

namespace declarium {

enum class PictureSet {
  Tree,     // 2: 0 category, 1 function
  Toolbar,  // 11, one per main toolbar button in order
  Status,   // 2
};
PictureList BuildPictureList(PictureSet set);

// Icon 129, the application icon.
QIcon ApplicationIcon();

}  // namespace declarium
