// Inputs too large to read, or to read in the memory there is: refused or
// reported, with the catalogue as it was; and a long text read in pieces
// reads as a short one does.
#include <gtest/gtest.h>

#include "cli/CliRunner.h"
#include "text/Gbk.h"

namespace declarium::test {
namespace {

namespace fs = std::filesystem;

// A file of that many bytes that takes no room on the disk.
fs::path EmptyFile(const CliCatalogue& cat, const std::string& name, std::uintmax_t size) {
  const fs::path file = cat.file(name);
  WriteFileBytes(file, "");
  fs::resize_file(file, size);
  return file;
}

TEST(CliLargeInputTest, InputOverTheLimitIsRefusedBeforeItIsRead) {
  CliCatalogue cat;
  cat.Import("vb", "Public Const OTHER = 1\n");
  const std::string before = CatalogueListing(cat.dir());
  EmptyFile(cat, "huge.bas", (std::uintmax_t{256} << 20) + 1);
  std::vector<std::vector<std::string>> runs = {{"import", "--from", "vb", "huge.bas"},
                                                {"convert", "--from", "vb", "--to", "e", "huge.bas"}};
#ifndef _WIN32
  // A device without end is refused once the limit is passed.
  runs.push_back({"import", "--from", "vb", "/dev/zero"});
#endif
  for (const auto& args : runs) {
    SCOPED_TRACE(args.back());
    CliResult r = cat.Run(args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(Contains(r.err, "is larger than 256 MiB, the most an input may be")) << r.err;
    EXPECT_TRUE(r.out.empty());
  }
  EXPECT_EQ(CatalogueListing(cat.dir()), before);
  EXPECT_TRUE(Contains(cat.Run({"import", "--help"}).out, "at most 256 MiB"));
}

TEST(CliLargeInputTest, RunningOutOfMemoryIsReportedAndChangesNothing) {
#if defined(_WIN32) || defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "needs an address-space limit the program can run under (POSIX, no address sanitizer)";
#endif
  CliCatalogue cat;
  cat.Import("vb", "Public Const OTHER = 1\n");
  const std::string before = CatalogueListing(cat.dir());
  // 200 MB, under the limit, in an address space of 128 MB.
  EmptyFile(cat, "big.bas", std::uintmax_t{200} << 20);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"import", "--from", "vb", "big.bas"},
        std::vector<std::string>{"convert", "--from", "vb", "--to", "e", "big.bas"}}) {
    SCOPED_TRACE(args.front());
    CliResult r = RunCliInAddressSpace(128 << 20, cat.dir(), args);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "内存不足！\n");
  }
  EXPECT_EQ(CatalogueListing(cat.dir()), before);
}

// Several megabytes of UTF-8 are decoded and checked a piece at a time: the
// result is that of the same text in GBK, and a line that cannot be kept is
// named by its number however far in it is.
TEST(CliLargeInputTest, ALongUtf8TextReadsAsTheSameTextInGbk) {
  CliCatalogue cat;
  std::string text;
  int lines = 0;
  while (text.size() < (3u << 20)) {
    text += "Public Const 常量" + std::to_string(lines) + " = " + std::to_string(lines) + " ' 说明，全角　空格\n";
    ++lines;
  }
  WriteFileBytes(cat.file("utf8.bas"), text);
  WriteFileBytes(cat.file("gbk.bas"), Utf8ToGbk(text));
  const CliResult fromUtf8 = cat.Run({"convert", "--from", "vb", "--to", "csharp", "utf8.bas"});
  const CliResult fromGbk =
      cat.Run({"--input-encoding", "gbk", "convert", "--from", "vb", "--to", "csharp", "gbk.bas"});
  ASSERT_EQ(fromUtf8.exitCode, 0) << fromUtf8.err;
  EXPECT_EQ(fromUtf8.out, fromGbk.out);
  EXPECT_TRUE(Contains(fromUtf8.out, "常量" + std::to_string(lines - 1)));

  WriteFileBytes(cat.file("bad.bas"), text + "Public Const BAD = 1 ' \xF0\x9F\x98\x80\n" + text);
  CliResult r = cat.Run({"import", "--from", "vb", "bad.bas"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "cannot read bad.bas: line " + std::to_string(lines + 1) +
                       " is not valid UTF-8 or holds characters that GBK lacks\n");
}

}  // namespace
}  // namespace declarium::test
