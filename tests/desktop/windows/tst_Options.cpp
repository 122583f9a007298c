// The options of the main window against a real Config.ini: the menu
// toggles, the affix and settings dialogs, the tray and hiding rules.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/windows/AppCatalogue.h"
#include "store/CatalogueStore.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/QtServices.h"
#include "toolkit/QtText.h"
#include "toolkit/ScriptedServices.h"
#include "toolkit/Window.h"
#include "windows/AffixDialog.h"
#include "windows/MainWindow.h"
#include "windows/TrayAndHotkey.h"

using namespace declarium;

namespace {

std::string Gbk(const char16_t* text) { return ToGbk(QString::fromUtf16(text)); }

// Runs check on the modal dialog once it is open (the caller then opens it).
void OnModal(std::function<void(Window&)> check) {
  QTimer::singleShot(0, [check] {
    auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (!w) {
      QFAIL("no modal dialog open");
      return;
    }
    check(*w);
  });
}

// Closes the popup menu that is about to open.
void CloseNextPopup() {
  QTimer::singleShot(50, [] {
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
  });
}

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedServices> services_;
  std::unique_ptr<CatalogueStore> store_;
  std::unique_ptr<ProfileFile> config_;
  std::unique_ptr<MainWindow> main_;

  Window& w() { return *main_->window(); }
  QString ConfigPath() const { return dir_->filePath(QStringLiteral("Config.ini")); }

