// Letter-case folding for the lists' prefix searches. Only A to Z fold; a lead
// byte (IsGbkLeadByte) starts a double-byte character, which is kept whole, so
// its second byte is never taken for a letter.
#pragma once

#include <string>
#include <string_view>

namespace declarium {

// A to Z become a to z; double-byte characters are copied unchanged.
std::string FoldAsciiLower(std::string_view t);

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix);
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

// Number of characters: a lead byte with the byte after it counts once.
int CountCharacters(std::string_view t);

}  // namespace declarium
