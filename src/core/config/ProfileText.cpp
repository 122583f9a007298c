#include "config/ProfileText.h"

#include "text/Gbk.h"

namespace declarium {
namespace {

// The white space the profile functions strip around names and values.
inline bool IsPad(char c) { return c == ' ' || c == '\t' || c == '\r'; }

inline bool IsQuote(char c) { return c == '"' || c == '\''; }

inline bool HasLineBreak(std::string_view t) { return t.find_first_of("\r\n") != std::string_view::npos; }

inline unsigned char FoldAscii(unsigned char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Offsets of t without the pads at both ends, relative to t.
void TrimRange(std::string_view t, std::size_t& begin, std::size_t& size) {
  std::size_t b = 0, e = t.size();
  while (b < e && IsPad(t[b])) ++b;
  while (e > b && IsPad(t[e - 1])) --e;
  begin = b;
  size = e - b;
}

bool IsTrimmed(std::string_view t) { return t.empty() || (!IsPad(t.front()) && !IsPad(t.back())); }

// A value that reading would change (pads at its ends, or one pair of
// enclosing quotes) is written inside double quotes, which reading removes.
bool NeedsQuotes(std::string_view v) {
  if (v.empty()) return false;
  if (!IsTrimmed(v)) return true;
  return v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back();
}

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (IsGbkLeadByte(x)) {
      // A double-byte character: its trail byte may look like an ASCII letter.
      if (x != y) return false;
      if (i + 1 < a.size()) {
        ++i;
        if (a[i] != b[i]) return false;
      }
      continue;
    }
    if (FoldAscii(x) != FoldAscii(y)) return false;
  }
  return true;
}

ProfileText::Line ProfileText::Classify(std::string raw, bool first) {
  Line line;
  line.raw = std::move(raw);
  std::string_view t = line.raw;
  std::size_t end = t.size();
  if (end > 0 && t[end - 1] == '\n') --end;
  std::size_t i = 0;
  // A byte-order mark written by an editor must not hide the first section.
  if (first && t.substr(0, 3) == "\xEF\xBB\xBF") i = 3;
  while (i < end && IsPad(t[i])) ++i;
  if (i == end) {
    line.kind = Kind::Blank;
    return line;
  }
  if (t[i] == ';') {
    line.kind = Kind::Comment;
    return line;
  }
  if (t[i] == '[') {
    // The last ']' closes the name: a double-byte character may end in 0x5D.
    const std::size_t close = t.substr(0, end).rfind(']');
    if (close == std::string_view::npos || close <= i) return line;
    std::size_t b, n;
    TrimRange(t.substr(i + 1, close - i - 1), b, n);
    if (n == 0) return line;
    line.kind = Kind::Section;
    line.nameBegin = i + 1 + b;
    line.nameSize = n;
    return line;
  }
  const std::size_t eq = t.substr(0, end).find('=', i);
  if (eq == std::string_view::npos) return line;
  std::size_t b, n;
  TrimRange(t.substr(i, eq - i), b, n);
  if (n == 0) return line;
  line.kind = Kind::Key;
  line.nameBegin = i + b;
  line.nameSize = n;
  TrimRange(t.substr(eq + 1, end - eq - 1), b, n);
  line.valueBegin = eq + 1 + b;
  line.valueSize = n;
  return line;
}

ProfileText::ProfileText(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    std::size_t nl = bytes.find('\n', pos);
    const std::size_t next = nl == std::string_view::npos ? bytes.size() : nl + 1;
    lines_.push_back(Classify(std::string(bytes.substr(pos, next - pos)), pos == 0));
    pos = next;
  }
}

std::optional<std::size_t> ProfileText::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Kind::Section && SameProfileName(lines_[i].Name(), section)) return i;
  }
  return std::nullopt;
}

std::optional<std::string_view> ProfileText::Find(std::string_view section, std::string_view key) const {
  if (section.empty() || key.empty()) return std::nullopt;
  const auto s = FindSection(section);
  if (!s) return std::nullopt;
  for (std::size_t i = *s + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    const Line& line = lines_[i];
    if (line.kind != Kind::Key || !SameProfileName(line.Name(), key)) continue;
    std::string_view v = line.Value();
    if (v.size() >= 2 && IsQuote(v.front()) && v.front() == v.back()) v = v.substr(1, v.size() - 2);
    return v;
  }
  return std::nullopt;
}

bool ProfileText::Set(std::string_view section, std::string_view key, std::string_view value) {
  // Names must read back as themselves, and nothing may start a new line.
  if (section.empty() || !IsTrimmed(section) || HasLineBreak(section)) return false;
  if (key.empty() || !IsTrimmed(key) || HasLineBreak(key) || key.find('=') != std::string_view::npos ||
      key.front() == ';' || key.front() == '[') {
    return false;
  }
  if (HasLineBreak(value)) return false;

  std::string entryValue = NeedsQuotes(value) ? "\"" + std::string(value) + "\"" : std::string(value);
  auto terminate = [](std::string& raw) {
    if (!raw.empty() && raw.back() != '\n') raw += "\r\n";
  };

  const auto s = FindSection(section);
  if (!s) {
    if (!lines_.empty()) {
      terminate(lines_.back().raw);
      if (lines_.back().kind != Kind::Blank) lines_.push_back(Classify("\r\n", false));
    }
    lines_.push_back(Classify("[" + std::string(section) + "]\r\n", lines_.empty()));
    lines_.push_back(Classify(std::string(key) + "=" + entryValue + "\r\n", false));
    return true;
  }

  std::size_t last = *s;  // the last line of the section that is not blank or a comment
  for (std::size_t i = *s + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i) {
    Line& line = lines_[i];
    if (line.kind == Kind::Key && SameProfileName(line.Name(), key)) {
      // Keep the key as the file spells it.
      line = Classify(std::string(line.Name()) + "=" + entryValue + "\r\n", i == 0);
      return true;
    }
    if (line.kind != Kind::Blank && line.kind != Kind::Comment) last = i;
  }
  terminate(lines_[last].raw);
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(last + 1),
                Classify(std::string(key) + "=" + entryValue + "\r\n", false));
  return true;
}

std::string ProfileText::Bytes() const {
  std::size_t total = 0;
  for (const Line& line : lines_) total += line.raw.size();
  std::string out;
  out.reserve(total);
  for (const Line& line : lines_) out += line.raw;
  return out;
}

}  // namespace declarium
