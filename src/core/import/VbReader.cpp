// Reader of Visual Basic declarations: "Declare" lines, "Type … End Type"
// blocks and "Const" lines. A keyword scanner, not a parser: markers are
// looked for in each line and the text between them is taken.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <unordered_map>

#include "import/ReaderScan.h"
#include "import/Readers.h"
#include "output/VbTypes.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

using scan::Contains;
using std::nullopt;

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kDeclareKey = "Declare ";
constexpr std::string_view kConstKey = "Const ";
constexpr std::string_view kTypeKey = "Type ";
constexpr std::string_view kEndType = "End Type";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Calls visit with the text after every key up to the next CR LF or the end
// of the text. Each line is a view into text.
template <class Visit>
void ForEachLine(std::string_view text, std::string_view key, Visit&& visit) {
  const long end = static_cast<long>(text.size()) + 1;
  long p = FindText(text, key);
  while (p != -1) {
    const size_t lineEnd = FindSeparator(text, kCrLf, static_cast<size_t>(p - 1));
    long e = lineEnd == std::string_view::npos ? end : static_cast<long>(lineEnd) + 1;
    size_t from = static_cast<size_t>(p - 1) + key.size();
    size_t to = static_cast<size_t>(e - 1);
    visit(text.substr(from, to > from ? to - from : 0));
    p = FindText(text, key, e);
  }
}

void ReadParameter(std::string_view piece, ParameterRecord& p) {
  piece = TrimSpacesView(piece);
  const std::string_view head = TextBetweenView(piece, nullopt, " As");
  const bool byVal = Contains(head, "ByVal");
  const bool byRef = Contains(head, "ByRef");
  p.name = byVal || byRef ? TextBetween(piece, " ", " As") : head;
  // Without a modifier VB passes by reference; the API declarations rely on
  // it for structures ("lpRect As RECT").
  p.byRef = byRef || !byVal;
  p.type = TextBetween(piece, "As ", nullopt);
}

// A function declared without a return type ends its line at the ")" of
// its parameter list, where ") " is never found; the list then runs to the
// last ")" of the line, so its parameters are not lost.
std::string_view ListToLastParenthesis(std::string_view line) {
  long p = FindText(line, " (");
  if (p == -1) return {};
  std::string_view rest = line.substr(static_cast<size_t>(p - 1) + 2);
  if (FindText(rest, ") ") != -1) return {};
  size_t last = rest.rfind(')');
  return last == std::string_view::npos ? std::string_view() : rest.substr(0, last);
}

// The name after the keyword that opens a declaration ("Sub Sleep Lib …",
// "PtrSafe Function F Lib …"). The keyword is the first word, so a
// parameter named "lpFunction" in a Sub is no keyword; a line that opens
// with neither takes the word after "Function " anywhere, as it always did.
std::string DeclaredName(std::string_view line) {
  std::string_view head = TrimSpacesView(line);
  if (head.substr(0, 8) == "PtrSafe ") head = TrimSpacesView(head.substr(8));
  for (std::string_view key : {std::string_view("Function "), std::string_view("Sub ")}) {
    if (head.substr(0, key.size()) == key) return TextBetween(head.substr(key.size() - 1), " ", " ");
  }
  return TextBetween(line, "Function ", " ");
}

bool ReadFunctionLine(std::string_view line, FunctionRecord& fn) {
  if (!Contains(line, "Lib")) return false;
  fn.syntax = SyntaxKind::Vb;
  fn.name = DeclaredName(line);
  fn.library = TextBetween(line, "Lib \"", "\" ");
  fn.entryPoint = TextBetween(line, "Alias \"", "\" ");
  if (fn.entryPoint.empty()) fn.entryPoint = fn.name;
  fn.returnType = TextBetween(line, ") As ", nullopt);
  std::string_view list = TrimSpacesView(TextBetweenView(line, " (", ") "));
  if (list.empty()) list = TrimSpacesView(ListToLastParenthesis(line));
  if (!list.empty()) {
    // Every piece between commas is a parameter: one allocation for them all.
    fn.parameters.reserve(static_cast<size_t>(std::count(list.begin(), list.end(), ',')) + 1);
    scan::ForEachPiece(list, ",", [&](std::string_view piece) { ReadParameter(piece, fn.parameters.emplace_back()); });
  }
  return !fn.name.empty();
}

