// The desktop program `declarium`.
#include <QApplication>

#include "toolkit/Runtime.h"
#include "windows/DesktopProgram.h"
#include "windows/Pictures.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The main window's teardown ends the program, not the last window closing.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(declarium::ApplicationIcon());
  declarium::InstallChineseTranslation();
  return declarium::RunDesktopProgram();
}
