// The stored hotkey's modifiers (Setings/功能键) as the hotkey control shows
// them. The platforms' terms for the key are the toolkit's (GlobalHotkeys).
#pragma once

namespace declarium {

// Swaps bit 0 and bit 2 and keeps bit 1, turning hotkey-control modifiers
// (1 Shift, 2 Ctrl, 4 Alt) into platform ones (1 Alt, 2 Ctrl, 4 Shift) and back.
inline int HotkeyModifiers(int m) { return ((m & 1) << 2) | ((m & 4) >> 2) | (m & 2); }

}  // namespace declarium
