// The stored hotkey in the settings file's bits and in the terms of the X
// Window System, where global keys are grabbed.
#include <QtTest>

#include "toolkit/GlobalHotkeys.h"

using namespace declarium;

class HotkeyKeysTest : public QObject {
  Q_OBJECT
 private slots:
  void keysymsOfLettersDigitsAndFunctionKeys();
  void settingsBitsRoundTrip();
  void x11ModifiersOfEachBit();
};

void HotkeyKeysTest::keysymsOfLettersDigitsAndFunctionKeys() {
  QCOMPARE(KeysymFromVirtualKey(0x4B), 0x6Bu);  // K -> XK_k
  QCOMPARE(KeysymFromVirtualKey(0x41), 0x61u);
  QCOMPARE(KeysymFromVirtualKey(0x5A), 0x7Au);
  QCOMPARE(KeysymFromVirtualKey(0x30), 0x30u);
  QCOMPARE(KeysymFromVirtualKey(0x39), 0x39u);
  QCOMPARE(KeysymFromVirtualKey(0x70), 0xFFBEu);  // F1
  QCOMPARE(KeysymFromVirtualKey(0x7B), 0xFFC9u);  // F12
  QCOMPARE(KeysymFromVirtualKey(0x60), 0xFFB0u);  // numpad 0
  QCOMPARE(KeysymFromVirtualKey(0x2E), 0xFFFFu);  // Delete
  QCOMPARE(KeysymFromVirtualKey(0x20), 0x20u);
  // Lower-case letter codes are numpad and function keys, not letters.
  QCOMPARE(KeysymFromVirtualKey(0x6B), 0xFFABu);
  QCOMPARE(KeysymFromVirtualKey(0), 0u);
  QCOMPARE(KeysymFromVirtualKey(0x5B), 0u);  // the Windows key itself
}

void HotkeyKeysTest::settingsBitsRoundTrip() {
  // 功能键=1 in Config.ini is Alt, the default; 8 is the Windows key.
  QCOMPARE(ModifiersFromHotkeyBits(1), Qt::KeyboardModifiers(Qt::AltModifier));
  QCOMPARE(ModifiersFromHotkeyBits(8), Qt::KeyboardModifiers(Qt::MetaModifier));
  QCOMPARE(ModifiersFromHotkeyBits(0x30), Qt::KeyboardModifiers());
  for (int bits = 0; bits < 16; ++bits) QCOMPARE(HotkeyBitsFromModifiers(ModifiersFromHotkeyBits(bits)), bits);
  QCOMPARE(HotkeyBitsFromModifiers(Qt::KeypadModifier), 0);
}

void HotkeyKeysTest::x11ModifiersOfEachBit() {
  QCOMPARE(X11Modifiers(Qt::AltModifier), std::uint16_t{0x08});  // Mod1
  QCOMPARE(X11Modifiers(Qt::ControlModifier), std::uint16_t{0x04});
  QCOMPARE(X11Modifiers(Qt::ShiftModifier), std::uint16_t{0x01});
  QCOMPARE(X11Modifiers(Qt::MetaModifier), std::uint16_t{0x40});  // Mod4
  QCOMPARE(X11Modifiers(Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier), std::uint16_t{0x0D});
  QCOMPARE(X11Modifiers(Qt::KeypadModifier), std::uint16_t{0});
}

QTEST_APPLESS_MAIN(HotkeyKeysTest)
#include "tst_HotkeyKeys.moc"
