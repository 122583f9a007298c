// What shapes every generated declaration, besides its syntax: the settings
// output and import read.
#pragma once

#include <string>

#include "store/Records.h"

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
  bool csharp64 = false;  // Setings/C#按64位生成
  // VB for 64-bit Office (VBA 7): Declare PtrSafe, and LongPtr and LongLong
  // from the same C types; entries without them are written as always, with PtrSafe.
  bool vba7 = false;  // Setings/VB按64位生成
};

// Whether the view of that syntax follows its 64-bit setting.
inline bool Native64(const DeclarationStyle& style, SyntaxKind syntax) {
  return syntax == SyntaxKind::CSharp ? style.csharp64 : syntax == SyntaxKind::Vb && style.vba7;
}

}  // namespace declarium
