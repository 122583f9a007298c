// Deleting entries with what they own, and saving the constant editor.
#pragma once

#include <string_view>

#include "store/CatalogueStore.h"

namespace declarium {

// A function with its parameters / a data type with its members, in one
// transaction: any failure rolls the whole deletion back. False for id 0.
bool DeleteFunction(CatalogueStore& store, int id);
bool DeleteDataType(CatalogueStore& store, int id);
// One statement, no transaction. False for id 0.
bool DeleteConstant(CatalogueStore& store, int id);

// Writes the four edited texts of a constant as they are, whatever their length.
bool SaveConstant(CatalogueStore& store, int id, std::string_view name, std::string_view hex, std::string_view decimal,
                  std::string_view remark);

}  // namespace declarium
