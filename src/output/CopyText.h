// The texts the two copy commands put on the clipboard.
#pragma once

#include <string>
#include <vector>

#include "app/Settings.h"
#include "store/Records.h"

namespace declarium {

class CatalogueStore;

// Kinds are BrowseMode values: 0 function (functions list), 1 function (tree),
// 2 data type, 3 constant.
struct InsertListEntry {
  std::string text;  // the entry's 名称
  int id = 0;
  int kind = 0;
};

// The declaration of one entry, headed by ".版本 2" and an empty line for E.
// False when the entry cannot be loaded ("复制失败！"); text is then untouched.
bool SelectedDeclarationText(CatalogueStore& store, int kind, int id, SyntaxKind target,
                             const Settings& settings, std::string& text);

// Every entry in order, each followed by CR LF (E: headed by ".版本 2" and an
// empty line); entries with id 0 are skipped. False, with text untouched,
// when one entry cannot be loaded.
bool InsertListDeclarationsText(CatalogueStore& store, const std::vector<InsertListEntry>& entries,
                                SyntaxKind target, const Settings& settings, std::string& text);

}  // namespace declarium
