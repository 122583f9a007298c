// Which DLL exports a function, read from the import libraries (ar archives
// of COFF objects) that ship with the MinGW-w64 headers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace declarium::apigen {

// One function an import library imports.
struct ImportedFunction {
  std::string name;        // the C name: "__imp__CreateWindowExA@48" gives "CreateWindowExA"
  std::string exportName;  // the name the DLL exports it by ("#12" for an ordinal)
  std::string dll;         // lower case: "user32.dll"
};

// The C name of an import symbol: without "__imp_", the leading "_" or "@"
// of the 32-bit decoration and the "@N" of stdcall and fastcall. Empty for a
// symbol that is not an import symbol.
std::string UndecoratedImportName(std::string_view symbol);

// Every function imported by the archive's members, in member order. Both
// forms of import members are read: the objects dlltool writes (the DLL name
// in the tail object's .idata$7, the export name in .idata$6) and the short
// import records of the Microsoft format. Members that are neither are
// skipped; a damaged archive yields what could be read before the damage.
std::vector<ImportedFunction> ReadImportArchive(std::string_view bytes);

// The same for an archive file; false when the file cannot be read.
bool ReadImportLibrary(const std::filesystem::path& file, std::vector<ImportedFunction>& out);

// Every DLL that exports each C name, in the order the libraries were read;
// one entry per DLL.
class ExportTable {
 public:
  void Add(const ImportedFunction& f);
  // Reads every lib*.a of the folder, in name order; returns the number of
  // archives that held at least one import.
  int AddFolder(const std::filesystem::path& folder);
  const std::vector<ImportedFunction>* Find(const std::string& name) const;
  std::size_t size() const { return byName_.size(); }

 private:
  std::map<std::string, std::vector<ImportedFunction>, std::less<>> byName_;
};

}  // namespace declarium::apigen
