// VB's declarations of functions and data types (Declarations.h says what
// they write), in VB6's terms or, with the VBA 7 setting, 64-bit Office's.
#pragma once

#include <string>

#include "output/DeclarationStyle.h"
#include "output/Layout.h"
#include "store/Records.h"

namespace declarium {

// Each appends the declaration to out.
void FunctionVb(std::string& out, const FunctionRecord& f, const DeclarationStyle& s);
void DataTypeVb(std::string& out, const DataTypeRecord& d, const DeclarationStyle& s, const DataTypeLookup& types);

}  // namespace declarium
