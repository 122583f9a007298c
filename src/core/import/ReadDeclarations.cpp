#include "import/Readers.h"

namespace declarium {

void ReadDeclarations(std::string_view text, SyntaxKind syntax, RecordSink<FunctionRecord> functions,
                      RecordSink<DataTypeRecord> dataTypes, RecordSink<ConstantRecord> constants) {
  switch (syntax) {
    case SyntaxKind::E:
      ReadEFunctions(text, std::move(functions));
      ReadEDataTypes(text, std::move(dataTypes));
      ReadEConstants(text, std::move(constants));
      return;
    case SyntaxKind::CSharp:
      ReadCSharpFunctions(text, std::move(functions));
      ReadCSharpDataTypes(text, std::move(dataTypes));
      ReadCSharpConstants(text, std::move(constants));
      return;
    case SyntaxKind::Vb:
      ReadVbDeclarations(text, std::move(functions), std::move(dataTypes), std::move(constants));
      return;
    default:
      // No reader for it: nothing is found (the sinks were emptied).
      return;
  }
}

void ReadDeclarations(std::string_view text, SyntaxKind syntax, ParsedDeclarations& out) {
  ReadDeclarations(text, syntax, out.functions, out.dataTypes, out.constants);
}

void ReadDeclarations(std::string_view text, SyntaxKind syntax, const DeclarationBatches& batches, std::size_t batch) {
  std::vector<FunctionRecord> functions;
  std::vector<DataTypeRecord> dataTypes;
  std::vector<ConstantRecord> constants;
  ReadDeclarations(text, syntax, {functions, batch, batches.functions}, {dataTypes, batch, batches.dataTypes},
                   {constants, batch, batches.constants});
}

}  // namespace declarium
