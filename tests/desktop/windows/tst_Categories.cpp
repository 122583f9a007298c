// The category commands of the tree, renaming in place, and the two filing
// windows, over catalogues made by the tests.
#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

#include "desktop/windows/AppSession.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "windows/CategoryWindows.h"
#include "windows/Resources.h"

using namespace declarium;

class CategoriesTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;

  Window& w() { return s_.w(); }
  MainWindow& main() { return s_.main(); }
  TreeView* tree() { return w().treeView(1003); }

  // Two categories: "窗口" (id 1) holding MessageBoxA, "系统" (id 2) empty.
  void StartWithCategories() {
    QVERIFY(s_.Run(QStringLiteral("insert into 类别表(名称) values('窗口'),('系统');"
                                  "update 函数表 set 类别=1 where 名称='MessageBoxA'")));
    QVERIFY(s_.Start());
    main().DispatchCommand(10003);
  }

  TreeView::Item Root(const QString& text) {
    for (TreeView::Item r = tree()->FirstItem(); r; r = tree()->NextSibling(r))
      if (TreeView::ItemText(r) == text) return r;
    return nullptr;
  }
  QStringList Roots() {
    QStringList names;
    for (TreeView::Item r = tree()->FirstItem(); r; r = tree()->NextSibling(r)) names << TreeView::ItemText(r);
    return names;
  }
  QStringList Children(const QString& category) {
    QStringList names;
    TreeView::Item root = Root(category);
    for (TreeView::Item c = tree()->FirstChild(root); c; c = tree()->NextSibling(c)) names << TreeView::ItemText(c);
    return names;
  }
  QLineEdit* LabelEditor() { return tree()->findChild<QLineEdit*>(); }

  // Ends the open label edit with key after typing text (nullptr text: as it is).
  void EndEdit(const QString* text, Qt::Key key) {
    QLineEdit* editor = LabelEditor();
    QVERIFY(editor != nullptr);
    if (text != nullptr) editor->setText(*text);
    QTest::keyClick(editor, key);
    QTRY_VERIFY(!tree()->LabelEditing());
    QTRY_VERIFY(LabelEditor() == nullptr);
  }
  void Rename(const QString& category, const QString& text, Qt::Key key = Qt::Key_Return) {
    tree()->Select(Root(category));
    main().DispatchCommand(11018);
    QVERIFY(tree()->LabelEditing());
    EndEdit(&text, key);
  }

  int CategoryOf(const QString& function) {
    return s_.Int(QStringLiteral("select 类别 from 函数表 where 名称='%1'").arg(function));
  }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  void newCategoryTwiceGivesTwoNamedNewCategory() {
    QVERIFY(s_.Start());
    main().DispatchCommand(10003);
    QVERIFY(!tree()->LabelEditing());
    for (int i = 0; i < 2; ++i) {
      main().DispatchCommand(11008);
      QVERIFY(tree()->LabelEditing());
      QVERIFY(LabelEditor() != nullptr);
      QCOMPARE(LabelEditor()->text(), QStringLiteral("新分类"));
      EndEdit(nullptr, Qt::Key_Return);
    }
    QCOMPARE(Roots(), QStringList({QStringLiteral("新分类"), QStringLiteral("新分类")}));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 类别表 where 名称='新分类'")), 2);
    QVERIFY(TreeView::ItemData(tree()->FirstItem()) != TreeView::ItemData(tree()->NextSibling(tree()->FirstItem())));
    QVERIFY(s_.services().messages().empty());
  }

  void renamingWritesTheNameAndAnEmptyLabelKeepsTheOldOne() {
    StartWithCategories();
    Rename(QStringLiteral("窗口"), QString());
    QVERIFY(Root(QStringLiteral("窗口")) != nullptr);
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 类别表 where id=1")), QStringLiteral("窗口"));

    Rename(QStringLiteral("窗口"), QStringLiteral("it's 窗口"));
    QVERIFY(Root(QStringLiteral("it's 窗口")) != nullptr);
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 类别表 where id=1")), QStringLiteral("it's 窗口"));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 类别表")), 2);

    // Escape ends the edit like Enter: what the editor holds is written.
    Rename(QStringLiteral("系统"), QStringLiteral("系统'2"), Qt::Key_Escape);
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 类别表 where id=2")), QStringLiteral("系统'2"));

    // A function item cannot be renamed.
    tree()->Select(tree()->FirstChild(Root(QStringLiteral("it's 窗口"))));
    main().DispatchCommand(11018);
    QVERIFY(!tree()->LabelEditing());
    QVERIFY(LabelEditor() == nullptr);
  }

  void aFailedRenameSaysSoAndKeepsTheLabel() {
    StartWithCategories();
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before update on 类别表 begin select raise(abort,'不许改'); end")));
    Rename(QStringLiteral("系统"), QStringLiteral("其他"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("重名了分类失败！\r\n不许改"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(s_.services().lastMessage().owner, nullptr);
    QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息"));
    QVERIFY(Root(QStringLiteral("系统")) != nullptr);
    QVERIFY(!tree()->LabelEditing());
  }

  void aNameGbkCannotHoldIsRefused() {
    StartWithCategories();
    Rename(QStringLiteral("系统"), QStringLiteral("系统\uAC00"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("重名了分类失败！\r\n含有GBK编码无法表示的字符！"));
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 类别表 where id=2")), QStringLiteral("系统"));
    QVERIFY(Root(QStringLiteral("系统")) != nullptr);
  }

  void deletingACategoryAsksAndLeavesItsFunctionsFiled() {
    StartWithCategories();
    tree()->Select(Root(QStringLiteral("窗口")));
    s_.services().setNextAnswer(kAnswerNo);
    main().DispatchCommand(11009);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("你真的要删除“窗口”分类吗？"));
    QCOMPARE(s_.services().lastMessage().style, 0x34);
    QCOMPARE(s_.services().lastMessage().owner, nullptr);
    QCOMPARE(Roots().size(), 2);

    main().DispatchCommand(11009);  // any answer but No goes on
    QCOMPARE(Roots(), QStringList({QStringLiteral("系统")}));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 类别表")), 1);
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 1);

    // "删除分类" on a function item does nothing.
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=2 where 名称='GetTickCount'")));
    main().FillCategoryTree(true);
    tree()->Select(tree()->FirstChild(Root(QStringLiteral("系统"))));
    s_.services().clear();
    main().DispatchCommand(11009);
    QVERIFY(s_.services().messages().empty());
    QCOMPARE(Children(QStringLiteral("系统")), QStringList({QStringLiteral("GetTickCount")}));

    QVERIFY(s_.Run(QStringLiteral("create trigger keep before delete on 类别表 begin select raise(abort,'留着'); end")));
    tree()->Select(Root(QStringLiteral("系统")));
    main().DispatchCommand(11009);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("删除分类失败！\r\n留着"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(Roots(), QStringList({QStringLiteral("系统")}));
  }

  void newCategoryFailureCarriesTheDatabaseText() {
    StartWithCategories();
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before insert on 类别表 begin select raise(abort,'满了'); end")));
    main().DispatchCommand(11008);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("新建分类失败！\r\n满了"));
    QCOMPARE(s_.services().lastMessage().owner, nullptr);
    QCOMPARE(Roots().size(), 2);
    QVERIFY(!tree()->LabelEditing());
  }

  void unfilingTakesTheFunctionOutOfTheTree() {
    StartWithCategories();
    tree()->Select(Root(QStringLiteral("窗口")));
    main().DispatchCommand(11012);  // a category: nothing
    QCOMPARE(Children(QStringLiteral("窗口")).size(), 1);

    tree()->Select(tree()->FirstChild(Root(QStringLiteral("窗口"))));
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before update on 函数表 begin select raise(abort,'x'); end")));
    main().DispatchCommand(11012);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("删除函数分类失败！"));
    QCOMPARE(s_.services().lastMessage().owner, &w());
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(Children(QStringLiteral("窗口")).size(), 1);

    QVERIFY(s_.Run(QStringLiteral("drop trigger keep")));
    s_.services().clear();
    main().DispatchCommand(11012);
    QVERIFY(s_.services().messages().empty());  // no confirmation
    QVERIFY(Children(QStringLiteral("窗口")).isEmpty());
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 0);
  }

  void expandAndCollapseEveryCategory() {
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=2 where 名称='GetTickCount'")));
    StartWithCategories();
    main().DispatchCommand(11005);
    QVERIFY(Root(QStringLiteral("窗口"))->isExpanded());
    QVERIFY(Root(QStringLiteral("系统"))->isExpanded());
    main().DispatchCommand(11006);
    QVERIFY(!Root(QStringLiteral("窗口"))->isExpanded());
    QVERIFY(!Root(QStringLiteral("系统"))->isExpanded());
  }

  void fileFunctionsWindowMovesRowsAndWritesTheRightList() {
    QVERIFY(s_.Run(QStringLiteral("insert into 函数表(名称) values('GetLastError'),('Sleep')")));
    StartWithCategories();
    // A function item: the window works on its category.
    tree()->Select(tree()->FirstChild(Root(QStringLiteral("窗口"))));
    bool ran = false;
    test::InNextModal(resource::kFileFunctions, [&](Window& fw) {
      QCOMPARE(fw.Caption(), QStringLiteral("函数分类"));
      QCOMPARE(fw.ItemText(1301), QStringLiteral("添加到分类：窗口"));
      ListBox* left = fw.listBox(1302);
      ListBox* right = fw.listBox(1304);
      QCOMPARE(test::RowTexts(left), QStringList({"GetLastError", "GetTickCount", "Sleep"}));
      QCOMPARE(test::RowTexts(right), QStringList({"MessageBoxA"}));

      // Typing selects the first left row that begins with the text.
      QTest::keyClicks(fw.editBox(1303), QStringLiteral("gett"));
      QCOMPARE(left->Selection(), 1);
      QTest::keyClicks(fw.editBox(1303), QStringLiteral("zz"));
      QCOMPARE(left->Selection(), 1);
      fw.button(1307)->click();
      QCOMPARE(test::RowTexts(right), QStringList({"MessageBoxA", "GetTickCount"}));
      QCOMPARE(test::RowTexts(left), QStringList({"GetLastError", "Sleep"}));
      QCOMPARE(left->Selection(), 1);  // the row now at the same index

      // A double-click moves too; in and back again leaves the filing as it was.
      QTest::mouseDClick(left->viewport(), Qt::LeftButton, {}, left->visualItemRect(left->item(0)).center());
      QCOMPARE(test::RowTexts(right), QStringList({"MessageBoxA", "GetTickCount", "GetLastError"}));
      right->SetSelection(2);
      fw.button(1308)->click();
      QCOMPARE(test::RowTexts(left), QStringList({"Sleep", "GetLastError"}));
      QCOMPARE(right->Selection(), -1);  // no row at that index any more
      QCOMPARE(s_.Int(QStringLiteral("select count(1) from 函数表 where 类别=1")), 1);  // nothing written yet

      fw.button(1305)->click();
      QVERIFY(!fw.isVisible());
    }, ran);
    main().DispatchCommand(11011);
    QVERIFY(ran);
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 1);
    QCOMPARE(CategoryOf(QStringLiteral("GetLastError")), 0);
    QCOMPARE(Children(QStringLiteral("窗口")), QStringList({"GetTickCount", "MessageBoxA"}));
  }

  void fileFunctionsWindowStaysOpenWhenWritingFailsAndCancelWritesNothing() {
    StartWithCategories();
    tree()->Select(Root(QStringLiteral("系统")));
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before update on 函数表 when new.名称='MessageBoxA' "
                                  "begin select raise(abort,'x'); end")));
    bool ran = false;
    test::InNextModal(resource::kFileFunctions, [&](Window& fw) {
      ListBox* left = fw.listBox(1302);
      QCOMPARE(test::RowTexts(left), QStringList({"GetTickCount", "MessageBoxA"}));
      left->SetSelection(0);
      fw.button(1307)->click();
      left->SetSelection(0);
      fw.button(1307)->click();
      fw.button(1305)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("添加函数到分类失败！"));
      QCOMPARE(s_.services().lastMessage().owner, &fw);
      QVERIFY(fw.isVisible());
    }, ran);
    main().DispatchCommand(11011);
    QVERIFY(ran);
    // The row before the failure stays written; the tree was not refilled.
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 2);
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 1);
    QVERIFY(Children(QStringLiteral("系统")).isEmpty());

    test::InNextModal(resource::kFileFunctions, [&](Window& fw) {
      fw.listBox(1302)->SetSelection(0);
      fw.button(1307)->click();
      fw.button(1306)->click();
    }, ran);
    main().DispatchCommand(11011);
    QVERIFY(ran);
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 1);
  }

  void chooseCategoryWindowFilesTheSelectedFunction() {
    QVERIFY(s_.Start());
    // No categories: "确定" asks for one and writes nothing.
    w().listBox(1001)->SetSelection(0);  // GetTickCount
    bool ran = false;
    test::InNextModal(resource::kChooseCategory, [&](Window& cw) {
      QCOMPARE(cw.Caption(), QStringLiteral("选择分类"));
      QCOMPARE(cw.listBox(1401)->Count(), 0);
      cw.button(1402)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("请选择分类！"));
      QCOMPARE(s_.services().lastMessage().style, 0x40);
      QVERIFY(cw.isVisible());
    }, ran);
    main().DispatchCommand(11013);
    QVERIFY(ran);
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 0);

    QVERIFY(s_.Run(QStringLiteral("insert into 类别表(名称) values('系统'),('窗口''s')")));
    test::InNextModal(resource::kChooseCategory, [&](Window& cw) {
      ListBox* list = cw.listBox(1401);
      QCOMPARE(test::RowTexts(list), QStringList({"窗口's", "系统"}));
      QCOMPARE(list->Selection(), 0);
      list->SetSelection(1);
      cw.button(1402)->click();
      QVERIFY(!cw.isVisible());
    }, ran);
    main().DispatchCommand(11013);
    QVERIFY(ran);
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 1);
    QCOMPARE(Roots(), QStringList({"窗口's", "系统"}));
    QCOMPARE(Children(QStringLiteral("系统")), QStringList({"GetTickCount"}));

    // A failed filing keeps the window open.
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before update on 函数表 begin select raise(abort,'x'); end")));
    test::InNextModal(resource::kChooseCategory, [&](Window& cw) {
      cw.button(1402)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("分类失败！"));
      QCOMPARE(s_.services().lastMessage().style, 0x10);
      QVERIFY(cw.isVisible());
    }, ran);
    main().DispatchCommand(11013);
    QVERIFY(ran);
  }
};

QTEST_MAIN(CategoriesTest)
#include "tst_Categories.moc"
