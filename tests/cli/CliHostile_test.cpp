// Hostile text as the command line takes it: from files and standard input
// in UTF-8 or GBK, and as arguments (entry names, export condition values,
// the name affixes). Every value through every core path is HostileText_test's
// matrix; here a few texts show that the command line passes them on as they
// are, and what it adds: refusing what GBK cannot hold with its message and
// exit code, and "--" ending the options. Nothing else in the catalogue changes.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "store/CatalogueStore.h"
#include "support/Entries.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

namespace fs = std::filesystem;

// UTF-8 texts: SQL in a value, "--" (which also ends the options), a NUL
// byte (which only a file can carry), a character whose GBK bytes are two,
// "%" and "_" (names, or LIKE's wildcards), and a long argument (the system takes no single argument over
// 128 KB; a Windows command line at most 32,767 UTF-16 units).
std::vector<std::string> HostileTexts() {
#ifdef _WIN32
  constexpr size_t kArgumentSize = 20000;
#else
  constexpr size_t kArgumentSize = 100000;
#endif
  std::string big;
  while (big.size() < kArgumentSize) big += "中'文%_\"\\;--/*";
  return {"x'); delete from 常量表; --", "--", std::string("a\0b", 3), "全角　空格", "%", "_", big};
}

// Characters the catalogue (GBK) cannot hold.
const char kNotInGbk[] = "smile \xF0\x9F\x98\x80 and \xEA\xB0\x80";

class CliHostileTest : public ::testing::Test {
 protected:
  void SetUp() override { cat.Import("vb", "Public Const OTHER = 1 'untouched\nPublic Const x = 2\n"); }
  // Constants named each text, with its index as their value.
  void AddNamedConstants() {
    CatalogueStore store;
    ASSERT_TRUE(store.OpenPath(cat.file("data.db"), false));
    Entries add(store, Entries::Text::Utf8);
    const auto texts = HostileTexts();
    for (size_t i = 0; i < texts.size(); ++i)
      add.Constant(NewConstant(texts[i], std::to_string(i), "").Remark("r" + std::to_string(i)));
  }
  CliCatalogue cat;
};

TEST_F(CliHostileTest, ImportedTextIsStoredExactly) {
  const auto texts = HostileTexts();
  std::string e = ".版本 2\n\n";
  for (size_t i = 0; i < texts.size(); ++i) {
    const std::string n = std::to_string(i);
    e += ".DLL命令 F" + n + ", 整数型, \"k\", \"F" + n + "\", 公开, " + texts[i] + "\n";
    e += "    .参数 p, 整数型, , " + texts[i] + "\n";
  }
  for (size_t i = 0; i < texts.size(); ++i) e += ".常量 C" + std::to_string(i) + ", \"1\", , " + texts[i] + "\n";
  WriteFileBytes(cat.file("in.e"), e);
  const std::string before = cat.Run({"list", "constants"}).out;
  CliResult r = cat.Run({"import", "--from", "e", "in.e"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "成功添加\n函数：7个\n数据类型：0个\n常量：7个\n");

  const std::string constants = cat.Run({"list", "constants"}).out;
  EXPECT_TRUE(constants.ends_with(before)) << "the constants there before changed";
  for (size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(i);
    const std::string n = std::to_string(i);
    EXPECT_TRUE(Contains(constants, "C" + n + "\t0x1\t1\t" + texts[i] + "\n"));
    r = cat.Run({"--remarks", "declare", "function", "F" + n});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, CrLf(".版本 2\n\n.DLL命令 F" + n + ", 整数型, \"k\", \"F" + n + "\", , " + texts[i] +
                          "\n    .参数 p, 整数型, , " + texts[i]));
  }
  // A second import finds every name and adds nothing.
  r = cat.Run({"import", "--from", "e", "in.e"});
  EXPECT_EQ(r.out.find("：0个（"), r.out.find("：")) << r.out;  // none added, every name there already
}

