// A file written whole or not at all: the bytes go to a new file beside the
// target, which takes the target's place only at Commit. Until then, and
// whatever happens to the program, the target keeps its old bytes; a file
// that is never committed is removed.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace declarium {

class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // Starts the new file beside path (a symbolic link is followed, so the
  // file it points at is replaced). False, with reason in the system's
  // words, when path is a directory or a read-only file (read-only even for
  // a user who could override it), or the folder takes no new file.
  bool Create(const std::filesystem::path& path, std::string& reason);
  bool Write(std::string_view bytes, std::string& reason);
  // Writes out what is kept, puts the new file in the target's place and
  // makes that durable. False, with the target untouched, on any failure.
  bool Commit(std::string& reason);
  // Removes the new file; the target stays as it was.
  void Discard();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  bool Flush(std::string& reason);

  int fd_ = -1;
  std::filesystem::path target_, temp_;
  std::string buffer_;
};

}  // namespace declarium
