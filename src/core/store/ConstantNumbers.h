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
// "LVM_FIRST + 95", a name) is no number. Values from -2^63 to 2^64 - 1 are
// numbers, given as their 64-bit pattern, and those that are then from -2^31
// to 2^32 - 1 as their 32-bit pattern (0 to 2^32 - 1).
std::optional<std::int64_t> ParseConstantValue(std::string_view text);

// The number a stored constant stands for: its 十进制值 (which readers keep as
// written, "&H400&" too) or, when that is empty, its 十六进制值.
std::optional<std::int64_t> StoredConstantValue(std::string_view decimalValue, std::string_view hexValue);

// The catalogue keeps each constant's number in a column of its own (数值,
// indexed, declared kOwnNumberType; the empty text when it has none). A
// column of that name another tool made is neither read nor written. A catalogue without the column
// gains it here, when the file can be written; constants stored without a
// number (by this program before, or by another tool) get theirs. False when
// the column is missing and cannot be added: lookups then read every constant.
// The owner indexes (AddOwnerIndexes) come in the same transaction.
bool EnsureConstantValues(CatalogueStore& store);
// The same inside a transaction the caller has open (an import's, so that
// the column comes with the import or not at all); false, with nothing
// changed, when it cannot be done.
bool AddConstantValues(CatalogueStore& store);
// Whether the program's column is there.
bool HasConstantValueColumn(CatalogueStore& store);
// The SQL condition, in a query on 常量表, that a constant's number is value
// (an SQL integer or a parameter such as "?1", which may appear twice).
std::string ConstantValueIs(CatalogueStore& store, std::string_view value);
// What an update of a constant's two values adds to its set list so that
// its number follows them in the same statement: ",数值=..." with the
// column, nothing without it (looked for afresh, as the update is about to
// write). The values are the statement's parameters named ("?3", "?2"),
// bound by the caller.
std::string ConstantValueAssignment(CatalogueStore& store, std::string_view decimalParameter,
                                    std::string_view hexParameter);

// Makes declarium_number(十进制值, 十六进制值) known to a connection (done by
// the store when it opens a file); false when SQLite refuses.
bool RegisterConstantNumber(sqlite3* db);

// Gives the constants whose number is not yet known theirs (after an insert or
// an edit); nothing to do without the column. False when the database fails.
bool FillConstantValues(CatalogueStore& store);

}  // namespace declarium
