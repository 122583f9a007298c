#include "catalogue/QuickFind.h"

#include "text/AsciiFold.h"

namespace declarium {

std::string FirstConstantWithPrefix(CatalogueStore& store, std::string_view key) {
  // lower() of the database folds only A to Z, like FoldAsciiLower.
  const std::string folded = FoldAsciiLower(key);
  // substr() stops at a NUL byte; a key holding one is compared byte for byte.
  if (folded.find('\0') != std::string::npos) {
    return store.QueryTextWith("select 名称 from 常量表 where instr(lower(名称),?)=1 order by 名称 asc", {folded});
  }
  // Every name that matches lies between the key in capitals and the key in
  // small letters followed by the highest byte (capitals sort first), so the
  // name index finds the first match without reading the table.
  std::string upper = folded;
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return store.QueryTextWith(
      "select 名称 from 常量表 where 名称>=?1 and 名称<?2||x'FF' and lower(substr(名称,1,?3))=?2 order by 名称 asc "
      "limit 1",
      {upper, folded, CountCharacters(folded)});
}

bool TreeItemMatchesKey(std::string_view itemText, std::string_view key) {
  return FoldAsciiLower(itemText.substr(0, key.size())) == FoldAsciiLower(key);
}

}  // namespace declarium
