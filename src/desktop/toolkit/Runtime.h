// Program-wide services of the GUI thread that do not wait for the user.
#pragma once


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

// Lets pending events through (repaint, close clicks) during a long loop.
void PumpMessages();

}  // namespace declarium
