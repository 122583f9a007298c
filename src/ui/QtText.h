// The one crossing between the core's GBK text and Qt's UTF-16 strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace declarium {

// Invalid bytes become '?'; never fails.
QString FromGbk(std::string_view gbk);
std::string ToGbk(const QString& text);

// Multi-line edits show LF where the program's text has CR LF.
QString CrLfToLf(const QString& text);
QString LfToCrLf(const QString& text);  // a lone LF becomes CR LF; CR LF stays

}  // namespace declarium
