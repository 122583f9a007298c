// Converting declarations from one syntax into another, without the catalogue.
#pragma once

#include <string>
#include <string_view>

#include "output/DeclarationStyle.h"
#include "store/Records.h"

namespace declarium {

// All functions, then all data types, then all constants of the text, each
// declaration followed by CR LF; no ".版本 2" header.
std::string ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target,
                                const DeclarationStyle& style);

}  // namespace declarium
