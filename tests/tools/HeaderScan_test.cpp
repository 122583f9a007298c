// The header scanner on a small header of its own, compiled by libclang for
// the same target as the Windows headers.
#include <gtest/gtest.h>

#include <algorithm>

#include "apigen/HeaderScan.h"
#include "support/TempDir.h"

namespace declarium::apigen {
namespace {

using test::TempDir;
using test::WriteFileBytes;

const char* const kHeader = R"(
typedef int BOOL;
typedef unsigned long DWORD;
typedef unsigned short WORD;
typedef unsigned short wchar_t;
typedef wchar_t WCHAR;
typedef char CHAR;
typedef unsigned char BYTE;
typedef CHAR *LPSTR;
typedef const CHAR *LPCSTR;
typedef WCHAR *LPWSTR;
typedef DWORD *LPDWORD;
typedef void *HANDLE;
typedef HANDLE HWND;
typedef long long LONGLONG;
typedef union _LARGE_INTEGER { struct { DWORD LowPart; long HighPart; } s; LONGLONG QuadPart; } LARGE_INTEGER;
typedef struct tagRECT { long left, top, right, bottom; } RECT, *LPRECT;
struct sockaddr_t { WORD family; char data[14]; };
typedef struct tagPOINT { long x; long y; } POINT;
typedef int (__stdcall *WNDPROC)(HWND, unsigned, DWORD, long);
typedef struct IThing { struct IThingVtbl *lpVtbl; } IThing;
struct IThingVtbl { long (__stdcall *Release)(IThing *); };

#pragma pack(push, 1)
typedef struct PACKED { BYTE b; DWORD d; } PACKED;
#pragma pack(pop)

typedef struct FLAGS { DWORD a : 1; DWORD b : 3; DWORD : 4; DWORD c : 24; WORD w : 2; BYTE after; } FLAGS;
typedef struct HOLDER {
  DWORD kind;
  union { DWORD number; void *pointer; };
  struct { WORD lo; WORD hi; };
  struct { BYTE x; BYTE y; } pair;
  LARGE_INTEGER big;
  union { DWORD a; WORD b[3]; } odd;
  WCHAR name[2][3];
  CHAR text[8];
  LPSTR str;
  LPWSTR wide;
  RECT rc;
  POINT pts[2];
  long double precise;
  DWORD tail[];
} HOLDER;

__declspec(dllimport) BOOL __stdcall GetThing(HWND hWnd, LPRECT lprc, LPDWORD count, LPSTR text,
    LPCSTR name, LPWSTR wide, void **out, POINT pt, LARGE_INTEGER li, LARGE_INTEGER *pli,
    IThing *thing, WNDPROC proc, BYTE *bytes, BOOL *flag, double d, float f, LONGLONG q, int);
__declspec(dllimport) int __cdecl PrintThing(LPSTR buffer, LPCSTR format, ...);
__declspec(dllimport) LPSTR __stdcall TextThing(void);
__declspec(dllimport) RECT *__stdcall RectThing(void);
static int LocalThing(int x);
#include "../other/outside.h"

#define SMALL 260
#define HEXY 0x0C
#define BIG 0xFFFFFFFF
#define NEG (-1)
#define HANDLE_ONE ((HANDLE)(long)-1)
#define SIZE_OF_RECT sizeof(RECT)
#define SHIFTED (1 << 4 | SMALL)
#define WIDE 0x100000000LL
#define TEXTY "text"
#define FUNC_LIKE(x) (x)
#define BRACED { 1 }
#define __INTERNAL 5
#define EMPTY
#define ALIAS GetThing
#define FLOATY 1.5
#define UNKNOWN_NAME (NOT_DEFINED_ANYWHERE + 1)
enum colours { RED, GREEN = 5, BLUE };
enum big_values { HUGE_ONE = 0x80000000u };
)";

class HeaderScanTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempDir;
    std::filesystem::create_directories(*dir_ / "include");
    std::filesystem::create_directories(*dir_ / "other");
    WriteFileBytes(*dir_ / "include/main.h", kHeader);
    WriteFileBytes(*dir_ / "other/outside.h",
                   "__declspec(dllimport) int __stdcall OutsideThing(int);\n"
                   "struct OUTSIDE_T { int a; };\n#define OUTSIDE 3\n");
    scan_ = new HeaderCatalogue;
    ScanSettings settings{*dir_ / "include/main.h", *dir_ / "include",
                          DefaultCompilerArguments(*dir_ / "include", DECLARIUM_CLANG_RESOURCE_DIR)};
    ok_ = ScanHeaders(settings, *scan_, error_);
  }
  static void TearDownTestSuite() {
    delete scan_;
    delete dir_;
  }

  const DeclaredFunction* Function(const std::string& name) const {
    for (const auto& f : scan_->functions)
      if (f.record.name == name) return &f;
    return nullptr;
  }
  const DataTypeRecord* DataType(const std::string& name) const {
    for (const auto& d : scan_->dataTypes)
      if (d.name == name) return &d;
    return nullptr;
  }
  const ConstantRecord* Constant(const std::string& name) const {
    for (const auto& c : scan_->constants)
      if (c.name == name) return &c;
    return nullptr;
  }

  static TempDir* dir_;
  static HeaderCatalogue* scan_;
  static bool ok_;
  static std::string error_;
};

