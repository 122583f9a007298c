// import: declarations read from files or standard input, stored in one go.
#include <CLI/CLI.hpp>
#include <memory>
#include <vector>

#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/OpenCatalogue.h"
#include "import/Readers.h"
#include "import/StoreImported.h"

namespace declarium::cli {
namespace {

struct ImportArgs {
  std::string from;
  std::vector<std::string> files;
};

template <typename T>
void Append(std::vector<T>& to, std::vector<T>& from) {
  to.insert(to.end(), std::make_move_iterator(from.begin()), std::make_move_iterator(from.end()));
}

int RunImport(const GlobalOptions& options, const ImportArgs& args) {
  SyntaxKind syntax = SyntaxKind::E;
  ParseSyntax(args.from, syntax);

  CatalogueStore store;
  if (!OpenCatalogue(options, store)) return kExitFailed;

  // Every file is read on its own, so that a declaration cannot run on from
  // the end of one file into the next; all of them are then stored together.
  ParsedDeclarations all;
  const std::vector<std::string> names = args.files.empty() ? std::vector<std::string>{"-"} : args.files;
  for (const std::string& name : names) {
    std::string text, error;
    if (!ReadDeclarationText(options, name, text, error)) {
      PrintError(options, error);
      return kExitFailed;
    }
    ParsedDeclarations one;
    ReadDeclarations(text, syntax, one);
    Append(all.functions, one.functions);
    Append(all.dataTypes, one.dataTypes);
    Append(all.constants, one.constants);
  }

  // One transaction: if the process is interrupted or killed meanwhile,
  // SQLite rolls the unfinished transaction back, so nothing is half stored.
  std::string message;
  if (!StoreImported(store, all.functions, all.dataTypes, all.constants, message)) {
    PrintError(options, "添加失败！\r\n" + message);
    return kExitFailed;
  }
  PrintMessage(options, message);
  return kExitOk;
}

}  // namespace

Command AddImportCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<ImportArgs>();
  Command c;
  c.app = app.add_subcommand("import",
                             "Read declarations from files (or standard input) and add every function, "
                             "data type and constant whose name is new to the catalogue");
  c.app->add_option("--from", args->from, "Syntax of the declarations: e, csharp or vb (also 0, 1, 2)")
      ->required()
      ->check(CLI::Validator(CheckSyntaxWord, "e|csharp|vb", "syntax"));
  c.app->add_option("files", args->files, "Files to read; - or none reads standard input");
  c.run = [&options, args] { return RunImport(options, *args); };
  return c;
}

}  // namespace declarium::cli
