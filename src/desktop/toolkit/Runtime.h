// Program-wide services of the GUI thread that do not wait for the user.
#pragma once

#include <QPointer>
#include <QWidget>

namespace declarium {

// While set, every window shows the wait cursor. Set/Clear nest: the cursor
// goes back after as many clears as sets.
class BusyCursor {
 public:
  static void Set();
  static void Clear();
  static bool IsSet();
};

// RAII form for a long loop.
class BusyCursorScope {
 public:
  BusyCursorScope() { BusyCursor::Set(); }
  ~BusyCursorScope() { BusyCursor::Clear(); }
  BusyCursorScope(const BusyCursorScope&) = delete;
  BusyCursorScope& operator=(const BusyCursorScope&) = delete;
};

// Kept across a modal dialog: when it ends, the window that was active gets
// the keyboard back, with the focus where it was, so its keys work without a
// click.
class FocusReturn {
 public:
  FocusReturn();
  ~FocusReturn();
  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
};

// Qt's own dialogs and buttons (the save-file dialog, say) in Chinese, from
// Qt's translation beside its libraries or in the program's "translations"
// folder. False where neither is found: they stay in English and everything
// else works as before.
bool InstallChineseTranslation();

// Lets pending events through (repaint, close clicks) during a long loop.
void PumpMessages();

}  // namespace declarium
