// layout: where a data type's members lie in memory, in C and in VB.
#include <CLI/CLI.hpp>
#include <memory>

#include "cli/CliIo.h"
#include "cli/Commands.h"
#include "cli/FindEntry.h"
#include "cli/OpenCatalogue.h"
#include "output/LayoutReport.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"

namespace declarium::cli {
namespace {

struct LayoutArgs {
  std::string name;
  bool for64 = false;
};

int RunLayout(const GlobalOptions& options, const LayoutArgs& args) {
  CatalogueStore store;
  if (!OpenCatalogue(options, store)) return kExitFailed;
  const int id = FindNamedEntry(options, store, "数据类型表", args.name);
  if (id == 0) return kExitFailed;
  DataTypeRecord record;
  if (!LoadDataType(store, id, record)) {
    PrintError(options, store.WithErrorMessage("获取数据错误！"));
    return kExitFailed;
  }
  DataTypeCache types(&store);
  const std::string report = LayoutReport(record, args.for64, types.Lookup());
  if (report.empty()) {
    PrintError(options, "无法计算布局：有成员的类型不明（不是基本类型，也不在目录中）。");
    return kExitFailed;
  }
  WriteText(options, report);
  return kExitOk;
}

}  // namespace

Command AddLayoutCommand(CLI::App& app, const GlobalOptions& options) {
  auto args = std::make_shared<LayoutArgs>();
  Command c;
  c.app = app.add_subcommand("layout",
                             "Print where each member of a data type lies in memory: offset and size in 32-bit C "
                             "beside the offset VB6 gives it (* where they differ), the gaps C leaves, and the sizes "
                             "and alignments");
  c.app->add_option("name", args->name, "The data type's exact name (the first in list order is taken)")
      ->required()
      ->check(CLI::Validator(CheckGbkText, "TEXT", "gbk text"));
  c.app->add_flag("--64", args->for64,
                  "64-bit C (from the C types of the generated catalogue) beside VBA 7 in 64-bit Office");
  c.run = [&options, args] { return RunLayout(options, *args); };
  return c;
}

}  // namespace declarium::cli
