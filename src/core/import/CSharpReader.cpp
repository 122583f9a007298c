// Reader of C# interop declarations: DllImport methods, StructLayout
// structures and const fields. A keyword scanner, not a parser: it cuts the
// text into blocks at fixed markers and picks values out of them.
//
// Blocks are views into the caller's text and every scan starts where the
// previous one stopped, so a reading is linear in the length of the text.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/ReaderScan.h"
#include "import/Readers.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

constexpr auto kNone = std::nullopt;
constexpr size_t kNpos = std::string_view::npos;

inline bool High(char c) { return IsGbkLeadByte(static_cast<unsigned char>(c)); }

using scan::Contains;

// Finds a pattern taken from the text itself (a return type, a function head,
// a comment), which may be as long as the text: the plain search would then
// compare it again at every candidate. Knuth-Morris-Pratt keeps it linear; a
// match counts only when it starts on a character, stepping from the start
// position as FindText does.
class Needle {
 public:
  explicit Needle(std::string_view s) : s_(s), fail_(s.size(), 0) {
    std::uint32_t k = 0;
    for (size_t i = 1; i < s.size(); ++i) {
      while (k > 0 && s[i] != s[k]) k = fail_[k - 1];
      if (s[i] == s[k]) ++k;
      fail_[i] = k;
    }
  }

  // Zero-based index of the first match at or after index start, or kNpos.
  size_t In(std::string_view t, size_t start) const {
    if (t.empty() || s_.empty() || s_.size() > t.size()) return kNpos;
    size_t k = 0;
    size_t charStart = start;
    for (size_t i = start; i < t.size(); ++i) {
      while (k > 0 && t[i] != s_[k]) k = fail_[k - 1];
      if (t[i] == s_[k]) ++k;
      if (k == s_.size()) {
        const size_t j = i + 1 - k;
        while (charStart < j) charStart += High(t[charStart]) ? 2 : 1;
        if (charStart == j) return j;
        k = fail_[k - 1];
      }
    }
    return kNpos;
  }

 private:
  std::string_view s_;
  std::vector<std::uint32_t> fail_;
};

// Longest pattern the failure table can index.
constexpr size_t kNeedleMax = UINT32_MAX;

// RemoveAll for a pattern taken from the text.
std::string RemoveAllLong(std::string_view t, std::string_view s) {
  if (s.empty() || s.size() > t.size()) return std::string(t);
  if (s.size() > kNeedleMax) return RemoveAll(t, s);
  const Needle needle(s);
  std::string out;
  out.reserve(t.size());
  size_t pos = 0;
  while (pos < t.size()) {
    const size_t hit = needle.In(t, pos);
    if (hit == kNpos) break;
    out.append(t.substr(pos, hit - pos));
    pos = hit + s.size();
  }
  if (pos < t.size()) out.append(t.substr(pos));
  return out;
}

// The function head followed by "(": the parameter list's start marker,
// taken from the text. Its first occurrence is at known or before it, so the
// search looks no further; a head of usual length is matched in place,
// without a failure table.
size_t FindHeadCall(std::string_view t, std::string_view head, size_t known) {
  constexpr size_t kShortHead = 64;
  const std::string_view prefix = t.substr(0, std::min(t.size(), known + head.size() + 1));
  if (head.size() >= kShortHead) {
    const std::string start = std::string(head) + "(";
    if (start.size() <= kNeedleMax) return Needle(start).In(prefix, 0);
    const long p = FindText(prefix, start);
    return p == -1 ? kNpos : static_cast<size_t>(p) - 1;
  }
  char buffer[kShortHead + 1];
  head.copy(buffer, head.size());
  buffer[head.size()] = '(';
  const long p = FindText(prefix, std::string_view(buffer, head.size() + 1));
  return p == -1 ? kNpos : static_cast<size_t>(p) - 1;
}

// TextBetween for the start marker at p; the end marker is a fixed one and
// is searched from the second character after the start marker.
std::string_view TextBetweenAt(std::string_view t, size_t p, size_t startSize, std::string_view end) {
  if (p == kNpos) return {};
  const size_t rest = p + startSize;
  if (rest >= t.size()) return {};
  const size_t from = rest + (High(t[rest]) ? 2 : 1);
  if (from >= t.size()) return {};
  const long q = FindText(t, end, static_cast<long>(from) + 1);
  if (q == -1) return {};
  return t.substr(rest, static_cast<size_t>(q) - 1 - rest);
}

using scan::ForEachPiece;

// The text after the first "=" of an argument, trimmed.
std::string ArgumentValue(std::string_view piece) { return TrimSpaces(TextBetweenView(piece, "=", kNone)); }

