// C# that is right in 64-bit processes as well, from the C types the
// generated catalogue keeps (store/NativeTypes.h): handles, pointers and
// pointer-sized integers are IntPtr/UIntPtr, unsigned types unsigned, text
// and BOOL marshalled as the C type has them. A value without a native type
// has no such form: its caller writes it by the 32-bit rules.
#pragma once

#include <string>

#include "store/Records.h"

namespace declarium {

struct CSharpValue {
  std::string attribute;  // "[MarshalAs(UnmanagedType.Bool)] ", or empty
  std::string type;       // "IntPtr", "ref RECT", "uint[]"...
};

// A parameter: pointers to values are ref (ref T for a structure); text the
// callee reads is string, text it may write StringBuilder.
bool CSharp64Parameter(const ParameterRecord& p, CSharpValue& out);
// The return value (the attribute "[return: MarshalAs(UnmanagedType.Bool)]"
// and a line break, for BOOL):
// returned text is an IntPtr, which the marshaller would otherwise free.
bool CSharp64Return(const FunctionRecord& f, CSharpValue& out);
// A structure member; a fixed-size array is ByValArray of its elements.
bool CSharp64Member(const ParameterRecord& m, CSharpValue& out);
// "CharSet.Ansi" or "CharSet.Unicode" when the function passes narrow or
// wide text, else empty.
std::string CSharp64CharSet(const FunctionRecord& f);
// The Pack a structure is written with for 64-bit processes.
std::string CSharp64Pack(const DataTypeRecord& d);

}  // namespace declarium
