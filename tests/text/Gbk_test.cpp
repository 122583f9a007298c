#include "text/Gbk.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

TEST(Gbk, RoundTripsThroughUtf8AndUtf16) {
  const std::string gbk = "函数表 ABC 中文\xA1\xA1";
  EXPECT_EQ(GbkToUtf8(gbk), std::string(reinterpret_cast<const char*>(u8"函数表 ABC 中文\u3000")));
  EXPECT_EQ(Utf8ToGbk(GbkToUtf8(gbk)), gbk);
  EXPECT_EQ(GbkToUtf16(gbk), u"函数表 ABC 中文\u3000");
  EXPECT_EQ(Utf16ToGbk(GbkToUtf16(gbk)), gbk);
}

TEST(Gbk, EuroAndUserDefinedAreaAsWindows) {
  EXPECT_EQ(GbkToUtf16("\x80"), u"\u20AC");
  EXPECT_EQ(Utf16ToGbk(u"\u20AC"), "\x80");
  EXPECT_EQ(GbkToUtf16("\xAA\xA1"), u"\uE000");
  EXPECT_EQ(Utf16ToGbk(u"\uE000"), "\xAA\xA1");
}

TEST(Gbk, CharactersGbkLacksBecomeTheDefaultCharacter) {
  EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80"), "?");      // an emoji
  EXPECT_EQ(Utf8ToGbk("a\xE0\xA4\x85" "b"), "a?b");   // Devanagari A
  EXPECT_EQ(Utf16ToGbk(u"\xD800x"), "?x");           // lone surrogate
}

TEST(Gbk, InvalidInputNeverCrashesOrOverreads) {
  // A lone lead byte at the end, and a lead byte before a byte that cannot trail.
  EXPECT_EQ(GbkToUtf8("ab\x81"), "ab?");
  EXPECT_EQ(GbkToUtf8("\x81'"), "?'");
  EXPECT_EQ(Utf8ToGbk("\xC3"), "?");
  EXPECT_EQ(Utf8ToGbk("\xED\xA0\x80"), "???");  // encoded surrogate
  EXPECT_EQ(Utf8ToGbk(std::string("a\0b", 3)), std::string("a\0b", 3));
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_FALSE(GbkToUtf8(all + all).empty());
  EXPECT_FALSE(Utf8ToGbk(all + all).empty());
}

TEST(Gbk, Utf8Validation) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8(reinterpret_cast<const char*>(u8"中文")));
  EXPECT_FALSE(IsValidUtf8("中文"));  // GBK bytes
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));
}

}  // namespace
}  // namespace declarium
