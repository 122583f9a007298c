// The integer constants of the headers' object-like macros, as the compiler
// evaluates them.
#pragma once

#include <clang-c/Index.h>

#include <string>
#include <unordered_set>
#include <vector>

#include "apigen/HeaderScan.h"

namespace declarium::apigen {

// A macro the scanner met, with the header that defines it.
struct MacroDefinition {
  std::string name;
  std::string header;
};

// Asks the compiler for the value of each macro: one declaration takes the
// macro's own type (to tell integers from pointers and texts), another its
// value converted to a 32-bit integer, for pointers such as
// INVALID_HANDLE_VALUE. Declarations whose initializer does not compile are
// left out by the compiler and give no constant.
bool EvaluateMacros(CXIndex index, const ScanSettings& settings, const std::vector<MacroDefinition>& macros,
                    std::unordered_set<std::string>& names, HeaderCatalogue& out, std::string& error);

}  // namespace declarium::apigen
