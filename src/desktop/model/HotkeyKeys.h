// The stored hotkey (a Windows virtual-key code with hotkey modifier bits):
// as the hotkey control shows it, and in the terms of the X Window System,
// where global keys are grabbed.
#pragma once

#include <cstdint>

namespace declarium {

// Swaps bit 0 and bit 2 and keeps bit 1, turning hotkey-control modifiers
// (1 Shift, 2 Ctrl, 4 Alt) into platform ones (1 Alt, 2 Ctrl, 4 Shift) and back.
inline int HotkeyModifiers(int m) { return ((m & 1) << 2) | ((m & 4) >> 2) | (m & 2); }

// The X keysym of a virtual-key code; 0 for codes without one. Letters map
// to their lower-case keysyms, which is what the keyboard's first column holds.
std::uint32_t KeysymFromVirtualKey(int virtualKey);

// Hotkey modifiers (1 Alt, 2 Ctrl, 4 Shift, 8 Windows key) as X modifier
// masks (Mod1, Control, Shift, Mod4). Other bits are dropped.
std::uint16_t X11ModifiersFromHotkey(int modifiers);

}  // namespace declarium