  // Config.ini lines as UTF-16, written in GBK like the program's own file.
  void Start(const QString& configText = {}) {
    if (!configText.isEmpty()) {
      QFile f(ConfigPath());
      QVERIFY(f.open(QIODevice::WriteOnly));
      const std::string bytes = ToGbk(configText);
      f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    config_ = std::make_unique<ProfileFile>(ConfigPath().toStdString());
    main_ = std::make_unique<MainWindow>(*store_, *config_);
    QVERIFY(main_->Create());
  }
  QByteArray FileBytes() const {
    QFile f(ConfigPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  std::string Stored(const char16_t* key) const {
    return ProfileFile(ConfigPath().toStdString()).Read("Setings", Gbk(key), "<none>");
  }

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    const QString db = dir_->filePath(QStringLiteral("data.db"));
    QVERIFY(test::MakeAppCatalogue(db));
    store_ = std::make_unique<CatalogueStore>();
    QVERIFY(store_->OpenPath(db.toStdString(), false));
    services_ = std::make_unique<ScriptedServices>();
  }

  void cleanup() {
    main_.reset();
    config_.reset();
    store_.reset();
    services_.reset();
    dir_.reset();
  }

  void menuTogglesFlipTheCheckMarkAndWriteOnlyAtExit() {
    Start(QStringLiteral("[Setings]\r\n插入中文名=1\r\n"));
    const QByteArray before = FileBytes();
    main_->DispatchCommand(10024);
    main_->DispatchCommand(10025);
    main_->DispatchCommand(10001);
    QVERIFY(!main_->settings().style.insertChineseNames);
    QVERIFY(main_->settings().style.insertRemarks);
    QVERIFY(main_->settings().style.isPublic);
    QVERIFY(!w().Menu()->IsChecked(10024));
    QVERIFY(w().Menu()->IsChecked(10025));
    QVERIFY(w().Menu()->IsChecked(10001));
    QCOMPARE(FileBytes(), before);
    main_->DispatchCommand(10001);
    QVERIFY(!main_->settings().style.isPublic);

    main_->DispatchCommand(10036);
    QTRY_VERIFY(!main_->Exists());
    QCOMPARE(Stored(u"插入中文名"), std::string("0"));
    QCOMPARE(Stored(u"插入备注信息"), std::string("1"));
    QCOMPARE(Stored(u"Public"), std::string("0"));
  }

  void affixDialogCutsAtTwentyBytesAndWritesEverything() {
    Start(QStringLiteral("[Setings]\r\nAPI名称前缀=pre\r\nAPI名称后缀=后\r\n"));
    main_->DispatchCommand(10024);   // only in memory so far
    bool seen = false;
    OnModal([&seen](Window& d) {
      seen = true;
      QCOMPARE(d.Caption(), QStringLiteral("AP名称I前后缀"));
      QCOMPARE(d.ItemText(1602), QStringLiteral("pre"));
      QCOMPARE(d.ItemText(1603), QStringLiteral("后"));
      // 19 ASCII bytes, then a character at bytes 20-21: it goes whole.
      d.SetItemText(1602, QStringLiteral("abcdefghijklmnopqrs中x"));
      // Ten characters are exactly 20 bytes.
      d.SetItemText(1603, QStringLiteral("一二三四五六七八九十百"));
      d.button(1605)->click();
    });
    main_->DispatchCommand(10026);
    QVERIFY(seen);
    QCOMPARE(main_->settings().style.namePrefix, std::string("abcdefghijklmnopqrs"));
    QCOMPARE(main_->settings().style.nameSuffix, Gbk(u"一二三四五六七八九十"));
    QCOMPARE(Stored(u"API名称前缀"), std::string("abcdefghijklmnopqrs"));
    QCOMPARE(Stored(u"API名称后缀"), Gbk(u"一二三四五六七八九十"));
    // The whole record goes out, the toggle and the placement with it.
    QCOMPARE(Stored(u"插入中文名"), std::string("1"));
    QCOMPARE(ProfileFile(ConfigPath().toStdString()).Read("Config", "IsMax", "<none>"), std::string("0"));
  }

  void affixDialogCancelChangesNothing() {
    Start(QStringLiteral("[Setings]\r\nAPI名称前缀=pre\r\n"));
    const QByteArray before = FileBytes();
    OnModal([](Window& d) {
      d.SetItemText(1602, QStringLiteral("other"));
      d.button(1606)->click();
    });
    main_->DispatchCommand(10026);
    QCOMPARE(main_->settings().style.namePrefix, std::string("pre"));
    QCOMPARE(FileBytes(), before);
  }

  void settingsDialogKeepsOpenWhenTheHotkeyIsRefused() {
    Start();
    QVERIFY(main_->tray().HotkeyId() != 0);
    services_->setHotkeyResult(false);
    bool seen = false;
    OnModal([this, &seen](Window& d) {
      seen = true;
      QCOMPARE(d.Caption(), QStringLiteral("设置"));
      HotkeyEdit* edit = d.hotkeyEdit(1804);
      QCOMPARE(edit->KeyCode(), 75);
      QCOMPARE(edit->Modifiers(), static_cast<int>(kHotkeyAlt));
      QVERIFY(d.IsChecked(1806));
      QVERIFY(!d.IsChecked(1807));
      edit->SetHotkey(0x70, kHotkeyCtrl | kHotkeyShift);
      d.SetChecked(1807, true);
      d.button(1808)->click();
      QCOMPARE(services_->lastMessage().text, QStringLiteral("注册热键失败！请尝试其他热键"));
      QCOMPARE(services_->lastMessage().style, 0x10);
      QCOMPARE(services_->lastMessage().caption, QStringLiteral("信息："));
      QCOMPARE(services_->lastMessage().owner, &d);
      QVERIFY(d.isVisible());
      d.button(1809)->click();
    });
    main_->DispatchCommand(10040);
    QVERIFY(seen);
    // The refused combination is kept for the exit; the tray boxes are not.
    QCOMPARE(main_->settings().hotkeyKey, 0x70);
    QCOMPARE(main_->settings().hotkeyModifiers, 2 | 4);
    QVERIFY(!main_->settings().minimizeToTray);
    QCOMPARE(main_->tray().HotkeyId(), 0);
    QCOMPARE(services_->registeredHotkey(), 0);
    QCOMPARE(Stored(u"键代码"), std::string("<none>"));
  }

  void settingsDialogRegistersAndWritesAtOnce() {
    Start();
    const int first = main_->tray().HotkeyId();
    OnModal([](Window& d) {
      d.hotkeyEdit(1804)->SetHotkey(0x41, kHotkeyCtrl | kHotkeyAlt);
      d.SetChecked(1806, false);
      d.SetChecked(1807, true);
      d.button(1808)->click();
    });
    main_->DispatchCommand(11032);
    QCOMPARE(main_->tray().HotkeyId(), first + 1);
    QCOMPARE(services_->registeredHotkey(), main_->tray().HotkeyId());
    QCOMPARE(services_->hotkeyModifiers(), 1 | 2);
    QCOMPARE(services_->hotkeyKey(), 0x41);
    QCOMPARE(Stored(u"功能键"), std::string("3"));
    QCOMPARE(Stored(u"键代码"), std::string("65"));
    QCOMPARE(Stored(u"关闭到托盘"), std::string("0"));
    QCOMPARE(Stored(u"最小化到托盘"), std::string("1"));
    QCOMPARE(Stored(u"插入中文名"), std::string("<none>"));   // only those four
  }

  void offscreenHasNoGlobalHotkeys() {
    // The real services: without an X display or Windows there is nothing to grab.
    QtServices real;
    std::unique_ptr<Window> window = Window::Build(kAffixDialogTemplate);
    QCOMPARE(real.RegisterHotkey(window.get(), 1, 75), 0);
    QCOMPARE(real.RegisterHotkey(window.get(), 1, 75), 0);
    QVERIFY(!real.UnregisterHotkey(window.get(), 0));
    QVERIFY(!real.UnregisterHotkey(window.get(), 1));
  }

  void trayIconHotkeyAndMenuText() {
    Start();
    QVERIFY(services_->hasTrayIcon());
    QCOMPARE(services_->trayTip(), QStringLiteral("Declarium"));
    QCOMPARE(services_->hotkeyModifiers(), 1);
    QCOMPARE(services_->hotkeyKey(), 75);
    QAction* toggle = main_->contextMenus()->Action(11010);
    QVERIFY(toggle);

    CloseNextPopup();
    w().RaiseTrayEvent(2);
    QCOMPARE(toggle->text(), QStringLiteral("隐藏界面"));
    w().RaiseTrayEvent(1);
    QVERIFY(!w().IsShown());
    CloseNextPopup();
    w().RaiseTrayEvent(2);
    QCOMPARE(toggle->text(), QStringLiteral("显示界面"));
    main_->DispatchCommand(11010);
    QVERIFY(w().IsShown());

    w().RaiseHotkey(main_->tray().HotkeyId() + 1);   // not ours
    QVERIFY(w().IsShown());
    w().RaiseHotkey(main_->tray().HotkeyId());
    QVERIFY(!w().IsShown());
    w().RaiseHotkey(main_->tray().HotkeyId());
    QVERIFY(w().IsShown());

    main_->DispatchCommand(11034);
    QTRY_VERIFY(!main_->Exists());
    QVERIFY(!services_->hasTrayIcon());
    QCOMPARE(services_->registeredHotkey(), 0);
  }

  void closeToTrayHidesUntilExit() {
    Start();
    w().CloseWindow();   // as the title bar's button
    QCoreApplication::processEvents();
    QVERIFY(main_->Exists());
    QVERIFY(!w().IsShown());
    main_->DispatchCommand(11026);
    QVERIFY(w().IsShown());
    w().CloseWindow();
    QVERIFY(main_->Exists());
    main_->DispatchCommand(10036);
    QTRY_VERIFY(!main_->Exists());
  }

  void closeWithoutTrayEndsTheProgram() {
    Start(QStringLiteral("[Setings]\r\n关闭到托盘=0\r\n"));
    QSignalSpy finished(main_.get(), &MainWindow::finished);
    w().CloseWindow();
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!main_->Exists());
  }

  void minimiseToTray() {
    Start(QStringLiteral("[Setings]\r\n最小化到托盘=1\r\n"));
    w().SetState(kStateMinimised);
    QTRY_VERIFY(!w().IsShown());
    main_->tray().Toggle();
    QVERIFY(w().IsShown());
    QTRY_COMPARE(w().State(), static_cast<int>(kStateNormal));
  }

  void minimiseWithoutTrayStaysOnTheTaskbar() {
    Start();
    w().SetState(kStateMinimised);
    QTest::qWait(50);
    QVERIFY(w().IsShown());
    QCOMPARE(w().State(), static_cast<int>(kStateMinimised));
  }

  void windowHiddenWhileMaximisedComesBackNormal() {
    Start();
    w().SetState(kStateNormal);
    w().resize(640, 480);
    QTRY_COMPARE(w().size(), QSize(640, 480));
    w().SetState(kStateMaximised);
    QTRY_COMPARE(w().State(), static_cast<int>(kStateMaximised));
    main_->tray().Toggle();
    QVERIFY(!w().IsShown());
    main_->tray().Toggle();
    QVERIFY(w().IsShown());
    QTRY_COMPARE(w().State(), static_cast<int>(kStateNormal));
    QTRY_COMPARE(w().size(), QSize(640, 480));
  }
};

QTEST_MAIN(OptionsTest)
#include "tst_Options.moc"
