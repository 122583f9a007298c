#include "catalogue/ConstantEdit.h"

#include <cstdint>
#include <optional>

#include "catalogue/Deletion.h"
#include "store/ConstantNumbers.h"
#include "text/TextPrimitives.h"

namespace declarium {

namespace {

constexpr std::int64_t kLow32 = 0xFFFFFFFF;

bool IsBlankText(std::string_view t) { return TrimSpaces(t).empty(); }

std::string HexText(std::int64_t value, std::string_view oldHex) {
  static const char digits[] = "0123456789ABCDEF";
  // Within 32 bits the number is its 32-bit pattern already.
  auto u = static_cast<std::uint64_t>(value);
  std::string d;
  do {
    d.insert(d.begin(), digits[u & 0xF]);
    u >>= 4;
  } while (u != 0);
  const std::string_view trimmed = TrimSpacesView(oldHex);
  const bool vb = trimmed.size() >= 2 && trimmed[0] == '&' && (trimmed[1] == 'H' || trimmed[1] == 'h');
  return (vb ? "&H" : "0x") + d;
}

// As the readers read a hexadecimal value: 32 bits are signed (0xFFFFFFFF is -1).
std::string DecimalFromHex(std::int64_t value) {
  if (value >= 0 && value <= kLow32) return DecimalText(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
  return DecimalText(value);
}

}  // namespace

bool ReconcileConstantValues(const ConstantTexts& before, ConstantTexts& after) {
  const bool decimalChanged = after.decimalValue != before.decimalValue;
  const bool hexChanged = after.hexValue != before.hexValue;
  const std::optional<std::int64_t> decimal = ParseConstantValue(after.decimalValue);
  const std::optional<std::int64_t> hex = ParseConstantValue(after.hexValue);
  if (decimalChanged && hexChanged) return !decimal || !hex || *decimal == *hex;
  if (decimalChanged) {
    if (decimal) {
      if (hex != decimal) after.hexValue = HexText(*decimal, before.hexValue);
    } else if (IsBlankText(after.decimalValue)) {
      if (hex) after.decimalValue = DecimalFromHex(*hex);
    } else if (hex) {
      after.hexValue.clear();
    }
  } else if (hexChanged) {
    if (hex) {
      if (decimal != hex) after.decimalValue = DecimalFromHex(*hex);
    } else if (IsBlankText(after.hexValue)) {
      if (decimal) after.hexValue = HexText(*decimal, before.hexValue);
    } else {
      after.decimalValue = after.hexValue;
    }
  }
  return true;
}

ConstantSave SaveEditedConstant(CatalogueStore& store, int id, const ConstantTexts& before, ConstantTexts& after) {
  if (!ReconcileConstantValues(before, after)) return ConstantSave::Conflict;
  return SaveConstant(store, id, after.name, after.hexValue, after.decimalValue, after.remark) ? ConstantSave::Saved
                                                                                               : ConstantSave::Failed;
}

std::string ConflictingValuesMessage(const ConstantTexts& after) {
  return "修改失败！\r\n十进制值 " + TrimSpaces(after.decimalValue) + " 与十六进制值 " + TrimSpaces(after.hexValue) +
         " 不是同一个数。";
}

}  // namespace declarium
