// Small scanning helpers shared by the declaration readers. Every
// cut is a view into the text being read, so reading stays linear in its
// length and nothing of the text is copied beyond the fields kept.
#pragma once

#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

#include "text/TextPrimitives.h"

namespace declarium::scan {

inline bool Contains(std::string_view t, std::string_view s) { return FindText(t, s) != -1; }

// Zero-based index of the first d in t at or after pos (a character start),
// as FindText finds it, or npos. Made for the short separators of fields and
// lines: candidates come from memchr on d's first byte, and each is checked
// to start a character by the run of lead bytes before it, back no further
// than the last known character start, so the search stays linear.
inline std::size_t FindSeparator(std::string_view t, std::string_view d, std::size_t pos) {
  const std::size_t size = t.size();
  const std::size_t m = d.size();
  const char* p = t.data();
  std::size_t known = pos;
  std::size_t i = pos;
  while (m > 0 && i + m <= size) {
    const void* found = std::memchr(p + i, d[0], size - m + 1 - i);
    if (found == nullptr) break;
    const std::size_t j = static_cast<std::size_t>(static_cast<const char*>(found) - p);
    std::size_t k = j;
    while (k > known && static_cast<unsigned char>(p[k - 1]) >= 0x80) --k;
    const bool charStart = (j - k) % 2 == 0;
    if (charStart && std::memcmp(p + j + 1, d.data() + 1, m - 1) == 0) return j;
    known = charStart ? j : j + 1;
    i = j + 1;
  }
  return std::string_view::npos;
}

// The first N pieces of SplitText(t, d), cut the same way. Later pieces are
// not cut, so a line of a million separators costs no list of them all.
template <std::size_t N>
class FirstFields {
 public:
  FirstFields(std::string_view t, std::string_view d) {
    std::size_t pos = 0;
    while (count_ < N && pos < t.size()) {
      const std::size_t hit = FindSeparator(t, d, pos);
      if (hit == std::string_view::npos) {
        fields_[count_++] = t.substr(pos);
        break;
      }
      fields_[count_++] = t.substr(pos, hit - pos);
      pos = hit + d.size();
    }
  }

  // Whether field n (1-based) is present, and its text (empty when absent).
  bool Has(std::size_t n) const { return n >= 1 && n <= count_; }
  std::string_view operator[](std::size_t n) const {
    return Has(n) ? fields_[n - 1] : std::string_view();
  }
  std::size_t Count() const { return count_; }

 private:
  std::string_view fields_[N];
  std::size_t count_ = 0;
};

// Calls visit with each piece SplitText(t, d) gives, without building the
// list: a line can hold millions of separators. A visitor that returns bool
// stops the cutting by returning false.
template <class Visit>
void ForEachPiece(std::string_view t, std::string_view d, Visit&& visit) {
  auto give = [&](std::string_view piece) {
    if constexpr (std::is_same_v<std::invoke_result_t<Visit&, std::string_view>, bool>) {
      return visit(piece);
    } else {
      visit(piece);
      return true;
    }
  };
  std::size_t pos = 0;
  while (pos < t.size()) {
    const std::size_t at = FindSeparator(t, d, pos);
    if (at == std::string_view::npos) break;
    if (!give(t.substr(pos, at - pos))) return;
    pos = at + d.size();
  }
  if (pos < t.size()) give(t.substr(pos));
}

// The pieces of a text between CR LF, exactly as SplitText cuts them (a last
// empty piece is not one), handed out one at a time so that a reader that
// stops early does not cut the rest of a long block.
class LineCursor {
 public:
  explicit LineCursor(std::string_view text) : text_(text) {}

  bool Next(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const std::size_t at = FindSeparator(text_, "\r\n", pos_);
    last_ = at == std::string_view::npos;
    if (last_) {
      line = text_.substr(pos_);
      pos_ = text_.size();
    } else {
      line = text_.substr(pos_, at - pos_);
      pos_ = at + 2;
    }
    return true;
  }

  // Whether the piece Next gave runs to the end of the text.
  bool Last() const { return last_; }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
  bool last_ = false;
};

}  // namespace declarium::scan