TempDir* HeaderScanTest::dir_ = nullptr;
HeaderCatalogue* HeaderScanTest::scan_ = nullptr;
bool HeaderScanTest::ok_ = false;
std::string HeaderScanTest::error_;

TEST_F(HeaderScanTest, ParsesWithoutErrors) {
  ASSERT_TRUE(ok_) << error_;
  EXPECT_EQ(scan_->errors, 0) << (scan_->firstErrors.empty() ? "" : scan_->firstErrors[0]);
}

struct ExpectedParameter {
  const char* name;
  const char* type;
  bool byRef;
};

TEST_F(HeaderScanTest, ParameterTypesFollowSizeKindAndPointers) {
  const DeclaredFunction* f = Function("GetThing");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->record.returnType, "逻辑型");
  EXPECT_EQ(f->record.callingConvention, "");
  EXPECT_EQ(f->header, "main.h");
  EXPECT_EQ(f->record.remark, "main.h");
  const ExpectedParameter expected[] = {
      {"hWnd", "整数型", false}, {"lprc", "RECT", true},    {"count", "整数型", true},    {"text", "文本型", false},
      {"name", "文本型", false}, {"wide", "整数型", false}, {"out", "整数型", true},      {"pt", "POINT", false},
      {"li", "长整数型", false}, {"pli", "长整数型", true}, {"thing", "整数型", false},   {"proc", "整数型", false},
      {"bytes", "字节型", true}, {"flag", "逻辑型", true},  {"d", "双精度小数型", false}, {"f", "小数型", false},
      {"q", "长整数型", false},  {"p18", "整数型", false}};
  ASSERT_EQ(f->record.parameters.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const ParameterRecord& p = f->record.parameters[i];
    EXPECT_EQ(p.name, expected[i].name) << i;
    EXPECT_EQ(p.type, expected[i].type) << expected[i].name;
    EXPECT_EQ(p.byRef, expected[i].byRef) << expected[i].name;
  }
  EXPECT_EQ(f->record.parameters[7].remark, "结构按值传递");
}

TEST_F(HeaderScanTest, CallingConventionVariadicAndReturnedPointers) {
  const DeclaredFunction* print = Function("PrintThing");
  ASSERT_NE(print, nullptr);
  EXPECT_EQ(print->record.callingConvention, "CallingConvention.Cdecl");
  EXPECT_TRUE(print->variadic);
  EXPECT_EQ(print->record.parameters.size(), 2u);
  EXPECT_NE(print->record.remark.find("参数个数可变"), std::string::npos);
  ASSERT_NE(Function("TextThing"), nullptr);
  EXPECT_EQ(Function("TextThing")->record.returnType, "文本型");
  EXPECT_TRUE(Function("TextThing")->record.parameters.empty());
  ASSERT_NE(Function("RectThing"), nullptr);
  EXPECT_EQ(Function("RectThing")->record.returnType, "整数型");
}

