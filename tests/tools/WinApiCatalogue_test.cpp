// The generated Windows API catalogue: its size, entries people look up
// first, and C# declarations that compile.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include "apigen/HeaderScan.h"
#include "catalogue/EntryQueries.h"
#include "output/Declarations.h"
#include "output/Dependencies.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"
#include "store/SqlText.h"
#include "text/Gbk.h"
#include "support/TempDir.h"
#include "ExceptionsFile.h"

namespace declarium {
namespace {

using test::ReadExceptions;
using test::ReadFileBytes;
using test::TempDir;

class WinApiCatalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(DECLARIUM_WINAPI_DB)) GTEST_SKIP() << "the catalogue was not generated";
    // A copy, so that nothing a test does can touch the build's catalogue.
    std::filesystem::copy_file(DECLARIUM_WINAPI_DB, dir_ / "data.db");
    ASSERT_TRUE(store_.OpenPath(dir_ / "data.db", false));
  }

  int Count(const std::string& table) { return store_.QueryInt("select count(*) from " + table, -1); }
  int IdOf(const char* table, const std::string& name) {
    int id = 0;
    EXPECT_TRUE(FindEntryByName(store_, table, name, id));
    return id;
  }
  // The entry of that name, loaded as the program loads it.
  template <typename Record, typename Loader>
  Record Load(const char* table, const std::string& name, Loader load) {
    Record r;
    const int id = IdOf(table, name);
    EXPECT_NE(id, 0) << name;
    if (id != 0) {
      EXPECT_TRUE(load(store_, id, r));
    }
    return r;
  }
  FunctionRecord Function(const std::string& name) { return Load<FunctionRecord>("函数表", name, LoadFunction); }
  DataTypeRecord DataType(const std::string& name) { return Load<DataTypeRecord>("数据类型表", name, LoadDataType); }
  ConstantRecord Constant(const std::string& name) { return Load<ConstantRecord>("常量表", name, LoadConstant); }

  TempDir dir_;
  CatalogueStore store_;
};

TEST_F(WinApiCatalogue, HoldsTheWholeApi) {
  EXPECT_GE(Count("函数表"), 10000);
  EXPECT_GE(Count("数据类型表"), 2000);
  EXPECT_GE(Count("常量表"), 20000);
  // Every function knows its DLL and export, and was stored as an E import.
  EXPECT_EQ(store_.QueryInt("select count(*) from 函数表 where 库名='' or 库对应命令='' or 导入语言<>0"), 0);
  EXPECT_EQ(store_.QueryInt("select count(*) from 函数参数表 where 名称='' or 数据类型=''"), 0);
  EXPECT_EQ(store_.QueryInt("select count(*) from 数据类型成员表 where 名称='' or 数据类型=''"), 0);
}

TEST_F(WinApiCatalogue, CreateWindowExA) {
  const FunctionRecord f = Function("CreateWindowExA");
  EXPECT_EQ(f.library, "user32.dll");
  EXPECT_EQ(f.entryPoint, "CreateWindowExA");
  EXPECT_EQ(f.returnType, "整数型");
  EXPECT_EQ(f.callingConvention, "");
  const char* names[] = {"dwExStyle", "lpClassName", "lpWindowName", "dwStyle", "X",         "Y",
                         "nWidth",    "nHeight",     "hWndParent",   "hMenu",   "hInstance", "lpParam"};
  ASSERT_EQ(f.parameters.size(), 12u);
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(f.parameters[i].name, names[i]);
  EXPECT_EQ(f.parameters[1].type, "文本型");
  EXPECT_EQ(f.parameters[8].type, "整数型");
  // Both character sets are real exports.
  EXPECT_EQ(Function("CreateWindowExW").library, "user32.dll");
  EXPECT_EQ(Function("CreateWindowExW").parameters[1].type, "整数型");
}

TEST_F(WinApiCatalogue, GetWindowTextA) {
  const FunctionRecord f = Function("GetWindowTextA");
  EXPECT_EQ(f.returnType, "整数型");
  ASSERT_EQ(f.parameters.size(), 3u);
  EXPECT_EQ(f.parameters[1].name, "lpString");
  EXPECT_EQ(f.parameters[1].type, "文本型");
  EXPECT_FALSE(f.parameters[1].byRef);
}

