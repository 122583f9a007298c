#include "text/CutToBytes.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

TEST(CutToBytes, KeepsWholeCharactersWithinTheBudget) {
  EXPECT_EQ(CutToBytes("", 20), "");
  EXPECT_EQ(CutToBytes("abc", 20), "abc");
  EXPECT_EQ(CutToBytes("abcdefghijklmnopqrstuvwxyz", 20), "abcdefghijklmnopqrst");
  // Exactly 20 bytes of Chinese: ten characters.
  EXPECT_EQ(CutToBytes("一二三四五六七八九十", 20), "一二三四五六七八九十");
  // 19 ASCII bytes, then a character at bytes 20-21: dropped whole.
  EXPECT_EQ(CutToBytes("abcdefghijklmnopqrs中x", 20), "abcdefghijklmnopqrs");
  // 18 ASCII bytes, then a character at bytes 19-20: it fits.
  EXPECT_EQ(CutToBytes("abcdefghijklmnopqr中x", 20), "abcdefghijklmnopqr中");
  EXPECT_EQ(CutToBytes("中", 1), "");
  EXPECT_EQ(CutToBytes("ab", 0), "");
}

TEST(CutToBytes, PairsBytesFromTheStartNotFromTheCut) {
  // A1 B0 A1 is one character then a lone lead byte; the trail byte of the
  // first is not taken for a lead byte.
  EXPECT_EQ(CutToBytes("\xA1\xB0\xA1", 2), "\xA1\xB0");
  EXPECT_EQ(CutToBytes("\xA1\xB0\xA1", 3), "\xA1\xB0\xA1");
  // A lone lead byte at the end counts as one byte.
  EXPECT_EQ(CutToBytes("ab\xB0", 3), "ab\xB0");
}

}  // namespace
}  // namespace declarium
