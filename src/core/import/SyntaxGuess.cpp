#include "import/SyntaxGuess.h"

#include "import/Readers.h"

namespace declarium {

namespace {

bool ReadsSomething(std::string_view text, SyntaxKind syntax) {
  ParsedDeclarations parsed;
  ReadDeclarations(text, syntax, parsed);
  return !parsed.functions.empty() || !parsed.dataTypes.empty() || !parsed.constants.empty();
}

// The language as a programmer calls it, and as the language choices show it.
std::string_view SpokenName(SyntaxKind s) {
  return s == SyntaxKind::E ? "易语言" : s == SyntaxKind::CSharp ? "C#" : "VB";
}
std::string_view ChoiceName(SyntaxKind s) {
  return s == SyntaxKind::E ? "易语言" : s == SyntaxKind::CSharp ? "CSharp" : "VB";
}

}  // namespace

std::optional<SyntaxKind> SyntaxThatReads(std::string_view text, SyntaxKind chosen) {
  if (ReadsSomething(text, chosen)) return std::nullopt;
  for (SyntaxKind other : kAllSyntaxes) {
    if (other != chosen && ReadsSomething(text, other)) return other;
  }
  return std::nullopt;
}

std::string OtherSyntaxHint(SyntaxKind chosen, SyntaxKind other) {
  return "未读到" + std::string(SpokenName(chosen)) + "声明；这段文本像 " + std::string(SpokenName(other)) +
         " 声明，切换到 " + std::string(ChoiceName(other)) + "？";
}

}  // namespace declarium
