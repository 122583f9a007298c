// Opening the import and conversion windows from the main window.
#include "toolkit/Controls.h"
#include "toolkit/Window.h"
#include "windows/ConversionWindow.h"
#include "windows/ImportWindow.h"
#include "windows/LanguageChoice.h"
#include "windows/MainWindow.h"

namespace declarium {

void MainWindow::OpenImportWindow() {
  ImportWindow::Hooks hooks;
  hooks.languageChosen = [this](SyntaxKind syntax) { SelectLanguage(syntax); };
  hooks.stored = [this] { ReloadEntryLists(); };
  ImportWindow importWindow(store_, imported_, std::move(hooks));
  importWindow.Run(window_, settings_.language);
}

void MainWindow::OpenConversionWindow() {
  ConversionWindow conversion(settings_.style);
  conversion.Run(window_, settings_.language);
}

void MainWindow::SelectLanguage(SyntaxKind syntax) {
  if (window_.isNull() || languageBox_ == nullptr) return;
  if (ChosenSyntax(languageBox_) == syntax) return;
  languageBox_->SetSelection(SyntaxNumber(syntax));
  // The setting and the page follow the box, as when the user picks it there.
  ChangeLanguage();
}

void MainWindow::ReloadEntryLists() {
  if (window_.isNull()) return;
  // The lists are read again from their tables: data types first, then functions.
  dataTypeList_->Reset();
  FillEntryList(dataTypeList_, u"数据类型表");
  functionList_->Reset();
  FillEntryList(functionList_, u"函数表");
  ShowHintWhileEmpty();
}

}  // namespace declarium
