#include "windows/LanguageChoice.h"

#include "toolkit/Controls.h"

namespace declarium {

void FillLanguageChoice(DropDownList* choice, SyntaxKind syntax) {
  choice->Reset();
  choice->AddItem(QStringLiteral("易语言"), SyntaxNumber(SyntaxKind::E));
  choice->AddItem(QStringLiteral("CSharp"), SyntaxNumber(SyntaxKind::CSharp));
  choice->AddItem(QStringLiteral("VB"), SyntaxNumber(SyntaxKind::Vb));
  choice->SetSelection(SyntaxNumber(syntax));
}

SyntaxKind ChosenSyntax(const DropDownList* choice) {
  const int selected = choice->Selection();
  return selected < 0 ? SyntaxKind::E : SyntaxOfNumber(static_cast<int>(choice->ItemData(selected)));
}

}  // namespace declarium