// Bounds become element counts and a fixed-length string "String * N"
// keeps its length; a name for either takes its number from lookup where
// known (see output/VbTypes.h).
void ReadMemberLine(std::string_view line, ParameterRecord& m, const NameValue& lookup) {
  std::string_view name = TextBetweenView(line, nullopt, " As");
  if (Contains(name, "(")) {
    m.array = CountsOfVbBounds(TextBetweenView(name, "(", ")"), lookup, nullptr);
    name = TextBetweenView(name, nullopt, "(");
  }
  m.name = name;
  std::string_view type = TextBetweenView(line, "As ", nullopt);
  if (Contains(type, "'")) {
    m.remark = TextBetweenView(type, "'", nullopt);
    type = TrimSpacesView(TextBetweenView(type, nullopt, "'"));
  }
  if (const auto length = FixedStringLength(type)) {
    std::string n(*length);
    if (!VbWholeNumber(n) && lookup)
      if (const auto value = lookup(n)) n = DecimalText(*value);
    m.type = "String * " + n;
  } else if (Contains(type, "*")) {
    m.type = TrimSpacesView(TextBetweenView(type, nullopt, "*"));
  } else {
    m.type = type;
  }
}

void ReadTypeBlock(std::string_view block, DataTypeRecord& dt, const NameValue& lookup) {
  scan::LineCursor lines(block);
  std::string_view raw;
  bool header = true;
  while (lines.Next(raw)) {
    std::string_view line = TrimSpacesView(raw);
    if (line.empty()) break;
    if (header) {
      header = false;
      dt.syntax = SyntaxKind::Vb;
      dt.name = std::string(line);
      if (Contains(line, "'")) {
        dt.remark = TextBetween(line, "'", nullopt);
        dt.name = TrimSpaces(TextBetween(line, nullopt, "'"));
      }
      continue;
    }
    // A remark on a line of its own is no member.
    if (line[0] == '\'') continue;
    // Filled in place: a record moved is several strings moved.
    ParameterRecord& m = dt.members.emplace_back();
    ReadMemberLine(line, m, lookup);
    if (m.name.empty()) dt.members.pop_back();
  }
}

// The parts of a "Const" line, as views into it: the name, the type after
// "As", the value and the remark after "'".
struct ConstParts {
  std::string_view name;
  std::string_view type;
  std::string_view value;
  std::string_view remark;
};

// The name of a "Const" line; the type after "As" goes to type where the
// line has one.
std::string_view ConstNameOf(std::string_view line, std::string_view* type = nullptr) {
  const std::string_view n = TrimSpacesView(TextBetweenView(line, nullopt, " ="));
  if (!Contains(n, " As")) return n;
  if (type != nullptr) *type = TrimSpacesView(TextBetweenView(n, "As ", nullopt));
  return TrimSpacesView(TextBetweenView(n, nullopt, " As"));
}

ConstParts SplitConstLine(std::string_view line) {
  ConstParts c;
  c.name = ConstNameOf(line, &c.type);
  c.value = TrimSpacesView(TextBetweenView(line, "= ", nullopt));
  if (Contains(c.value, "'")) {
    c.remark = TextBetweenView(c.value, "'", nullopt);
    c.value = TrimSpacesView(TextBetweenView(c.value, nullopt, "'"));
  }
  return c;
}

