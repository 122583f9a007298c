// The shared corpus of real declarations (WIN32API.TXT and the like), which
// not every machine has: a test that reads it skips when it is absent.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace declarium::test {

// The corpus file's path, from DECLARIUM_CORPUS_DIR in the environment or
// the build's default; empty when the file is not there.
std::filesystem::path CorpusFile(std::string_view name);

// Its bytes; empty when it is absent.
std::string CorpusText(std::string_view name);

}  // namespace declarium::test
