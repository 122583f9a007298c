#include "apigen/MacroValues.h"

#include <cstdio>
#include <filesystem>
#include <unordered_map>

#include "apigen/ClangTypes.h"

namespace declarium::apigen {

bool EvaluateMacros(CXIndex index, const ScanSettings& settings, const std::vector<MacroDefinition>& macros,
                    std::unordered_set<std::string>& names, HeaderCatalogue& out, std::string& error) {
  std::string text = "#include \"" + std::filesystem::absolute(settings.mainFile).string() + "\"\n";
  std::vector<std::size_t> wanted;
  for (std::size_t i = 0; i < macros.size(); ++i) {
    if (names.count(macros[i].name)) continue;
    wanted.push_back(i);
    const std::string n = std::to_string(i);
    const std::string& m = macros[i].name;
    text += "static const __typeof__((" + m + ")) __apigen_t" + n + " = (" + m + ");\n";
    text += "static const long __apigen_p" + n + " = (long)(" + m + ");\n";
  }
  out.macrosTried = static_cast<int>(wanted.size());
  const std::string file =
      (std::filesystem::absolute(settings.mainFile).parent_path() / "apigen_macro_values.c").string();
  CXUnsavedFile unsaved{file.c_str(), text.c_str(), static_cast<unsigned long>(text.size())};
  UnitPtr tu = Parse(index, file, settings.arguments, &unsaved, 1,
                     CXTranslationUnit_SkipFunctionBodies | CXTranslationUnit_KeepGoing, error);
  if (!tu) return false;

  struct Value {
    bool typed = false;
    bool pointer = false;
    bool isUnsigned = false;
    int bytes = 4;
    unsigned long long bits = 0;
    bool hasBits = false;
    unsigned long long pointerBits = 0;
    bool hasPointerBits = false;
  };
  std::unordered_map<std::size_t, Value> values;
  CXFile mainFile = clang_getFile(tu.get(), file.c_str());
  VisitChildren(clang_getTranslationUnitCursor(tu.get()), [&](CXCursor c, CXCursor) {
    if (clang_getCursorKind(c) != CXCursor_VarDecl) return CXChildVisit_Continue;
    CXFile where = nullptr;
    clang_getExpansionLocation(clang_getCursorLocation(c), &where, nullptr, nullptr, nullptr);
    if (!where || !clang_File_isEqual(where, mainFile)) return CXChildVisit_Continue;
    const std::string name = Spelling(c);
    if (name.compare(0, 9, "__apigen_") != 0 || name.size() < 11) return CXChildVisit_Continue;
    const bool isTyped = name[9] == 't';
    const std::size_t i = std::strtoul(name.c_str() + 10, nullptr, 10);
    Value& v = values[i];
    if (isTyped) {
      const Peeled p = Peel(clang_getCursorType(c));
      CXType t = clang_getCanonicalType(p.type);
      if (t.kind == CXType_Pointer) {
        v.typed = v.pointer = true;
        return CXChildVisit_Continue;
      }
      if (!IsIntegerKind(t.kind)) return CXChildVisit_Continue;
      v.typed = true;
      v.bytes = static_cast<int>(SizeOf(t));
      v.isUnsigned =
          IsUnsignedKind(t.kind) ||
          (t.kind == CXType_Enum &&
           IsUnsignedKind(clang_getCanonicalType(clang_getEnumDeclIntegerType(clang_getTypeDeclaration(t))).kind));
    }
    CXEvalResult r = clang_Cursor_Evaluate(c);
    if (!r) return CXChildVisit_Continue;
    if (clang_EvalResult_getKind(r) == CXEval_Int) {
      const unsigned long long bits = clang_EvalResult_isUnsignedInt(r)
                                          ? clang_EvalResult_getAsUnsigned(r)
                                          : static_cast<unsigned long long>(clang_EvalResult_getAsLongLong(r));
      if (isTyped) {
        v.bits = bits;
        v.hasBits = true;
      } else {
        v.pointerBits = bits;
        v.hasPointerBits = true;
      }
    }
    clang_EvalResult_dispose(r);
    return CXChildVisit_Continue;
  });

  for (std::size_t i : wanted) {
    const auto it = values.find(i);
    if (it == values.end() || !it->second.typed) continue;
    const Value& v = it->second;
    const MacroDefinition& m = macros[i];
    std::optional<ConstantRecord> k;
    if (v.pointer && v.hasPointerBits) {
      k = IntegerConstant(m.name, v.pointerBits, false, 4);
    } else if (!v.pointer && v.hasBits) {
      k = IntegerConstant(m.name, v.bits, v.isUnsigned, v.bytes);
    }
    if (!k || !names.insert(m.name).second) continue;
    k->remark = m.header;
    out.constants.push_back(std::move(*k));
  }
  return true;
}

ConstantRecord IntegerConstant(std::string name, unsigned long long bits, bool isUnsigned, int bytes) {
  const bool wide = bytes > 4;
  if (!wide) bits &= 0xFFFFFFFFull;
  ConstantRecord k;
  k.name = std::move(name);
  if (isUnsigned) {
    k.decimalValue = std::to_string(bits);
  } else if (wide) {
    k.decimalValue = std::to_string(static_cast<long long>(bits));
  } else {
    k.decimalValue = std::to_string(static_cast<int>(static_cast<unsigned int>(bits)));
  }
  char hex[32];
  std::snprintf(hex, sizeof hex, "0x%llX", bits);
  k.hexValue = hex;
  k.type = wide ? kLong : kInteger;
  return k;
}

}  // namespace declarium::apigen
