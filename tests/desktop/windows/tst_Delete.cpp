// Deleting functions, data types and constants from their lists, and the
// constant editor, over catalogues made by the tests.
#include <QAbstractButton>
#include <QtTest>

#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "windows/ConstantEditorDialog.h"
#include "windows/ConstantsPager.h"
#include "windows/Resources.h"

using namespace declarium;

class DeleteTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;
  test::Entries Add() { return test::EntriesOf(s_.store()); }

  QStringList ConstantNames() {
    QStringList names;
    for (int r = 0; r < s_.constants()->Count(); ++r) names << s_.constants()->CellText(r, 0);
    return names;
  }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  void deletingAFunctionAsksThenTakesItsParametersAlong() {
    const int beep = Add().Function("Beep");
    Add().Parameter(1, test::NewParam("a", "整数型"));
    Add().Parameter(beep, test::NewParam("b", "整数型"));
    QVERIFY(s_.Start());
    QCOMPARE(test::RowTexts(s_.functions()), QStringList({"Beep", "GetTickCount", "MessageBoxA"}));
    s_.functions()->SetSelection(2);

    s_.services().setNextAnswer(kAnswerNo);
    s_.main().DispatchCommand(command::kFunctionDelete);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("您真的要删除“MessageBoxA”API函数吗？"));
    QCOMPARE(s_.services().lastMessage().style, 0x34);
    QCOMPARE(s_.services().lastMessage().owner, &s_.w());
    QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息："));
    QCOMPARE(s_.functions()->Count(), 3);
    QCOMPARE(s_.Count(QStringLiteral("函数表")), 3);
    QCOMPARE(s_.Count(QStringLiteral("函数参数表")), 3);

    s_.main().DispatchCommand(command::kFunctionDelete);
    QCOMPARE(test::RowTexts(s_.functions()), QStringList({"Beep", "GetTickCount"}));
    QCOMPARE(s_.functions()->Selection(), 1);  // the row before the deleted one, shown
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("GetTickCount"));
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 函数参数表 where 所属函数=1")), 0);
    QCOMPARE(s_.Count(QStringLiteral("函数参数表")), 1);

    // The first row: the new first row is selected.
    s_.functions()->SetSelection(0);
    s_.main().DispatchCommand(command::kFunctionDelete);
    QCOMPARE(test::RowTexts(s_.functions()), QStringList({"GetTickCount"}));
    QCOMPARE(s_.functions()->Selection(), 0);
    QCOMPARE(s_.Count(QStringLiteral("函数参数表")), 0);
  }

  void aFailedSecondStatementLeavesTheParametersInPlace() {
    QVERIFY(
        s_.Run(QStringLiteral("create trigger keep before delete on 函数表 begin select raise(abort,'不许'); end")));
    QVERIFY(s_.Start());
    s_.functions()->SetSelection(1);  // MessageBoxA, with one parameter
    s_.main().DispatchCommand(command::kFunctionDelete);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("删除失败！"));
    QCOMPARE(s_.services().lastMessage().style, 0x10);
    QCOMPARE(s_.services().lastMessage().owner, &s_.w());
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from 函数参数表 where 所属函数=1")), 1);
    QCOMPARE(s_.Count(QStringLiteral("函数表")), 2);
    QCOMPARE(s_.functions()->Count(), 2);
    QCOMPARE(s_.functions()->Selection(), 1);
  }

  void deletingTheFirstAndTheOnlyDataType() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseDataTypes);
    QCOMPARE(test::RowTexts(s_.dataTypes()), QStringList({"POINT", "RECT"}));
    s_.dataTypes()->SetSelection(0);
    s_.main().DispatchCommand(command::kDataTypeDelete);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("您真的要删除“POINT”数据类型吗？"));
    QCOMPARE(test::RowTexts(s_.dataTypes()), QStringList({"RECT"}));
    QCOMPARE(s_.dataTypes()->Selection(), 0);
    QCOMPARE(s_.entryText()->Text(), QStringLiteral("RECT"));

    s_.main().DispatchCommand(command::kDataTypeDelete);
    QCOMPARE(s_.dataTypes()->Count(), 0);
    QCOMPARE(s_.dataTypes()->Selection(), -1);
    QCOMPARE(s_.Count(QStringLiteral("数据类型表")), 0);
    QCOMPARE(s_.Count(QStringLiteral("数据类型成员表")), 0);

    // Nothing selected: nothing is asked.
    s_.services().clear();
    s_.main().DispatchCommand(command::kDataTypeDelete);
    QVERIFY(s_.services().messages().empty());
  }

  void deletingAConstantRemovesExactlyItsRow() {
    for (int i = 0; i < 40; ++i) Add().Constant(test::NewConstant(test::Numbered("K", i), "0", "0x0").Remark(""));
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.constants()->SetSelection(5);
    s_.main().DispatchCommand(command::kConstantDelete);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("您真的要删除“K05”常量吗？"));
    QCOMPARE(s_.constants()->Count(), 29);  // the page is not read again
    QCOMPARE(s_.constants()->Selection(), 4);
    QVERIFY(!ConstantNames().contains(QStringLiteral("K05")));
    QCOMPARE(s_.Count(QStringLiteral("常量表")), 40);
    s_.main().constants().Page(2);
    s_.main().constants().Page(0);
    QCOMPARE(s_.constants()->CellText(5, 0), QStringLiteral("K06"));

    QVERIFY(s_.Run(QStringLiteral("create trigger keep before delete on 常量表 begin select raise(abort,'x'); end")));
    s_.constants()->SetSelection(0);
    s_.main().DispatchCommand(command::kConstantDelete);
    QCOMPARE(s_.services().lastMessage().text, QStringLiteral("删除失败！"));
    QCOMPARE(s_.constants()->Count(), 30);
  }

  void unchangedSaveKeepsALongRemarkWhole() {
    const QString remark = QStringLiteral("说明").repeated(50) + QString(200, u'r');  // 400 bytes
    const QString name = QStringLiteral("LONG_") + QString(290, u'N');
    Add().Constant(test::NewConstant(name.toStdString(), "16", "0x10").Remark(remark.toStdString()));
    QVERIFY(s_.Run(QStringLiteral("delete from 常量表 where 名称='MB_OK'")));
    QVERIFY(
        s_.Run(QStringLiteral("create table writes(n); create trigger count_writes after update on 常量表 "
                              "begin insert into writes values(1); end")));
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.constants()->SetSelection(0);
    QVERIFY(s_.InModal(command::kConstantEdit, resource::kConstantEditor, [&](Window& ew) {
      QCOMPARE(ew.Caption(), QStringLiteral("修改常量"));
      QCOMPARE(ew.ItemText(constant_control::kName), name);
      QCOMPARE(ew.ItemText(constant_control::kDecimal), QStringLiteral("16"));
      QCOMPARE(ew.ItemText(constant_control::kHex), QStringLiteral("0x10"));
      QCOMPARE(ew.ItemText(constant_control::kRemark), remark);
      ew.button(constant_control::kOk)->click();
      QVERIFY(!ew.isVisible());
    }));
    QVERIFY(s_.services().messages().empty());
    QCOMPARE(s_.Int(QStringLiteral("select count(1) from writes")), 1);  // the update did run
    QCOMPARE(s_.Text(QStringLiteral("select 备注 from 常量表")), remark);
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 常量表")), name);
  }

  void unchangedSaveKeepsLineBreaksAsStored() {
    QVERIFY(s_.Run(QStringLiteral("update 常量表 set 备注='第一行' || char(10) || '第二行'")));
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.constants()->SetSelection(0);
    QVERIFY(s_.InModal(command::kConstantEdit, resource::kConstantEditor,
                       [](Window& ew) { ew.button(constant_control::kOk)->click(); }));
    QCOMPARE(s_.Text(QStringLiteral("select 备注 from 常量表")), QStringLiteral("第一行\n第二行"));
  }

  void savingQuotesUpdatesTheRowInPlace() {
    Add().Constant(test::NewConstant("A_FIRST", "1", "0x1").Remark(""));
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    QCOMPARE(ConstantNames(), QStringList({"A_FIRST", "MB_OK"}));
    s_.constants()->SetSelection(0);
    QVERIFY(s_.InModal(command::kConstantEdit, resource::kConstantEditor, [&](Window& ew) {
      ew.SetItemText(constant_control::kName, QStringLiteral("Z_'LAST"));
      ew.SetItemText(constant_control::kDecimal, QStringLiteral("2'"));
      ew.SetItemText(constant_control::kHex, QStringLiteral("0x'2"));
      ew.SetItemText(constant_control::kRemark, QStringLiteral("it's 二"));
      ew.button(constant_control::kOk)->click();
    }));
    // Same row, though the name now sorts last.
    QCOMPARE(s_.constants()->CellText(0, 0), QStringLiteral("Z_'LAST"));
    QCOMPARE(s_.constants()->CellText(0, 1), QStringLiteral("0x'2"));
    QCOMPARE(s_.constants()->CellText(0, 2), QStringLiteral("2'"));
    QCOMPARE(s_.constants()->CellText(0, 3), QStringLiteral("it's 二"));
    QCOMPARE(s_.Text(QStringLiteral(
                 "select 十六进制值 || '|' || 十进制值 || '|' || 备注 from 常量表 where 名称='Z_''LAST'")),
             QStringLiteral("0x'2|2'|it's 二"));
    QCOMPARE(s_.Count(QStringLiteral("常量表")), 2);
  }

  void aFailedSaveKeepsTheEditorOpenAndCancelWritesNothing() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    // No row selected: nothing opens.
    QVERIFY(!s_.InModal(command::kConstantEdit, resource::kConstantEditor, [](Window&) {}));
    s_.constants()->SetSelection(0);
    QVERIFY(s_.Run(QStringLiteral("create trigger keep before update on 常量表 begin select raise(abort,'x'); end")));
    QVERIFY(s_.InModal(command::kConstantEdit, resource::kConstantEditor, [&](Window& ew) {
      ew.SetItemText(constant_control::kName, QStringLiteral("CHANGED"));
      ew.button(constant_control::kOk)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("修改失败！"));
      QCOMPARE(s_.services().lastMessage().owner, &ew);
      QCOMPARE(s_.services().lastMessage().style, 0x10);
      QVERIFY(ew.isVisible());
      QCOMPARE(ew.ItemText(constant_control::kName), QStringLiteral("CHANGED"));
      ew.button(constant_control::kCancel)->click();
      QVERIFY(!ew.isVisible());
    }));
    QCOMPARE(s_.constants()->CellText(0, 0), QStringLiteral("MB_OK"));
    QCOMPARE(s_.Text(QStringLiteral("select 名称 from 常量表")), QStringLiteral("MB_OK"));
  }

  void aTextGbkCannotHoldIsRefused() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.constants()->SetSelection(0);
    QVERIFY(s_.InModal(command::kConstantEdit, resource::kConstantEditor, [&](Window& ew) {
      ew.SetItemText(constant_control::kRemark, QStringLiteral("remark \uAC00"));
      ew.button(constant_control::kOk)->click();
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("修改失败！\r\n含有GBK编码无法表示的字符！"));
      QVERIFY(ew.isVisible());
      ew.button(constant_control::kCancel)->click();
    }));
    QCOMPARE(s_.Text(QStringLiteral("select ifnull(备注,'') from 常量表 where 名称='MB_OK'")),
             s_.constants()->CellText(0, 3));
    QVERIFY(!s_.constants()->CellText(0, 3).contains(QStringLiteral("?")));
  }
  void editingOneValueDerivesTheOtherAndTwoNumbersAreRefused() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseConstants);
    s_.constants()->SetSelection(0);
    QVERIFY(s_.InModal(command::kConstantEdit, resource::kConstantEditor, [&](Window& ew) {
      ew.SetItemText(constant_control::kDecimal, QStringLiteral("1026"));
      ew.SetItemText(constant_control::kHex, QStringLiteral("0x401"));
      ew.button(constant_control::kOk)->click();
      QVERIFY(ew.isVisible());
      QCOMPARE(s_.services().lastMessage().owner, &ew);
      QVERIFY(s_.services().lastMessage().text.contains(QStringLiteral("1026")));
      ew.SetItemText(constant_control::kHex, s_.constants()->CellText(0, 1));
      ew.button(constant_control::kOk)->click();
      QVERIFY(!ew.isVisible());
    }));
    QCOMPARE(s_.constants()->CellText(0, 1), QStringLiteral("0x402"));
    QCOMPARE(s_.Text(QStringLiteral("select 十六进制值 || '|' || 十进制值 from 常量表 where 名称='MB_OK'")),
             QStringLiteral("0x402|1026"));
  }
};

QTEST_MAIN(DeleteTest)
#include "tst_Delete.moc"
