// Translation of the basic type names between the three syntaxes.
#pragma once

#include <string>
#include <string_view>

#include "store/Records.h"

namespace declarium {

// Exact, case-sensitive table look-up; any other name, equal codes or a code
// outside 0 to 2 give the name unchanged.
std::string MapTypeName(std::string_view name, SyntaxKind source, SyntaxKind target);

// True for a type the syntax has without declaring it: every name the table
// above maps from, and the syntax's other built-in types (E 日期时间型 and
// 通用型, C# void and uint, VB Any and Variant...). Case-sensitive, as the
// table: a name the table does not map is no basic type to the output either.
bool IsBasicTypeName(std::string_view name, SyntaxKind syntax);

}  // namespace declarium
