// Opening the existing catalogue for a command. The command line never
// creates data.db by itself; only init does.
#pragma once

#include "cli/CliOptions.h"
#include "store/CatalogueStore.h"

namespace declarium::cli {

// Opens options.db; on failure prints why and gives false.
bool OpenCatalogue(const GlobalOptions& options, CatalogueStore& store);

}  // namespace declarium::cli
