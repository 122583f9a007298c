#include "store/ConstantNumbers.h"

#include <sqlite3.h>

#include <string>

#include "store/CatalogueStore.h"
#include "store/Schema.h"
#include "store/Tables.h"
#include "store/Transaction.h"

namespace declarium {

namespace {

constexpr std::int64_t kLow32 = 0xFFFFFFFFLL;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWithEither(std::string_view text, std::string_view a, std::string_view b) {
  return text.substr(0, a.size()) == a || text.substr(0, b.size()) == b;
}

// declarium_number(十进制值, 十六进制值): StoredConstantValue for SQL, NULL
// when there is no number. Known to this program's connections only, and
// never stored in the schema, so other tools still read and write the file.
void NumberFunction(sqlite3_context* context, int, sqlite3_value** args) {
  auto text = [](sqlite3_value* v) {
    const unsigned char* t = sqlite3_value_text(v);
    return t == nullptr
               ? std::string_view()
               : std::string_view(reinterpret_cast<const char*>(t), static_cast<std::size_t>(sqlite3_value_bytes(v)));
  };
  const std::optional<std::int64_t> value = StoredConstantValue(text(args[0]), text(args[1]));
  if (value) {
    sqlite3_result_int64(context, *value);
  } else {
    sqlite3_result_null(context);
  }
}

}  // namespace

std::optional<std::int64_t> ParseConstantValue(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (StartsWithEither(text, "0x", "0X") || StartsWithEither(text, "&H", "&h")) {
    base = 16;
    text.remove_prefix(2);
  }
  std::size_t digits = 0;
  while (digits < text.size() && DigitValue(text[digits]) >= 0) ++digits;
  if (digits == 0) return std::nullopt;
  std::string_view number = text.substr(0, digits);
  std::string_view rest = text.substr(digits);
  if (base == 10 && !rest.empty() && (rest.front() == 'h' || rest.front() == 'H')) {
    base = 16;
    rest.remove_prefix(1);
  }
  for (char c : rest) {
    if (c != '&' && c != 'L' && c != 'l' && c != 'U' && c != 'u') return std::nullopt;
  }
  if (rest.size() > 3) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : number) {
    const int d = DigitValue(c);
    if (d >= base) return std::nullopt;  // "FF" without "h" is no decimal number
    if (value > (UINT64_MAX - static_cast<std::uint64_t>(d)) / static_cast<std::uint64_t>(base)) return std::nullopt;
    value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
  }
  // -2^63 to 2^64 - 1, kept as the 64-bit pattern: a 64-bit value is written
  // in hexadecimal as its pattern (0xFFFFFFFF80110401 is -2146368511).
  constexpr std::uint64_t kSignBit = std::uint64_t{1} << 63;
  if (negative && value > kSignBit) return std::nullopt;
  std::int64_t signedValue = static_cast<std::int64_t>(negative ? std::uint64_t{0} - value : value);
  // A 32-bit value is its bit pattern, however it was written.
  if (signedValue >= -(kLow32 + 1) / 2 && signedValue <= kLow32) signedValue &= kLow32;
  return signedValue;
}

std::optional<std::int64_t> StoredConstantValue(std::string_view decimalValue, std::string_view hexValue) {
  // The readers derive 十六进制值 from 十进制值 (an expression gives "0x0"), so
  // the hexadecimal text speaks only where the decimal one is missing.
  std::string_view trimmed = decimalValue;
  while (!trimmed.empty() && IsBlank(trimmed.front())) trimmed.remove_prefix(1);
  return ParseConstantValue(trimmed.empty() ? hexValue : decimalValue);
}

bool HasConstantValueColumn(CatalogueStore& store) { return store.Columns().constantNumber == ColumnOwner::Program; }

bool RegisterConstantNumber(sqlite3* db) {
  return sqlite3_create_function_v2(db, "declarium_number", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                    NumberFunction, nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string ConstantValueIs(CatalogueStore& store, std::string_view value) {
  const std::string v(value);
  const std::string workedOut = "declarium_number(十进制值,十六进制值)=" + v;
  // A constant another tool added, or whose number could not be stored yet,
  // has none: it is worked out there (both branches use the index).
  return HasConstantValueColumn(store) ? "(数值=" + v + " or (数值 is null and " + workedOut + "))" : workedOut;
}

std::string ConstantValueAssignment(CatalogueStore& store, std::string_view decimalParameter,
                                    std::string_view hexParameter) {
  // A write looks afresh: a column another program added since the open
  // must not keep a number the edit made wrong.
  store.ColumnsChanged();
  if (!HasConstantValueColumn(store)) return {};
  return ",数值=coalesce(declarium_number(" + std::string(decimalParameter) + "," + std::string(hexParameter) + "),'')";
}

bool FillConstantValues(CatalogueStore& store) {
  if (!HasConstantValueColumn(store)) return true;
  // '' is "no number"; one the program can now read (a 64-bit value an
  // older version refused) gets its number too.
  return store.Exec(
      "update 常量表 set 数值=coalesce(declarium_number(十进制值,十六进制值),'') where 数值 is null or "
      "(数值='' and declarium_number(十进制值,十六进制值) is not null)");
}

bool AddConstantValues(CatalogueStore& store) {
  // Looked at afresh: another connection may have added it since.
  store.ColumnsChanged();
  const ColumnOwner owner = store.Columns().constantNumber;
  // Another tool's column of that name is its own: never written.
  if (owner == ColumnOwner::Other) return false;
  // All or nothing, inside whatever transaction is open.
  Transaction step(store);
  if (!step) return false;
  if (owner == ColumnOwner::None) {
    if (!store.Exec("alter table 常量表 add column 数值 " + std::string(kOwnNumberType)) ||
        !store.Exec("create index if not exists Index_数值 on 常量表(数值)"))
      return false;
    store.ColumnsChanged();
  }
  return FillConstantValues(store) && step.Commit();
}

bool EnsureConstantValues(CatalogueStore& store) {
  Transaction open(store);
  if (!open) return HasConstantValueColumn(store);
  // The owner indexes come with the same first writing open.
  AddOwnerIndexes(store);
  if (AddConstantValues(store) && open.Commit()) return true;
  open.Rollback();
  return HasConstantValueColumn(store);
}

}  // namespace declarium
