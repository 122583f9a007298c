#include "store/SqlText.h"

#include "text/Gbk.h"

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

std::string LikePattern(std::string_view v) {
  auto isTrail = [](unsigned char c) { return c >= 0x40 && c <= 0xFE && c != 0x7F; };
  std::string pattern;
  pattern.reserve(v.size() + 8);
  for (size_t i = 0; i < v.size(); ++i) {
    const auto c = static_cast<unsigned char>(v[i]);
    if (IsGbkLeadByte(c) && i + 1 < v.size() && isTrail(static_cast<unsigned char>(v[i + 1]))) {
      pattern += v[i];
      pattern += v[++i];
      continue;
    }
    if (c == '%' || c == '_' || c == '\\') pattern += '\\';
    pattern += v[i];
  }
  return pattern;
}

}  // namespace declarium
