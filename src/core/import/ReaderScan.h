// Small scanning helpers shared by the declaration readers. Every
// cut is a view into the text being read, so reading stays linear in its
// length and nothing of the text is copied beyond the fields kept.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>

#include "text/TextPrimitives.h"

namespace declarium::scan {

inline bool Contains(std::string_view t, std::string_view s) { return FindText(t, s) != -1; }

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
  std::string_view operator[](std::size_t n) const { return Has(n) ? fields_[n - 1] : std::string_view(); }
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
