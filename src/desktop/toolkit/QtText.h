// The one crossing between the core's GBK text and Qt's UTF-16 strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace declarium {

// Invalid bytes become '?'; never fails.
QString FromGbk(std::string_view gbk);
std::string ToGbk(const QString& text);

// Whether the GBK catalogue holds text as it is; a character GBK lacks would
// be stored as "?" and name or say something else. Such text is refused
// with NotInGbkMessage, or searched for as what nothing can contain.
bool GbkHolds(const QString& text);
QString NotInGbkMessage();
// The first line (from 1) holding a character GBK lacks; 0 when none does.
int FirstLineNotInGbk(const QString& text);

// Multi-line edits show LF where the program's text has CR LF.
QString CrLfToLf(const QString& text);
QString LfToCrLf(const QString& text);  // a lone LF or CR becomes CR LF; CR LF stays

}  // namespace declarium
