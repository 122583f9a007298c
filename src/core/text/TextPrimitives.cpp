#include "text/TextPrimitives.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace declarium {
namespace {

inline bool High(char c) { return IsGbkLeadByte(static_cast<unsigned char>(c)); }

inline size_t CharLength(std::string_view t, size_t i) { return High(t[i]) && i + 1 < t.size() ? 2 : 1; }

using detail::Find;

// Whether every line of t ends in CR LF and no CR stands elsewhere: then
// each byte is a CR exactly where the next is an LF, a test the compiler
// makes many bytes at a time.
bool EndsEveryLineInCrLf(std::string_view t) {
  if (t.empty()) return true;
  if (t.front() == '\n' || t.back() == '\r') return false;
  const char* p = t.data();
  const size_t pairs = t.size() - 1;
  unsigned char mismatch = 0;
  for (size_t k = 0; k < pairs; ++k) mismatch |= static_cast<unsigned char>((p[k] == '\r') ^ (p[k + 1] == '\n'));
  return mismatch == 0;
}

}  // namespace

std::string_view TrimSpacesView(std::string_view t) {
  size_t b = 0;
  while (b < t.size()) {
    if (t[b] == ' ') {
      ++b;
    } else if (b + 1 < t.size() && t[b] == '\xA1' && t[b + 1] == '\xA1') {
      b += 2;
    } else {
      break;
    }
  }
  // Only a text ending in ' ' or 0xA1 can end in a space; telling whether
  // that byte is a character of its own takes the walk below.
  if (b < t.size() && t.back() != ' ' && t.back() != '\xA1') return t.substr(b);
  size_t end = b;  // end of the last character that is not a space
  size_t i = b;
  while (i < t.size()) {
    size_t len = CharLength(t, i);
    bool space = t[i] == ' ' || (len == 2 && t[i] == '\xA1' && t[i + 1] == '\xA1');
    i += len;
    if (!space) end = i;
  }
  return t.substr(b, end - b);
}

std::string TrimSpaces(std::string_view t) { return std::string(TrimSpacesView(t)); }

std::vector<std::string_view> SplitText(std::string_view t, std::string_view d) {
  std::vector<std::string_view> pieces;
  if (t.empty()) return pieces;
  if (d.empty()) {
    pieces.push_back(t);
    return pieces;
  }
  size_t pos = 0;
  while (pos < t.size()) {
    size_t hit = Find(t, d, pos);
    if (hit == std::string_view::npos) break;
    pieces.push_back(t.substr(pos, hit - pos));
    pos = hit + d.size();
  }
  if (pos < t.size()) pieces.push_back(t.substr(pos));
  return pieces;
}

std::string RemoveAll(std::string_view t, std::string_view s) {
  std::string out;
  if (s.empty()) return std::string(t);
  out.reserve(t.size());
  size_t pos = 0;
  while (pos < t.size()) {
    size_t hit = Find(t, s, pos);
    if (hit == std::string_view::npos) break;
    out.append(t.substr(pos, hit - pos));
    pos = hit + s.size();
  }
  if (pos < t.size()) out.append(t.substr(pos));
  return out;
}

std::string TextBetween(std::string_view t, std::optional<std::string_view> start,
                        std::optional<std::string_view> end) {
  return std::string(TextBetweenView(t, start, end));
}

std::int32_t ToInteger(std::string_view t) {
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || (t[i] >= '\t' && t[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) {
    negative = t[i] == '-';
    ++i;
  }
  long long v = 0;
  bool overflow = false;
  while (i < t.size() && t[i] >= '0' && t[i] <= '9') {
    if (!overflow) {
      v = v * 10 + (t[i] - '0');
      if (v > static_cast<long long>(INT_MAX) + 1) overflow = true;
    }
    ++i;
  }
  if (negative) {
    if (overflow || -v < INT_MIN) return INT_MIN;
    return static_cast<std::int32_t>(-v);
  }
  if (overflow || v > INT_MAX) return INT_MAX;
  return static_cast<std::int32_t>(v);
}

std::string HexDigits(std::int32_t v) {
  static const char digits[] = "0123456789ABCDEF";
  auto u = static_cast<std::uint32_t>(v);
  if (u == 0) return "0";
  char buf[8];
  int n = 0;
  while (u != 0) {
    buf[n++] = digits[u & 0xF];
    u >>= 4;
  }
  std::string out;
  while (n > 0) out += buf[--n];
  return out;
}

std::int32_t HexToInteger(std::string_view t) {
  std::uint32_t v = 0;
  for (char c : t) {
    int d;
    if (c >= '0' && c <= '9') {
      d = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      d = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      d = c - 'A' + 10;
    } else {
      break;
    }
    v = v << 4 | static_cast<std::uint32_t>(d);
  }
  return static_cast<std::int32_t>(v);
}

std::string DecimalText(std::int64_t v) { return std::to_string(v); }

std::string ToCrLf(std::string_view t) {
  std::string out;
  out.reserve(t.size() + t.size() / 16);
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\n' && (i == 0 || t[i - 1] != '\r')) out += '\r';
    out += t[i];
    if (t[i] == '\r' && (i + 1 == t.size() || t[i + 1] != '\n')) out += '\n';
  }
  return out;
}

void MakeCrLf(std::string& t) {
  if (!EndsEveryLineInCrLf(t)) t = ToCrLf(t);
}

std::string CrLfToLf(std::string_view t) {
  std::string out;
  out.reserve(t.size());
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;
    out += t[i];
  }
  return out;
}

}  // namespace declarium
