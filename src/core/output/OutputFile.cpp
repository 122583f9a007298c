#include "output/OutputFile.h"

#include <cerrno>
#include <cstdint>
#include <random>
#include <system_error>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace declarium {
namespace fs = std::filesystem;

namespace {

// Big enough that writing costs nothing next to making the text.
constexpr std::size_t kBufferBytes = std::size_t{1} << 20;

std::string ErrorText(int code) { return std::generic_category().message(code); }

std::string RandomSuffix() {
  static const char digits[] = "0123456789abcdef";
  std::random_device rd;
  std::uint32_t v = rd();
  std::string out = ".tmp";
  for (int i = 0; i < 8; ++i, v >>= 4) out += digits[v & 15];
  return out;
}

#ifdef _WIN32

bool OpenableForWriting(const fs::path& p) {
  HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// A new file, or -1 with errno set (EEXIST when the name is taken).
int OpenNew(const fs::path& p, fs::perms) {
  int fd = -1;
  const errno_t e =
      _wsopen_s(&fd, p.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYNO, _S_IREAD | _S_IWRITE);
  if (e != 0) {
    errno = e;
    return -1;
  }
  return fd;
}

long WriteSome(int fd, const char* p, std::size_t n) {
  return ::_write(fd, p, n > 0x40000000u ? 0x40000000u : static_cast<unsigned>(n));
}

bool SyncAndClose(int fd) {
  const bool synced = ::_commit(fd) == 0;
  return ::_close(fd) == 0 && synced;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) return true;
  errno = EACCES;  // the target is held open, or the folder takes no change
  return false;
}

void CloseQuietly(int fd) { ::_close(fd); }

#else

bool OpenableForWriting(const fs::path& p) {
  const int fd = ::open(p.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

int OpenNew(const fs::path& p, fs::perms mode) {
  const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  // The new file takes the old one's permissions.
  if (fd >= 0 && mode != fs::perms::unknown) ::fchmod(fd, static_cast<mode_t>(mode & fs::perms::mask));
  return fd;
}

long WriteSome(int fd, const char* p, std::size_t n) { return static_cast<long>(::write(fd, p, n)); }

bool SyncAndClose(int fd) {
  const bool synced = ::fsync(fd) == 0;
  return ::close(fd) == 0 && synced;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  // Make the rename itself durable; a failure here leaves a complete file either way.
  fs::path dir = to.parent_path();
  if (dir.empty()) dir = ".";
  const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
  return true;
}

void CloseQuietly(int fd) { ::close(fd); }

#endif

}  // namespace

OutputFile::~OutputFile() { Discard(); }

bool OutputFile::Create(const fs::path& path, std::string& reason) {
  Discard();
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(path, ec)) {
    const fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) target = resolved;
  }
  const fs::file_status st = fs::status(target, ec);
  fs::perms mode = fs::perms::unknown;
  if (st.type() != fs::file_type::not_found) {
    if (ec) {
      reason = ec.message();
      return false;
    }
    if (st.type() != fs::file_type::regular) {
      reason = ErrorText(st.type() == fs::file_type::directory ? EISDIR : EINVAL);
      return false;
    }
    mode = st.permissions();
    constexpr fs::perms anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    // Read-only means read-only even to an administrator, as on Windows.
    if ((mode & anyWrite) == fs::perms::none || !OpenableForWriting(target)) {
      reason = ErrorText(EACCES);
      return false;
    }
  }
  for (int attempt = 0; attempt < 32; ++attempt) {
    fs::path temp = target;
    temp += RandomSuffix();
    const int fd = OpenNew(temp, mode);
    if (fd >= 0) {
      fd_ = fd;
      target_ = target;
      temp_ = temp;
      buffer_.reserve(kBufferBytes);
      return true;
    }
    if (errno != EEXIST) break;
  }
  reason = ErrorText(errno);
  return false;
}

bool OutputFile::Write(std::string_view bytes, std::string& reason) {
  if (fd_ < 0) {
    reason = ErrorText(EBADF);
    return false;
  }
  buffer_.append(bytes);
  return buffer_.size() < kBufferBytes || Flush(reason);
}

bool OutputFile::Flush(std::string& reason) {
  const char* p = buffer_.data();
  std::size_t left = buffer_.size();
  while (left > 0) {
    const long n = WriteSome(fd_, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      reason = ErrorText(n < 0 ? errno : EIO);
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  buffer_.clear();
  return true;
}

bool OutputFile::Commit(std::string& reason) {
  if (fd_ < 0) {
    reason = ErrorText(EBADF);
    return false;
  }
  bool ok = Flush(reason);
  const int fd = fd_;
  fd_ = -1;
  if (!SyncAndClose(fd) && ok) {
    reason = ErrorText(errno);
    ok = false;
  }
  if (ok && !RenameOver(temp_, target_)) {
    reason = ErrorText(errno);
    ok = false;
  }
  if (ok) temp_.clear();
  Discard();
  return ok;
}

void OutputFile::Discard() {
  if (fd_ >= 0) CloseQuietly(fd_);
  fd_ = -1;
  std::error_code ec;
  if (!temp_.empty()) fs::remove(temp_, ec);
  temp_.clear();
  target_.clear();
  buffer_.clear();
}

}  // namespace declarium
