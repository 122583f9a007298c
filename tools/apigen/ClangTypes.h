// libclang's cursors and types as the header scanner reads them: owning
// handles, a child visitor, a type with its typedefs taken off, the E type
// names of numbers, and parsing a translation unit.
#pragma once

#include <clang-c/Index.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace declarium::apigen {

// The E syntax's basic type names (GBK).
inline constexpr const char* kInteger = "整数型";
inline constexpr const char* kShort = "短整数型";
inline constexpr const char* kByte = "字节型";
inline constexpr const char* kLong = "长整数型";
inline constexpr const char* kFloat = "小数型";
inline constexpr const char* kDouble = "双精度小数型";
inline constexpr const char* kBool = "逻辑型";
inline constexpr const char* kText = "文本型";

inline std::string Take(CXString s) {
  const char* c = clang_getCString(s);
  std::string out = c ? c : "";
  clang_disposeString(s);
  return out;
}

inline std::string Spelling(CXCursor c) { return Take(clang_getCursorSpelling(c)); }

struct IndexDeleter {
  void operator()(void* index) const { clang_disposeIndex(index); }
};
struct UnitDeleter {
  void operator()(CXTranslationUnitImpl* tu) const { clang_disposeTranslationUnit(tu); }
};
using IndexPtr = std::unique_ptr<void, IndexDeleter>;
using UnitPtr = std::unique_ptr<CXTranslationUnitImpl, UnitDeleter>;

// Tokens and diagnostics, disposed of however the reading of them ends.
class Tokens {
 public:
  Tokens(CXTranslationUnit tu, CXSourceRange range) : tu_(tu) { clang_tokenize(tu, range, &tokens_, &count_); }
  ~Tokens() { clang_disposeTokens(tu_, tokens_, count_); }
  Tokens(const Tokens&) = delete;
  Tokens& operator=(const Tokens&) = delete;
  unsigned size() const { return count_; }
  CXToken operator[](unsigned i) const { return tokens_[i]; }

 private:
  CXTranslationUnit tu_;
  CXToken* tokens_ = nullptr;
  unsigned count_ = 0;
};
struct DiagnosticDeleter {
  void operator()(void* d) const { clang_disposeDiagnostic(d); }
};
using DiagnosticPtr = std::unique_ptr<void, DiagnosticDeleter>;

// Visits the children of c with a callable; the callable returns the
// CXChildVisitResult. An exception thrown by the callable must not unwind
// through libclang's C frames: it is kept, the visit is broken off, and it
// is thrown again once libclang has returned.
template <typename F>
void VisitChildren(CXCursor c, F&& f) {
  struct Visit {
    F& f;
    std::exception_ptr error;
  } visit{f, nullptr};
  clang_visitChildren(
      c,
      [](CXCursor child, CXCursor parent, CXClientData data) noexcept {
        Visit& v = *static_cast<Visit*>(data);
        try {
          return v.f(child, parent);
        } catch (...) {
          v.error = std::current_exception();
          return CXChildVisit_Break;
        }
      },
      &visit);
  if (visit.error) std::rethrow_exception(visit.error);
}

// A type with typedefs, elaborations and attributes taken off, and what the
// typedef names on the way said.
struct Peeled {
  CXType type;
  bool isBool = false;  // BOOL: a 32-bit int meant as true or false
  bool isWide = false;  // WCHAR / wchar_t: a UTF-16 unit
  // INT_PTR, LPARAM, SIZE_T...: an integer as wide as a pointer, 4 bytes
  // here and 8 in a 64-bit process.
  bool isPointerSized = false;
  std::string firstTypedef;  // the name the type is written with, when a typedef
};

Peeled Peel(CXType t);
inline long long SizeOf(CXType t) { return clang_Type_getSizeOf(t); }
bool IsPlainChar(CXType t);
bool IsArray(CXType t);
bool IsUnion(CXType t);
bool IsUnsignedKind(CXTypeKind k);
bool IsIntegerKind(CXTypeKind k);
// The E type of an integer of this many bytes.
const char* IntegerOfSize(long long bytes);
// The E type of a number, a BOOL or an enum; empty for anything else.
std::string ScalarType(const Peeled& p);
// The native kind (store/NativeTypes.h) of a number, a BOOL or an enum;
// empty for anything else.
std::string ScalarKind(const Peeled& p);
// The native kind of an integer of this many bytes.
std::string IntegerKindOfSize(long long bytes, bool isUnsigned);

UnitPtr Parse(CXIndex index, const std::string& file, const std::vector<std::string>& arguments, CXUnsavedFile* unsaved,
              unsigned unsavedCount, unsigned options, std::string& error);

}  // namespace declarium::apigen
