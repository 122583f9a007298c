#include "catalogue/ConstantValues.h"

#include <string>

#include "store/CatalogueStore.h"
#include "store/ConstantNumbers.h"
#include "store/SqlText.h"

namespace declarium {

bool FindConstantsByValue(CatalogueStore& store, std::int64_t value, std::string_view prefix,
                          std::vector<ConstantRow>& rows) {
  rows.clear();
  std::string sql = std::string(kConstantColumns) + " where " + ConstantValueIs(store, "?1");
  const std::string pattern = LikePattern(prefix) + "%";
  if (!prefix.empty()) sql += " and 名称 like ?2 escape '\\'";
  sql += " order by 名称 asc";
  Statement stmt = store.Prepare(sql);
  if (!stmt || !store.BindInt(stmt, 1, value) || (!prefix.empty() && !store.BindText(stmt, 2, pattern))) return false;
  return ReadConstantRows(store, stmt, rows);
}

}  // namespace declarium
