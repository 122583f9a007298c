// User-made categories of functions (类别表) and the filing of functions into
// them (函数表.类别 = the category's id, 0 for none). Each change is one
// statement of its own; error receives the database's text on failure.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalogue/EntryQueries.h"
#include "store/CatalogueStore.h"

namespace declarium {

struct CategoryNode {
  int id = 0;
  std::string name;
  std::vector<EntryRow> functions;  // filed in it, by 名称
};

// Adds a category named "新分类"; id receives its id.
bool NewCategory(CatalogueStore& store, int& id, std::string& error);
// The name a rename writes: the edited text, or the current one when the edit is empty.
std::string RenamedCategoryName(std::string_view newName, std::string_view currentText);
// Writes RenamedCategoryName(newName, currentText), even when that is the old name.
bool RenameCategory(CatalogueStore& store, int id, std::string_view newName, std::string_view currentText,
                    std::string& error);
// Removes the category; its functions keep the id in 类别. False for id 0.
bool DeleteCategory(CatalogueStore& store, int id, std::string& error);
std::string DeleteCategoryQuestion(std::string_view name);

// 类别 = 0.
bool UnfileFunction(CatalogueStore& store, int functionId, std::string& error);
bool FileFunction(CatalogueStore& store, int categoryId, int functionId, std::string& error);
// Files each function in order and stops at the first failure; returns how
// many were written (those stay written).
int FileFunctions(CatalogueStore& store, int categoryId, const std::vector<int>& functionIds, std::string& error);

// The lists of the filing windows; false when the query cannot be prepared.
bool FunctionsNotInCategory(CatalogueStore& store, int categoryId, std::vector<EntryRow>& rows);
bool FunctionsInCategory(CatalogueStore& store, int categoryId, std::vector<EntryRow>& rows);
// The categories themselves are listed by ListCategories (catalogue/EntryQueries.h).

// Categories by 名称 with their functions by 名称. False when a query fails;
// the categories read so far stay in tree.
bool LoadCategoryTree(CatalogueStore& store, std::vector<CategoryNode>& tree);

// Moves the row at index from one list to the other (appended there) and
// returns the index to select in the source list afterwards (-1 for none).
int MoveFilingRow(std::vector<EntryRow>& from, std::vector<EntryRow>& to, int index);

}  // namespace declarium
