// The options of the main window against a real Config.ini: the menu
// toggles, the affix and settings dialogs, the tray and hiding rules.
#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/QtServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/AffixDialog.h"
#include "windows/Resources.h"
#include "windows/SettingsDialog.h"
#include "windows/TrayAndHotkey.h"

using namespace declarium;

namespace {

std::string Gbk(const char16_t* text) { return ToGbk(QString::fromUtf16(text)); }

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;

  QByteArray FileBytes() const {
    QFile f(s_.ConfigPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  std::string Stored(const char16_t* key) const {
    return ProfileFile(s_.ConfigPath().toStdString()).Read("Setings", Gbk(key), "<none>");
  }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  void menuTogglesFlipTheCheckMarkAndWriteOnlyAtExit() {
    QVERIFY(s_.Start(QStringLiteral("[Setings]\r\n插入中文名=1\r\n")));
    const QByteArray before = FileBytes();
    s_.main().DispatchCommand(command::kInsertChineseNames);
    s_.main().DispatchCommand(command::kInsertRemarks);
    s_.main().DispatchCommand(command::kPublic);
    QVERIFY(!s_.main().settings().style.insertChineseNames);
    QVERIFY(s_.main().settings().style.insertRemarks);
    QVERIFY(s_.main().settings().style.isPublic);
    QVERIFY(!s_.w().Menu()->IsChecked(command::kInsertChineseNames));
    QVERIFY(s_.w().Menu()->IsChecked(command::kInsertRemarks));
    QVERIFY(s_.w().Menu()->IsChecked(command::kPublic));
    QCOMPARE(FileBytes(), before);
    s_.main().DispatchCommand(command::kPublic);
    QVERIFY(!s_.main().settings().style.isPublic);
    s_.main().DispatchCommand(command::kCSharp64);
    QVERIFY(s_.main().settings().style.csharp64);
    QVERIFY(s_.w().Menu()->IsChecked(command::kCSharp64));
    s_.main().DispatchCommand(command::kVba7);
    QVERIFY(s_.w().Menu()->IsChecked(command::kVba7));

    s_.main().DispatchCommand(command::kExit);
    QTRY_VERIFY(!s_.main().Exists());
    QCOMPARE(Stored(u"插入中文名"), std::string("0"));
    QCOMPARE(Stored(u"插入备注信息"), std::string("1"));
    QCOMPARE(Stored(u"Public"), std::string("0"));
    QCOMPARE(Stored(u"C#按64位生成"), std::string("1"));
    QCOMPARE(Stored(u"VB按64位生成"), std::string("1"));
  }

  void affixDialogCutsAtTwentyBytesAndWritesEverything() {
    QVERIFY(s_.Start(QStringLiteral("[Setings]\r\nAPI名称前缀=pre\r\nAPI名称后缀=后\r\n")));
    s_.main().DispatchCommand(command::kInsertChineseNames);  // only in memory so far
    QVERIFY(s_.InModal(command::kAffixes, resource::kAffixDialog, [](Window& d) {
      QCOMPARE(d.Caption(), QStringLiteral("API名称前后缀"));
      QCOMPARE(d.ItemText(affix_control::kPrefix), QStringLiteral("pre"));
      QCOMPARE(d.ItemText(affix_control::kSuffix), QStringLiteral("后"));
      // 19 ASCII bytes, then a character at bytes 20-21: it goes whole.
      d.SetItemText(affix_control::kPrefix, QStringLiteral("abcdefghijklmnopqrs中x"));
      // Ten characters are exactly 20 bytes.
      d.SetItemText(affix_control::kSuffix, QStringLiteral("一二三四五六七八九十百"));
      d.button(affix_control::kOk)->click();
    }));
    QCOMPARE(s_.main().settings().style.namePrefix, std::string("abcdefghijklmnopqrs"));
    QCOMPARE(s_.main().settings().style.nameSuffix, Gbk(u"一二三四五六七八九十"));
    QCOMPARE(Stored(u"API名称前缀"), std::string("abcdefghijklmnopqrs"));
    QCOMPARE(Stored(u"API名称后缀"), Gbk(u"一二三四五六七八九十"));
    // The whole record goes out, the toggle and the placement with it.
    QCOMPARE(Stored(u"插入中文名"), std::string("1"));
    QCOMPARE(ProfileFile(s_.ConfigPath().toStdString()).Read("Config", "IsMax", "<none>"), std::string("0"));
  }

  void affixDialogCancelChangesNothing() {
    QVERIFY(s_.Start(QStringLiteral("[Setings]\r\nAPI名称前缀=pre\r\n")));
    const QByteArray before = FileBytes();
    QVERIFY(s_.InModal(command::kAffixes, resource::kAffixDialog, [](Window& d) {
      d.SetItemText(affix_control::kPrefix, QStringLiteral("other"));
      d.button(affix_control::kCancel)->click();
    }));
    QCOMPARE(s_.main().settings().style.namePrefix, std::string("pre"));
    QCOMPARE(FileBytes(), before);
  }

  void escapeInTheHotkeyBoxClosesTheSettingsDialog() {
    QVERIFY(s_.Start());
    QVERIFY(s_.InModal(command::kSettings, resource::kSettingsDialog, [](Window& d) {
      HotkeyEdit* edit = d.hotkeyEdit(settings_control::kHotkey);
      edit->setFocus();
      QTest::keyClick(edit, Qt::Key_Escape);
      QTRY_VERIFY(!d.isVisible());
    }));
    QCOMPARE(s_.main().settings().hotkeyKey, 75);  // Esc is no hotkey
  }

  void settingsDialogKeepsOpenWhenTheHotkeyIsRefused() {
    QVERIFY(s_.Start());
    QVERIFY(s_.main().tray().HotkeyId() != 0);
    s_.services().setHotkeyResult(false);
    QVERIFY(s_.InModal(command::kSettings, resource::kSettingsDialog, [this](Window& d) {
      QCOMPARE(d.Caption(), QStringLiteral("设置"));
      HotkeyEdit* edit = d.hotkeyEdit(settings_control::kHotkey);
      QCOMPARE(edit->KeyCode(), 75);
      QCOMPARE(edit->Modifiers(), Qt::KeyboardModifiers(Qt::AltModifier));
      QVERIFY(d.IsChecked(settings_control::kCloseToTray));
      QVERIFY(!d.IsChecked(settings_control::kMinimizeToTray));
      edit->SetHotkey(0x70, Qt::ControlModifier | Qt::ShiftModifier);
      d.SetChecked(settings_control::kMinimizeToTray, true);
      d.button(settings_control::kOk)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("注册热键失败！请尝试其他热键"));
      QCOMPARE(s_.services().lastMessage().style, 0x10);
      QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息："));
      QCOMPARE(s_.services().lastMessage().owner, &d);
      QVERIFY(d.isVisible());
      d.button(settings_control::kCancel)->click();
    }));
    // The refused combination is kept for the exit; the tray boxes are not.
    QCOMPARE(s_.main().settings().hotkeyKey, 0x70);
    QCOMPARE(s_.main().settings().hotkeyModifiers, 2 | 4);
    QVERIFY(!s_.main().settings().minimizeToTray);
    QCOMPARE(s_.main().tray().HotkeyId(), 0);
    QCOMPARE(s_.services().registeredHotkey(), 0);
    QCOMPARE(Stored(u"键代码"), std::string("<none>"));
  }

  void settingsDialogRegistersAndWritesAtOnce() {
    QVERIFY(s_.Start());
    const int first = s_.main().tray().HotkeyId();
    QVERIFY(s_.InModal(command::kTraySettings, resource::kSettingsDialog, [](Window& d) {
      d.hotkeyEdit(settings_control::kHotkey)->SetHotkey(0x41, Qt::ControlModifier | Qt::AltModifier);
      d.SetChecked(settings_control::kCloseToTray, false);
      d.SetChecked(settings_control::kMinimizeToTray, true);
      d.button(settings_control::kOk)->click();
    }));
    QCOMPARE(s_.main().tray().HotkeyId(), first + 1);
    QCOMPARE(s_.services().registeredHotkey(), s_.main().tray().HotkeyId());
    QCOMPARE(s_.services().hotkeyModifiers(), Qt::AltModifier | Qt::ControlModifier);
    QCOMPARE(s_.services().hotkeyKey(), 0x41);
    QCOMPARE(Stored(u"功能键"), std::string("3"));
    QCOMPARE(Stored(u"键代码"), std::string("65"));
    QCOMPARE(Stored(u"关闭到托盘"), std::string("0"));
    QCOMPARE(Stored(u"最小化到托盘"), std::string("1"));
    QCOMPARE(Stored(u"插入中文名"), std::string("<none>"));  // only those four
  }

  void offscreenHasNoGlobalHotkeys() {
#ifdef _WIN32
    QSKIP("RegisterHotKey needs no display (GlobalHotkeyTest::registerHotKeyOnWindows tests it)");
#endif
    // The real services: without an X display or Windows there is nothing to grab.
    QtServices real;
    std::unique_ptr<Window> window = Window::Build(kAffixDialogTemplate);
    QCOMPARE(real.RegisterHotkey(window.get(), Qt::AltModifier, 75), 0);
    QCOMPARE(real.RegisterHotkey(window.get(), Qt::AltModifier, 75), 0);
    QVERIFY(!real.UnregisterHotkey(window.get(), 0));
    QVERIFY(!real.UnregisterHotkey(window.get(), 1));
  }

  void trayIconHotkeyAndMenuText() {
    QVERIFY(s_.Start());
    QVERIFY(s_.services().hasTrayIcon());
    QCOMPARE(s_.services().trayTip(), QStringLiteral("Declarium"));
    QCOMPARE(s_.services().hotkeyModifiers(), Qt::KeyboardModifiers(Qt::AltModifier));
    QCOMPARE(s_.services().hotkeyKey(), 75);
    QAction* toggle = s_.main().contextMenus()->Action(command::kTrayToggle);
    QVERIFY(toggle);

    QVERIFY(test::ClosingPopup([this] { s_.w().RaiseTrayEvent(2); }));
    QCOMPARE(toggle->text(), QStringLiteral("隐藏界面"));
    s_.w().RaiseTrayEvent(1);
    QVERIFY(!s_.w().IsShown());
    QVERIFY(test::ClosingPopup([this] { s_.w().RaiseTrayEvent(2); }));
    QCOMPARE(toggle->text(), QStringLiteral("显示界面"));
    s_.main().DispatchCommand(command::kTrayToggle);
    QVERIFY(s_.w().IsShown());

    s_.w().RaiseHotkey(s_.main().tray().HotkeyId() + 1);  // not ours
    QVERIFY(s_.w().IsShown());
    s_.w().RaiseHotkey(s_.main().tray().HotkeyId());
    QVERIFY(!s_.w().IsShown());
    s_.w().RaiseHotkey(s_.main().tray().HotkeyId());
    QVERIFY(s_.w().IsShown());

    s_.main().DispatchCommand(command::kTrayExit);
    QTRY_VERIFY(!s_.main().Exists());
    QVERIFY(!s_.services().hasTrayIcon());
    QCOMPARE(s_.services().registeredHotkey(), 0);
  }

  void closeToTrayHidesUntilExit() {
    QVERIFY(s_.Start());
    s_.w().CloseWindow();  // as the title bar's button
    QCoreApplication::processEvents();
    QVERIFY(s_.main().Exists());
    QVERIFY(!s_.w().IsShown());
    s_.main().DispatchCommand(command::kTrayFunctions);
    QVERIFY(s_.w().IsShown());
    s_.w().CloseWindow();
    QVERIFY(s_.main().Exists());
    s_.main().DispatchCommand(command::kExit);
    QTRY_VERIFY(!s_.main().Exists());
  }

  void closeWithoutTrayEndsTheProgram() {
    QVERIFY(s_.Start(QStringLiteral("[Setings]\r\n关闭到托盘=0\r\n")));
    QSignalSpy finished(&s_.main(), &MainWindow::finished);
    s_.w().CloseWindow();
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!s_.main().Exists());
  }

