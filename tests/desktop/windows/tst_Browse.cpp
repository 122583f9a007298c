// Browsing the real main window: constants pages, the insert list, copying,
// and clicks on the detail page's cells, over catalogues made by the test.
#include <QAbstractButton>
#include <QLabel>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "output/CopyText.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "windows/ConstantsPager.h"
#include "windows/DetailPage.h"
#include "windows/InsertListPanel.h"
#include "windows/LayoutWindow.h"
#include "windows/Resources.h"

using namespace declarium;

class BrowseTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;
  test::Entries Add() { return test::EntriesOf(s_.store()); }

  // Constants "K00" ... in name order, before the catalogue's own "MB_OK".
  void AddConstants(int count) {
    for (int i = 0; i < count; ++i) {
      const std::string n = std::to_string(i);
      Add().Constant(test::NewConstant(test::Numbered("K", i), n, QStringLiteral("0x%1").arg(i, 0, 16).toStdString())
                         .Remark("第" + n + "个"));
    }
    QVERIFY(s_.Run(QStringLiteral("delete from 常量表 where 名称='MB_OK'")));
  }

  int RowNamed(ListBox* list, const QString& text) {
    for (int r = 0; r < list->Count(); ++r) {
      if (list->RowText(r) == text) return r;
    }
    return -1;
  }

  // As the user selects a row: the selection handler runs.
  void Pick(ListBox* list, const QString& text) {
    const int row = RowNamed(list, text);
    QVERIFY2(row >= 0, qPrintable(text));
    list->setCurrentRow(row);
  }

  TreeView::Item TreeChild(const QString& category, const QString& function) {
    for (TreeView::Item root = s_.tree()->FirstItem(); root; root = s_.tree()->NextSibling(root)) {
      if (TreeView::ItemText(root) != category) continue;
      for (TreeView::Item c = s_.tree()->FirstChild(root); c; c = s_.tree()->NextSibling(c)) {
        if (TreeView::ItemText(c) == function) return c;
      }
    }
    return nullptr;
  }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  // 20,000 functions, 5,000 data types and 50,000 constants: the window opens
  // with every function listed and the first one's page shown, and the
  // constants view holds one page only.
  void largeCatalogueOpensWithItsFirstPage() {
    const QString rows =
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ");
    QVERIFY(s_.Run(rows.arg(20000) +
                   QStringLiteral("insert into 函数表(名称,返回值类型,库名,库对应命令,函数说明) "
                                  "select printf('F%05d', i),'整数型','user32.dll',printf('F%05d', i),'说明' from n")));
    QVERIFY(
        s_.Run(rows.arg(20000) +
               QStringLiteral("insert into 函数参数表(名称,数据类型,所属函数) select 'hWnd','整数型',i + 2 from n")));
    QVERIFY(s_.Run(rows.arg(5000) + QStringLiteral("insert into 数据类型表(名称) select printf('T%04d', i) from n")));
    QVERIFY(s_.Run(
        rows.arg(50000) +
        QStringLiteral(
            "insert into 常量表(名称,十六进制值,十进制值) select printf('C%05d', i),printf('0x%X', i),i from n")));
    QVERIFY(s_.Start());
    QCOMPARE(s_.functions()->Count(), 20002);
    QCOMPARE(s_.functions()->Selection(), 0);
    QVERIFY(s_.CellOf(QStringLiteral("函数表"), QStringLiteral("名称"), 3) != BrowserHost::kNoElement);
    s_.main().DispatchCommand(command::kBrowseConstants);
    QCOMPARE(s_.constants()->Count(), 30);
  }

  void sixtyConstantsPageInTwo() {
    AddConstants(60);
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    QCOMPARE(s_.constants()->Count(), 30);
    QCOMPARE(s_.constants()->CellText(0, 0), QStringLiteral("K00"));
    QCOMPARE(s_.constants()->CellText(0, 1), QStringLiteral("0x0"));
    QCOMPARE(s_.constants()->CellText(29, 3), QStringLiteral("第29个"));
    // A new page starts at its first row, and the caption says which page it is.
    auto* caption = qobject_cast<QLabel*>(s_.w().Item(main_control::kPageCaption));
    QVERIFY(caption->isVisible());
    const QString firstCaption = caption->text();
    s_.w().resize(700, 400);
    QTRY_VERIFY(s_.constants()->verticalScrollBar()->maximum() > 0);
    s_.constants()->scrollToBottom();
    s_.main().constants().Page(2);
    QCOMPARE(s_.main().constants().Offset(), 30);
    QCOMPARE(s_.constants()->CellText(0, 0), QStringLiteral("K30"));
    QCOMPARE(s_.constants()->verticalScrollBar()->value(), 0);
    QVERIFY(caption->text() != firstCaption);
    s_.main().constants().Page(2);  // 30 + 30 is not below 60
    QCOMPARE(s_.main().constants().Offset(), 30);
    s_.main().constants().Page(0);
    QCOMPARE(s_.main().constants().Offset(), 0);
    s_.main().constants().Page(3);
    QCOMPARE(s_.main().constants().Offset(), 30);
    QCOMPARE(s_.constants()->Count(), 30);
    s_.main().constants().Page(1);
    QCOMPARE(s_.main().constants().Offset(), 0);
    QCOMPARE(s_.constants()->CellText(0, 0), QStringLiteral("K00"));

    // The paging buttons are wired to the same commands.
    s_.w().button(main_control::kNextPage)->click();
    QCOMPARE(s_.main().constants().Offset(), 30);
    s_.w().button(main_control::kFirstPage)->click();
    QCOMPARE(s_.main().constants().Offset(), 0);

    // A page that cannot be read keeps the rows shown and says so in the plain box.
    s_.main().constants().Page(2);
    QVERIFY(s_.Run(QStringLiteral("drop table 常量表")));
    s_.main().constants().Page(0);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("获取数据错误！\r\nno such table: 常量表"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(s_.services().lastMessage().owner, nullptr);
    QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息"));
    QCOMPARE(s_.constants()->CellText(0, 0), QStringLiteral("K30"));
    QVERIFY(s_.services().messages().size() == 1);
  }

  void lastOfSixtyOneHoldsOneRowAndPositionsFindTheirPage() {
    AddConstants(61);
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.main().constants().Page(3);
    QCOMPARE(s_.main().constants().Offset(), 60);
    QCOMPARE(s_.constants()->Count(), 1);
    QCOMPARE(s_.constants()->CellText(0, 0), QStringLiteral("K60"));

    s_.main().constants().PlaceOn(ToGbk(QStringLiteral("K29")), false);  // position 30: first page
    QCOMPARE(s_.main().constants().Offset(), 0);
    QCOMPARE(s_.constants()->Selection(), 29);
    s_.main().constants().PlaceOn(ToGbk(QStringLiteral("K30")), false);  // position 31: second page
    QCOMPARE(s_.main().constants().Offset(), 30);
    QCOMPARE(s_.constants()->Selection(), 0);
    s_.main().constants().PlaceOn(std::string(), false);  // sorts before every name: stays
    QCOMPARE(s_.main().constants().Offset(), 30);

    // A click on a cell: the cell to the text box, name and remark to the status bar.
    s_.main().constants().ClickCell(5, 2);
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("35"));
    QCOMPARE(s_.statusBar()->PartText(0), QStringLiteral("K35"));
    QCOMPARE(s_.statusBar()->PartText(1), QStringLiteral("第35个"));
  }

  // The status bar and the entry text show the current view's selection or nothing.
  void panelsFollowTheViewShown() {
    QVERIFY(s_.Start());
    QCOMPARE(s_.statusBar()->PartText(0), s_.functions()->RowText(0));
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    QCOMPARE(s_.statusBar()->PartText(0), QString());
    QCOMPARE(s_.entryText()->Text(), QString());
    Pick(s_.dataTypes(), QStringLiteral("RECT"));
    QCOMPARE(s_.statusBar()->PartText(0), QStringLiteral("RECT"));
    QCOMPARE(s_.statusBar()->PartText(1), QStringLiteral("矩形"));
    s_.main().DispatchCommand(command::kBrowseConstants);
    QCOMPARE(s_.statusBar()->PartText(0), QString());
    s_.constants()->selectRow(0);  // as the arrow keys move it
    QCOMPARE(s_.statusBar()->PartText(0), QStringLiteral("MB_OK"));
    QCOMPARE(s_.statusBar()->PartText(1), QStringLiteral("确定"));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("MB_OK"));
    s_.main().DispatchCommand(command::kBrowseCategories);
    QCOMPARE(s_.statusBar()->PartText(0), QString());
  }

  void insertListIsUniqueIgnoringCase() {
    Add().Functions({"CreateWindowEx", "CreateWindow", "createwindowex"});
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("CreateWindowEx"));
    s_.main().DispatchCommand(command::kAddToList);
    QCOMPARE(s_.insertList()->Count(), 1);
    QCOMPARE(s_.insertList()->Selection(), -1);  // a new entry is not selected
    Pick(s_.functions(), QStringLiteral("CreateWindow"));
    s_.main().DispatchCommand(command::kFunctionAddToList);
    QCOMPARE(s_.insertList()->Count(), 2);
    QCOMPARE(s_.insertList()->RowText(1), QStringLiteral("CreateWindow"));
    Pick(s_.functions(), QStringLiteral("createwindowex"));
    s_.main().DispatchCommand(command::kFunctionAddToList);
    QCOMPARE(s_.insertList()->Count(), 2);
    QCOMPARE(s_.insertList()->Selection(), 0);
    QCOMPARE(s_.insertList()->RowText(0), QStringLiteral("CreateWindowEx"));

    s_.main().DispatchCommand(command::kInsertRemove);
    QCOMPARE(s_.insertList()->Count(), 1);
    QCOMPARE(s_.main().insertList().entries().size(), 1);
    QCOMPARE(s_.main().insertList().entries().KindOfText("CreateWindowEx"), std::nullopt);
    s_.main().DispatchCommand(command::kInsertRemoveAll);
    QCOMPARE(s_.insertList()->Count(), 0);
    QCOMPARE(s_.main().insertList().entries().size(), 0);
  }

  void doubleClickCopiesOnlyWithCtrlAlone() {
    QVERIFY(s_.Start());
    ListBox* list = s_.functions();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, second);
    QCOMPARE(s_.insertList()->Count(), 1);
    QCOMPARE(s_.insertList()->RowText(0), QStringLiteral("MessageBoxA"));
    QCOMPARE(s_.services().clipboard(), QString());

    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
    QCOMPARE(s_.insertList()->Count(), 1);
    QVERIFY(s_.services().clipboard().contains(QStringLiteral("GetTickCount")));
    QCOMPARE(s_.services().beeps(), 1);

    // A category is no entry: neither added nor copied.
    Add().Category("窗口");
    s_.main().FillCategoryTree(true);
    s_.main().DispatchCommand(command::kBrowseCategories);
    s_.tree()->Select(s_.tree()->FirstItem());
    s_.services().clear();
    s_.main().DoubleClickEntry(BrowseMode::Categories, 0);
    s_.main().DoubleClickEntry(BrowseMode::Categories, 1);
    QCOMPARE(s_.insertList()->Count(), 1);
    QCOMPARE(s_.services().clipboard(), QString());
    QVERIFY(s_.services().messages().empty());
  }

  void layoutWindowShowsTheSelectedDataType() {
    Add().DataType(test::NewDataType("UNLAID").Member("x", "NOSUCHTYPE"));
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    Pick(s_.dataTypes(), QStringLiteral("RECT"));
    QVERIFY(s_.InModal(command::kDataTypeLayout, resource::kLayoutWindow, [](Window& d) {
      const QString text = d.ItemText(layout_control::kText);
      QVERIFY2(text.startsWith(QStringLiteral("RECT：32 位 C 4 字节")), qPrintable(text));
      d.button(layout_control::kFor64)->click();
      QVERIFY(d.ItemText(layout_control::kText).startsWith(QStringLiteral("RECT：64 位 C 4 字节")));
      d.button(layout_control::kClose)->click();
    }));
    // The window's own texts, not only the report's, reach it undamaged.
    Pick(s_.dataTypes(), QStringLiteral("UNLAID"));
    QVERIFY(s_.InModal(command::kDataTypeLayout, resource::kLayoutWindow, [](Window& d) {
      QVERIFY2(d.ItemText(layout_control::kText).startsWith(QStringLiteral("无法计算布局：")),
               qPrintable(d.ItemText(layout_control::kText)));
      d.button(layout_control::kClose)->click();
    }));
  }

  void locatingAnEntryOfEachKind() {
    AddConstants(45);
    Add().Constant(test::NewConstant("MB_OK").Decimal("0"));
    Add().Category("窗口");
    Add().Category("系统");
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=2 where 名称='GetTickCount'")));
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=1 where 名称='MessageBoxA'")));
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    s_.main().AddToInsertList(BrowseMode::Functions);
    s_.main().DispatchCommand(command::kBrowseCategories);
    s_.tree()->Select(TreeChild(QStringLiteral("系统"), QStringLiteral("GetTickCount")));
    s_.main().DispatchCommand(command::kTreeAddToList);
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    Pick(s_.dataTypes(), QStringLiteral("RECT"));
    s_.main().DispatchCommand(command::kDataTypeAddToList);
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.main().constants().Page(2);
    s_.constants()->SetSelection(s_.constants()->Count() - 1);  // MB_OK, on the second page
    QCOMPARE(s_.constants()->CellText(s_.constants()->Selection(), 0), QStringLiteral("MB_OK"));
    s_.main().DispatchCommand(command::kConstantAddToList);
    QCOMPARE(s_.insertList()->Count(), 4);
    QCOMPARE(s_.main().insertList().entries().KindOf(1), BrowseMode::Categories);
    QCOMPARE(s_.main().insertList().entries().KindOf(3), BrowseMode::Constants);

    s_.main().constants().Page(0);
    s_.insertList()->setCurrentRow(0);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Functions);
    QCOMPARE(s_.functions()->RowText(s_.functions()->Selection()), QStringLiteral("MessageBoxA"));
    QCOMPARE(s_.statusBar()->PartText(0), QStringLiteral("MessageBoxA"));

    s_.insertList()->setCurrentRow(1);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Categories);
    QCOMPARE(s_.tree()->Selected(), TreeChild(QStringLiteral("系统"), QStringLiteral("GetTickCount")));
    QVERIFY(s_.browser()->PageSource().contains(QStringLiteral("GetTickCount")));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("GetTickCount"));

    s_.insertList()->setCurrentRow(2);
    QCOMPARE(s_.main().browseMode(), BrowseMode::DataTypes);
    QCOMPARE(s_.dataTypes()->RowText(s_.dataTypes()->Selection()), QStringLiteral("RECT"));
    QVERIFY(s_.browser()->PageSource().contains(QStringLiteral("RECT")));

    s_.insertList()->setCurrentRow(3);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Constants);
    QCOMPARE(s_.main().constants().Offset(), 30);
    QCOMPARE(s_.constants()->CellText(s_.constants()->Selection(), 0), QStringLiteral("MB_OK"));
    QVERIFY(s_.constants()->isVisible());

    // A function deleted meanwhile: nothing in the functions list begins with it.
    Pick(s_.functions(), QStringLiteral("GetTickCount"));
    Add().Function("ZwClose");
    s_.main().FillEntryList(s_.functions(), u"函数表", true);
    Pick(s_.functions(), QStringLiteral("ZwClose"));
    s_.main().AddToInsertList(BrowseMode::Functions);
    QVERIFY(s_.Run(QStringLiteral("delete from 函数表 where 名称='ZwClose'")));
    s_.main().FillEntryList(s_.functions(), u"函数表", true);
    s_.insertList()->setCurrentRow(4);
    QCOMPARE(s_.main().browseMode(), BrowseMode::Functions);
    QCOMPARE(s_.functions()->Selection(), -1);
  }

  void copyingTheInsertListAndTheSelectedEntry() {
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    s_.main().AddToInsertList(BrowseMode::Functions);
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.constants()->SetSelection(0);
    s_.main().AddToInsertList(BrowseMode::Constants);

    const DeclarationStyle style = s_.main().settings().style;
    std::string function, constant;
    CatalogueStore& store = s_.store();
    QCOMPARE(SelectedDeclaration(store, EntryKind::Functions, 1, SyntaxKind::E, style, function), CopyResult::Copied);
    QCOMPARE(SelectedDeclaration(store, EntryKind::Constants, 1, SyntaxKind::E, style, constant), CopyResult::Copied);
    const QString header = QStringLiteral(".版本 2\r\n\r\n");
    QVERIFY(function.size() > 15 && constant.size() > 15);
    const QString expected = header + FromGbk(function).mid(header.size()) + QStringLiteral("\r\n") +
                             FromGbk(constant).mid(header.size()) + QStringLiteral("\r\n");
    s_.main().DispatchCommand(command::kInsertCopy);
    QCOMPARE(s_.services().clipboard(), expected);
    QVERIFY(s_.services().clipboard().contains(QStringLiteral(".常量 MB_OK")));
    QCOMPARE(s_.services().beeps(), 1);
    s_.services().SetClipboardText(QString());
    s_.w().button(main_control::kCopyButton)->click();
    QCOMPARE(s_.services().clipboard(), expected);

    // F8 copies the entry selected in the current view.
    s_.main().DispatchCommand(command::kCopySelected);
    QCOMPARE(s_.services().clipboard(), FromGbk(constant));
    // ... and says so in the status bar for a while.
    QVERIFY(s_.statusBar()->PartText(0).endsWith(s_.constants()->CellText(s_.constants()->Selection(), 0)));
    QVERIFY(s_.statusBar()->PartText(0) != s_.constants()->CellText(s_.constants()->Selection(), 0));
    QTRY_COMPARE_WITH_TIMEOUT(s_.statusBar()->PartText(0), s_.constants()->CellText(s_.constants()->Selection(), 0),
                              10000);

    // One entry that cannot be loaded spoils the whole copy.
    QVERIFY(s_.Run(QStringLiteral("drop table 常量表")));
    s_.services().SetClipboardText(QStringLiteral("before"));
    s_.main().DispatchCommand(command::kInsertCopy);
    QCOMPARE(s_.services().clipboard(), QStringLiteral("before"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("复制失败！"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(s_.services().lastMessage().owner, static_cast<QWidget*>(&s_.w()));
    s_.services().clear();
    s_.main().DispatchCommand(command::kConstantCopy);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("复制失败！"));
  }

  void copyingWithDependenciesPutsTheUsedTypesFirst() {
    Add().Parameter(1, test::NewParam("lpRect", "RECT").ByRef());
    Add().Parameter(1, test::NewParam("lpOther", "NOTHERE").ByRef());
    Add().Member(1, test::NewParam("corner", "POINT"));
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    s_.main().DispatchCommand(command::kFunctionCopyWithDependencies);
    const QString text = s_.services().clipboard();
    QVERIFY2(text.startsWith(QStringLiteral(".版本 2\r\n\r\n.数据类型 POINT")), qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral(".数据类型 RECT")) < text.indexOf(QStringLiteral(".DLL命令 ")));
    QVERIFY(text.endsWith(QStringLiteral("' 未找到：NOTHERE\r\n")));
    // Shift+F8 and the menu do the same for the current view.
    s_.services().SetClipboardText(QString());
    s_.main().DispatchCommand(command::kCopyWithDependencies);
    QCOMPARE(s_.services().clipboard(), text);
    // The insert list's copy shares the types of all its entries.
    s_.main().AddToInsertList(BrowseMode::Functions);
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    Pick(s_.dataTypes(), QStringLiteral("RECT"));
    s_.main().AddToInsertList(BrowseMode::DataTypes);
    s_.main().DispatchCommand(command::kInsertCopyWithDependencies);
    QCOMPARE(s_.services().clipboard().count(QStringLiteral(".数据类型 RECT")), 1);
    QCOMPARE(s_.services().clipboard().count(QStringLiteral(".数据类型 POINT")), 1);
  }

  void statisticsInTheWindowsBox() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kStatistics);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("函数：2个\r\n数据类型：2个\r\n常量：1个"));
    QCOMPARE(s_.services().lastMessage().style, 0x40);
    QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息："));
    QCOMPARE(s_.services().lastMessage().owner, static_cast<QWidget*>(&s_.w()));
  }

  void functionNameCannotTakeAnotherFunctionsName() {
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element name = s_.CellOf(QStringLiteral("函数表"), QStringLiteral("名称"), 1);
    QVERIFY(name != BrowserHost::kNoElement);
    s_.services().setNextInput(true, QStringLiteral("GetTickCount"));
    QVERIFY(s_.main().page().EditCell(s_.PointOf(name)));
    QCOMPARE(s_.services().inputs().back().prompt, QStringLiteral("MessageBoxA → 名称"));
    QCOMPARE(s_.services().inputs().back().title, QStringLiteral("修改内容"));
    QCOMPARE(s_.services().inputs().back().initial, QStringLiteral("MessageBoxA"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("此名称已经存在！"));
    QCOMPARE(s_.services().lastMessage().style, 0x30);
    QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息："));
    QCOMPARE(s_.services().lastMessage().owner, static_cast<QWidget*>(&s_.w()));
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 函数表 where id=1")), QStringLiteral("MessageBoxA"));
    QCOMPARE(s_.browser()->InnerText(name), QStringLiteral("MessageBoxA"));

    // The same text, or a cancelled box, writes nothing.
    s_.services().clear();
    s_.services().setNextInput(true, QStringLiteral("MessageBoxA"));
    QVERIFY(s_.main().page().EditCell(s_.PointOf(name)));
    QVERIFY(s_.main().page().EditCell(s_.PointOf(name)));
    QVERIFY(s_.services().messages().empty());
    QCOMPARE(s_.services().inputs().size(), std::size_t(2));
  }

  void parameterNameMayRepeatAnotherParameter() {
    Add().Parameter(1, test::NewParam("lpText", "文本型"));
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element param = s_.CellOf(QStringLiteral("函数参数表"), QStringLiteral("名称"), 1);
    const BrowserHost::Element other = s_.CellOf(QStringLiteral("函数参数表"), QStringLiteral("名称"), 2);
    QVERIFY(param != BrowserHost::kNoElement && other != BrowserHost::kNoElement);
    s_.services().setNextInput(true, QStringLiteral("lpText"));
    QVERIFY(!s_.main().page().EditCell(s_.PointOf(param)));
    QCOMPARE(s_.services().inputs().back().prompt, QStringLiteral("hWnd → 名称"));
    QVERIFY(s_.services().messages().empty());
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 函数参数表 where id=1")), QStringLiteral("lpText"));
    QCOMPARE(s_.browser()->InnerText(param), QStringLiteral("lpText"));
    QCOMPARE(s_.browser()->InnerText(other), QStringLiteral("lpText"));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("hWnd"));

    // Quotes in the typed text are stored as typed.
    const BrowserHost::Element remark = s_.CellOf(QStringLiteral("函数参数表"), QStringLiteral("备注"), 1);
    QVERIFY(remark != BrowserHost::kNoElement);
    s_.services().setNextInput(true, QStringLiteral("it's the owner'); drop table 函数表; --"));
    QVERIFY(!s_.main().page().EditCell(s_.PointOf(remark)));
    QCOMPARE(s_.Text(QStringLiteral("select 备注 from 函数参数表 where id=1")),
             QStringLiteral("it's the owner'); drop table 函数表; --"));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 函数表")), 2);
  }

  void yesNoCellsToggleAndStore() {
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element byRef = s_.CellOf(QStringLiteral("函数参数表"), QStringLiteral("传址"), 1);
    QVERIFY(byRef != BrowserHost::kNoElement);
    QVERIFY(!s_.main().page().ClickCell(s_.PointOf(byRef)));  // swallowed, nothing changes
    QCOMPARE(s_.browser()->InnerText(byRef), QString());
    QVERIFY(!s_.main().page().EditCell(s_.PointOf(byRef)));
    QCOMPARE(s_.browser()->InnerText(byRef), QStringLiteral("√"));
    QCOMPARE(s_.Int(QStringLiteral("select 传址 from 函数参数表 where id=1")), 1);
    // Through the page's own double click as well.
    QTest::mouseDClick(s_.browser()->View()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       s_.browser()->View()->viewport()->mapFrom(s_.browser(), s_.PointOf(byRef)));
    QCOMPARE(s_.browser()->InnerText(byRef), QString());
    QCOMPARE(s_.Int(QStringLiteral("select 传址 from 函数参数表 where id=1")), 0);

    // A member's no shows as a blank: the first double click stores 0 and empties it.
    QVERIFY(s_.Run(QStringLiteral("update 数据类型成员表 set 传址=0")));
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    Pick(s_.dataTypes(), QStringLiteral("RECT"));
    const BrowserHost::Element member = s_.CellOf(QStringLiteral("数据类型成员表"), QStringLiteral("传址"), 1);
    QVERIFY(member != BrowserHost::kNoElement);
    QVERIFY(!s_.main().page().EditCell(s_.PointOf(member)));
    QCOMPARE(s_.browser()->InnerText(member), QString());
    QCOMPARE(s_.Int(QStringLiteral("select 传址 from 数据类型成员表 where id=1")), 0);
    QVERIFY(!s_.main().page().EditCell(s_.PointOf(member)));
    QCOMPARE(s_.browser()->InnerText(member), QStringLiteral("√"));
    QCOMPARE(s_.Int(QStringLiteral("select 传址 from 数据类型成员表 where id=1")), 1);
    QVERIFY(s_.services().inputs().empty());
  }

  void clickingAParameterTypeJumpsToTheDataType() {
    Add().DataType("RECTL");
    Add().Parameter(1, test::NewParam("lpRect", "rect"));
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseDataTypes);  // the data types list is filled the first time it is shown
    s_.main().DispatchCommand(command::kBrowseFunctions);
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element type = s_.CellOf(QStringLiteral("函数参数表"), QStringLiteral("数据类型"), 2);
    QVERIFY(type != BrowserHost::kNoElement);
    QVERIFY(s_.main().page().ClickCell(s_.PointOf(type)));
    QCOMPARE(s_.main().browseMode(), BrowseMode::DataTypes);
    QCOMPARE(s_.dataTypes()->RowText(s_.dataTypes()->Selection()), QStringLiteral("RECT"));
    QVERIFY(s_.browser()->PageSource().contains(QStringLiteral("矩形")));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("RECT"));

    // Other cells only fill the text box.
    const BrowserHost::Element remark = s_.CellOf(QStringLiteral("数据类型成员表"), QStringLiteral("备注"), 1);
    QVERIFY(remark != BrowserHost::kNoElement);
    QVERIFY(s_.main().page().ClickCell(s_.PointOf(remark)));
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("左边"));
    QCOMPARE(s_.main().browseMode(), BrowseMode::DataTypes);
  }

  void ctrlCCopiesThePageSelectionButNotWithShift() {
    QVERIFY(s_.Start());
    Pick(s_.functions(), QStringLiteral("MessageBoxA"));
    s_.browser()->SelectAll();
    QTest::keyClick(s_.browser()->View(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(s_.services().clipboard(), QString());
    QTest::keyClick(s_.browser()->View(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(s_.services().clipboard().contains(QStringLiteral("MessageBoxA")));
  }
};

QTEST_MAIN(BrowseTest)
#include "tst_Browse.moc"
