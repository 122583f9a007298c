#include "store/SqlText.h"

namespace declarium {

std::string SqlEscape(std::string_view v) {
  std::string out;
  out.reserve(v.size() + 2);
  for (char c : v) {
    if (c == '\'') {
      out += "''";
    } else if (c == '\0') {
      out += "'||char(0)||'";
    } else {
      out += c;
    }
  }
  return out;
}

std::string SqlLiteral(std::string_view v) { return "'" + SqlEscape(v) + "'"; }

}  // namespace declarium