  void minimiseToTray() {
    QVERIFY(s_.Start(QStringLiteral("[Setings]\r\n最小化到托盘=1\r\n")));
    s_.w().SetState(kStateMinimised);
    QTRY_VERIFY(!s_.w().IsShown());
    s_.main().tray().Toggle();
    QVERIFY(s_.w().IsShown());
    QTRY_COMPARE(s_.w().State(), static_cast<int>(kStateNormal));
  }

  void minimiseWithoutTrayStaysOnTheTaskbar() {
    QVERIFY(s_.Start());
    s_.w().SetState(kStateMinimised);
    QCoreApplication::processEvents();  // what the state change queued, a hiding included
    QVERIFY(s_.w().IsShown());
    QCOMPARE(s_.w().State(), static_cast<int>(kStateMinimised));
  }

  void windowHiddenWhileMaximisedComesBackNormal() {
    QVERIFY(s_.Start());
    s_.w().SetState(kStateNormal);
    s_.w().resize(640, 480);
    QTRY_COMPARE(s_.w().size(), QSize(640, 480));
    s_.w().SetState(kStateMaximised);
    QTRY_COMPARE(s_.w().State(), static_cast<int>(kStateMaximised));
    s_.main().tray().Toggle();
    QVERIFY(!s_.w().IsShown());
    s_.main().tray().Toggle();
    QVERIFY(s_.w().IsShown());
    QTRY_COMPARE(s_.w().State(), static_cast<int>(kStateNormal));
    QTRY_COMPARE(s_.w().size(), QSize(640, 480));
  }
};

QTEST_MAIN(OptionsTest)
#include "tst_Options.moc"
