#include "output/VbTypes.h"

#include <limits>

#include "text/TextPrimitives.h"

namespace declarium {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// Calls visit with each piece between commas, trimmed.
template <class Visit>
void ForEachDimension(std::string_view text, Visit&& visit) {
  std::size_t pos = 0;
  while (true) {
    const std::size_t at = FindSeparator(text, ",", pos);
    visit(TrimSpacesView(text.substr(pos, at == std::string_view::npos ? std::string_view::npos : at - pos)));
    if (at == std::string_view::npos) return;
    pos = at + 1;
  }
}

// A bound: its number, from the text or a constant, or nothing.
std::optional<std::int64_t> BoundValue(std::string_view bound, const NameValue& lookup,
                                       std::vector<std::string>* unresolved) {
  if (auto n = VbWholeNumber(bound)) return n;
  if (lookup)
    if (auto n = lookup(bound)) return n;
  if (unresolved && !bound.empty()) unresolved->emplace_back(bound);
  return std::nullopt;
}

// "X - 1" gives "X", any other text "X + 1": the count of 0 To X.
std::string PlusOne(std::string_view upper) {
  for (std::string_view tail : {std::string_view(" - 1"), std::string_view("-1")}) {
    if (upper.size() > tail.size() && upper.substr(upper.size() - tail.size()) == tail)
      return std::string(TrimSpacesView(upper.substr(0, upper.size() - tail.size())));
  }
  return std::string(upper) + " + 1";
}

std::string CountOfDimension(std::string_view dim, const NameValue& lookup, std::vector<std::string>* unresolved) {
  std::string_view lower = "0";
  std::string_view upper = dim;
  // " To " is looked for as text (GBK-aware): a name may hold those bytes.
  const long to = FindText(dim, " To ");
  if (to != -1) {
    lower = TrimSpacesView(dim.substr(0, static_cast<std::size_t>(to - 1)));
    upper = TrimSpacesView(dim.substr(static_cast<std::size_t>(to - 1) + 4));
  }
  const auto a = BoundValue(lower, lookup, unresolved);
  const auto b = BoundValue(upper, lookup, unresolved);
  if (a && b) return DecimalText(*b - *a + 1);
  if (a && *a == 0) return PlusOne(upper);
  return "(" + std::string(upper) + ") - (" + std::string(lower) + ") + 1";
}

// Works out a count of whole numbers joined by + and - with parentheses, as
// CountOfDimension writes one; nothing for any other text.
class CountExpression {
 public:
  explicit CountExpression(std::string_view text) : text_(text) {}

  std::optional<std::int64_t> Value() {
    auto v = Sum();
    Blanks();
    if (!v || pos_ != text_.size()) return std::nullopt;
    return v;
  }

