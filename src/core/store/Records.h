// One catalogue entry in memory. Member names are English; the column each
// one comes from is named beside it.
#pragma once

#include <string>
#include <vector>

namespace declarium {

// The three declaration syntaxes, stored (as these numbers) in 导入语言 and
// the 语言 setting, and shown in this order in every language choice.
enum class SyntaxKind : int { E = 0, CSharp = 1, Vb = 2 };

inline constexpr SyntaxKind kAllSyntaxes[] = {SyntaxKind::E, SyntaxKind::CSharp, SyntaxKind::Vb};

constexpr int SyntaxNumber(SyntaxKind syntax) { return static_cast<int>(syntax); }
// Any stored number is kept as it is: what reads it decides what an unknown one means.
constexpr SyntaxKind SyntaxOfNumber(int number) { return static_cast<SyntaxKind>(number); }
constexpr bool IsKnownSyntax(SyntaxKind syntax) { return syntax >= SyntaxKind::E && syntax <= SyntaxKind::Vb; }

// The three kinds of entry, one table each (函数表, 数据类型表, 常量表).
enum class EntryKind : int { Functions = 0, DataTypes = 1, Constants = 2 };

// A row of 函数参数表 or of 数据类型成员表.
struct ParameterRecord {
  int id = 0;               // id
  std::string name;         // 名称
  std::string chineseName;  // 中文名
  std::string type;         // 数据类型
  bool byRef = false;       // 传址 (exactly 1)
  std::string array;        // 数组: "1" for an array parameter; a member's dimension text
  bool output = false;      // 输出 (exactly 1)
  std::string remark;       // 备注
  std::string nativeType;   // 原生类型 of the generated catalogue (NativeTypes.h), or empty
};

struct FunctionRecord {
  int id = 0;                               // id
  std::string name;                         // 名称
  std::string chineseName;                  // 中文名
  std::string returnType;                   // 返回值类型
  std::string remark;                       // 备注
  std::string library;                      // 库名
  std::string entryPoint;                   // 库对应命令
  std::string description;                  // 函数说明
  std::string notes;                        // 其他说明
  SyntaxKind syntax = SyntaxKind::E;        // 导入语言 (NULL reads as 0)
  std::string charSet;                      // CharSet
  std::string callingConvention;            // CallingConvention
  std::string returnNativeType;             // 原生类型 of the generated catalogue, or empty
  bool isPublic = false;                    // public flag of the E reader; never stored
  bool readInPart = false;                  // a piece of its text could not be read; never stored
  std::vector<ParameterRecord> parameters;  // 函数参数表 rows by ascending id
};

struct DataTypeRecord {
  int id = 0;                         // id
  std::string name;                   // 名称
  std::string chineseName;            // 中文名
  std::string remark;                 // 备注
  SyntaxKind syntax = SyntaxKind::E;  // 导入语言
  std::string charSet;                // CharSet
  std::string pack;                   // Pack
  std::string size;                   // Size
  std::string
      nativeType;  // 原生类型 of the generated catalogue: "pack N", the Pack a 64-bit compiler gives (0: none), where it differs
  bool isPublic = false;                 // public flag of the E reader; never stored
  bool readInPart = false;               // a piece of its text could not be read; never stored
  std::vector<ParameterRecord> members;  // 数据类型成员表 rows by ascending id
};

struct ConstantRecord {
  std::string name;          // 名称
  std::string type;          // 类型
  std::string decimalValue;  // 十进制值
  std::string hexValue;      // 十六进制值
  std::string remark;        // 备注
};

}  // namespace declarium
