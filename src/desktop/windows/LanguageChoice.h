// Every language choice of the program (the main window's LanguageBox, the
// import, conversion and export windows): "易语言", "CSharp", "VB" in this
// order, each item carrying its syntax.
#pragma once

#include "store/Records.h"

namespace declarium {

class DropDownList;

// Fills choice and selects syntax.
void FillLanguageChoice(DropDownList* choice, SyntaxKind syntax);
// The syntax of the selected item; E when nothing is selected.
SyntaxKind ChosenSyntax(const DropDownList* choice);

}  // namespace declarium
