// Reader of Visual Basic declarations: "Declare" lines, "Type … End Type"
// blocks and "Const" lines. A keyword scanner, not a parser: markers are
// looked for in each line and the text between them is taken.
#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "import/ReaderScan.h"
#include "import/Readers.h"
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

bool ReadFunctionLine(std::string_view line, FunctionRecord& fn) {
  if (!Contains(line, "Lib")) return false;
  fn.syntax = SyntaxKind::Vb;
  fn.name = TextBetween(line, "Function ", " ");
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

void ReadMemberLine(std::string_view line, ParameterRecord& m) {
  m.name = TextBetween(line, nullopt, " As");
  if (Contains(m.name, "(")) {
    m.array = TextBetween(m.name, "(", ")");
    m.name = TextBetween(m.name, nullopt, "(");
  }
  m.type = TextBetween(line, "As ", nullopt);
  if (Contains(m.type, "'")) {
    m.remark = TextBetween(m.type, "'", nullopt);
    m.type = TrimSpaces(TextBetween(m.type, nullopt, "'"));
  }
  // A fixed-length string keeps only its type; the length is dropped.
  if (Contains(m.type, "*")) m.type = TrimSpaces(TextBetween(m.type, nullopt, "*"));
}

void ReadTypeBlock(std::string_view block, DataTypeRecord& dt) {
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
    // Filled in place: a record moved is several strings moved.
    ParameterRecord& m = dt.members.emplace_back();
    ReadMemberLine(line, m);
    if (m.name.empty()) dt.members.pop_back();
  }
}

void ReadConstLine(std::string_view line, ConstantRecord& c) {
  const std::string_view n = TrimSpacesView(TextBetweenView(line, nullopt, " ="));
  if (Contains(n, " As")) {
    c.type = TrimSpaces(TextBetweenView(n, "As ", nullopt));
    c.name = TrimSpaces(TextBetweenView(n, nullopt, " As"));
  } else {
    c.name = n;
  }
  std::string v = TrimSpaces(TextBetween(line, "= ", nullopt));
  if (Contains(v, "'")) {
    c.remark = TextBetween(v, "'", nullopt);
    v = TrimSpaces(TextBetween(v, nullopt, "'"));
  }
  if (Contains(v, "&H")) {
    c.decimalValue = DecimalText(HexToInteger(TextBetweenView(v, "&H", nullopt)));
    c.hexValue = std::move(v);
  } else {
    c.hexValue = "&H" + HexDigits(ToInteger(v));
    c.decimalValue = std::move(v);
  }
}

}  // namespace

int ReadVbFunctions(std::string_view text, RecordSink<FunctionRecord> functions) {
  ForEachLine(text, kDeclareKey, [&](std::string_view line) {
    if (!ReadFunctionLine(line, functions.emplace_back())) functions.pop_back();
  });
  return functions.Finish();
}

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

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
  while (p != -1 && !OpensTypeStatement(text, static_cast<size_t>(p - 1)))
    p = FindText(text, kTypeKey, p + 1);
  return p;
}

}  // namespace

int ReadVbDataTypes(std::string_view text, RecordSink<DataTypeRecord> dataTypes) {
  long p = FindTypeStatement(text, 1);
  while (p != -1) {
    long e = FindText(text, kEndType, p);
    if (e == -1) break;  // an unterminated block ends the reading; the blocks before it stay
    size_t from = static_cast<size_t>(p - 1) + kTypeKey.size();
    size_t to = static_cast<size_t>(e - 1);
    DataTypeRecord& dt = dataTypes.emplace_back();
    ReadTypeBlock(text.substr(from, to > from ? to - from : 0), dt);
    if (dt.name.empty()) dataTypes.pop_back();
    p = FindTypeStatement(text, e);
  }
  return dataTypes.Finish();
}

int ReadVbConstants(std::string_view text, RecordSink<ConstantRecord> constants) {
  ForEachLine(text, kConstKey, [&](std::string_view line) {
    ReadConstLine(line, constants.emplace_back());
  });
  return constants.Finish();
}

}  // namespace declarium
