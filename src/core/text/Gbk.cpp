#include "text/Gbk.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <mutex>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#endif

namespace declarium {
namespace {

constexpr char16_t kDefaultUnicode = u'?';
constexpr char kDefaultGbk = '?';

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFE); }

// Tables of the double-byte range and its reverse, built once from the
// platform's own code page 936 converter. Only the tables come from it: how
// invalid input is treated is this file's own, so that both platforms agree.
// (Windows' converter, used directly, would swallow a byte that cannot trail
// a lead byte, write look-alikes for characters GBK lacks unless told
// WC_NO_BEST_FIT_CHARS, and give two '?' for a surrogate pair.)
struct Tables {
  // index = (lead - 0x81) * 256 + trail; 0 = not a character
  std::array<char16_t, 126 * 256> decode{};
  // index = UTF-16 code unit; 0 = GBK lacks the character
  std::array<std::uint16_t, 65536> encode{};
};

void Add(Tables& t, unsigned lead, unsigned trail, char16_t u) {
  t.decode[(lead - 0x81) * 256 + trail] = u;
  if (t.encode[u] == 0) t.encode[u] = static_cast<std::uint16_t>(lead << 8 | trail);
}

#ifdef _WIN32
char16_t PlatformDecode(unsigned lead, unsigned trail) {
  char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  wchar_t out[2] = {};
  int n = MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, in, 2, out, 2);
  return n == 1 ? static_cast<char16_t>(out[0]) : 0;
}
#else
char16_t PlatformDecode(iconv_t cd, unsigned lead, unsigned trail) {
  char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  unsigned char out[4] = {};
  char* inp = in;
  char* outp = reinterpret_cast<char*>(out);
  size_t inLeft = 2, outLeft = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1) || inLeft != 0 || outLeft != 2) {
    return 0;
  }
  return static_cast<char16_t>(out[0] << 8 | out[1]);
}

// The characters of a lead byte's row (row[trail]), as PlatformDecode gives
// them code by code, but in a few calls: a call per code took a millisecond
// of every start that met a double-byte character. A run of codes is taken
// as converted when each gave one UTF-16 unit; the code a run stops at,
// and any run that does not add up, is decoded on its own.
void PlatformDecodeRow(iconv_t cd, unsigned lead, char16_t (&row)[256]) {
  unsigned trails[256];
  char in[512];
  size_t n = 0;
  for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
    if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
    in[2 * n] = static_cast<char>(lead);
    in[2 * n + 1] = static_cast<char>(trail);
    trails[n++] = trail;
  }
  unsigned char out[1024];
  size_t k = 0;
  while (k < n) {
    char* inp = in + 2 * k;
    char* outp = reinterpret_cast<char*>(out);
    size_t inLeft = 2 * (n - k), outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const bool stopped = iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<size_t>(-1);
    const size_t consumed = static_cast<size_t>(inp - (in + 2 * k));
    const size_t produced = static_cast<size_t>(outp - reinterpret_cast<char*>(out));
    if (consumed % 2 != 0 || produced != consumed) {
      for (; k < n; ++k) row[trails[k]] = PlatformDecode(cd, lead, trails[k]);
      return;
    }
    for (size_t j = 0; j < consumed / 2; ++j)
      row[trails[k + j]] = static_cast<char16_t>(out[2 * j] << 8 | out[2 * j + 1]);
    k += consumed / 2;
    if (!stopped) break;
    row[trails[k]] = PlatformDecode(cd, lead, trails[k]);
    ++k;
  }
}
#endif

// Codes of the symbol rows and of a few other places that name no character,
// which Windows maps to U+E766 onwards in this order. glibc leaves them
// unmapped; adding them here gives both platforms the same codec.
struct CodeRun {
  std::uint16_t first;
  std::uint8_t count;
};
constexpr CodeRun kUnassignedRuns[] = {
    {0xA2AB, 6},  {0xA2E3, 2},  {0xA2EF, 2},  {0xA2FD, 2},  {0xA4F4, 11}, {0xA5F7, 8},  {0xA6B9, 8},
    {0xA6D9, 7},  {0xA6EC, 2},  {0xA6F3, 1},  {0xA6F6, 9},  {0xA7C2, 15}, {0xA7F2, 13}, {0xA896, 11},
    {0xA8BC, 1},  {0xA8BF, 1},  {0xA8C1, 4},  {0xA8EA, 21}, {0xA958, 1},  {0xA95B, 1},  {0xA95D, 3},
    {0xA989, 13}, {0xA997, 13}, {0xA9F0, 15}, {0xD7FA, 5},  {0xFE50, 47}, {0xFE80, 33},
};

