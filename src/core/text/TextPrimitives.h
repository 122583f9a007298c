// Text primitives of the declaration readers. Texts are GBK bytes; positions
// are 1-based byte positions; a byte from 0x81 to 0xFE starts a double-byte
// character (IsGbkLeadByte); matching is case-sensitive. Nothing reads past the end of a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/Gbk.h"

namespace declarium {

// Without leading and trailing ASCII spaces and full-width spaces (A1 A1).
std::string TrimSpaces(std::string_view t);
std::string_view TrimSpacesView(std::string_view t);

// 1-based position of the first occurrence of s at or after from, or -1. The
// scan steps a whole character at a time, starting at from as a character start.
long FindText(std::string_view t, std::string_view s, long from = 1);

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

}  // namespace detail

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

// Pieces between occurrences of d. The pieces are views into t.
std::vector<std::string_view> SplitText(std::string_view t, std::string_view d);

std::string RemoveAll(std::string_view t, std::string_view s);

// Text between the first start marker and the following end marker; a marker
// given as nullopt is absent. The end marker is searched from the second
// character after the start marker on.
std::string TextBetween(std::string_view t, std::optional<std::string_view> start,
                        std::optional<std::string_view> end);
// The same text as a view into t.
std::string_view TextBetweenView(std::string_view t, std::optional<std::string_view> start,
                                 std::optional<std::string_view> end);

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
