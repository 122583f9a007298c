// declarium-cli: the catalogue's operations from the command line.
#include <CLI/CLI.hpp>
#include <iostream>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/Commands.h"

using namespace declarium::cli;

int main(int argc, char** argv) {
  GlobalOptions options;
  CLI::App app{
      "declarium-cli: the Declarium catalogue of Windows API functions, data types and constants, "
      "and their declarations in the E syntax, C# and VB.",
      "declarium-cli"};
  // Global options may also follow the command.
  app.fallthrough();
  app.require_subcommand(1);
  AddGlobalOptions(app, options);

  const std::vector<Command> commands = {
      AddInitCommand(app, options),    AddImportCommand(app, options), AddConvertCommand(app, options),
      AddDeclareCommand(app, options), AddPageCommand(app, options),   AddExportCommand(app, options),
      AddStatsCommand(app, options),   AddListCommand(app, options),
  };

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "declarium-cli: " << e.what() << "\nRun with --help for more information.\n";
    return kExitUsage;
  }

  for (const Command& c : commands) {
    if (c.app->parsed()) return c.run();
  }
  return kExitUsage;
}
