// The process-wide settings record, kept in Config.ini beside the program.
#pragma once

#include <string>

namespace declarium {

struct Settings {
  bool insertChineseNames = false;  // Setings/插入中文名
  bool insertRemarks = false;       // Setings/插入备注信息
  bool isPublic = false;            // Setings/Public
  std::string namePrefix;           // Setings/API名称前缀
  std::string nameSuffix;           // Setings/API名称后缀
  int language = 0;                 // Setings/语言 (a SyntaxKind)
  int hotkeyModifiers = 1;          // Setings/功能键 (1 Alt, 2 Ctrl, 4 Shift)
  int hotkeyKey = 75;               // Setings/键代码 (virtual-key code, K)
  bool minimizeToTray = false;      // Setings/最小化到托盘
  bool closeToTray = true;          // Setings/关闭到托盘
  int browseWidth = 150;            // Config/BrowseWidth
  int spreadingHeight = 100;        // Config/SpreadingHeight
  int toInsertWidth = 150;          // Config/ToInsertWidth
};

}  // namespace declarium
