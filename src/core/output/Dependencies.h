// Copying with dependencies: entries together with every data type they use.
#pragma once

#include <string>
#include <vector>

#include "output/CopyText.h"

namespace declarium {

// The declarations of the entries and of every data type they use, directly
// or through members of other data types, each once and each before its first
// use; a data type already among the entries is written once, where it is
// first needed. A used name is looked up in 数据类型表 after the type-name
// mapping to the target (exact 名称 first, then regardless of ASCII case);
// basic types are no dependency, and names the catalogue lacks close the text
// as comment lines ("' 未找到：X", for C# "// 未找到：X"). A walk that meets a
// data type it is inside of ends there. Layout and results as
// InsertListDeclarations: E headed once by ".版本 2", each declaration
// followed by CR LF.
CopyResult DeclarationsWithDependencies(CatalogueStore& store, const std::vector<CopyEntry>& entries, SyntaxKind target,
                                        const DeclarationStyle& style, std::string& text);

}  // namespace declarium
