// declarium-apigen: builds a catalogue of the Windows API from the MinGW-w64
// headers and import libraries.
#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "apigen/ApiCatalogue.h"
#include "apigen/HeaderScan.h"
#include "apigen/ImportLibraries.h"
#include "text/Gbk.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Whether all of a side file reached the disk; says which file could not be written.
bool Written(std::ofstream& out, const std::filesystem::path& path) {
  out.flush();
  if (out) return true;
  std::fprintf(stderr, "declarium-apigen: cannot write %s\n", path.string().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace declarium;
  using namespace declarium::apigen;

  std::filesystem::path headers;
  std::filesystem::path includeDir = "/usr/share/mingw-w64/include";
  std::filesystem::path libDir = "/usr/i686-w64-mingw32/lib";
  std::filesystem::path output = "data.db";
  std::filesystem::path resourceDir = DECLARIUM_CLANG_RESOURCE_DIR;
  std::filesystem::path leftOut;
  std::filesystem::path sizes64;
  std::filesystem::path layout32;
  std::filesystem::path libDir64 = "/usr/x86_64-w64-mingw32/lib";
  CLI::App app{"Builds a catalogue (data.db) of the Windows API from the MinGW-w64 headers and import libraries"};
  app.add_option("--headers", headers, "The header that includes every header to read")->required();
  app.add_option("--include-dir", includeDir, "The MinGW-w64 include folder; declarations below it are kept");
  app.add_option("--lib-dir", libDir, "The folder of the import libraries (lib*.a)");
  app.add_option("--output", output, "The catalogue to write (replaced)");
  app.add_option("--resource-dir", resourceDir, "The folder of libclang's own headers");
  app.add_option("--left-out", leftOut,
                 "Write the names of the declared functions that are left out, with the reason, to this file");
  app.add_option("--sizes-64", sizes64,
                 "Read the headers once more as a 64-bit compiler does and write the size of every data type "
                 "and of every function's return value and parameters there to this file; the functions that "
                 "only 64-bit Windows has are listed too");
  app.add_option("--layout-32", layout32,
                 "Write the size and alignment of every data type and the offset of each of its members, as "
                 "the compiler lays them out, to this file");
  app.add_option("--lib-dir-64", libDir64, "The folder of the 64-bit import libraries, for --sizes-64");
  CLI11_PARSE(app, argc, argv);

  const auto start = std::chrono::steady_clock::now();
  ExportTable exports;
  const int libraries = exports.AddFolder(libDir);
  if (libraries == 0) {
    std::fprintf(stderr, "declarium-apigen: no import library in %s\n", libDir.string().c_str());
    return 1;
  }
  std::printf("import libraries: %d, exported names: %zu (%.1f s)\n", libraries, exports.size(), Seconds(start));

  const auto scanStart = std::chrono::steady_clock::now();
  ScanSettings settings{headers, includeDir, DefaultCompilerArguments(includeDir, resourceDir)};
  HeaderCatalogue scanned;
  std::string error;
  if (!ScanHeaders(settings, scanned, error)) {
    std::fprintf(stderr, "declarium-apigen: %s\n", error.c_str());
    return 1;
  }
  if (scanned.errors > 0) {
    std::fprintf(stderr, "declarium-apigen: %d errors in the headers; what parsed is kept\n", scanned.errors);
    for (const std::string& e : scanned.firstErrors) std::fprintf(stderr, "  %s\n", e.c_str());
  }
  std::printf("headers: %zu functions, %zu data types, %zu constants (%d macros tried) (%.1f s)\n",
              scanned.functions.size(), scanned.dataTypes.size(), scanned.constants.size(), scanned.macrosTried,
              Seconds(scanStart));

  // The records must lay out as the compiler does, or the structures would
  // be of no use; say which do not. (An alignment the headers ask for
  // explicitly, DECLSPEC_ALIGN(16), has no way into the records; the size
  // still agrees.)
  {
    std::map<std::string, const DataTypeRecord*> byName;
    for (const DataTypeRecord& d : scanned.dataTypes) byName[d.name] = &d;
    int differ = 0;
    for (const auto& [name, layout] : scanned.layouts) {
      const auto ours = RecordLayout(name, byName);
      if (ours && ours->first == layout.first) continue;
      if (++differ <= 20)
        std::printf("  %s: %lld bytes, the members give %lld\n", name.c_str(), layout.first, ours ? ours->first : -1LL);
    }
    std::printf("data types whose members do not add up to the compiler's size: %d\n", differ);
  }
  if (!layout32.empty()) {
    std::ofstream out(layout32);
    for (const auto& [name, layout] : scanned.layouts) {
      out << "type\t" << name << "\t" << layout.first << "\t" << layout.second << "\t";
      const auto offsets = scanned.offsets.find(name);
      if (offsets != scanned.offsets.end())
        for (std::size_t i = 0; i < offsets->second.size(); ++i) out << (i ? "," : "") << offsets->second[i];
      out << "\n";
    }
    if (!Written(out, layout32)) return 1;
  }
  ResolveReport report;
  std::vector<FunctionRecord> functions = ResolveLibraries(scanned.functions, exports, report);
  std::printf("functions with a DLL: %zu; left out: %zu without an export, %zu of the C runtime\n", functions.size(),
              report.withoutExport.size(), report.runtime.size());
  if (!leftOut.empty()) {
    std::ofstream list(leftOut);
    for (const std::string& name : report.withoutExport) list << name << "\tno export\n";
    for (const std::string& name : report.runtime) list << name << "\tC runtime\n";
    if (!Written(list, leftOut)) return 1;
  }

  std::vector<std::string> only64;
  if (!sizes64.empty()) {
    const auto start64 = std::chrono::steady_clock::now();
    ScanSettings settings64{headers, includeDir,
                            DefaultCompilerArguments(includeDir, resourceDir, "x86_64-w64-mingw32"), false};
    HeaderCatalogue scanned64;
    if (!ScanHeaders(settings64, scanned64, error)) {
      std::fprintf(stderr, "declarium-apigen: %s\n", error.c_str());
      return 1;
    }
    ExportTable exports64;
    const int libraries64 = exports64.AddFolder(libDir64);
    std::set<std::string> declared32;
    for (const DeclaredFunction& f : scanned.functions) declared32.insert(f.record.name);
    std::ofstream out(sizes64);
    for (const auto& [name, layout] : scanned64.layouts) out << "type\t" << name << "\t" << layout.first << "\n";
    for (const DeclaredFunction& f : scanned64.functions) {
      out << "function\t" << f.record.name << "\t";
      for (std::size_t i = 0; i < f.sizes.size(); ++i) out << (i ? "," : "") << (f.sizes[i] < 0 ? 8 : f.sizes[i]);
      out << "\n";
      // Declared for 64-bit Windows only (GetWindowLongPtrA is a macro for
      // GetWindowLongA in 32-bit code) and exported there.
      const auto* where = exports64.Find(f.record.name);
      if (!declared32.count(f.record.name) && where && !IsRuntimeDll(where->front().dll)) {
        only64.push_back(f.record.name);
        out << "only64\t" << f.record.name << "\t" << where->front().dll << "\n";
      }
    }
    if (!Written(out, sizes64)) return 1;
    TakeOver64BitLayouts(scanned, functions, scanned64);
    std::printf(
        "64-bit: %d import libraries, %zu data types, %zu functions; %zu functions only 64-bit Windows has (%.1f s)\n",
        libraries64, scanned64.layouts.size(), scanned64.functions.size(), only64.size(), Seconds(start64));
  }
  if (!leftOut.empty()) {
    std::ofstream list(leftOut, std::ios::app);
    for (const std::string& name : only64) list << name << "\t64-bit only\n";
    if (!Written(list, leftOut)) return 1;
  }

  const auto storeStart = std::chrono::steady_clock::now();
  const std::filesystem::path temporary = output.string() + ".part";
  std::string message;
  if (!WriteCatalogue(temporary, functions, scanned.dataTypes, scanned.constants, message)) {
    std::fprintf(stderr, "declarium-apigen: %s\n", GbkToUtf8(message).c_str());
    return 1;
  }
  std::error_code ec;
  std::filesystem::rename(temporary, output, ec);
  if (ec) {
    std::fprintf(stderr, "declarium-apigen: cannot write %s: %s\n", output.string().c_str(), ec.message().c_str());
    return 1;
  }
  std::printf("%s (%.1f s)\n", GbkToUtf8(message).c_str(), Seconds(storeStart));
  std::printf("catalogue %s written in %.1f s\n", output.string().c_str(), Seconds(start));
  return 0;
}
