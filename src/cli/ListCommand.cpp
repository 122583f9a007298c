// list: the names of one list, in the order the main window shows them.
#include <CLI/CLI.hpp>
#include <memory>
#include <vector>

#include "catalogue/EntryQueries.h"
#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/OpenCatalogue.h"

namespace declarium::cli {
namespace {

struct ListArgs {
  std::string which;
};

bool ListedText(CatalogueStore& store, const std::string& which, std::string& text) {
  if (which == "constants") {
    std::vector<ConstantRow> rows;
    if (!ListConstants(store, rows)) return false;
    for (const ConstantRow& r : rows) {
      text += r.name + "\t" + r.hexValue + "\t" + r.decimalValue + "\t" + r.remark + "\n";
    }
    return true;
  }
  std::vector<EntryRow> rows;
  bool ok = which == "categories" ? ListCategories(store, rows)
                                  : ListEntries(store, which == "types" ? "数据类型表" : "函数表", rows);
  if (!ok) return false;
  for (const EntryRow& r : rows) text += r.name + "\n";
  return true;
}

int RunList(const GlobalOptions& options, const ListArgs& args) {
  CatalogueStore store;
  if (!OpenCatalogue(options, store)) return kExitFailed;
  std::string text;
  if (!ListedText(store, args.which, text)) {
    PrintError(options, store.WithErrorMessage("获取数据错误！"));
    return kExitFailed;
  }
  WriteText(options, text);
  return kExitOk;
}

}  // namespace

Command AddListCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<ListArgs>();
  Command c;
  c.app = app.add_subcommand("list",
                             "Print one name per line in list order (constants: name, hexadecimal value, "
                             "decimal value and remark, separated by TAB)");
  c.app->add_option("which", args->which, "functions, types, constants or categories")
      ->required()
      ->check(CLI::IsMember({"functions", "types", "constants", "categories"}));
  c.run = [&options, args] { return RunList(options, *args); };
  return c;
}

}  // namespace declarium::cli
