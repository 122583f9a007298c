// Declarations of one entry in the E syntax, C# or VB, shaped by the declaration style.
#pragma once

#include <string>

#include "output/DeclarationStyle.h"
#include "output/Layout.h"
#include "store/Records.h"

namespace declarium {

// target: 0 E, 1 C#, 2 VB; any other target gives the empty text. Types are
// translated from the record's syntax (导入语言). With 插入中文名 on, an empty
// 中文名 of the record (and of its parameters or members) is first set to
// its 名称, as the E syntax output writes 中文名 then. VB writes a stored
// C-style hexadecimal value "0x104" as "&H104"; E writes a member's array
// dimension between double quotes, as its reader expects it. A function that
// returns nothing is a VB Sub. VB writes each count of a member as the bounds
// (0 To n - 1), and pads a Type where C leaves a gap, with the nested data
// types its layout needs found through types (without them, or where C packs
// below 4 bytes, it is written without padding).
std::string DeclareFunction(SyntaxKind target, FunctionRecord& record, const DeclarationStyle& style);
std::string DeclareDataType(SyntaxKind target, DataTypeRecord& record, const DeclarationStyle& style,
                            const DataTypeLookup& types = {});
std::string DeclareConstant(SyntaxKind target, const ConstantRecord& record, const DeclarationStyle& style);

// The same declarations appended to out, for a caller that joins many.
void AppendFunction(std::string& out, SyntaxKind target, FunctionRecord& record, const DeclarationStyle& style);
void AppendDataType(std::string& out, SyntaxKind target, DataTypeRecord& record, const DeclarationStyle& style,
                    const DataTypeLookup& types = {});
void AppendConstant(std::string& out, SyntaxKind target, const ConstantRecord& record, const DeclarationStyle& style);

}  // namespace declarium
