#include "apigen/HeaderScan.h"

#include <clang-c/Index.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>
#include <tuple>
#include <unordered_set>
#include <utility>

#include "apigen/ClangTypes.h"
#include "apigen/MacroValues.h"
#include "output/Layout.h"

namespace declarium::apigen {

namespace {

struct FileFilter {
  std::filesystem::path root;  // canonical include folder
  std::unordered_map<void*, std::optional<std::string>> byFile;

  // The file's name below the include folder, or nothing for other files.
  const std::optional<std::string>& HeaderOf(CXCursor c) {
    static const std::optional<std::string> none;
    CXFile file = nullptr;
    clang_getExpansionLocation(clang_getCursorLocation(c), &file, nullptr, nullptr, nullptr);
    if (!file) return none;
    auto it = byFile.find(file);
    if (it != byFile.end()) return it->second;
    std::optional<std::string> header;
    std::error_code ec;
    const std::filesystem::path path = std::filesystem::weakly_canonical(Take(clang_getFileName(file)), ec);
    if (!ec) {
      const std::filesystem::path relative = path.lexically_relative(root);
      if (!relative.empty() && *relative.begin() != "..") header = relative.generic_string();
    }
    return byFile.emplace(file, std::move(header)).first->second;
  }
};

struct NameChoice {
  std::string name;
  int rank = 0;  // 3: typedef that defines the structure, 2: first typedef, 1: tag
};

class Scanner {
 public:
  Scanner(FileFilter& files, HeaderCatalogue& out) : files_(files), out_(out) {}

  void Collect(CXTranslationUnit tu) {
    VisitChildren(clang_getTranslationUnitCursor(tu), [this](CXCursor c, CXCursor) { return CollectOne(c); });
    DecideNames();
    for (const CXCursor& s : structs_) BuildStruct(s);
    for (const CXCursor& f : functionCursors_) BuildFunction(f);
  }

  // Object-like macros whose replacement looks like an integer expression.
  using Macro = MacroDefinition;
  const std::vector<Macro>& macros() const { return macros_; }
  std::unordered_set<std::string>& constantNames() { return constantNames_; }

 private:
  CXChildVisitResult CollectOne(CXCursor c) {
    switch (clang_getCursorKind(c)) {
      case CXCursor_FunctionDecl: CollectFunction(c); return CXChildVisit_Continue;
      case CXCursor_StructDecl:
        if (clang_isCursorDefinition(c) && files_.HeaderOf(c)) {
          const std::string usr = Take(clang_getCursorUSR(c));
          if (seenStructs_.insert(usr).second) structs_.push_back(c);
          const std::string tag = Spelling(c);
          if (!tag.empty() && !clang_Cursor_isAnonymous(c)) Offer(usr, tag, 1);
        }
        return CXChildVisit_Recurse;
      case CXCursor_TypedefDecl: CollectTypedef(c); return CXChildVisit_Recurse;
      case CXCursor_EnumConstantDecl: CollectEnumerator(c); return CXChildVisit_Continue;
      case CXCursor_MacroDefinition: CollectMacro(c); return CXChildVisit_Continue;
      case CXCursor_UnionDecl:
      case CXCursor_EnumDecl:
      case CXCursor_LinkageSpec:
      case CXCursor_UnexposedDecl: return CXChildVisit_Recurse;
      default: return CXChildVisit_Continue;
    }
  }

  void Offer(const std::string& usr, const std::string& name, int rank) {
    NameChoice& choice = names_[usr];
    if (rank > choice.rank) choice = {name, rank};
  }

  void CollectTypedef(CXCursor c) {
    CXType t = clang_getTypedefDeclUnderlyingType(c);
    while (t.kind == CXType_Elaborated || t.kind == CXType_Attributed) {
      t = t.kind == CXType_Elaborated ? clang_Type_getNamedType(t) : clang_Type_getModifiedType(t);
    }
    if (t.kind != CXType_Record) return;
    const CXCursor decl = clang_getTypeDeclaration(t);
    if (clang_getCursorKind(decl) != CXCursor_StructDecl) return;
    const std::string usr = Take(clang_getCursorUSR(decl));
    bool definesIt = false;
    VisitChildren(c, [&](CXCursor child, CXCursor) {
      if (clang_getCursorKind(child) == CXCursor_StructDecl && clang_isCursorDefinition(child)) definesIt = true;
      return CXChildVisit_Continue;
    });
    Offer(usr, Spelling(c), definesIt ? 3 : 2);
  }

