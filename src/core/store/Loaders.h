// Loading one entry by id. A loader fails for id 0 or a query that fails; an
// id naming no row gives an empty record and true.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "store/Records.h"

namespace declarium {

class CatalogueStore;
class Statement;

bool LoadFunction(CatalogueStore& store, int id, FunctionRecord& record);
bool LoadDataType(CatalogueStore& store, int id, DataTypeRecord& record);
bool LoadConstant(CatalogueStore& store, int id, ConstantRecord& record);

// The id of the data type of that name: exact 名称 first, then regardless of
// ASCII case; 0 when there is none. False when the query fails.
bool FindDataTypeByName(CatalogueStore& store, std::string_view name, int& id);

// Loading many entries in a row. The parameter and member tables have no
// index on their owner column, so loading the children of each entry on its
// own scans the whole table every time; these read the children of all
// chosen owners in one pass instead. ownerIds is an SQL query giving the
// owners' ids ("select id from 函数表 where ...").
using ChildRows = std::unordered_map<int, std::vector<ParameterRecord>>;
bool LoadParametersOf(CatalogueStore& store, std::string_view ownerIds, ChildRows& rows);
bool LoadMembersOf(CatalogueStore& store, std::string_view ownerIds, ChildRows& rows);
// The entry's own row only; its children come from LoadParametersOf/LoadMembersOf.
bool LoadFunctionRow(CatalogueStore& store, int id, FunctionRecord& record);
bool LoadDataTypeRow(CatalogueStore& store, int id, DataTypeRecord& record);

// The rows of many entries from one query: "select " + FunctionColumns(store) +
// " from 函数表 ..." gives the rows ReadFunctionRow reads, and so on (the
// functions' columns depend on whether the file has native types).
std::string FunctionColumns(CatalogueStore& store);
std::string DataTypeColumns(CatalogueStore& store);
const std::string& ConstantColumns();
void ReadFunctionRow(CatalogueStore& store, Statement& stmt, FunctionRecord& record);
void ReadDataTypeRow(CatalogueStore& store, Statement& stmt, DataTypeRecord& record);
void ReadConstantRow(CatalogueStore& store, Statement& stmt, ConstantRecord& record);

}  // namespace declarium
