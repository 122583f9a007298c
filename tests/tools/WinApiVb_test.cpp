// The generated catalogue as VB: type names VB has, and Types that VB6 lays
// out as the compiler lays out their C structures. VB's layout is worked out
// here by VB6's own rules, not by the program's calculator.
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <map>
#include <optional>
#include <regex>
#include <sstream>

#include "output/Export.h"
#include "output/Layout.h"
#include "output/TypeNames.h"
#include "store/CatalogueStore.h"
#include "store/Loaders.h"
#include "support/TempDir.h"
#include "ExceptionsFile.h"

namespace declarium {
namespace {

using test::ReadFileBytes;
using test::TempDir;

// What the compiler gives each structure (the generator's layout-32.txt).
struct CLayout {
  long long size = 0;
  long long align = 0;
  std::vector<long long> offsets;
};

std::map<std::string, CLayout> CompilerLayouts() {
  std::map<std::string, CLayout> out;
  std::istringstream in(ReadFileBytes(DECLARIUM_WINAPI_LAYOUT_32));
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string kind, name, offsets;
    CLayout c;
    if (!std::getline(fields, kind, '\t') || kind != "type" || !std::getline(fields, name, '\t')) continue;
    fields >> c.size >> c.align;
    fields.ignore(1);
    std::getline(fields, offsets);
    std::istringstream list(offsets);
    for (std::string o; std::getline(list, o, ',');) c.offsets.push_back(std::stoll(o));
    out[name] = c;
  }
  return out;
}

// What the x86_64 compiler gives each structure (the generator's sizes-64.txt).
std::map<std::string, long long> Sizes64() {
  std::map<std::string, long long> sizes;
  std::istringstream in(ReadFileBytes(DECLARIUM_WINAPI_SIZES_64));
  for (std::string kind, name; in >> kind >> name;) {
    long long size = 0;
    if (kind == "type" && in >> size) sizes[name] = size;
    in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
  }
  return sizes;
}

std::map<std::string, std::string> Exceptions(const char* file = DECLARIUM_VB_EXCEPTIONS) {
  return test::ReadExceptions(file);
}

class WinApiVb : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(DECLARIUM_WINAPI_DB) || !std::filesystem::exists(DECLARIUM_WINAPI_LAYOUT_32))
      GTEST_SKIP() << "the catalogue was not generated";
    std::filesystem::copy_file(DECLARIUM_WINAPI_DB, dir_ / "data.db");
    ASSERT_TRUE(store_.OpenPath(dir_ / "data.db", false));
  }

  // Every data type with its members, read in one pass over the member table.
  std::map<std::string, DataTypeRecord> AllDataTypes() {
    ChildRows members;
    EXPECT_TRUE(LoadMembersOf(store_, "select id from 数据类型表", members));
    std::map<std::string, DataTypeRecord> out;
    Statement ids = store_.Prepare("select id from 数据类型表");
    std::vector<int> all;
    while (store_.NextRow(ids)) all.push_back(store_.ColumnInt(ids, 0));
    store_.Finalize(ids);
    for (int id : all) {
      DataTypeRecord d;
      EXPECT_TRUE(LoadDataTypeRow(store_, id, d));
      d.members = std::move(members[id]);
      out.emplace(d.name, std::move(d));
    }
    return out;
  }

  std::string ExportVb(const DeclarationStyle& style) {
    ExportRequest request;
    request.functions = request.dataTypes = true;
    request.target = SyntaxKind::Vb;
    std::string message;
    EXPECT_EQ(ExportDeclarations(store_, dir_ / "all.bas", request, style, nullptr, message), ExportResult::Done)
        << message;
    return ReadFileBytes(dir_ / "all.bas");
  }

  TempDir dir_;
  CatalogueStore store_;
};

