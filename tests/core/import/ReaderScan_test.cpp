#include "import/ReaderScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/TextPrimitives.h"

namespace declarium {
namespace {

const std::vector<std::string> kTexts = {
    "",
    "a",
    ", ",
    ", , ",
    "a, b, c",
    "a, b, ",
    ", a",
    "a,b",
    "\x81, b, c",
    "中, 文, ",
    "\r\n",
    "a\r\n\r\nb",
    "a\r\n",
    "\r\n\r\n",
    "\x81\r\nb",
    "a\r",
    "\xA1\xA1\r\n\xA1\xA1",
};

// The readers cut lines and fields with these instead of SplitText; they
// must cut exactly the same pieces.
TEST(ReaderScan, CutsTheSamePiecesAsSplitText) {
  for (const std::string& t : kTexts) {
    SCOPED_TRACE(t);
    for (std::string_view d : {std::string_view(", "), std::string_view("\r\n")}) {
      const std::vector<std::string_view> all = SplitText(t, d);
      scan::FirstFields<3> first(t, d);
      ASSERT_EQ(first.Count(), std::min<size_t>(all.size(), 3));
      for (size_t n = 1; n <= 4; ++n) {
        EXPECT_EQ(first.Has(n), n <= first.Count());
        EXPECT_EQ(first[n], n <= first.Count() ? all[n - 1] : std::string_view());
      }
    }
    std::vector<std::string_view> lines;
    scan::LineCursor cursor(t);
    std::string_view line;
    while (cursor.Next(line)) lines.push_back(line);
    EXPECT_EQ(lines, SplitText(t, "\r\n"));
  }
}

// The same on random texts of the bytes that decide a cut: separators, line
// breaks and lead bytes that take the next byte with them.
TEST(ReaderScan, CutsTheSamePiecesAsSplitTextOnRandomText) {
  const char alphabet[] = {'a', ',', ' ', '\r', '\n', '\x81', '\xA1', '\xC3'};
  unsigned seed = 777;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  for (int round = 0; round < 3000; ++round) {
    std::string t;
    for (unsigned n = next() % 60; n > 0; --n) t += alphabet[next() % sizeof alphabet];
    const std::vector<std::string_view> all = SplitText(t, ", ");
    scan::FirstFields<6> first(t, ", ");
    ASSERT_EQ(first.Count(), std::min<size_t>(all.size(), 6)) << round;
    for (size_t n = 1; n <= first.Count(); ++n) ASSERT_EQ(first[n], all[n - 1]) << round;
    std::vector<std::string_view> pieces;
    scan::ForEachPiece(t, ",", [&](std::string_view p) { pieces.push_back(p); });
    ASSERT_EQ(pieces, SplitText(t, ",")) << round;
    std::vector<std::string_view> lines;
    scan::LineCursor cursor(t);
    std::string_view line;
    while (cursor.Next(line)) lines.push_back(line);
    ASSERT_EQ(lines, SplitText(t, "\r\n")) << round;
    // Any short separator, from any character start, as FindText finds it.
    std::string d;
    for (unsigned n = 1 + next() % 3; n > 0; --n) d += alphabet[next() % sizeof alphabet];
    for (size_t from = 0; from < t.size(); from += static_cast<unsigned char>(t[from]) >= 0x80 ? 2 : 1) {
      const long want = FindText(t, d, static_cast<long>(from) + 1);
      const size_t got = FindSeparator(t, d, from);
      ASSERT_EQ(got == std::string_view::npos ? -1 : static_cast<long>(got) + 1, want) << round << " " << from;
    }
  }
}

}  // namespace
}  // namespace declarium
