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

}  // namespace declarium
