// The one way a text value enters SQL text, for the statements the user
// writes a part of (the export's conditions); the program's own statements
// bind their values (CatalogueStore::PrepareWith). The value stands between
// single quotes: "... 名称='" + SqlEscape(v) + "'".
#pragma once

#include <string>
#include <string_view>

namespace declarium {

// The inside of a single-quoted SQL literal that stands for exactly v: every
// single quote doubled, and every NUL byte (which would end the statement
// text) spliced in as "'||char(0)||'". The scan is byte by byte on purpose:
// a quote after a GBK lead byte is still a quote to the UTF-8 conversion.
std::string SqlEscape(std::string_view v);

// A complete literal: "'" + SqlEscape(v) + "'".
std::string SqlLiteral(std::string_view v);

// A LIKE pattern, to be bound, that matches v itself in a statement that
// says "escape '\'": "%", "_" and "\" each stand for themselves. The second
// byte of a double-byte character is part of it, never a wildcard, and is
// left alone.
std::string LikePattern(std::string_view v);

}  // namespace declarium