// Text that GBK cannot hold, or bytes that are not characters of the input's
// encoding, would be stored as "?": the whole input is refused instead.
TEST_F(CliHostileTest, InputTheCatalogueCannotHoldIsRefused) {
  const std::string before = CatalogueListing(cat.dir());
  struct Input {
    const char* label;
    std::string bytes;
    std::vector<std::string> options;
    std::string message;
  };
  const Input inputs[] = {
      {"characters outside GBK",
       std::string("Public Const A = 1\nPublic Const B = 2 '") + kNotInGbk + "\n",
       {},
       "cannot read in.bas: line 2 is not valid UTF-8 or holds characters that GBK lacks\n"},
      {"a lone GBK lead byte at the end",
       "Public Const A = 1\nPublic Const B = 2 '\xD6\xD0\xB9",
       {},
       "cannot read in.bas: line 2 is not valid GBK text\n"},
      {"a lone lead byte, told GBK",
       "Public Const A = 1 '\x81\n",
       {"--input-encoding", "gbk"},
       "cannot read in.bas: line 1 is not valid GBK text\n"},
      {"bytes that are no UTF-8, told UTF-8",
       "Public Const A = 1\n\n'\xC0\xAF\n",
       {"--input-encoding", "utf-8"},
       "cannot read in.bas: line 3 is not valid UTF-8 or holds characters that GBK lacks\n"},
  };
  for (const Input& in : inputs) {
    SCOPED_TRACE(in.label);
    WriteFileBytes(cat.file("in.bas"), in.bytes);
    std::vector<std::string> args = in.options;
    for (const char* a : {"import", "--from", "vb", "in.bas"}) args.push_back(a);
    CliResult r = cat.Run(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, in.message);
    EXPECT_TRUE(r.out.empty());
  }
  // Standard input is named as such.
  CliResult r = cat.Run({"import", "--from", "vb"}, std::string("Public Const A = 1 '") + kNotInGbk);
  EXPECT_EQ(r.err, "cannot read standard input: line 1 is not valid UTF-8 or holds characters that GBK lacks\n");
  EXPECT_EQ(CatalogueListing(cat.dir()), before);
  // A GBK file that is whole GBK text is taken as it is.
  WriteFileBytes(cat.file("in.bas"), Utf8ToGbk("Public Const 中文 = 1 '全角　空格\n"));
  r = cat.Run({"import", "--from", "vb", "in.bas"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_TRUE(Contains(cat.Run({"list", "constants"}).out, "中文\t&H1\t1\t全角　空格\n"));
}

TEST_F(CliHostileTest, NamesFindExactlyTheirEntry) {
  AddNamedConstants();
  const std::string before = CatalogueListing(cat.dir());
  const auto texts = HostileTexts();
  for (size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(i);
    if (texts[i].find('\0') != std::string::npos) continue;  // no argument can hold a NUL byte
    // "--" ends the options, so that a name may begin with "-".
    CliResult r = cat.Run({"declare", "constant", "--", texts[i]});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, CrLf(".版本 2\n\n.常量 " + texts[i] + ", \"" + std::to_string(i) + "\", "));
  }
  // No pattern: "%" and "_" are names, not wildcards; "X" is not "x".
  EXPECT_EQ(cat.Run({"declare", "constant", "%x"}).err, "没有找到记录！\n");
  EXPECT_EQ(cat.Run({"declare", "constant", "X"}).err, "没有找到记录！\n");
  // A name GBK cannot hold would look for another one.
  for (const char* command : {"declare", "page"}) {
    CliResult r = cat.Run({command, std::string(command) == "page" ? "function" : "constant", kNotInGbk});
    EXPECT_EQ(r.exitCode, 2) << command;
    EXPECT_TRUE(Contains(r.err, "holds characters that GBK lacks")) << r.err;
  }
  EXPECT_EQ(CatalogueListing(cat.dir()), before);
}

TEST_F(CliHostileTest, ConditionValuesAreOnlyValues) {
  AddNamedConstants();
  const std::string before = CatalogueListing(cat.dir());
  const auto texts = HostileTexts();
  for (size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(i);
    if (texts[i].find('\0') != std::string::npos) continue;
    CliResult r = cat.Run({"export", "--output", "out.txt", "--constants", "--where-constant", "名称", "=", texts[i]});
    if (texts[i].starts_with("--")) {
      // Taken for the end of the options: refused as wrong usage.
      EXPECT_EQ(r.exitCode, 2);
      EXPECT_EQ(r.err, "--where-constant takes three words: FIELD OP VALUE\n");
      continue;
    }
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(GbkToUtf8(ReadFileBytes(cat.file("out.txt"))),
              ".版本 2\r\n\r\n\r\n.常量 " + texts[i] + ", \"" + std::to_string(i) + "\", \r\n");
  }
  static const char kLikeAny[] =
      "Private Const % = 4\r\nPrivate Const _ = 5\r\nPrivate Const a\0b = 2\r\nPrivate Const x = &H2\r\n";
  // like keeps its wildcards: "_" is any one character. (The database's
  // LIKE reads a value only up to a NUL byte, so "a\0b" counts as "a".)
  CliResult r = cat.Run(
      {"--syntax", "vb", "export", "--output", "out.txt", "--constants", "--where-constant", "名称", "like", "_"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(GbkToUtf8(ReadFileBytes(cat.file("out.txt"))), std::string(kLikeAny, sizeof kLikeAny - 1));
  // A pattern longer than the database takes is a failed export, not an empty one.
  if (texts.back().size() > 50000) {
    r = cat.Run({"export", "--output", "out.txt", "--constants", "--where-constant", "备注", "like", texts.back()});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "导出常量失败！\nLIKE or GLOB pattern too complex\n");
  }
  r = cat.Run({"export", "--output", "out.txt", "--constants", "--where-constant", "备注", "=", kNotInGbk});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Contains(r.err, "holds characters that GBK lacks")) << r.err;
  EXPECT_EQ(CatalogueListing(cat.dir()), before);
}

TEST_F(CliHostileTest, AffixesAreWrittenAsGiven) {
  cat.Import("vb", "Private Declare Function Beep Lib \"kernel32\" () As Long\n");
  for (const std::string& v : HostileTexts()) {
    if (v.find('\0') != std::string::npos || v.starts_with("--")) continue;
    CliResult r = cat.Run({"--syntax", "vb", "--prefix", v, "--suffix", v, "declare", "function", "Beep"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Private Declare Function " + v + "Beep" + v + " Lib \"kernel32\" Alias \"Beep\" () As Long");
  }
  CliResult r = cat.Run({"--prefix", kNotInGbk, "declare", "function", "Beep"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_TRUE(Contains(r.err, "holds characters that GBK lacks")) << r.err;
}

}  // namespace
}  // namespace declarium::test
