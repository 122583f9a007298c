// convert: declarations from one syntax into another, without the catalogue.
#include <CLI/CLI.hpp>
#include <memory>
#include <string>

#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "import/Convert.h"

namespace declarium::cli {
namespace {

struct ConvertArgs {
  std::string from;
  std::string to;
  std::string file = "-";
};

int RunConvert(const GlobalOptions& options, const ConvertArgs& args) {
  SyntaxKind source = SyntaxKind::E, target = SyntaxKind::E;
  ParseSyntax(args.from, source);
  ParseSyntax(args.to, target);
  std::string text, error;
  if (!ReadDeclarationText(options, args.file, text, error)) {
    PrintError(options, error);
    return kExitFailed;
  }
  // Written as it is made: the converted text is never held whole.
  ConvertDeclarations(text, source, target, BuildStyle(options),
                      [&options](std::string_view piece) { WriteText(options, piece); });
  return kExitOk;
}

}  // namespace

Command AddConvertCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<ConvertArgs>();
  const CLI::Validator syntaxWord(CheckSyntaxWord, "e|csharp|vb", "syntax");
  Command c;
  c.app = app.add_subcommand("convert",
                             "Print the declarations of a file (or standard input) in another syntax; "
                             "the catalogue is not used");
  c.app->add_option("--from", args->from, "Syntax the declarations are written in: e, csharp or vb")
      ->required()
      ->check(syntaxWord);
  c.app->add_option("--to", args->to, "Syntax to write them in: e, csharp or vb")->required()->check(syntaxWord);
  c.app->add_option(
      "file", args->file,
      "File to read (at most " + std::to_string(kInputLimit >> 20) + " MiB); - or none reads standard input");
  c.run = [&options, args] { return RunConvert(options, *args); };
  return c;
}

}  // namespace declarium::cli
