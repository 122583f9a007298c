// stats: how many functions, data types and constants the catalogue holds.
#include <CLI/CLI.hpp>

#include "catalogue/Statistics.h"
#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/OpenCatalogue.h"

namespace declarium::cli {
namespace {

int RunStats(const GlobalOptions& options) {
  CatalogueStore store;
  if (!OpenCatalogue(options, store)) return kExitFailed;
  std::string text;
  if (!StatisticsText(store, text)) {
    PrintError(options, store.WithErrorMessage("获取数据错误！"));
    return kExitFailed;
  }
  PrintMessage(options, text);
  return kExitOk;
}

}  // namespace

Command AddStatsCommand(CLI::App& app, const GlobalOptions& options) {
  Command c;
  c.app = app.add_subcommand("stats", "Print the numbers of functions, data types and constants");
  c.run = [&options] { return RunStats(options); };
  return c;
}

}  // namespace declarium::cli
