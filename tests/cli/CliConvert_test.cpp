// convert, and the input and output encodings.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

const char kVbLine[] = "Private Declare Function GetTickCount Lib \"kernel32\" () As Long\n";
const char kEOut[] = ".DLL命令 GetTickCount, 整数型, \"kernel32\", \"GetTickCount\", , \r\n";

TEST(CliConvertTest, VbDeclarationToE) {
  TempDir dir;  // no catalogue needed
  CliResult r = RunCli(dir.path(), {"convert", "--from", "vb", "--to", "e"}, kVbLine);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, kEOut);
  EXPECT_FALSE(std::filesystem::exists(dir / "data.db"));

  WriteFileBytes(dir / "in.bas", kVbLine);
  r = RunCli(dir.path(), {"convert", "--from", "2", "--to", "csharp", "in.bas"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(
      r.out,
      "[DllImport(\"kernel32\", EntryPoint = \"GetTickCount\")]\r\nprivate static extern int GetTickCount();\r\n");
  r = RunCli(dir.path(), {"--public", "--prefix", "My", "convert", "--from", "vb", "--to", "vb", "in.bas"});
  EXPECT_EQ(r.out, "Public Declare Function MyGetTickCount Lib \"kernel32\" Alias \"GetTickCount\" () As Long\r\n");

  r = RunCli(dir.path(), {"convert", "--from", "vb", "--to", "e"}, "");
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "");

  // Lines that end in CR alone read as lines: no CR is left in a remark.
  r = RunCli(dir.path(), {"--remarks", "convert", "--from", "e", "--to", "vb"},
             ".常量 C, \"1\", , 备注一\r.常量 D, \"2\", , 备注二\r");
  EXPECT_EQ(r.out, "Private Const C = &H1 '备注一\r\nPrivate Const D = &H2 '备注二\r\n");
}

// A C# method without EntryPoint binds to its own name: a prefixed name
// written from it still binds there, in every syntax, converted or imported.
TEST(CliConvertTest, ACSharpMethodWithoutEntryPointKeepsItsNameAsTheEntry) {
  CliCatalogue cat;
  const std::string method =
      "[DllImport(\"kernel32.dll\")] public static extern int GetModuleFileNameA(IntPtr hModule, byte[] "
      "lpFilename, int nSize);\n";
  const std::pair<const char*, const char*> expected[] = {
      {"e", ".DLL命令 PGetModuleFileNameA, 整数型, \"kernel32.dll\", \"GetModuleFileNameA\", , "},
      {"vb", "Private Declare Function PGetModuleFileNameA Lib \"kernel32.dll\" Alias \"GetModuleFileNameA\""},
      {"csharp",
       "[DllImport(\"kernel32.dll\", EntryPoint = \"GetModuleFileNameA\")]\r\nprivate static extern int "
       "PGetModuleFileNameA("},
  };
  cat.Import("csharp", method);
  for (const auto& [to, start] : expected) {
    SCOPED_TRACE(to);
    CliResult r = cat.Run({"--prefix", "P", "convert", "--from", "csharp", "--to", to}, method);
    EXPECT_EQ(r.out.rfind(start, 0), 0u) << r.out;
    r = cat.Run({"--prefix", "P", "--syntax", to, "declare", "function", "GetModuleFileNameA"});
    EXPECT_NE(r.out.find(start), std::string::npos) << r.out;
  }
}

// The euro sign is one byte (0x80) in code page 936: a character of its own,
// at the end of a name, before a separator and before a line end.
TEST(CliConvertTest, TheEuroSignIsACharacterOfItsOwn) {
  TempDir dir;
  const std::string e =
      ".DLL命令 F€, 整数型, \"k\", \"F€\", , \r\n    .参数 a€, 整数型, \r\n.常量 C€, \"5\", \r\n.常量 NEXTC, \"6\", "
      "\r\n";
  const std::string vb =
      "Private Declare Function F€ Lib \"k\" Alias \"F€\" (ByVal a€ As Long) As Long\r\n"
      "Private Const C€ = &H5\r\nPrivate Const NEXTC = &H6\r\n";
  const std::string csharp =
      "[DllImport(\"k\", EntryPoint = \"F€\")]\r\npublic static extern int F€(int a€);\r\n"
      "public const int C€ = 5;\r\npublic const int NEXTC = 6;\r\n";
  EXPECT_EQ(RunCli(dir.path(), {"convert", "--from", "vb", "--to", "e"}, vb).out, e);
  EXPECT_EQ(RunCli(dir.path(), {"convert", "--from", "e", "--to", "vb"}, e).out, vb);
  EXPECT_EQ(RunCli(dir.path(), {"convert", "--from", "csharp", "--to", "e"}, csharp).out, e);
}

