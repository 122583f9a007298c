// Constants by value: which constants a number (from code or a message log)
// could be.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "catalogue/EntryQueries.h"

namespace declarium {

class CatalogueStore;

// Every constant whose number is value, 名称 beginning with prefix (ASCII
// letter case not counting; empty: all), in 名称 order. False when the query fails.
bool FindConstantsByValue(CatalogueStore& store, std::int64_t value, std::string_view prefix,
                          std::vector<ConstantRow>& rows);

}  // namespace declarium