  void CollectFunction(CXCursor c) {
    if (clang_Cursor_getStorageClass(c) == CX_SC_Static) return;
    if (!files_.HeaderOf(c)) return;
    if (seenFunctions_.insert(Spelling(c)).second) functionCursors_.push_back(c);
  }

  void CollectEnumerator(CXCursor c) {
    const auto& header = files_.HeaderOf(c);
    if (!header) return;
    std::string name = Spelling(c);
    if (name.empty() || !constantNames_.insert(name).second) return;
    const CXType integer = clang_getEnumDeclIntegerType(clang_getCursorSemanticParent(c));
    const bool isUnsigned = IsUnsignedKind(clang_getCanonicalType(integer).kind);
    const unsigned long long bits = isUnsigned ? clang_getEnumConstantDeclUnsignedValue(c)
                                               : static_cast<unsigned long long>(clang_getEnumConstantDeclValue(c));
    ConstantRecord k = IntegerConstant(std::move(name), bits, isUnsigned, static_cast<int>(SizeOf(integer)));
    k.remark = *header;
    out_.constants.push_back(std::move(k));
  }

  void CollectMacro(CXCursor c) {
    if (clang_Cursor_isMacroFunctionLike(c) || clang_Cursor_isMacroBuiltin(c)) return;
    const auto& header = files_.HeaderOf(c);
    if (!header) return;
    const std::string name = Spelling(c);
    if (name.size() < 2 || name.compare(0, 2, "__") == 0) return;
    if (!LooksLikeExpression(c)) return;
    macros_.push_back({name, *header});
  }

  // Only literals, names and the operators of integer expressions, with
  // balanced parentheses: anything else (braces, strings, semicolons) could
  // derail the translation unit that evaluates the macros.
  static bool LooksLikeExpression(CXCursor c) {
    CXTranslationUnit tu = clang_Cursor_getTranslationUnit(c);
    const Tokens tokens(tu, clang_getCursorExtent(c));
    const unsigned count = tokens.size();
    static const std::set<std::string> operators = {"(", ")", "+", "-", "*",  "/",  "%",  "<<", ">>", "&",  "|", "^",
                                                    "~", "!", "<", ">", "<=", ">=", "==", "!=", "&&", "||", "?", ":"};
    bool ok = count > 1;
    int depth = 0;
    for (unsigned i = 1; ok && i < count; ++i) {
      const CXTokenKind kind = clang_getTokenKind(tokens[i]);
      if (kind == CXToken_Comment) continue;
      const std::string text = Take(clang_getTokenSpelling(tu, tokens[i]));
      if (kind == CXToken_Punctuation) {
        if (!operators.count(text)) ok = false;
        if (text == "(") ++depth;
        if (text == ")" && --depth < 0) ok = false;
      } else if (kind == CXToken_Literal) {
        if (text.find('"') != std::string::npos) ok = false;
      }
    }
    if (depth != 0) ok = false;
    return ok;
  }

  // A COM interface as C sees it: one member, lpVtbl, pointing to the
  // structure of its methods. Both are left out: a COM object is an address
  // (整数型) to the E syntax, and a table of method addresses is no
  // structure anyone fills. Gives the USR of the method table, or empty.
  static std::string MethodTableOf(CXCursor s) {
    int fields = 0;
    std::string table;
    VisitChildren(s, [&](CXCursor c, CXCursor) {
      if (clang_getCursorKind(c) != CXCursor_FieldDecl) return CXChildVisit_Continue;
      ++fields;
      const Peeled p = Peel(clang_getCursorType(c));
      if (Spelling(c) != "lpVtbl" || p.type.kind != CXType_Pointer) return CXChildVisit_Break;
      const Peeled target = Peel(clang_getPointeeType(p.type));
      if (target.type.kind == CXType_Record) table = Take(clang_getCursorUSR(clang_getTypeDeclaration(target.type)));
      return CXChildVisit_Continue;
    });
    return fields == 1 ? table : std::string();
  }

