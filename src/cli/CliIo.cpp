#include "cli/CliIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

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

// The first failure to write standard output: what went wrong, or 0.
int outputError = 0;

void Write(std::FILE* f, std::string_view bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  if ((std::fflush(f) != 0 || !written) && f == stdout && outputError == 0) outputError = errno != 0 ? errno : EIO;
}

std::FILE* OpenForReading(const std::filesystem::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"rb");
#else
  return std::fopen(path.c_str(), "rb");
#endif
}

std::string AsMessage(std::string_view gbk) {
  std::string text = CrLfToLf(gbk);
  text += '\n';
  return text;
}

// Whether the bytes are GBK: so chosen, or (auto) neither marked nor valid as UTF-8.
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
  const std::filesystem::path path = PathFromUtf8(name);
  std::FILE* f = OpenForReading(path);
  if (f == nullptr) {
    const int openError = errno;
    error = "cannot read " + PathText(path) + ": " + std::strerror(openError);
    return false;
  }
  const bool ok = ReadStream(f, bytes);
  const int readError = errno;
  std::fclose(f);
  if (!ok) {
    error = "cannot read " + PathText(path) + ": " + std::strerror(readError);
    return false;
  }
  return true;
}

std::string DecodeInput(std::string_view bytes, Encoding encoding) {
  if (ReadAsGbk(bytes, encoding)) return std::string(bytes);
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  return Utf8ToGbk(bytes);
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

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  // A narrow string would be read in the ANSI code page on Windows.
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string PathText(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return Utf8ToGbk(std::string(utf8.begin(), utf8.end()));
}

bool CreateNewFile(const std::filesystem::path& path) {
#ifdef _WIN32
  int fd = -1;
  if (_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO,
                _S_IREAD | _S_IWRITE) != 0) {
    return false;
  }
  return _close(fd) == 0;
#else
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  return ::close(fd) == 0;
#endif
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

void WriteText(const GlobalOptions& options, std::string_view gbk) { Write(stdout, Encoded(options, gbk)); }

void PrintMessage(const GlobalOptions& options, std::string_view gbk) {
  Write(stdout, Encoded(options, AsMessage(gbk)));
}

void PrintError(const GlobalOptions& options, std::string_view gbk) {
  Write(stderr, Encoded(options, AsMessage(gbk)));
}

bool OutputWasWritten(const GlobalOptions& options) {
  if (std::fflush(stdout) != 0 && outputError == 0) outputError = errno != 0 ? errno : EIO;
  if (outputError == 0 && std::ferror(stdout) != 0) outputError = EIO;
  if (outputError == 0) return true;
  PrintError(options, "写入输出失败！\r\n" + std::string(std::strerror(outputError)));
  return false;
}

}  // namespace declarium::cli
