// What shapes every generated declaration, besides its syntax: the settings
// output and import read.
#pragma once

#include <string>

namespace declarium {

struct DeclarationStyle {
  bool insertChineseNames = false;  // Setings/插入中文名
  bool insertRemarks = false;       // Setings/插入备注信息
  bool isPublic = false;            // Setings/Public
  std::string namePrefix;           // Setings/API名称前缀
  std::string nameSuffix;           // Setings/API名称后缀
  // C# from the C types the generated catalogue keeps, right for 64-bit
  // processes (IntPtr for handles and pointer-sized values...); entries
  // without them are written as always.
  bool csharp64 = false;            // Setings/C#按64位生成
};

}  // namespace declarium
