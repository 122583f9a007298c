#include "toolkit/QtText.h"

#include <QStringList>

#include "text/Gbk.h"

namespace declarium {

QString FromGbk(std::string_view gbk) {
  const std::u16string wide = GbkToUtf16(gbk);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string ToGbk(const QString& text) {
  return Utf16ToGbk(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())));
}

bool GbkHolds(const QString& text) { return FromGbk(ToGbk(text)) == text; }

QString NotInGbkMessage() { return QStringLiteral("含有GBK编码无法表示的字符！"); }

int FirstLineNotInGbk(const QString& text) {
  if (GbkHolds(text)) return 0;
  const QStringList lines = text.split(u'\n');
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (!GbkHolds(lines[i])) return static_cast<int>(i + 1);
  }
  return 1;
}

QString CrLfToLf(const QString& text) {
  QString out = text;
  out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return out;
}

QString LfToCrLf(const QString& text) {
  QString out;
  out.reserve(text.size() + text.size() / 16);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar c = text[i];
    if (c == u'\n' && (i == 0 || text[i - 1] != u'\r')) out += u'\r';
    out += c;
    if (c == u'\r' && (i + 1 == text.size() || text[i + 1] != u'\n')) out += u'\n';
  }
  return out;
}

}  // namespace declarium
