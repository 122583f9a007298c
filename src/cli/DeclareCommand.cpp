// declare: the text the clipboard copy of one entry would get.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/EntryKinds.h"
#include "cli/FindEntry.h"
#include "cli/OpenCatalogue.h"
#include "output/CopyText.h"
#include "output/Dependencies.h"

namespace declarium::cli {
namespace {

struct DeclareArgs {
  std::string kind;
  std::string name;
  bool withDependencies = false;
};

int RunDeclare(const GlobalOptions& options, const DeclareArgs& args) {
  const EntryKind* kind = FindEntryKind(args.kind);
  CatalogueStore store;
  if (kind == nullptr || !OpenCatalogue(options, store)) return kExitFailed;
  const int id = FindNamedEntry(options, store, kind->table, args.name);
  if (id == 0) return kExitFailed;
  std::string text;
  const CopyResult result =
      args.withDependencies
          ? DeclarationsWithDependencies(store, {{id, kind->entryKind}}, options.Syntax(), BuildStyle(options), text)
          : SelectedDeclaration(store, kind->entryKind, id, options.Syntax(), BuildStyle(options), text);
  if (result != CopyResult::Copied) {
    PrintError(options, store.WithErrorMessage("复制失败！"));
    return kExitFailed;
  }
  WriteText(options, text);
  return kExitOk;
}

}  // namespace

Command AddDeclareCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<DeclareArgs>();
  Command c;
  c.app = app.add_subcommand("declare", "Print the declaration of one entry in --syntax, as the copy command makes it");
  c.app->add_option("kind", args->kind, "function, type or constant")
      ->required()
      ->check(CLI::IsMember({"function", "type", "constant"}));
  c.app->add_option("name", args->name, "The entry's exact name (the first in list order is taken)")
      ->required()
      ->check(CLI::Validator(CheckGbkText, "TEXT", "gbk text"));
  c.app->add_flag("--with-dependencies", args->withDependencies,
                  "Also every data type the entry uses, each once and before its first use; names the catalogue "
                  "lacks end the text as comment lines");
  c.run = [&options, args] { return RunDeclare(options, *args); };
  return c;
}

}  // namespace declarium::cli
