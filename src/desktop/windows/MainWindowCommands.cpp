// DispatchCommand: every menu item, accelerator key, toolbar button and
// context-menu item arrives here with its command id.
#include <QAbstractButton>
#include <QTimer>

#include "model/Commands.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/ModalServices.h"
#include "toolkit/Window.h"
#include "windows/AdvancedFindWindow.h"
#include "windows/ConstantsPager.h"
#include "windows/DetailPage.h"
#include "windows/ExportWindow.h"
#include "windows/HelpWindow.h"
#include "windows/InsertListPanel.h"
#include "windows/LanguageChoice.h"
#include "windows/MainWindow.h"
#include "windows/RunningOperation.h"
#include "windows/TrayAndHotkey.h"

namespace declarium {

namespace {
constexpr char16_t kOfficialSiteUrl[] = u"http://www.dywt.com.cn/";
constexpr char16_t kOfficialForumUrl[] = u"http://bbs.eyuyan.com/";
}  // namespace

void MainWindow::DispatchCommand(int commandId) {
  if (window_.isNull()) return;
  using namespace command;
  switch (commandId) {
    case kBrowseFunctions: ViewCommand(BrowseMode::Functions); break;
    case kBrowseCategories: ViewCommand(BrowseMode::Categories); break;
    case kBrowseDataTypes: ViewCommand(BrowseMode::DataTypes); break;
    case kBrowseConstants: ViewCommand(BrowseMode::Constants); break;

    case kCopySelected: CopySelectedDeclaration(browseMode_); break;
    case kFunctionCopy: CopySelectedDeclaration(BrowseMode::Functions); break;
    case kTreeCopy: CopySelectedDeclaration(BrowseMode::Categories); break;
    case kDataTypeCopy: CopySelectedDeclaration(BrowseMode::DataTypes); break;
    case kConstantCopy: CopySelectedDeclaration(BrowseMode::Constants); break;
    case kInsertCopy: insertList_->CopyAll(); break;
    case kCopyWithDependencies: CopySelectedDeclaration(browseMode_, true); break;
    case kFunctionCopyWithDependencies: CopySelectedDeclaration(BrowseMode::Functions, true); break;
    case kTreeCopyWithDependencies: CopySelectedDeclaration(BrowseMode::Categories, true); break;
    case kDataTypeCopyWithDependencies: CopySelectedDeclaration(BrowseMode::DataTypes, true); break;
    case kDataTypeLayout: ShowSelectedLayout(); break;
    case kInsertCopyWithDependencies: insertList_->CopyAll(true); break;
    case kAddToList: AddToInsertList(browseMode_); break;
    case kFunctionAddToList: AddToInsertList(BrowseMode::Functions); break;
    case kTreeAddToList: AddToInsertList(BrowseMode::Categories); break;
    case kDataTypeAddToList: AddToInsertList(BrowseMode::DataTypes); break;
    case kConstantAddToList: AddToInsertList(BrowseMode::Constants); break;
    case kInsertRemove: insertList_->RemoveSelected(); break;
    case kInsertRemoveAll: insertList_->RemoveAll(); break;
    case kStatistics: ShowStatistics(); break;

    case kInsertChineseNames: ToggleOption(commandId, settings_.style.insertChineseNames); break;
    case kInsertRemarks: ToggleOption(commandId, settings_.style.insertRemarks); break;
    case kPublic: ToggleOption(commandId, settings_.style.isPublic); break;
    case kCSharp64:
      ToggleOption(commandId, settings_.style.csharp64);
      ShowSelectedEntryAgain();
      break;
    case kVba7:
      ToggleOption(commandId, settings_.style.vba7);
      ShowSelectedEntryAgain();
      break;
    case kAffixes: OpenAffixDialog(); break;
    case kSettings:
    case kTraySettings: OpenSettingsDialog(); break;
    case kTrayToggle: tray_->Toggle(); break;

    case kAdvancedFind: OpenAdvancedFind(); break;

    case kTreeExpandAll: ExpandAllCategories(true); break;
    case kTreeCollapseAll: ExpandAllCategories(false); break;
    case kTreeNewCategory: NewCategory(); break;
    case kTreeRenameCategory: BeginRenameCategory(categoryTree_->Selected()); break;
    case kTreeDeleteCategory: DeleteCategory(categoryTree_->Selected()); break;
    case kTreeAddFunctions: OpenFileFunctionsWindow(); break;
    case kTreeRemoveFunction: UnfileFunction(categoryTree_->Selected()); break;
    case kFunctionFileInto: OpenChooseCategoryWindow(); break;

    case kFunctionDelete: DeleteSelectedEntry(BrowseMode::Functions); break;
    case kDataTypeDelete: DeleteSelectedEntry(BrowseMode::DataTypes); break;
    case kConstantDelete: DeleteSelectedEntry(BrowseMode::Constants); break;
    case kConstantEdit: OpenConstantEditor(); break;

    case kNewEntries: OpenImportWindow(); break;
    case kConversion: OpenConversionWindow(); break;

    case kHelpTopics: RunHelpWindow(window_); break;
    case kAbout:
      window_->MessageBox(QStringLiteral("Declarium " DECLARIUM_VERSION "\nWindows API 声明助手"), kMbUserIcon,
                          QStringLiteral("关于 Declarium"));
      break;
    // The shell's answer is of no interest: a missing browser shows its own error.
    case kOfficialSite: Services().ShellOpen(QString::fromUtf16(kOfficialSiteUrl)); break;
    case kOfficialForum: Services().ShellOpen(QString::fromUtf16(kOfficialForumUrl)); break;
    // There is no mail address to write to: say where feedback goes.
    case kContactMaker:
      window_->MessageBox(
          QStringLiteral("Declarium 没有联系邮箱。\r\n意见、问题和错误报告请提交到 Declarium 项目的问题列表（issue），"
                         "写明版本、所做的操作和看到的结果；用法见“帮助主题”。"),
          kMbIconInformation, QStringLiteral("联系作者"));
      break;

    case kExport:
      ExportWindow::Run(window_, store_, settings_, [this](SyntaxKind syntax) { SelectLanguage(syntax); });
      break;

    case kExit:
    case kTrayExit:
      // Not under a running import or export: once it is over.
      if (RunningOperation::Any()) {
        RunningOperation::WhenNoneRuns(
            [this] { QTimer::singleShot(0, this, [this] { DispatchCommand(command::kExit); }); });
        break;
      }
      tray_->SetExiting();
      window_->CloseWindow();
      break;

    case kTrayFunctions:
    case kTrayCategories:
    case kTrayDataTypes:
    case kTrayConstants: {
      window_->SetShown(true);
      window_->SetState(kStateNormal);
      const int view = commandId == kTrayFunctions    ? kBrowseFunctions
                       : commandId == kTrayCategories ? kBrowseCategories
                       : commandId == kTrayDataTypes  ? kBrowseDataTypes
                                                      : kBrowseConstants;
      DispatchCommand(view);
      break;
    }
    default: break;  // not a command of this window
  }
}

void MainWindow::ViewCommand(BrowseMode mode) {
  // The lists are filled the first time they are needed, even without a view change.
  if (mode == BrowseMode::Functions) FillEntryList(functionList_, u"函数表");
  if (mode == BrowseMode::DataTypes) FillEntryList(dataTypeList_, u"数据类型表");
  if (browseMode_ == mode) return;
  SwitchView(mode);
  ShowViewSelection();
  // The open find window follows the functions, data types and constants views.
  if (mode != BrowseMode::Categories && !advancedFind_.isNull()) advancedFind_->SelectFindTab(mode);
  searchBox_->setFocus();
  searchBox_->SelectRange(0, -1);
}

void MainWindow::ToggleOption(int commandId, bool& field) {
  MenuResource* menu = window_->Menu();
  if (menu == nullptr) return;
  menu->SetChecked(commandId, !menu->IsChecked(commandId));
  field = menu->IsChecked(commandId);
}

void MainWindow::ChangeLanguage() {
  settings_.language = ChosenSyntax(languageBox_);
  ShowSelectedEntryAgain();
}

void MainWindow::ShowViewSelection() {
  switch (browseMode_) {
    case BrowseMode::Functions:
      if (functionList_->Selection() < 0) page_->Clear();
      ShowSelectedFunction();
      break;
    case BrowseMode::DataTypes:
      if (dataTypeList_->Selection() < 0) page_->Clear();
      ShowSelectedDataType();
      break;
    case BrowseMode::Categories: {
      TreeView::Item item = categoryTree_->Selected();
      if (item == nullptr || TreeView::ParentOf(item) == nullptr) page_->Clear();
      ShowTreeFunction(item);
      break;
    }
    case BrowseMode::Constants: constants_->Refresh(); break;
  }
}

void MainWindow::ShowSelectedEntryAgain() {
  if (browseMode_ == BrowseMode::Functions) ShowSelectedFunction();
  if (browseMode_ == BrowseMode::DataTypes) ShowSelectedDataType();
}

}  // namespace declarium
