// Reader of the E syntax: ".DLL命令" with ".参数" lines, ".数据类型" with
// ".成员" lines, and ".常量" lines. Fields are separated by ", " and taken by
// position; whatever is not understood is left out, nothing is reported.
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
// No line of the syntax has more than six fields that are read.
using Fields = scan::FirstFields<6>;

constexpr std::string_view kVersion2 = ".版本 2";
constexpr std::string_view kFunctionKey = ".DLL命令 ";
constexpr std::string_view kParameterMark = ".参数";
constexpr std::string_view kDataTypeKey = ".数据类型 ";
constexpr std::string_view kMemberMark = ".成员 ";
constexpr std::string_view kConstantKey = ".常量 ";
constexpr std::string_view kPublic = "公开";
constexpr std::string_view kByRef = "传址";
constexpr std::string_view kArray = "数组";
constexpr std::string_view kFieldSeparator = ", ";

// Calls visit with every block of text that starts at key and runs to the
// next key or to the end of the text. Each block is a view into text.
template <class Visit>
void ForEachBlock(std::string_view text, std::string_view key, Visit&& visit) {
  const long end = static_cast<long>(text.size()) + 1;
  long p = FindText(text, key);
  while (p != -1) {
    long q = FindText(text, key, p + 1);
    if (q == -1) q = end;
    visit(text.substr(static_cast<size_t>(p - 1), static_cast<size_t>(q - p)));
    if (q >= end) break;
    p = q;
  }
}

// The text after the first key in field, or empty when it has none.
std::string_view After(std::string_view field, std::string_view key) {
  long p = FindText(field, key);
  if (p == -1) return {};
  return field.substr(static_cast<size_t>(p - 1) + key.size());
}

std::string Trimmed(std::string_view v) { return TrimSpaces(v); }

// The text between the first two double quotes of field, or empty.
std::string_view BetweenQuotes(std::string_view field) {
  long open = FindText(field, "\"");
  if (open == -1) return {};
  long close = FindText(field, "\"", open + 1);
  if (close == -1) return {};
  return field.substr(static_cast<size_t>(open), static_cast<size_t>(close - open - 1));
}

void ReadFunctionHeader(const Fields& f, bool version2, FunctionRecord& fn) {
  fn.name = Trimmed(After(f[1], kFunctionKey));
  if (f.Has(2)) fn.returnType = Trimmed(f[2]);
  if (f.Has(3)) fn.library = Trimmed(RemoveAll(f[3], "\""));
  if (f.Has(4)) fn.entryPoint = Trimmed(RemoveAll(f[4], "\""));
  if (f.Has(5)) {
    if (version2) {
      fn.isPublic = Contains(f[5], kPublic);
    } else {
      fn.remark = Trimmed(f[5]);
    }
  }
  if (f.Has(6)) fn.remark = Trimmed(f[6]);
}

void ReadParameter(const Fields& f, ParameterRecord& p) {
  p.name = Trimmed(RemoveAll(f[1], kParameterMark));
  if (f.Has(2)) p.type = Trimmed(f[2]);
  if (f.Has(3)) {
    p.byRef = Contains(f[3], kByRef);
    p.array.assign(1, Contains(f[3], kArray) ? '1' : '0');
  }
  if (f.Has(4)) p.remark = Trimmed(f[4]);
}

void ReadDataTypeHeader(const Fields& f, bool version2, DataTypeRecord& dt) {
  dt.name = Trimmed(After(f[1], kDataTypeKey));
  if (f.Has(2)) {
    if (version2) {
      dt.isPublic = TrimSpacesView(f[2]) == kPublic;
    } else {
      dt.remark = Trimmed(f[2]);
    }
  }
  if (f.Has(3)) dt.remark = Trimmed(f[3]);
}

void ReadMember(const Fields& f, ParameterRecord& m) {
  m.name = Trimmed(After(f[1], kMemberMark));
  if (f.Has(2)) m.type = Trimmed(f[2]);
  if (f.Has(3)) m.byRef = TrimSpacesView(f[3]) == kByRef;
  if (f.Has(4)) m.array = Trimmed(BetweenQuotes(f[4]));
  if (f.Has(5)) m.remark = Trimmed(f[5]);
}

