// The category commands of the tree, renaming in place, and the two filing
// windows, over catalogues made by the tests.
#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "windows/CategoryWindows.h"
#include "windows/Resources.h"

using namespace declarium;

class CategoriesTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;
  test::Entries Add() { return test::EntriesOf(s_.store()); }

  // Two categories: "窗口" (id 1) holding MessageBoxA, "系统" (id 2) empty.
  void StartWithCategories() {
    Add().Category("窗口");
    Add().Category("系统");
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=1 where 名称='MessageBoxA'")));
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseCategories);
  }

  TreeView::Item Root(const QString& text) {
    for (TreeView::Item r = s_.tree()->FirstItem(); r; r = s_.tree()->NextSibling(r))
      if (TreeView::ItemText(r) == text) return r;
    return nullptr;
  }
  QStringList Roots() {
    QStringList names;
    for (TreeView::Item r = s_.tree()->FirstItem(); r; r = s_.tree()->NextSibling(r)) names << TreeView::ItemText(r);
    return names;
  }
  QStringList Children(const QString& category) {
    QStringList names;
    TreeView::Item root = Root(category);
    for (TreeView::Item c = s_.tree()->FirstChild(root); c; c = s_.tree()->NextSibling(c))
      names << TreeView::ItemText(c);
    return names;
  }
  QLineEdit* LabelEditor() { return s_.tree()->findChild<QLineEdit*>(); }

  // Ends the open label edit with key after typing text (nullptr text: as it is).
  void EndEdit(const QString* text, Qt::Key key) {
    QLineEdit* editor = LabelEditor();
    QVERIFY(editor != nullptr);
    if (text != nullptr) editor->setText(*text);
    QTest::keyClick(editor, key);
    QTRY_VERIFY(!s_.tree()->LabelEditing());
    QTRY_VERIFY(LabelEditor() == nullptr);
  }
  void Rename(const QString& category, const QString& text, Qt::Key key = Qt::Key_Return) {
    s_.tree()->Select(Root(category));
    s_.main().DispatchCommand(command::kTreeRenameCategory);
    QVERIFY(s_.tree()->LabelEditing());
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
    s_.main().DispatchCommand(command::kBrowseCategories);
    QVERIFY(!s_.tree()->LabelEditing());
    for (int i = 0; i < 2; ++i) {
      s_.main().DispatchCommand(command::kTreeNewCategory);
      QVERIFY(s_.tree()->LabelEditing());
      QVERIFY(LabelEditor() != nullptr);
      QCOMPARE(LabelEditor()->text(), QStringLiteral("新分类"));
      EndEdit(nullptr, Qt::Key_Return);
    }
    QCOMPARE(Roots(), QStringList({QStringLiteral("新分类"), QStringLiteral("新分类")}));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 类别表 where 名称='新分类'")), 2);
    const TreeView::Item first = s_.tree()->FirstItem();
    QVERIFY(TreeView::ItemData(first) != TreeView::ItemData(s_.tree()->NextSibling(first)));
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
    s_.tree()->Select(s_.tree()->FirstChild(Root(QStringLiteral("it's 窗口"))));
    s_.main().DispatchCommand(command::kTreeRenameCategory);
    QVERIFY(!s_.tree()->LabelEditing());
    QVERIFY(LabelEditor() == nullptr);
  }

  void aFailedRenameSaysSoAndKeepsTheLabel() {
    StartWithCategories();
    QVERIFY(
        s_.Run(QStringLiteral("create trigger keep before update on 类别表 begin select raise(abort,'不许改'); end")));
    Rename(QStringLiteral("系统"), QStringLiteral("其他"));
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("重名了分类失败！\r\n不许改"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(s_.services().lastMessage().owner, nullptr);
    QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息"));
    QVERIFY(Root(QStringLiteral("系统")) != nullptr);
    QVERIFY(!s_.tree()->LabelEditing());
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
    s_.tree()->Select(Root(QStringLiteral("窗口")));
    s_.services().setNextAnswer(kAnswerNo);
    s_.main().DispatchCommand(command::kTreeDeleteCategory);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("你真的要删除“窗口”分类吗？"));
    QCOMPARE(s_.services().lastMessage().style, 0x34);
    QCOMPARE(s_.services().lastMessage().owner, nullptr);
    QCOMPARE(Roots().size(), 2);

    s_.main().DispatchCommand(command::kTreeDeleteCategory);  // any answer but No goes on
    QCOMPARE(Roots(), QStringList({QStringLiteral("系统")}));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 类别表")), 1);
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 1);

    // "删除分类" on a function item does nothing.
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=2 where 名称='GetTickCount'")));
    s_.main().FillCategoryTree(true);
    s_.tree()->Select(s_.tree()->FirstChild(Root(QStringLiteral("系统"))));
    s_.services().clear();
    s_.main().DispatchCommand(command::kTreeDeleteCategory);
    QVERIFY(s_.services().messages().empty());
    QCOMPARE(Children(QStringLiteral("系统")), QStringList({QStringLiteral("GetTickCount")}));

    QVERIFY(
        s_.Run(QStringLiteral("create trigger keep before delete on 类别表 begin select raise(abort,'留着'); end")));
    s_.tree()->Select(Root(QStringLiteral("系统")));
    s_.main().DispatchCommand(command::kTreeDeleteCategory);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("删除分类失败！\r\n留着"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(Roots(), QStringList({QStringLiteral("系统")}));
  }

  void newCategoryFailureCarriesTheDatabaseText() {
    StartWithCategories();
    QVERIFY(
        s_.Run(QStringLiteral("create trigger keep before insert on 类别表 begin select raise(abort,'满了'); end")));
    s_.main().DispatchCommand(command::kTreeNewCategory);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("新建分类失败！\r\n满了"));
    QCOMPARE(s_.services().lastMessage().owner, nullptr);
    QCOMPARE(Roots().size(), 2);
    QVERIFY(!s_.tree()->LabelEditing());
  }

  void unfilingTakesTheFunctionOutOfTheTree() {
    StartWithCategories();
    s_.tree()->Select(Root(QStringLiteral("窗口")));
    s_.main().DispatchCommand(command::kTreeRemoveFunction);  // a category: nothing
    QCOMPARE(Children(QStringLiteral("窗口")).size(), 1);

    s_.tree()->Select(s_.tree()->FirstChild(Root(QStringLiteral("窗口"))));
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before update on 函数表 begin select raise(abort,'x'); end")));
    s_.main().DispatchCommand(command::kTreeRemoveFunction);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("删除函数分类失败！"));
    QCOMPARE(s_.services().lastMessage().owner, &s_.w());
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(Children(QStringLiteral("窗口")).size(), 1);

    QVERIFY(s_.Run(QStringLiteral("drop trigger keep")));
    s_.services().clear();
    s_.main().DispatchCommand(command::kTreeRemoveFunction);
    QVERIFY(s_.services().messages().empty());  // no confirmation
    QVERIFY(Children(QStringLiteral("窗口")).isEmpty());
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 0);
  }

  void expandAndCollapseEveryCategory() {
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 类别=2 where 名称='GetTickCount'")));
    StartWithCategories();
    s_.main().DispatchCommand(command::kTreeExpandAll);
    QVERIFY(Root(QStringLiteral("窗口"))->isExpanded());
    QVERIFY(Root(QStringLiteral("系统"))->isExpanded());
    s_.main().DispatchCommand(command::kTreeCollapseAll);
    QVERIFY(!Root(QStringLiteral("窗口"))->isExpanded());
    QVERIFY(!Root(QStringLiteral("系统"))->isExpanded());
  }

  void fileFunctionsWindowMovesRowsAndWritesTheRightList() {
    Add().Functions({"GetLastError", "Sleep"});
    StartWithCategories();
    // A function item: the window works on its category.
    s_.tree()->Select(s_.tree()->FirstChild(Root(QStringLiteral("窗口"))));
    QVERIFY(s_.InModal(command::kTreeAddFunctions, resource::kFileFunctions, [&](Window& fw) {
      QCOMPARE(fw.Caption(), QStringLiteral("函数分类"));
      QCOMPARE(fw.ItemText(file_control::kLabel), QStringLiteral("添加到分类：窗口"));
      ListBox* left = fw.listBox(file_control::kOutside);
      ListBox* right = fw.listBox(file_control::kInside);
      QCOMPARE(test::RowTexts(left), QStringList({"GetLastError", "GetTickCount", "Sleep"}));
      QCOMPARE(test::RowTexts(right), QStringList({"MessageBoxA"}));

      // Typing selects the first left row that begins with the text.
      QTest::keyClicks(fw.editBox(file_control::kTypeAhead), QStringLiteral("gett"));
      QCOMPARE(left->Selection(), 1);
      QTest::keyClicks(fw.editBox(file_control::kTypeAhead), QStringLiteral("zz"));
      QCOMPARE(left->Selection(), 1);
      fw.button(file_control::kAdd)->click();
      QCOMPARE(test::RowTexts(right), QStringList({"MessageBoxA", "GetTickCount"}));
      QCOMPARE(test::RowTexts(left), QStringList({"GetLastError", "Sleep"}));
      QCOMPARE(left->Selection(), 1);  // the row now at the same index

      // A double-click moves too; in and back again leaves the filing as it was.
      QTest::mouseDClick(left->viewport(), Qt::LeftButton, {}, left->visualItemRect(left->item(0)).center());
      QCOMPARE(test::RowTexts(right), QStringList({"MessageBoxA", "GetTickCount", "GetLastError"}));
      right->SetSelection(2);
      fw.button(file_control::kRemove)->click();
      QCOMPARE(test::RowTexts(left), QStringList({"Sleep", "GetLastError"}));
      QCOMPARE(right->Selection(), -1);                                                 // no row at that index any more
      QCOMPARE(s_.Int(QStringLiteral("select count(1) from 函数表 where 类别=1")), 1);  // nothing written yet

      fw.button(file_control::kOk)->click();
      QVERIFY(!fw.isVisible());
    }));
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 1);
    QCOMPARE(CategoryOf(QStringLiteral("GetLastError")), 0);
    QCOMPARE(Children(QStringLiteral("窗口")), QStringList({"GetTickCount", "MessageBoxA"}));
  }

  void fileFunctionsWindowStaysOpenWhenWritingFailsAndCancelWritesNothing() {
    StartWithCategories();
    s_.tree()->Select(Root(QStringLiteral("系统")));
    QVERIFY(
        s_.Run(QStringLiteral("create trigger keep before update on 函数表 when new.名称='MessageBoxA' "
                              "begin select raise(abort,'x'); end")));
    QVERIFY(s_.InModal(command::kTreeAddFunctions, resource::kFileFunctions, [&](Window& fw) {
      ListBox* left = fw.listBox(file_control::kOutside);
      QCOMPARE(test::RowTexts(left), QStringList({"GetTickCount", "MessageBoxA"}));
      left->SetSelection(0);
      fw.button(file_control::kAdd)->click();
      left->SetSelection(0);
      fw.button(file_control::kAdd)->click();
      fw.button(file_control::kOk)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("添加函数到分类失败！"));
      QCOMPARE(s_.services().lastMessage().owner, &fw);
      QVERIFY(fw.isVisible());
    }));
    // The row before the failure stays written; the tree was not refilled.
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 2);
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 1);
    QVERIFY(Children(QStringLiteral("系统")).isEmpty());

    QVERIFY(s_.InModal(command::kTreeAddFunctions, resource::kFileFunctions, [&](Window& fw) {
      fw.listBox(file_control::kOutside)->SetSelection(0);
      fw.button(file_control::kAdd)->click();
      fw.button(file_control::kCancel)->click();
    }));
    QCOMPARE(CategoryOf(QStringLiteral("MessageBoxA")), 1);
  }

  void chooseCategoryWindowFilesTheSelectedFunction() {
    QVERIFY(s_.Start());
    // No categories: "确定" asks for one and writes nothing.
    s_.functions()->SetSelection(0);  // GetTickCount
    QVERIFY(s_.InModal(command::kFunctionFileInto, resource::kChooseCategory, [&](Window& cw) {
      QCOMPARE(cw.Caption(), QStringLiteral("选择分类"));
      QCOMPARE(cw.listBox(choose_control::kCategories)->Count(), 0);
      cw.button(choose_control::kOk)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("请选择分类！"));
      QCOMPARE(s_.services().lastMessage().style, 0x40);
      QVERIFY(cw.isVisible());
    }));
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 0);

    Add().Category("系统");
    Add().Category("窗口's");
    QVERIFY(s_.InModal(command::kFunctionFileInto, resource::kChooseCategory, [&](Window& cw) {
      ListBox* list = cw.listBox(choose_control::kCategories);
      QCOMPARE(test::RowTexts(list), QStringList({"窗口's", "系统"}));
      QCOMPARE(list->Selection(), 0);
      list->SetSelection(1);
      cw.button(choose_control::kOk)->click();
      QVERIFY(!cw.isVisible());
    }));
    QCOMPARE(CategoryOf(QStringLiteral("GetTickCount")), 1);
    QCOMPARE(Roots(), QStringList({"窗口's", "系统"}));
    QCOMPARE(Children(QStringLiteral("系统")), QStringList({"GetTickCount"}));

    // A failed filing keeps the window open.
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before update on 函数表 begin select raise(abort,'x'); end")));
    QVERIFY(s_.InModal(command::kFunctionFileInto, resource::kChooseCategory, [&](Window& cw) {
      cw.button(choose_control::kOk)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("分类失败！"));
      QCOMPARE(s_.services().lastMessage().style, 0x10);
      QVERIFY(cw.isVisible());
    }));
  }
};

QTEST_MAIN(CategoriesTest)
#include "tst_Categories.moc"
