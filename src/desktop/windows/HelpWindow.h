// 帮助主题: the user guide that ships with the program (the Windows
// packages' 使用说明.txt, compiled in), in a window of its own.
#pragma once

#include <QString>

class QWidget;

namespace declarium {

struct WindowTemplate;

namespace help_control {
inline constexpr int kText = 2101;
inline constexpr int kClose = 2102;
}  // namespace help_control

// Template 2100.
extern const WindowTemplate kHelpWindowTemplate;

// The guide's text; empty when it was not compiled in.
QString UserGuideText();

// Modal over owner until closed.
void RunHelpWindow(QWidget* owner);

}  // namespace declarium