TEST_F(WinApiCatalogue, PointersToStructuresAndNumbers) {
  const FunctionRecord rect = Function("GetClientRect");
  ASSERT_EQ(rect.parameters.size(), 2u);
  EXPECT_EQ(rect.parameters[1].type, "RECT");
  EXPECT_TRUE(rect.parameters[1].byRef);
  const FunctionRecord counter = Function("QueryPerformanceCounter");
  EXPECT_EQ(counter.library, "kernel32.dll");
  ASSERT_EQ(counter.parameters.size(), 1u);
  EXPECT_EQ(counter.parameters[0].type, "长整数型");
  EXPECT_TRUE(counter.parameters[0].byRef);
  EXPECT_EQ(counter.returnType, "逻辑型");
  const FunctionRecord printf = Function("wsprintfA");
  EXPECT_EQ(printf.callingConvention, "CallingConvention.Cdecl");
  EXPECT_EQ(Function("send").library, "ws2_32.dll");
  // The C library is not the Windows API.
  EXPECT_EQ(IdOf("函数表", "strlen"), 0);
}

TEST_F(WinApiCatalogue, Structures) {
  const DataTypeRecord rect = DataType("RECT");
  ASSERT_EQ(rect.members.size(), 4u);
  for (const auto& m : rect.members) EXPECT_EQ(m.type, "整数型");
  EXPECT_EQ(rect.members[0].name, "left");
  const DataTypeRecord time = DataType("SYSTEMTIME");
  ASSERT_EQ(time.members.size(), 8u);
  for (const auto& m : time.members) EXPECT_EQ(m.type, "短整数型");
  const DataTypeRecord process = DataType("PROCESSENTRY32");
  ASSERT_FALSE(process.members.empty());
  EXPECT_EQ(process.members.back().name, "szExeFile");
  EXPECT_EQ(process.members.back().type, "字节型");
  EXPECT_EQ(process.members.back().array, "260");
  // COM interfaces are addresses, not structures.
  EXPECT_EQ(IdOf("数据类型表", "IUnknown"), 0);
  EXPECT_EQ(IdOf("数据类型表", "IUnknownVtbl"), 0);
}

TEST_F(WinApiCatalogue, Constants) {
  const ConstantRecord maxPath = Constant("MAX_PATH");
  EXPECT_EQ(maxPath.decimalValue, "260");
  EXPECT_EQ(maxPath.hexValue, "0x104");
  const ConstantRecord setText = Constant("WM_SETTEXT");
  EXPECT_EQ(setText.decimalValue, "12");
  EXPECT_EQ(setText.hexValue, "0xC");
  EXPECT_EQ(Constant("INVALID_HANDLE_VALUE").decimalValue, "-1");
  EXPECT_EQ(Constant("GENERIC_READ").hexValue, "0x80000000");
  EXPECT_EQ(Constant("IDC_ARROW").decimalValue, "32512");
}

// --- C# ------------------------------------------------------------------

struct ProgramRun {
  int exitCode = -1;
  std::string output;  // standard output and error together
};

// Runs a program found on PATH; exit code 127 when it cannot be started.
ProgramRun RunProgram(std::vector<std::string> words, const std::filesystem::path& dir) {
  const std::filesystem::path log = dir / "program.log";
  const pid_t pid = fork();
  if (pid == 0) {
    const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || chdir(dir.c_str()) != 0) _exit(126);
    dup2(fd, 1);
    dup2(fd, 2);
    std::vector<char*> argv;
    for (auto& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  ProgramRun r;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) r.exitCode = WEXITSTATUS(status);
  r.output = ReadFileBytes(log);
  return r;
}

struct Declaration {
  std::string key;  // "function Name" or "type Name"
  std::vector<std::string> lines;
};

// The export's declarations: a function is its DllImport line and the line
// after it; a structure runs from its StructLayout line to its "}".
std::vector<Declaration> SplitDeclarations(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  static const std::regex functionName(R"( (\w+)\()");
  static const std::regex structName(R"(struct (\w+))");
  std::vector<Declaration> out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    std::smatch m;
    // A function returning BOOL has its "[return: ...]" line between.
    const std::size_t head = i + 1 < lines.size() && lines[i + 1].rfind("[return:", 0) == 0 ? i + 2 : i + 1;
    if (lines[i].rfind("[DllImport", 0) == 0 && head < lines.size() &&
        std::regex_search(lines[head], m, functionName)) {
      Declaration d{"function " + m[1].str(), {}};
      for (; i <= head; ++i) d.lines.push_back(lines[i]);
      out.push_back(std::move(d));
      --i;
    } else if (lines[i].rfind("[StructLayout", 0) == 0 && i + 1 < lines.size() &&
               std::regex_search(lines[i + 1], m, structName)) {
      Declaration d{"type " + m[1].str(), {}};
      std::size_t j = i;
      for (; j < lines.size(); ++j) {
        d.lines.push_back(lines[j]);
        if (!lines[j].empty() && lines[j].back() == '}') break;
      }
      out.push_back(std::move(d));
      i = j;
    }
  }
  return out;
}

