#include "output/CopyText.h"

#include "output/Declarations.h"
#include "store/Loaders.h"

namespace declarium {
namespace {


bool KnownKind(EntryKind kind) { return kind >= EntryKind::Functions && kind <= EntryKind::Constants; }

// Loads the entry and declares it; false when it cannot be loaded.
bool Declaration(CatalogueStore& store, EntryKind kind, int id, SyntaxKind target, const DeclarationStyle& style,
                 std::string& out) {
  switch (kind) {
    case EntryKind::Functions: {
      FunctionRecord f;
      if (!LoadFunction(store, id, f)) return false;
      out = DeclareFunction(target, f, style);
      return true;
    }
    case EntryKind::DataTypes: {
      DataTypeRecord d;
      if (!LoadDataType(store, id, d)) return false;
      DataTypeCache types(&store);
      out = DeclareDataType(target, d, style, types.Lookup());
      return true;
    }
    case EntryKind::Constants: {
      ConstantRecord c;
      if (!LoadConstant(store, id, c)) return false;
      out = DeclareConstant(target, c, style);
      return true;
    }
    default: return false;
  }
}

}  // namespace

const std::string& EHeader() {
  static const std::string header = ".版本 2\r\n\r\n";
  return header;
}

CopyResult SelectedDeclaration(CatalogueStore& store, EntryKind kind, int id, SyntaxKind target,
                               const DeclarationStyle& style, std::string& text) {
  if (id == 0 || !KnownKind(kind) || !IsKnownSyntax(target)) return CopyResult::Nothing;
  std::string declaration;
  if (!Declaration(store, kind, id, target, style, declaration)) return CopyResult::Failed;
  text = target == SyntaxKind::E ? EHeader() + declaration : std::move(declaration);
  return CopyResult::Copied;
}


CopyResult InsertListDeclarations(CatalogueStore& store, const std::vector<CopyEntry>& entries, SyntaxKind target,
                                  const DeclarationStyle& style, std::string& text) {
  if (entries.empty() || !IsKnownSyntax(target)) return CopyResult::Nothing;
  std::string out = target == SyntaxKind::E ? EHeader() : "";
  std::string declaration;
  for (const CopyEntry& e : entries) {
    if (e.id == 0) continue;
    // All or nothing: one entry that cannot be loaded abandons the copy.
    if (!Declaration(store, e.kind, e.id, target, style, declaration)) return CopyResult::Failed;
    out += declaration;
    out += "\r\n";
  }
  text = std::move(out);
  return CopyResult::Copied;
}


}  // namespace declarium
