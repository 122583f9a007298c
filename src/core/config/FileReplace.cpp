#include "config/FileReplace.h"

#include <fstream>

#include "output/OutputFile.h"

namespace declarium {
namespace fs = std::filesystem;

FileRead ReadWholeFile(const fs::path& path, std::string& bytes, std::uintmax_t limit) {
  bytes.clear();
  std::error_code ec;
  const auto st = fs::status(path, ec);
  if (st.type() == fs::file_type::not_found) return FileRead::Missing;
  // Only a regular file: a FIFO or a device would block or never end.
  if (ec || st.type() != fs::file_type::regular) return FileRead::Failed;
  if (fs::file_size(path, ec) > limit && !ec) return FileRead::TooLarge;
  std::ifstream in(path, std::ios::binary);
  if (!in) return FileRead::Failed;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > limit) {
      bytes.clear();
      return FileRead::TooLarge;
    }
  }
  if (in.bad()) {
    bytes.clear();
    return FileRead::Failed;
  }
  return FileRead::Read;
}

bool ReplaceWholeFile(const fs::path& path, std::string_view bytes) {
  OutputFile file;
  std::string reason;
  return file.Create(path, reason) && file.Write(bytes, reason) && file.Commit(reason);
}

}  // namespace declarium