// A piece of C# source (each line ending in "\n") and the key its errors are told by.
struct SourcePiece {
  std::string key;
  std::string text;
};

// Compiles head, the pieces and tail as a library named file in dir. mcs
// stops at the first phase with errors, so the pieces the errors point into
// are left out and the rest compiled again, until it compiles: the key of
// each piece left out, with its first error.
std::map<std::string, std::string> CompileLeavingOut(const std::filesystem::path& dir, const std::string& file,
                                                     const std::string& head, const std::vector<SourcePiece>& pieces,
                                                     const std::string& tail) {
  std::map<std::string, std::string> failing;
  const std::regex error(std::regex_replace(file, std::regex(R"(\.)"), R"(\.)") +
                         R"(\((\d+),\d+\): error (CS\d+: .*))");
  for (int round = 0; round < 10; ++round) {
    std::string source = head;
    // 1-based lines, the piece each belongs to.
    std::vector<const SourcePiece*> lineOwner(1 + static_cast<std::size_t>(std::count(head.begin(), head.end(), '\n')));
    for (const SourcePiece& p : pieces) {
      if (failing.count(p.key)) continue;
      source += p.text;
      lineOwner.resize(lineOwner.size() + static_cast<std::size_t>(std::count(p.text.begin(), p.text.end(), '\n')), &p);
    }
    test::WriteFileBytes(dir / file, source + tail);
    const ProgramRun compiled =
        RunProgram({"mcs", "-target:library", "-nowarn:169,414,649", "-out:compiled.dll", file}, dir);
    if (compiled.exitCode == 0) break;
    std::size_t added = 0;
    std::istringstream lines(compiled.output);
    std::string line;
    while (std::getline(lines, line)) {
      std::smatch m;
      if (!std::regex_search(line, m, error)) continue;
      const std::size_t number = std::stoul(m[1].str());
      if (number >= lineOwner.size() || lineOwner[number] == nullptr) {
        ADD_FAILURE() << "an error outside the pieces: " << line;
        return failing;
      }
      if (failing.emplace(lineOwner[number]->key, m[2].str()).second) ++added;
    }
    if (added == 0) {
      ADD_FAILURE() << compiled.output.substr(0, 2000);
      break;
    }
  }
  return failing;
}

// What of the C# export (with the global options given) does not compile,
// against the listed exceptions: the declarations that fail unlisted, and
// the listed ones that compile.
void ExpectTheExportCompiles(const std::filesystem::path& dir, const std::vector<std::string>& options,
                             const std::filesystem::path& exceptionsFile) {
  std::vector<std::string> words = {DECLARIUM_CLI_PATH, "--db", "data.db", "--syntax", "csharp"};
  words.insert(words.end(), options.begin(), options.end());
  for (const char* w : {"export", "--output", "api.cs", "--functions", "--types"}) words.push_back(w);
  const ProgramRun exported = RunProgram(words, dir);
  ASSERT_EQ(exported.exitCode, 0) << exported.output;
  const std::vector<Declaration> declarations = SplitDeclarations(ReadFileBytes(dir / "api.cs"));
  ASSERT_GE(declarations.size(), 12000u);
  const auto exceptions = ReadExceptions(exceptionsFile);

  // What was left out (with whatever needed it) must be exactly the listed exceptions.
  std::vector<SourcePiece> pieces;
  for (const Declaration& d : declarations) {
    SourcePiece& p = pieces.emplace_back(SourcePiece{d.key, {}});
    for (const std::string& l : d.lines) p.text += l + "\n";
  }
  const std::map<std::string, std::string> failing = CompileLeavingOut(
      dir, "api_wrapped.cs",
      "using System;\nusing System.Text;\nusing System.Runtime.InteropServices;\npublic static class Api\n{\n", pieces,
      "}\n");

  std::string unlisted, stale;
  for (const auto& [key, why] : failing)
    if (!exceptions.count(key)) unlisted += key + ": " + why + "\n";
  for (const auto& [key, reason] : exceptions)
    if ((key.rfind("function ", 0) == 0 || key.rfind("type ", 0) == 0) && !failing.count(key)) stale += key + "\n";
  EXPECT_EQ(unlisted, "") << "declarations that do not compile and are not listed as exceptions";
  EXPECT_EQ(stale, "") << "listed exceptions that compile (or are gone): take them off the list";
  std::printf("[          ] %zu of %zu declarations compile\n", declarations.size() - failing.size(),
              declarations.size());
}

