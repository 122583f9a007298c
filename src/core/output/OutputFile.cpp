#include "output/OutputFile.h"

#include <cerrno>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace declarium {
namespace {

std::string LastError() { return std::generic_category().message(errno); }

}  // namespace

OutputFile::~OutputFile() {
  std::string ignored;
  Close(ignored);
}

bool OutputFile::Create(const std::filesystem::path& path, std::string& reason) {
  std::string ignored;
  Close(ignored);
#ifdef _WIN32
  int fd = -1;
  if (_wsopen_s(&fd, path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _SH_DENYNO,
                _S_IREAD | _S_IWRITE) != 0)
    fd = -1;
#else
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
#endif
  if (fd < 0) {
    reason = LastError();
    return false;
  }
  fd_ = fd;
  return true;
}

bool OutputFile::Write(std::string_view bytes, std::string& reason) {
  if (fd_ < 0) {
    reason = std::generic_category().message(EBADF);
    return false;
  }
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    // A regular file takes the whole buffer at once; the loop only covers
    // the rare short write or interruption.
#ifdef _WIN32
    unsigned chunk = left > 0x40000000u ? 0x40000000u : static_cast<unsigned>(left);
    int n = ::_write(fd_, p, chunk);
#else
    ssize_t n = ::write(fd_, p, left);
#endif
    if (n < 0) {
      if (errno == EINTR) continue;
      reason = LastError();
      return false;
    }
    if (n == 0) {
      reason = std::generic_category().message(EIO);
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

bool OutputFile::Close(std::string& reason) {
  if (fd_ < 0) return true;
#ifdef _WIN32
  int rc = ::_close(fd_);
#else
  int rc = ::close(fd_);
#endif
  fd_ = -1;
  if (rc != 0) {
    reason = LastError();
    return false;
  }
  return true;
}

}  // namespace declarium
