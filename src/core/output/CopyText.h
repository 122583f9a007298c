// The texts the two copy commands put on the clipboard.
#pragma once

#include <string>
#include <vector>

#include "output/DeclarationStyle.h"
#include "store/Records.h"

namespace declarium {

class CatalogueStore;

// An entry gathered for copying, with the view it was taken from.
struct InsertListEntry {
  std::string text;  // the entry's 名称
  int id = 0;
  BrowseMode kind = BrowseMode::Functions;
};

// What a copy command does with the outcome of building its text.
enum class CopyResult {
  Copied,   // text is set: put it on the clipboard and beep
  Nothing,  // nothing to copy (id 0, no such list, empty insert list): stop silently
  Failed,   // an entry could not be loaded: show "复制失败！"; text is untouched
};

// The declaration of one entry, headed by ".版本 2" and an empty line for E.
// kind is the BrowseMode of the list the entry is selected in.
CopyResult SelectedDeclaration(CatalogueStore& store, BrowseMode kind, int id, SyntaxKind target,
                               const DeclarationStyle& style, std::string& text);

// Every entry in order, each followed by CR LF (E: headed by ".版本 2" and an
// empty line); entries with id 0 are skipped. Nothing for an empty list;
// Failed, with text untouched, when one entry cannot be loaded or has a kind
// that is no view.
CopyResult InsertListDeclarations(CatalogueStore& store, const std::vector<InsertListEntry>& entries,
                                  SyntaxKind target, const DeclarationStyle& style, std::string& text);

// The E syntax's head of a copied text: ".版本 2" and an empty line.
const std::string& EHeader();

}  // namespace declarium