  void DecideNames() {
    std::unordered_set<std::string> comParts;
    for (const CXCursor& s : structs_) {
      const std::string table = MethodTableOf(s);
      if (table.empty()) continue;
      comParts.insert(table);
      comParts.insert(Take(clang_getCursorUSR(s)));
    }
    for (const CXCursor& s : structs_) {
      const std::string usr = Take(clang_getCursorUSR(s));
      if (comParts.count(usr)) continue;
      const auto it = names_.find(usr);
      if (it == names_.end() || it->second.name.compare(0, 2, "__") == 0) continue;
      structName_[usr] = it->second.name;
    }
  }

  // The catalogue name of a structure type, or empty when it has none.
  std::string StructName(CXType record) {
    const CXCursor decl = clang_getTypeDeclaration(record);
    const auto it = structName_.find(Take(clang_getCursorUSR(decl)));
    return it == structName_.end() ? std::string() : it->second;
  }

  // The native type (store/NativeTypes.h) of a value of type t, the kind
  // following what the value is in C, with the type as the headers spell it.
  // Empty for what has no kind of its own (void, a union kept by its size).
  std::string NativeOf(CXType t) {
    const std::string kind = NativeKindOf(Peel(t));
    if (kind.empty()) return {};
    return kind + " " + Take(clang_getTypeSpelling(t));
  }

  std::string NativeKindOf(const Peeled& p) {
    const CXTypeKind k = p.type.kind;
    if (k == CXType_Void) return {};
    if (IsArray(p.type)) return "ptr";
    if (k == CXType_Pointer || k == CXType_BlockPointer) {
      const CXType pointee = clang_getPointeeType(p.type);
      const bool readOnly = clang_isConstQualifiedType(pointee) != 0;
      const Peeled q = Peel(pointee);
      const CXTypeKind qk = q.type.kind;
      if (IsPlainChar(q.type) && !q.isWide) return readOnly ? "astr" : "abuf";
      if (q.isWide || qk == CXType_WChar) return readOnly ? "wstr" : "wbuf";
      if (qk == CXType_Pointer || qk == CXType_BlockPointer) return "&ptr";
      if (qk == CXType_Record) {
        const long long size = SizeOf(q.type);
        if (IsUnion(q.type))
          return size == 1 || size == 2 || size == 4 || size == 8 ? "&" + IntegerKindOfSize(size, false) : "ptr";
        return size > 0 && !StructName(q.type).empty() ? "&rec" : "ptr";
      }
      const std::string scalar = ScalarKind(q);
      return scalar.empty() ? "ptr" : "&" + scalar;
    }
    if (k == CXType_Record) {
      if (HoldsAPointer(p.type)) return "iptr";
      if (IsUnion(p.type) || StructName(p.type).empty()) {
        const long long size = SizeOf(p.type);
        return size == 1 || size == 2 || size == 4 || size == 8 ? IntegerKindOfSize(size, false) : std::string();
      }
      return "rec";
    }
    return ScalarKind(p);
  }

  // --- structures ---------------------------------------------------------

  struct MemberList {
    CXType top{};  // the structure the members are laid out in, anonymous ones flattened into it
    std::vector<ParameterRecord> members;
    std::vector<long long> offsets;  // each member's, in bytes, as the compiler places it (-1: unknown)
    std::vector<std::string> notes;
    long long maxAlign = 1;
    // the bit-field group being filled
    bool inGroup = false;
    bool groupNamed = false;
    long long groupStart = 0;
    long long groupUnit = 0;
  };

  void BuildStruct(CXCursor s) {
    const auto it = structName_.find(Take(clang_getCursorUSR(s)));
    if (it == structName_.end()) return;
    AddDataType(s, it->second, *files_.HeaderOf(s));
  }

