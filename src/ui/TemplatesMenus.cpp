// Menu, accelerator and toolbar resources.
#include <Qt>

#include "ui/Templates.h"

namespace declarium {
namespace {

using E = MenuEntryKind;
constexpr unsigned kCheck = kMenuCheckable;

constexpr MenuEntry kMainMenuEntries[] = {
    {E::Popup, u"浏览(&B)", 0, 0},
    {E::Item, u"函数(&F)\tF1", 10002, 0},
    {E::Item, u"函数分类(&T)\tF2", 10003, 0},
    {E::Item, u"数据类型(&S)\tF3", 10004, 0},
    {E::Item, u"常量(&C)\tF4", 10005, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"高级查找(&G)\tCtrl+F", 10007, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"插入(&I)", 0, 0},
    {E::Item, u"添加到列表(&A)\tF5", 10008, 0},
    {E::Item, u"复制到剪贴板(&C)\tF8", 10006, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"数据(&D)", 0, 0},
    {E::Item, u"新增API数据(&N)", 10009, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"导出(&O)", 10017, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"查看信息(&V)", 10022, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"选项(&O)", 0, 0},
    {E::Item, u"插入时使用中文名(&Z)", 10024, kCheck},
    {E::Item, u"插入备注信息(&T)", 10025, kCheck},
    {E::Item, u"API前后缀(&A)", 10026, 0},
    {E::Item, u"Public", 10001, kCheck},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"软件设置(&S)", 10040, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"工具(&T)", 0, 0},
    {E::Item, u"声明转换(&C)", 10011, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"帮助(&H)", 0, kMenuRightAligned},
    {E::Item, u"帮助主题(&H)", 10030, 0},
    {E::Popup, u"易语言网站(&W)", 0, 0},
    {E::Item, u"易语言官方网站(&W)", 10032, 0},
    {E::Item, u"易语言官方交流论坛(&B)", 10033, 0},
    {E::EndPopup, nullptr, 0, 0},
    {E::Item, u"联系作者(&C)", 10034, 0},
    {E::Item, u"关于(&A)", 10035, 0},
    {E::EndPopup, nullptr, 0, 0},
};

constexpr MenuEntry kContextMenuEntries[] = {
    {E::Popup, u"右键函数分类", 0, 0},
    {E::Item, u"添加到列表", 11002, 0},
    {E::Item, u"复制到剪贴板", 11003, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"展开所有分类", 11005, 0},
    {E::Item, u"收缩所有分类", 11006, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"新建分类", 11008, 0},
    {E::Item, u"重命名分类", 11018, 0},
    {E::Item, u"删除分类", 11009, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"添加函数", 11011, 0},
    {E::Item, u"删除函数", 11012, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键待插入", 0, 0},
    {E::Item, u"复制到剪贴板", 11014, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"移除项目", 11016, 0},
    {E::Item, u"全部移除", 11017, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键函数", 0, 0},
    {E::Item, u"添加到列表", 11004, 0},
    {E::Item, u"复制到剪贴板", 11007, 0},
    {E::Item, u"分类到...", 11013, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"删除", 11015, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键数据类型", 0, 0},
    {E::Item, u"添加到列表", 11019, 0},
    {E::Item, u"复制到剪贴板", 11020, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"删除", 11028, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"右键常量", 0, 0},
    {E::Item, u"添加到列表", 11022, 0},
    {E::Item, u"复制到剪贴板", 11023, 0},
    {E::Item, u"修改", 11025, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"删除", 11024, 0},
    {E::EndPopup, nullptr, 0, 0},

    {E::Popup, u"托盘菜单", 0, 0},
    {E::Item, u"显示界面", 11010, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"浏览函数", 11026, 0},
    {E::Item, u"浏览分类", 11027, 0},
    {E::Item, u"浏览数据类型", 11029, 0},
    {E::Item, u"浏览常量", 11030, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"软件设置", 11032, 0},
    {E::Separator, nullptr, 0, 0},
    {E::Item, u"退出", 11034, 0},
    {E::EndPopup, nullptr, 0, 0},
};

constexpr AcceleratorEntry kAccelerators1[] = {
    {Qt::Key_F1, kAccelNone, 10002}, {Qt::Key_F2, kAccelNone, 10003}, {Qt::Key_F3, kAccelNone, 10004},
    {Qt::Key_F4, kAccelNone, 10005}, {Qt::Key_F5, kAccelNone, 10008}, {Qt::Key_F8, kAccelNone, 10006},
    {Qt::Key_F, kAccelCtrl, 10007},
};

using S = ToolButtonStyle;
constexpr ToolButtonTemplate kMainToolbar[] = {
    {10002, 0, S::CheckGroup, u"浏览API函数[F1]", true},
    {10003, 1, S::CheckGroup, u"浏览API函数分类[F2]", false},
    {10004, 2, S::CheckGroup, u"浏览数据类型[F3]", false},
    {10005, 3, S::CheckGroup, u"浏览常量[F4]", false},
    {0, 0, S::Separator, nullptr, false},
    {10008, 4, S::Push, u"添加当前选中项目到列表[F5]", false},
    {10006, 5, S::Push, u"复制当前选中项目到剪贴板[F8]", false},
    {0, 0, S::Separator, nullptr, false},
    {10007, 6, S::Push, u"打开高级查找窗口[Ctrl + F]", false},
    {0, 0, S::Separator, nullptr, false},
    {10030, 7, S::Push, u"帮助", false},
    {10035, 8, S::Push, u"关于", false},
    {10036, 9, S::Push, u"退出", false},
    {0, 0, S::Separator, nullptr, false},
    {10040, 10, S::Push, u"设置", false},
};

}  // namespace

std::span<const MenuEntry> FindMenuTemplate(int menuId) {
  if (menuId == kMainMenu) return kMainMenuEntries;
  if (menuId == kContextMenus) return kContextMenuEntries;
  return {};
}

std::span<const AcceleratorEntry> FindAcceleratorTemplate(int tableId) {
  if (tableId == kAcceleratorTable) return kAccelerators1;
  return {};
}

std::span<const ToolButtonTemplate> MainToolbarTemplate() { return kMainToolbar; }

}  // namespace declarium
