// Reading declaration texts and writing results in the chosen encodings.
// Inside, every text is GBK, as in the core.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "cli/CliOptions.h"

namespace declarium::cli {

// The most an input may be: a larger one is refused, a file by its size
// before it is read, so that no command runs out of memory on it.
inline constexpr std::size_t kInputLimit = std::size_t{256} << 20;

// The bytes of a file, or of standard input for "-". False with a sentence
// naming the file and the reason.
bool ReadInputBytes(const std::string& name, std::string& bytes, std::string& error);

// Input bytes as GBK text. GBK input is taken as it is; otherwise a UTF-8
// byte-order mark is dropped, and in auto mode a text that is not valid
// UTF-8 is GBK.
std::string DecodeInput(std::string bytes, Encoding encoding);

// The first line (from 1) of the input that does not keep its text through
// DecodeInput and the store's conversion to UTF-8: invalid bytes of the
// encoding and characters GBK lacks. 0 when every line keeps it.
int FirstLineNotKept(std::string_view bytes, Encoding encoding);

// ReadInputBytes, DecodeInput, then lone LFs made CR LF, as the readers
// expect. A text of which FirstLineNotKept finds a line is refused.
bool ReadDeclarationText(const GlobalOptions& options, const std::string& name, std::string& text, std::string& error);

// A path as the command line gives it: UTF-8 text, on every platform.
std::filesystem::path PathFromUtf8(const std::string& utf8);
// A path as GBK text, for messages.
std::string PathText(const std::filesystem::path& path);
// Creates an empty file that must not exist yet; false when it exists or
// cannot be made.
bool CreateNewFile(const std::filesystem::path& path);
// Standard input, output and error carry bytes unchanged (no CR LF
// translation where the C runtime would do it).
void UseBinaryStandardStreams();

// A composed text on standard output, byte for byte (CR LF kept, nothing added).
void WriteText(const GlobalOptions& options, std::string_view gbk);
// A message on standard output: CR LF shown as newlines, ending in a newline.
void PrintMessage(const GlobalOptions& options, std::string_view gbk);
// The same on standard error.
void PrintError(const GlobalOptions& options, std::string_view gbk);
// Whether everything written to standard output reached it (a full disk, a
// closed output); when not, says so on standard error.
bool OutputWasWritten(const GlobalOptions& options);

}  // namespace declarium::cli
