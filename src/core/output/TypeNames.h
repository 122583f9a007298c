// Translation of the basic type names between the three syntaxes.
#pragma once

#include <string>
#include <string_view>

#include "store/Records.h"

namespace declarium {

// Exact, case-sensitive table look-up; any other name, equal codes or a code
// outside 0 to 2 give the name unchanged.
std::string MapTypeName(std::string_view name, SyntaxKind source, SyntaxKind target);

}  // namespace declarium
