#include "import/Convert.h"

#include "import/Readers.h"
#include "output/Declarations.h"

namespace declarium {

void ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target, const DeclarationStyle& style,
                         const ConvertedPiece& write) {
  // One piece per batch; the generators may fill in empty Chinese names, so
  // they work on the batch's records.
  std::string piece;
  auto declare = [&](auto& records, auto generate) {
    piece.clear();
    for (auto& r : records) {
      piece += generate(target, r, style);
      piece += "\r\n";
    }
    write(piece);
  };
  DeclarationBatches batches;
  batches.functions = [&](std::vector<FunctionRecord>& b) { declare(b, DeclareFunction); };
  // A VB Type's padding needs the types nested in it: those the text declared
  // so far. Only VB keeps them, so other conversions stay in bounded memory.
  DataTypeCache types;
  batches.dataTypes = [&](std::vector<DataTypeRecord>& b) {
    if (target == SyntaxKind::Vb)
      for (const DataTypeRecord& d : b) types.Add(d);
    declare(b, [&](SyntaxKind t, DataTypeRecord& d, const DeclarationStyle& s) {
      return DeclareDataType(t, d, s, types.Lookup());
    });
  };
  batches.constants = [&](std::vector<ConstantRecord>& b) { declare(b, DeclareConstant); };
  ReadDeclarations(text, source, batches);
}

std::string ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target,
                                const DeclarationStyle& style) {
  std::string out;
  ConvertDeclarations(text, source, target, style, [&out](std::string_view piece) { out += piece; });
  return out;
}

}  // namespace declarium
