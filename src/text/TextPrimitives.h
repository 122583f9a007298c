// Text primitives of the declaration readers. Texts are GBK bytes; positions
// are 1-based byte positions; a byte of 0x80 or above starts a double-byte
// character; matching is case-sensitive. Nothing reads past the end of a text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace declarium {

// Without leading and trailing ASCII spaces and full-width spaces (A1 A1).
std::string TrimSpaces(std::string_view t);
std::string_view TrimSpacesView(std::string_view t);

// 1-based position of the first occurrence of s at or after from, or -1. The
// scan steps a whole character at a time, starting at from as a character start.
long FindText(std::string_view t, std::string_view s, long from = 1);

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

// Turns every LF that is not preceded by CR into CR LF, as the Windows edit
// control delivers text to the readers.
std::string ToCrLf(std::string_view t);
// Turns CR LF into LF, for showing text in widgets that break lines at LF.
std::string CrLfToLf(std::string_view t);

}  // namespace declarium
