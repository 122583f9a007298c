// The number a constant stands for, kept in a column of its own so that a
// value is looked up through an index. Values are compared as numbers: "1024", "0x400", "&H400&" and
// "400h" are the same, and a value that fits in 32 bits is taken as its bit
// pattern, so -1 and 0xFFFFFFFF are the same value too.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>


struct sqlite3;

namespace declarium {

class CatalogueStore;

// A number written as decimal digits (a sign allowed), "0x…", "&H…" or hex
// digits with a trailing "h"; blanks around it and C or VB type marks after
// it ("&", "L", "U", "UL") are allowed. Anything else (an expression such as
// "LVM_FIRST + 95", a name) is no number. Values from -2^31 to 2^32 - 1 are
// given as their 32-bit pattern (0 to 2^32 - 1).
std::optional<std::int64_t> ParseConstantValue(std::string_view text);

// The number a stored constant stands for: its 十进制值 (which readers keep as
// written, "&H400&" too) or, when that is empty, its 十六进制值.
std::optional<std::int64_t> StoredConstantValue(std::string_view decimalValue, std::string_view hexValue);

// The catalogue keeps each constant's number in a column of its own (数值,
// indexed; the empty text when it has none). A catalogue without the column
// gains it here, when the file can be written; constants stored without a
// number (by this program before, or by another tool) get theirs. False when
// the column is missing and cannot be added: lookups then read every constant.
bool EnsureConstantValues(CatalogueStore& store);
// Whether the column is there.
bool HasConstantValueColumn(CatalogueStore& store);
// The SQL for a constant's number in a query on 常量表: the column, or where
// it is missing the same worked out row by row.
std::string ConstantNumberOf(CatalogueStore& store);

// Makes declarium_number(十进制值, 十六进制值) known to a connection (done by
// the store when it opens a file).
void RegisterConstantNumber(sqlite3* db);

// Gives the constants whose number is not yet known theirs (after an insert or
// an edit); nothing to do without the column. False when the database fails.
bool FillConstantValues(CatalogueStore& store);

// After a constant's values were edited: its number is worked out again.
bool RefreshConstantValue(CatalogueStore& store, int id);

}  // namespace declarium
