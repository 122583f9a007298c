// The real main window over a catalogue made by the test.
#include <QAbstractButton>
#include <QMenu>
#include <QSignalSpy>
#include <QtTest>

#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "model/Settings.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/Menus.h"
#include "windows/HelpWindow.h"
#include "windows/Resources.h"

using namespace declarium;

namespace {

QRect ToQRect(const Rect& r, QWidget* w) {
  return QRect(r.left, r.top, r.width, r.height == kKeep ? w->height() : r.height);
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;
  test::Entries Add() { return test::EntriesOf(s_.store()); }

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
    Snapshot s{s_.main().browseMode(), {}, {}, {}, s_.browser()->PageSource()};
    for (int id : s_.w().ControlIds()) {
      s.visible.push_back(s_.w().Item(id)->isVisible());
      s.geometry.push_back(s_.w().Item(id)->geometry());
    }
    for (int i = 0; i < 4; ++i) s.pressed.push_back(s_.toolbar()->IsPressed(i));
    return s;
  }

  void ExpectLayoutMatches() {
    using namespace main_control;
    const auto item = [this](int id) { return s_.w().Item(id); };
    const MainLayout l = LayoutMainWindow(s_.main().CurrentLayout());
    if (l.lists) {
      QCOMPARE(item(kFunctionList)->geometry(), ToQRect(*l.lists, item(kFunctionList)));
      QCOMPARE(item(kDataTypeList)->geometry(), ToQRect(*l.lists, item(kDataTypeList)));
      QCOMPARE(item(kCategoryTree)->geometry(), ToQRect(*l.lists, item(kCategoryTree)));
      QCOMPARE(item(kDetailBrowser)->geometry(), ToQRect(*l.detailBrowser, item(kDetailBrowser)));
      QCOMPARE(s_.main().splitter(Splitter::Left)->geometry(), ToQRect(*l.leftSplitter, nullptr));
      QCOMPARE(s_.main().splitter(Splitter::Bottom)->geometry(), ToQRect(*l.bottomSplitter, nullptr));
    } else {
      QCOMPARE(item(kConstantList)->geometry(), ToQRect(*l.constantList, item(kConstantList)));
      for (int i = 0; i < 4; ++i) {
        QCOMPARE(item(kFirstPage + i)->geometry(), ToQRect(*l.pagingButtons[i], item(kFirstPage + i)));
      }
    }
    QCOMPARE(item(kSearchBox)->geometry(), ToQRect(l.searchBox, item(kSearchBox)));
    QCOMPARE(item(kEntryTextBox)->geometry(), ToQRect(l.entryTextBox, item(kEntryTextBox)));
    QCOMPARE(s_.main().splitter(Splitter::Right)->geometry(), ToQRect(l.rightSplitter, nullptr));
    QCOMPARE(item(kLanguageBox)->geometry(), ToQRect(l.languageBox, item(kLanguageBox)));
    QCOMPARE(item(kCopyButton)->geometry(), ToQRect(l.copyButton, item(kCopyButton)));
    QCOMPARE(item(kInsertList)->geometry(), ToQRect(l.insertList, item(kInsertList)));
  }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  void createsTheWindowWithItsControls() {
    QVERIFY(s_.Start());
    QCOMPARE(s_.w().Caption(), QStringLiteral("Declarium"));
    QCOMPARE(s_.w().ClassName(), QStringLiteral("mornel-API"));
    QCOMPARE(Window::FindByClassName(QStringLiteral("mornel-API")), &s_.w());
    for (int id = main_control::kFunctionList; id <= main_control::kConstantList; ++id)
      QVERIFY2(s_.w().Item(id) != nullptr, qPrintable(QString::number(id)));

    ToolBar* bar = s_.toolbar();
    QCOMPARE(bar->ButtonCount(), 11);
    using namespace command;
    const int commands[] = {kBrowseFunctions, kBrowseCategories, kBrowseDataTypes, kBrowseConstants, kAddToList,
                            kCopySelected,    kAdvancedFind,     kHelpTopics,      kAbout,           kExit,
                            kSettings};
    for (int i = 0; i < 11; ++i) QCOMPARE(bar->CommandOf(i), commands[i]);
    QCOMPARE(bar->TooltipOf(0), QStringLiteral("浏览API函数[F1]"));
    QCOMPARE(bar->TooltipOf(9), QStringLiteral("退出"));
    QVERIFY(bar->IsPressed(0));
    QVERIFY(!bar->IsPressed(1));

    QCOMPARE(s_.statusBar()->PartCount(), 2);
    DropDownList* language = s_.languageBox();
    QCOMPARE(language->count(), 3);
    QCOMPARE(language->ItemText(0), QStringLiteral("易语言"));
    QCOMPARE(language->ItemText(1), QStringLiteral("CSharp"));
    QCOMPARE(language->ItemText(2), QStringLiteral("VB"));

    // The function list is filled in name order and its first row is shown.
    ListBox* functions = s_.functions();
    QCOMPARE(functions->Count(), 2);
    QCOMPARE(functions->RowText(0), QStringLiteral("GetTickCount"));
    QCOMPARE(functions->Selection(), 0);
    QVERIFY(s_.browser()->PageSource().contains(QStringLiteral("GetTickCount")));
    QCOMPARE(s_.dataTypes()->Count(), 0);  // data types wait for their view
    QVERIFY(s_.functions()->isVisible());
    QVERIFY(!s_.dataTypes()->isVisible());
    QVERIFY(!s_.tree()->isVisible());
    QVERIFY(!s_.constants()->isVisible());
    QCOMPARE(s_.main().browseMode(), BrowseMode::Functions);
  }

