// Small scanning helpers shared by the E and VB declaration readers. Every
// cut is a view into the text being read, so reading stays linear in its
// length and nothing of the text is copied beyond the fields kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/TextPrimitives.h"

namespace declarium::scan {

inline bool Contains(std::string_view t, std::string_view s) { return FindText(t, s) != -1; }

// The first N pieces of SplitText(t, d), cut the same way. Later pieces are
// not cut, so a line of a million separators costs no list of them all.
template <std::size_t N>
class FirstFields {
 public:
  // One walk over the characters of the line: fields are a few bytes long,
  // shorter than setting up a search for each would pay.
  FirstFields(std::string_view t, std::string_view d) {
    const std::size_t size = t.size();
    const std::size_t m = d.size();
    std::size_t pos = 0;
    std::size_t i = 0;
    while (count_ < N && pos < size) {
      std::size_t hit = std::string_view::npos;
      for (; m > 0 && i + m <= size; i += static_cast<unsigned char>(t[i]) >= 0x80 ? 2 : 1) {
        if (t[i] == d[0] && Starts(t, i, d)) {
          hit = i;
          break;
        }
      }
      if (hit == std::string_view::npos) {
        fields_[count_++] = t.substr(pos);
        break;
      }
      fields_[count_++] = t.substr(pos, hit - pos);
      pos = i = hit + m;
    }
  }

  // Whether field n (1-based) is present, and its text (empty when absent).
  bool Has(std::size_t n) const { return n >= 1 && n <= count_; }
  std::string_view operator[](std::size_t n) const {
    return Has(n) ? fields_[n - 1] : std::string_view();
  }
  std::size_t Count() const { return count_; }

 private:
  // Whether d stands at i, its first byte already matched; the bytes are
  // there, since i + d.size() <= t.size().
  static bool Starts(std::string_view t, std::size_t i, std::string_view d) {
    for (std::size_t k = 1; k < d.size(); ++k) {
      if (t[i + k] != d[k]) return false;
    }
    return true;
  }

  std::string_view fields_[N];
  std::size_t count_ = 0;
};

// Calls visit with each piece SplitText(t, d) gives, without building the
// list: a line can hold millions of separators.
template <class Visit>
void ForEachPiece(std::string_view t, std::string_view d, Visit&& visit) {
  std::size_t pos = 0;
  while (pos < t.size()) {
    long hit = FindText(t, d, static_cast<long>(pos) + 1);
    if (hit == -1) break;
    std::size_t at = static_cast<std::size_t>(hit) - 1;
    visit(t.substr(pos, at - pos));
    pos = at + d.size();
  }
  if (pos < t.size()) visit(t.substr(pos));
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
    last_ = hit == -1;
    if (last_) {
      line = text_.substr(pos_);
      pos_ = text_.size();
    } else {
      std::size_t at = static_cast<std::size_t>(hit) - 1;
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
