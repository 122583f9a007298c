#include "catalogue/Categories.h"

namespace declarium {

bool NewCategory(CatalogueStore& store, int& id, std::string& error) {
  if (!store.Exec("insert into 类别表 (名称) values ('新分类')", error)) return false;
  id = store.LastInsertId();
  return true;
}

std::string RenamedCategoryName(std::string_view newName, std::string_view currentText) {
  return std::string(newName.empty() ? currentText : newName);
}

bool RenameCategory(CatalogueStore& store, int id, std::string_view newName, std::string_view currentText,
                    std::string& error) {
  return store.RunWith("update 类别表 set 名称=? where id=?", {RenamedCategoryName(newName, currentText), id}, error);
}

bool DeleteCategory(CatalogueStore& store, int id, std::string& error) {
  error.clear();
  if (id == 0) return false;
  return store.RunWith("delete from 类别表 where id=?", {id}, error);
}

std::string DeleteCategoryQuestion(std::string_view name) { return "你真的要删除“" + std::string(name) + "”分类吗？"; }

bool UnfileFunction(CatalogueStore& store, int functionId, std::string& error) {
  return store.RunWith("update 函数表 set 类别=0 where id=?", {functionId}, error);
}

bool FileFunction(CatalogueStore& store, int categoryId, int functionId, std::string& error) {
  return store.RunWith("update 函数表 set 类别=? where id=?", {categoryId, functionId}, error);
}

int FileFunctions(CatalogueStore& store, int categoryId, const std::vector<int>& functionIds, std::string& error) {
  error.clear();
  int written = 0;
  for (int functionId : functionIds) {
    if (!FileFunction(store, categoryId, functionId, error)) break;
    ++written;
  }
  return written;
}

bool FunctionsNotInCategory(CatalogueStore& store, int categoryId, std::vector<EntryRow>& rows) {
  return ListIdAndName(store, "select id,名称 from 函数表 where 类别!=? order by 名称 asc", rows, {categoryId});
}

bool FunctionsInCategory(CatalogueStore& store, int categoryId, std::vector<EntryRow>& rows) {
  return ListIdAndName(store, "select id,名称 from 函数表 where 类别=? order by 名称 asc", rows, {categoryId});
}

bool LoadCategoryTree(CatalogueStore& store, std::vector<CategoryNode>& tree) {
  tree.clear();
  Statement categories = store.Prepare("select id,名称 from 类别表 order by 名称 asc");
  if (!categories) return false;
  while (store.NextRow(categories)) {
    CategoryNode node;
    node.id = store.ColumnInt(categories, 0);
    node.name = store.ColumnText(categories, 1);
    tree.push_back(std::move(node));
    if (!FunctionsInCategory(store, tree.back().id, tree.back().functions)) return false;
  }
  return store.Finalize(categories);
}

int MoveFilingRow(std::vector<EntryRow>& from, std::vector<EntryRow>& to, int index) {
  if (index < 0 || index >= static_cast<int>(from.size())) return -1;
  const auto at = from.begin() + index;
  if (at->id == 0) return index;
  to.push_back(*at);
  from.erase(at);
  return index < static_cast<int>(from.size()) ? index : -1;
}

}  // namespace declarium
