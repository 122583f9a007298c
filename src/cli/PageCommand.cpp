// page: the detail page of a function or data type.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/EntryKinds.h"
#include "cli/FindEntry.h"
#include "cli/OpenCatalogue.h"
#include "output/DetailPages.h"

namespace declarium::cli {
namespace {

struct PageArgs {
  std::string kind;
  std::string name;
};

int RunPage(const GlobalOptions& options, const PageArgs& args) {
  const EntryKind* kind = FindEntryKind(args.kind);
  CatalogueStore store;
  if (kind == nullptr || !OpenCatalogue(options, store)) return kExitFailed;
  const int id = FindNamedEntry(options, store, kind->table, args.name);
  if (id == 0) return kExitFailed;
  DetailDocument document;
  if (!BuildDetailDocument(store, kind->table, id, options.Syntax(), document,
                           Native64(BuildStyle(options), options.Syntax()))) {
    PrintError(options, store.WithErrorMessage("获取数据错误！"));
    return kExitFailed;
  }
  WriteText(options, document.html);
  return kExitOk;
}

}  // namespace

Command AddPageCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<PageArgs>();
  Command c;
  c.app = app.add_subcommand("page",
                             "Print the HTML detail page (style sheet and table) of a function or data "
                             "type in --syntax");
  c.app->add_option("kind", args->kind, "function or type")->required()->check(CLI::IsMember({"function", "type"}));
  c.app->add_option("name", args->name, "The entry's exact name (the first in list order is taken)")
      ->required()
      ->check(CLI::Validator(CheckGbkText, "TEXT", "gbk text"));
  c.run = [&options, args] { return RunPage(options, *args); };
  return c;
}

}  // namespace declarium::cli
