// Acting inside a window that the code under test opens and runs until it is
// closed (a modal window, a popup menu, the program's main window): the
// action waits for the window itself, at every pass of the event loop, never
// for a length of time.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

#include "toolkit/Window.h"

namespace declarium::test {

// Calls open(), which returns once the window it runs is closed, and runs
// body(*w) as soon as find() returns a window w; asking stops when open()
// returns. True when body ran.
template <class Find, class Body>
bool WhenOpen(Find find, const std::function<void()>& open, Body body) {
  auto waiting = std::make_shared<bool>(true);
  bool ran = false;
  std::function<void()> poll;
  poll = [&, waiting] {
    if (!*waiting) return;  // open() has returned: nothing here is alive any more
    auto* w = find();
    if (w == nullptr) {
      QTimer::singleShot(0, poll);
      return;
    }
    *waiting = false;
    ran = true;
    body(*w);
  };
  QTimer::singleShot(0, poll);
  open();
  *waiting = false;
  return ran;
}

// Runs body inside the modal window of templateId that open() shows, and
// closes the window afterwards if body left it open.
inline bool InModal(int templateId, const std::function<void()>& open, const std::function<void(Window&)>& body) {
  const auto find = [templateId]() -> Window* {
    auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
    return w != nullptr && w->TemplateId() == templateId ? w : nullptr;
  };
  return WhenOpen(find, open, [&](Window& w) {
    QPointer<Window> alive(&w);
    body(w);
    if (alive && alive->isVisible()) alive->CloseWindow();
  });
}

// Closes the popup menu that open() shows without choosing from it.
inline bool ClosingPopup(const std::function<void()>& open) {
  return WhenOpen([] { return QApplication::activePopupWidget(); }, open, [](QWidget& popup) { popup.close(); });
}

}  // namespace declarium::test
