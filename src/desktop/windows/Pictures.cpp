// The built-in pictures are image files compiled in (drawn by
// tools/pictures/draw_pictures.py), so they look the same whatever fonts the
// system has.
#include "windows/Pictures.h"

namespace declarium {
namespace {

QIcon Picture(const char* name) { return QIcon(QStringLiteral(":/pictures/%1.png").arg(QLatin1String(name))); }

}  // namespace

PictureList BuildPictureList(PictureSet set) {
  std::vector<QIcon> icons;
  auto add = [&icons](std::initializer_list<const char*> names) {
    for (const char* name : names) icons.push_back(Picture(name));
  };
  switch (set) {
    case PictureSet::Tree: add({"category", "function"}); break;
    case PictureSet::Toolbar:
      add({"functions", "categories", "datatypes", "constants", "addtolist", "copy", "find", "help", "about", "exit",
           "settings"});
      break;
    case PictureSet::Status: add({"info", "done"}); break;
  }
  return PictureList(std::move(icons));
}

QIcon ApplicationIcon() { return Picture("program"); }

}  // namespace declarium
