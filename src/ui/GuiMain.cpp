// The desktop program `declarium`.
#include <QApplication>

#include "app/StartupWindow.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The main window's teardown ends the program, not the last window closing.
  QApplication::setQuitOnLastWindowClosed(false);
  return declarium::RunDesktopProgram();
}
