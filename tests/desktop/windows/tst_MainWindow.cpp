// The real main window over a catalogue made by the test.
#include <QAbstractButton>
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/windows/AppCatalogue.h"
#include "store/CatalogueStore.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "toolkit/ScriptedServices.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"

using namespace declarium;

namespace {

QRect ToQRect(const Rect& r, QWidget* w) {
  return QRect(r.left, r.top, r.width, r.height == kKeep ? w->height() : r.height);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedServices> services_;
  std::unique_ptr<CatalogueStore> store_;
  std::unique_ptr<ProfileFile> config_;
  std::unique_ptr<MainWindow> main_;

  Window& w() { return *main_->window(); }
  QString ConfigPath() const { return dir_->filePath(QStringLiteral("Config.ini")); }

  void Start(const std::string& configText = {}) {
    if (!configText.empty()) {
      QFile f(ConfigPath());
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(configText.data(), static_cast<qint64>(configText.size()));
    }
    config_ = std::make_unique<ProfileFile>(ConfigPath().toStdString());
    main_ = std::make_unique<MainWindow>(*store_, *config_);
    QVERIFY(main_->Create());
  }

  // What a view command may change, to check that it changed nothing.
  struct Snapshot {
    BrowseMode mode;
    std::vector<bool> visible;
    std::vector<QRect> geometry;
    std::vector<bool> pressed;
    QString page;
    bool operator==(const Snapshot&) const = default;
  };
  Snapshot Take() {
    Snapshot s{main_->browseMode(), {}, {}, {}, w().browser(1007)->PageSource()};
    for (int id : w().ControlIds()) {
      s.visible.push_back(w().Item(id)->isVisible());
      s.geometry.push_back(w().Item(id)->geometry());
    }
    for (int i = 0; i < 4; ++i) s.pressed.push_back(w().toolBar(1005)->IsPressed(i));
    return s;
  }

  void ExpectLayoutMatches() {
    const MainLayout l = LayoutMainWindow(main_->CurrentLayout());
    if (l.lists) {
      QCOMPARE(w().Item(1001)->geometry(), ToQRect(*l.lists, w().Item(1001)));
      QCOMPARE(w().Item(1002)->geometry(), ToQRect(*l.lists, w().Item(1002)));
      QCOMPARE(w().Item(1003)->geometry(), ToQRect(*l.lists, w().Item(1003)));
      QCOMPARE(w().Item(1007)->geometry(), ToQRect(*l.detailBrowser, w().Item(1007)));
      QCOMPARE(main_->splitter(Splitter::Left)->geometry(), ToQRect(*l.leftSplitter, nullptr));
      QCOMPARE(main_->splitter(Splitter::Bottom)->geometry(), ToQRect(*l.bottomSplitter, nullptr));
    } else {
      QCOMPARE(w().Item(1016)->geometry(), ToQRect(*l.constantList, w().Item(1016)));
      for (int i = 0; i < 4; ++i) {
        QCOMPARE(w().Item(1012 + i)->geometry(), ToQRect(*l.pagingButtons[i], w().Item(1012 + i)));
      }
    }
    QCOMPARE(w().Item(1004)->geometry(), ToQRect(l.searchBox, w().Item(1004)));
    QCOMPARE(w().Item(1008)->geometry(), ToQRect(l.entryTextBox, w().Item(1008)));
    QCOMPARE(main_->splitter(Splitter::Right)->geometry(), ToQRect(l.rightSplitter, nullptr));
    QCOMPARE(w().Item(1011)->geometry(), ToQRect(l.languageBox, w().Item(1011)));
    QCOMPARE(w().Item(1010)->geometry(), ToQRect(l.copyButton, w().Item(1010)));
    QCOMPARE(w().Item(1009)->geometry(), ToQRect(l.insertList, w().Item(1009)));
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

  void createsTheWindowWithItsControls() {
    Start();
    QCOMPARE(w().Caption(), QStringLiteral("Declarium"));
    QCOMPARE(w().ClassName(), QStringLiteral("mornel-API"));
    QCOMPARE(Window::FindByClassName(QStringLiteral("mornel-API")), &w());
    for (int id = 1001; id <= 1016; ++id) QVERIFY2(w().Item(id) != nullptr, qPrintable(QString::number(id)));

    ToolBar* bar = w().toolBar(1005);
    QCOMPARE(bar->ButtonCount(), 11);
    const int commands[] = {10002, 10003, 10004, 10005, 10008, 10006, 10007, 10030, 10035, 10036, 10040};
    for (int i = 0; i < 11; ++i) QCOMPARE(bar->CommandOf(i), commands[i]);
    QCOMPARE(bar->TooltipOf(0), QStringLiteral("浏览API函数[F1]"));
    QCOMPARE(bar->TooltipOf(9), QStringLiteral("退出"));
    QVERIFY(bar->IsPressed(0));
    QVERIFY(!bar->IsPressed(1));

    QCOMPARE(w().statusBar(1006)->PartCount(), 2);
    DropDownList* language = w().dropDownList(1011);
    QCOMPARE(language->count(), 3);
    QCOMPARE(language->ItemText(0), QStringLiteral("易语言"));
    QCOMPARE(language->ItemText(1), QStringLiteral("CSharp"));
    QCOMPARE(language->ItemText(2), QStringLiteral("VB"));

    // The function list is filled in name order and its first row is shown.
    ListBox* functions = w().listBox(1001);
    QCOMPARE(functions->Count(), 2);
    QCOMPARE(functions->RowText(0), QStringLiteral("GetTickCount"));
    QCOMPARE(functions->Selection(), 0);
    QVERIFY(w().browser(1007)->PageSource().contains(QStringLiteral("GetTickCount")));
    QCOMPARE(w().listBox(1002)->Count(), 0);  // data types wait for their view
    QVERIFY(w().Item(1001)->isVisible());
    QVERIFY(!w().Item(1002)->isVisible());
    QVERIFY(!w().Item(1003)->isVisible());
    QVERIFY(!w().Item(1016)->isVisible());
    QCOMPARE(main_->browseMode(), BrowseMode::Functions);
  }

  void selectingAFunctionShowsItsPage() {
    Start();
    w().listBox(1001)->setCurrentRow(1);  // as the user selects
    QVERIFY(w().browser(1007)->PageSource().contains(QStringLiteral("MessageBoxA")));
    QCOMPARE(w().statusBar(1006)->PartText(0), QStringLiteral("MessageBoxA"));
    QCOMPARE(w().statusBar(1006)->PartText(1), QStringLiteral("弹出信息框"));
    // The page's own text goes first; the row's name is written after it.
    QCOMPARE(w().multiLineEdit(1008)->Text(), QStringLiteral("MessageBoxA"));

    // A vanished row reports the failed load and keeps the page.
    const QString before = w().browser(1007)->PageSource();
    QVERIFY(store_->Exec(ToGbk(QStringLiteral("drop table 函数参数表"))));
    w().listBox(1001)->setCurrentRow(0);
    QCOMPARE(services_->lastMessage().text, QStringLiteral("获取数据错误！"));
    QCOMPARE(services_->lastMessage().style, 0x10);
    QCOMPARE(w().browser(1007)->PageSource(), before);
  }

  void settingsAtCreationSetTheChecksAndTheLanguage() {
    Start(ToGbk(QStringLiteral("[Setings]\r\n插入中文名=1\r\nPublic=\r\n语言=2\r\n[Config]\r\nBrowseWidth=220\r\n")));
    QVERIFY(w().Menu()->IsChecked(10024));
    QVERIFY(!w().Menu()->IsChecked(10025));
    QVERIFY(w().Menu()->IsChecked(10001));  // an empty value counts as on
    QCOMPARE(w().dropDownList(1011)->Selection(), 2);
    QCOMPARE(main_->settings().browseWidth, 220);
    QCOMPARE(w().Item(1001)->width(), 220);
  }

  void optionCommandsToggleTheirChecks() {
    Start();
    main_->DispatchCommand(10024);
    QVERIFY(w().Menu()->IsChecked(10024));
    QVERIFY(main_->settings().style.insertChineseNames);
    main_->DispatchCommand(10024);
    QVERIFY(!main_->settings().style.insertChineseNames);
    main_->DispatchCommand(10025);
    QVERIFY(main_->settings().style.insertRemarks);
    main_->DispatchCommand(10001);
    QVERIFY(main_->settings().style.isPublic);
    QVERIFY(w().Menu()->IsChecked(10001));
    QVERIFY(services_->messages().empty());
  }

  void viewCommandsSwitchViewsAndFillOnce() {
    Start();
    main_->DispatchCommand(10004);
    QCOMPARE(main_->browseMode(), BrowseMode::DataTypes);
    QCOMPARE(w().listBox(1002)->Count(), 2);
    QVERIFY(w().Item(1002)->isVisible());
    QVERIFY(!w().Item(1001)->isVisible());
    QVERIFY(w().toolBar(1005)->IsPressed(2));
    QVERIFY(!w().toolBar(1005)->IsPressed(0));
    ExpectLayoutMatches();

    main_->DispatchCommand(10005);
    QCOMPARE(main_->browseMode(), BrowseMode::Constants);
    QVERIFY(w().Item(1016)->isVisible());
    QVERIFY(w().Item(1012)->isVisible());
    QVERIFY(!w().Item(1007)->isVisible());
    QVERIFY(!main_->splitter(Splitter::Left)->isVisible());
    QVERIFY(main_->splitter(Splitter::Right)->isVisible());
    ExpectLayoutMatches();

    main_->DispatchCommand(10003);
    QCOMPARE(main_->browseMode(), BrowseMode::Categories);
    QVERIFY(w().Item(1003)->isVisible());
    ExpectLayoutMatches();

    main_->DispatchCommand(10002);
    QCOMPARE(main_->browseMode(), BrowseMode::Functions);
    QVERIFY(w().Item(1001)->isVisible());
    QVERIFY(w().Item(1007)->isVisible());
    ExpectLayoutMatches();

    // A row added later does not appear: a filled list is left as it is.
    QVERIFY(store_->Exec(ToGbk(QStringLiteral("insert into 数据类型表(名称) values('SIZE')"))));
    main_->DispatchCommand(10004);
    QCOMPARE(w().listBox(1002)->Count(), 2);
  }

  void functionKeysInTheirOwnViewChangeNothing() {
    Start();
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_F2, Qt::Key_F3, Qt::Key_F4};
    for (int mode = 0; mode < 4; ++mode) {
      QTest::keyClick(&w(), keys[mode]);
      QCOMPARE(main_->browseMode(), static_cast<BrowseMode>(mode));
      const Snapshot before = Take();
      QTest::keyClick(&w(), keys[mode]);
      QVERIFY(Take() == before);
    }
  }

  void layoutFollowsTheClientSizeInEveryMode() {
    Start();
    w().SetOuterGeometry(100, 100, 900, 640);
    QTRY_VERIFY(w().ClientRect().width() > 0);
    const int views[] = {10002, 10003, 10004, 10005, 10002};
    for (int view : views) {
      main_->DispatchCommand(view);
      ExpectLayoutMatches();
    }
    // The exact numbers for one case: left column 150, right column 150.
    const LayoutInput in = main_->CurrentLayout();
    QCOMPARE(w().Item(1001)->geometry(),
             QRect(0, in.toolbarHeight, 150, in.height - in.toolbarHeight - in.statusHeight - in.searchHeight));
    QCOMPARE(w().Item(1009)->geometry().left(), in.width - 150);
    QCOMPARE(w().Item(1009)->geometry().width(), 150);
  }

  void rejectedSplitterMovesSnapBack() {
    Start();
    SplitterBar* left = main_->splitter(Splitter::Left);
    const int start = left->Position();
    left->SetPosition(30);
    main_->MoveSplitter(Splitter::Left, start, 30);
    QCOMPARE(left->Position(), start);
    QCOMPARE(main_->settings().browseWidth, 150);

    left->SetPosition(200);
    main_->MoveSplitter(Splitter::Left, start, 200);
    QCOMPARE(main_->settings().browseWidth, 200);
    QCOMPARE(w().Item(1001)->width(), 200);
    QCOMPARE(w().Item(1007)->x(), 205);
    ExpectLayoutMatches();

    SplitterBar* right = main_->splitter(Splitter::Right);
    const int rightStart = right->Position();
    const int W = w().ClientRect().width();
    right->SetPosition(W - 149);
    main_->MoveSplitter(Splitter::Right, rightStart, W - 149);
    QCOMPARE(right->Position(), rightStart);
    main_->MoveSplitter(Splitter::Right, rightStart, W - 150);
    QCOMPARE(main_->settings().toInsertWidth, 145);
    QCOMPARE(w().Item(1011)->x(), W - 145 + 2);

    SplitterBar* bottom = main_->splitter(Splitter::Bottom);
    const int bottomStart = bottom->Position();
    const int TH = main_->CurrentLayout().toolbarHeight;
    bottom->SetPosition(TH + 99);
    main_->MoveSplitter(Splitter::Bottom, bottomStart, TH + 99);
    QCOMPARE(bottom->Position(), bottomStart);
    QCOMPARE(main_->settings().spreadingHeight, 100);
  }

  void helpLinksAndUnknownCommands() {
    Start();
    main_->DispatchCommand(12345);
    QVERIFY(services_->messages().empty());
    QCOMPARE(main_->browseMode(), BrowseMode::Functions);

    main_->DispatchCommand(10030);
    QCOMPARE(services_->messages().size(), size_t{1});
    QCOMPARE(services_->lastMessage().text, QStringLiteral("暂无帮助主题！"));
    QCOMPARE(services_->lastMessage().caption, QStringLiteral("信息："));
    QCOMPARE(services_->lastMessage().owner, &w());
    QCOMPARE(services_->lastMessage().style, 0);

    main_->DispatchCommand(10032);
    main_->DispatchCommand(10033);
    main_->DispatchCommand(10034);
    QCOMPARE(services_->opened().size(), size_t{3});
    QCOMPARE(services_->opened()[0], QStringLiteral("http://www.dywt.com.cn/"));
    QCOMPARE(services_->opened()[1], QStringLiteral("http://bbs.eyuyan.com/"));
    QVERIFY(services_->opened()[2].startsWith(QStringLiteral("mailto:")));
  }

  void menuAndTrayCommandsReachDispatch() {
    Start();
    QVERIFY(w().Menu()->Trigger(10004));
    QCOMPARE(main_->browseMode(), BrowseMode::DataTypes);
    QVERIFY(main_->contextMenus()->Trigger(11026));  // tray "浏览函数"
    QCOMPARE(main_->browseMode(), BrowseMode::Functions);
    QVERIFY(main_->contextMenus()->Trigger(11030));
    QCOMPARE(main_->browseMode(), BrowseMode::Constants);
  }

  void aboutAndTrayExit() {
    Start();
    main_->DispatchCommand(10035);
    QCOMPARE(services_->messages().size(), size_t{1});
    QCOMPARE(services_->lastMessage().owner, &w());
    QSignalSpy finished(main_.get(), &MainWindow::finished);
    QVERIFY(main_->contextMenus()->Trigger(11034));  // tray "退出"
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!main_->Exists());
  }

