// VB for 64-bit Office (VBA 7): Declare PtrSafe, and from the C types the
// generated catalogue keeps (store/NativeTypes.h) LongPtr for handles,
// pointers and pointer-sized values, LongLong for 64-bit integers. A value
// without a native type has no such form: its caller writes it by the
// 32-bit rules.
#pragma once

#include <string>

#include "store/Records.h"

namespace declarium {

struct VbValue {
  std::string type;    // "LongPtr", "Long", "RECT"...
  bool byRef = false;  // passed as the address of a variable of that type
  std::string count;   // a member's element count where the 64-bit value has its own ("blob"), else empty
};

bool Vba7Parameter(const ParameterRecord& p, VbValue& out);
bool Vba7Return(const FunctionRecord& f, VbValue& out);
bool Vba7Member(const ParameterRecord& m, VbValue& out);

}  // namespace declarium