// A value that holds "&H" is the hexadecimal digits after it, any other its
// leading decimal digits: the digits after "&H", or nothing.
std::optional<std::string_view> HexDigitsOf(std::string_view value) {
  const long at = FindText(value, "&H");
  if (at == -1) return std::nullopt;
  return value.substr(static_cast<size_t>(at - 1) + 2);
}

void ReadConstLine(std::string_view line, ConstantRecord& c) {
  const ConstParts parts = SplitConstLine(line);
  c.name = parts.name;
  c.type = parts.type;
  c.remark = parts.remark;
  if (const auto digits = HexDigitsOf(parts.value)) {
    c.decimalValue = DecimalText(HexToInteger(*digits));
    c.hexValue = parts.value;
  } else {
    c.hexValue = "&H" + HexDigits(ToInteger(parts.value));
    c.decimalValue = parts.value;
  }
}

// The number a constant's 十进制值 stands for, as ReadConstLine writes it,
// without the record.
std::optional<std::int64_t> ConstNumber(const ConstParts& c) {
  if (const auto digits = HexDigitsOf(c.value)) return HexToInteger(*digits);
  return VbWholeNumber(c.value);
}

// Where the line from..end (without its CR LF) is continued: the index of
// its final "_", preceded by a blank and followed only by blanks, outside a
// string and a remark; npos when it is not.
size_t ContinuationMark(std::string_view text, size_t from, size_t end) {
  size_t last = end;
  while (last > from && IsBlank(text[last - 1])) --last;
  if (last < from + 2 || text[last - 1] != '_' || !IsBlank(text[last - 2])) return std::string_view::npos;
  bool inString = false;
  // '"' and '\'' are below 0x40, so never the second byte of a GBK character.
  for (size_t i = from; i < last - 1; ++i) {
    if (text[i] == '"')
      inString = !inString;
    else if (text[i] == '\'' && !inString)
      return std::string_view::npos;
  }
  return inString ? std::string_view::npos : last - 1;
}

}  // namespace

std::string_view JoinVbContinuations(std::string_view text, std::string& storage) {
  // First only look: most texts continue no line and are not copied.
  bool any = false;
  for (size_t pos = 0; pos < text.size() && !any;) {
    const size_t at = FindSeparator(text, kCrLf, pos);
    if (at == std::string_view::npos) break;
    any = ContinuationMark(text, pos, at) != std::string_view::npos;
    pos = at + 2;
  }
  if (!any) return text;
  storage.clear();
  storage.reserve(text.size());
  size_t pos = 0;
  bool joining = false;
  while (pos < text.size()) {
    size_t at = FindSeparator(text, kCrLf, pos);
    const size_t end = at == std::string_view::npos ? text.size() : at;
    size_t from = pos;
    // A continued line goes on after one blank; the next line's indent is not kept.
    if (joining)
      while (from < end && IsBlank(text[from])) ++from;
    const size_t mark = at == std::string_view::npos ? std::string_view::npos : ContinuationMark(text, pos, end);
    if (mark != std::string_view::npos) {
      storage.append(text.substr(from, mark > from ? mark - from : 0));
      joining = true;
    } else {
      storage.append(text.substr(from, end - from));
      if (at != std::string_view::npos) storage.append(kCrLf);
      joining = false;
    }
    pos = at == std::string_view::npos ? text.size() : at + 2;
  }
  return storage;
}

