// The stored hotkey (a Windows virtual-key code with hotkey modifier bits)
// in the terms of the X Window System, where global keys are grabbed.
#pragma once

#include <cstdint>

namespace declarium {

// The X keysym of a virtual-key code; 0 for codes without one. Letters map
// to their lower-case keysyms, which is what the keyboard's first column holds.
std::uint32_t KeysymFromVirtualKey(int virtualKey);

// Hotkey modifiers (1 Alt, 2 Ctrl, 4 Shift, 8 Windows key) as X modifier
// masks (Mod1, Control, Shift, Mod4). Other bits are dropped.
std::uint16_t X11ModifiersFromHotkey(int modifiers);

}  // namespace declarium
