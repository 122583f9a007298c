#include "support/Corpus.h"

#include <cstdlib>

#include "support/TempDir.h"

namespace declarium::test {

std::filesystem::path CorpusFile(std::string_view name) {
  std::filesystem::path dir;
  if (const char* env = std::getenv("DECLARIUM_CORPUS_DIR"); env != nullptr && *env != '\0') {
    dir = env;
  } else {
#ifdef DECLARIUM_CORPUS_DIR
    dir = DECLARIUM_CORPUS_DIR;
#endif
  }
  if (dir.empty()) return {};
  std::filesystem::path file = dir / name;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file, ec)) return {};
  return file;
}

std::string CorpusText(std::string_view name) {
  const std::filesystem::path file = CorpusFile(name);
  return file.empty() ? std::string() : ReadFileBytes(file);
}

}  // namespace declarium::test
