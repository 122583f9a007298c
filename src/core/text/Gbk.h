// Conversion between the program's GBK text (Windows code page 936) and
// UTF-8 / UTF-16. This is the one place where text changes encoding.
#pragma once

#include <string>
#include <string_view>

namespace declarium {

// A byte from 0x81 to 0xFE starts a double-byte character in the text
// primitives' view of GBK, whether or not the pair is a valid code. 0x80 (the
// euro sign of code page 936) and 0xFF are characters of one byte.
inline bool IsGbkLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Invalid or unmapped input never fails: it becomes the default character
// ('?' in both directions), and nothing is read past the end of the input.
std::u16string GbkToUtf16(std::string_view gbk);
std::string Utf16ToGbk(std::u16string_view utf16);
std::string GbkToUtf8(std::string_view gbk);
std::string Utf8ToGbk(std::string_view utf8);

// Strict UTF-8 check (no overlong forms, no surrogates), used to guess the
// encoding of files and standard input.
bool IsValidUtf8(std::string_view bytes);

// Whether every byte is below 0x80: such a text is the same bytes in GBK and
// UTF-8, and keeps them through either conversion.
bool IsAscii(std::string_view bytes);

}  // namespace declarium
