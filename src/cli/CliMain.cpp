// declarium-cli: the catalogue's operations from the command line.
#include <CLI/CLI.hpp>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#endif

#include "cli/CliIo.h"
#include "cli/CliOptions.h"
#include "cli/Commands.h"

using namespace declarium::cli;

namespace {

#ifdef _WIN32
// The C runtime's argv is in the ANSI code page, which cannot hold every
// name; the UTF-16 command line can, and becomes the UTF-8 words the
// options expect on every platform.
std::vector<std::string> Arguments(int argc, char** argv) {
  std::vector<std::string> words;
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  for (int i = 0; i < count; ++i) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
    std::string word(n > 0 ? static_cast<std::size_t>(n) : 1u, '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, word.data(), n, nullptr, nullptr);
    word.pop_back();  // the terminating NUL
    words.push_back(std::move(word));
  }
  LocalFree(wide);
  return words;
}
#else
std::vector<std::string> Arguments(int argc, char** argv) { return std::vector<std::string>(argv, argv + argc); }
#endif

}  // namespace

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  std::vector<std::string> words = Arguments(argc, argv);
  std::vector<char*> wordPointers;
  for (std::string& w : words) wordPointers.push_back(w.data());
  wordPointers.push_back(nullptr);

  GlobalOptions options;
  CLI::App app{
      "declarium-cli: the Declarium catalogue of Windows API functions, data types and constants, "
      "and their declarations in the E syntax, C# and VB.",
      "declarium-cli"};
  // Global options may also follow the command.
  app.fallthrough();
  app.require_subcommand(1);
  app.footer(
      "Exit codes: 0 success, 1 a failed operation, 2 wrong usage, 3 an import stored its rows but could not "
      "write its report.");
  app.set_version_flag("--version", "declarium-cli " DECLARIUM_VERSION);
  // "/x" is a value on every platform ("/*" in a condition, a path), never an
  // option; set before the commands are added, which take it over.
  app.allow_windows_style_options(false);
  AddGlobalOptions(app, options);

  const std::vector<Command> commands = {
      AddInitCommand(app, options),    AddImportCommand(app, options), AddConvertCommand(app, options),
      AddDeclareCommand(app, options), AddPageCommand(app, options),   AddExportCommand(app, options),
      AddStatsCommand(app, options),   AddListCommand(app, options),   AddConstantsCommand(app, options),
      AddLayoutCommand(app, options),
  };

  // Help that did not reach its reader (a full disk) is a failure too.
  auto printed = [&options](int code) {
    std::cout.flush();
    return OutputWasWritten(options) && std::cout ? code : kExitFailed;
  };
  try {
    app.parse(static_cast<int>(words.size()), wordPointers.data());
  } catch (const CLI::CallForHelp& e) {
    return printed(app.exit(e));
  } catch (const CLI::CallForAllHelp& e) {
    return printed(app.exit(e));
  } catch (const CLI::CallForVersion& e) {
    return printed(app.exit(e));
  } catch (const CLI::ParseError& e) {
    std::cerr << "declarium-cli: " << e.what() << "\nRun with --help for more information.\n";
    return kExitUsage;
  }

  for (const Command& c : commands) {
    if (!c.app->parsed()) continue;
    int code = kExitFailed;
    try {
      code = c.run();
    } catch (const std::bad_alloc&) {
      // What the command held is freed by now; a store it changed was in a
      // transaction that is rolled back on the way out.
      PrintError(options, "内存不足！");
    }
    // What a command printed and did not reach its reader is a failure too;
    // a command that changed the catalogue before its report says so itself.
    if (code == kExitReportLost) return code;
    return OutputWasWritten(options) ? code : kExitFailed;
  }
  return kExitUsage;
}