  // Adds the data type (after any it needs of its own); false when it has no
  // member or the name is taken.
  bool AddDataType(CXCursor s, const std::string& name, const std::string& header) {
    if (!dataTypeNames_.insert(name).second) return false;
    MemberList list;
    list.top = clang_getCursorType(s);
    AddFields(s, name, list);
    if (list.members.empty()) return false;
    out_.offsets[name] = list.offsets;
    DataTypeRecord d;
    d.name = name;
    d.remark = header;
    for (const std::string& note : list.notes) d.remark += "；" + note;
    const long long align = clang_Type_getAlignOf(clang_getCursorType(s));
    if (align > 0 && align < list.maxAlign) d.pack = std::to_string(align);
    d.members = std::move(list.members);
    out_.layouts[name] = {SizeOf(clang_getCursorType(s)), align};
    out_.dataTypes.push_back(std::move(d));
    return true;
  }

  void AddFields(CXCursor record, const std::string& owner, MemberList& list) {
    VisitChildren(record, [&](CXCursor c, CXCursor) {
      const CXCursorKind kind = clang_getCursorKind(c);
      if (kind == CXCursor_FieldDecl) {
        AddField(c, owner, list);
      } else if ((kind == CXCursor_StructDecl || kind == CXCursor_UnionDecl) && clang_Cursor_isAnonymousRecordDecl(c)) {
        list.inGroup = false;
        const CXType type = clang_getCursorType(c);
        list.maxAlign = std::max(list.maxAlign, clang_Type_getAlignOf(type));
        if (kind == CXCursor_StructDecl) {
          AddFields(c, owner, list);
          list.inGroup = false;
        } else {
          AddUnion(FirstFieldName(c), type, 1, false, list);
        }
      }
      return CXChildVisit_Continue;
    });
  }

  static std::string FirstFieldName(CXCursor record) {
    std::string name;
    VisitChildren(record, [&](CXCursor c, CXCursor) {
      if (clang_getCursorKind(c) == CXCursor_FieldDecl) {
        name = Spelling(c);
        if (!name.empty()) return CXChildVisit_Break;
      } else if (clang_Cursor_isAnonymousRecordDecl(c)) {
        name = FirstFieldName(c);
        if (!name.empty()) return CXChildVisit_Break;
      }
      return CXChildVisit_Continue;
    });
    return name.empty() ? "u" : name;
  }

  // A member kept by its size only: integers of the type's alignment, as
  // many as cover it, so the members after it keep their offsets.
  void AddUnion(const std::string& name, CXType type, long long count, bool declaredArray, MemberList& list) {
    const long long size = std::max(SizeOf(type), 1LL);
    long long unit = std::min(std::max(clang_Type_getAlignOf(type), 1LL), 8LL);
    while (size % unit != 0) unit /= 2;
    ParameterRecord m;
    m.name = name;
    m.remark = "联合";
    m.type = IntegerOfSize(unit);
    if (size / unit > 1) {
      count *= size / unit;
      declaredArray = true;
    }
    if (declaredArray) m.array = std::to_string(count);
    if (size / unit == 1 && HoldsAPointer(type)) m.nativeType = "ptr " + Take(clang_getTypeSpelling(type));
    list.members.push_back(std::move(m));
    list.offsets.push_back(OffsetOf(list, name, -1));
  }

  // Whether a union is one pointer wide because of a pointer (or a
  // pointer-sized integer) in it, so that it is an IntPtr in 64-bit code too.
  static bool HoldsAPointer(CXType type) {
    const Peeled u = Peel(type);
    if (!IsUnion(u.type) || SizeOf(u.type) != 4) return false;
    bool pointer = false, larger = false;
    VisitChildren(clang_getTypeDeclaration(u.type), [&](CXCursor c, CXCursor) {
      if (clang_getCursorKind(c) != CXCursor_FieldDecl) return CXChildVisit_Continue;
      const Peeled f = Peel(clang_getCursorType(c));
      if (f.type.kind == CXType_Pointer || f.isPointerSized) pointer = true;
      if (SizeOf(f.type) > 4 || IsArray(f.type) || f.type.kind == CXType_Record) larger = true;
      return CXChildVisit_Continue;
    });
    return pointer && !larger;
  }

