#include "text/AsciiFold.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

TEST(AsciiFold, FoldsOnlyAsciiLettersAndKeepsDoubleByteCharactersWhole) {
  EXPECT_EQ(FoldAsciiLower("CreateWindowEx_1"), "createwindowex_1");
  // 0xB0 0x41 is one character whose second byte looks like 'A'.
  const std::string pair = "\xB0\x41Z";
  EXPECT_EQ(FoldAsciiLower(pair), "\xB0\x41z");
  EXPECT_EQ(FoldAsciiLower("窗口ABC"), "窗口abc");
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xB0\x41", "\xB0\x61"));
}

TEST(AsciiFold, PrefixAndEquality) {
  EXPECT_TRUE(StartsWithIgnoringAsciiCase("CreateWindowEx", "createw"));
  EXPECT_TRUE(StartsWithIgnoringAsciiCase("窗口过程", "窗口"));
  EXPECT_FALSE(StartsWithIgnoringAsciiCase("Create", "CreateW"));
  EXPECT_TRUE(EqualsIgnoringAsciiCase("CreateWindowEx", "createwindowex"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("CreateWindow", "CreateWindowEx"));
}

TEST(AsciiFold, CountsCharactersNotBytes) {
  EXPECT_EQ(CountCharacters("abc"), 3);
  EXPECT_EQ(CountCharacters("窗口a"), 3);
  EXPECT_EQ(CountCharacters(""), 0);
}

}  // namespace
}  // namespace declarium
