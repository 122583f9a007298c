#include "toolkit/GlobalHotkeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>

#include "toolkit/Window.h"

#if defined(DECLARIUM_HAVE_XCB) && !defined(_WIN32)
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>
#define DECLARIUM_X11_HOTKEYS 1
#endif

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#undef MessageBox
#endif

namespace declarium {

namespace {

// The virtual-key codes outside the runs KeysymFromVirtualKey works out, with their X keysyms.
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

#ifdef DECLARIUM_X11_HOTKEYS

// The modifiers a hotkey is compared on; Caps Lock and Num Lock are ignored.
constexpr std::uint16_t kHotkeyMask = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
// Every grab is made for each lock state, or the key would not fire while Caps
// Lock or Num Lock (Mod2) is on.
constexpr std::uint16_t kLockVariants[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2, XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};

xcb_connection_t* X11Connection() {
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  if (it.rem > 0 && it.data) return it.data->root;
  return static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

// The first key code whose keyboard mapping holds keysym; 0 when none does.
xcb_keycode_t KeycodeOf(xcb_connection_t* connection, xcb_keysym_t keysym) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  const int first = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, static_cast<std::uint8_t>(count)), nullptr);
  if (!reply) return 0;
  xcb_keycode_t found = 0;
  const int perKey = reply->keysyms_per_keycode;
  const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
  const int length = xcb_get_keyboard_mapping_keysyms_length(reply);
  for (int i = 0; perKey > 0 && i < length; ++i) {
    if (syms[i] == keysym) {
      found = static_cast<xcb_keycode_t>(first + i / perKey);
      break;
    }
  }
  std::free(reply);
  return found;
}

void UngrabAllVariants(xcb_connection_t* connection, xcb_window_t root, std::uint32_t keycode,
                       std::uint16_t modifiers) {
  for (std::uint16_t lock : kLockVariants)
    xcb_ungrab_key(connection, static_cast<xcb_keycode_t>(keycode), root, static_cast<std::uint16_t>(modifiers | lock));
  xcb_flush(connection);
}

#endif

}  // namespace

std::uint32_t KeysymFromVirtualKey(int vk) {
  if (vk >= 0x41 && vk <= 0x5A) return static_cast<std::uint32_t>(vk - 0x41 + 0x61);    // a-z
  if (vk >= 0x30 && vk <= 0x39) return static_cast<std::uint32_t>(vk);                  // 0-9
  if (vk >= 0x60 && vk <= 0x69) return static_cast<std::uint32_t>(0xFFB0 + vk - 0x60);  // KP_0-KP_9
  if (vk >= 0x70 && vk <= 0x87) return static_cast<std::uint32_t>(0xFFBE + vk - 0x70);  // F1-F24
  for (const KeyPair& pair : kKeyPairs)
    if (pair.vk == vk) return pair.keysym;
  return 0;
}

Qt::KeyboardModifiers ModifiersFromHotkeyBits(int bits) {
  Qt::KeyboardModifiers m;
  if (bits & 1) m |= Qt::AltModifier;
  if (bits & 2) m |= Qt::ControlModifier;
  if (bits & 4) m |= Qt::ShiftModifier;
  if (bits & 8) m |= Qt::MetaModifier;
  return m;
}

int HotkeyBitsFromModifiers(Qt::KeyboardModifiers m) {
  return (m & Qt::AltModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::ShiftModifier ? 4 : 0) |
         (m & Qt::MetaModifier ? 8 : 0);
}

std::uint16_t X11Modifiers(Qt::KeyboardModifiers m) {
  std::uint16_t mask = 0;
  if (m & Qt::AltModifier) mask |= 1u << 3;      // Mod1
  if (m & Qt::ControlModifier) mask |= 1u << 2;  // Control
  if (m & Qt::ShiftModifier) mask |= 1u << 0;    // Shift
  if (m & Qt::MetaModifier) mask |= 1u << 6;     // Mod4
  return mask;
}

GlobalHotkeys::GlobalHotkeys() = default;