  void AddBitField(CXCursor c, const std::string& name, CXType type, MemberList& list) {
    const int width = clang_getFieldDeclBitWidth(c);
    if (width <= 0) {  // ":0" closes the storage unit
      list.inGroup = false;
      return;
    }
    const long long unit = SizeOf(type) * 8;
    const long long offset = clang_Cursor_getOffsetOfField(c);
    const long long start = unit > 0 && offset >= 0 ? offset - offset % unit : offset;
    if (!list.inGroup || list.groupStart != start || list.groupUnit != unit) {
      ParameterRecord m;
      m.type = ScalarType(Peel(type));
      if (m.type.empty()) m.type = IntegerOfSize(SizeOf(type));
      m.nativeType = NativeOf(type);
      m.remark = "位域：";
      list.members.push_back(std::move(m));
      const long long at = name.empty() ? -1 : clang_Type_getOffsetOf(list.top, name.c_str());
      list.offsets.push_back(at >= 0 && unit > 0 ? (at - at % unit) / 8 : (start >= 0 ? start / 8 : -1));
      list.inGroup = true;
      list.groupNamed = false;
      list.groupStart = start;
      list.groupUnit = unit;
    } else {
      list.members.back().remark += "，";
    }
    ParameterRecord& m = list.members.back();
    if (!list.groupNamed && !name.empty()) {
      m.name = name;
      list.groupNamed = true;
    }
    if (m.name.empty()) m.name = "bits" + std::to_string(std::max(start, 0LL) / 8);
    m.remark += (name.empty() ? "(未命名)" : name) + ":" + std::to_string(width);
  }

  void AddField(CXCursor c, const std::string& owner, MemberList& list) {
    const std::string name = Spelling(c);
    const CXType fieldType = clang_getCursorType(c);
    list.maxAlign = std::max(list.maxAlign, clang_Type_getAlignOf(fieldType));
    if (clang_Cursor_isBitField(c)) {
      AddBitField(c, name, fieldType, list);
      return;
    }
    list.inGroup = false;

    Peeled p = Peel(fieldType);
    CXType element = fieldType;
    long long count = 1;
    bool declaredArray = false;
    while (IsArray(p.type)) {
      if (p.type.kind != CXType_ConstantArray) {
        list.notes.push_back("未列出末尾的变长数组 " + name);
        return;
      }
      count *= clang_getArraySize(p.type);
      declaredArray = true;
      element = clang_getArrayElementType(p.type);
      p = Peel(element);
    }

    ParameterRecord m;
    m.name = name;
    m.nativeType = NativeOf(element);
    if (p.type.kind == CXType_Pointer || p.type.kind == CXType_BlockPointer) {
      const Peeled pointee = Peel(clang_getPointeeType(p.type));
      m.type = !declaredArray && IsPlainChar(pointee.type) && !pointee.isWide ? kText : kInteger;
    } else if (IsUnion(p.type)) {
      AddUnion(name, p.type, count, declaredArray, list);
      return;
    } else if (p.type.kind == CXType_Record) {
      m.type = StructName(p.type);
      if (m.type.empty()) {
        // A member of an unnamed structure type: that type gets a name of its own.
        const std::string nested = owner + "_" + name;
        const CXCursor decl = clang_getTypeDeclaration(p.type);
        if (AddDataType(decl, nested, *files_.HeaderOf(c))) m.type = nested;
      }
      if (!m.type.empty()) m.nativeType = "rec " + Take(clang_getTypeSpelling(element));
      if (m.type.empty()) {
        AddUnion(name, p.type, count, declaredArray, list);
        list.members.back().remark.clear();
        return;
      }
    } else if (p.type.kind == CXType_Vector || p.type.kind == CXType_LongDouble) {
      AddUnion(name, p.type, count, declaredArray, list);
      list.members.back().remark.clear();
      return;
    } else {
      m.type = ScalarType(p);
      if (m.type.empty()) m.type = kInteger;
    }
    if (declaredArray) m.array = std::to_string(count);
    list.members.push_back(std::move(m));
    list.offsets.push_back(OffsetOf(list, name, clang_Cursor_getOffsetOfField(c)));
  }