  void selectingAFunctionShowsItsPage() {
    QVERIFY(s_.Start());
    s_.functions()->setCurrentRow(1);  // as the user selects
    QVERIFY(s_.browser()->PageSource().contains(QStringLiteral("MessageBoxA")));
    QCOMPARE(s_.statusBar()->PartText(0), QStringLiteral("MessageBoxA"));
    QCOMPARE(s_.statusBar()->PartText(1), QStringLiteral("弹出信息框"));
    // The page's own text goes first; the row's name is written after it.
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("MessageBoxA"));

    // A vanished row reports the failed load and keeps the page.
    const QString before = s_.browser()->PageSource();
    QVERIFY(s_.Run(QStringLiteral("drop table 函数参数表")));
    s_.functions()->setCurrentRow(0);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("获取数据错误！\r\nno such table: 函数参数表"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(s_.browser()->PageSource(), before);
  }

  void settingsAtCreationSetTheChecksAndTheLanguage() {
    QVERIFY(
        s_.Start(QStringLiteral("[Setings]\r\n插入中文名=1\r\nPublic=\r\n语言=2\r\n[Config]\r\nBrowseWidth=220\r\n")));
    QVERIFY(s_.w().Menu()->IsChecked(command::kInsertChineseNames));
    QVERIFY(!s_.w().Menu()->IsChecked(command::kInsertRemarks));
    QVERIFY(s_.w().Menu()->IsChecked(command::kPublic));  // an empty value counts as on
    QCOMPARE(s_.languageBox()->Selection(), 2);
    QCOMPARE(s_.main().settings().browseWidth, 220);
    QCOMPARE(s_.functions()->width(), 220);
  }

