#include "text/Gbk.h"

#include <gtest/gtest.h>

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

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

TEST(Gbk, UnassignedSymbolCodesMapToPrivateUseAsWindows) {
  EXPECT_EQ(GbkToUtf16("\xA2\xAB"), u"\uE766");  // first of the run
  EXPECT_EQ(GbkToUtf16("\xA6\xF3"), u"\uE796");
  EXPECT_EQ(GbkToUtf16("\xFE\xA0"), u"\uE864");  // last
  EXPECT_EQ(Utf16ToGbk(u"\uE766\uE810\uE864"), "\xA2\xAB\xD7\xFA\xFE\xA0");
  EXPECT_EQ(GbkToUtf16("\xA2\xB1"), u"\u2488");  // the code after the run is a character
}

// Every single byte and double-byte code decoded, and every UTF-16 code unit
// encoded, folded into one number. The Linux table comes from glibc and the
// Windows one from the system's converter; both must give this.
TEST(Gbk, WholeCodecIsTheSameOnEveryPlatform) {
  std::uint64_t h = 14695981039346656037ull;
  auto mix = [&h](unsigned v) {
    for (int k = 0; k < 4; ++k, v >>= 8) h = (h ^ (v & 0xFF)) * 1099511628211ull;
  };
  for (unsigned c = 0; c < 0x100; ++c)
    for (char16_t u : GbkToUtf16(std::string(1, static_cast<char>(c)))) mix(u);
  for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
    for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      for (char16_t u : GbkToUtf16(std::string_view(pair, 2))) mix(u);
      mix(0x10000);
    }
  }
  for (unsigned u = 1; u < 0x10000; ++u) {
    for (char c : Utf16ToGbk(std::u16string(1, static_cast<char16_t>(u)))) mix(static_cast<unsigned char>(c));
    mix(0x10000);
  }
  EXPECT_EQ(h, 16808108791387803382ull) << h;
}

#ifdef _WIN32
// The codec against the system's own converter. They agree on every valid
// character; the codec differs on purpose where the system guesses: without
// WC_NO_BEST_FIT_CHARS Windows writes a look-alike for a character GBK lacks
// (U+00A2 CENT SIGN becomes the full-width A1E9), the codec writes '?'.
TEST(Gbk, AgreesWithTheWindowsConverterOnEveryCharacter) {
  int checked = 0;
  for (unsigned u = 1; u < 0x10000; ++u) {
    if (u >= 0xD800 && u <= 0xDFFF) continue;
    const wchar_t w = static_cast<wchar_t>(u);
    char out[4];
    BOOL usedDefault = FALSE;
    const int n = WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, &w, 1, out, sizeof out, "?", &usedDefault);
    ASSERT_GT(n, 0);
    const std::string ours = Utf16ToGbk(std::u16string(1, static_cast<char16_t>(u)));
    ASSERT_EQ(ours, std::string(out, n)) << std::hex << u;
    if (usedDefault) continue;
    wchar_t back[2] = {};
    ASSERT_EQ(MultiByteToWideChar(936, 0, out, n, back, 2), 1) << std::hex << u;
    ASSERT_EQ(GbkToUtf16(std::string(out, n)), std::u16string(1, static_cast<char16_t>(back[0])));
    ++checked;
  }
  EXPECT_GT(checked, 21000);

  const wchar_t cent = 0x00A2;
  char out[4];
  const int n = WideCharToMultiByte(936, 0, &cent, 1, out, sizeof out, nullptr, nullptr);
  EXPECT_EQ(std::string(out, n), "\xA1\xE9");
  EXPECT_EQ(Utf16ToGbk(u"\u00A2"), "?");
}
#endif

TEST(Gbk, CharactersGbkLacksBecomeTheDefaultCharacter) {
  EXPECT_EQ(Utf8ToGbk("\xF0\x9F\x98\x80"), "?");  // an emoji
  EXPECT_EQ(Utf8ToGbk("a\xE0\xA4\x85"
                      "b"),
            "a?b");                         // Devanagari A
  EXPECT_EQ(Utf16ToGbk(u"\xD800x"), "?x");  // lone surrogate
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
  // ASCII is looked over eight bytes at a time: a high byte anywhere counts.
  const std::string ascii(21, 'a');
  EXPECT_TRUE(IsAscii(ascii));
  EXPECT_TRUE(IsAscii(""));
  for (std::size_t at : {0, 7, 8, 15, 20}) {
    std::string t = ascii;
    t[at] = '\x80';
    EXPECT_FALSE(IsAscii(t)) << at;
    EXPECT_FALSE(IsValidUtf8(t)) << at;
  }
}

}  // namespace
}  // namespace declarium
