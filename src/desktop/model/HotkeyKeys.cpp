#include "model/HotkeyKeys.h"

namespace declarium {

namespace {

struct KeyPair {
  int vk;
  std::uint32_t keysym;
};

constexpr KeyPair kKeyPairs[] = {
    {0x08, 0xFF08},  // BackSpace
    {0x09, 0xFF09},  // Tab
    {0x0D, 0xFF0D},  // Return
    {0x13, 0xFF13},  // Pause
    {0x14, 0xFFE5},  // Caps_Lock
    {0x1B, 0xFF1B},  // Escape
    {0x20, 0x0020},  // space
    {0x21, 0xFF55},  // Prior
    {0x22, 0xFF56},  // Next
    {0x23, 0xFF57},  // End
    {0x24, 0xFF50},  // Home
    {0x25, 0xFF51},  // Left
    {0x26, 0xFF52},  // Up
    {0x27, 0xFF53},  // Right
    {0x28, 0xFF54},  // Down
    {0x2C, 0xFF61},  // Print
    {0x2D, 0xFF63},  // Insert
    {0x2E, 0xFFFF},  // Delete
    {0x6A, 0xFFAA},  // KP_Multiply
    {0x6B, 0xFFAB},  // KP_Add
    {0x6D, 0xFFAD},  // KP_Subtract
    {0x6E, 0xFFAE},  // KP_Decimal
    {0x6F, 0xFFAF},  // KP_Divide
    {0x90, 0xFF7F},  // Num_Lock
    {0x91, 0xFF14},  // Scroll_Lock
    {0xBA, 0x003B},  // semicolon
    {0xBB, 0x003D},  // equal
    {0xBC, 0x002C},  // comma
    {0xBD, 0x002D},  // minus
    {0xBE, 0x002E},  // period
    {0xBF, 0x002F},  // slash
    {0xC0, 0x0060},  // grave
    {0xDB, 0x005B},  // bracketleft
    {0xDC, 0x005C},  // backslash
    {0xDD, 0x005D},  // bracketright
    {0xDE, 0x0027},  // apostrophe
};

}  // namespace

std::uint32_t KeysymFromVirtualKey(int vk) {
  if (vk >= 0x41 && vk <= 0x5A) return static_cast<std::uint32_t>(vk - 0x41 + 0x61);  // a-z
  if (vk >= 0x30 && vk <= 0x39) return static_cast<std::uint32_t>(vk);                // 0-9
  if (vk >= 0x60 && vk <= 0x69) return static_cast<std::uint32_t>(0xFFB0 + vk - 0x60);  // KP_0-KP_9
  if (vk >= 0x70 && vk <= 0x87) return static_cast<std::uint32_t>(0xFFBE + vk - 0x70);  // F1-F24
  for (const KeyPair& pair : kKeyPairs)
    if (pair.vk == vk) return pair.keysym;
  return 0;
}

std::uint16_t X11ModifiersFromHotkey(int modifiers) {
  std::uint16_t mask = 0;
  if (modifiers & 1) mask |= 1u << 3;  // Mod1: Alt
  if (modifiers & 2) mask |= 1u << 2;  // Control
  if (modifiers & 4) mask |= 1u << 0;  // Shift
  if (modifiers & 8) mask |= 1u << 6;  // Mod4: the Windows key
  return mask;
}

}  // namespace declarium
