// import: declarations read from files or standard input, stored in one go.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>
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

int RunImport(const GlobalOptions& options, const ImportArgs& args) {
  SyntaxKind syntax = SyntaxKind::E;
  ParseSyntax(args.from, syntax);

  CatalogueStore store;
  if (!OpenCatalogue(options, store)) return kExitFailed;

  // One transaction: if the process is interrupted or killed meanwhile,
  // SQLite rolls the unfinished transaction back, so nothing is half stored.
  // Every file is read on its own, so that a declaration cannot run on from
  // the end of one file into the next, and stored in batches as it is read,
  // so that a long text never has all its records in memory at once.
  ImportSession session(store);
  DeclarationBatches batches;
  batches.functions = [&session](std::vector<FunctionRecord>& b) { session.Add(b); };
  batches.dataTypes = [&session](std::vector<DataTypeRecord>& b) { session.Add(b); };
  batches.constants = [&session](std::vector<ConstantRecord>& b) { session.Add(b); };
  const std::vector<std::string> names = args.files.empty() ? std::vector<std::string>{"-"} : args.files;
  for (const std::string& name : names) {
    std::string text, error;
    if (!ReadDeclarationText(options, name, text, error)) {
      PrintError(options, error);
      return kExitFailed;
    }
    ReadDeclarations(text, syntax, batches);
  }
  if (!session.Commit()) {
    PrintError(options, "添加失败！\r\n" + session.Message());
    return kExitFailed;
  }
  PrintMessage(options, session.Message());
  // The rows are stored whatever happens to the report: a plain failure
  // would have the user import them again.
  if (!OutputWasWritten(options)) {
    PrintError(options, "已添加，但报告未能写出。");
    return kExitReportLost;
  }
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
  c.app->add_option(
      "files", args->files,
      "Files to read (each at most " + std::to_string(kInputLimit >> 20) + " MiB); - or none reads standard input");
  c.run = [&options, args] { return RunImport(options, *args); };
  return c;
}

}  // namespace declarium::cli