bool HasMcs(const std::filesystem::path& dir) { return RunProgram({"mcs", "--version"}, dir).exitCode == 0; }
bool HasMono(const std::filesystem::path& dir) {
  return HasMcs(dir) && RunProgram({"mono", "--version"}, dir).exitCode == 0;
}

TEST_F(WinApiCatalogue, CSharpDeclarationsCompile) {
  if (!HasMcs(dir_.path())) GTEST_SKIP() << "the Mono C# compiler (mono-mcs) is not installed";
  store_.Close();
  ExpectTheExportCompiles(dir_.path(), {}, DECLARIUM_CSHARP_EXCEPTIONS);
}

TEST_F(WinApiCatalogue, CSharp64DeclarationsCompile) {
  if (!HasMcs(dir_.path())) GTEST_SKIP() << "the Mono C# compiler (mono-mcs) is not installed";
  store_.Close();
  ExpectTheExportCompiles(dir_.path(), {"--csharp-64"}, DECLARIUM_CSHARP64_EXCEPTIONS);
}

// Marshal.SizeOf of each named structure of the C# source under Mono: the
// size, or the name of the exception it threw.
std::map<std::string, std::string> MarshalledSizes(const std::filesystem::path& dir, const std::string& types,
                                                   const std::vector<std::string>& names) {
  std::string source = "using System;\nusing System.Runtime.InteropServices;\npublic static class Api\n{\n" + types +
                       "\n}\npublic static class Sizes\n{\npublic static void Main()\n{\n";
  for (const std::string& name : names)
    source += "try { Console.WriteLine(\"" + name + " \" + Marshal.SizeOf(typeof(Api." + name +
              "))); } catch (Exception e) { Console.WriteLine(\"" + name + " \" + e.GetType().Name); }\n";
  source += "}\n}\n";
  test::WriteFileBytes(dir / "sizes.cs", source);
  std::map<std::string, std::string> sizes;
  const ProgramRun compiled = RunProgram({"mcs", "-nowarn:169,414,649", "-out:sizes.exe", "sizes.cs"}, dir);
  EXPECT_EQ(compiled.exitCode, 0) << compiled.output.substr(0, 2000);
  if (compiled.exitCode != 0) return sizes;
  const ProgramRun run = RunProgram({"mono", "sizes.exe"}, dir);
  EXPECT_EQ(run.exitCode, 0) << run.output.substr(0, 2000);
  std::istringstream lines(run.output);
  std::string name, size;
  while (lines >> name >> size) sizes[name] = size;
  return sizes;
}

// Every structure without text members marshals, under Mono, to the size
// its members give on 32-bit Windows, which the generator checks against
// the compiler's (an int of C# is 4 bytes on 64-bit runtimes too; a string
// is a pointer, 8 bytes there, so structures holding one are left aside).
TEST_F(WinApiCatalogue, CSharpStructuresMarshalToTheirSize) {
  if (!HasMono(dir_.path())) GTEST_SKIP() << "Mono (mono-mcs, mono-runtime) is not installed";
  std::vector<DataTypeRecord> types;
  Statement rows = store_.Prepare("select " + DataTypeColumns(store_) + " from 数据类型表 order by id");
  while (store_.NextRow(rows)) ReadDataTypeRow(store_, rows, types.emplace_back());
  ASSERT_TRUE(store_.Finalize(rows));
  ChildRows members;
  ASSERT_TRUE(LoadMembersOf(store_, "select id from 数据类型表", members));
  std::map<std::string, const DataTypeRecord*> byName;
  for (DataTypeRecord& d : types) {
    d.members = std::move(members[d.id]);
    byName.emplace(d.name, &d);
  }
  std::map<std::string, bool> holdsText;
  std::function<bool(const std::string&)> text = [&](const std::string& name) {
    if (auto known = holdsText.find(name); known != holdsText.end()) return known->second;
    holdsText[name] = false;  // a structure reaching itself
    bool any = false;
    if (auto d = byName.find(name); d != byName.end())
      for (const ParameterRecord& m : d->second->members) any = any || m.type == "文本型" || text(m.type);
    return holdsText[name] = any;
  };
  std::map<std::string, long long> expected;
  // A structure of no bytes (DVD_BCA_DESCRIPTOR holds only a char array of
  // length 0) is 1 byte in C#, which has no empty structures.
  for (const DataTypeRecord& d : types)
    if (!text(d.name))
      if (const auto layout = apigen::RecordLayout(d.name, byName); layout && layout->first > 0)
        expected.emplace(d.name, layout->first);

  store_.Close();
  const ProgramRun exported = RunProgram({DECLARIUM_CLI_PATH, "--db", "data.db", "--syntax", "csharp", "--public",
                                          "export", "--output", "types.cs", "--types"},
                                         dir_.path());
  ASSERT_EQ(exported.exitCode, 0) << exported.output;
  std::vector<std::string> names;
  for (const auto& [name, size] : expected) names.push_back(name);
  std::string wrong;
  std::size_t right = 0;
  for (const auto& [name, size] : MarshalledSizes(dir_.path(), GbkToUtf8(ReadFileBytes(dir_ / "types.cs")), names)) {
    if (size == std::to_string(expected[name]))
      ++right;
    else if (wrong.size() < 2000)
      wrong += name + ": " + size + ", members give " + std::to_string(expected[name]) + "\n";
  }
  EXPECT_EQ(wrong, "");
  std::printf("[          ] %zu of %zu structures without text marshal to their size\n", right, expected.size());
}