  // A member's offset in bytes from the start of the structure the list is
  // for: by name, which reaches into anonymous members as offsetof does, else
  // the field's own offset in bits (relative to its record), else -1.
  static long long OffsetOf(const MemberList& list, const std::string& name, long long fieldBits) {
    const long long bits = name.empty() ? -1 : clang_Type_getOffsetOf(list.top, name.c_str());
    if (bits >= 0) return bits / 8;
    return fieldBits >= 0 ? fieldBits / 8 : -1;
  }

  // --- functions ----------------------------------------------------------

  struct Mapped {
    Mapped(std::string t = {}, bool r = false, std::string why = {})
        : type(std::move(t)), byRef(r), remark(std::move(why)) {}
    std::string type;
    bool byRef;
    std::string remark;
  };

  Mapped MapPointer(CXType pointer) {
    const Peeled q = Peel(clang_getPointeeType(pointer));
    const CXTypeKind k = q.type.kind;
    if (IsPlainChar(q.type) && !q.isWide) return {kText};
    if (q.isWide || k == CXType_Void || k == CXType_FunctionProto || k == CXType_FunctionNoProto || IsArray(q.type))
      return {kInteger};
    if (k == CXType_Pointer || k == CXType_BlockPointer) return {kInteger, true};
    if (k == CXType_Record) {
      const long long size = SizeOf(q.type);
      if (IsUnion(q.type)) {
        if (size == 1 || size == 2 || size == 4 || size == 8) return {IntegerOfSize(size), true};
        return {kInteger};
      }
      const std::string name = StructName(q.type);
      if (size <= 0 || name.empty()) return {kInteger};
      return {name, true};
    }
    const std::string scalar = ScalarType(q);
    if (!scalar.empty()) return {scalar, true};
    return {kInteger};
  }

  Mapped MapValue(CXType t, bool isReturn) {
    const Peeled p = Peel(t);
    const CXTypeKind k = p.type.kind;
    if (k == CXType_Void) return {};
    if (IsArray(p.type)) return {kInteger};
    if (k == CXType_Pointer || k == CXType_BlockPointer) {
      Mapped m = MapPointer(p.type);
      if (isReturn && m.type != kText) return {kInteger};
      return m;
    }
    if (k == CXType_Record) {
      const long long size = SizeOf(p.type);
      if (IsUnion(p.type) || StructName(p.type).empty())
        return {size == 1 || size == 2 || size == 8 ? IntegerOfSize(size) : kInteger};
      return {StructName(p.type), false, "结构按值传递"};
    }
    const std::string scalar = ScalarType(p);
    return {scalar.empty() ? std::string(kInteger) : scalar};
  }

  void BuildFunction(CXCursor c) {
    DeclaredFunction f;
    f.header = *files_.HeaderOf(c);
    f.record.name = Spelling(c);
    const CXType type = clang_getCursorType(c);
    f.record.returnType = MapValue(clang_getResultType(type), true).type;
    f.record.returnNativeType = NativeOf(clang_getResultType(type));
    f.sizes.push_back(std::max(0LL, SizeOf(clang_getResultType(type))));
    switch (clang_getFunctionTypeCallingConv(type)) {
      case CXCallingConv_C: f.record.callingConvention = "CallingConvention.Cdecl"; break;
      case CXCallingConv_X86FastCall: f.record.callingConvention = "CallingConvention.FastCall"; break;
      case CXCallingConv_X86ThisCall: f.record.callingConvention = "CallingConvention.ThisCall"; break;
      default:  // stdcall is what a DLL command is called with anyway
        break;
    }
    f.variadic = type.kind == CXType_FunctionProto && clang_isFunctionTypeVariadic(type);
    const int count = clang_Cursor_getNumArguments(c);
    for (int i = 0; i < count; ++i) {
      const CXCursor arg = clang_Cursor_getArgument(c, static_cast<unsigned>(i));
      ParameterRecord p;
      p.name = Spelling(arg);
      if (p.name.empty()) p.name = "p" + std::to_string(i + 1);
      const Mapped m = MapValue(clang_getCursorType(arg), false);
      p.nativeType = NativeOf(clang_getCursorType(arg));
      // C passes an array parameter as a pointer: -1 stands for its size.
      f.sizes.push_back(IsArray(Peel(clang_getCursorType(arg)).type) ? -1 : SizeOf(clang_getCursorType(arg)));
      p.type = m.type;
      p.byRef = m.byRef;
      p.remark = m.remark;
      f.record.parameters.push_back(std::move(p));
    }
    f.record.remark = f.header;
    if (f.variadic) f.record.remark += "；参数个数可变，只列出固定的参数";
    out_.functions.push_back(std::move(f));
  }

