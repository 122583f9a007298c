// Reading import libraries, and choosing the DLL of each declared function.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "apigen/ApiCatalogue.h"
#include "apigen/ImportLibraries.h"

namespace declarium::apigen {
namespace {

TEST(UndecoratedImportName, TakesOffTheDecorationsOf32BitNames) {
  EXPECT_EQ(UndecoratedImportName("__imp__CreateWindowExA@48"), "CreateWindowExA");
  EXPECT_EQ(UndecoratedImportName("__imp__wsprintfA"), "wsprintfA");
  EXPECT_EQ(UndecoratedImportName("__imp_@FastThing@8"), "FastThing");
  EXPECT_EQ(UndecoratedImportName("__imp_GetTickCount"), "GetTickCount");  // 64-bit: no prefix
  EXPECT_EQ(UndecoratedImportName("_CreateWindowExA@48"), "");
  EXPECT_EQ(UndecoratedImportName("__imp_?Name@@YAXXZ"), "");  // C++
  EXPECT_EQ(UndecoratedImportName("__imp__"), "");
}

// An archive of short import records (the form lib.exe and llvm-dlltool write).
std::string Member(const std::string& data) {
  char header[61];
  std::snprintf(header, sizeof header, "%-16s%-12s%-6s%-6s%-8s%-10zu`\n", "x.o/", "0", "0", "0", "644", data.size());
  std::string m(header, 60);
  m += data;
  if (data.size() % 2) m += '\n';
  return m;
}

std::string ShortImport(const std::string& symbol, const std::string& dll, int type, int nameType, int ordinal = 0) {
  std::string r;
  auto u16 = [&](int v) {
    r += static_cast<char>(v & 0xFF);
    r += static_cast<char>((v >> 8) & 0xFF);
  };
  u16(0);
  u16(0xFFFF);
  u16(0);             // version
  u16(0x14C);         // i386
  r.append(4, '\0');  // time stamp
  const std::size_t size = symbol.size() + 1 + dll.size() + 1;
  u16(static_cast<int>(size & 0xFFFF));
  u16(static_cast<int>(size >> 16));
  u16(ordinal);
  u16(type | nameType << 2);
  r += symbol;
  r += '\0';
  r += dll;
  r += '\0';
  return r;
}

TEST(ReadImportArchive, ReadsShortImportRecords) {
  const std::string archive = "!<arch>\n" + Member(ShortImport("_MessageBoxA@16", "USER32.dll", 0, 3)) +
                              Member(ShortImport("_Beep@8", "KERNEL32.dll", 0, 1)) +
                              Member(ShortImport("_Ordinal@4", "shlwapi.dll", 0, 0, 12)) +
                              Member(ShortImport("_DataThing", "USER32.dll", 1, 1));
  const auto imports = ReadImportArchive(archive);
  ASSERT_EQ(imports.size(), 3u);  // the data import is no function
  EXPECT_EQ(imports[0].name, "MessageBoxA");
  EXPECT_EQ(imports[0].exportName, "MessageBoxA");
  EXPECT_EQ(imports[0].dll, "user32.dll");
  EXPECT_EQ(imports[1].name, "Beep");
  EXPECT_EQ(imports[1].exportName, "_Beep@8");  // exported by the symbol's own name
  EXPECT_EQ(imports[2].exportName, "#12");
}

TEST(ReadImportArchive, DamagedArchivesGiveWhatCameBefore) {
  const std::string good = "!<arch>\n" + Member(ShortImport("_Beep@8", "KERNEL32.dll", 0, 3));
  std::string truncated = good + Member(ShortImport("_Sleep@4", "KERNEL32.dll", 0, 3));
  truncated.resize(truncated.size() - 10);
  ASSERT_EQ(ReadImportArchive(truncated).size(), 1u);
  EXPECT_TRUE(ReadImportArchive("not an archive").empty());
  EXPECT_TRUE(ReadImportArchive("").empty());
  // A member that claims to be an object but is cut short after its header.
  std::string object(20, '\0');
  object[0] = 0x4C;
  object[1] = 0x01;
  object[2] = 40;  // forty sections that are not there
  EXPECT_TRUE(ReadImportArchive("!<arch>\n" + Member(object)).empty());
  for (std::size_t cut = 8; cut < good.size(); cut += 7) ReadImportArchive(good.substr(0, cut));
}

TEST(ReadImportLibrary, ReadsTheDlltoolArchivesOfMinGw) {
  const std::filesystem::path lib = "/usr/i686-w64-mingw32/lib/libuser32.a";
  if (!std::filesystem::exists(lib)) GTEST_SKIP() << "mingw-w64-i686-dev is not installed";
  std::vector<ImportedFunction> imports;
  ASSERT_TRUE(ReadImportLibrary(lib, imports));
  EXPECT_GT(imports.size(), 900u);
  const auto it = std::find_if(imports.begin(), imports.end(),
                               [](const ImportedFunction& f) { return f.name == "CreateWindowExA"; });
  ASSERT_NE(it, imports.end());
  EXPECT_EQ(it->dll, "user32.dll");
  EXPECT_EQ(it->exportName, "CreateWindowExA");
  EXPECT_FALSE(ReadImportLibrary("/nonexistent/libnothing.a", imports));
}

DeclaredFunction Declared(const std::string& name, const std::string& header) {
  DeclaredFunction d;
  d.record.name = name;
  d.header = header;
  return d;
}

TEST(ResolveLibraries, PicksOneDllForEachExportedFunction) {
  ExportTable table;
  table.Add({"send", "send", "wsock32.dll"});
  table.Add({"send", "send", "ws2_32.dll"});
  table.Add({"send", "send", "ws2_32.dll"});  // once per DLL
  table.Add({"WSAStartup", "WSAStartup", "ws2_32.dll"});
  table.Add({"closesocket", "closesocket", "ws2_32.dll"});
  table.Add({"Beep", "Beep", "api-ms-win-core-misc-l1-1-0.dll"});
  table.Add({"Beep", "Beep", "kernel32.dll"});
  table.Add({"NewThing", "NewThing", "api-ms-win-core-new-l1-1-0.dll"});
  table.Add({"strlen", "strlen", "ntdll.dll"});
  table.Add({"strlen", "strlen", "msvcrt.dll"});
  table.Add({"Aliased", "RealName", "user32.dll"});
  ASSERT_EQ(table.Find("send")->size(), 2u);

  const std::vector<DeclaredFunction> declared = {
      Declared("send", "winsock2.h"),   Declared("WSAStartup", "winsock2.h"), Declared("closesocket", "winsock2.h"),
      Declared("Beep", "utilapiset.h"), Declared("NewThing", "new.h"),        Declared("strlen", "string.h"),
      Declared("Nowhere", "winuser.h"), Declared("Aliased", "winuser.h")};
  ResolveReport report;
  const auto functions = ResolveLibraries(declared, table, report);
  auto library = [&](const std::string& name) -> std::string {
    for (const auto& f : functions)
      if (f.name == name) return f.library + " " + f.entryPoint;
    return "";
  };
  EXPECT_EQ(library("send"), "ws2_32.dll send");  // the DLL of the rest of winsock2.h
  EXPECT_EQ(library("Beep"), "kernel32.dll Beep");
  EXPECT_EQ(library("NewThing"), "api-ms-win-core-new-l1-1-0.dll NewThing");
  EXPECT_EQ(library("Aliased"), "user32.dll RealName");
  EXPECT_EQ(library("strlen"), "");
  EXPECT_EQ(report.runtime, std::vector<std::string>{"strlen"});
  EXPECT_EQ(report.withoutExport, std::vector<std::string>{"Nowhere"});
  for (const auto& f : functions) EXPECT_EQ(f.syntax, SyntaxKind::E);
}

}  // namespace
}  // namespace declarium::apigen
