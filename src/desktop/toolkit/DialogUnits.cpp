// Dialog units to pixels, the platform's way: horizontal units are quarters
// of the average letter width, vertical units eighths of the line height.
#include <QFontMetrics>

#include "toolkit/Templates.h"

namespace declarium {
namespace {
int MulDivRounded(int value, int numerator, int denominator) {
  const long long product = static_cast<long long>(value) * numerator;
  const long long half = denominator / 2;
  return static_cast<int>(product >= 0 ? (product + half) / denominator : -((-product + half) / denominator));
}
}  // namespace

DialogBaseUnits BaseUnitsOf(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  DialogBaseUnits base;
  base.x = (letters / 26 + 1) / 2;
  base.y = metrics.height();
  if (base.x < 1) base.x = 1;
  if (base.y < 1) base.y = 1;
  return base;
}

int HorizontalDialogUnits(int du, DialogBaseUnits base) { return MulDivRounded(du, base.x, 4); }
int VerticalDialogUnits(int du, DialogBaseUnits base) { return MulDivRounded(du, base.y, 8); }

QRect DialogUnitsToPixels(const QRect& du, DialogBaseUnits base) {
  return QRect(HorizontalDialogUnits(du.x(), base), VerticalDialogUnits(du.y(), base),
               HorizontalDialogUnits(du.width(), base), VerticalDialogUnits(du.height(), base));
}

}  // namespace declarium
