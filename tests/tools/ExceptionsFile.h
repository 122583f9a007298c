// The lists of what a whole-catalogue check lets fail, and why.
#pragma once

#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include "support/TempDir.h"

namespace declarium::test {

// "KIND NAME reason" lines, by "KIND NAME"; # starts a comment.
inline std::map<std::string, std::string> ReadExceptions(const std::filesystem::path& file) {
  std::map<std::string, std::string> out;
  std::istringstream in(ReadFileBytes(file));
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line);
    std::string kind, name, reason;
    words >> kind >> name;
    std::getline(words, reason);
    out[kind + " " + name] = reason;
  }
  return out;
}

}  // namespace declarium::test
