#include "config/SettingsFile.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <vector>
#endif

namespace declarium {

std::filesystem::path ProgramDirectory() {
  std::error_code ec;
#ifdef _WIN32
  // Paths may be longer than MAX_PATH; grow until the name fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) break;
    if (n < buffer.size()) return std::filesystem::path(std::wstring(buffer.data(), n)).parent_path();
    if (buffer.size() >= 32768) break;
    buffer.resize(buffer.size() * 2);
  }
#else
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec && !exe.empty()) return exe.parent_path();
#endif
  // Without the program's own name, the working directory is the best guess.
  std::filesystem::path here = std::filesystem::current_path(ec);
  return ec ? std::filesystem::path(".") : here;
}

}  // namespace declarium