TEST_F(WinApiVb, TheLayoutCalculatorAgreesWithTheCompiler) {
  const auto compiler = CompilerLayouts();
  auto types = AllDataTypes();
  const DataTypeLookup lookup = [&](std::string_view name) -> const DataTypeRecord* {
    const auto it = types.find(std::string(name));
    return it == types.end() ? nullptr : &it->second;
  };
  std::string wrong;
  int right = 0;
  for (const auto& [name, d] : types) {
    const auto c = compiler.find(name);
    if (c == compiler.end()) continue;
    const auto ours = LayOutDataType(d, LayoutRules::C32, lookup);
    bool same = ours && ours->size == c->second.size && ours->members.size() == c->second.offsets.size();
    for (std::size_t i = 0; same && i < ours->members.size(); ++i)
      same = c->second.offsets[i] < 0 || ours->members[i].offset == c->second.offsets[i];
    if (same)
      ++right;
    else if (wrong.size() < 2000)
      wrong += name + ": " + (ours ? std::to_string(ours->size) : std::string("unknown")) + " / " +
               std::to_string(c->second.size) + "\n";
  }
  EXPECT_EQ(wrong, "");
  std::printf("[          ] %d of %zu structures: every member at the compiler's offset, the compiler's size\n", right,
              types.size());

  // And the 64-bit sizes, from the native types, but for what the headers
  // declare otherwise for 64-bit Windows (the C# check's list).
  if (!std::filesystem::exists(DECLARIUM_WINAPI_SIZES_64)) return;
  std::map<std::string, std::string> differ;
  for (const auto& [key, why] : Exceptions(DECLARIUM_CSHARP64_EXCEPTIONS))
    if (key.starts_with("size ")) differ[key.substr(5)] = why;
  wrong.clear();
  right = 0;
  for (const auto& [name, size] : Sizes64()) {
    const auto d = types.find(name);
    if (d == types.end() || differ.count(name)) continue;
    const auto ours = LayOutDataType(d->second, LayoutRules::C64, lookup);
    if (ours && ours->size == size)
      ++right;
    else if (wrong.size() < 2000)
      wrong += name + ": " + (ours ? std::to_string(ours->size) : std::string("unknown")) + " / " +
               std::to_string(size) + "\n";
  }
  EXPECT_EQ(wrong, "");
  std::printf("[          ] %d structures of the 64-bit compiler's size\n", right);
}

// A Type of the export: its members' type words, element counts and fixed lengths.
struct VbMember {
  std::string type;
  long long count = 1;
  long long fixedLength = 0;  // String * N
};

using VbTypes = std::map<std::string, std::vector<VbMember>>;

// The VB that lays the Types out: VB6 aligns a member on its size up to 4
// bytes, VBA in 64-bit Office up to 8, where pointers are 8 bytes.
struct VbRules {
  long long maxAlign;
  long long pointer;
};
constexpr VbRules kVb6{4, 4};
constexpr VbRules kVba64{8, 8};

class VbLayouts {
 public:
  VbLayouts(const VbTypes& types, VbRules rules) : types_(types), rules_(rules) {}

  // Size and alignment of a Type, and the bytes VB leaves unused in it (Len() does not count them).
  std::pair<long long, long long> LayOut(const std::string& name, long long& gaps) {
    if (auto it = done_.find(name); it != done_.end()) return it->second;
    done_[name] = {-1, 1};  // a Type reaching itself
    long long offset = 0, align = 1;
    for (const VbMember& m : types_.at(name)) {
      const auto unit = m.fixedLength ? std::make_optional(std::make_pair(m.fixedLength, 1LL)) : Unit(m.type);
      if (!unit || unit->first < 0) return done_[name] = {-1, 1};
      const long long a = std::min(unit->second, rules_.maxAlign);
      const long long at = (offset + a - 1) / a * a;
      gaps += at - offset;
      offset = at + unit->first * m.count;
      align = std::max(align, a);
    }
    const long long size = (offset + align - 1) / align * align;
    gaps += size - offset;
    return done_[name] = {size, align};
  }

 private:
  std::optional<std::pair<long long, long long>> Unit(const std::string& type) {
    const std::map<std::string, long long> basic = {{"Byte", 1},
                                                    {"Integer", 2},
                                                    {"Boolean", 2},
                                                    {"Long", 4},
                                                    {"Single", 4},
                                                    {"Double", 8},
                                                    {"Currency", 8},
                                                    {"Date", 8},
                                                    {"LongLong", 8},
                                                    {"String", rules_.pointer},
                                                    {"LongPtr", rules_.pointer}};
    if (auto b = basic.find(type); b != basic.end()) return std::make_pair(b->second, b->second);
    if (!types_.count(type)) return std::nullopt;
    long long inner = 0;  // gaps inside a nested Type are its own
    return LayOut(type, inner);
  }

  const VbTypes& types_;
  VbRules rules_;
  std::map<std::string, std::pair<long long, long long>> done_;
};

