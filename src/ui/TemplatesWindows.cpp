// Dialog templates of the program's windows (geometry in dialog units).
#include <array>

#include "ui/Templates.h"

namespace declarium {
namespace {

using K = ControlKind;

constexpr ControlTemplate kMainControls[] = {
    {1005, K::ToolBar, nullptr, 0, 0, 500, 14, kNoStyle},
    {1001, K::ListBox, nullptr, 0, 30, 100, 246, kVScroll},
    {1002, K::ListBox, nullptr, 0, 30, 100, 246, kVScroll | kHidden},
    {1003, K::TreeView, nullptr, 0, 30, 100, 246, kHidden},
    {1016, K::ReportView, nullptr, 0, 30, 400, 230, kHidden | kSingleSelection | kShowSelectionAlways},
    {1012, K::Button, u"首页", 0, 262, 40, 14, kHidden},
    {1013, K::Button, u"上一页", 42, 262, 40, 14, kHidden},
    {1014, K::Button, u"下一页", 84, 262, 40, 14, kHidden},
    {1015, K::Button, u"尾页", 126, 262, 40, 14, kHidden},
    {1004, K::Edit, nullptr, 0, 16, 100, 13, kNoStyle},
    {1007, K::Browser, nullptr, 103, 16, 294, 190, kBorder},
    {1008, K::Edit, nullptr, 103, 209, 294, 67, kMultiLine | kVScroll | kWantReturn},
    {1011, K::ComboBox, nullptr, 400, 16, 100, 80, kNoStyle},
    {1009, K::ListBox, nullptr, 400, 31, 100, 228, kVScroll},
    {1010, K::Button, u"复制(&C)", 400, 262, 100, 14, kNoStyle},
    {1006, K::StatusBar, nullptr, 0, 288, 500, 12, kNoStyle},
};

constexpr ControlTemplate kImportControls[] = {
    {1101, K::ListBox, nullptr, 0, 3, 102, 207, kVScroll},
    {1102, K::Edit, nullptr, 105, 3, 265, 207, kMultiLine | kVScroll | kHScroll | kWantReturn},
    {1106, K::Static, u"语言：", 3, 216, 40, 10, kNoStyle},
    {1105, K::ComboBox, nullptr, 45, 216, 57, 80, kNoStyle},
    {1103, K::Button, u"全部添加(&A)", 246, 213, 57, 15, kNoStyle},
    {1104, K::Button, u"关闭(&C)", 312, 213, 57, 15, kNoStyle},
};

constexpr ControlTemplate kAdvancedFindControls[] = {
    {1204, K::TabControl, nullptr, 3, 3, 234, 16, kNoStyle},
    {1205, K::RadioButton, u"函数名", 9, 24, 54, 10, kGroupStart},
    {1206, K::RadioButton, u"中文名", 66, 24, 54, 10, kNoStyle},
    {1207, K::RadioButton, u"函数说明", 123, 24, 54, 10, kNoStyle},
    {1208, K::RadioButton, u"DLL库名", 180, 24, 54, 10, kNoStyle},
    {1201, K::Edit, nullptr, 3, 41, 126, 13, kNoStyle},
    {1202, K::Button, u"查找", 133, 40, 40, 15, kDefaultButton},
    {1203, K::Button, u"添加到列表", 177, 40, 60, 15, kNoStyle},
};

constexpr ControlTemplate kFileFunctionsControls[] = {
    {1301, K::Static, u"添加到分类：", 5, 5, 270, 10, kNoStyle},
    {1302, K::ListBox, nullptr, 5, 18, 110, 150, kVScroll},
    {1303, K::Edit, nullptr, 5, 170, 110, 13, kNoStyle},
    {1307, K::Button, u"添加>>", 120, 70, 40, 15, kNoStyle},
    {1308, K::Button, u"<<移除", 120, 92, 40, 15, kNoStyle},
    {1304, K::ListBox, nullptr, 165, 18, 110, 165, kVScroll},
    {1305, K::Button, u"确定", 170, 190, 50, 15, kDefaultButton},
    {1306, K::Button, u"取消", 225, 190, 50, 15, kNoStyle},
};

constexpr ControlTemplate kChooseCategoryControls[] = {
    {1401, K::ListBox, nullptr, 5, 5, 150, 120, kVScroll},
    {1402, K::Button, u"确定", 50, 130, 50, 15, kDefaultButton},
    {1403, K::Button, u"取消", 105, 130, 50, 15, kNoStyle},
};

constexpr ControlTemplate kExportControls[] = {
    {1501, K::CheckBox, u"函数", 6, 3, 60, 10, kNoStyle},
    {1502, K::GroupBox, u"函数导出条件：", 6, 15, 318, 58, kDisabled},
    {1503, K::ComboBox, nullptr, 12, 27, 60, 100, kDisabled},
    {1504, K::ComboBox, nullptr, 76, 27, 40, 100, kDisabled},
    {1505, K::Edit, nullptr, 120, 27, 140, 13, kDisabled},
    {1506, K::Button, u"添加条件", 266, 26, 52, 15, kDisabled},
    {1507, K::ListBox, nullptr, 12, 43, 306, 26, kDisabled | kVScroll},

    {1508, K::CheckBox, u"数据类型", 6, 75, 60, 10, kNoStyle},
    {1509, K::GroupBox, u"数据类型导出条件：", 6, 87, 318, 58, kDisabled},
    {1513, K::ComboBox, nullptr, 12, 99, 60, 100, kDisabled},
    {1512, K::ComboBox, nullptr, 76, 99, 40, 100, kDisabled},
    {1511, K::Edit, nullptr, 120, 99, 140, 13, kDisabled},
    {1510, K::Button, u"添加条件", 266, 98, 52, 15, kDisabled},
    {1514, K::ListBox, nullptr, 12, 115, 306, 26, kDisabled | kVScroll},

    {1515, K::CheckBox, u"常量", 6, 147, 60, 10, kNoStyle},
    {1516, K::GroupBox, u"常量导出条件：", 6, 159, 318, 58, kDisabled},
    {1520, K::ComboBox, nullptr, 12, 171, 60, 100, kDisabled},
    {1519, K::ComboBox, nullptr, 76, 171, 40, 100, kDisabled},
    {1518, K::Edit, nullptr, 120, 171, 140, 13, kDisabled},
    {1517, K::Button, u"添加条件", 266, 170, 52, 15, kDisabled},
    {1521, K::ListBox, nullptr, 12, 187, 306, 26, kDisabled | kVScroll},

    {-1, K::Static, u"语言：", 6, 226, 28, 10, kNoStyle},
    {1525, K::ComboBox, nullptr, 36, 224, 60, 80, kNoStyle},
    {1522, K::ProgressBar, nullptr, 100, 225, 110, 11, kNoStyle},
    {1523, K::Button, u"导出", 216, 223, 50, 15, kDefaultButton},
    {1524, K::Button, u"关闭", 272, 223, 50, 15, kNoStyle},
};

constexpr ControlTemplate kAffixControls[] = {
    {-1, K::Static, u"请自定义API名称之前后缀，在复制API函数时会自动添加：", 7, 7, 200, 10, kNoStyle},
    {-1, K::Static, u"前缀：", 7, 24, 26, 10, kNoStyle},
    {1602, K::Edit, nullptr, 35, 22, 170, 13, kNoStyle},
    {-1, K::Static, u"后缀：", 7, 42, 26, 10, kNoStyle},
    {1603, K::Edit, nullptr, 35, 40, 170, 13, kNoStyle},
    {1605, K::Button, u"确定", 100, 60, 50, 15, kDefaultButton},
    {1606, K::Button, u"取消", 155, 60, 50, 15, kNoStyle},
};

constexpr ControlTemplate kConstantEditorControls[] = {
    {1701, K::Static, u"常量名：", 5, 7, 46, 10, kNoStyle},
    {1705, K::Edit, nullptr, 52, 5, 163, 13, kNoStyle},
    {1702, K::Static, u"十进制值：", 5, 25, 46, 10, kNoStyle},
    {1706, K::Edit, nullptr, 52, 23, 163, 13, kNoStyle},
    {1703, K::Static, u"十六进制值：", 5, 43, 46, 10, kNoStyle},
    {1707, K::Edit, nullptr, 52, 41, 163, 13, kNoStyle},
    {1704, K::Static, u"备注：", 5, 61, 46, 10, kNoStyle},
    {1708, K::Edit, nullptr, 52, 59, 163, 45, kMultiLine | kVScroll | kWantReturn},
    {1709, K::Button, u"确定", 110, 110, 50, 15, kDefaultButton},
    {1710, K::Button, u"取消", 165, 110, 50, 15, kNoStyle},
};

constexpr ControlTemplate kSettingsControls[] = {
    {1801, K::GroupBox, u"热键", 5, 5, 190, 46, kNoStyle},
    {1802, K::Static, u"设置隐藏或显示程序界面：", 12, 17, 170, 10, kNoStyle},
    {1803, K::Static, u"热键设置：", 12, 32, 42, 10, kNoStyle},
    {1804, K::HotkeyEdit, nullptr, 56, 30, 130, 13, kNoStyle},
    {1805, K::GroupBox, u"托盘", 5, 55, 190, 30, kNoStyle},
    {1806, K::CheckBox, u"关闭到托盘", 12, 68, 75, 10, kNoStyle},
    {1807, K::CheckBox, u"最小化到托盘", 95, 68, 85, 10, kNoStyle},
    {1808, K::Button, u"确定", 90, 92, 50, 15, kDefaultButton},
    {1809, K::Button, u"取消", 145, 92, 50, 15, kNoStyle},
};

constexpr ControlTemplate kInputBoxControls[] = {
    {1901, K::Static, nullptr, 5, 5, 230, 20, kNoStyle},
    {1902, K::Edit, nullptr, 5, 28, 230, 60, kMultiLine | kVScroll | kWantReturn},
    {1903, K::Button, u"确认(&O)", 125, 94, 52, 15, kDefaultButton},
    {1904, K::Button, u"取消(&C)", 183, 94, 52, 15, kNoStyle},
};

constexpr ControlTemplate kConversionControls[] = {
    {2001, K::Static, u"转换前语言：", 6, 6, 55, 10, kNoStyle},
    {2003, K::ComboBox, nullptr, 63, 3, 54, 80, kNoStyle},
    {2002, K::Edit, nullptr, 3, 18, 193, 198, kMultiLine | kVScroll | kHScroll | kWantReturn},
    {2005, K::Static, u"转换后语言：", 204, 6, 55, 10, kNoStyle},
    {2006, K::ComboBox, nullptr, 261, 3, 54, 80, kNoStyle},
    {2004, K::Edit, nullptr, 201, 18, 193, 198, kMultiLine | kVScroll | kHScroll | kWantReturn},
    {2007, K::Button, u"复制(&C)", 282, 219, 54, 15, kNoStyle},
    {2008, K::Button, u"退出(&E)", 342, 219, 53, 15, kNoStyle},
};

constexpr WindowTemplate kMainWindow{kMainWindowTemplate, u"Declarium", u"mornel-API", 500, 300, 10000,
                                     kMainControls};
constexpr WindowTemplate kImportWindow{kImportWindowTemplate, u"新增函数、数据类型、常量", nullptr, 373, 232, 0,
                                       kImportControls};
constexpr WindowTemplate kAdvancedFind{kAdvancedFindTemplate, u"高级查找", nullptr, 240, 60, 0,
                                       kAdvancedFindControls};
constexpr WindowTemplate kFileFunctions{kFileFunctionsTemplate, u"函数分类", nullptr, 280, 210, 0,
                                        kFileFunctionsControls};
constexpr WindowTemplate kChooseCategory{kChooseCategoryTemplate, u"选择分类", nullptr, 160, 150, 0,
                                         kChooseCategoryControls};
constexpr WindowTemplate kExportWindow{kExportWindowTemplate, u"导出数据", nullptr, 330, 243, 0, kExportControls};
constexpr WindowTemplate kAffixDialog{kAffixDialogTemplate, u"AP名称I前后缀", nullptr, 212, 80, 0, kAffixControls};
constexpr WindowTemplate kConstantEditor{kConstantEditorTemplate, u"修改常量", nullptr, 220, 130, 0,
                                         kConstantEditorControls};
constexpr WindowTemplate kSettingsDialog{kSettingsDialogTemplate, u"设置", nullptr, 200, 112, 0, kSettingsControls};
constexpr WindowTemplate kInputBox{kInputBoxTemplate, u"输入框", nullptr, 240, 114, 0, kInputBoxControls};
constexpr WindowTemplate kConversionWindow{kConversionWindowTemplate, u"声明转换工具", nullptr, 397, 235, 0,
                                           kConversionControls};

constexpr std::array<const WindowTemplate*, 11> kAll = {
    &kMainWindow,    &kImportWindow, &kAdvancedFind,   &kFileFunctions,  &kChooseCategory,  &kExportWindow,
    &kAffixDialog,   &kConstantEditor, &kSettingsDialog, &kInputBox,     &kConversionWindow,
};

}  // namespace

const WindowTemplate* FindWindowTemplate(int id) {
  for (const WindowTemplate* t : kAll)
    if (t->id == id) return t;
  return nullptr;
}

std::span<const WindowTemplate* const> AllWindowTemplates() { return kAll; }

}  // namespace declarium
