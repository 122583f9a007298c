// A text file written without buffering in the program: every Write reaches
// the system in one call, so a file cut short ends where a Write ended.
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

  // Creates the file, replacing an existing one; other processes may read and
  // write it meanwhile. reason receives the system's words on failure.
  bool Create(const std::filesystem::path& path, std::string& reason);
  bool Write(std::string_view bytes, std::string& reason);
  bool Close(std::string& reason);
  bool IsOpen() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace declarium