GlobalHotkeys::~GlobalHotkeys() {
  for (const Grab& grab : grabs_) ReleaseKey(grab);
  if (filterInstalled_ && QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

int GlobalHotkeys::Register(Window* window, Qt::KeyboardModifiers modifiers, int key) {
  if (!window || key <= 0 || key > 0xFF) return 0;
  Grab grab;
  grab.id = counter_ + 1;
  grab.window = window;
  if (!GrabKey(grab, modifiers, key)) return 0;
  counter_ = grab.id;
  grabs_.push_back(grab);
  if (!filterInstalled_ && QCoreApplication::instance()) {
    QCoreApplication::instance()->installNativeEventFilter(this);
    filterInstalled_ = true;
  }
  return grab.id;
}

bool GlobalHotkeys::Unregister(Window* window, int id) {
  auto it = std::find_if(grabs_.begin(), grabs_.end(), [&](const Grab& g) { return g.id == id && g.window == window; });
  if (id == 0 || it == grabs_.end()) return false;
  ReleaseKey(*it);
  grabs_.erase(it);
  return true;
}

#ifdef DECLARIUM_X11_HOTKEYS

bool GlobalHotkeys::GrabKey(Grab& grab, Qt::KeyboardModifiers modifiers, int key) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return false;
  const xcb_window_t root = RootWindow(connection);
  const xcb_keysym_t keysym = KeysymFromVirtualKey(key);
  if (root == XCB_WINDOW_NONE || keysym == 0) return false;
  const xcb_keycode_t keycode = KeycodeOf(connection, keysym);
  if (keycode == 0) return false;
  const std::uint16_t mask = X11Modifiers(modifiers);

  xcb_void_cookie_t cookies[std::size(kLockVariants)];
  for (std::size_t i = 0; i < std::size(kLockVariants); ++i)
    cookies[i] = xcb_grab_key_checked(connection, 1, root, static_cast<std::uint16_t>(mask | kLockVariants[i]), keycode,
                                      XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
  // A key another client holds answers BadAccess; then none of the variants is kept.
  bool granted = true;
  for (xcb_void_cookie_t cookie : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
      granted = false;
      std::free(error);
    }
  }
  if (!granted) {
    UngrabAllVariants(connection, root, keycode, mask);
    return false;
  }
  grab.keycode = keycode;
  grab.modifiers = mask;
  return true;
}

void GlobalHotkeys::ReleaseKey(const Grab& grab) {
  xcb_connection_t* connection = X11Connection();
  if (!connection) return;
  const xcb_window_t root = RootWindow(connection);
  if (root != XCB_WINDOW_NONE) UngrabAllVariants(connection, root, grab.keycode, grab.modifiers);
}

bool GlobalHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t" || !message) return false;
  auto* event = static_cast<xcb_generic_event_t*>(message);
  if ((event->response_type & 0x7F) != XCB_KEY_PRESS) return false;
  auto* press = static_cast<xcb_key_press_event_t*>(message);
  const std::uint16_t state = press->state & kHotkeyMask;
  for (const Grab& grab : grabs_) {
    if (grab.keycode != press->detail || grab.modifiers != state || grab.window.isNull()) continue;
    // The handler may change the registrations; keep what it needs first.
    QPointer<Window> window = grab.window;
    const int id = grab.id;
    window->RaiseHotkey(id);
    return true;
  }
  return false;
}

#elif defined(_WIN32)

bool GlobalHotkeys::GrabKey(Grab& grab, Qt::KeyboardModifiers modifiers, int key) {
  const HWND hwnd = reinterpret_cast<HWND>(grab.window->winId());
  // MOD_ALT, MOD_CONTROL, MOD_SHIFT and MOD_WIN are the settings file's bits.
  const UINT mods = static_cast<UINT>(HotkeyBitsFromModifiers(modifiers));
  return RegisterHotKey(hwnd, grab.id, mods, static_cast<UINT>(key)) != 0;
}

void GlobalHotkeys::ReleaseKey(const Grab& grab) {
  if (!grab.window.isNull()) UnregisterHotKey(reinterpret_cast<HWND>(grab.window->winId()), grab.id);
}

bool GlobalHotkeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "windows_generic_MSG" || !message) return false;
  const MSG* msg = static_cast<const MSG*>(message);
  if (msg->message != WM_HOTKEY) return false;
  const int id = static_cast<int>(msg->wParam);
  for (const Grab& grab : grabs_) {
    if (grab.id != id || grab.window.isNull()) continue;
    QPointer<Window> window = grab.window;
    window->RaiseHotkey(id);
    return true;
  }
  return false;
}

#else

bool GlobalHotkeys::GrabKey(Grab&, Qt::KeyboardModifiers, int) { return false; }
void GlobalHotkeys::ReleaseKey(const Grab&) {}
bool GlobalHotkeys::nativeEventFilter(const QByteArray&, void*, qintptr*) { return false; }

#endif

}  // namespace declarium