 private:
  void Blanks() {
    while (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
  }
  std::optional<std::int64_t> Sum() {
    auto v = Term();
    while (v) {
      Blanks();
      if (pos_ >= text_.size() || (text_[pos_] != '+' && text_[pos_] != '-')) break;
      const bool minus = text_[pos_++] == '-';
      const auto t = Term();
      if (!t) return std::nullopt;
      *v += minus ? -*t : *t;
    }
    return v;
  }
  std::optional<std::int64_t> Term() {
    Blanks();
    if (pos_ < text_.size() && text_[pos_] == '(') {
      ++pos_;
      auto v = Sum();
      Blanks();
      if (!v || pos_ >= text_.size() || text_[pos_] != ')') return std::nullopt;
      ++pos_;
      return v;
    }
    const std::size_t from = pos_;
    while (pos_ < text_.size() && IsDigit(text_[pos_]) && pos_ - from < 15) ++pos_;
    if (pos_ == from) return std::nullopt;
    return VbWholeNumber(text_.substr(from, pos_ - from));
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::string ResolveCounts(std::string_view counts, const NameValue& lookup, std::vector<std::string>* unresolved) {
  std::string out;
  bool first = true;
  ForEachDimension(counts, [&](std::string_view count) {
    if (!first) out += ",";
    first = false;
    std::string text(count);
    std::vector<std::string> lacking;
    for (const std::string& name : NamesIn(count)) {
      const auto value = lookup ? lookup(name) : std::nullopt;
      if (!value) {
        lacking.push_back(name);
        continue;
      }
      const std::size_t at = text.find(name);
      if (at != std::string::npos) text.replace(at, name.size(), DecimalText(*value));
    }
    const auto value = lacking.empty() ? CountExpression(text).Value() : std::nullopt;
    if (value) {
      out += DecimalText(*value);
      return;
    }
    out += count;
    if (unresolved) unresolved->insert(unresolved->end(), lacking.begin(), lacking.end());
  });
  return out;
}

std::optional<std::int64_t> VbWholeNumber(std::string_view text) {
  text = TrimSpacesView(text);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  const bool hex = text.size() > 2 && text[0] == '&' && (text[1] == 'H' || text[1] == 'h');
  if (hex) text.remove_prefix(2);
  // VB's type marks after a literal: 5&, &H10&.
  if (!text.empty() && (text.back() == '&' || text.back() == '%')) text.remove_suffix(1);
  if (text.empty() || text.size() > 15) return std::nullopt;
  std::int64_t value = 0;
  for (char c : text) {
    if (hex ? !IsHexDigit(c) : !IsDigit(c)) return std::nullopt;
    value = value * (hex ? 16 : 10) + HexValue(c);
  }
  return negative ? -value : value;
}

std::optional<std::string_view> FixedStringLength(std::string_view type) {
  type = TrimSpacesView(type);
  if (type.substr(0, 6) != "String") return std::nullopt;
  std::string_view rest = TrimSpacesView(type.substr(6));
  if (rest.empty() || rest[0] != '*') return std::nullopt;
  rest = TrimSpacesView(rest.substr(1));
  if (rest.empty()) return std::nullopt;
  return rest;
}

std::string CountsOfVbBounds(std::string_view bounds, const NameValue& lookup, std::vector<std::string>* unresolved) {
  std::string out;
  bool first = true;
  ForEachDimension(bounds, [&](std::string_view dim) {
    if (!first) out += ",";
    first = false;
    out += CountOfDimension(dim, lookup, unresolved);
  });
  return out;
}

std::string VbBoundsOfCounts(std::string_view counts) {
  std::string out;
  bool first = true;
  ForEachDimension(counts, [&](std::string_view count) {
    if (!first) out += ", ";
    first = false;
    out += "0 To ";
    if (auto n = VbWholeNumber(count)) {
      out += DecimalText(*n - 1);
      return;
    }
    // "MAX_PATH + 1", as CountsOfVbBounds writes the count of (MAX_PATH).
    for (std::string_view tail : {std::string_view(" + 1"), std::string_view("+1")}) {
      if (count.size() > tail.size() && count.substr(count.size() - tail.size()) == tail) {
        out += TrimSpacesView(count.substr(0, count.size() - tail.size()));
        return;
      }
    }
    out += std::string(count) + " - 1";
  });
  return out;
}

std::optional<std::int64_t> CountProduct(std::string_view counts) {
  std::optional<std::int64_t> product = 1;
  ForEachDimension(counts, [&](std::string_view count) {
    const auto n = VbWholeNumber(count);
    if (!product || !n || *n < 0 || (*n > 0 && *product > std::numeric_limits<std::int32_t>::max() / *n)) {
      product = std::nullopt;
      return;
    }
    *product *= *n;
  });
  return product;
}

std::vector<std::string> NamesIn(std::string_view counts) {
  std::vector<std::string> names;
  std::size_t i = 0;
  while (i < counts.size()) {
    const char c = counts[i];
    const bool wordStart =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || static_cast<unsigned char>(c) >= 0x80;
    if (!wordStart) {
      ++i;
      continue;
    }
    std::size_t j = i;
    while (j < counts.size() && counts[j] != ' ' && counts[j] != ',' && counts[j] != '(' && counts[j] != ')' &&
           counts[j] != '+' && counts[j] != '-' && counts[j] != '*')
      ++j;
    names.emplace_back(counts.substr(i, j - i));
    i = j;
  }
  return names;
}

}  // namespace declarium