// The user-defined areas of code page 936, and the unassigned codes above,
// map to the private use area, as Windows maps them.
void AddUserDefinedAreas(Tables& t) {
  char16_t u = 0xE000;
  for (unsigned lead = 0xAA; lead <= 0xAF; ++lead)
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) Add(t, lead, trail, u++);
  for (unsigned lead = 0xF8; lead <= 0xFE; ++lead)
    for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) Add(t, lead, trail, u++);
  for (unsigned lead = 0xA1; lead <= 0xA7; ++lead)
    for (unsigned trail = 0x40; trail <= 0xA0; ++trail)
      if (trail != 0x7F) Add(t, lead, trail, u++);
  u = 0xE766;
  for (const CodeRun& run : kUnassignedRuns)
    for (unsigned code = run.first; code < run.first + run.count; ++code) Add(t, code >> 8, code & 0xFF, u++);
}

const Tables& GetTables() {
  static std::unique_ptr<Tables> tables;
  static std::once_flag once;
  std::call_once(once, [] {
    auto t = std::make_unique<Tables>();
#ifndef _WIN32
    iconv_t cd = iconv_open("UTF-16BE", "CP936");
#endif
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
#ifdef _WIN32
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        if (!IsTrailByte(static_cast<unsigned char>(trail))) continue;
        char16_t u = PlatformDecode(lead, trail);
        if (u != 0) Add(*t, lead, trail, u);
      }
#else
      char16_t row[256] = {};
      if (cd != reinterpret_cast<iconv_t>(-1)) PlatformDecodeRow(cd, lead, row);
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
        if (row[trail] != 0) Add(*t, lead, trail, row[trail]);
#endif
    }
#ifndef _WIN32
    if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
#endif
    AddUserDefinedAreas(*t);
    tables = std::move(t);
  });
  return *tables;
}

// Writes c as UTF-8 at o; the end of what it wrote.
char* PutUtf8(char* o, char32_t c) {
  if (c < 0x80) {
    *o++ = static_cast<char>(c);
  } else if (c < 0x800) {
    *o++ = static_cast<char>(0xC0 | (c >> 6));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    *o++ = static_cast<char>(0xE0 | (c >> 12));
    *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  } else {
    *o++ = static_cast<char>(0xF0 | (c >> 18));
    *o++ = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    *o++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    *o++ = static_cast<char>(0x80 | (c & 0x3F));
  }
  return o;
}

// Decodes one GBK character at s[i]; advances i past it.
char16_t DecodeGbk(const Tables& t, std::string_view s, size_t& i) {
  auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  if (c == 0x80) {
    ++i;
    return 0x20AC;
  }
  if (c == 0xFF) {
    ++i;
    return 0xF8F5;
  }
  if (i + 1 < s.size() && IsTrailByte(static_cast<unsigned char>(s[i + 1]))) {
    char16_t u = t.decode[(c - 0x81) * 256 + static_cast<unsigned char>(s[i + 1])];
    i += 2;
    return u != 0 ? u : kDefaultUnicode;
  }
  // A lead byte without a trail byte stands alone; the next byte is kept.
  ++i;
  return kDefaultUnicode;
}

void AppendGbk(const Tables& t, std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
    return;
  }
  if (c == 0x20AC) {
    out += static_cast<char>(0x80);
    return;
  }
  if (c == 0xF8F5) {
    out += static_cast<char>(0xFF);
    return;
  }
  if (c < 0x10000) {
    std::uint16_t g = t.encode[c];
    if (g != 0) {
      out += static_cast<char>(g >> 8);
      out += static_cast<char>(g & 0xFF);
      return;
    }
  }
  out += kDefaultGbk;
}

