// Copies a C++ source file, writing every non-ASCII character of its narrow
// string literals as the octal escapes of its code page 936 bytes. clang
// knows no execution character set but UTF-8, so this gives the fuzz build
// the literal bytes that -fexec-charset=CP936 gives the program: the
// fuzzers then read the E syntax's keywords as the program does.
//
//   gbk_literals IN OUT
//
// Comments, prefixed literals (u8, u, U, L) and ASCII are copied as they
// stand. A non-ASCII character in a narrow raw string or character literal
// cannot be escaped, so it is refused.
#include <iconv.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// The identifier or number that ends just before text[at].
std::string WordBefore(const std::string& text, size_t at) {
  size_t from = at;
  while (from > 0 && IsIdentifierChar(text[from - 1])) --from;
  return text.substr(from, at - from);
}

class Transcoder {
 public:
  Transcoder() : cd_(iconv_open("CP936", "UTF-8")) {}
  ~Transcoder() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  bool Ready() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // UTF-8 bytes to code page 936, as GCC converts them; false for a
  // character that code page lacks.
  bool Convert(const std::string& utf8, std::string& out) {
    out.assign(utf8.size() * 2, '\0');
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* to = out.data();
    size_t toLeft = out.size();
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &in, &inLeft, &to, &toLeft) == static_cast<size_t>(-1)) return false;
    out.resize(out.size() - toLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

class SourceCopy {
 public:
  SourceCopy(const std::string& text, Transcoder& codec) : t_(text), codec_(codec) {}

  bool Run(std::string& out, std::string& error) {
    out_.reserve(t_.size() + t_.size() / 8);
    while (i_ < t_.size()) {
      const char c = t_[i_];
      if (c == '/' && Next() == '/') {
        CopyUntil("\n");
      } else if (c == '/' && Next() == '*') {
        CopyUntil("*/");
      } else if (c == '"') {
        if (!StringLiteral(error)) return false;
      } else if (c == '\'' && !DigitSeparator()) {
        if (!CharLiteral(error)) return false;
      } else {
        out_ += c;
        ++i_;
      }
    }
    out = std::move(out_);
    return true;
  }

 private:
  char Next() const { return i_ + 1 < t_.size() ? t_[i_ + 1] : '\0'; }

  void CopyUntil(const char* end) {
    const size_t stop = t_.find(end, i_ + 2);
    const size_t to = stop == std::string::npos ? t_.size() : stop + std::char_traits<char>::length(end);
    out_.append(t_, i_, to - i_);
    i_ = to;
  }

  // 1'000: a quote inside a number.
  bool DigitSeparator() const {
    const std::string word = WordBefore(t_, i_);
    return !word.empty() && word[0] >= '0' && word[0] <= '9';
  }

  bool StringLiteral(std::string& error) {
    const std::string prefix = WordBefore(t_, i_);
    const bool raw = !prefix.empty() && prefix.back() == 'R';
    const std::string encoding = raw ? prefix.substr(0, prefix.size() - 1) : prefix;
    const bool narrow = encoding != "u8" && encoding != "u" && encoding != "U" && encoding != "L";
    if (raw) return RawString(narrow, error);
    out_ += '"';
    ++i_;
    while (i_ < t_.size() && t_[i_] != '"' && t_[i_] != '\n') {
      const unsigned char c = static_cast<unsigned char>(t_[i_]);
      if (c == '\\' && i_ + 1 < t_.size()) {
        out_.append(t_, i_, 2);
        i_ += 2;
      } else if (c >= 0x80 && narrow) {
        if (!EscapeRun(error)) return false;
      } else {
        out_ += t_[i_++];
      }
    }
    if (i_ < t_.size() && t_[i_] == '"') out_ += t_[i_++];
    return true;
  }

  // The non-ASCII run at i_, as three-digit octal escapes: a hexadecimal
  // escape would swallow a digit that follows it.
  bool EscapeRun(std::string& error) {
    size_t end = i_;
    while (end < t_.size() && static_cast<unsigned char>(t_[end]) >= 0x80) ++end;
    std::string gbk;
    if (!codec_.Convert(t_.substr(i_, end - i_), gbk)) {
      error = "a character code page 936 lacks: " + t_.substr(i_, end - i_);
      return false;
    }
    for (const char b : gbk) {
      const unsigned v = static_cast<unsigned char>(b);
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\%03o", v);
      out_ += escape;
    }
    i_ = end;
    return true;
  }

  bool RawString(bool narrow, std::string& error) {
    const size_t open = t_.find('(', i_);
    if (open == std::string::npos) return Refuse("an unterminated raw string", error);
    const std::string close = ")" + t_.substr(i_ + 1, open - i_ - 1) + "\"";
    const size_t stop = t_.find(close, open);
    const size_t to = stop == std::string::npos ? t_.size() : stop + close.size();
    for (size_t k = i_; k < to; ++k) {
      if (narrow && static_cast<unsigned char>(t_[k]) >= 0x80) return Refuse("non-ASCII text in a raw string", error);
    }
    out_.append(t_, i_, to - i_);
    i_ = to;
    return true;
  }

  bool CharLiteral(std::string& error) {
    out_ += t_[i_++];
    while (i_ < t_.size() && t_[i_] != '\'' && t_[i_] != '\n') {
      if (static_cast<unsigned char>(t_[i_]) >= 0x80) return Refuse("non-ASCII text in a character literal", error);
      if (t_[i_] == '\\' && i_ + 1 < t_.size()) out_ += t_[i_++];
      out_ += t_[i_++];
    }
    if (i_ < t_.size() && t_[i_] == '\'') out_ += t_[i_++];
    return true;
  }

  bool Refuse(const char* what, std::string& error) {
    const size_t line = 1 + std::count(t_.begin(), t_.begin() + static_cast<std::ptrdiff_t>(i_), '\n');
    error = std::string(what) + " at line " + std::to_string(line);
    return false;
  }

  const std::string& t_;
  Transcoder& codec_;
  std::string out_;
  size_t i_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gbk_literals IN OUT\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  if (!in) {
    std::cerr << argv[1] << ": cannot be read\n";
    return 1;
  }
  Transcoder codec;
  if (!codec.Ready()) {
    std::cerr << "gbk_literals: iconv has no CP936\n";
    return 1;
  }
  std::string out;
  std::string error;
  if (!SourceCopy(text.str(), codec).Run(out, error)) {
    std::cerr << argv[1] << ": " << error << "\n";
    return 1;
  }
  // A new file takes the old one's place only when complete, so a failed
  // run never leaves half a source for the next build.
  const std::string part = std::string(argv[2]) + ".part";
  std::ofstream file(part, std::ios::binary);
  file << "#line 1 \"" << argv[1] << "\"\n" << out;
  file.close();
  if (!file || std::rename(part.c_str(), argv[2]) != 0) {
    std::cerr << argv[2] << ": cannot be written\n";
    std::remove(part.c_str());
    return 1;
  }
  return 0;
}
