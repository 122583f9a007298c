// A text that yields nothing in the syntax chosen for it is usually written
// in another one (C# pasted while 易语言 is chosen): which one reads it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/Records.h"

namespace declarium {

// The first other syntax, in SyntaxKind order, whose readers find a
// declaration in text; none when the chosen one finds something (or no
// syntax does).
std::optional<SyntaxKind> SyntaxThatReads(std::string_view text, SyntaxKind chosen);

// "未读到易语言声明；这段文本像 C# 声明，切换到 CSharp？"
std::string OtherSyntaxHint(SyntaxKind chosen, SyntaxKind other);

}  // namespace declarium