// Decodes one UTF-8 sequence at s[i]; invalid bytes give 0xFFFFFFFF and are
// skipped one at a time.
char32_t DecodeUtf8(std::string_view s, size_t& i) {
  auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int len = 0;
  char32_t cp = 0;
  if (c >= 0xC2 && c <= 0xDF) {
    len = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    len = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    len = 4;
    cp = c & 0x07;
  } else {
    ++i;
    return 0xFFFFFFFF;
  }
  if (i + len > s.size()) {
    ++i;
    return 0xFFFFFFFF;
  }
  for (int k = 1; k < len; ++k) {
    auto cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return 0xFFFFFFFF;
    }
    cp = cp << 6 | (cc & 0x3F);
  }
  if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) {
    ++i;
    return 0xFFFFFFFF;
  }
  i += len;
  return cp;
}

// Declarations are mostly ASCII: runs of it are found eight bytes at a time
// and copied whole.
size_t AsciiRun(std::string_view s, size_t i) {
  size_t j = i;
  for (std::uint64_t word; j + 8 <= s.size(); j += 8) {
    std::memcpy(&word, s.data() + j, 8);
    if ((word & 0x8080808080808080u) != 0) break;
  }
  while (j < s.size() && static_cast<unsigned char>(s[j]) < 0x80) ++j;
  return j - i;
}

}  // namespace

std::u16string GbkToUtf16(std::string_view gbk) {
  const Tables& t = GetTables();
  std::u16string out;
  out.reserve(gbk.size());
  size_t i = 0;
  while (i < gbk.size()) out += DecodeGbk(t, gbk, i);
  return out;
}

std::string Utf16ToGbk(std::u16string_view utf16) {
  const Tables& t = GetTables();
  std::string out;
  out.reserve(utf16.size() * 2);
  for (size_t i = 0; i < utf16.size(); ++i) {
    char16_t u = utf16[i];
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
      ++i;  // a character outside the BMP is never in GBK
      out += kDefaultGbk;
      continue;
    }
    if (u >= 0xD800 && u <= 0xDFFF) {
      out += kDefaultGbk;
      continue;
    }
    AppendGbk(t, out, u);
  }
  return out;
}

// The tables are made only for a text that needs them: ASCII converts
// without them.
std::string GbkToUtf8(std::string_view gbk) {
  const Tables* t = nullptr;
  std::string out;
  out.reserve(gbk.size() + gbk.size() / 2);
  size_t i = 0;
  while (i < gbk.size()) {
    const size_t run = AsciiRun(gbk, i);
    out.append(gbk.substr(i, run));
    i += run;
    if (i == gbk.size()) break;
    if (t == nullptr) t = &GetTables();
    // The characters up to the next ASCII byte, written in place: each
    // starts with one of those bytes and takes at most three in UTF-8.
    size_t next = i;
    while (next < gbk.size() && static_cast<unsigned char>(gbk[next]) >= 0x80) ++next;
    const size_t at = out.size();
    out.resize(at + 3 * (next - i));
    char* o = out.data() + at;
    while (i < next) o = PutUtf8(o, DecodeGbk(*t, gbk, i));
    out.resize(static_cast<size_t>(o - out.data()));
  }
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  const Tables* t = nullptr;
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    size_t run = AsciiRun(utf8, i);
    if (run > 0) {
      out.append(utf8.substr(i, run));
      i += run;
      continue;
    }
    char32_t cp = DecodeUtf8(utf8, i);
    if (cp == 0xFFFFFFFF) {
      out += kDefaultGbk;
    } else {
      if (t == nullptr) t = &GetTables();
      AppendGbk(*t, out, cp);
    }
  }
  return out;
}

bool IsAscii(std::string_view bytes) { return AsciiRun(bytes, 0) == bytes.size(); }

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    i += AsciiRun(bytes, i);
    if (i < bytes.size() && DecodeUtf8(bytes, i) == 0xFFFFFFFF) return false;
  }
  return true;
}

}  // namespace declarium
