// The shapes of window, menu, accelerator and toolbar resources, held as
// data tables by their owners; Window, MenuResource, AcceleratorTable and
// ToolBar build Qt objects from them.
#pragma once

#include <QFont>
#include <QRect>
#include <QString>
#include <span>

namespace declarium {

enum class ControlKind {
  ListBox,      // ListBox (QListWidget)
  Edit,         // EditBox (one line) or MultiLineEdit (style kMultiLine)
  Button,       // QPushButton
  CheckBox,     // QCheckBox
  RadioButton,  // QRadioButton
  GroupBox,     // QGroupBox, a frame only: controls "inside" are its siblings
  Static,       // QLabel
  ComboBox,     // DropDownList (QComboBox, not editable)
  TreeView,     // TreeView (QTreeWidget)
  ReportView,   // ReportView (QTableWidget)
  ToolBar,      // ToolBar
  StatusBar,    // StatusBar
  ProgressBar,  // QProgressBar
  HotkeyEdit,   // HotkeyEdit
  TabControl,   // TabControl (QTabBar)
  Browser,      // BrowserHost
};

// Style bits of a template control.
enum ControlStyle : unsigned {
  kNoStyle = 0,
  kHidden = 1u << 0,         // created hidden
  kDisabled = 1u << 1,       // created disabled
  kMultiLine = 1u << 2,      // Edit: MultiLineEdit
  kVScroll = 1u << 3,        // Edit/list: vertical scroll bar
  kHScroll = 1u << 4,        // Edit: horizontal scroll bar (no wrapping)
  kWantReturn = 1u << 5,     // MultiLineEdit: Enter makes a new line instead of pressing the default button
  kDefaultButton = 1u << 6,  // Button: the default button
  kReadOnly = 1u << 7,       // Edit
  kBorder = 1u << 8,         // thin border (browser host)
  kSingleSelection = 1u << 9,
  kShowSelectionAlways = 1u << 10,
  kGroupStart = 1u << 11,  // first radio button of a group
};

// ----- Menus --------------------------------------------------------------
// A menu resource is a flat list read in order: kPopup opens a popup (its
// items follow), kEndPopup closes the innermost open popup.
enum class MenuEntryKind { Popup, Item, Separator, EndPopup };
enum MenuEntryFlag : unsigned {
  kMenuNoFlag = 0,
  kMenuCheckable = 1u << 0,     // item can carry a check mark
  kMenuRightAligned = 1u << 1,  // popup placed at the right end of the menu bar
};
struct MenuEntry {
  MenuEntryKind kind;
  const char16_t* text;  // with '&' mnemonics; a TAB separates the shown key text
  int commandId;         // items only
  unsigned flags;        // MenuEntryFlag bits
};

// One control of a dialog template; geometry in dialog units. A width or
// height of 0 means "the control's natural size" (static texts, combo height).
struct ControlTemplate {
  int id;  // -1 for unnamed statics and group frames
  ControlKind kind;
  const char16_t* caption;  // may be nullptr
  int x, y, width, height;  // dialog units
  unsigned style;           // ControlStyle bits
};

struct WindowTemplate {
  int id;
  const char16_t* title;
  const char16_t* className;        // nullptr unless the window is found by class ("mornel-API")
  int width, height;                // client size, dialog units
  std::span<const MenuEntry> menu;  // the menu bar; empty = none (a dialog)
  std::span<const ControlTemplate> controls;
};

// ----- Accelerators -------------------------------------------------------
struct AcceleratorEntry {
  int qtKey;  // Qt::Key
  Qt::KeyboardModifiers modifiers;
  int commandId;
};

// ----- Main toolbar -------------------------------------------------------
enum class ToolButtonStyle { Push, CheckGroup, Separator };
struct ToolButtonTemplate {
  int commandId;  // 0 for separators
  int picture;    // index into the toolbar picture list
  ToolButtonStyle style;
  const char16_t* tooltip;
  bool pressed;  // initial state
};

// ----- Dialog units -------------------------------------------------------
// Dialog base units of a font, as the platform computes them: x = average
// width of the Latin letters (rounded), y = the font's line height.
struct DialogBaseUnits {
  int x = 8;
  int y = 16;
};
DialogBaseUnits BaseUnitsOf(const QFont& font);
// x and width scale by base.x / 4, y and height by base.y / 8 (rounded).
QRect DialogUnitsToPixels(const QRect& dialogUnits, DialogBaseUnits base);
int HorizontalDialogUnits(int du, DialogBaseUnits base);
int VerticalDialogUnits(int du, DialogBaseUnits base);

}  // namespace declarium
