// In-place editing of the detail page's cells. Each value cell names the
// table, column and row it came from; a double click toggles a yes/no cell or
// edits the text, written straight into that row and column.
#pragma once

#include <string>
#include <string_view>

#include "store/CatalogueStore.h"

namespace declarium {

// The table and column names come from the page's attributes and are spliced
// into SQL, so only the columns of the four entry tables are accepted (never
// id); anything else is refused before any statement is built.
bool IsEditableCell(std::string_view table, std::string_view field);

// The array and by-reference flags of parameters and the by-reference flag of
// members, shown as "√" or an empty text and stored as 1 or 0.
bool IsYesNoCell(std::string_view table, std::string_view field);
// A parameter's or member's type name, which jumps to that data type.
bool IsTypeNameCell(std::string_view table, std::string_view field);

struct YesNoToggle {
  std::string text;   // the cell's new text: "√" or empty
  std::string value;  // "1" or "0"
};
// Only an empty text reads as no: a cell showing a blank (a non-breaking
// space) is taken for yes and turns into an empty no.
YesNoToggle ToggleYesNo(std::string_view currentText);

// 名称 of that row, " → ", the column: the input box's prompt. The name part
// is empty when the row cannot be read or the cell is refused.
std::string EditPrompt(CatalogueStore& store, std::string_view table, int id, std::string_view field);

enum class CellKind { Int, Text };

enum class CellUpdate {
  Written,
  DuplicateName,  // show DuplicateNameMessage(); nothing written
  Refused,        // id 0, a cell outside the entry tables, or an int value that is no integer
  Failed,         // the update statement failed
};

// A function's or data type's 名称 must not be another row's 名称 (plain,
// case-sensitive equality); parameters and members may share names.
CellUpdate UpdateCell(CatalogueStore& store, std::string_view table, std::string_view field, int id,
                      std::string_view value, CellKind kind);

std::string DuplicateNameMessage();

}  // namespace declarium
