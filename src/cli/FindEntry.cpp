#include "cli/FindEntry.h"

#include "catalogue/EntryQueries.h"
#include "cli/CliIo.h"
#include "text/Gbk.h"

namespace declarium::cli {

int FindNamedEntry(const GlobalOptions& options, CatalogueStore& store, const char* table,
                   const std::string& utf8Name) {
  int id = 0;
  if (!FindEntryByName(store, table, Utf8ToGbk(utf8Name), id)) {
    PrintError(options, store.WithErrorMessage("获取数据错误！"));
    return 0;
  }
  if (id == 0) PrintError(options, "没有找到记录！");
  return id;
}

}  // namespace declarium::cli
