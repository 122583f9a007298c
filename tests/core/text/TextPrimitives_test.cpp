#include "text/TextPrimitives.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

using Pieces = std::vector<std::string_view>;

TEST(TrimSpaces, RemovesAsciiAndFullWidthSpacesOnly) {
  EXPECT_EQ(TrimSpaces("  ab  "), "ab");
  EXPECT_EQ(TrimSpaces("\xA1\xA1 中文\xA1\xA1 "), "中文");
  EXPECT_EQ(TrimSpaces("\tab\r\n"), "\tab\r\n");
  EXPECT_EQ(TrimSpaces("   "), "");
  EXPECT_EQ(TrimSpaces(""), "");
  // B0 A1 is one character; the A1 after it is a lone lead byte, not a space.
  EXPECT_EQ(TrimSpaces("\xB0\xA1\xA1"), "\xB0\xA1\xA1");
  EXPECT_EQ(TrimSpaces("x\xA1\xA1\xA1\xA1"), "x");
}

TEST(FindText, OneBasedAndFromPosition) {
  EXPECT_EQ(FindText("abcabc", "bc"), 2);
  EXPECT_EQ(FindText("abcabc", "bc", 3), 5);
  EXPECT_EQ(FindText("abcabc", "bc", 0), 2);
  EXPECT_EQ(FindText("abcabc", "bc", -5), 2);
  EXPECT_EQ(FindText("abc", "x"), -1);
  EXPECT_EQ(FindText("", "a"), -1);
  EXPECT_EQ(FindText("a", ""), -1);
  EXPECT_EQ(FindText("ab", "abc"), -1);
  EXPECT_EQ(FindText("abc", "c", 4), -1);
  EXPECT_EQ(FindText("abc", "ABC"), -1);
}

TEST(FindText, NeverMatchesOnATrailByte) {
  // 0x81 0x3B: ';' as the second byte of a double-byte character.
  EXPECT_EQ(FindText("\x81;x;", ";"), 4);
  // "\xB0\xA1" is one character; searching for "\xA1\xB0" must skip its trail.
  EXPECT_EQ(FindText("\xB0\xA1\xB0\xA1", "\xA1\xB0"), -1);
  EXPECT_EQ(FindText("中文中文", "文"), 3);
  EXPECT_EQ(FindText("中文中文", "文", 5), 7);
  // from is taken as a character start, even inside a character.
  EXPECT_EQ(FindText("中文中文", "文", 4), -1);
  // A run of double-byte characters before an ASCII match keeps its parity.
  EXPECT_EQ(FindText("\x81\x82\x83;;", ";"), 5);
  EXPECT_EQ(FindText("\x81\x82;", ";"), 3);
  // A lone lead byte at the end is one character; nothing is read past it.
  EXPECT_EQ(FindText("ab\x81", "\x81"), 3);
}

// FindText and TrimSpaces against the plain reading: walk the characters
// from the start, a byte of 0x80 or more taking the next byte with it. Random
// texts over a few bytes that make leads, trails, spaces and separators.
TEST(FindText, AgreesWithACharacterWalkOnRandomText) {
  const char alphabet[] = {'a', ',', ' ', '\r', '\n', '\x40', '\xA1', '\xB0', '\xC3', '\xFE'};
  unsigned seed = 12345;
  auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  auto randomText = [&](size_t n) {
    std::string t;
    for (size_t i = 0; i < n; ++i) t += alphabet[next() % sizeof alphabet];
    return t;
  };
  auto walkFind = [](const std::string& t, const std::string& s, size_t from) -> long {
    size_t i = 0;
    while (i < from) i += static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1;
    for (; i + s.size() <= t.size(); i += static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1) {
      if (t.compare(i, s.size(), s) == 0) return static_cast<long>(i) + 1;
    }
    return -1;
  };
  for (int round = 0; round < 3000; ++round) {
    std::string t = randomText(next() % 80);
    std::string s = randomText(1 + next() % 4);
    // from: the start of some character, as callers pass it.
    size_t from = 0;
    for (unsigned steps = next() % 8; steps > 0 && from < t.size(); --steps)
      from += static_cast<unsigned char>(t[from]) >= 0x80 && from + 1 < t.size() ? 2 : 1;
    long expected = from < t.size() ? walkFind(t, s, from) : -1;
    ASSERT_EQ(FindText(t, s, static_cast<long>(from) + 1), expected) << round;
  }
  for (int round = 0; round < 3000; ++round) {
    std::string t = randomText(next() % 20);
    std::string walked;  // trimmed by walking characters
    size_t b = 0, end = 0, i = 0;
    bool leading = true;
    while (i < t.size()) {
      size_t len = static_cast<unsigned char>(t[i]) >= 0x80 && i + 1 < t.size() ? 2 : 1;
      bool space = t[i] == ' ' || (len == 2 && t[i] == '\xA1' && t[i + 1] == '\xA1');
      if (leading && space) b = i + len;
      if (!space) leading = false, end = i + len;
      i += len;
    }
    walked = end > b ? t.substr(b, end - b) : "";
    ASSERT_EQ(TrimSpaces(t), walked) << round;
  }
}

