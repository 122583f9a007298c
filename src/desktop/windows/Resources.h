// The program's resources: the numbers of its window templates, and its menu,
// accelerator and toolbar tables. Each window's template sits in that
// window's own source file.
#pragma once

#include <span>

#include "toolkit/Templates.h"

namespace declarium {

// Template numbers (the InputBox, 1900, is the toolkit's).
namespace resource {
inline constexpr int kMainWindow = 1000;
inline constexpr int kImportWindow = 1100;
inline constexpr int kAdvancedFind = 1200;
inline constexpr int kFileFunctions = 1300;   // "函数分类"
inline constexpr int kChooseCategory = 1400;  // "选择分类"
inline constexpr int kExportWindow = 1500;    // "导出数据"
inline constexpr int kAffixDialog = 1600;
inline constexpr int kConstantEditor = 1700;  // "修改常量"
inline constexpr int kSettingsDialog = 1800;
inline constexpr int kLayoutWindow = 1900;  // "内存布局"
inline constexpr int kConversionWindow = 2000;
inline constexpr int kHelpWindow = 2100;  // "帮助主题"
}  // namespace resource

// Menu 10000, the main window's menu bar.
std::span<const MenuEntry> MainMenu();
// Menu 11000: the popups of the category tree, the insert list, the
// functions, data types and constants lists, and the tray, in that order.
std::span<const MenuEntry> ContextMenus();
// Accelerator table 1 of the main window.
std::span<const AcceleratorEntry> MainAccelerators();
// The main window's toolbar, button by button.
std::span<const ToolButtonTemplate> MainToolbar();

// Every window template of the program, the InputBox's included.
std::span<const WindowTemplate* const> AllWindowTemplates();

}  // namespace declarium