  void anotherStartBringsBackAHiddenOrMinimisedWindow() {
    Start();
    w().hide();
    main_->BringForward();
    QVERIFY(w().isVisible());
    w().showMinimized();
    main_->BringForward();
    QVERIFY(!w().isMinimized());
    QVERIFY(w().isVisible());
  }

  void placementSurvivesARestartUnchanged() {
    Start(ToGbk(QStringLiteral("[Config]\r\nleft=120\r\ntop=90\r\nwidth=820\r\nheight=610\r\n")));
    QCOMPARE(w().Width(), 820);
    QCOMPARE(w().Height(), 610);
    main_->DispatchCommand(10036);
    QTRY_VERIFY(!main_->Exists());
    ProfileFile written(ConfigPath().toStdString());
    QCOMPARE(written.Read("Config", "width", "?"), std::string("820"));
    QCOMPARE(written.Read("Config", "height", "?"), std::string("610"));
    QCOMPARE(written.Read("Config", "IsMax", "?"), std::string("0"));
  }

  void changingTheLanguageShowsThePageAgain() {
    Start();
    w().listBox(1001)->setCurrentRow(1);  // as the user selects
    w().dropDownList(1011)->setCurrentIndex(1);
    QCOMPARE(main_->settings().language, SyntaxKind::CSharp);
    QVERIFY(w().browser(1007)->PageSource().contains(QStringLiteral("CharSet")));
  }

  void rightClickSelectsTheRowUnderThePointer() {
    Start();
    ListBox* list = w().listBox(1001);
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTimer::singleShot(100, [] {
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    main_->OpenContextMenu(list, 2, list->viewport()->mapToGlobal(second));
    QCOMPARE(list->Selection(), 1);
    QTimer::singleShot(100, [] {
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    main_->OpenContextMenu(list, 2, list->viewport()->mapToGlobal(QPoint(5, list->viewport()->height() - 2)));
    QCOMPARE(list->Selection(), -1);
  }

  void exitClosesTheStoreAndWritesTheSettings() {
    Start();
    main_->DispatchCommand(10025);
    QSignalSpy finished(main_.get(), &MainWindow::finished);
    main_->DispatchCommand(10036);
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!store_->IsOpen());
    QVERIFY(!main_->Exists());
    ProfileFile written(ConfigPath().toStdString());
    QCOMPARE(written.Read("Setings", "Public", "?"), std::string("0"));
    QCOMPARE(written.Read("Config", "BrowseWidth", "?"), std::string("150"));
    QCOMPARE(FromGbk(written.Read(ToGbk(QStringLiteral("Setings")), ToGbk(QStringLiteral("插入备注信息")), "?")),
             QStringLiteral("1"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
