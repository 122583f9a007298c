// A data type's memory layout as text: each member's offset and size in C
// beside where VB places it, the gaps C leaves, and the totals.
#pragma once

#include <string>

#include "output/Layout.h"

namespace declarium {

// 32-bit C beside VB6, or with for64 64-bit C beside VBA 7. Empty when the
// layout cannot be worked out (a member's type is unknown).
std::string LayoutReport(const DataTypeRecord& record, bool for64, const DataTypeLookup& lookup);

}  // namespace declarium
