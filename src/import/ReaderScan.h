// Small scanning helpers shared by the E and VB declaration readers. Every
// cut is a view into the text being read, so reading stays linear in its
// length and nothing of the text is copied beyond the fields kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextPrimitives.h"

namespace declarium::scan {

inline bool Contains(std::string_view t, std::string_view s) { return FindText(t, s) != -1; }

// Field n (1-based) of a line cut by SplitText, or an empty view when the
// line has fewer fields; Has tells the two apart.
inline bool Has(const std::vector<std::string_view>& fields, std::size_t n) { return fields.size() >= n; }
inline std::string_view Field(const std::vector<std::string_view>& fields, std::size_t n) {
  return Has(fields, n) ? fields[n - 1] : std::string_view();
}

// The pieces of a text between CR LF, exactly as SplitText cuts them (a last
// empty piece is not one), handed out one at a time so that a reader that
// stops early does not cut the rest of a long block.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    long hit = FindText(text_, "\r\n", static_cast<long>(pos_) + 1);
    if (hit == -1) {
      line = text_.substr(pos_);
      pos_ = text_.size();
    } else {
      std::size_t at = static_cast<std::size_t>(hit) - 1;
      line = text_.substr(pos_, at - pos_);
      pos_ = at + 2;
    }
    return true;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace declarium::scan