TEST_F(HeaderScanTest, KeepsOnlyDeclarationsOfTheIncludeFolder) {
  EXPECT_EQ(Function("LocalThing"), nullptr);  // static: no export
  EXPECT_EQ(Function("OutsideThing"), nullptr);
  EXPECT_EQ(DataType("OUTSIDE_T"), nullptr);
  EXPECT_EQ(Constant("OUTSIDE"), nullptr);
}

TEST_F(HeaderScanTest, StructuresAreNamedByTheirTypedef) {
  ASSERT_NE(DataType("RECT"), nullptr);
  EXPECT_EQ(DataType("tagRECT"), nullptr);
  EXPECT_EQ(DataType("RECT")->remark, "main.h");
  ASSERT_EQ(DataType("RECT")->members.size(), 4u);
  for (const auto& m : DataType("RECT")->members) EXPECT_EQ(m.type, "整数型");
  // Without a typedef the tag is the name.
  const DataTypeRecord* sockaddr = DataType("sockaddr_t");
  ASSERT_NE(sockaddr, nullptr);
  ASSERT_EQ(sockaddr->members.size(), 2u);
  EXPECT_EQ(sockaddr->members[1].type, "字节型");
  EXPECT_EQ(sockaddr->members[1].array, "14");
}

TEST_F(HeaderScanTest, ComInterfacesAndUnionsAreNoDataTypes) {
  EXPECT_EQ(DataType("IThing"), nullptr);
  EXPECT_EQ(DataType("IThingVtbl"), nullptr);
  EXPECT_EQ(DataType("LARGE_INTEGER"), nullptr);
  EXPECT_EQ(DataType("_LARGE_INTEGER"), nullptr);
}

TEST_F(HeaderScanTest, PackedStructureGetsItsPack) {
  ASSERT_NE(DataType("PACKED"), nullptr);
  EXPECT_EQ(DataType("PACKED")->pack, "1");
  EXPECT_EQ(DataType("RECT")->pack, "");
}

TEST_F(HeaderScanTest, BitFieldsShareOneMemberPerStorageUnit) {
  const DataTypeRecord* flags = DataType("FLAGS");
  ASSERT_NE(flags, nullptr);
  ASSERT_EQ(flags->members.size(), 3u);
  EXPECT_EQ(flags->members[0].name, "a");
  EXPECT_EQ(flags->members[0].type, "整数型");
  EXPECT_EQ(flags->members[0].remark, "位域：a:1，b:3，(未命名):4，c:24");
  EXPECT_EQ(flags->members[1].name, "w");
  EXPECT_EQ(flags->members[1].type, "短整数型");
  EXPECT_EQ(flags->members[2].name, "after");
  EXPECT_EQ(flags->members[2].type, "字节型");
}

struct ExpectedMember {
  const char* name;
  const char* type;
  const char* array;
};

TEST_F(HeaderScanTest, MembersOfEveryKind) {
  const DataTypeRecord* holder = DataType("HOLDER");
  ASSERT_NE(holder, nullptr);
  const ExpectedMember expected[] = {{"kind", "整数型", ""}, {"number", "整数型", ""},    {"lo", "短整数型", ""},
                                     {"hi", "短整数型", ""}, {"pair", "HOLDER_pair", ""}, {"big", "长整数型", ""},
                                     {"odd", "整数型", "2"}, {"name", "短整数型", "6"},   {"text", "字节型", "8"},
                                     {"str", "文本型", ""},  {"wide", "整数型", ""},      {"rc", "RECT", ""},
                                     {"pts", "POINT", "2"},  {"precise", "整数型", "3"}};
  ASSERT_EQ(holder->members.size(), std::size(expected));
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    EXPECT_EQ(holder->members[i].name, expected[i].name) << i;
    EXPECT_EQ(holder->members[i].type, expected[i].type) << expected[i].name;
    EXPECT_EQ(holder->members[i].array, expected[i].array) << expected[i].name;
  }
  EXPECT_EQ(holder->members[1].remark, "联合");
  EXPECT_NE(holder->remark.find("tail"), std::string::npos);  // the trailing array is named

  const DataTypeRecord* pair = DataType("HOLDER_pair");
  ASSERT_NE(pair, nullptr);
  ASSERT_EQ(pair->members.size(), 2u);
  EXPECT_EQ(pair->members[0].type, "字节型");
}

