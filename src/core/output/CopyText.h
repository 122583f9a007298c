// The texts the two copy commands put on the clipboard.
#pragma once

#include <string>
#include <vector>

#include "output/DeclarationStyle.h"
#include "store/Records.h"

namespace declarium {

class CatalogueStore;

// An entry to copy.
struct CopyEntry {
  int id = 0;
  EntryKind kind = EntryKind::Functions;
};

// What a copy command does with the outcome of building its text.
enum class CopyResult {
  Copied,   // text is set: put it on the clipboard and beep
  Nothing,  // nothing to copy (id 0, no such list, empty insert list): stop silently
  Failed,   // an entry could not be loaded: show "复制失败！"; text is untouched
};

// The declaration of one entry, headed by ".版本 2" and an empty line for E.
CopyResult SelectedDeclaration(CatalogueStore& store, EntryKind kind, int id, SyntaxKind target,
                               const DeclarationStyle& style, std::string& text);

// Every entry in order, each followed by CR LF (E: headed by ".版本 2" and an
// empty line); entries with id 0 are skipped. Nothing for an empty list;
// Failed, with text untouched, when one entry cannot be loaded or has a kind
// that is no entry kind.
CopyResult InsertListDeclarations(CatalogueStore& store, const std::vector<CopyEntry>& entries, SyntaxKind target,
                                  const DeclarationStyle& style, std::string& text);

// The E syntax's head of a copied text: ".版本 2" and an empty line.
const std::string& EHeader();

}  // namespace declarium
