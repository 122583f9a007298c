// The menu, accelerator and toolbar tables, and the list of every template.
#include "windows/Resources.h"

#include <Qt>
#include <array>

#include "model/Commands.h"
#include "toolkit/QtServices.h"
#include "windows/AdvancedFindWindow.h"
#include "windows/AffixDialog.h"
#include "windows/CategoryWindows.h"
#include "windows/ConstantEditorDialog.h"
#include "windows/ConversionWindow.h"
#include "windows/ExportWindow.h"
#include "windows/ImportWindow.h"
#include "windows/MainWindow.h"
#include "windows/SettingsDialog.h"

namespace declarium {
namespace {

using namespace command;
using E = MenuEntryKind;
constexpr unsigned kCheck = kMenuCheckable;

constexpr MenuEntry kMainMenuEntries[] = {
    {E::Popup, u"浏览(&B)", 0, 0},
    {E::Item, u"函数(&F)\tF1", kBrowseFunctions, 0},
    {E::Item, u"函数分类(&T)\tF2", kBrowseCategories, 0},
    {E::Item, u"数据类型(&S)\tF3", kBrowseDataTypes, 0},
    {E::Item, u"常量(&C)\tF4", kBrowseConstants, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"高级查找(&G)\tCtrl+F", kAdvancedFind, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"插入(&I)", 0, 0},
    {E::Item, u"添加到列表(&A)\tF5", kAddToList, 0},
    {E::Item, u"复制到剪贴板(&C)\tF8", kCopySelected, 0},
    {E::Item, u"复制（含依赖）(&D)\tShift+F8", kCopyWithDependencies, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"数据(&D)", 0, 0},
    {E::Item, u"新增API数据(&N)", kNewEntries, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"导出(&O)", kExport, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"查看信息(&V)", kStatistics, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"选项(&O)", 0, 0},
    {E::Item, u"插入时使用中文名(&Z)", kInsertChineseNames, kCheck},
    {E::Item, u"插入备注信息(&T)", kInsertRemarks, kCheck},
    {E::Item, u"API前后缀(&A)", kAffixes, 0},
    {E::Item, u"Public", kPublic, kCheck},
    {E::Item, u"C# 按 64 位生成", kCSharp64, kCheck},
    {E::Item, u"VB 按 64 位生成（VBA7）", kVba7, kCheck},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"软件设置(&S)", kSettings, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"工具(&T)", 0, 0},
    {E::Item, u"声明转换(&C)", kConversion, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"帮助(&H)", 0, kMenuRightAligned},
    {E::Item, u"帮助主题(&H)", kHelpTopics, 0},
    {E::Popup, u"易语言网站(&W)", 0, 0},
    {E::Item, u"易语言官方网站(&W)", kOfficialSite, 0},
    {E::Item, u"易语言官方交流论坛(&B)", kOfficialForum, 0},
    {E::EndPopup, nullptr, 0, 0},
    {E::Item, u"联系作者(&C)", kContactMaker, 0},
    {E::Item, u"关于(&A)", kAbout, 0},
    {E::EndPopup, nullptr, 0, 0},
};

constexpr MenuEntry kContextMenuEntries[] = {
    {E::Popup, u"右键函数分类", 0, 0},
    {E::Item, u"添加到列表", kTreeAddToList, 0},
    {E::Item, u"复制到剪贴板", kTreeCopy, 0},
    {E::Item, u"复制（含依赖）", kTreeCopyWithDependencies, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"展开所有分类", kTreeExpandAll, 0},
    {E::Item, u"收缩所有分类", kTreeCollapseAll, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"新建分类", kTreeNewCategory, 0},
    {E::Item, u"重命名分类", kTreeRenameCategory, 0},
    {E::Item, u"删除分类", kTreeDeleteCategory, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"添加函数", kTreeAddFunctions, 0},
    {E::Item, u"删除函数", kTreeRemoveFunction, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键待插入", 0, 0},
    {E::Item, u"复制到剪贴板", kInsertCopy, 0},
    {E::Item, u"全部复制（含依赖）", kInsertCopyWithDependencies, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"移除项目", kInsertRemove, 0},
    {E::Item, u"全部移除", kInsertRemoveAll, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键函数", 0, 0},
    {E::Item, u"添加到列表", kFunctionAddToList, 0},
    {E::Item, u"复制到剪贴板", kFunctionCopy, 0},
    {E::Item, u"复制（含依赖）", kFunctionCopyWithDependencies, 0},
    {E::Item, u"分类到...", kFunctionFileInto, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"删除", kFunctionDelete, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键数据类型", 0, 0},
    {E::Item, u"添加到列表", kDataTypeAddToList, 0},
    {E::Item, u"复制到剪贴板", kDataTypeCopy, 0},
    {E::Item, u"复制（含依赖）", kDataTypeCopyWithDependencies, 0},
    {E::Item, u"内存布局...", kDataTypeLayout, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"删除", kDataTypeDelete, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键常量", 0, 0},
    {E::Item, u"添加到列表", kConstantAddToList, 0},
    {E::Item, u"复制到剪贴板", kConstantCopy, 0},
    {E::Item, u"修改", kConstantEdit, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"删除", kConstantDelete, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"托盘菜单", 0, 0},
    {E::Item, u"显示界面", kTrayToggle, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"浏览函数", kTrayFunctions, 0},
    {E::Item, u"浏览分类", kTrayCategories, 0},
    {E::Item, u"浏览数据类型", kTrayDataTypes, 0},
    {E::Item, u"浏览常量", kTrayConstants, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"软件设置", kTraySettings, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"退出", kTrayExit, 0},
    {E::EndPopup, nullptr, 0, 0},
};

constexpr AcceleratorEntry kAccelerators1[] = {
    {Qt::Key_F1, Qt::NoModifier, kBrowseFunctions},
    {Qt::Key_F2, Qt::NoModifier, kBrowseCategories},
    {Qt::Key_F3, Qt::NoModifier, kBrowseDataTypes},
    {Qt::Key_F4, Qt::NoModifier, kBrowseConstants},
    {Qt::Key_F5, Qt::NoModifier, kAddToList},
    {Qt::Key_F8, Qt::NoModifier, kCopySelected},
    {Qt::Key_F8, Qt::ShiftModifier, kCopyWithDependencies},
    {Qt::Key_F, Qt::ControlModifier, kAdvancedFind},
};

using S = ToolButtonStyle;
constexpr ToolButtonTemplate kMainToolbar[] = {
    {kBrowseFunctions, 0, S::CheckGroup, u"浏览API函数[F1]", true},
    {kBrowseCategories, 1, S::CheckGroup, u"浏览API函数分类[F2]", false},
    {kBrowseDataTypes, 2, S::CheckGroup, u"浏览数据类型[F3]", false},
    {kBrowseConstants, 3, S::CheckGroup, u"浏览常量[F4]", false},
    {0, 0, S::Separator, nullptr, false},
    {kAddToList, 4, S::Push, u"添加当前选中项目到列表[F5]", false},
    {kCopySelected, 5, S::Push, u"复制当前选中项目到剪贴板[F8]", false},
    {0, 0, S::Separator, nullptr, false},
    {kAdvancedFind, 6, S::Push, u"打开高级查找窗口[Ctrl + F]", false},
    {0, 0, S::Separator, nullptr, false},
    {kHelpTopics, 7, S::Push, u"帮助", false},
    {kAbout, 8, S::Push, u"关于", false},
    {kExit, 9, S::Push, u"退出", false},
    {0, 0, S::Separator, nullptr, false},
    {kSettings, 10, S::Push, u"设置", false},
};

}  // namespace

std::span<const MenuEntry> MainMenu() { return kMainMenuEntries; }
std::span<const MenuEntry> ContextMenus() { return kContextMenuEntries; }
std::span<const AcceleratorEntry> MainAccelerators() { return kAccelerators1; }
std::span<const ToolButtonTemplate> MainToolbar() { return kMainToolbar; }

std::span<const WindowTemplate* const> AllWindowTemplates() {
  static constexpr std::array<const WindowTemplate*, 11> kAll = {
      &kMainWindowTemplate,     &kImportWindowTemplate, &kAdvancedFindTemplate,     &kFileFunctionsTemplate,
      &kChooseCategoryTemplate, &kExportWindowTemplate, &kAffixDialogTemplate,      &kConstantEditorTemplate,
      &kSettingsDialogTemplate, &kInputBoxWindow,       &kConversionWindowTemplate,
  };
  return kAll;
}

}  // namespace declarium