// --- C# for 64-bit processes ----------------------------------------------

// What a 64-bit compiler gives for the same headers (the generator's second
// reading of them): each data type's size, each function's return value
// (0: void) and parameter sizes, and the functions only 64-bit Windows has.
struct Sizes64 {
  std::map<std::string, long long> types;
  std::map<std::string, std::vector<long long>> functions;
  std::set<std::string> only64;
};

Sizes64 ReadSizes64() {
  Sizes64 out;
  std::istringstream in(ReadFileBytes(DECLARIUM_WINAPI_SIZES_64));
  std::string kind, name, value;
  while (in >> kind >> name >> value) {
    if (kind == "type") out.types[name] = std::stoll(value);
    if (kind == "only64") out.only64.insert(name);
    if (kind != "function") continue;
    std::vector<long long>& sizes = out.functions[name];
    std::istringstream list(value);
    for (std::string size; std::getline(list, size, ',');) sizes.push_back(std::stoll(size));
  }
  return out;
}

TEST_F(WinApiCatalogue, CSharp64SpotChecks) {
  const ProgramRun run = RunProgram({DECLARIUM_CLI_PATH, "--db", "data.db", "--syntax", "csharp", "--csharp-64",
                                     "declare", "function", "SendMessageA"},
                                    dir_.path());
  EXPECT_EQ(run.output,
            "[DllImport(\"user32.dll\", EntryPoint = \"SendMessageA\")]\r\n"
            "private static extern IntPtr SendMessageA(IntPtr hWnd, uint Msg, IntPtr wParam, IntPtr lParam);");
  DeclarationStyle on;
  on.csharp64 = true;
  FunctionRecord f = Function("CreateWindowExA");
  EXPECT_EQ(DeclareFunction(SyntaxKind::CSharp, f, on),
            "[DllImport(\"user32.dll\", EntryPoint = \"CreateWindowExA\", CharSet = CharSet.Ansi)]\r\n"
            "private static extern IntPtr CreateWindowExA(uint dwExStyle, [MarshalAs(UnmanagedType.LPStr)] string "
            "lpClassName, [MarshalAs(UnmanagedType.LPStr)] string lpWindowName, uint dwStyle, int X, int Y, int "
            "nWidth, int nHeight, IntPtr hWndParent, IntPtr hMenu, IntPtr hInstance, IntPtr lpParam);");
  f = Function("GetWindowTextW");
  EXPECT_NE(DeclareFunction(SyntaxKind::CSharp, f, on).find("[MarshalAs(UnmanagedType.LPWStr)] StringBuilder lpString"),
            std::string::npos);
  f = Function("IsWindow");
  EXPECT_NE(DeclareFunction(SyntaxKind::CSharp, f, on).find("[return: MarshalAs(UnmanagedType.Bool)]\r\n"),
            std::string::npos);
  // The 64-bit-only functions are listed, not in the catalogue.
  const Sizes64 sizes = ReadSizes64();
  EXPECT_EQ(sizes.only64.count("GetWindowLongPtrA"), 1u);
  int id = -1;
  EXPECT_TRUE(FindEntryByName(store_, "函数表", "GetWindowLongPtrA", id));
  EXPECT_EQ(id, 0);
}

