#include "cli/CliIo.h"

#include <algorithm>
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
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "text/Gbk.h"
#include "text/TextPrimitives.h"

namespace declarium::cli {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Reads to the end, or until the text is over the limit (a device such as
// /dev/zero has no end).
bool ReadStream(std::FILE* f, std::string& bytes) {
  char buffer[65536];
  std::size_t n;
  while (bytes.size() <= kInputLimit && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  return std::ferror(f) == 0;
}

// The size of an ordinary file, so that its text is read into room made once
// (growing the room as it comes holds the text up to three times over); -1
// for anything else.
long long FileSize(std::FILE* f) {
#ifdef _WIN32
  struct _stat64 st {};
  if (_fstat64(_fileno(f), &st) != 0 || (st.st_mode & _S_IFREG) == 0) return -1;
#else
  struct stat st {};
  if (fstat(fileno(f), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
#endif
  return static_cast<long long>(st.st_size);
}

std::string TooLarge(const std::string& what) {
  return "cannot read " + what + ": it is larger than " + DecimalText(static_cast<long long>(kInputLimit >> 20)) +
         " MiB, the most an input may be";
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
                                       bytes.substr(0, kByteOrderMark.size()) != kByteOrderMark && !IsValidUtf8(bytes));
}

// The end of the piece of whole lines that starts at pos: about 64 KB, so
// that a text is decoded or checked without a copy of the whole, and the
// copies of a piece are made in memory already in use (and in the cache)
// instead of fresh pages each time. A line end is never part of a character
// in either encoding, so pieces decode as the whole does.
std::size_t PieceEnd(std::string_view bytes, std::size_t pos) {
  constexpr std::size_t kPiece = 1 << 16;
  const std::size_t end = bytes.find('\n', std::min(pos + kPiece, bytes.size()));
  return end == std::string_view::npos ? bytes.size() : end + 1;
}

}  // namespace

bool ReadInputBytes(const std::string& name, std::string& bytes, std::string& error) {
  bytes.clear();
  if (name == "-") {
    if (!ReadStream(stdin, bytes)) {
      error = "cannot read standard input: " + std::string(std::strerror(errno));
      return false;
    }
    if (bytes.size() <= kInputLimit) return true;
    bytes = std::string();
    error = TooLarge("standard input");
    return false;
  }
  const std::filesystem::path path = PathFromUtf8(name);
  std::FILE* f = OpenForReading(path);
  if (f == nullptr) {
    const int openError = errno;
    error = "cannot read " + PathText(path) + ": " + std::strerror(openError);
    return false;
  }
  // Refused before reading when its size says so; room made once otherwise.
  const long long size = FileSize(f);
  if (size > static_cast<long long>(kInputLimit)) {
    std::fclose(f);
    error = TooLarge(PathText(path));
    return false;
  }
  if (size > 0) bytes.reserve(static_cast<std::size_t>(size));
  const bool ok = ReadStream(f, bytes);
  const int readError = errno;
  std::fclose(f);
  if (!ok) {
    error = "cannot read " + PathText(path) + ": " + std::strerror(readError);
    return false;
  }
  if (bytes.size() > kInputLimit) {
    bytes = std::string();
    error = TooLarge(PathText(path));
    return false;
  }
  return true;
}

std::string DecodeInput(std::string bytes, Encoding encoding) {
  // ASCII, as most declarations are, reads the same in either encoding.
  if (IsAscii(bytes) || ReadAsGbk(bytes, encoding)) return bytes;
  // Converted in place, a piece at a time: no character takes more bytes in
  // GBK than in UTF-8 (nor does the '?' for one that is not valid), so what
  // is written never overtakes what is still to be read.
  std::size_t written = 0;
  std::size_t pos =
      std::string_view(bytes).substr(0, kByteOrderMark.size()) == kByteOrderMark ? kByteOrderMark.size() : 0;
  while (pos < bytes.size()) {
    const std::size_t end = PieceEnd(bytes, pos);
    const std::string gbk = Utf8ToGbk(std::string_view(bytes).substr(pos, end - pos));
    bytes.replace(written, gbk.size(), gbk);
    written += gbk.size();
    pos = end;
  }
  bytes.resize(written);
  return bytes;
}

int FirstLineNotKept(std::string_view bytes, Encoding encoding) {
  if (IsAscii(bytes)) return 0;  // the same bytes in either encoding
  const bool gbk = ReadAsGbk(bytes, encoding);
  if (!gbk && bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) bytes.remove_prefix(kByteOrderMark.size());
  auto kept = [gbk](std::string_view t) {
    return gbk ? Utf8ToGbk(GbkToUtf8(t)) == t : IsValidUtf8(t) && GbkToUtf8(Utf8ToGbk(t)) == t;
  };
  // Checked a piece at a time, so that no copy of the whole text is made.
  int line = 1;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const std::size_t end = PieceEnd(bytes, pos);
    const std::string_view piece = bytes.substr(pos, end - pos);
    if (!kept(piece)) {
      for (std::size_t at = 0; at < piece.size(); ++line) {
        std::size_t lineEnd = piece.find('\n', at);
        if (lineEnd == std::string_view::npos) lineEnd = piece.size();
        if (!kept(piece.substr(at, lineEnd - at))) return line;
        at = lineEnd + 1;
      }
      return 1;
    }
    line += static_cast<int>(std::count(piece.begin(), piece.end(), '\n'));
    pos = end;
  }
  return 0;
}

bool ReadDeclarationText(const GlobalOptions& options, const std::string& name, std::string& text, std::string& error) {
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
  // The bytes become the text, copied only where the encoding or a line end
  // changes.
  text = DecodeInput(std::move(bytes), options.input());
  MakeCrLf(text);
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
  if (_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO, _S_IREAD | _S_IWRITE) != 0) {
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

void PrintError(const GlobalOptions& options, std::string_view gbk) { Write(stderr, Encoded(options, AsMessage(gbk))); }

bool OutputWasWritten(const GlobalOptions& options) {
  if (std::fflush(stdout) != 0 && outputError == 0) outputError = errno != 0 ? errno : EIO;
  if (outputError == 0 && std::ferror(stdout) != 0) outputError = EIO;
  if (outputError == 0) return true;
  PrintError(options, "写入输出失败！\r\n" + std::string(std::strerror(outputError)));
  return false;
}

}  // namespace declarium::cli
