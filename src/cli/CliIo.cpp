#include "cli/CliIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "text/Gbk.h"
#include "text/TextPrimitives.h"

namespace declarium::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool ReadStream(std::FILE* f, std::string& bytes) {
  char buffer[65536];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  return std::ferror(f) == 0;
}

std::string Encoded(const GlobalOptions& options, std::string_view gbk) {
  return options.output() == Encoding::Gbk ? std::string(gbk) : GbkToUtf8(gbk);
}

void Write(std::FILE* f, std::string_view bytes) {
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fflush(f);
}

std::string AsMessage(std::string_view gbk) {
  std::string text = CrLfToLf(gbk);
  text += '\n';
  return text;
}

// Whether DecodeInput takes the bytes as GBK.
bool ReadAsGbk(std::string_view bytes, Encoding encoding) {
  return encoding == Encoding::Gbk || (encoding == Encoding::Auto &&
                                       bytes.substr(0, kByteOrderMark.size()) != kByteOrderMark &&
                                       !IsValidUtf8(bytes));
}

}  // namespace

bool ReadInputBytes(const std::string& name, std::string& bytes, std::string& error) {
  bytes.clear();
  if (name == "-") {
    if (ReadStream(stdin, bytes)) return true;
    error = "cannot read standard input: " + std::string(std::strerror(errno));
    return false;
  }
  std::FILE* f = std::fopen(name.c_str(), "rb");
  if (f == nullptr) {
    error = "cannot read " + PathText(name) + ": " + std::strerror(errno);
    return false;
  }
  const bool ok = ReadStream(f, bytes);
  const int readError = errno;
  std::fclose(f);
  if (!ok) {
    error = "cannot read " + PathText(name) + ": " + std::strerror(readError);
    return false;
  }
  return true;
}

std::string DecodeInput(std::string_view bytes, Encoding encoding) {
  // An explicit GBK choice is taken at its word.
  if (encoding == Encoding::Gbk) return std::string(bytes);
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    return Utf8ToGbk(bytes.substr(kByteOrderMark.size()));
  }
  if (encoding == Encoding::Utf8 || IsValidUtf8(bytes)) return Utf8ToGbk(bytes);
  return std::string(bytes);
}

int FirstLineNotKept(std::string_view bytes, Encoding encoding) {
  const bool gbk = ReadAsGbk(bytes, encoding);
  if (!gbk && bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  auto kept = [gbk](std::string_view t) {
    return gbk ? Utf8ToGbk(GbkToUtf8(t)) == t : IsValidUtf8(t) && GbkToUtf8(Utf8ToGbk(t)) == t;
  };
  if (kept(bytes)) return 0;
  int line = 1;
  for (std::size_t pos = 0; pos <= bytes.size(); ++line) {
    std::size_t end = bytes.find('\n', pos);
    if (end == std::string_view::npos) end = bytes.size();
    if (!kept(bytes.substr(pos, end - pos))) return line;
    pos = end + 1;
  }
  // Each line is kept, the whole is not: a double-byte character across a line end.
  return 1;
}

bool ReadDeclarationText(const GlobalOptions& options, const std::string& name, std::string& text,
                         std::string& error) {
  std::string bytes;
  if (!ReadInputBytes(name, bytes, error)) return false;
  // A text the store cannot keep byte for byte is refused rather than stored
  // with "?" in the place of what it said.
  if (const int line = FirstLineNotKept(bytes, options.input())) {
    error = "cannot read " + (name == "-" ? std::string("standard input") : PathText(name)) + ": line " +
            DecimalText(line) +
            (ReadAsGbk(bytes, options.input()) ? " is not valid GBK text"
                                               : " is not valid UTF-8 or holds characters that GBK lacks");
    return false;
  }
  text = ToCrLf(DecodeInput(bytes, options.input()));
  return true;
}

std::string PathText(const std::filesystem::path& path) { return Utf8ToGbk(path.string()); }

void WriteText(const GlobalOptions& options, std::string_view gbk) { Write(stdout, Encoded(options, gbk)); }

void PrintMessage(const GlobalOptions& options, std::string_view gbk) {
  Write(stdout, Encoded(options, AsMessage(gbk)));
}

void PrintError(const GlobalOptions& options, std::string_view gbk) {
  Write(stderr, Encoded(options, AsMessage(gbk)));
}

}  // namespace declarium::cli
