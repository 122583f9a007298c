// Saving the constant editor: a constant's 十进制值 and 十六进制值 are one
// number written twice, so the editor never stores them disagreeing.
#pragma once

#include <string>
#include <string_view>

namespace declarium {

class CatalogueStore;

struct ConstantTexts {
  std::string name;
  std::string hexValue;
  std::string decimalValue;
  std::string remark;
};

enum class ConstantSave {
  Saved,
  Conflict,  // both values changed to two different numbers; nothing written
  Failed,    // the update failed
};

// The values to store when before is edited into after. The value the user
// changed speaks: a number there gives the other value as the readers derive
// it (hexadecimal in upper-case digits, 32 bits unless the number needs 64,
// with the prefix the old text had; decimal as the readers read a
// hexadecimal value); a changed value emptied is worked out from the other;
// a changed value that is no number (an expression) is kept in 十进制值,
// where every copy looks first, and an old number beside it is dropped.
// False when both changed to different numbers.
bool ReconcileConstantValues(const ConstantTexts& before, ConstantTexts& after);

// Reconciles, then writes the four texts (after holds what was stored).
ConstantSave SaveEditedConstant(CatalogueStore& store, int id, const ConstantTexts& before, ConstantTexts& after);

// "修改失败！" and why, naming the two numbers.
std::string ConflictingValuesMessage(const ConstantTexts& after);

}  // namespace declarium