// Every structure marshals, under 64-bit Mono, to the size the compiler
// gives it for x86_64, but for the listed exceptions.
TEST_F(WinApiCatalogue, CSharp64StructuresMarshalToTheir64BitSize) {
  if (!HasMono(dir_.path())) GTEST_SKIP() << "Mono (mono-mcs, mono-runtime) is not installed";
  const Sizes64 sizes = ReadSizes64();
  std::vector<std::string> names;
  Statement rows = store_.Prepare("select 名称 from 数据类型表 order by id");
  while (store_.NextRow(rows)) {
    const std::string name = store_.ColumnText(rows, 0);
    if (sizes.types.count(name) && sizes.types.at(name) > 0) names.push_back(name);
  }
  ASSERT_TRUE(store_.Finalize(rows));
  store_.Close();
  const ProgramRun exported = RunProgram({DECLARIUM_CLI_PATH, "--db", "data.db", "--syntax", "csharp", "--public",
                                          "--csharp-64", "export", "--output", "types.cs", "--types"},
                                         dir_.path());
  ASSERT_EQ(exported.exitCode, 0) << exported.output;
  const auto exceptions = ReadExceptions(DECLARIUM_CSHARP64_EXCEPTIONS);
  std::string wrong, stale;
  std::size_t right = 0;
  for (const auto& [name, size] : MarshalledSizes(dir_.path(), GbkToUtf8(ReadFileBytes(dir_ / "types.cs")), names)) {
    const bool listed = exceptions.count("size " + name) != 0;
    if (size == std::to_string(sizes.types.at(name))) {
      ++right;
      if (listed) stale += name + "\n";
    } else if (!listed && wrong.size() < 3000) {
      wrong += name + ": " + size + ", x86_64 " + std::to_string(sizes.types.at(name)) + "\n";
    }
  }
  EXPECT_EQ(wrong, "");
  EXPECT_EQ(stale, "") << "listed exceptions that marshal to their size: take them off the list";
  std::printf("[          ] %zu of %zu structures marshal to their x86_64 size\n", right, names.size());
}

// The size a parameter or return type of the C# text has when marshalled in
// a 64-bit process ("[MarshalAs(...)] " before it taken off); 0 for void,
// -1 for a type not known.
long long CSharp64Size(std::string type, const std::map<std::string, long long>& structures) {
  while (!type.empty() && type[0] == '[') type.erase(0, type.find("] ") + 2);
  if (type.rfind("ref ", 0) == 0 || type.rfind("out ", 0) == 0 || type.find("[]") != std::string::npos) return 8;
  static const std::map<std::string, long long> kBasic = {
      {"void", 0}, {"IntPtr", 8}, {"UIntPtr", 8}, {"string", 8}, {"StringBuilder", 8}, {"int", 4},
      {"uint", 4}, {"bool", 4},   {"float", 4},   {"short", 2},  {"ushort", 2},        {"char", 2},
      {"byte", 1}, {"sbyte", 1},  {"long", 8},    {"ulong", 8},  {"double", 8}};
  if (const auto basic = kBasic.find(type); basic != kBasic.end()) return basic->second;
  const auto structure = structures.find(type);
  return structure == structures.end() ? -1 : structure->second;
}

// Each function's return value and parameters, as the C# text declares
// them, have on 64-bit the sizes the compiler gives their C types there.
TEST_F(WinApiCatalogue, CSharp64ValuesHaveTheir64BitSize) {
  const Sizes64 sizes = ReadSizes64();
  std::vector<FunctionRecord> functions;
  Statement rows = store_.Prepare("select " + FunctionColumns(store_) + " from 函数表 order by id");
  while (store_.NextRow(rows)) ReadFunctionRow(store_, rows, functions.emplace_back());
  ASSERT_TRUE(store_.Finalize(rows));
  ChildRows parameters;
  ASSERT_TRUE(LoadParametersOf(store_, "select id from 函数表", parameters));
  DeclarationStyle on;
  on.csharp64 = true;
  const auto exceptions = ReadExceptions(DECLARIUM_CSHARP64_EXCEPTIONS);
  std::size_t right = 0, checked = 0;
  std::string wrong, stale;
  for (FunctionRecord& f : functions) {
    f.parameters = std::move(parameters[f.id]);
    const auto expected = sizes.functions.find(f.name);
    if (expected == sizes.functions.end()) continue;
    const std::string text = DeclareFunction(SyntaxKind::CSharp, f, on);
    const std::size_t begin = text.find("static extern ") + 14;
    const std::size_t open = text.find(" " + f.name + "(", begin);
    std::vector<long long> got = {CSharp64Size(text.substr(begin, open - begin), sizes.types)};
    const std::string list = text.substr(open + f.name.size() + 2, text.size() - open - f.name.size() - 4);
    for (std::size_t at = 0; at < list.size();) {
      std::size_t end = list.find(", ", at);
      if (end == std::string::npos) end = list.size();
      const std::string parameter = list.substr(at, end - at);
      got.push_back(CSharp64Size(parameter.substr(0, parameter.rfind(' ')), sizes.types));
      at = end + 2;
    }
    ++checked;
    const bool listed = exceptions.count("values " + f.name) != 0;
    if (got == expected->second) {
      ++right;
      if (listed) stale += f.name + "\n";
    } else if (!listed && wrong.size() < 3000) {
      wrong += text.substr(begin) + "\n";
    }
  }
  EXPECT_EQ(wrong, "");
  EXPECT_EQ(stale, "") << "listed exceptions whose values have their sizes: take them off the list";
  EXPECT_GE(checked, 12000u);
  std::printf("[          ] %zu of %zu functions pass values of their x86_64 sizes\n", right, checked);
}