  FileFilter& files_;
  HeaderCatalogue& out_;
  std::vector<CXCursor> structs_;
  std::unordered_set<std::string> seenStructs_;
  std::unordered_map<std::string, NameChoice> names_;
  std::unordered_map<std::string, std::string> structName_;
  std::unordered_set<std::string> dataTypeNames_;
  std::vector<CXCursor> functionCursors_;
  std::unordered_set<std::string> seenFunctions_;
  std::unordered_set<std::string> constantNames_;
  std::vector<Macro> macros_;
};

void CountErrors(CXTranslationUnit tu, HeaderCatalogue& out) {
  const unsigned n = clang_getNumDiagnostics(tu);
  for (unsigned i = 0; i < n; ++i) {
    const DiagnosticPtr d(clang_getDiagnostic(tu, i));
    if (clang_getDiagnosticSeverity(d.get()) >= CXDiagnostic_Error) {
      ++out.errors;
      if (out.firstErrors.size() < 10)
        out.firstErrors.push_back(Take(clang_formatDiagnostic(d.get(), clang_defaultDiagnosticDisplayOptions())));
    }
  }
}


}  // namespace

std::optional<std::pair<long long, long long>> RecordLayout(
    const std::string& name, const std::map<std::string, const DataTypeRecord*>& byName) {
  const DataTypeLookup lookup = [&byName](std::string_view n) -> const DataTypeRecord* {
    const auto it = byName.find(std::string(n));
    return it == byName.end() ? nullptr : it->second;
  };
  const DataTypeRecord* d = lookup(name);
  if (!d) return std::nullopt;
  const auto layout = LayOutDataType(*d, LayoutRules::C32, lookup);
  if (!layout) return std::nullopt;
  return std::make_pair(layout->size, layout->align);
}

std::vector<std::string> DefaultCompilerArguments(const std::filesystem::path& includeDir,
                                                  const std::filesystem::path& resourceDir, const std::string& target) {
  std::vector<std::string> args = {
      "-x", "c", "-std=gnu11", "-target", target, "-isystem", includeDir.string(), "-w", "-ferror-limit=0"};
  if (!resourceDir.empty()) {
    args.push_back("-resource-dir");
    args.push_back(resourceDir.string());
  }
  return args;
}


bool ScanHeaders(const ScanSettings& settings, HeaderCatalogue& out, std::string& error) {
  IndexPtr index(clang_createIndex(0, 0));
  if (!index) {
    error = "libclang cannot make an index";
    return false;
  }
  FileFilter files;
  std::error_code ec;
  files.root = std::filesystem::weakly_canonical(settings.includeDir, ec);
  if (ec) files.root = settings.includeDir;

  UnitPtr tu = Parse(index.get(), settings.mainFile.string(), settings.arguments, nullptr, 0,
                     CXTranslationUnit_DetailedPreprocessingRecord | CXTranslationUnit_SkipFunctionBodies |
                         CXTranslationUnit_KeepGoing,
                     error);
  if (!tu) return false;
  CountErrors(tu.get(), out);
  Scanner scanner(files, out);
  scanner.Collect(tu.get());
  const std::vector<Scanner::Macro> macros = scanner.macros();
  std::unordered_set<std::string> names = scanner.constantNames();
  tu.reset();
  if (!settings.constants) return true;
  return EvaluateMacros(index.get(), settings, macros, names, out, error);
}

}  // namespace declarium::apigen
