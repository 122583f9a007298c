#include "model/HotkeyKeys.h"

#include <gtest/gtest.h>

namespace declarium {
namespace {

TEST(KeysymFromVirtualKey, MapsLettersDigitsAndFunctionKeys) {
  EXPECT_EQ(KeysymFromVirtualKey(0x4B), 0x6Bu);  // K -> XK_k
  EXPECT_EQ(KeysymFromVirtualKey(0x41), 0x61u);
  EXPECT_EQ(KeysymFromVirtualKey(0x5A), 0x7Au);
  EXPECT_EQ(KeysymFromVirtualKey(0x30), 0x30u);
  EXPECT_EQ(KeysymFromVirtualKey(0x39), 0x39u);
  EXPECT_EQ(KeysymFromVirtualKey(0x70), 0xFFBEu);  // F1
  EXPECT_EQ(KeysymFromVirtualKey(0x7B), 0xFFC9u);  // F12
  EXPECT_EQ(KeysymFromVirtualKey(0x60), 0xFFB0u);  // numpad 0
  EXPECT_EQ(KeysymFromVirtualKey(0x2E), 0xFFFFu);  // Delete
  EXPECT_EQ(KeysymFromVirtualKey(0x20), 0x20u);
  // Lower-case letter codes are numpad and function keys, not letters.
  EXPECT_EQ(KeysymFromVirtualKey(0x6B), 0xFFABu);
  EXPECT_EQ(KeysymFromVirtualKey(0), 0u);
  EXPECT_EQ(KeysymFromVirtualKey(0x5B), 0u);  // the Windows key itself
}

TEST(X11ModifiersFromHotkey, MapsEachBit) {
  EXPECT_EQ(X11ModifiersFromHotkey(1), 0x08);  // Alt = Mod1
  EXPECT_EQ(X11ModifiersFromHotkey(2), 0x04);
  EXPECT_EQ(X11ModifiersFromHotkey(4), 0x01);
  EXPECT_EQ(X11ModifiersFromHotkey(8), 0x40);
  EXPECT_EQ(X11ModifiersFromHotkey(1 | 2 | 4), 0x0D);
  EXPECT_EQ(X11ModifiersFromHotkey(0x30), 0);
}

}  // namespace
}  // namespace declarium
