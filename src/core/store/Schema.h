// The catalogue's tables and indexes, and their creation in a new file.
#pragma once

#include <string>

namespace declarium {

class CatalogueStore;

// The nine creation statements, each ending in ";", joined by CR LF.
const std::string& SchemaScript();

// Runs the script inside one transaction, so a failure leaves no table
// behind; error receives the database's text.
bool CreateSchema(CatalogueStore& store, std::string& error);

// Indexes on the owner columns (函数参数表.所属函数, 数据类型成员表.所属数据类型),
// which every page and every copy with dependencies looks rows up by; added
// where missing, inside whatever transaction is open (an import's, or the
// first writing open's). False when the database refuses.
bool AddOwnerIndexes(CatalogueStore& store);

// Whether the open file holds the catalogue's six tables (a view of the same
// name counts). When it does not, problem receives the names of those it
// lacks (GBK, joined by "、"), or the database's words when it cannot even be
// asked, as for a file that is no database; missing tells which.
bool HoldsCatalogue(CatalogueStore& store, std::string& problem, bool& missing);

}  // namespace declarium
