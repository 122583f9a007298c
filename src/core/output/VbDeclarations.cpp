#include "output/VbDeclarations.h"

#include <set>
#include <string_view>

#include "output/TypeNames.h"
#include "output/Vba7.h"
#include "output/VbTypes.h"
#include "text/AsciiFold.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

// A function that returns nothing is a Sub to VB: a Function would return a
// Variant the DLL never sets.
bool ReturnsNothing(const FunctionRecord& f) {
  const std::string_view type = TrimSpacesView(f.returnType);
  return type.empty() || (f.syntax == SyntaxKind::CSharp && type == "void");
}

void AppendParameterVb(std::string& out, const FunctionRecord& f, const ParameterRecord& p, const DeclarationStyle& s) {
  VbValue native;
  if (s.vba7 && Vba7Parameter(p, native)) {
    AppendTexts(out, native.byRef ? "ByRef " : "ByVal ", p.name, " As ", native.type);
    return;
  }
  AppendTexts(out, p.byRef || p.array == "1" ? "ByRef " : "ByVal ", p.name, " As ",
              MapTypeName(p.type, f.syntax, SyntaxKind::Vb));
}

// The members' names of a Type as VB compares them (regardless of case),
// made when the first padding member needs a name none of them has.
class TakenNames {
 public:
  explicit TakenNames(const DataTypeRecord& d) : d_(d) {}
  bool Has(const std::string& name) {
    if (!made_) {
      made_ = true;
      for (const ParameterRecord& m : d_.members) names_.insert(FoldAsciiLower(m.name));
    }
    return names_.count(FoldAsciiLower(name)) != 0;
  }

 private:
  const DataTypeRecord& d_;
  bool made_ = false;
  std::set<std::string> names_;
};

// A member VB writes only to keep the members after it where C puts them.
void AppendVbPadding(long long offset, long long bytes, TakenNames& taken, std::string& out) {
  std::string name = "Padding" + std::to_string(offset);
  while (taken.Has(name)) name += "_";
  AppendTexts(out, name, "(0 To ", std::to_string(bytes - 1), ") As Byte '填充：与 C 的布局对齐\r\n");
}

// Whether VB can place every member where C does: C's offsets and size fall
// on VB's alignments, which fails only where C packs tighter than VB aligns.
bool VbCanFollow(const TypeLayout& c, const std::optional<TypeLayout>& vb) {
  if (!vb || vb->members.size() != c.members.size() || c.size % vb->align != 0) return false;
  for (size_t i = 0; i < c.members.size(); ++i)
    if (c.members[i].offset % vb->members[i].align != 0) return false;
  return true;
}

// The rules a Type is laid out by: C's and those of the VB that reads it.
struct TypeRules {
  LayoutRules c;
  LayoutRules vb;
  int pack;          // what C packs the structure to (0: by default)
  int vbAlignment;   // the most VB aligns a member on
  const char* name;  // of that VB, for the remark
};

TypeRules RulesFor(const DataTypeRecord& d, const DeclarationStyle& s) {
  if (!s.vba7) return {LayoutRules::C32, LayoutRules::Vb6, PackOf(d), 4, "VB6"};
  DataTypeRecord packed;
  packed.pack = d.pack;
  // A Pack of its own for 64-bit code, where the generator found one ("pack 0": none).
  if (d.nativeType.rfind("pack ", 0) == 0) packed.pack = d.nativeType.substr(5);
  return {LayoutRules::C64, LayoutRules::Vba64, PackOf(packed), 8, "VBA"};
}

void AppendMemberVb(std::string& out, const DataTypeRecord& d, const ParameterRecord& m, const DeclarationStyle& s) {
  VbValue native;
  const bool has = s.vba7 && Vba7Member(m, native);
  std::string count = m.array;
  if (has && !native.count.empty()) count = native.count == "1" ? std::string() : native.count;
  // A member that holds an address is a Long (LongPtr) to VB.
  const std::string type = has       ? native.type
                           : m.byRef ? std::string(s.vba7 ? "LongPtr" : "Long")
                                     : MapTypeName(m.type, d.syntax, SyntaxKind::Vb);
  // VB has no array of no elements (C's trailing "x[0]"): it takes no bytes,
  // so only a remark tells of it.
  if (CountProduct(count) == 0) {
    AppendTexts(out, "'", m.name, " As ", type, "：零长数组，VB 无法声明\r\n");
    return;
  }
  out += m.name;
  if (!count.empty()) AppendTexts(out, "(", VbBoundsOfCounts(count), ")");
  AppendTexts(out, " As ", type);
  if (s.insertRemarks && !m.remark.empty()) AppendTexts(out, " '", m.remark);
  out += "\r\n";
}

}  // namespace

void FunctionVb(std::string& out, const FunctionRecord& f, const DeclarationStyle& s) {
  VbValue native;
  const bool nativeReturn = s.vba7 && Vba7Return(f, native);
  const bool sub = ReturnsNothing(f);
  out += s.isPublic ? "Public " : "Private ";
  // 64-bit Office compiles only a Declare that says it is safe there.
  out += s.vba7 ? "Declare PtrSafe " : "Declare ";
  out += sub ? "Sub " : "Function ";
  AppendTexts(out, s.namePrefix, f.name, s.nameSuffix, " Lib \"", f.library, "\" ");
  if (!f.entryPoint.empty()) AppendTexts(out, "Alias \"", f.entryPoint, "\" ");
  out += "(";
  bool first = true;
  for (const ParameterRecord& p : f.parameters) {
    if (!first) out += ", ";
    first = false;
    AppendParameterVb(out, f, p, s);
  }
  out += ")";
  if (sub) return;
  out += " As ";
  if (nativeReturn)
    out += native.type;
  else
    out += MapTypeName(f.returnType, f.syntax, SyntaxKind::Vb);
}

// VB lays a Type out by its own rules (VB6 aligns members on at most 4
// bytes, and Len() counts no gap), so the gaps C leaves are written as Byte
// members and the Type takes C's size; where C packs tighter than VB can
// align, the Type is written as it is, with a remark.
void DataTypeVb(std::string& out, const DataTypeRecord& d, const DeclarationStyle& s, const DataTypeLookup& types) {
  const TypeRules rules = RulesFor(d, s);
  std::optional<TypeLayout> c = LayOutDataType(d, rules.c, types);
  if (c && !VbCanFollow(*c, LayOutDataType(d, rules.vb, types))) c.reset();
  out += s.isPublic ? "Public " : "Private ";
  AppendTexts(out, "Type ", d.name);
  if (!c && rules.pack > 0 && rules.pack < rules.vbAlignment)
    AppendTexts(out, " '按 ", std::to_string(rules.pack), " 字节对齐，", rules.name,
                " 无法如此排列：成员位置可能与 C 不同");
  out += "\r\n";
  TakenNames taken(d);
  long long cursor = 0;
  for (size_t i = 0; i < d.members.size(); ++i) {
    if (c) {
      const MemberLayout& at = c->members[i];
      if (at.offset > cursor) AppendVbPadding(cursor, at.offset - cursor, taken, out);
      cursor = at.offset + at.size;
    }
    AppendMemberVb(out, d, d.members[i], s);
  }
  if (c && c->size > cursor) AppendVbPadding(cursor, c->size - cursor, taken, out);
  out += "End Type";
}

}  // namespace declarium
