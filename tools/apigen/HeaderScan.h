// Reading the Windows headers with libclang: the functions they declare, the
// structures they define and the integer constants the compiler can
// evaluate, turned into the catalogue's records with E-syntax type names.
//
// Type names follow the size and kind of the C type:
//   8-bit integers (char, BYTE, BOOLEAN)          字节型
//   16-bit integers (short, WORD, WCHAR)           短整数型
//   32-bit integers, enums, handles, pointers     整数型   (BOOL: 逻辑型)
//   64-bit integers                                长整数型
//   float / double                                 小数型 / 双精度小数型
//   a pointer to narrow characters (LPSTR, LPCSTR) 文本型
// Parameters and pointers:
//   - a pointer to a structure is the structure's name with 传址; a pointer
//     to a number is that number's type with 传址 (LPDWORD: 整数型 传址); a
//     pointer to a pointer is 整数型 传址; a pointer to void, to a function,
//     to wide characters or to a structure the headers never complete is
//     整数型;
//   - a structure passed by value keeps its name, without 传址, with a remark.
//   A return value that is a pointer is 整数型 (文本型 for narrow text).
// Structure members:
//   - a pointer member is 整数型 (文本型 for narrow text); arrays of any
//     dimension give the element type with the total element count in 数组
//     (a char array is 字节型, a WCHAR array 短整数型);
//   - an unnamed structure member is flattened into its parent; a member of
//     an unnamed structure type gets a data type of its own, named
//     Parent_member;
//   - a union (and a long double, or a vector type) is kept by its size: the integer type of that size (1, 2, 4 or
//     8 bytes), otherwise integers of its alignment with 数组 covering its
//     bytes, so the members after it keep their offsets;
//     an unnamed union takes the name of its first member;
//   - bit fields that share a storage unit become one member of the unit's
//     type, named after the first of them, with the fields in its remark;
//   - a trailing array without a size is left out (its name is in the
//     remark of the data type);
//   - a structure whose alignment is less than its members' (#pragma pack)
//     gets that alignment as Pack.
// COM interfaces (a structure whose one member is lpVtbl) are addresses:
// neither they nor their method tables are data types, and a pointer to one
// is 整数型.
// A union is never a data type of its own: as a parameter it is the integer
// type of its size (LARGE_INTEGER: 长整数型).
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/Records.h"

namespace declarium::apigen {

// A function as the headers declare it, before its DLL is known.
struct DeclaredFunction {
  FunctionRecord record;  // 名称, 返回值类型, parameters, CallingConvention, 备注
  std::string header;     // the declaring file below the include folder ("winuser.h")
  bool variadic = false;
  // The size in bytes of the return value (0 for void) and of each parameter.
  std::vector<long long> sizes;
};

struct HeaderCatalogue {
  std::vector<DeclaredFunction> functions;
  std::vector<DataTypeRecord> dataTypes;
  std::vector<ConstantRecord> constants;
  int errors = 0;                        // error diagnostics of the headers
  std::vector<std::string> firstErrors;  // the first few of them, as text
  int macrosTried = 0;                   // object-like macros given to the compiler for a value
  // The size and alignment the compiler gives each data type, in bytes.
  std::map<std::string, std::pair<long long, long long>> layouts;
  // The offset the compiler gives each member of a data type, in bytes (-1: unknown).
  std::map<std::string, std::vector<long long>> offsets;
};

// The size and alignment of a data type laid out member after member from
// the records alone (E and C# lay structures out this way), or nothing when
// a member's type is unknown. Pack, when set, caps every alignment.
std::optional<std::pair<long long, long long>> RecordLayout(const std::string& name,
                                                            const std::map<std::string, const DataTypeRecord*>& byName);

struct ScanSettings {
  std::filesystem::path mainFile;      // the header that includes all the others
  std::filesystem::path includeDir;    // only declarations in files below it are kept
  std::vector<std::string> arguments;  // compiler arguments (DefaultCompilerArguments)
  bool constants = true;               // also evaluate the macros (the second translation unit)
};

// C for the target (i686-w64-mingw32: the catalogue's; x86_64-w64-mingw32
// gives the sizes of a 64-bit process), the include folder as a system
// folder, no warnings.
// resourceDir is the folder of the compiler's own headers (stddef.h,
// float.h); libclang does not always find it by itself.
std::vector<std::string> DefaultCompilerArguments(const std::filesystem::path& includeDir,
                                                  const std::filesystem::path& resourceDir,
                                                  const std::string& target = "i686-w64-mingw32");

// Parses the main file, then a second translation unit that asks the
// compiler for the value of every object-like macro that looks like an
// expression. Records are in GBK. False (with error) only when one of the
// two translation units cannot be made at all; errors in the headers are counted
// in out.errors and the declarations that did parse are kept.
bool ScanHeaders(const ScanSettings& settings, HeaderCatalogue& out, std::string& error);

// The two texts of an integer constant: decimal as its C type has it
// (unsigned types unsigned), and "0x" with the upper-case digits of its
// two's complement in 32 bits, or 64 bits for a 64-bit type.
ConstantRecord IntegerConstant(std::string name, unsigned long long bits, bool isUnsigned, int bytes);

}  // namespace declarium::apigen
