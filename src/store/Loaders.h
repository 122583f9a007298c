// Loading one entry by id. A loader fails only for id 0 or a query that
// cannot be prepared; an id naming no row gives an empty record and true.
#pragma once

#include "store/Records.h"

namespace declarium {

class CatalogueStore;

bool LoadFunction(CatalogueStore& store, int id, FunctionRecord& record);
bool LoadDataType(CatalogueStore& store, int id, DataTypeRecord& record);
bool LoadConstant(CatalogueStore& store, int id, ConstantRecord& record);

}  // namespace declarium
