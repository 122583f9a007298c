// Whole-file reading and replacing for small settings files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace declarium {

enum class FileRead { Read, Missing, Failed, TooLarge };

// The file's bytes; Missing when there is no such file, TooLarge (nothing
// read) when it holds more than limit bytes.
FileRead ReadWholeFile(const std::filesystem::path& path, std::string& bytes,
                       std::uintmax_t limit = static_cast<std::uintmax_t>(-1));

// Writes bytes to a new file beside path and renames it over path, so the file
// is either the old one or the new one, never a part. False, with the file
// untouched, when the file is read-only (its write permission is off, even for
// a user who could override it) or the directory does not allow the new file.
// A symbolic link is followed, so the file it points at is replaced.
bool ReplaceWholeFile(const std::filesystem::path& path, std::string_view bytes);

}  // namespace declarium