TEST(SplitText, EmptyPiecesAndRest) {
  EXPECT_EQ(SplitText("a, b, c", ", "), (Pieces{"a", "b", "c"}));
  EXPECT_EQ(SplitText(", a, , b, ", ", "), (Pieces{"", "a", "", "b"}));
  EXPECT_EQ(SplitText("a,b", ", "), (Pieces{"a,b"}));
  EXPECT_TRUE(SplitText("", ", ").empty());
  EXPECT_EQ(SplitText(", ", ", "), (Pieces{""}));
  EXPECT_EQ(SplitText("l1\r\n\r\nl3", "\r\n"), (Pieces{"l1", "", "l3"}));
  EXPECT_EQ(SplitText("\x81,x,y", ","), (Pieces{"\x81,x", "y"}));
}

TEST(RemoveAll, LeftToRightWithoutOverlap) {
  EXPECT_EQ(RemoveAll("aaaa", "aa"), "");
  EXPECT_EQ(RemoveAll("aaa", "aa"), "a");
  EXPECT_EQ(RemoveAll("\"kernel32\"", "\""), "kernel32");
  EXPECT_EQ(RemoveAll(".参数 a.参数", ".参数"), " a");
  EXPECT_EQ(RemoveAll("abc", ""), "abc");
}

TEST(TextBetween, Markers) {
  EXPECT_EQ(TextBetween("extern int Foo(", std::string_view("extern "), std::string_view(" ")), "int");
  EXPECT_EQ(TextBetween("a=b", std::nullopt, std::string_view("=")), "a");
  EXPECT_EQ(TextBetween("a=b", std::string_view("="), std::nullopt), "b");
  EXPECT_EQ(TextBetween("a=b", std::string_view("x"), std::nullopt), "");
  EXPECT_EQ(TextBetween("a=b", std::string_view("a"), std::string_view("x")), "");
  EXPECT_EQ(TextBetween("abc", std::nullopt, std::nullopt), "abc");
  // The end marker is looked for from the second character of the rest on.
  EXPECT_EQ(TextBetween("(x) y)", std::string_view("("), std::string_view(")")), "x");
  EXPECT_EQ(TextBetween("()a)", std::string_view("("), std::string_view(")")), ")a");
  EXPECT_EQ(TextBetween("[中)x)", std::string_view("["), std::string_view(")")), "中");
  EXPECT_EQ(TextBetween("[\x81)x)", std::string_view("["), std::string_view(")")), "\x81)x");
  EXPECT_EQ(TextBetween("ab(", std::string_view("("), std::string_view(")")), "");
  EXPECT_EQ(TextBetween("ab(c", std::string_view("("), std::string_view(")")), "");
  EXPECT_EQ(TextBetween("a\"b\" c", std::string_view("\""), std::string_view("\" ")), "b");
}

TEST(Numbers, ToIntegerFollowsAtoi) {
  EXPECT_EQ(ToInteger("1024"), 1024);
  EXPECT_EQ(ToInteger("  -1"), -1);
  EXPECT_EQ(ToInteger("+7x"), 7);
  EXPECT_EQ(ToInteger("abc"), 0);
  EXPECT_EQ(ToInteger(""), 0);
  EXPECT_EQ(ToInteger("99999999999"), 2147483647);
  EXPECT_EQ(ToInteger("-99999999999"), -2147483647 - 1);
  EXPECT_EQ(ToInteger("\t\r\n 12"), 12);
}

TEST(Numbers, HexDigitsAndBack) {
  EXPECT_EQ(HexDigits(0), "0");
  EXPECT_EQ(HexDigits(-1), "FFFFFFFF");
  EXPECT_EQ(HexDigits(1024), "400");
  EXPECT_EQ(HexDigits(255), "FF");
  EXPECT_EQ(HexToInteger("400"), 1024);
  EXPECT_EQ(HexToInteger("ffFFffFF"), -1);
  EXPECT_EQ(HexToInteger("1Fz9"), 31);
  EXPECT_EQ(HexToInteger("z"), 0);
  EXPECT_EQ(HexToInteger(""), 0);
  EXPECT_EQ(HexToInteger("80000000"), -2147483647 - 1);
  EXPECT_EQ(DecimalText(-5), "-5");
  EXPECT_EQ(DecimalText(1024), "1024");
}

TEST(LineEnds, LoneLfBecomesCrLf) {
  EXPECT_EQ(ToCrLf("a\nb\r\nc\n"), "a\r\nb\r\nc\r\n");
  EXPECT_EQ(ToCrLf("\n"), "\r\n");
  EXPECT_EQ(ToCrLf("a\rb\r"), "a\r\nb\r\n");  // a lone CR ends a line too
  EXPECT_EQ(ToCrLf("\r\r\n"), "\r\n\r\n");
  EXPECT_EQ(CrLfToLf("a\r\nb\rc"), "a\nb\rc");
  // In place: a text whose lines all end in CR LF stays as it is; any lone
  // line end, also first or last, makes it what ToCrLf makes of it.
  for (std::string t : {"a\r\nb\r\n", "", "x", "\nab", "ab\r", "a\r\r\nb", "a\n\r\nb", "a\r\nb\n"}) {
    const std::string expected = ToCrLf(t);
    MakeCrLf(t);
    EXPECT_EQ(t, expected);
  }
}

TEST(Primitives, LinearOnLargeText) {
  // A 20 MB text without the marker: one scan, no rescans.
  std::string big(20u << 20, 'x');
  EXPECT_EQ(FindText(big, ";"), -1);
  big += ";";
  EXPECT_EQ(FindText(big, ";"), static_cast<long>(big.size()));
  EXPECT_EQ(SplitText(big, ";").size(), 1u);
}

}  // namespace
}  // namespace declarium
