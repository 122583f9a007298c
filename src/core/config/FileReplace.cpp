#include "config/FileReplace.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace declarium {
namespace fs = std::filesystem;

namespace {

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
  HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

// 1 written, 0 the name is taken, -1 failed.
int WriteNewFile(const fs::path& p, std::string_view bytes, fs::perms) {
  HANDLE h = CreateFileW(p.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    const DWORD e = GetLastError();
    return e == ERROR_FILE_EXISTS || e == ERROR_ALREADY_EXISTS ? 0 : -1;
  }
  bool ok = true;
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    DWORD written = 0;
    ok = WriteFile(h, bytes.data() + done, chunk, &written, nullptr) && written > 0;
    done += written;
  }
  ok = ok && FlushFileBuffers(h);
  ok = CloseHandle(h) && ok;
  if (!ok) DeleteFileW(p.c_str());
  return ok ? 1 : -1;
}

bool RenameOver(const fs::path& from, const fs::path& to) {
  return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

#else

bool OpenableForWriting(const fs::path& p) {
  const int fd = ::open(p.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

int WriteNewFile(const fs::path& p, std::string_view bytes, fs::perms mode) {
  const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno == EEXIST ? 0 : -1;
  bool ok = true;
  // The new file takes the old one's permissions.
  if (mode != fs::perms::unknown) ::fchmod(fd, static_cast<mode_t>(mode & fs::perms::mask));
  std::size_t done = 0;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  if (!ok) ::unlink(p.c_str());
  return ok ? 1 : -1;
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

#endif

}  // namespace

FileRead ReadWholeFile(const fs::path& path, std::string& bytes) {
  bytes.clear();
  std::error_code ec;
  const auto st = fs::status(path, ec);
  if (st.type() == fs::file_type::not_found) return FileRead::Missing;
  if (ec || st.type() == fs::file_type::directory) return FileRead::Failed;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileRead::Failed;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    bytes.clear();
    return FileRead::Failed;
  }
  return FileRead::Read;
}

bool ReplaceWholeFile(const fs::path& path, std::string_view bytes) {
  std::error_code ec;
  fs::path target = path;
  if (fs::is_symlink(path, ec)) {
    fs::path resolved = fs::weakly_canonical(path, ec);
    if (!ec) target = resolved;
  }
  const auto st = fs::status(target, ec);
  fs::perms mode = fs::perms::unknown;
  if (st.type() != fs::file_type::not_found) {
    if (ec || st.type() != fs::file_type::regular) return false;
    mode = st.permissions();
    constexpr auto anyWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    // Read-only means read-only even to an administrator, as on Windows.
    if ((mode & anyWrite) == fs::perms::none || !OpenableForWriting(target)) return false;
  }
  for (int attempt = 0; attempt < 32; ++attempt) {
    fs::path temp = target;
    temp += RandomSuffix();
    const int made = WriteNewFile(temp, bytes, mode);
    if (made < 0) return false;
    if (made == 0) continue;
    if (RenameOver(temp, target)) return true;
    fs::remove(temp, ec);
    return false;
  }
  return false;
}

}  // namespace declarium
