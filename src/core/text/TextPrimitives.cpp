#include "text/TextPrimitives.h"

#include <algorithm>
#include <climits>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace declarium {
namespace {

inline bool High(char c) { return IsGbkLeadByte(static_cast<unsigned char>(c)); }

inline size_t CharLength(std::string_view t, size_t i) {
  return High(t[i]) && i + 1 < t.size() ? 2 : 1;
}

using detail::IsCharStart;

// The first index in [i, last] where s could begin: its first, second and
// last bytes are there (two bytes alone leave too many candidates in texts
// where every line starts with the same mark). Sixteen positions at a time
// where the processor allows it.
size_t NextCandidate(std::string_view t, std::string_view s, size_t i, size_t last) {
  const char* p = t.data();
  const size_t n = s.size();
  const char first = s[0];
  if (n == 1) {
    const void* hit = std::memchr(p + i, first, last - i + 1);
    return hit == nullptr ? std::string_view::npos : static_cast<const char*>(hit) - p;
  }
  const char second = s[1];
  const char end = s[n - 1];
  // Fields and lines are short: most searches end within a few bytes, before
  // setting up the wide comparison would pay.
  for (size_t stop = std::min(last + 1, i + 16); i < stop; ++i) {
    if (p[i] == first && p[i + 1] == second && p[i + n - 1] == end) return i;
  }
#if defined(__SSE2__)
  const __m128i f = _mm_set1_epi8(first);
  const __m128i g = _mm_set1_epi8(second);
  const __m128i e = _mm_set1_epi8(end);
  // The last load reads up to index i + 15 + n - 1 <= last + n - 1, the text's last byte.
  while (i + 15 <= last) {
    __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
    __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
    __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + n - 1));
    __m128i hit = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(a, f), _mm_cmpeq_epi8(b, g)),
                                _mm_cmpeq_epi8(c, e));
    int mask = _mm_movemask_epi8(hit);
    if (mask != 0) return i + static_cast<size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
    i += 16;
  }
#endif
  for (; i <= last; ++i) {
    if (p[i] == first && p[i + 1] == second && p[i + n - 1] == end) return i;
  }
  return std::string_view::npos;
}

// Whether the bytes of s between its second and last match t; the others
// were matched by the candidate filter. Needles are a few bytes long,
// shorter than a call to memcmp costs.
bool RestMatches(const char* t, std::string_view s) {
  for (size_t k = 2; k + 1 < s.size(); ++k) {
    if (t[k] != s[k]) return false;
  }
  return true;
}

// Zero-based index of s in t at or after index start (a character start), or
// npos. Candidates come from the byte filter; each is checked to be a
// character start, counting back no further than the last known start, so
// the whole search stays linear however many candidates fail.
size_t Find(std::string_view t, std::string_view s, size_t start) {
  if (t.empty() || s.empty() || s.size() > t.size()) return std::string_view::npos;
  const size_t last = t.size() - s.size();
  size_t known = start;
  size_t i = start;
  while (i <= last) {
    size_t j = NextCandidate(t, s, i, last);
    if (j == std::string_view::npos) return j;
    bool charStart = IsCharStart(t, known, j);
    if (charStart && RestMatches(t.data() + j, s)) return j;
    // Either j starts a character, or it is the second byte of one and the
    // next byte starts the next.
    known = charStart ? j : j + 1;
    i = j + 1;
  }
  return std::string_view::npos;
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

long FindText(std::string_view t, std::string_view s, long from) {
  if (from < 1) from = 1;
  if (static_cast<size_t>(from) > t.size()) return -1;
  size_t r = Find(t, s, static_cast<size_t>(from - 1));
  return r == std::string_view::npos ? -1 : static_cast<long>(r + 1);
}

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

std::string_view TextBetweenView(std::string_view t, std::optional<std::string_view> start,
                                 std::optional<std::string_view> end) {
  size_t rest = 0;
  if (start) {
    size_t p = Find(t, *start, 0);
    if (p == std::string_view::npos) return {};
    rest = p + start->size();
  }
  if (!end) return t.substr(std::min(rest, t.size()));
  if (rest >= t.size()) return {};
  size_t from = rest + (High(t[rest]) ? 2 : 1);
  if (from >= t.size()) return {};
  size_t q = Find(t, *end, from);
  if (q == std::string_view::npos) return {};
  return t.substr(rest, q - rest);
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
  for (size_t i = 0; i < t.size(); ++i) {
    const bool loneLf = t[i] == '\n' && (i == 0 || t[i - 1] != '\r');
    const bool loneCr = t[i] == '\r' && (i + 1 == t.size() || t[i + 1] != '\n');
    if (loneLf || loneCr) {
      t = ToCrLf(t);
      return;
    }
  }
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