TEST(CliConvertTest, WrongWordsAndUnreadableFile) {
  TempDir dir;
  EXPECT_EQ(RunCli(dir.path(), {"convert", "--from", "vb", "--to", "cobol"}, kVbLine).exitCode, 2);
  EXPECT_EQ(RunCli(dir.path(), {"convert", "--to", "e"}, kVbLine).exitCode, 2);
  CliResult r = RunCli(dir.path(), {"convert", "--from", "vb", "--to", "e", "missing.bas"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("missing.bas"), std::string::npos);
}

// A VB type with Chinese text through every way in and out.
const char kTypeUtf8[] = "Public Type 点 '位置\n    x As Long\nEnd Type\n";
const char kTypeE[] = ".数据类型 点, , , 位置\r\n    .成员 x, 整数型, , , \r\n";

TEST(CliEncodingTest, InputIsGuessedOrAsGiven) {
  TempDir dir;
  const std::vector<std::string> convert = {"--remarks", "convert", "--from", "vb", "--to", "e", "in.bas"};
  const std::string gbk = Utf8ToGbk(kTypeUtf8);
  const std::string inputs[] = {kTypeUtf8, "\xEF\xBB\xBF" + std::string(kTypeUtf8), gbk};
  for (const std::string& bytes : inputs) {
    WriteFileBytes(dir / "in.bas", bytes);
    CliResult r = RunCli(dir.path(), convert);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, kTypeE);
  }
  // Standard input is guessed the same way.
  CliResult r = RunCli(dir.path(), {"--remarks", "convert", "--from", "vb", "--to", "e"}, gbk);
  EXPECT_EQ(r.out, kTypeE);

  // Told GBK, UTF-8 bytes are taken as GBK, and those that are no GBK
  // characters are refused; told UTF-8, they are UTF-8.
  WriteFileBytes(dir / "in.bas", kTypeUtf8);
  std::vector<std::string> told = {"--input-encoding", "gbk"};
  told.insert(told.end(), convert.begin(), convert.end());
  r = RunCli(dir.path(), told);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err.rfind("cannot read in.bas: line ", 0), 0u) << r.err;
  EXPECT_NE(r.err.find(" is not valid GBK text"), std::string::npos) << r.err;
  EXPECT_TRUE(r.out.empty());
  told[1] = "utf-8";
  r = RunCli(dir.path(), told);
  EXPECT_EQ(r.out, kTypeE);
  told[1] = "latin1";
  EXPECT_EQ(RunCli(dir.path(), told).exitCode, 2);
}

TEST(CliEncodingTest, OutputInGbk) {
  TempDir dir;
  CliResult r =
      RunCli(dir.path(), {"--output-encoding", "gbk", "--remarks", "convert", "--from", "vb", "--to", "e"}, kTypeUtf8);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, Utf8ToGbk(kTypeE));
  EXPECT_EQ(RunCli(dir.path(), {"--output-encoding", "utf-16", "stats"}).exitCode, 2);

  // Messages too.
  CliCatalogue cat;
  r = cat.Run({"--output-encoding", "gbk", "import", "--from", "vb"}, kTypeUtf8);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, Utf8ToGbk("成功添加\n函数：0个\n数据类型：1个\n常量：0个\n"));
  // Names given on the command line are UTF-8.
  r = cat.Run({"--output-encoding", "gbk", "--remarks", "declare", "type", "点"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, Utf8ToGbk(".版本 2\r\n\r\n.数据类型 点, , , 位置\r\n    .成员 x, 整数型, , , "));
}

}  // namespace
}  // namespace declarium::test