// Comments inside a parameter or member are dropped, not kept as a remark.
std::string StripComments(std::string_view piece) {
  if (piece.find_first_of("/*") == kNpos) return std::string(piece);
  std::string m = RemoveAllLong(piece, TextBetween(piece, "//", kNone));
  m = RemoveAllLong(m, TextBetween(m, "/*", "*/"));
  m = RemoveAll(m, "//");
  m = RemoveAll(m, "/*");
  return RemoveAll(m, "*/");
}

// "@object" is the C# way to write the name "object".
void DropVerbatimMark(std::string& name) {
  if (name.size() > 1 && name.front() == '@') name.erase(0, 1);
}

bool IsBlankOrBreak(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The length of the comment or quoted text at i, or 0 when none starts
// there. A line comment runs to its line's end, quoted text to its closing
// quote (or the line's end: C# text does not span lines), a block comment
// to its "*/" (without one it is no comment).
size_t SkipAt(std::string_view t, size_t i) {
  if (t[i] == '"') {
    size_t j = i + 1;
    while (j < t.size() && t[j] != '"' && t[j] != '\r' && t[j] != '\n') j += t[j] == '\\' || High(t[j]) ? 2 : 1;
    return std::min(j + 1, t.size()) - i;
  }
  if (t[i] != '/' || i + 1 >= t.size()) return 0;
  if (t[i + 1] == '/') {
    const size_t end = t.find_first_of("\r\n", i);
    return (end == kNpos ? t.size() : end) - i;
  }
  if (t[i + 1] == '*') {
    const size_t end = t.find("*/", i + 2);
    return end == kNpos ? 0 : end + 2 - i;
  }
  return 0;
}

// The 0-based position of the first end character at or after from that is
// not inside a comment or quoted text, or kNpos: a ";" in a comment on a
// parameter's line does not end the declaration.
size_t DeclarationEnd(std::string_view t, size_t from, char end) {
  for (size_t i = from; i < t.size();) {
    if (t[i] == end) return i;
    const size_t skip = SkipAt(t, i);
    i += skip != 0 ? skip : High(t[i]) ? 2 : 1;
  }
  return kNpos;
}

// A declaration as one line: C# reads a line break, a tab or a run of
// blanks between words as one space, and none beside brackets and
// separators; line comments go, since the next line would join them.
// Quoted text and block comments stay as written. The block itself when
// there is nothing to change.
std::string_view OneLine(std::string_view block, std::string& storage) {
  if (block.find_first_of("\r\n\t") == kNpos && block.find("  ") == kNpos) return block;
  storage.clear();
  storage.reserve(block.size());
  bool blank = false;
  auto opens = [](char c) { return c == '(' || c == '['; };
  auto closes = [](char c) { return c == ')' || c == ']' || c == ',' || c == ';'; };
  for (size_t i = 0; i < block.size();) {
    const char c = block[i];
    if (IsBlankOrBreak(c)) {
      blank = true;
      ++i;
      continue;
    }
    size_t n = SkipAt(block, i);
    const bool lineComment = n != 0 && c == '/' && block[i + 1] == '/';
    if (lineComment) {
      blank = true;
      i += n;
      continue;
    }
    if (n == 0) n = High(c) && i + 1 < block.size() ? 2 : 1;
    if (blank && !storage.empty() && !opens(storage.back()) && !closes(c)) storage += ' ';
    blank = false;
    storage.append(block.substr(i, n));
    i += n;
  }
  return storage;
}

// A piece that holds more than blanks and comments.
bool HasWords(std::string_view piece) {
  return !TrimSpacesView(piece.find_first_of("/*") == kNpos ? piece : StripComments(piece)).empty();
}

// One parameter of a method: "type name" or "modifier type name".
bool ReadParameter(std::string_view piece, ParameterRecord& p) {
  // Most pieces hold no comment and are cut in place.
  std::string stripped;
  std::string_view text = piece;
  if (piece.find_first_of("/*") != kNpos) text = stripped = StripComments(piece);
  text = TrimSpacesView(text);
  std::string_view words[3];
  size_t count = 0;
  ForEachPiece(text, " ", [&](std::string_view w) {
    if (count < 3) words[count] = w;
    ++count;
    return count <= 3;  // a fourth word already rules the piece out
  });
  if (count == 2) {
    p.type = words[0];
    p.name = words[1];
  } else if (count == 3) {
    p.byRef = Contains(words[0], "ref");
    p.output = Contains(words[0], "out");
    // An out parameter is passed by reference as well; without 传址 the
    // declarations generated from it would pass it by value.
    if (p.output) p.byRef = true;
    p.type = words[1];
    p.name = words[2];
  } else {
    return false;
  }
  const long bracket = FindText(p.type, "[");
  if (bracket != -1) {
    p.array.assign(1, '1');
    p.type = TrimSpaces(std::string_view(p.type).substr(0, static_cast<size_t>(bracket) - 1));
  }
  DropVerbatimMark(p.name);
  return true;
}

// Records are filled where they will stay: a record moved is a dozen strings moved.
bool ReadFunctionBlock(std::string_view written, FunctionRecord& f) {
  std::string storage;
  const std::string_view block = OneLine(written, storage);
  const std::string_view arguments = TextBetweenView(block, "[DllImport(", ")]");
  bool first = true;
  ForEachPiece(arguments, ",", [&](std::string_view piece) {
    if (first) {
      f.library = TrimSpaces(RemoveAll(piece, "\""));
      first = false;
    } else if (Contains(piece, "EntryPoint")) {
      f.entryPoint = TrimSpaces(RemoveAll(TextBetweenView(piece, "=", kNone), "\""));
    } else if (Contains(piece, "CharSet")) {
      f.charSet = ArgumentValue(piece);
    } else if (Contains(piece, "CallingConvention")) {
      f.callingConvention = ArgumentValue(piece);
    }
    return true;
  });
  f.syntax = SyntaxKind::CSharp;
  f.returnType = TextBetween(block, "extern ", " ");
  const std::string_view head = TextBetweenView(block, "extern ", "(");
  // The parameter list starts after the first head + "(", which without a
  // head is the first "(" of the block.
  size_t listAt = kNpos;
  if (head.empty()) {
    const long p = FindText(block, "(");
    if (p != -1) listAt = static_cast<size_t>(p) - 1;
  } else {
    // head + "(" stands right after the first "extern ", if not before.
    const size_t known = static_cast<size_t>(FindText(block, "extern ")) - 1 + 7;
    listAt = FindHeadCall(block, head, known);
  }
  const std::string_view parameters = TextBetweenAt(block, listAt, head.size() + 1, ");");
  if (parameters.empty()) return false;
  // The head starts with the return type; only that occurrence goes, so a
  // name that contains the type's text ("int PrintJob") stays whole.
  std::string_view name = head;
  if (name.substr(0, f.returnType.size()) == f.returnType) name.remove_prefix(f.returnType.size());
  f.name = TrimSpaces(name);
  // Without EntryPoint the method binds to its own name; kept as the entry
  // name, so a prefixed or Chinese name written later still binds to it.
  if (f.entryPoint.empty()) f.entryPoint = f.name;
  // At most one parameter per piece between commas: one allocation for a
  // usual list. Pieces that are no parameter take no room, so a list of
  // nothing but commas reserves no more than a long real one.
  constexpr size_t kUsualMost = 32;
  f.parameters.reserve(
      std::min(kUsualMost, static_cast<size_t>(std::count(parameters.begin(), parameters.end(), ',')) + 1));
  ForEachPiece(parameters, ",", [&](std::string_view piece) {
    if (ReadParameter(piece, f.parameters.emplace_back())) return true;
    f.parameters.pop_back();
    if (HasWords(piece)) f.readInPart = true;
    return true;
  });
  return true;
}

// One member of a structure: the last two words are type and name, whatever
// attribute words come before them.
bool ReadMember(std::string_view piece, ParameterRecord& m) {
  std::string stripped;
  std::string_view text = piece;
  if (piece.find_first_of("/*") != kNpos) text = stripped = StripComments(piece);
  text = TrimSpacesView(text);
  std::string_view last;
  std::string_view beforeLast;
  size_t count = 0;
  ForEachPiece(text, " ", [&](std::string_view w) {
    beforeLast = last;
    last = w;
    ++count;
    return true;
  });
  if (count < 2) return false;
  m.name = last;
  DropVerbatimMark(m.name);
  m.type = beforeLast;
  if (Contains(text, "MarshalAs")) {
    const std::string_view marshal = TextBetweenView(text, "[MarshalAs(", ")");
    ForEachPiece(marshal, ",", [&](std::string_view sub) {
      if (!Contains(sub, "SizeConst")) return true;
      m.array = ArgumentValue(sub);
      return false;
    });
    // "byte[]" with a SizeConst is a fixed array of bytes: the count is in
    // 数组, and the type is the element's, as other syntaxes need it. A
    // "string[]" keeps its brackets: a string with a SizeConst is text in
    // place, an array of strings is an array of pointers.
    if (!m.array.empty() && m.type != "string[]" && m.type.size() > 2 &&
        std::string_view(m.type).substr(m.type.size() - 2) == "[]")
      m.type.resize(m.type.size() - 2);
  }
  return true;
}

bool ReadDataTypeBlock(std::string_view block, DataTypeRecord& d) {
  std::string storage;
  const std::string_view line = OneLine(block, storage);
  const std::string_view layout = TextBetweenView(line, "[StructLayout(", ")]");
  ForEachPiece(layout, ",", [&](std::string_view piece) {
    if (Contains(piece, "CharSet")) {
      d.charSet = ArgumentValue(piece);
    } else if (Contains(piece, "Pack")) {
      d.pack = ArgumentValue(piece);
    } else if (Contains(piece, "Size")) {
      d.size = ArgumentValue(piece);
    }
    return true;
  });
  d.syntax = SyntaxKind::CSharp;
  d.name = TrimSpaces(Contains(line, "class") ? TextBetweenView(line, "class ", "{")
                                              : TextBetweenView(line, "struct ", "{"));
  const std::string_view members = TextBetweenView(line, "{", "}");
  if (members.empty()) return false;
  ForEachPiece(members, ";", [&](std::string_view piece) {
    if (ReadMember(piece, d.members.emplace_back())) return true;
    d.members.pop_back();
    if (HasWords(piece)) d.readInPart = true;
    return true;
  });
  return true;
}

void ReadConstantBlock(std::string_view block, ConstantRecord& c) {
  const std::string_view n = TrimSpacesView(TextBetweenView(block, kNone, " ="));
  if (Contains(n, " ")) {
    c.type = TrimSpaces(TextBetweenView(n, kNone, " "));
    c.name = TrimSpaces(TextBetweenView(n, " ", kNone));
  } else {
    c.name = n;
  }
  std::string v = TrimSpaces(TextBetweenView(block, "= ", kNone));
  if (Contains(v, "//")) {
    c.remark = TextBetween(v, "//", kNone);
    v = TrimSpaces(TextBetween(v, kNone, "//"));
  }
  if (Contains(v, "/*")) {
    c.remark = TextBetween(v, "/*", "*/");
    v = TrimSpaces(TextBetween(v, kNone, "/*"));
  }
  if (Contains(v, "0x")) {
    c.decimalValue = DecimalText(HexToInteger(TextBetweenView(v, "0x", kNone)));
    c.hexValue = std::move(v);
  } else {
    c.hexValue = "0x" + HexDigits(ToInteger(v));
    c.decimalValue = std::move(v);
  }
}

// The text from the 1-based position p through the 1-based position q.
std::string_view Span(std::string_view text, long p, long q) {
  return text.substr(static_cast<size_t>(p) - 1, static_cast<size_t>(q - p) + 1);
}

}  // namespace

