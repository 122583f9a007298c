#include "import/Convert.h"

#include <map>

#include "import/Readers.h"
#include "output/Declarations.h"

namespace declarium {

void ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target, const DeclarationStyle& style,
                         const ConvertedPiece& write) {
  // Written a piece of about 64 KB at a time: the piece and what the writer
  // makes of it stay in memory already in use. The generators append to the
  // piece, and may fill in empty Chinese names, so they work on the batch's
  // records.
  constexpr std::size_t kPiece = 1 << 16;
  std::string piece;
  auto declare = [&](auto& records, auto generate) {
    for (auto& r : records) {
      generate(piece, target, r, style);
      piece += "\r\n";
      if (piece.size() >= kPiece) {
        write(piece);
        piece.clear();
      }
    }
    if (!piece.empty()) write(piece);
    piece.clear();
  };
  // Declarations that are written by themselves come in small batches, whose
  // records stay in the cache and in memory already in use. A VB Type's
  // padding needs the types nested in it: those of the text up to the end of
  // its batch, so data types written as VB keep the batch of every reading.
  // Only VB keeps those types, so other conversions stay in bounded memory.
  constexpr std::size_t kSmallBatch = 256;
  const std::size_t typeBatch = target == SyntaxKind::Vb ? kReadBatch : kSmallBatch;
  std::vector<FunctionRecord> functions;
  std::vector<DataTypeRecord> dataTypes;
  std::vector<ConstantRecord> constants;
  DataTypeCache types;  // of the batches before
  auto declareTypes = [&](std::vector<DataTypeRecord>& b) {
    if (target != SyntaxKind::Vb) {
      declare(b, [](std::string& out, SyntaxKind t, DataTypeRecord& d, const DeclarationStyle& s) {
        AppendDataType(out, t, d, s);
      });
      return;
    }
    // A name is the batch's last type of that name, else one of a batch
    // before; the batch's records are taken over by the cache afterwards,
    // when they would be thrown away.
    std::map<std::string_view, const DataTypeRecord*> batch;
    for (const DataTypeRecord& d : b)
      if (!d.name.empty()) batch.insert_or_assign(d.name, &d);
    const DataTypeLookup lookup = [&](std::string_view name) {
      const auto it = batch.find(name);
      return it != batch.end() ? it->second : types.Find(name);
    };
    declare(b, [&](std::string& out, SyntaxKind t, DataTypeRecord& d, const DeclarationStyle& s) {
      AppendDataType(out, t, d, s, lookup);
    });
    batch.clear();
    for (DataTypeRecord& d : b) types.Add(std::move(d));
  };
  ReadDeclarations(text, source,
                   {functions, kSmallBatch, [&](std::vector<FunctionRecord>& b) { declare(b, AppendFunction); }},
                   {dataTypes, typeBatch, declareTypes},
                   {constants, kSmallBatch, [&](std::vector<ConstantRecord>& b) { declare(b, AppendConstant); }});
}

std::string ConvertDeclarations(std::string_view text, SyntaxKind source, SyntaxKind target,
                                const DeclarationStyle& style) {
  std::string out;
  ConvertDeclarations(text, source, target, style, [&out](std::string_view piece) { out += piece; });
  return out;
}

}  // namespace declarium
