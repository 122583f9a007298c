// The dialog for the name prefix and suffix written around every generated
// function name.
#pragma once

#include <functional>

class QWidget;

namespace declarium {

struct DeclarationStyle;
struct WindowTemplate;

namespace affix_control {
inline constexpr int kPrefix = 1602;
inline constexpr int kSuffix = 1603;
inline constexpr int kOk = 1605;
inline constexpr int kCancel = 1606;
}  // namespace affix_control

// Template 1600.
extern const WindowTemplate kAffixDialogTemplate;

// Modal, owned by owner. On "确定" both texts are cut to 20 GBK bytes, stored
// in style and saveSettings runs (it writes the whole record). Returns
// true when confirmed.
bool RunAffixDialog(QWidget* owner, DeclarationStyle& style, const std::function<void()>& saveSettings);

}  // namespace declarium
