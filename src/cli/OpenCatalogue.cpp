#include "cli/OpenCatalogue.h"

#include <system_error>

#include "cli/CliIo.h"
#include "store/Schema.h"

namespace declarium::cli {

bool OpenCatalogue(const GlobalOptions& options, CatalogueStore& store) {
  const std::string name = "cannot open the catalogue " + PathText(options.db);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(options.db, ec)) {
    PrintError(options, name + ": no such file (create it with: declarium-cli init)");
    return false;
  }
  if (!store.OpenPath(options.db, false)) {
    PrintError(options, name);
    return false;
  }
  // SQLite reads the file only at the first statement: ask now, so that a
  // file that is not a catalogue is reported as such and not as empty lists.
  std::string problem;
  bool missing = false;
  if (!HoldsCatalogue(store, problem, missing)) {
    PrintError(options, name + ": " + (missing ? "not a catalogue, it lacks the tables " + problem : problem));
    return false;
  }
  return true;
}

}  // namespace declarium::cli
