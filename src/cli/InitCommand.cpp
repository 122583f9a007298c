// init: a new catalogue with the schema.
#include <CLI/CLI.hpp>
#include <system_error>

#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "store/CatalogueStore.h"
#include "store/Schema.h"

namespace declarium::cli {
namespace {

int RunInit(const GlobalOptions& options) {
  const std::filesystem::path& path = options.db;
  // Claim the name exclusively first, so that an existing catalogue is never
  // written to, not even by a second init running at the same moment. An
  // empty file is an empty database to SQLite.
  if (!CreateNewFile(path)) {
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
      PrintError(options, "the catalogue " + PathText(path) + " already exists");
    } else {
      PrintError(options, "cannot create the catalogue " + PathText(path));
    }
    return kExitFailed;
  }

  CatalogueStore store;
  std::string error;
  const bool opened = store.OpenPath(path, true);
  if (!opened || !CreateSchema(store, error)) {
    if (opened) store.Close();
    std::error_code ec;
    std::filesystem::remove(path, ec);
    PrintError(options, "cannot create the catalogue " + PathText(path) + (error.empty() ? "" : ": " + error));
    return kExitFailed;
  }
  store.Close();
  return kExitOk;
}

}  // namespace

Command AddInitCommand(CLI::App& app, const GlobalOptions& options) {
  Command c;
  c.app = app.add_subcommand("init", "Create a new, empty catalogue at --db (fails if the file exists)");
  c.run = [&options] { return RunInit(options); };
  return c;
}

}  // namespace declarium::cli