// --- Copying with dependencies --------------------------------------------

std::string WithDependencies(CatalogueStore& store, EntryKind kind, int id, SyntaxKind syntax) {
  std::string text;
  EXPECT_EQ(DeclarationsWithDependencies(store, {{id, kind}}, syntax, DeclarationStyle{}, text), CopyResult::Copied);
  return text;
}

// Where name stands in text as a whole word.
std::size_t FindWhole(const std::string& text, const std::string& name, std::size_t from) {
  for (std::size_t at = text.find(name, from); at != std::string::npos; at = text.find(name, at + 1)) {
    const std::size_t end = at + name.size();
    if (end == text.size() || !(std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) return at;
  }
  return std::string::npos;
}

TEST_F(WinApiCatalogue, CopiesWithDependenciesInEachSyntax) {
  // The heads each syntax starts a structure with.
  const std::map<SyntaxKind, std::string> head{
      {SyntaxKind::E, ".数据类型 "}, {SyntaxKind::CSharp, "struct "}, {SyntaxKind::Vb, "Type "}};
  const struct {
    const char* table;
    EntryKind kind;
    const char* name;
    std::vector<const char*> typesInOrder;  // each before the next, the entry last
  } cases[] = {
      {"函数表", EntryKind::Functions, "RegisterClassExA", {"WNDCLASSEXA"}},
      {"函数表", EntryKind::Functions, "GetWindowPlacement", {"POINT", "WINDOWPLACEMENT"}},
      {"函数表", EntryKind::Functions, "GetWindowPlacement", {"RECT", "WINDOWPLACEMENT"}},
      {"数据类型表",
       EntryKind::DataTypes,
       "EMRCREATECOLORSPACE",
       {"CIEXYZ", "CIEXYZTRIPLE", "LOGCOLORSPACEA", "EMRCREATECOLORSPACE"}},
  };
  for (SyntaxKind syntax : kAllSyntaxes) {
    for (const auto& c : cases) {
      const std::string text = WithDependencies(store_, c.kind, IdOf(c.table, c.name), syntax);
      EXPECT_EQ(text.find("未找到"), std::string::npos) << text;
      std::size_t last = 0;
      for (const char* type : c.typesInOrder) {
        const std::string declared = head.at(syntax) + type;
        const std::size_t at = FindWhole(text, declared, 0);
        ASSERT_NE(at, std::string::npos) << declared << " in\n" << text;
        EXPECT_GE(at, last) << c.name << ": " << type;
        last = at;
        EXPECT_EQ(FindWhole(text, declared, at + 1), std::string::npos) << type << " twice";
      }
      EXPECT_NE(text.find(c.name, last), std::string::npos);
    }
  }
}

// 200 functions taken at random, each copied with its dependencies as C#,
// each compiled as a text of its own (a namespace each, so that one cannot
// lend another a type). What fails must be a listed exception, or use one.
TEST_F(WinApiCatalogue, CSharpCopiesWithDependenciesCompileOnTheirOwn) {
  if (RunProgram({"mcs", "--version"}, dir_.path()).exitCode != 0)
    GTEST_SKIP() << "the Mono C# compiler (mono-mcs) is not installed";
  std::vector<int> ids;
  Statement all = store_.Prepare("select id from 函数表 order by id");
  while (store_.NextRow(all)) ids.push_back(store_.ColumnInt(all, 0));
  ASSERT_TRUE(store_.Finalize(all));
  std::mt19937 random(25);
  std::shuffle(ids.begin(), ids.end(), random);
  ids.resize(200);

  std::map<std::string, std::string> texts;  // by function id
  std::vector<SourcePiece> pieces;
  for (int id : ids) {
    const std::string key = std::to_string(id);
    texts[key] = GbkToUtf8(WithDependencies(store_, EntryKind::Functions, id, SyntaxKind::CSharp));
    pieces.push_back({key, "namespace Copy" + key + " {\npublic static class Api\n{\n" + texts[key] + "\n}\n}\n"});
  }
  const std::map<std::string, std::string> failing =
      CompileLeavingOut(dir_.path(), "copies.cs", "using System;\nusing System.Runtime.InteropServices;\n", pieces, "");

  // A failure is explained when the function or a type in its text is listed.
  const auto exceptions = ReadExceptions(DECLARIUM_CSHARP_EXCEPTIONS);
  std::string unexplained;
  static const std::regex word(R"(\w+)");
  for (const auto& [id, why] : failing) {
    std::set<std::string> words;
    for (auto w = std::sregex_iterator(texts[id].begin(), texts[id].end(), word); w != std::sregex_iterator(); ++w)
      words.insert(w->str());
    bool listed = false;
    for (const auto& [key, reason] : exceptions) listed = listed || words.count(key.substr(key.find(' ') + 1)) > 0;
    if (!listed) unexplained += id + ": " + why + "\n";
  }
  EXPECT_EQ(unexplained, "");
  std::printf("[          ] %zu of %zu copies compile on their own\n", ids.size() - failing.size(), ids.size());
  for (const auto& [id, why] : failing) std::printf("[          ] function %s: %s\n", id.c_str(), why.c_str());
}

// The catalogue holds what importing its own E-syntax export gives: nothing
// in it is lost or cut on the way through the E syntax.
TEST_F(WinApiCatalogue, ImportingItsEExportGivesItBack) {
  store_.Close();
  std::filesystem::create_directory(dir_ / "again");
  const ProgramRun exported = RunProgram({DECLARIUM_CLI_PATH, "--db", "data.db", "--remarks", "export", "--output",
                                          "all.e", "--functions", "--types", "--constants"},
                                         dir_.path());
  ASSERT_EQ(exported.exitCode, 0) << exported.output;
  const ProgramRun init = RunProgram({DECLARIUM_CLI_PATH, "init"}, dir_ / "again");
  ASSERT_EQ(init.exitCode, 0) << init.output;
  const ProgramRun imported = RunProgram({DECLARIUM_CLI_PATH, "import", "--from", "e", "../all.e"}, dir_ / "again");
  ASSERT_EQ(imported.exitCode, 0) << imported.output;

  ASSERT_TRUE(store_.OpenPath(dir_ / "data.db", false));
  ASSERT_TRUE(store_.Exec("attach database " + SqlLiteral((dir_ / "again/data.db").string()) + " as again"));
  // Rows of one side that the other side does not have, both ways.
  auto differ = [&](const std::string& select, const std::string& selectAgain) {
    return store_.QueryInt("select count(*) from (" + select + " except " + selectAgain + ")", -1) +
           store_.QueryInt("select count(*) from (" + selectAgain + " except " + select + ")", -1);
  };
  EXPECT_EQ(differ("select 名称,返回值类型,备注,库名,库对应命令 from main.函数表",
                   "select 名称,返回值类型,备注,库名,库对应命令 from again.函数表"),
            0);
  const std::string parameters =
      "select f.名称,p.名称,p.数据类型,p.数组,p.传址,p.备注,"
      "row_number() over (partition by p.所属函数 order by p.id) "
      "from %.函数参数表 p join %.函数表 f on p.所属函数=f.id";
  auto in = [](std::string sql, const std::string& schema) {
    for (std::size_t at; (at = sql.find('%')) != std::string::npos;) sql.replace(at, 1, schema);
    return sql;
  };
  EXPECT_EQ(differ(in(parameters, "main"), in(parameters, "again")), 0);
  // A data type's E declaration writes its remark one field further on than
  // the reader takes it from, so only the names are compared.
  EXPECT_EQ(differ("select 名称 from main.数据类型表", "select 名称 from again.数据类型表"), 0);
  const std::string members =
      "select d.名称,m.名称,m.数据类型,m.数组,m.传址,m.备注,"
      "row_number() over (partition by m.所属数据类型 order by m.id) "
      "from %.数据类型成员表 m join %.数据类型表 d on m.所属数据类型=d.id";
  EXPECT_EQ(differ(in(members, "main"), in(members, "again")), 0);
  EXPECT_EQ(differ("select 名称,十进制值,备注 from main.常量表", "select 名称,十进制值,备注 from again.常量表"), 0);
}

}  // namespace
}  // namespace declarium
