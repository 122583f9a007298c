// From what the headers declare and the import libraries export to the
// catalogue's records, and the new catalogue file.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "apigen/HeaderScan.h"
#include "apigen/ImportLibraries.h"
#include "store/Records.h"

namespace declarium::apigen {

struct ResolveReport {
  std::vector<std::string> withoutExport;  // declared, but no import library has them
  std::vector<std::string> runtime;        // exported by a C runtime DLL: not the Windows API
};

// A C runtime DLL (msvcrt.dll, ucrtbase.dll, api-ms-win-crt-*.dll, ...), or
// MinGW's own threads library.
bool IsRuntimeDll(const std::string& dll);

// The functions that a DLL exports, with 库名 and 库对应命令 filled and
// 导入语言 0. When several DLLs export a name, an API-set DLL
// (api-ms-win-*, ext-ms-win-*) only counts when nothing else does, and among
// the others the one that exports most of the functions of the same header
// (of those with one DLL only) wins; then the first library in name order.
std::vector<FunctionRecord> ResolveLibraries(const std::vector<DeclaredFunction>& declared, const ExportTable& exports,
                                             ResolveReport& report);

// What a 64-bit compiler makes of the same declarations, where it differs
// in a way the C# for 64-bit must follow: Pack (commdlg.h packs to 1 byte
// for 32-bit Windows only), values that become pointer-wide, unions that
// grow. Structures and functions whose members differ in number are left
// as they are.
void TakeOver64BitLayouts(HeaderCatalogue& scanned, std::vector<FunctionRecord>& functions,
                          const HeaderCatalogue& scanned64);

// Makes a new catalogue at file (an existing file is replaced) and stores
// the records through the import's storing. message gets the import's
// summary or the error.
bool WriteCatalogue(const std::filesystem::path& file, const std::vector<FunctionRecord>& functions,
                    const std::vector<DataTypeRecord>& dataTypes, const std::vector<ConstantRecord>& constants,
                    std::string& message);

}  // namespace declarium::apigen
