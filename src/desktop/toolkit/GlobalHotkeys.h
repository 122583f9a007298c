// System-wide hotkeys behind ModalServices: grabbed keys on the X root
// window, RegisterHotKey on Windows, nothing elsewhere (offscreen, Wayland).
#pragma once

#include <QAbstractNativeEventFilter>
#include <QPointer>
#include <Qt>
#include <cstdint>
#include <vector>

namespace declarium {

class Window;

// The X keysym of a virtual-key code; 0 for codes without one. Letters map
// to their lower-case keysyms, which is what the keyboard's first column holds.
std::uint32_t KeysymFromVirtualKey(int virtualKey);

// Modifiers are Qt's everywhere but at two edges. The settings file's 功能键
// holds them as Windows' RegisterHotKey takes them (1 Alt, 2 Ctrl, 4 Shift,
// 8 the Windows key); other bits are dropped.
Qt::KeyboardModifiers ModifiersFromHotkeyBits(int bits);
int HotkeyBitsFromModifiers(Qt::KeyboardModifiers modifiers);
// And X grabs keys by modifier mask (Mod1, Control, Shift, Mod4).
std::uint16_t X11Modifiers(Qt::KeyboardModifiers modifiers);

class GlobalHotkeys : public QAbstractNativeEventFilter {
 public:
  GlobalHotkeys();
  ~GlobalHotkeys() override;
  GlobalHotkeys(const GlobalHotkeys&) = delete;
  GlobalHotkeys& operator=(const GlobalHotkeys&) = delete;

  // key is a virtual-key code; of the modifiers only Alt, Ctrl, Shift and
  // Meta (the Windows key) count. A new id
  // (counter + 1) on success, 0 when the key cannot be had (taken by another
  // program, no key for the code, no platform support); the counter moves
  // only on success.
  int Register(Window* window, Qt::KeyboardModifiers modifiers, int key);
  bool Unregister(Window* window, int id);

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  struct Grab {
    int id = 0;
    QPointer<Window> window;
    std::uint32_t keycode = 0;    // X: key code; Windows: unused
    std::uint16_t modifiers = 0;  // X modifier mask without the lock bits
  };
  bool GrabKey(Grab& grab, Qt::KeyboardModifiers modifiers, int key);
  void ReleaseKey(const Grab& grab);

  int counter_ = 0;
  bool filterInstalled_ = false;
  std::vector<Grab> grabs_;
};

}  // namespace declarium
