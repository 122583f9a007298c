#include "ui/QtText.h"

#include "text/Gbk.h"

namespace declarium {

QString FromGbk(std::string_view gbk) {
  const std::u16string wide = GbkToUtf16(gbk);
  return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string ToGbk(const QString& text) {
  return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                        static_cast<size_t>(text.size())));
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
  }
  return out;
}

}  // namespace declarium
