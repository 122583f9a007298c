// Text primitives of the declaration readers. Texts are GBK bytes; positions
// are 1-based byte positions; a byte from 0x81 to 0xFE starts a double-byte
// character (IsGbkLeadByte); matching is case-sensitive. Nothing reads past the end of a text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/Gbk.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace declarium {

// Without leading and trailing ASCII spaces and full-width spaces (A1 A1).
std::string TrimSpaces(std::string_view t);
std::string_view TrimSpacesView(std::string_view t);

// The search behind FindText, TextBetween and SplitText. Inline, as
// FindSeparator below: the readers search every field, mostly for a fixed
// marker, and a search compiled into the reader with its marker known takes
// a fifth less of a reading than a call.
namespace detail {

// Whether j is a character start, given that known (<= j) is one. Every
// character that starts with a lead byte is two bytes long, and a byte that
// is no lead byte ends a character, so only the run of lead bytes just
// before j decides it.
inline bool IsCharStart(std::string_view t, std::size_t known, std::size_t j) {
  std::size_t k = j;
  while (k > known && IsGbkLeadByte(static_cast<unsigned char>(t[k - 1]))) --k;
  return (j - k) % 2 == 0;
}

// The first index in [i, last] where s could begin: its first, second and
// last bytes are there (two bytes alone leave too many candidates in texts
// where every line starts with the same mark). Sixteen positions at a time
// where the processor allows it.
inline std::size_t NextCandidate(std::string_view t, std::string_view s, std::size_t i, std::size_t last) {
  const char* p = t.data();
  const std::size_t n = s.size();
  const char first = s[0];
  if (n == 1) {
    const void* hit = std::memchr(p + i, first, last - i + 1);
    return hit == nullptr ? std::string_view::npos : static_cast<const char*>(hit) - p;
  }
  const char second = s[1];
  const char end = s[n - 1];
#if defined(__SSE2__)
  // Even on the short fields the readers search, sixteen positions compared
  // at once beat comparing them one by one (a replay of a reading's searches
  // took a quarter less time); only the tail is compared byte by byte.
  if (i + 15 <= last) {
    const __m128i f = _mm_set1_epi8(first);
    const __m128i g = _mm_set1_epi8(second);
    const __m128i e = _mm_set1_epi8(end);
    // The last load reads up to index i + 15 + n - 1 <= last + n - 1, the text's last byte.
    do {
      __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
      __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
      __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + n - 1));
      __m128i hit = _mm_and_si128(_mm_and_si128(_mm_cmpeq_epi8(a, f), _mm_cmpeq_epi8(b, g)), _mm_cmpeq_epi8(c, e));
      int mask = _mm_movemask_epi8(hit);
      if (mask != 0) return i + static_cast<std::size_t>(__builtin_ctz(static_cast<unsigned>(mask)));
      i += 16;
    } while (i + 15 <= last);
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
inline bool RestMatches(const char* t, std::string_view s) {
  for (std::size_t k = 2; k + 1 < s.size(); ++k) {
    if (t[k] != s[k]) return false;
  }
  return true;
}

// Zero-based index of s in t at or after index start (a character start), or
// npos. Candidates come from the byte filter; each is checked to be a
// character start, counting back no further than the last known start, so
// the whole search stays linear however many candidates fail.
inline std::size_t Find(std::string_view t, std::string_view s, std::size_t start) {
  if (t.empty() || s.empty() || s.size() > t.size()) return std::string_view::npos;
  const std::size_t last = t.size() - s.size();
  std::size_t known = start;
  std::size_t i = start;
  while (i <= last) {
    std::size_t j = NextCandidate(t, s, i, last);
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

}  // namespace detail

// 1-based position of the first occurrence of s at or after from, or -1. The
// scan steps a whole character at a time, starting at from as a character start.
inline long FindText(std::string_view t, std::string_view s, long from = 1) {
  if (from < 1) from = 1;
  if (static_cast<std::size_t>(from) > t.size()) return -1;
  const std::size_t r = detail::Find(t, s, static_cast<std::size_t>(from - 1));
  return r == std::string_view::npos ? -1 : static_cast<long>(r + 1);
}

// Zero-based index of the first d at or after the zero-based character
// start pos, or npos: the match FindText finds. For the separators of fields
// and lines, a byte or two whose first is seldom met: candidates come from
// memchr on that byte, which beats the general search on short pieces. Each
// is checked to start a character back no further than the last known start,
// so the search stays linear. Inline: the readers call it for every field.
inline std::size_t FindSeparator(std::string_view t, std::string_view d, std::size_t pos) {
  const std::size_t size = t.size();
  const std::size_t m = d.size();
  const char* p = t.data();
  std::size_t known = pos;
  std::size_t i = pos;
  while (m > 0 && i + m <= size) {
    const void* found = std::memchr(p + i, d[0], size - m + 1 - i);
    if (found == nullptr) break;
    const std::size_t j = static_cast<std::size_t>(static_cast<const char*>(found) - p);
    const bool charStart = detail::IsCharStart(t, known, j);
    if (charStart && std::memcmp(p + j + 1, d.data() + 1, m - 1) == 0) return j;
    known = charStart ? j : j + 1;
    i = j + 1;
  }
  return std::string_view::npos;
}

// Appends the pieces to out in order: the text a + b + ... joins, without the
// temporary texts of the join (generators write every declaration so).
template <class... Pieces>
void AppendTexts(std::string& out, const Pieces&... pieces) {
  (out.append(std::string_view(pieces)), ...);
}

// Pieces between occurrences of d. The pieces are views into t.
std::vector<std::string_view> SplitText(std::string_view t, std::string_view d);

std::string RemoveAll(std::string_view t, std::string_view s);

// Text between the first start marker and the following end marker; a marker
// given as nullopt is absent. The end marker is searched from the second
// character after the start marker on.
std::string TextBetween(std::string_view t, std::optional<std::string_view> start, std::optional<std::string_view> end);
// The same text as a view into t.
inline std::string_view TextBetweenView(std::string_view t, std::optional<std::string_view> start,
                                        std::optional<std::string_view> end) {
  std::size_t rest = 0;
  if (start) {
    const std::size_t p = detail::Find(t, *start, 0);
    if (p == std::string_view::npos) return {};
    rest = p + start->size();
  }
  if (!end) return t.substr(std::min(rest, t.size()));
  if (rest >= t.size()) return {};
  const std::size_t from = rest + (IsGbkLeadByte(static_cast<unsigned char>(t[rest])) ? 2 : 1);
  if (from >= t.size()) return {};
  const std::size_t q = detail::Find(t, *end, from);
  if (q == std::string_view::npos) return {};
  return t.substr(rest, q - rest);
}

// atoi rules: leading white space, optional sign, decimal digits; 0 without
// digits; saturates at the 32-bit limits.
std::int32_t ToInteger(std::string_view t);

// Upper-case hexadecimal digits of the 32-bit two's-complement value.
std::string HexDigits(std::int32_t v);

// Leading hexadecimal digits as a 32-bit signed value (wrapping); 0 without digits.
std::int32_t HexToInteger(std::string_view t);

std::string DecimalText(std::int64_t v);

// Turns every lone LF and every lone CR into CR LF, as the Windows edit
// control delivers text to the readers.
std::string ToCrLf(std::string_view t);
// The same in place, copying the text only when a line end changes.
void MakeCrLf(std::string& t);
// Turns CR LF into LF, for showing text in widgets that break lines at LF.
std::string CrLfToLf(std::string_view t);

}  // namespace declarium