namespace {

bool EndsWithWord(std::string_view text, size_t end, std::string_view word) {
  return end >= word.size() && text.substr(end - word.size(), word.size()) == word;
}

// Whether the "Type " at index i opens a statement: only blanks, optionally
// around "Public" or "Private", stand before it on its line. Found anywhere
// else (a comment, "lpType As Long", "GetFileType Lib"), it would open a block
// that swallows the real types up to the next "End Type".
bool OpensTypeStatement(std::string_view text, size_t i) {
  size_t k = i;
  while (k > 0 && IsBlank(text[k - 1])) --k;
  for (std::string_view word : {std::string_view("Public"), std::string_view("Private")}) {
    if (k < i && EndsWithWord(text, k, word)) {
      k -= word.size();
      while (k > 0 && IsBlank(text[k - 1])) --k;
      break;
    }
  }
  return k == 0 || text[k - 1] == '\n';
}

long FindTypeStatement(std::string_view text, long from) {
  long p = FindText(text, kTypeKey, from);
  while (p != -1 && !OpensTypeStatement(text, static_cast<size_t>(p - 1))) p = FindText(text, kTypeKey, p + 1);
  return p;
}

// The three readers over a text whose continued lines are joined.

int FunctionsOf(std::string_view text, RecordSink<FunctionRecord>& functions) {
  ForEachLine(text, kDeclareKey, [&](std::string_view line) {
    if (!ReadFunctionLine(line, functions.emplace_back())) functions.pop_back();
  });
  return functions.Finish();
}

int DataTypesOf(std::string_view text, RecordSink<DataTypeRecord>& dataTypes) {
  // The constants of the same text give names in bounds and lengths their
  // numbers: the first line of the name that gives a whole number. When a
  // name is first met, only the name of every line is read; the values are
  // read of the lines asked for. The views are into the text, which
  // outlives the reading.
  std::unordered_map<std::string_view, std::string_view> firstLines;
  bool indexed = false;
  const NameValue lookup = [&](std::string_view name) -> std::optional<std::int64_t> {
    if (!indexed) {
      indexed = true;
      ForEachLine(text, kConstKey, [&](std::string_view line) { firstLines.emplace(ConstNameOf(line), line); });
    }
    const auto it = firstLines.find(name);
    if (it == firstLines.end()) return std::nullopt;
    if (const auto n = ConstNumber(SplitConstLine(it->second))) return n;
    // The name's first line gives no number; a later one may.
    std::optional<std::int64_t> number;
    ForEachLine(text, kConstKey, [&](std::string_view line) {
      if (!number && ConstNameOf(line) == name) number = ConstNumber(SplitConstLine(line));
    });
    return number;
  };
  long p = FindTypeStatement(text, 1);
  while (p != -1) {
    long e = FindText(text, kEndType, p);
    if (e == -1) break;  // an unterminated block ends the reading; the blocks before it stay
    size_t from = static_cast<size_t>(p - 1) + kTypeKey.size();
    size_t to = static_cast<size_t>(e - 1);
    DataTypeRecord& dt = dataTypes.emplace_back();
    ReadTypeBlock(text.substr(from, to > from ? to - from : 0), dt, lookup);
    if (dt.name.empty()) dataTypes.pop_back();
    p = FindTypeStatement(text, e);
  }
  return dataTypes.Finish();
}

int ConstantsOf(std::string_view text, RecordSink<ConstantRecord>& constants) {
  ForEachLine(text, kConstKey, [&](std::string_view line) { ReadConstLine(line, constants.emplace_back()); });
  return constants.Finish();
}

}  // namespace

int ReadVbFunctions(std::string_view text, RecordSink<FunctionRecord> functions) {
  std::string joined;
  return FunctionsOf(JoinVbContinuations(text, joined), functions);
}

int ReadVbDataTypes(std::string_view text, RecordSink<DataTypeRecord> dataTypes) {
  std::string joined;
  return DataTypesOf(JoinVbContinuations(text, joined), dataTypes);
}

int ReadVbConstants(std::string_view text, RecordSink<ConstantRecord> constants) {
  std::string joined;
  return ConstantsOf(JoinVbContinuations(text, joined), constants);
}

void ReadVbDeclarations(std::string_view text, RecordSink<FunctionRecord> functions,
                        RecordSink<DataTypeRecord> dataTypes, RecordSink<ConstantRecord> constants) {
  std::string joined;
  text = JoinVbContinuations(text, joined);
  FunctionsOf(text, functions);
  DataTypesOf(text, dataTypes);
  ConstantsOf(text, constants);
}

}  // namespace declarium