// Reads one declaration block: its header line, then the lines that carry
// mark, up to the first blank line or the first line without mark.
//
// The block counts as trimmed of its trailing spaces. Those can only sit
// in its last line, since CR and LF are not spaces, so only that line is
// trimmed: a declaration usually ends long before the end of its block.
template <class Record, class ReadHeader, class ReadRow>
void ReadBlock(std::string_view block, std::string_view mark, Record& record, std::vector<ParameterRecord>& rows,
               ReadHeader&& readHeader, ReadRow&& readRow) {
  scan::LineCursor lines(block);
  std::string_view line;
  bool header = true;
  while (lines.Next(line)) {
    std::string_view trimmed = TrimSpacesView(line);
    if (trimmed.empty()) break;
    if (lines.Last()) {
      line = line.substr(0, static_cast<size_t>(trimmed.data() - line.data()) + trimmed.size());
    }
    if (!header && !Contains(line, mark)) break;
    Fields fields(line, kFieldSeparator);
    if (header) {
      readHeader(fields, record);
      header = false;
      continue;
    }
    // Filled in place: a record moved is all its strings moved.
    ParameterRecord& row = rows.emplace_back();
    readRow(fields, row);
    if (row.name.empty()) rows.pop_back();
  }
}

// The fields a constant reads: name, value, public flag, remark.
constexpr int kConstantFields = 4;

// The block with its line breaks dropped, as RemoveAll(block, CR LF) gives
// it, but only as far as the line that completes the first `fields` fields:
// the rest of a block can be a whole function, and is never read.
std::string JoinedLines(std::string_view block, int fields) {
  std::string line;
  scan::LineCursor lines(block);
  std::string_view piece;
  int separators = 0;
  size_t i = 0;  // a character start of line, where counting goes on
  while (separators < fields && lines.Next(piece)) {
    line.append(piece);
    // The last byte waits for the next piece: it may start a separator or
    // a double-byte character that runs into it.
    while (i + 1 < line.size() && separators < fields) {
      if (line[i] == ',' && line[i + 1] == ' ') {
        ++separators;
        i += 2;
      } else {
        i += IsGbkLeadByte(static_cast<unsigned char>(line[i])) ? 2 : 1;
      }
    }
  }
  return line;
}

}  // namespace

int ReadEFunctions(std::string_view text, RecordSink<FunctionRecord> functions) {
  const bool version2 = Contains(text, kVersion2);
  ForEachBlock(text, kFunctionKey, [&](std::string_view block) {
    FunctionRecord& fn = functions.emplace_back();
    ReadBlock(
        block, kParameterMark, fn, fn.parameters,
        [&](const Fields& f, FunctionRecord& r) { ReadFunctionHeader(f, version2, r); },
        [](const Fields& f, ParameterRecord& p) { ReadParameter(f, p); });
    if (fn.name.empty()) {
      functions.pop_back();
      return;
    }
    fn.syntax = SyntaxKind::E;
  });
  return functions.Finish();
}

int ReadEDataTypes(std::string_view text, RecordSink<DataTypeRecord> dataTypes) {
  const bool version2 = Contains(text, kVersion2);
  ForEachBlock(text, kDataTypeKey, [&](std::string_view block) {
    DataTypeRecord& dt = dataTypes.emplace_back();
    ReadBlock(
        block, kMemberMark, dt, dt.members,
        [&](const Fields& f, DataTypeRecord& r) { ReadDataTypeHeader(f, version2, r); },
        [](const Fields& f, ParameterRecord& m) { ReadMember(f, m); });
    if (dt.name.empty()) {
      dataTypes.pop_back();
      return;
    }
    dt.syntax = SyntaxKind::E;
  });
  return dataTypes.Finish();
}

int ReadEConstants(std::string_view text, RecordSink<ConstantRecord> constants) {
  // A constant is one line: the version marker and every line break of its
  // block are dropped, so whatever follows it up to the next constant joins
  // its fields. Done per block, so no block copies more than its own bytes.
  ForEachBlock(text, kConstantKey, [&](std::string_view block) {
    // Only the first block of a text usually holds the marker.
    std::string line = Contains(block, kVersion2) ? RemoveAll(RemoveAll(block, kVersion2), "\r\n")
                                                  : JoinedLines(block, kConstantFields);
    Fields f(line, kFieldSeparator);
    ConstantRecord& c = constants.emplace_back();
    c.name = Trimmed(RemoveAll(f[1], kConstantKey));
    if (f.Has(2)) {
      c.decimalValue = Trimmed(RemoveAll(f[2], "\""));
      c.hexValue = "0x" + HexDigits(ToInteger(c.decimalValue));
    }
    if (f.Has(4)) c.remark = Trimmed(f[4]);
    if (c.name.empty()) constants.pop_back();
  });
  return constants.Finish();
}

}  // namespace declarium
