// The built-in pictures are drawn at run time: small coloured glyphs, so
// the program carries no image files.
#include "windows/Pictures.h"

#include <QPainter>
#include <QPixmap>

namespace declarium {
namespace {

QIcon Glyph(QColor fill, const QString& letter, bool rounded = true) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(fill.darker(150));
  painter.setBrush(fill);
  if (rounded)
    painter.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
  else
    painter.drawRect(QRectF(0.5, 0.5, 15, 15));
  QFont font = painter.font();
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, letter);
  return QIcon(pixmap);
}

}  // namespace

PictureList BuildPictureList(PictureSet set) {
  std::vector<QIcon> icons;
  switch (set) {
    case PictureSet::Tree:
      icons.push_back(Glyph(QColor(0xD8, 0xA0, 0x20), QString(), false));  // category folder
      icons.push_back(Glyph(QColor(0x30, 0x70, 0xC0), QStringLiteral("f")));
      break;
    case PictureSet::Toolbar: {
      const struct { QRgb color; const char16_t* letter; } pictures[] = {
          {0x3070C0, u"F"}, {0xD8A020, u"T"}, {0x409040, u"S"}, {0x905090, u"C"},
          {0x2090A0, u"+"}, {0x606060, u"⎘"}, {0xC06020, u"?"}, {0x4060A0, u"H"},
          {0x508050, u"i"}, {0xB03030, u"×"}, {0x707070, u"⚙"},
      };
      for (const auto& p : pictures) icons.push_back(Glyph(QColor::fromRgb(p.color), QString::fromUtf16(p.letter)));
      break;
    }
    case PictureSet::Status:
      icons.push_back(Glyph(QColor(0x30, 0x70, 0xC0), QStringLiteral("i")));
      icons.push_back(Glyph(QColor(0x40, 0x90, 0x40), QStringLiteral("✓")));
      break;
  }
  return PictureList(std::move(icons));
}

QIcon ApplicationIcon() {
  // Built on each call: a static pixmap would outlive the application object.
  const QIcon icon = [] {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x20, 0x40, 0x80));
    painter.setBrush(QColor(0x30, 0x70, 0xC0));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont font = painter.font();
    font.setPixelSize(20);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, QStringLiteral("D"));
    return QIcon(pixmap);
  }();
  return icon;
}

}  // namespace declarium