TEST_F(HeaderScanTest, EveryDataTypeLaysOutToTheCompilersSize) {
  std::map<std::string, const DataTypeRecord*> byName;
  for (const auto& d : scan_->dataTypes) byName[d.name] = &d;
  ASSERT_EQ(scan_->layouts.size(), scan_->dataTypes.size());
  for (const auto& [name, layout] : scan_->layouts) {
    const auto ours = RecordLayout(name, byName);
    ASSERT_TRUE(ours.has_value()) << name;
    EXPECT_EQ(ours->first, layout.first) << name;
    EXPECT_EQ(ours->second, layout.second) << name;
  }
}

struct ExpectedConstant {
  const char* name;
  const char* decimal;
  const char* hex;
  const char* type;
};

TEST_F(HeaderScanTest, IntegerMacrosAndEnumeratorsAreConstants) {
  const ExpectedConstant expected[] = {{"SMALL", "260", "0x104", "整数型"},
                                       {"HEXY", "12", "0xC", "整数型"},
                                       {"BIG", "4294967295", "0xFFFFFFFF", "整数型"},
                                       {"NEG", "-1", "0xFFFFFFFF", "整数型"},
                                       {"HANDLE_ONE", "-1", "0xFFFFFFFF", "整数型"},
                                       {"SIZE_OF_RECT", "16", "0x10", "整数型"},
                                       {"SHIFTED", "276", "0x114", "整数型"},
                                       {"WIDE", "4294967296", "0x100000000", "长整数型"},
                                       {"RED", "0", "0x0", "整数型"},
                                       {"GREEN", "5", "0x5", "整数型"},
                                       {"BLUE", "6", "0x6", "整数型"},
                                       {"HUGE_ONE", "2147483648", "0x80000000", "整数型"}};
  for (const auto& e : expected) {
    const ConstantRecord* c = Constant(e.name);
    ASSERT_NE(c, nullptr) << e.name;
    EXPECT_EQ(c->decimalValue, e.decimal) << e.name;
    EXPECT_EQ(c->hexValue, e.hex) << e.name;
    EXPECT_EQ(c->type, e.type) << e.name;
    EXPECT_EQ(c->remark, "main.h") << e.name;
  }
}

TEST_F(HeaderScanTest, MacrosWithoutAnIntegerValueAreLeftOut) {
  for (const char* name : {"TEXTY", "FUNC_LIKE", "BRACED", "__INTERNAL", "EMPTY", "ALIAS", "FLOATY", "UNKNOWN_NAME"})
    EXPECT_EQ(Constant(name), nullptr) << name;
}

TEST(IntegerConstant, TextsFollowTheCType) {
  ConstantRecord k = IntegerConstant("A", 0xFFFFFFFFull, false, 4);
  EXPECT_EQ(k.decimalValue, "-1");
  EXPECT_EQ(k.hexValue, "0xFFFFFFFF");
  k = IntegerConstant("A", 0xFFFFFFFFull, true, 4);
  EXPECT_EQ(k.decimalValue, "4294967295");
  // A negative 64-bit value keeps all 64 bits in hexadecimal.
  k = IntegerConstant("A", static_cast<unsigned long long>(-2LL), false, 8);
  EXPECT_EQ(k.decimalValue, "-2");
  EXPECT_EQ(k.hexValue, "0xFFFFFFFFFFFFFFFE");
  EXPECT_EQ(k.type, "长整数型");
  // Narrower types are shown as the 32-bit values they promote to.
  k = IntegerConstant("A", 0xFFFFull, true, 2);
  EXPECT_EQ(k.decimalValue, "65535");
  EXPECT_EQ(k.type, "整数型");
}

TEST(HeaderScan, MissingMainFileIsReportedNotFatal) {
  TempDir dir;
  HeaderCatalogue out;
  std::string error;
  ScanSettings settings{dir / "absent.h", dir.path(),
                        DefaultCompilerArguments(dir.path(), DECLARIUM_CLANG_RESOURCE_DIR)};
  // libclang makes a unit with a fatal error, or none; either way nothing is found.
  const bool ok = ScanHeaders(settings, out, error);
  EXPECT_TRUE(!ok || out.errors > 0);
  EXPECT_TRUE(out.functions.empty());
}

}  // namespace
}  // namespace declarium::apigen
