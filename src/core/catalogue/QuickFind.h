// Type-ahead find: the first entry whose name begins with what was typed,
// letter case of A to Z not counting.
#pragma once

#include <string>
#include <string_view>

#include "store/CatalogueStore.h"

namespace declarium {

// The first constant name (in 名称 order) that begins with key, ignoring ASCII
// case; empty when there is none or the query fails. The database compares
// characters, so the key's length is given in characters, not bytes.
std::string FirstConstantWithPrefix(CatalogueStore& store, std::string_view key);

// The category tree's match: item text cut to the key's byte length, folded, equals the folded key.
bool TreeItemMatchesKey(std::string_view itemText, std::string_view key);

}  // namespace declarium
