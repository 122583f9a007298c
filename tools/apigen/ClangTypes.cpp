#include "apigen/ClangTypes.h"

namespace declarium::apigen {

namespace {

// The typedef names that say an integer is as wide as a pointer (WPARAM,
// LPARAM and LRESULT are made of UINT_PTR and LONG_PTR, SIZE_T of ULONG_PTR);
// HALF_PTR is half of one.
bool NamesPointerSized(const std::string& name) {
  static const char* const kNames[] = {"size_t", "ssize_t", "ptrdiff_t", "intptr_t", "uintptr_t", "rsize_t",
                                       "SIZE_T", "SSIZE_T", "WPARAM",    "LPARAM",   "LRESULT"};
  for (const char* n : kNames)
    if (name == n) return true;
  return name.size() > 4 && name.compare(name.size() - 4, 4, "_PTR") == 0 && name.find("HALF_PTR") == std::string::npos;
}

}  // namespace

Peeled Peel(CXType t) {
  Peeled p{t, false, false, false, {}};
  for (int guard = 0; guard < 64; ++guard) {
    if (p.type.kind == CXType_Elaborated) {
      p.type = clang_Type_getNamedType(p.type);
    } else if (p.type.kind == CXType_Attributed) {
      p.type = clang_Type_getModifiedType(p.type);
    } else if (p.type.kind == CXType_Typedef) {
      const std::string name = Take(clang_getTypedefName(p.type));
      if (name == "BOOL" || name == "WINBOOL") p.isBool = true;
      if (name == "WCHAR" || name == "wchar_t") p.isWide = true;
      if (NamesPointerSized(name)) p.isPointerSized = true;
      if (p.firstTypedef.empty()) p.firstTypedef = name;
      p.type = clang_getTypedefDeclUnderlyingType(clang_getTypeDeclaration(p.type));
    } else if (p.type.kind == CXType_Unexposed) {
      const CXType canonical = clang_getCanonicalType(p.type);
      if (canonical.kind == CXType_Unexposed) break;
      p.type = canonical;
    } else {
      break;
    }
  }
  return p;
}

bool IsPlainChar(CXType t) { return t.kind == CXType_Char_S || t.kind == CXType_Char_U; }

bool IsArray(CXType t) {
  return t.kind == CXType_ConstantArray || t.kind == CXType_IncompleteArray || t.kind == CXType_VariableArray ||
         t.kind == CXType_DependentSizedArray;
}

bool IsUnion(CXType t) {
  return t.kind == CXType_Record && clang_getCursorKind(clang_getTypeDeclaration(t)) == CXCursor_UnionDecl;
}

bool IsUnsignedKind(CXTypeKind k) {
  switch (k) {
    case CXType_Bool:
    case CXType_Char_U:
    case CXType_UChar:
    case CXType_Char16:
    case CXType_Char32:
    case CXType_UShort:
    case CXType_UInt:
    case CXType_ULong:
    case CXType_ULongLong:
    case CXType_UInt128: return true;
    default: return false;
  }
}

bool IsIntegerKind(CXTypeKind k) { return (k >= CXType_Bool && k <= CXType_Int128) || k == CXType_Enum; }

// The E type of an integer of this many bytes.
const char* IntegerOfSize(long long bytes) {
  switch (bytes) {
    case 1: return kByte;
    case 2: return kShort;
    case 8: return kLong;
    default: return kInteger;
  }
}

// The E type of a number, a BOOL or an enum; empty for anything else.
std::string ScalarType(const Peeled& p) {
  const CXTypeKind k = p.type.kind;
  if (k == CXType_Float) return kFloat;
  if (k == CXType_Double || k == CXType_LongDouble) return kDouble;
  if (IsIntegerKind(k)) {
    const long long size = SizeOf(p.type);
    if (size == 4 && p.isBool) return kBool;
    return IntegerOfSize(size);
  }
  return {};
}

std::string IntegerKindOfSize(long long bytes, bool isUnsigned) {
  const char* size = bytes == 1 ? "1" : bytes == 2 ? "2" : bytes == 8 ? "8" : "4";
  return std::string(isUnsigned ? "u" : "i") + size;
}

std::string ScalarKind(const Peeled& p) {
  const CXTypeKind k = p.type.kind;
  if (k == CXType_Float) return "f4";
  if (k == CXType_Double) return "f8";
  if (!IsIntegerKind(k)) return {};
  const long long size = SizeOf(p.type);
  CXTypeKind sign = k;
  if (k == CXType_Enum)
    sign = clang_getCanonicalType(clang_getEnumDeclIntegerType(clang_getTypeDeclaration(p.type))).kind;
  const bool isUnsigned = IsUnsignedKind(sign);
  // WPARAM is unsigned, but .NET passes it as an IntPtr (Message.WParam),
  // as everyone's SendMessage declarations do.
  if (p.isPointerSized) return isUnsigned && p.firstTypedef != "WPARAM" ? "uptr" : "iptr";
  if (size == 4 && p.isBool) return "bool";
  if (IsPlainChar(p.type)) return "c1";
  return IntegerKindOfSize(size, isUnsigned);
}

UnitPtr Parse(CXIndex index, const std::string& file, const std::vector<std::string>& arguments, CXUnsavedFile* unsaved,
              unsigned unsavedCount, unsigned options, std::string& error) {
  std::vector<const char*> args;
  for (const std::string& a : arguments) args.push_back(a.c_str());
  CXTranslationUnit tu = nullptr;
  const CXErrorCode code = clang_parseTranslationUnit2(index, file.c_str(), args.data(), static_cast<int>(args.size()),
                                                       unsaved, unsavedCount, options, &tu);
  if (code != CXError_Success || !tu) {
    error = "libclang cannot parse " + file + " (error " + std::to_string(code) + ")";
    return nullptr;
  }
  return UnitPtr(tu);
}

}  // namespace declarium::apigen
