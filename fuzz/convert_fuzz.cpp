// Converts arbitrary bytes: the first byte picks the source and target
// syntaxes and the output style, the rest is the pasted text. Findings are
// crashes, reads outside the text, undefined behaviour, hangs, and output
// that is not a sequence of declarations each closed by CR LF.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "import/Convert.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned pick = data[0];
  const declarium::SyntaxKind source = declarium::SyntaxOfNumber(static_cast<int>(pick % 3));
  const declarium::SyntaxKind target = declarium::SyntaxOfNumber(static_cast<int>(pick / 3 % 3));
  declarium::DeclarationStyle style;
  style.insertChineseNames = (pick & 0x20) != 0;
  style.insertRemarks = (pick & 0x40) != 0;
  style.isPublic = (pick & 0x80) != 0;
  if (pick & 0x10) {
    style.namePrefix = "Api";
    style.nameSuffix = "W";
  }
  // The rest stays a heap block of its own size, so one byte read past the
  // text is caught.
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string out = declarium::ConvertDeclarations(text, source, target, style);
  if (text.empty() && !out.empty()) __builtin_trap();
  if (!out.empty() && (out.size() < 2 || out.compare(out.size() - 2, 2, "\r\n") != 0)) __builtin_trap();
  // The same text always converts the same way.
  if (declarium::ConvertDeclarations(text, source, target, style) != out) __builtin_trap();
  return 0;
}
