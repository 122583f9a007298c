// Browsing the real main window: constants pages, the insert list, copying,
// and clicks on the detail page's cells, over catalogues made by the test.
#include <QAbstractButton>
#include <QApplication>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/windows/AppCatalogue.h"
#include "output/CopyText.h"
#include "store/CatalogueStore.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/ScriptedServices.h"
#include "toolkit/Window.h"
#include "windows/ConstantsPager.h"
#include "windows/DetailPage.h"
#include "windows/InsertListPanel.h"
#include "windows/MainWindow.h"

using namespace declarium;

class BrowseTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedServices> services_;
  std::unique_ptr<CatalogueStore> store_;
  std::unique_ptr<ProfileFile> config_;
  std::unique_ptr<MainWindow> main_;

  Window& w() { return *main_->window(); }
  ListBox* functions() { return w().listBox(1001); }
  ListBox* dataTypes() { return w().listBox(1002); }
  TreeView* tree() { return w().treeView(1003); }
  ListBox* insertList() { return w().listBox(1009); }
  ReportView* constants() { return w().reportView(1016); }
  BrowserHost* browser() { return w().browser(1007); }

  void Run(const QString& sql) { QVERIFY2(store_->Exec(ToGbk(sql)), qPrintable(sql)); }

  void Start() {
    config_ = std::make_unique<ProfileFile>(dir_->filePath(QStringLiteral("Config.ini")).toStdString());
    main_ = std::make_unique<MainWindow>(*store_, *config_);
    QVERIFY(main_->Create());
  }

  // Constants "K00" ... in name order, before the catalogue's own "MB_OK".
  void AddConstants(int count) {
    QString sql = QStringLiteral("insert into 常量表(名称,十六进制值,十进制值,备注) values");
    for (int i = 0; i < count; ++i) {
      sql += QStringLiteral("%1('K%2','0x%3','%4','第%4个')")
                 .arg(i == 0 ? "" : ",")
                 .arg(i, 2, 10, QChar(u'0'))
                 .arg(i, 0, 16)
                 .arg(i);
    }
    Run(sql);
    Run(QStringLiteral("delete from 常量表 where 名称='MB_OK'"));
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
    for (TreeView::Item root = tree()->FirstItem(); root; root = tree()->NextSibling(root)) {
      if (TreeView::ItemText(root) != category) continue;
      for (TreeView::Item c = tree()->FirstChild(root); c; c = tree()->NextSibling(c)) {
        if (TreeView::ItemText(c) == function) return c;
      }
    }
    return nullptr;
  }

  // The value cell of the page on display for that table, column and row.
  BrowserHost::Element CellOf(const QString& table, const QString& field, int id) {
    for (BrowserHost::Element e : browser()->ElementsByTag(QStringLiteral("td"))) {
      if (browser()->Attribute(e, QStringLiteral("TableName")) == table &&
          browser()->Attribute(e, QStringLiteral("FieldName")) == field &&
          browser()->Attribute(e, QStringLiteral("id")) == QString::number(id)) {
        return e;
      }
    }
    return BrowserHost::kNoElement;
  }
  QPoint PointOf(BrowserHost::Element e) { return browser()->ElementRect(e).center(); }

  int StoredInt(const QString& sql) {
    Statement st = store_->Prepare(ToGbk(sql));
    return store_->NextRow(st) ? store_->ColumnInt(st, 0) : -1;
  }
  QString StoredText(const QString& sql) {
    Statement st = store_->Prepare(ToGbk(sql));
    return store_->NextRow(st) ? FromGbk(store_->ColumnText(st, 0)) : QStringLiteral("?");
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

  // 20,000 functions, 5,000 data types and 50,000 constants: the window opens
  // with every function listed and the first one's page shown, and the
  // constants view holds one page only.
  void largeCatalogueOpensWithItsFirstPage() {
    const QString rows = QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < %1) ");
    Run(rows.arg(20000) + QStringLiteral(
        "insert into 函数表(名称,返回值类型,库名,库对应命令,函数说明) "
        "select printf('F%05d', i),'整数型','user32.dll',printf('F%05d', i),'说明' from n"));
    Run(rows.arg(20000) + QStringLiteral(
        "insert into 函数参数表(名称,数据类型,所属函数) select 'hWnd','整数型',i + 2 from n"));
    Run(rows.arg(5000) + QStringLiteral("insert into 数据类型表(名称) select printf('T%04d', i) from n"));
    Run(rows.arg(50000) + QStringLiteral(
        "insert into 常量表(名称,十六进制值,十进制值) select printf('C%05d', i),printf('0x%X', i),i from n"));
    Start();
    QCOMPARE(functions()->Count(), 20002);
    QCOMPARE(functions()->Selection(), 0);
    QVERIFY(CellOf(QStringLiteral("函数表"), QStringLiteral("名称"), 3) != BrowserHost::kNoElement);
    main_->DispatchCommand(10005);
    QCOMPARE(constants()->Count(), 30);
  }

  void sixtyConstantsPageInTwo() {
    AddConstants(60);
    Start();
    main_->DispatchCommand(10005);
    QCOMPARE(constants()->Count(), 30);
    QCOMPARE(constants()->CellText(0, 0), QStringLiteral("K00"));
    QCOMPARE(constants()->CellText(0, 1), QStringLiteral("0x0"));
    QCOMPARE(constants()->CellText(29, 3), QStringLiteral("第29个"));
    main_->constants().Page(2);
    QCOMPARE(main_->constants().Offset(), 30);
    QCOMPARE(constants()->CellText(0, 0), QStringLiteral("K30"));
    main_->constants().Page(2);  // 30 + 30 is not below 60
    QCOMPARE(main_->constants().Offset(), 30);
    main_->constants().Page(0);
    QCOMPARE(main_->constants().Offset(), 0);
    main_->constants().Page(3);
    QCOMPARE(main_->constants().Offset(), 30);
    QCOMPARE(constants()->Count(), 30);
    main_->constants().Page(1);
    QCOMPARE(main_->constants().Offset(), 0);
    QCOMPARE(constants()->CellText(0, 0), QStringLiteral("K00"));

    // The paging buttons are wired to the same commands.
    w().button(1014)->click();
    QCOMPARE(main_->constants().Offset(), 30);
    w().button(1012)->click();
    QCOMPARE(main_->constants().Offset(), 0);

    // A page that cannot be read keeps the rows shown and says so in the plain box.
    main_->constants().Page(2);
    Run(QStringLiteral("drop table 常量表"));
    main_->constants().Page(0);
    QCOMPARE(services_->lastMessage().text, QStringLiteral("获取数据错误！"));
    QCOMPARE(services_->lastMessage().style, 0x10);
    QCOMPARE(services_->lastMessage().owner, nullptr);
    QCOMPARE(services_->lastMessage().caption, QStringLiteral("信息"));
    QCOMPARE(constants()->CellText(0, 0), QStringLiteral("K30"));
    QVERIFY(services_->messages().size() == 1);
  }

  void lastOfSixtyOneHoldsOneRowAndPositionsFindTheirPage() {
    AddConstants(61);
    Start();
    main_->DispatchCommand(10005);
    main_->constants().Page(3);
    QCOMPARE(main_->constants().Offset(), 60);
    QCOMPARE(constants()->Count(), 1);
    QCOMPARE(constants()->CellText(0, 0), QStringLiteral("K60"));

    main_->constants().PlaceOn(ToGbk(QStringLiteral("K29")), false);  // position 30: first page
    QCOMPARE(main_->constants().Offset(), 0);
    QCOMPARE(constants()->Selection(), 29);
    main_->constants().PlaceOn(ToGbk(QStringLiteral("K30")), false);  // position 31: second page
    QCOMPARE(main_->constants().Offset(), 30);
    QCOMPARE(constants()->Selection(), 0);
    main_->constants().PlaceOn(std::string(), false);  // sorts before every name: stays
    QCOMPARE(main_->constants().Offset(), 30);

    // A click on a cell: the cell to the text box, name and remark to the status bar.
    main_->constants().ClickCell(5, 2);
    QCOMPARE(w().multiLineEdit(1008)->Text(), QStringLiteral("35"));
    QCOMPARE(w().statusBar(1006)->PartText(0), QStringLiteral("K35"));
    QCOMPARE(w().statusBar(1006)->PartText(1), QStringLiteral("第35个"));
  }

  void insertListIsUniqueIgnoringCase() {
    Run(QStringLiteral("insert into 函数表(名称) values('CreateWindowEx'),('CreateWindow'),('createwindowex')"));
    Start();
    Pick(functions(), QStringLiteral("CreateWindowEx"));
    main_->DispatchCommand(10008);
    QCOMPARE(insertList()->Count(), 1);
    QCOMPARE(insertList()->Selection(), -1);  // a new entry is not selected
    Pick(functions(), QStringLiteral("CreateWindow"));
    main_->DispatchCommand(11004);
    QCOMPARE(insertList()->Count(), 2);
    QCOMPARE(insertList()->RowText(1), QStringLiteral("CreateWindow"));
    Pick(functions(), QStringLiteral("createwindowex"));
    main_->DispatchCommand(11004);
    QCOMPARE(insertList()->Count(), 2);
    QCOMPARE(insertList()->Selection(), 0);
    QCOMPARE(insertList()->RowText(0), QStringLiteral("CreateWindowEx"));

    main_->DispatchCommand(11016);
    QCOMPARE(insertList()->Count(), 1);
    QCOMPARE(main_->insertList().entries().size(), 1);
    QCOMPARE(main_->insertList().entries().KindOfText("CreateWindowEx"), std::nullopt);
    main_->DispatchCommand(11017);
    QCOMPARE(insertList()->Count(), 0);
    QCOMPARE(main_->insertList().entries().size(), 0);
  }

  void doubleClickCopiesOnlyWithCtrlAlone() {
    Start();
    ListBox* list = functions();
    const QPoint second = list->visualItemRect(list->item(1)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, second);
    QCOMPARE(insertList()->Count(), 1);
    QCOMPARE(insertList()->RowText(0), QStringLiteral("MessageBoxA"));
    QCOMPARE(services_->clipboard(), QString());

    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier, first);
    QCOMPARE(insertList()->Count(), 1);
    QVERIFY(services_->clipboard().contains(QStringLiteral("GetTickCount")));
    QCOMPARE(services_->beeps(), 1);

    // A category is no entry: neither added nor copied.
    Run(QStringLiteral("insert into 类别表(名称) values('窗口')"));
    main_->FillCategoryTree(true);
    main_->DispatchCommand(10003);
    tree()->Select(tree()->FirstItem());
    services_->clear();
    main_->DoubleClickEntry(BrowseMode::Categories, 0);
    main_->DoubleClickEntry(BrowseMode::Categories, 1);
    QCOMPARE(insertList()->Count(), 1);
    QCOMPARE(services_->clipboard(), QString());
    QVERIFY(services_->messages().empty());
  }

  void locatingAnEntryOfEachKind() {
    AddConstants(45);
    Run(QStringLiteral("insert into 常量表(名称,十进制值) values('MB_OK','0')"));
    Run(QStringLiteral("insert into 类别表(名称) values('窗口'),('系统')"));
    Run(QStringLiteral("update 函数表 set 类别=2 where 名称='GetTickCount'"));
    Run(QStringLiteral("update 函数表 set 类别=1 where 名称='MessageBoxA'"));
    Start();
    Pick(functions(), QStringLiteral("MessageBoxA"));
    main_->AddToInsertList(BrowseMode::Functions);
    main_->DispatchCommand(10003);
    tree()->Select(TreeChild(QStringLiteral("系统"), QStringLiteral("GetTickCount")));
    main_->DispatchCommand(11002);
    main_->DispatchCommand(10004);
    Pick(dataTypes(), QStringLiteral("RECT"));
    main_->DispatchCommand(11019);
    main_->DispatchCommand(10005);
    main_->constants().Page(2);
    constants()->SetSelection(constants()->Count() - 1);  // MB_OK, on the second page
    QCOMPARE(constants()->CellText(constants()->Selection(), 0), QStringLiteral("MB_OK"));
    main_->DispatchCommand(11022);
    QCOMPARE(insertList()->Count(), 4);
    QCOMPARE(main_->insertList().entries().KindOf(1), BrowseMode::Categories);
    QCOMPARE(main_->insertList().entries().KindOf(3), BrowseMode::Constants);

    main_->constants().Page(0);
    insertList()->setCurrentRow(0);
    QCOMPARE(main_->browseMode(), BrowseMode::Functions);
    QCOMPARE(functions()->RowText(functions()->Selection()), QStringLiteral("MessageBoxA"));
    QCOMPARE(w().statusBar(1006)->PartText(0), QStringLiteral("MessageBoxA"));

    insertList()->setCurrentRow(1);
    QCOMPARE(main_->browseMode(), BrowseMode::Categories);
    QCOMPARE(tree()->Selected(), TreeChild(QStringLiteral("系统"), QStringLiteral("GetTickCount")));
    QVERIFY(browser()->PageSource().contains(QStringLiteral("GetTickCount")));
    QCOMPARE(w().multiLineEdit(1008)->Text(), QStringLiteral("GetTickCount"));

    insertList()->setCurrentRow(2);
    QCOMPARE(main_->browseMode(), BrowseMode::DataTypes);
    QCOMPARE(dataTypes()->RowText(dataTypes()->Selection()), QStringLiteral("RECT"));
    QVERIFY(browser()->PageSource().contains(QStringLiteral("RECT")));

    insertList()->setCurrentRow(3);
    QCOMPARE(main_->browseMode(), BrowseMode::Constants);
    QCOMPARE(main_->constants().Offset(), 30);
    QCOMPARE(constants()->CellText(constants()->Selection(), 0), QStringLiteral("MB_OK"));
    QVERIFY(constants()->isVisible());

    // A function deleted meanwhile: nothing in the functions list begins with it.
    Pick(functions(), QStringLiteral("GetTickCount"));
    Run(QStringLiteral("insert into 函数表(名称) values('ZwClose')"));
    main_->FillEntryList(functions(), u"函数表", true);
    Pick(functions(), QStringLiteral("ZwClose"));
    main_->AddToInsertList(BrowseMode::Functions);
    Run(QStringLiteral("delete from 函数表 where 名称='ZwClose'"));
    main_->FillEntryList(functions(), u"函数表", true);
    insertList()->setCurrentRow(4);
    QCOMPARE(main_->browseMode(), BrowseMode::Functions);
    QCOMPARE(functions()->Selection(), -1);
  }

  void copyingTheInsertListAndTheSelectedEntry() {
    Start();
    Pick(functions(), QStringLiteral("MessageBoxA"));
    main_->AddToInsertList(BrowseMode::Functions);
    main_->DispatchCommand(10005);
    constants()->SetSelection(0);
    main_->AddToInsertList(BrowseMode::Constants);

    const DeclarationStyle style = main_->settings().style;
    std::string function, constant;
    QCOMPARE(SelectedDeclaration(*store_, BrowseMode::Functions, 1, SyntaxKind::E, style, function), CopyResult::Copied);
    QCOMPARE(SelectedDeclaration(*store_, BrowseMode::Constants, 1, SyntaxKind::E, style, constant), CopyResult::Copied);
    const QString header = QStringLiteral(".版本 2\r\n\r\n");
    QVERIFY(function.size() > 15 && constant.size() > 15);
    const QString expected = header + FromGbk(function).mid(header.size()) + QStringLiteral("\r\n") +
                             FromGbk(constant).mid(header.size()) + QStringLiteral("\r\n");
    main_->DispatchCommand(11014);
    QCOMPARE(services_->clipboard(), expected);
    QVERIFY(services_->clipboard().contains(QStringLiteral(".常量 MB_OK")));
    QCOMPARE(services_->beeps(), 1);
    services_->SetClipboardText(QString());
    w().button(1010)->click();
    QCOMPARE(services_->clipboard(), expected);

    // F8 copies the entry selected in the current view.
    main_->DispatchCommand(10006);
    QCOMPARE(services_->clipboard(), FromGbk(constant));

    // One entry that cannot be loaded spoils the whole copy.
    Run(QStringLiteral("drop table 常量表"));
    services_->SetClipboardText(QStringLiteral("before"));
    main_->DispatchCommand(11014);
    QCOMPARE(services_->clipboard(), QStringLiteral("before"));
    QCOMPARE(services_->lastMessage().text, QStringLiteral("复制失败！"));
    QCOMPARE(services_->lastMessage().style, 0x10);
    QCOMPARE(services_->lastMessage().owner, static_cast<QWidget*>(&w()));
    services_->clear();
    main_->DispatchCommand(11023);
    QCOMPARE(services_->lastMessage().text, QStringLiteral("复制失败！"));
  }

  void statisticsInTheWindowsBox() {
    Start();
    main_->DispatchCommand(10022);
    QCOMPARE(services_->lastMessage().text, QStringLiteral("函数：2个\r\n数据类型：2个\r\n常量：1个"));
    QCOMPARE(services_->lastMessage().style, 0x40);
    QCOMPARE(services_->lastMessage().caption, QStringLiteral("信息："));
    QCOMPARE(services_->lastMessage().owner, static_cast<QWidget*>(&w()));
  }

  void functionNameCannotTakeAnotherFunctionsName() {
    Start();
    Pick(functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element name = CellOf(QStringLiteral("函数表"), QStringLiteral("名称"), 1);
    QVERIFY(name != BrowserHost::kNoElement);
    services_->setNextInput(true, QStringLiteral("GetTickCount"));
    QVERIFY(main_->page().EditCell(PointOf(name)));
    QCOMPARE(services_->inputs().back().prompt, QStringLiteral("MessageBoxA → 名称"));
    QCOMPARE(services_->inputs().back().title, QStringLiteral("修改内容"));
    QCOMPARE(services_->inputs().back().initial, QStringLiteral("MessageBoxA"));
    QCOMPARE(services_->lastMessage().text, QStringLiteral("此名称已经存在！"));
    QCOMPARE(services_->lastMessage().style, 0x30);
    QCOMPARE(services_->lastMessage().caption, QStringLiteral("信息："));
    QCOMPARE(services_->lastMessage().owner, static_cast<QWidget*>(&w()));
    QCOMPARE(StoredText(QStringLiteral("select 名称 from 函数表 where id=1")), QStringLiteral("MessageBoxA"));
    QCOMPARE(browser()->InnerText(name), QStringLiteral("MessageBoxA"));

    // The same text, or a cancelled box, writes nothing.
    services_->clear();
    services_->setNextInput(true, QStringLiteral("MessageBoxA"));
    QVERIFY(main_->page().EditCell(PointOf(name)));
    QVERIFY(main_->page().EditCell(PointOf(name)));
    QVERIFY(services_->messages().empty());
    QCOMPARE(services_->inputs().size(), std::size_t(2));
  }

  void parameterNameMayRepeatAnotherParameter() {
    Run(QStringLiteral("insert into 函数参数表(名称,数据类型,所属函数) values('lpText','文本型',1)"));
    Start();
    Pick(functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element param = CellOf(QStringLiteral("函数参数表"), QStringLiteral("名称"), 1);
    const BrowserHost::Element other = CellOf(QStringLiteral("函数参数表"), QStringLiteral("名称"), 2);
    QVERIFY(param != BrowserHost::kNoElement && other != BrowserHost::kNoElement);
    services_->setNextInput(true, QStringLiteral("lpText"));
    QVERIFY(!main_->page().EditCell(PointOf(param)));
    QCOMPARE(services_->inputs().back().prompt, QStringLiteral("hWnd → 名称"));
    QVERIFY(services_->messages().empty());
    QCOMPARE(StoredText(QStringLiteral("select 名称 from 函数参数表 where id=1")), QStringLiteral("lpText"));
    QCOMPARE(browser()->InnerText(param), QStringLiteral("lpText"));
    QCOMPARE(browser()->InnerText(other), QStringLiteral("lpText"));
    QCOMPARE(w().multiLineEdit(1008)->Text(), QStringLiteral("hWnd"));

    // Quotes in the typed text are stored as typed.
    const BrowserHost::Element remark = CellOf(QStringLiteral("函数参数表"), QStringLiteral("备注"), 1);
    QVERIFY(remark != BrowserHost::kNoElement);
    services_->setNextInput(true, QStringLiteral("it's the owner'); drop table 函数表; --"));
    QVERIFY(!main_->page().EditCell(PointOf(remark)));
    QCOMPARE(StoredText(QStringLiteral("select 备注 from 函数参数表 where id=1")),
             QStringLiteral("it's the owner'); drop table 函数表; --"));
    QCOMPARE(StoredInt(QStringLiteral("select count(1) from 函数表")), 2);
  }

  void yesNoCellsToggleAndStore() {
    Start();
    Pick(functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element byRef = CellOf(QStringLiteral("函数参数表"), QStringLiteral("传址"), 1);
    QVERIFY(byRef != BrowserHost::kNoElement);
    QVERIFY(!main_->page().ClickCell(PointOf(byRef)));  // swallowed, nothing changes
    QCOMPARE(browser()->InnerText(byRef), QString());
    QVERIFY(!main_->page().EditCell(PointOf(byRef)));
    QCOMPARE(browser()->InnerText(byRef), QStringLiteral("√"));
    QCOMPARE(StoredInt(QStringLiteral("select 传址 from 函数参数表 where id=1")), 1);
    // Through the page's own double click as well.
    QTest::mouseDClick(browser()->View()->viewport(), Qt::LeftButton, Qt::NoModifier,
                       browser()->View()->viewport()->mapFrom(browser(), PointOf(byRef)));
    QCOMPARE(browser()->InnerText(byRef), QString());
    QCOMPARE(StoredInt(QStringLiteral("select 传址 from 函数参数表 where id=1")), 0);

    // A member's no shows as a blank: the first double click stores 0 and empties it.
    Run(QStringLiteral("update 数据类型成员表 set 传址=0"));
    main_->DispatchCommand(10004);
    Pick(dataTypes(), QStringLiteral("RECT"));
    const BrowserHost::Element member = CellOf(QStringLiteral("数据类型成员表"), QStringLiteral("传址"), 1);
    QVERIFY(member != BrowserHost::kNoElement);
    QVERIFY(!main_->page().EditCell(PointOf(member)));
    QCOMPARE(browser()->InnerText(member), QString());
    QCOMPARE(StoredInt(QStringLiteral("select 传址 from 数据类型成员表 where id=1")), 0);
    QVERIFY(!main_->page().EditCell(PointOf(member)));
    QCOMPARE(browser()->InnerText(member), QStringLiteral("√"));
    QCOMPARE(StoredInt(QStringLiteral("select 传址 from 数据类型成员表 where id=1")), 1);
    QVERIFY(services_->inputs().empty());
  }

  void clickingAParameterTypeJumpsToTheDataType() {
    Run(QStringLiteral("insert into 数据类型表(名称) values('RECTL')"));
    Run(QStringLiteral("insert into 函数参数表(名称,数据类型,所属函数) values('lpRect','rect',1)"));
    Start();
    main_->DispatchCommand(10004);  // the data types list is filled the first time it is shown
    main_->DispatchCommand(10002);
    Pick(functions(), QStringLiteral("MessageBoxA"));
    const BrowserHost::Element type = CellOf(QStringLiteral("函数参数表"), QStringLiteral("数据类型"), 2);
    QVERIFY(type != BrowserHost::kNoElement);
    QVERIFY(main_->page().ClickCell(PointOf(type)));
    QCOMPARE(main_->browseMode(), BrowseMode::DataTypes);
    QCOMPARE(dataTypes()->RowText(dataTypes()->Selection()), QStringLiteral("RECT"));
    QVERIFY(browser()->PageSource().contains(QStringLiteral("矩形")));
    QCOMPARE(w().multiLineEdit(1008)->Text(), QStringLiteral("RECT"));

    // Other cells only fill the text box.
    const BrowserHost::Element remark = CellOf(QStringLiteral("数据类型成员表"), QStringLiteral("备注"), 1);
    QVERIFY(remark != BrowserHost::kNoElement);
    QVERIFY(main_->page().ClickCell(PointOf(remark)));
    QCOMPARE(w().multiLineEdit(1008)->Text(), QStringLiteral("左边"));
    QCOMPARE(main_->browseMode(), BrowseMode::DataTypes);
  }

  void ctrlCCopiesThePageSelectionButNotWithShift() {
    Start();
    Pick(functions(), QStringLiteral("MessageBoxA"));
    browser()->SelectAll();
    QTest::keyClick(browser()->View(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(services_->clipboard(), QString());
    QTest::keyClick(browser()->View(), Qt::Key_C, Qt::ControlModifier);
    QVERIFY(services_->clipboard().contains(QStringLiteral("MessageBoxA")));
  }
};

QTEST_MAIN(BrowseTest)
#include "tst_Browse.moc"
