// 200,000 declarations through import, convert and export: every count
// matches, and no command's peak memory grows beyond a fixed multiple of its
// input.
#include <gtest/gtest.h>

#include <chrono>

#include "cli/CliRunner.h"

namespace declarium::test {
namespace {

// Peak resident memory of a command, at most this many times the size of the
// text it reads (measured, base included: import 2.8, convert 2.5), plus a
// base for the program itself; the export at most this many times the catalogue file
// (measured 2.9, base included).
constexpr long kMemoryFactor = 3;
constexpr long kExportFactor = 3;
constexpr long kBaseKb = 20 * 1024;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kMeasured = false;  // the sanitizer's own memory says nothing of the program's
#else
constexpr bool kMeasured = true;
#endif

size_t Count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size())) ++n;
  return n;
}

TEST(CliLongRunTest, TwoHundredThousandDeclarations) {
#ifdef _WIN32
  GTEST_SKIP() << "peak memory is measured on Linux; under Wine the run only takes time";
#endif
  constexpr int kFunctions = 100000, kTypes = 50000, kConstants = 50000;
  std::string text;
  text.reserve(16 << 20);
  for (int i = 0; i < kFunctions; ++i) {
    const std::string n = std::to_string(i);
    text += "Private Declare Function Fn" + n + " Lib \"user32\" Alias \"Fn" + n +
            "A\" (ByVal hWnd As Long, lpText As Any) As Long\n";
  }
  for (int i = 0; i < kTypes; ++i)
    text += "Public Type T" + std::to_string(i) + "\n    x As Long\n    y As Long\nEnd Type\n";
  for (int i = 0; i < kConstants; ++i)
    text += "Public Const K" + std::to_string(i) + " = &H" + std::to_string(i) + "\n";
  CliCatalogue cat;
  WriteFileBytes(cat.file("big.bas"), text);
  const long inputKb = static_cast<long>(text.size() / 1024);
  const long limitKb = kMemoryFactor * inputKb + kBaseKb;

  const auto start = std::chrono::steady_clock::now();
  CliResult r = cat.Run({"import", "--from", "vb", "big.bas"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "成功添加\n函数：100000个\n数据类型：50000个\n常量：50000个\n");
  if (kMeasured) {
    EXPECT_LT(r.maxRssKb, limitKb) << "import, input " << inputKb << " KB";
  }
  const long importKb = r.maxRssKb;
  EXPECT_EQ(cat.Run({"stats"}).out, "函数：100000个\n数据类型：50000个\n常量：50000个\n");

  r = cat.Run({"convert", "--from", "vb", "--to", "csharp", "big.bas"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Count(r.out, "private static extern int Fn"), size_t{kFunctions});
  EXPECT_EQ(Count(r.out, "private struct T"), size_t{kTypes});
  EXPECT_EQ(Count(r.out, "\nK"), size_t{kConstants});
  if (kMeasured) {
    EXPECT_LT(r.maxRssKb, limitKb) << "convert";
  }
  const long convertKb = r.maxRssKb;

  r = cat.Run({"--syntax", "vb", "export", "--output", "out.txt", "--functions", "--types", "--constants"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  const std::string exported = ReadFileBytes(cat.file("out.txt"));
  EXPECT_EQ(Count(exported, "Declare Function "), size_t{kFunctions});
  EXPECT_EQ(Count(exported, "Type T"), size_t{kTypes});
  EXPECT_EQ(Count(exported, "Const K"), size_t{kConstants});
  // The export's input is the catalogue file.
  const long catalogueKb = static_cast<long>(std::filesystem::file_size(cat.file("data.db")) / 1024);
  if (kMeasured) {
    EXPECT_LT(r.maxRssKb, kExportFactor * catalogueKb + kBaseKb) << "export";
  }
  const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("input %ld KB, catalogue %ld KB; peak memory: import %ld KB, convert %ld KB, export %ld KB; %.1f s\n",
              inputKb, catalogueKb, importKb, convertKb, r.maxRssKb, seconds);
}

}  // namespace
}  // namespace declarium::test
