// The real program under a virtual X display: Alt+K, pressed through the X
// test extension, hides the main window and brings it back. A second copy on
// the same display cannot have the key and runs on without it. On Windows
// (under Wine), RegisterHotKey: a key taken is refused, and free again once
// unregistered.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <QGuiApplication>
#include <memory>

#include "desktop/windows/AppCatalogue.h"
#include "toolkit/GlobalHotkeys.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"

namespace {

// Runs inside xvfb-run; every step prints one word, so a failure shows where it stopped.
constexpr char kScript[] = R"sh(#!/bin/sh
echo display
visible() { xdotool search --onlyvisible --name '^Declarium$' 2>/dev/null | wc -l; }
# Waits up to ten seconds for the number of visible main windows.
await() { i=0; while [ "$(visible)" -ne "$1" ]; do i=$((i+1)); [ $i -gt 50 ] && return 1; sleep 0.2; done; }
start() { (cd "$1" && DECLARIUM_INSTANCE_NAME="$PWD/instance" QT_QPA_PLATFORM=xcb exec ./declarium 2>>"$PWD/stderr.log") & }
start first; first=$!
await 1 && echo shown || { kill $first; exit 1; }
xdotool key alt+k
await 0 && echo hidden || { kill $first; exit 1; }
xdotool key alt+k
await 1 && echo back || { kill $first; exit 1; }
start second; second=$!
await 2 && echo second || { kill $first $second; exit 1; }
xdotool key alt+k
await 1 && echo toggled-one || { kill $first $second; exit 1; }
kill -0 $second && echo second-alive
xdotool key alt+k
await 2 && echo both
kill $first $second
wait
)sh";

bool CopyProgramInto(const QString& dir) {
  const QString target = QDir(dir).filePath(QStringLiteral("declarium"));
  // The copy keeps its Config.ini beside itself, inside the temporary folder.
  return QDir().mkpath(dir) && QFile::copy(QStringLiteral(DECLARIUM_PROGRAM), target) &&
         QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner) &&
         declarium::test::MakeAppCatalogue(QDir(dir).filePath(QStringLiteral("data.db")));
}

}  // namespace

class GlobalHotkeyTest : public QObject {
  Q_OBJECT

 private slots:
  void registerHotKeyOnWindows() {
#ifndef _WIN32
    QSKIP("RegisterHotKey is the Windows code");
#endif
    if (QGuiApplication::platformName() != QLatin1String("windows"))
      QSKIP("needs the windows platform plugin (a real window handle)");
    using declarium::Window;
    std::unique_ptr<Window> first = Window::Build(declarium::kMainWindowTemplate);
    std::unique_ptr<Window> second = Window::Build(declarium::kMainWindowTemplate);
    first->show();
    second->show();
    declarium::GlobalHotkeys hotkeys, other;
    constexpr Qt::KeyboardModifiers kAltCtrl = Qt::AltModifier | Qt::ControlModifier;
    constexpr int kKeyK = 0x4B;
    const int id = hotkeys.Register(first.get(), kAltCtrl, kKeyK);
    QCOMPARE(id, 1);
    // Taken: refused, and the counter does not move.
    QCOMPARE(other.Register(second.get(), kAltCtrl, kKeyK), 0);
    QVERIFY(hotkeys.Unregister(first.get(), id));
    QCOMPARE(other.Register(second.get(), kAltCtrl, kKeyK), 1);
  }

  void altKHidesAndShowsTheWindow() {
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
    if (xvfbRun.isEmpty() || xdotool.isEmpty()) QSKIP("needs xvfb-run and xdotool");

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(CopyProgramInto(dir.filePath(QStringLiteral("first"))));
    QVERIFY(CopyProgramInto(dir.filePath(QStringLiteral("second"))));
    QFile script(dir.filePath(QStringLiteral("run.sh")));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(kScript);
    script.close();

    QProcess run;
    run.setWorkingDirectory(dir.path());
    run.setProcessChannelMode(QProcess::SeparateChannels);
    run.start(xvfbRun, {QStringLiteral("-a"), QStringLiteral("sh"), script.fileName()});
    QVERIFY(run.waitForStarted());
    if (!run.waitForFinished(60000)) {
      run.kill();
      run.waitForFinished();
      QFAIL("the display session did not end");
    }
    const QString out = QString::fromLocal8Bit(run.readAllStandardOutput());
    if (!out.startsWith(QStringLiteral("display"))) QSKIP("no virtual X display could be started");
    const QStringList expected = {QStringLiteral("display"),      QStringLiteral("shown"),
                                  QStringLiteral("hidden"),       QStringLiteral("back"),
                                  QStringLiteral("second"),       QStringLiteral("toggled-one"),
                                  QStringLiteral("second-alive"), QStringLiteral("both")};
    const QStringList steps = out.split(u'\n', Qt::SkipEmptyParts);
    if (steps != expected) {
      QFile errors(dir.filePath(QStringLiteral("first/stderr.log")));
      if (errors.open(QIODevice::ReadOnly)) qWarning().noquote() << errors.readAll();
    }
    QCOMPARE(steps, expected);
  }
};

QTEST_MAIN(GlobalHotkeyTest)
#include "tst_GlobalHotkey.moc"
