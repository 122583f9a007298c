// The commands. Each registers its subcommand and gives back what runs it.
#pragma once

#include <functional>

#include "cli/CliOptions.h"

namespace declarium::cli {

struct Command {
  CLI::App* app = nullptr;
  std::function<int()> run;  // the exit code
};

Command AddInitCommand(CLI::App& app, const GlobalOptions& options);
Command AddImportCommand(CLI::App& app, const GlobalOptions& options);
Command AddConvertCommand(CLI::App& app, const GlobalOptions& options);
Command AddDeclareCommand(CLI::App& app, const GlobalOptions& options);
Command AddPageCommand(CLI::App& app, const GlobalOptions& options);
Command AddExportCommand(CLI::App& app, const GlobalOptions& options);
Command AddStatsCommand(CLI::App& app, const GlobalOptions& options);
Command AddListCommand(CLI::App& app, const GlobalOptions& options);
Command AddConstantsCommand(CLI::App& app, const GlobalOptions& options);
Command AddLayoutCommand(CLI::App& app, const GlobalOptions& options);

}  // namespace declarium::cli
