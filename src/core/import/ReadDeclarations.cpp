#include "import/Readers.h"

namespace declarium {

void ReadDeclarations(std::string_view text, SyntaxKind syntax, std::vector<FunctionRecord>& functions,
                      std::vector<DataTypeRecord>& dataTypes, std::vector<ConstantRecord>& constants) {
  switch (syntax) {
    case SyntaxKind::E:
      ReadEFunctions(text, functions);
      ReadEDataTypes(text, dataTypes);
      ReadEConstants(text, constants);
      return;
    case SyntaxKind::CSharp:
      ReadCSharpFunctions(text, functions);
      ReadCSharpDataTypes(text, dataTypes);
      ReadCSharpConstants(text, constants);
      return;
    case SyntaxKind::Vb:
      ReadVbFunctions(text, functions);
      ReadVbDataTypes(text, dataTypes);
      ReadVbConstants(text, constants);
      return;
    default:
      // No reader for it: nothing is found.
      functions.clear();
      dataTypes.clear();
      constants.clear();
      return;
  }
}

void ReadDeclarations(std::string_view text, SyntaxKind syntax, ParsedDeclarations& out) {
  ReadDeclarations(text, syntax, out.functions, out.dataTypes, out.constants);
}

}  // namespace declarium