int ReadCSharpFunctions(std::string_view text, RecordSink<FunctionRecord> functions) {
  long p = FindText(text, "[DllImport");
  while (p != -1) {
    const size_t end = DeclarationEnd(text, static_cast<size_t>(p) - 1, ';');
    if (end == kNpos) break;
    const long q = static_cast<long>(end) + 1;
    if (!ReadFunctionBlock(Span(text, p, q), functions.emplace_back())) functions.pop_back();
    p = FindText(text, "[DllImport", q + 1);
  }
  return functions.Finish();
}

int ReadCSharpDataTypes(std::string_view text, RecordSink<DataTypeRecord> dataTypes) {
  long p = FindText(text, "[StructLayout");
  while (p != -1) {
    const size_t end = DeclarationEnd(text, static_cast<size_t>(p) - 1, '}');
    if (end == kNpos) break;
    const long q = static_cast<long>(end) + 1;
    if (!ReadDataTypeBlock(Span(text, p, q), dataTypes.emplace_back())) dataTypes.pop_back();
    p = FindText(text, "[StructLayout", q + 1);
  }
  return dataTypes.Finish();
}

int ReadCSharpConstants(std::string_view text, RecordSink<ConstantRecord> constants) {
  constexpr long kKeyword = 6;  // "const "
  long p = FindText(text, "const ");
  while (p != -1) {
    const long q = FindText(text, ";", p);
    if (q == -1) break;
    // The block runs from after "const " up to, not including, the ";".
    ReadConstantBlock(text.substr(static_cast<size_t>(p + kKeyword) - 1, static_cast<size_t>(q - p - kKeyword)),
                      constants.emplace_back());
    p = FindText(text, "const ", q);
  }
  return constants.Finish();
}

}  // namespace declarium
