#include "text/AsciiFold.h"

#include "text/Gbk.h"

namespace declarium {

namespace {

bool IsLeadByte(char c) { return IsGbkLeadByte(static_cast<unsigned char>(c)); }

}  // namespace

std::string FoldAsciiLower(std::string_view t) {
  std::string out(t);
  for (std::size_t i = 0; i < out.size(); ++i) {
    if (IsLeadByte(out[i])) {
      ++i;  // the second byte of the character stays as it is
    } else if (out[i] >= 'A' && out[i] <= 'Z') {
      out[i] = static_cast<char>(out[i] - 'A' + 'a');
    }
  }
  return out;
}

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  // Folding keeps byte lengths, so the folded prefix lines up with the folded text.
  return FoldAsciiLower(text.substr(0, prefix.size())) == FoldAsciiLower(prefix);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && FoldAsciiLower(a) == FoldAsciiLower(b);
}

int CountCharacters(std::string_view t) {
  int count = 0;
  for (std::size_t i = 0; i < t.size(); ++i, ++count) {
    if (IsLeadByte(t[i])) ++i;
  }
  return count;
}

}  // namespace declarium
