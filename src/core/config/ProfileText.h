// The text of an INI file in memory: looked up and edited by section and key
// the way the Windows private-profile functions do it, while every line that
// is not edited keeps its bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace declarium {

// Section and key names compare without regard to ASCII case; the second byte
// of a double-byte character is compared exactly.
bool SameProfileName(std::string_view a, std::string_view b);

class ProfileText {
 public:
  ProfileText() = default;
  // Any bytes: LF or CR LF line ends, comments (';'), lines that are neither
  // sections nor keys, binary data. Nothing is rejected.
  explicit ProfileText(std::string_view bytes);

  // The value of key in the first section called section (later sections of
  // the same name are not looked at), without the spaces around it and
  // without one pair of enclosing quotes; nullopt when absent. The view is
  // valid until the next Set.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

  // Replaces the key's line, or adds the key after the last entry of its
  // section, or adds the section at the end. The new line ends in CR LF; all
  // other lines stay as they are. False, and nothing changed, when the names
  // or the value cannot be kept on one line (CR or LF, '=' in a key, a name
  // that would not read back the same).
  bool Set(std::string_view section, std::string_view key, std::string_view value);

  std::string Bytes() const;

 private:
  enum class Kind { Blank, Comment, Section, Key, Other };
  struct Line {
    std::string raw;  // with its line end
    Kind kind = Kind::Other;
    std::size_t nameBegin = 0, nameSize = 0;    // section or key name
    std::size_t valueBegin = 0, valueSize = 0;  // value as read
    std::string_view Name() const { return std::string_view(raw).substr(nameBegin, nameSize); }
    std::string_view Value() const { return std::string_view(raw).substr(valueBegin, valueSize); }
  };
  static Line Classify(std::string raw, bool first);
  std::optional<std::size_t> FindSection(std::string_view section) const;

  std::vector<Line> lines_;
};

}  // namespace declarium
