// Runs the three readers of one syntax over arbitrary bytes. Reading never
// fails, so the only findings are crashes, reads outside the text, undefined
// behaviour, hangs and records that do not carry the syntax they came from.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "import/Readers.h"

#ifndef DECLARIUM_FUZZ_SYNTAX
#error "DECLARIUM_FUZZ_SYNTAX gives the syntax whose readers are fuzzed"
#endif

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  constexpr declarium::SyntaxKind syntax = declarium::SyntaxOfNumber(DECLARIUM_FUZZ_SYNTAX);
  // libFuzzer hands over a heap block of exactly size bytes, so one byte read
  // past the text is caught.
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  declarium::ParsedDeclarations parsed;
  declarium::ReadDeclarations(text, syntax, parsed);
  for (const auto& f : parsed.functions) {
    if (f.syntax != syntax) __builtin_trap();
  }
  for (const auto& d : parsed.dataTypes) {
    if (d.syntax != syntax) __builtin_trap();
  }
  return 0;
}
