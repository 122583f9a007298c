// Type-ahead in the SearchBox and the advanced find window, driven through
// the real main window over catalogues made by the tests.
#include <QAbstractButton>
#include <QtTest>

#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "windows/AdvancedFindWindow.h"
#include "windows/ConstantsPager.h"

using namespace declarium;

class FindTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;
  test::Entries Add() { return test::EntriesOf(s_.store()); }

  QString SelectedFunction() { return s_.functions()->RowText(s_.functions()->Selection()); }
  QString SelectedDataType() { return s_.dataTypes()->RowText(s_.dataTypes()->Selection()); }
  QString SelectedConstant() { return s_.constants()->CellText(s_.constants()->Selection(), 0); }

  void Start() {
    QVERIFY(s_.Start());
    s_.w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&s_.w()));
  }

  AdvancedFindWindow* OpenFind() {
    s_.main().DispatchCommand(command::kAdvancedFind);
    return s_.main().advancedFind();
  }
  static void Search(AdvancedFindWindow* find, const QString& text) {
    find->window()->SetItemText(find_control::kText, text);
    find->window()->button(find_control::kFind)->click();
  }
  static void Choose(AdvancedFindWindow* find, int radio) {
    find->window()->button(find_control::kFirstRadio + radio)->click();
  }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  void typingSelectsTheFirstRowInListOrderAndKeepsTheCaret() {
    Add().Functions({"createwindowlower", "CreateWindowExW", "CreateWindowExA", "CreateFileA"});
    Start();
    s_.searchBox()->setFocus();
    QTest::keyClicks(s_.searchBox(), QStringLiteral("createw"));
    s_.SettleSearch();
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateWindowExA"));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("CreateWindowExA"));
    QVERIFY(s_.searchBox()->hasFocus());
    QCOMPARE(s_.searchBox()->Text(), QStringLiteral("createw"));

    // No match: selection, page and text box stay as they were.
    const QString page = s_.browser()->PageSource();
    QTest::keyClicks(s_.searchBox(), QStringLiteral("zz"));
    s_.SettleSearch();
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateWindowExA"));
    QCOMPARE(s_.browser()->PageSource(), page);
    QVERIFY(s_.searchBox()->hasFocus());

    s_.main().DispatchCommand(command::kBrowseDataTypes);
    s_.Search(QStringLiteral("po"));
    QCOMPARE(SelectedDataType(), QStringLiteral("POINT"));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("POINT"));
    QVERIFY(s_.searchBox()->hasFocus());
  }

  // Keys typed in a burst are one lookup, for the text they leave, made
  // once the events waiting have been handled.
  void arrowKeysInTheSearchBoxMoveTheList() {
    Start();
    s_.functions()->SetSelection(0);
    s_.searchBox()->setFocus();
    QTest::keyClick(s_.searchBox(), Qt::Key_Down);
    QCOMPARE(s_.functions()->Selection(), 1);
    QCOMPARE(s_.statusBar()->PartText(0), SelectedFunction());
    QTest::keyClick(s_.searchBox(), Qt::Key_Up);
    QCOMPARE(s_.functions()->Selection(), 0);
    QVERIFY(s_.searchBox()->hasFocus());
  }

  void aBurstOfKeysIsOneLookupForTheLastText() {
    Add().Functions({"CreateWindowExA", "CreateFileA"});
    Start();
    const int before = s_.functions()->Selection();
    s_.searchBox()->setText(QStringLiteral("c"));
    s_.searchBox()->setText(QStringLiteral("createf"));
    QVERIFY(s_.main().QuickFindPending());
    QCOMPARE(s_.functions()->Selection(), before);
    s_.SettleSearch();
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateFileA"));
  }

  // No entry can hold a character GBK lacks: such a key or text finds
  // nothing, not the entries where "?" stands.
  void textGbkCannotHoldFindsNothing() {
    Add().Function(test::NewFunction("Z?B").Description("x?y"));
    Add().Function(test::NewFunction("Other").Description("o"));
    Start();
    const int before = s_.functions()->Selection();
    s_.searchBox()->setFocus();
    s_.Search(QStringLiteral("z\uAC00"));
    QCOMPARE(s_.functions()->Selection(), before);
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    Choose(find, 2);
    s_.services().clear();
    Search(find, QStringLiteral("x\uAC00y"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("含有GBK编码无法表示的字符！"));
    QVERIFY(SelectedFunction() != QStringLiteral("Z?B"));
  }

  void treeMatchesOnlyItemsWithoutChildren() {
    Add().Category("窗口");
    Add().Category("空分类");
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=1 where 名称='MessageBoxA'")));
    Start();
    s_.main().DispatchCommand(command::kBrowseCategories);
    s_.Search(QStringLiteral("mess"));
    QCOMPARE(TreeView::ItemText(s_.tree()->Selected()), QStringLiteral("MessageBoxA"));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("MessageBoxA"));
    // A category with functions has children and is passed over.
    s_.Search(QStringLiteral("窗口"));
    QCOMPARE(TreeView::ItemText(s_.tree()->Selected()), QStringLiteral("MessageBoxA"));
    // An empty category is matched, and shows no page.
    s_.Search(QStringLiteral("空"));
    QCOMPARE(TreeView::ItemText(s_.tree()->Selected()), QStringLiteral("空分类"));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("MessageBoxA"));
    QVERIFY(s_.searchBox()->hasFocus());
  }

  void chinesePrefixAndQuotesFindAConstantOnItsPage() {
    Add().Constant(test::NewConstant("窗口样式'A", "1", "0x1").Remark(""));
    for (int i = 0; i < 40; ++i) Add().Constant(test::NewConstant(test::Numbered("A", i), "0", "0x0").Remark(""));
    Start();
    s_.main().DispatchCommand(command::kBrowseConstants);
    QCOMPARE(s_.main().constants().Offset(), 0);
    s_.Search(QStringLiteral("窗口"));
    QCOMPARE(s_.main().constants().Offset(), 30);
    QCOMPARE(SelectedConstant(), QStringLiteral("窗口样式'A"));
    QVERIFY(s_.searchBox()->hasFocus());

    s_.Search(QStringLiteral("a05"));
    QCOMPARE(s_.main().constants().Offset(), 0);
    QCOMPARE(SelectedConstant(), QStringLiteral("A05"));
    s_.Search(QStringLiteral("窗口样式'a"));
    QCOMPARE(SelectedConstant(), QStringLiteral("窗口样式'A"));
    // A key that matches nothing, quote and all, leaves page and row alone.
    s_.Search(QStringLiteral("x' or 1=1 --"));
    QCOMPARE(s_.main().constants().Offset(), 30);
    QCOMPARE(SelectedConstant(), QStringLiteral("窗口样式'A"));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 常量表")), 42);
  }

  void threeMatchesStepThenWrapToTheFirst() {
    for (const auto& [name, description] : {std::pair{"SetWindowText", "it's 窗口"},
                                            {"FindWindow", "find it's 窗口"},
                                            {"GetWindowText", "取 it's 窗口 标题"},
                                            {"Beep", "its"}})
      Add().Function(test::NewFunction(name).Description(description));
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    Window* fw = find->window();
    QCOMPARE(fw->Caption(), QStringLiteral("高级查找"));
    QVERIFY(fw->IsChecked(find_control::kFirstRadio));
    QCOMPARE(fw->tabControl(find_control::kTabs)->count(), 3);
    QCOMPARE(fw->ItemText(find_control::kFirstRadio + 2), QStringLiteral("函数说明"));
    QCOMPARE(fw->Left() + fw->Width(), s_.w().Left() + s_.w().Width());
    QCOMPARE(fw->Top() + fw->Height(), s_.w().Top() + s_.w().Height());
    // One window at a time.
    s_.main().DispatchCommand(command::kAdvancedFind);
    QCOMPARE(s_.main().advancedFind(), find);

    Choose(find, 2);
    const QStringList order = {QStringLiteral("FindWindow"), QStringLiteral("GetWindowText"),
                               QStringLiteral("SetWindowText")};
    for (const QString& expected : order) {
      Search(find, QStringLiteral("it's 窗口"));
      QCOMPARE(SelectedFunction(), expected);
      QCOMPARE(s_.entryText()->Text(), expected);
    }
    QVERIFY(s_.services().messages().empty());
    Search(find, QStringLiteral("it's 窗口"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("已经到末尾处，现在返回到第一条记录！"));
    QCOMPARE(s_.services().lastMessage().owner, fw);
    QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息："));
    QCOMPARE(s_.services().lastMessage().style, 0x40);
    QCOMPARE(SelectedFunction(), order[0]);
    Search(find, QStringLiteral("it's 窗口"));
    QCOMPARE(SelectedFunction(), order[1]);

    // Enter in the text box is the same click.
    QTest::keyClick(fw->editBox(find_control::kText), Qt::Key_Return);
    QCOMPARE(SelectedFunction(), order[2]);

    s_.services().clear();
    Search(find, QStringLiteral("nothing ' like this"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("没有找到记录！"));
    QCOMPARE(s_.services().lastMessage().style, 0x40);
    QCOMPARE(SelectedFunction(), order[2]);
  }

  void changingOneCharacterOrTheFieldStartsAgain() {
    for (const auto& [name, chinese] :
         {std::pair{"CreateWindowA", "建窗口A"}, {"CreateWindowB", "建窗口B"}, {"CreateWindowC", "建窗口C"}})
      Add().Function(test::NewFunction(name).ChineseName(chinese));
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    Search(find, QStringLiteral("Window"));
    Search(find, QStringLiteral("Window"));
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateWindowB"));
    Search(find, QStringLiteral("Windo"));
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateWindowA"));
    Search(find, QStringLiteral("Windo"));
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateWindowB"));
    Choose(find, 1);
    Search(find, QStringLiteral("窗口"));
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateWindowA"));
    // "%" and "_" typed by the user are those characters, not patterns.
    s_.services().clear();
    Search(find, QStringLiteral("建_口%C"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("没有找到记录！"));
    QCOMPARE(SelectedFunction(), QStringLiteral("CreateWindowA"));
  }

  void memberRemarksListATypeOncePerMatchingMember() {
    Add().Member(1, test::NewParam("right", "整数型").Remark("右边"));
    Add().Member(2, test::NewParam("x", "整数型").Remark("横'边"));
    Add().Member(2, test::NewParam("y", "整数型").Remark("纵"));
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    // F3 while the window is open turns it to the data types tab.
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    QCOMPARE(find->window()->tabControl(find_control::kTabs)->Selection(), 1);
    QCOMPARE(find->window()->ItemText(find_control::kFirstRadio + 3), QStringLiteral("成员说明"));
    Choose(find, 3);
    const QStringList expected = {QStringLiteral("POINT"), QStringLiteral("RECT"), QStringLiteral("RECT")};
    for (const QString& name : expected) {
      Search(find, QStringLiteral("边"));
      QCOMPARE(SelectedDataType(), name);
    }
    QVERIFY(s_.services().messages().empty());
    Search(find, QStringLiteral("边"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("已经到末尾处，现在返回到第一条记录！"));
    QCOMPARE(SelectedDataType(), QStringLiteral("POINT"));
    Search(find, QStringLiteral("横'边"));
    QCOMPARE(SelectedDataType(), QStringLiteral("POINT"));
  }

  void constantsAreFoundOnTheirPage() {
    Add().Constant(test::NewConstant("Z_LAST", "255", "0xFF").Remark("末尾的"));
    for (int i = 0; i < 35; ++i) Add().Constant(test::NewConstant(test::Numbered("C", i), "0", "0x0").Remark(""));
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    // Choosing the tab is the view command of its kind.
    find->window()->tabControl(find_control::kTabs)->setCurrentIndex(2);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Constants);
    QCOMPARE(find->window()->ItemText(find_control::kFirstRadio + 1), QStringLiteral("备注"));
    Choose(find, 1);
    Search(find, QStringLiteral("末尾"));
    QCOMPARE(s_.main().constants().Offset(), 30);
    QCOMPARE(SelectedConstant(), QStringLiteral("Z_LAST"));

    // "添加到列表" takes the selected entry of the tab's kind.
    find->window()->button(find_control::kAddToList)->click();
    QCOMPARE(s_.insertList()->Count(), 1);
    QCOMPARE(s_.insertList()->RowText(0), QStringLiteral("Z_LAST"));
  }

  void constantsAreFoundByValueInAnyNotation() {
    Add().Constant(test::NewConstant("WM_USER", "1024", "0x400").Remark(""));
    Add().Constant(test::NewConstant("A_VB", "&H400&", "").Remark(""));
    Add().Constant(test::NewConstant("X_EXPR", "WM_USER + 1", "0x0").Remark(""));
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    QVERIFY(!find->window()->Item(find_control::kByValue)->isEnabled());  // functions have no value
    find->window()->tabControl(find_control::kTabs)->setCurrentIndex(2);
    QVERIFY(find->window()->Item(find_control::kByValue)->isEnabled());
    find->window()->SetChecked(find_control::kByValue, true);
    // Every match in name order, the first shown; a double click shows another.
    ReportView* matches = find->window()->reportView(find_control::kMatches);
    Search(find, QStringLiteral("400h"));
    QCOMPARE(matches->Count(), 2);
    QCOMPARE(matches->CellText(1, 0), QStringLiteral("WM_USER"));
    QCOMPARE(SelectedConstant(), QStringLiteral("A_VB"));
    emit matches->doubleClicked(1, 0);
    QCOMPARE(SelectedConstant(), QStringLiteral("WM_USER"));
    // 添加到列表 takes the chosen matches.
    matches->selectAll();
    find->window()->button(find_control::kAddToList)->click();
    QCOMPARE(test::RowTexts(s_.insertList()), QStringList({"A_VB", "WM_USER"}));
    // A name prefix narrows the list.
    find->window()->SetItemText(find_control::kPrefix, QStringLiteral("wm_"));
    Search(find, QStringLiteral("0x400"));
    QCOMPARE(matches->Count(), 1);
    Search(find, QStringLiteral("WM_USER + 1"));
    QCOMPARE(s_.services().lastMessage().text,
             QStringLiteral("请输入十进制或十六进制数值，如 1024、0x400、&H400 或 400h！"));
    // Unchecked, the same text is looked for in the names.
    find->window()->SetChecked(find_control::kByValue, false);
    Choose(find, 0);
    Search(find, QStringLiteral("USER"));
    QCOMPARE(SelectedConstant(), QStringLiteral("WM_USER"));
  }

  void theWindowReopensWhereTheUserLeftIt() {
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    find->window()->move(find->window()->pos() + QPoint(-40, -30));
    const QPoint left = find->window()->frameGeometry().topLeft();
    find->window()->CloseWindow();
    find = OpenFind();
    QVERIFY(find != nullptr);
    QTRY_COMPARE(find->window()->frameGeometry().topLeft(), left);
  }

  void closingEndsTheSearchAndShowsTheMainWindowNormal() {
    Add().Function(test::NewFunction("A1").Library("k32"));
    Add().Function(test::NewFunction("A2").Library("k32"));
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    Choose(find, 3);
    Search(find, QStringLiteral("k32"));
    Search(find, QStringLiteral("k32"));
    QCOMPARE(SelectedFunction(), QStringLiteral("A2"));
    QVERIFY(s_.main().findState().HasCursor());

    s_.w().SetState(kStateMaximised);
    QTRY_COMPARE(s_.w().State(), kStateMaximised);
    find->window()->CloseWindow();
    QVERIFY(s_.main().advancedFind() == nullptr);
    QVERIFY(!s_.main().findState().HasCursor());
    QTRY_COMPARE(s_.w().State(), kStateNormal);

    // Reopened with the same inputs, the search starts at the first match.
    find = OpenFind();
    QVERIFY(find != nullptr);
    Choose(find, 3);
    Search(find, QStringLiteral("k32"));
    QCOMPARE(SelectedFunction(), QStringLiteral("A1"));
  }

  void anOpenSearchIsEndedWhenTheProgramCloses() {
    Start();
    AdvancedFindWindow* find = OpenFind();
    QVERIFY(find != nullptr);
    Search(find, QStringLiteral("e"));
    QVERIFY(s_.main().findState().HasCursor());
    s_.main().DispatchCommand(command::kExit);
    QTRY_VERIFY(!s_.main().Exists());
    QVERIFY(!s_.main().findState().HasCursor());
    QVERIFY(!s_.store().IsOpen());
  }
};

QTEST_MAIN(FindTest)
#include "tst_Find.moc"