// The Types of a VB text, and in otherWords the type words VB does not have.
VbTypes ReadVbTypes(const std::string& text, std::string& otherWords) {
  VbTypes types;
  const std::regex member(R"(^(\w+)(?:\(([^)]*)\))? As (\S+)(?: \* (\d+))?)");
  const std::regex bound(R"(0 To (\d+))");
  std::istringstream in(text);
  std::string line, current;
  auto noteWord = [&](const std::string& word) {
    const bool ascii =
        std::all_of(word.begin(), word.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if ((!ascii || IsBasicTypeName(word, SyntaxKind::E) || IsBasicTypeName(word, SyntaxKind::CSharp)) &&
        otherWords.size() < 1000)
      otherWords += word + "\n";
  };
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with("Private Type ")) {
      current = line.substr(13, line.find(' ', 13) - 13);
      types[current];
      continue;
    }
    if (line == "End Type") {
      current.clear();
      continue;
    }
    if (current.empty()) {
      // A Declare line: every word after "As ".
      for (std::size_t at = line.find(" As "); at != std::string::npos; at = line.find(" As ", at + 4)) {
        const std::size_t end = line.find_first_of(",) ", at + 4);
        noteWord(line.substr(at + 4, end == std::string::npos ? std::string::npos : end - at - 4));
      }
      continue;
    }
    if (line.starts_with("'")) continue;  // a member VB cannot declare, told in a remark
    std::smatch m;
    EXPECT_TRUE(std::regex_search(line, m, member)) << line;
    if (m.empty()) continue;
    VbMember v;
    v.type = m[3];
    noteWord(v.type);
    const std::string bounds = m[2];
    for (auto b = std::sregex_iterator(bounds.begin(), bounds.end(), bound); b != std::sregex_iterator(); ++b)
      v.count *= std::stoll((*b)[1]) + 1;
    if (m[4].matched) v.fixedLength = std::stoll(m[4]);
    types[current].push_back(v);
  }
  return types;
}

// Compares VB's layout of every Type with the compiler's size: each must be
// that size with no gap VB leaves, unless it is listed (as "size" in the
// exceptions file for VB6, "size64" for VBA).
void ExpectCSizes(const VbTypes& types, VbRules rules, const std::map<std::string, long long>& compiler,
                  const std::string& exceptionKind) {
  std::map<std::string, std::string> exceptions;
  for (const auto& [key, why] : Exceptions())
    if (key.starts_with(exceptionKind + " ")) exceptions[key.substr(exceptionKind.size() + 1)] = why;
  std::string wrong, listedButRight;
  int right = 0, compared = 0;
  for (const auto& [name, members] : types) {
    const auto c = compiler.find(name);
    if (c == compiler.end()) continue;
    ++compared;
    long long gaps = 0;
    VbLayouts own(types, rules);  // gaps of this Type alone
    const auto vb = own.LayOut(name, gaps);
    const bool same = vb.first == c->second && gaps == 0;
    const bool listed = exceptions.count(name) != 0;
    if (same && !listed) ++right;
    if (same && listed) listedButRight += name + "\n";
    if (!same && !listed && wrong.size() < 3000)
      wrong += name + ": VB " + std::to_string(vb.first) + " (gaps " + std::to_string(gaps) + "), C " +
               std::to_string(c->second) + "\n";
  }
  EXPECT_EQ(wrong, "");
  EXPECT_EQ(listedButRight, "") << "listed as exceptions, but laid out like C: take them off the list";
  std::printf("[          ] %d of %d Types lay out in VB as in C (%zu listed exceptions)\n", right, compared,
              exceptions.size());
}

TEST_F(WinApiVb, TheExportIsVbThatLaysOutLikeC) {
  std::string otherWords;
  const VbTypes types = ReadVbTypes(ExportVb({}), otherWords);
  EXPECT_EQ(otherWords, "") << "type names VB does not have";
  std::map<std::string, long long> sizes;
  for (const auto& [name, c] : CompilerLayouts()) sizes[name] = c.size;
  ExpectCSizes(types, kVb6, sizes, "size");
}

// With VBA 7 the Types of 64-bit Office take the x86_64 compiler's sizes.
TEST_F(WinApiVb, Vba7TypesTakeThe64BitSizes) {
  if (!std::filesystem::exists(DECLARIUM_WINAPI_SIZES_64)) GTEST_SKIP() << "no 64-bit sizes";
  DeclarationStyle style;
  style.vba7 = true;
  std::string otherWords;
  const VbTypes types = ReadVbTypes(ExportVb(style), otherWords);
  EXPECT_EQ(otherWords, "") << "type names VB does not have";
  ExpectCSizes(types, kVba64, Sizes64(), "size64");
}

}  // namespace
}  // namespace declarium
