#include "import/Convert.h"

#include "import/Readers.h"
#include "output/Declarations.h"

namespace declarium {

std::string ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target,
                                const DeclarationStyle& style) {
  ParsedDeclarations parsed;
  ReadDeclarations(text, source, parsed);

  // The generators may fill in empty Chinese names, so they work on these copies.
  std::string out;
  for (FunctionRecord& f : parsed.functions) {
    out += DeclareFunction(target, f, style);
    out += "\r\n";
  }
  for (DataTypeRecord& d : parsed.dataTypes) {
    out += DeclareDataType(target, d, style);
    out += "\r\n";
  }
  for (const ConstantRecord& c : parsed.constants) {
    out += DeclareConstant(target, c, style);
    out += "\r\n";
  }
  return out;
}

}  // namespace declarium