  void optionCommandsToggleTheirChecks() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kInsertChineseNames);
    QVERIFY(s_.w().Menu()->IsChecked(command::kInsertChineseNames));
    QVERIFY(s_.main().settings().style.insertChineseNames);
    s_.main().DispatchCommand(command::kInsertChineseNames);
    QVERIFY(!s_.main().settings().style.insertChineseNames);
    s_.main().DispatchCommand(command::kInsertRemarks);
    QVERIFY(s_.main().settings().style.insertRemarks);
    s_.main().DispatchCommand(command::kPublic);
    QVERIFY(s_.main().settings().style.isPublic);
    QVERIFY(s_.w().Menu()->IsChecked(command::kPublic));
    QVERIFY(s_.services().messages().empty());
  }

  void viewCommandsSwitchViewsAndFillOnce() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    QCOMPARE(s_.main().browseMode(), BrowseMode::DataTypes);
    QCOMPARE(s_.dataTypes()->Count(), 2);
    QVERIFY(s_.dataTypes()->isVisible());
    QVERIFY(!s_.functions()->isVisible());
    QVERIFY(s_.toolbar()->IsPressed(2));
    QVERIFY(!s_.toolbar()->IsPressed(0));
    ExpectLayoutMatches();

    s_.main().DispatchCommand(command::kBrowseConstants);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Constants);
    QVERIFY(s_.constants()->isVisible());
    QVERIFY(s_.w().Item(main_control::kFirstPage)->isVisible());
    QVERIFY(!s_.browser()->isVisible());
    QVERIFY(!s_.main().splitter(Splitter::Left)->isVisible());
    QVERIFY(s_.main().splitter(Splitter::Right)->isVisible());
    ExpectLayoutMatches();

    s_.main().DispatchCommand(command::kBrowseCategories);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Categories);
    QVERIFY(s_.tree()->isVisible());
    ExpectLayoutMatches();

    s_.main().DispatchCommand(command::kBrowseFunctions);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Functions);
    QVERIFY(s_.functions()->isVisible());
    QVERIFY(s_.browser()->isVisible());
    ExpectLayoutMatches();

    // A row added later does not appear: a filled list is left as it is.
    Add().DataType("SIZE");
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    QCOMPARE(s_.dataTypes()->Count(), 2);
  }

  void functionKeysInTheirOwnViewChangeNothing() {
    QVERIFY(s_.Start());
    s_.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s_.w()));
    const std::pair<Qt::Key, BrowseMode> views[] = {{Qt::Key_F1, BrowseMode::Functions},
                                                    {Qt::Key_F2, BrowseMode::Categories},
                                                    {Qt::Key_F3, BrowseMode::DataTypes},
                                                    {Qt::Key_F4, BrowseMode::Constants}};
    for (const auto& [key, mode] : views) {
      QTest::keyClick(&s_.w(), key);
      QCOMPARE(s_.main().browseMode(), mode);
      const Snapshot before = Take();
      QTest::keyClick(&s_.w(), key);
      QVERIFY(Take() == before);
    }
  }

  void layoutFollowsTheClientSizeInEveryMode() {
    QVERIFY(s_.Start());
    s_.w().SetOuterGeometry(100, 100, 900, 640);
    QTRY_VERIFY(s_.w().ClientRect().width() > 0);
    using namespace command;
    const int views[] = {kBrowseFunctions, kBrowseCategories, kBrowseDataTypes, kBrowseConstants, kBrowseFunctions};
    for (int view : views) {
      s_.main().DispatchCommand(view);
      ExpectLayoutMatches();
    }
    // The exact numbers for one case: left column 150, right column 150.
    const LayoutInput in = s_.main().CurrentLayout();
    QCOMPARE(s_.functions()->geometry(),
             QRect(0, in.toolbarHeight, 150, in.height - in.toolbarHeight - in.statusHeight - in.searchHeight));
    QCOMPARE(s_.insertList()->geometry().left(), in.width - 150);
    QCOMPARE(s_.insertList()->geometry().width(), 150);
  }

  // Below its minimum the window does not go: the columns never overlap.
  void aSmallWindowKeepsItsColumnsApart() {
    QVERIFY(s_.Start());
    s_.w().SetOuterGeometry(100, 100, 200, 150);
    QTRY_VERIFY(s_.w().width() >= kMinimumWindowWidth && s_.w().height() >= kMinimumWindowHeight);
    s_.main().DispatchCommand(command::kBrowseFunctions);
    ExpectLayoutMatches();
    QVERIFY(s_.functions()->geometry().right() < s_.browser()->geometry().left());
    QVERIFY(s_.browser()->geometry().right() < s_.insertList()->geometry().left());
    QVERIFY(s_.browser()->width() >= 200);
  }

  void rejectedSplitterMovesSnapBack() {
    QVERIFY(s_.Start());
    SplitterBar* left = s_.main().splitter(Splitter::Left);
    const int start = left->Position();
    left->SetPosition(30);
    s_.main().MoveSplitter(Splitter::Left, start, 30);
    QCOMPARE(left->Position(), start);
    QCOMPARE(s_.main().settings().browseWidth, 150);

    left->SetPosition(200);
    s_.main().MoveSplitter(Splitter::Left, start, 200);
    QCOMPARE(s_.main().settings().browseWidth, 200);
    QCOMPARE(s_.functions()->width(), 200);
    QCOMPARE(s_.browser()->x(), 205);
    ExpectLayoutMatches();

    SplitterBar* right = s_.main().splitter(Splitter::Right);
    const int rightStart = right->Position();
    const int W = s_.w().ClientRect().width();
    right->SetPosition(W - 149);
    s_.main().MoveSplitter(Splitter::Right, rightStart, W - 149);
    QCOMPARE(right->Position(), rightStart);
    s_.main().MoveSplitter(Splitter::Right, rightStart, W - 150);
    QCOMPARE(s_.main().settings().toInsertWidth, 145);
    QCOMPARE(s_.languageBox()->x(), W - 145 + 2);

    SplitterBar* bottom = s_.main().splitter(Splitter::Bottom);
    const int bottomStart = bottom->Position();
    const int TH = s_.main().CurrentLayout().toolbarHeight;
    bottom->SetPosition(TH + 99);
    s_.main().MoveSplitter(Splitter::Bottom, bottomStart, TH + 99);
    QCOMPARE(bottom->Position(), bottomStart);
    QCOMPARE(s_.main().settings().spreadingHeight, 100);
  }

  void helpLinksAndUnknownCommands() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(12345);
    QVERIFY(s_.services().messages().empty());
    QCOMPARE(s_.main().browseMode(), BrowseMode::Functions);

    // The guide shipped with the program, in a window of its own.
    QVERIFY(s_.InModal(command::kHelpTopics, resource::kHelpWindow, [](Window& w) {
      QVERIFY(w.multiLineEdit(help_control::kText)->Text().startsWith(QStringLiteral("Declarium")));
      w.button(help_control::kClose)->click();
    }));

    s_.main().DispatchCommand(command::kOfficialSite);
    s_.main().DispatchCommand(command::kOfficialForum);
    s_.main().DispatchCommand(command::kContactMaker);
    QCOMPARE(s_.services().opened().size(), size_t{2});
    QCOMPARE(s_.services().opened()[0], QStringLiteral("http://www.dywt.com.cn/"));
    QCOMPARE(s_.services().opened()[1], QStringLiteral("http://bbs.eyuyan.com/"));
    // No address to mail: a note says where feedback goes.
    QCOMPARE(s_.services().messages().size(), size_t{1});
    QCOMPARE(s_.services().lastMessage().owner, &s_.w());
  }

  void menuAndTrayCommandsReachDispatch() {
    QVERIFY(s_.Start());
    QVERIFY(s_.w().Menu()->Trigger(command::kBrowseDataTypes));
    QCOMPARE(s_.main().browseMode(), BrowseMode::DataTypes);
    QVERIFY(s_.main().contextMenus()->Trigger(command::kTrayFunctions));  // tray "浏览函数"
    QCOMPARE(s_.main().browseMode(), BrowseMode::Functions);
    QVERIFY(s_.main().contextMenus()->Trigger(command::kTrayConstants));
    QCOMPARE(s_.main().browseMode(), BrowseMode::Constants);
  }

  void aboutAndTrayExit() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kAbout);
    QCOMPARE(s_.services().messages().size(), size_t{1});
    QCOMPARE(s_.services().lastMessage().owner, &s_.w());
    // The program's own icon, not the standard information picture.
    QCOMPARE(s_.services().lastMessage().style, int(kMbUserIcon));
    QSignalSpy finished(&s_.main(), &MainWindow::finished);
    QVERIFY(s_.main().contextMenus()->Trigger(command::kTrayExit));  // tray "退出"
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!s_.main().Exists());
  }

  void anotherStartBringsBackAHiddenOrMinimisedWindow() {
    QVERIFY(s_.Start());
    s_.w().hide();
    s_.main().BringForward();
    QVERIFY(s_.w().isVisible());
    s_.w().showMinimized();
    s_.main().BringForward();
    QVERIFY(!s_.w().isMinimized());
    QVERIFY(s_.w().isVisible());
  }

  void placementSurvivesARestartUnchanged() {
    // Smaller than the default, so as to fit the offscreen screen (800 x 600).
    QVERIFY(s_.Start(QStringLiteral("[Config]\r\nleft=120\r\ntop=90\r\nwidth=720\r\nheight=520\r\n")));
    QCOMPARE(s_.w().InnerWidth(), 720);
    QCOMPARE(s_.w().InnerHeight(), 520);
    s_.main().DispatchCommand(command::kExit);
    QTRY_VERIFY(!s_.main().Exists());
    ProfileFile written(s_.ConfigPath().toStdString());
    // Saved in the measure it is restored in: the frame's place, the size inside it.
    QCOMPARE(written.Read("Config", "left", "?"), std::string("120"));
    QCOMPARE(written.Read("Config", "top", "?"), std::string("90"));
    QCOMPARE(written.Read("Config", "width", "?"), std::string("720"));
    QCOMPARE(written.Read("Config", "height", "?"), std::string("520"));
    QCOMPARE(written.Read("Config", "IsMax", "?"), std::string("0"));
    // Started again over the same folder, the window has the same size.
    QVERIFY(s_.Start());
    QCOMPARE(s_.w().InnerWidth(), 720);
    QCOMPARE(s_.w().InnerHeight(), 520);
  }

  void changingTheLanguageShowsThePageAgain() {
    QVERIFY(s_.Start());
    s_.functions()->setCurrentRow(1);  // as the user selects
    s_.languageBox()->setCurrentIndex(1);
    QCOMPARE(s_.main().settings().language, SyntaxKind::CSharp);
    QVERIFY(s_.browser()->PageSource().contains(QStringLiteral("CharSet")));
  }

  void rightClickSelectsTheRowUnderThePointer() {
    QVERIFY(s_.Start());
    ListBox* list = s_.functions();
    const QPoint second = list->viewport()->mapToGlobal(list->visualItemRect(list->item(1)).center());
    QVERIFY(test::ClosingPopup([&] { s_.main().OpenContextMenu(list, 2, second); }));
    QCOMPARE(list->Selection(), 1);
    const QPoint below = list->viewport()->mapToGlobal(QPoint(5, list->viewport()->height() - 2));
    QVERIFY(test::ClosingPopup([&] { s_.main().OpenContextMenu(list, 2, below); }));
    QCOMPARE(list->Selection(), -1);
  }

  void exitClosesTheStoreAndWritesTheSettings() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kInsertRemarks);
    QSignalSpy finished(&s_.main(), &MainWindow::finished);
    s_.main().DispatchCommand(command::kExit);
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!s_.store().IsOpen());
    QVERIFY(!s_.main().Exists());
    ProfileFile written(s_.ConfigPath().toStdString());
    QCOMPARE(written.Read("Setings", "Public", "?"), std::string("0"));
    QCOMPARE(written.Read("Config", "BrowseWidth", "?"), std::string("150"));
    QCOMPARE(FromGbk(written.Read(ToGbk(QStringLiteral("Setings")), ToGbk(QStringLiteral("插入备注信息")), "?")),
             QStringLiteral("1"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "tst_MainWindow.moc"
