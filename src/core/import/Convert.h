// Converting declarations from one syntax into another, without the catalogue.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "output/DeclarationStyle.h"
#include "store/Records.h"

namespace declarium {

// All functions, then all data types, then all constants of the text, each
// declaration followed by CR LF; no ".版本 2" header.
std::string ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target,
                                const DeclarationStyle& style);

// The same text, given to write a piece at a time as it is made, so that a
// long text is never held whole twice.
using ConvertedPiece = std::function<void(std::string_view)>;
void ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target, const DeclarationStyle& style,
                         const ConvertedPiece& write);

}  // namespace declarium
