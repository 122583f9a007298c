// The export window "导出数据" opened from the real main window, over a
// catalogue made by the test; the save dialog is answered by the script.
#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "windows/ExportWindow.h"
#include "windows/Resources.h"

using namespace declarium;
using namespace declarium::export_control;

namespace {

// Added out of name order: the export sorts by 名称.
void AddExportEntries(test::Entries& add) {
  using test::NewFunction;
  add.Function(NewFunction("MessageBeep").Returns("逻辑型").Library("user32", "MessageBeep").Param("uType", "整数型"));
  add.Function(NewFunction("GetTickCount").Returns("整数型").Library("kernel32", "GetTickCount"));
  add.Function(NewFunction("GetDesktopWindow").Returns("整数型").Library("user32", ""));
  add.DataType("POINT");
  add.Constant(test::NewConstant("MAX_PATH", "260", "0x104").Remark("路径"));
  add.Constant(test::NewConstant("INFINITE", "-1", "").Remark("O'Brien's"));
}

constexpr char16_t kDesktop[] = u"Private Declare Function GetDesktopWindow Lib \"user32\" () As Long\r\n";
constexpr char16_t kTick[] =
    u"Private Declare Function GetTickCount Lib \"kernel32\" Alias \"GetTickCount\" () As Long\r\n";
constexpr char16_t kBeep[] =
    u"Private Declare Function MessageBeep Lib \"user32\" Alias \"MessageBeep\" (ByVal uType As Long) As Long\r\n";

QString U(const char16_t* s) { return QString::fromUtf16(s); }

}  // namespace

class ExportWindowTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;

  QString OutPath() const { return s_.Path(QStringLiteral("导出.txt")); }

  void Start(const QString& extraSql = {}) {
    QVERIFY(s_.Open([](const QString& db) { return test::MakeCatalogue(db, AddExportEntries); }));
    if (!extraSql.isEmpty()) QVERIFY(s_.Run(extraSql));
    QVERIFY(s_.Start());
  }

  // Opens the window through its command and runs body inside its loop;
  // the window is closed afterwards if body left it open.
  void WithExportWindow(const std::function<void(Window&)>& body) {
    QVERIFY(s_.InModal(command::kExport, resource::kExportWindow, body));
  }

  static void AddCondition(Window& w, int field, int op, int value, int add, const QString& fieldText,
                           const QString& opText, const QString& valueText) {
    w.dropDownList(field)->SetSelection(w.dropDownList(field)->findText(fieldText));
    w.dropDownList(op)->SetSelection(w.dropDownList(op)->findText(opText));
    w.SetItemText(value, valueText);
    w.button(add)->click();
  }
  static void AddFunctionCondition(Window& w, const QString& f, const QString& op, const QString& v) {
    AddCondition(w, kFunctionField, kFunctionOp, kFunctionValue, kFunctionAdd, f, op, v);
  }

  // Chooses the syntax as the user would (the change reaches the main window).
  static void ChooseSyntax(Window& w, int index) { w.dropDownList(kSyntax)->setCurrentIndex(index); }

  // Checks the kinds, answers the save dialog and presses "导出".
  void RunExport(Window& w, std::initializer_list<int> checks) {
    for (int id : checks) w.SetChecked(id, true);
    s_.services().setNextSaveFile(OutPath());
    w.button(kExport)->click();
  }

  QString File() const {
    QFile f(OutPath());
    if (!f.open(QIODevice::ReadOnly)) return QStringLiteral("<no file>");
    return FromGbk(f.readAll().toStdString());
  }

 private slots:
  void cleanup() { s_.Close(); }

  void opensWithFixedListsAndTheLanguageSetting() {
    Start();
    // The user picks VB in the main window first: the export window starts there.
    s_.languageBox()->setCurrentIndex(2);
    QCOMPARE(s_.main().settings().language, SyntaxKind::Vb);
    WithExportWindow([&](Window& w) {
      QCOMPARE(w.Caption(), QStringLiteral("导出数据"));
      QVERIFY(!w.windowIcon().isNull());
      const auto items = [&](int id) {
        QStringList out;
        for (int i = 0; i < w.dropDownList(id)->count(); ++i) out << w.dropDownList(id)->ItemText(i);
        return out;
      };
      QCOMPARE(items(kFunctionField), QStringList({"名称", "中文名", "库名", "库对应命令", "函数说明", "备注"}));
      QCOMPARE(items(kDataTypeField), QStringList({"名称", "中文名", "备注"}));
      QCOMPARE(items(kConstantField), QStringList({"名称", "十六进制值", "十进制值", "备注"}));
      const QStringList ops{"=", ">", "<", ">=", "<=", "!=", "like"};
      for (int id : {kFunctionOp, kDataTypeOp, kConstantOp}) QCOMPARE(items(id), ops);
      for (int id : {kFunctionField, kFunctionOp, kDataTypeField, kDataTypeOp, kConstantField, kConstantOp})
        QCOMPARE(w.dropDownList(id)->Selection(), 0);
      QCOMPARE(items(kSyntax), QStringList({"易语言", "CSharp", "VB"}));
      QCOMPARE(w.dropDownList(kSyntax)->Selection(), 2);
      auto* bar = w.control<QProgressBar>(kProgress);
      QCOMPARE(bar->minimum(), 0);
      QCOMPARE(bar->maximum(), 100);
      QCOMPARE(bar->value(), 0);
      for (int id : {kFunctions, kDataTypes, kConstants}) QVERIFY(!w.IsChecked(id));

      // A syntax change is mirrored to the main window's language box.
      ChooseSyntax(w, 1);
      QCOMPARE(s_.languageBox()->Selection(), 1);
      QCOMPARE(s_.main().settings().language, SyntaxKind::CSharp);

      w.button(kClose)->click();
      QVERIFY(!w.isVisible());
    });
  }

  void groupsFollowTheirCheckBoxesAndRowsStay() {
    Start();
    WithExportWindow([&](Window& w) {
      const int groups[3][6] = {
          {kFunctionGroup, kFunctionField, kFunctionOp, kFunctionValue, kFunctionAdd, kFunctionConditions},
          {kDataTypeGroup, kDataTypeField, kDataTypeOp, kDataTypeValue, kDataTypeAdd, kDataTypeConditions},
          {kConstantGroup, kConstantField, kConstantOp, kConstantValue, kConstantAdd, kConstantConditions}};
      const int checks[3] = {kFunctions, kDataTypes, kConstants};
      for (const auto& g : groups)
        for (int id : g) QVERIFY2(!w.Item(id)->isEnabled(), qPrintable(QString::number(id)));
      for (int k = 0; k < 3; ++k) {
        w.button(checks[k])->click();
        for (int j = 0; j < 3; ++j)
          for (int id : groups[j]) QCOMPARE(w.Item(id)->isEnabled(), j <= k);
      }
      AddFunctionCondition(w, QStringLiteral("库名"), QStringLiteral("like"), QStringLiteral("%kernel%"));
      QCOMPARE(w.listBox(kFunctionConditions)->RowText(0), QStringLiteral("库名 like '%kernel%'"));
      w.button(kFunctions)->click();
      for (int id : groups[0]) QVERIFY(!w.Item(id)->isEnabled());
      QCOMPARE(w.listBox(kFunctionConditions)->Count(), 1);
      w.button(kFunctions)->click();
      for (int id : groups[0]) QVERIFY(w.Item(id)->isEnabled());
      QCOMPARE(w.listBox(kFunctionConditions)->RowText(0), QStringLiteral("库名 like '%kernel%'"));
    });
  }

  void emptyConditionValueIsRefused() {
    Start();
    WithExportWindow([&](Window& w) {
      w.button(kFunctions)->click();
      w.button(kFunctionAdd)->click();
      QCOMPARE(s_.services().messages().size(), size_t{1});
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("条件值不能为空"));
      QCOMPARE(s_.services().lastMessage().caption, QStringLiteral("信息："));
      QCOMPARE(s_.services().lastMessage().style, int(kMbIconError));
      QCOMPARE(s_.services().lastMessage().owner, &w);
      QCOMPARE(w.listBox(kFunctionConditions)->Count(), 0);
      // A single space is a value: it is not trimmed away.
      AddFunctionCondition(w, QStringLiteral("备注"), QStringLiteral("="), QStringLiteral(" "));
      QCOMPARE(w.listBox(kFunctionConditions)->RowText(0), QStringLiteral("备注 = ' '"));
    });
  }

  void conditionValueGbkCannotHoldIsRefused() {
    Start();
    WithExportWindow([&](Window& w) {
      w.button(kFunctions)->click();
      AddFunctionCondition(w, QStringLiteral("备注"), QStringLiteral("="), QStringLiteral("a\U0001F600"));
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("条件值含有GBK编码无法表示的字符！"));
      QCOMPARE(w.listBox(kFunctionConditions)->Count(), 0);
    });
  }

  void nothingChosenOrCancelledWritesNothing() {
    Start();
    WithExportWindow([&](Window& w) {
      s_.services().setNextSaveFile(OutPath());
      w.button(kExport)->click();
      QCOMPARE(s_.services().lastMessage().text,
               QStringLiteral("请至少选择要导出的 【函数】、【数据类型】 或 【常量】 的其中一种！"));
      QCOMPARE(s_.services().lastMessage().style, int(kMbIconInformation));
      QCOMPARE(s_.services().lastMessage().owner, &w);
      s_.services().clear();
      w.SetChecked(kFunctions, true);
      w.button(kExport)->click();  // the dialog is cancelled
      QVERIFY(s_.services().messages().empty());
    });
    QVERIFY(!QFile::exists(OutPath()));
  }

  void functionsOnlyInVbWithoutConditions() {
    Start();
    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 2);
      RunExport(w, {kFunctions});
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("导出完毕！"));
      QCOMPARE(s_.services().lastMessage().style, int(kMbIconInformation));
      // The section's title gives way to the window's own once the export ends.
      QCOMPARE(w.Caption(), QStringLiteral("导出数据"));
      QCOMPARE(w.control<QProgressBar>(kProgress)->value(), 100);
    });
    QCOMPARE(File(), U(kDesktop) + U(kTick) + U(kBeep) + QStringLiteral("\r\n"));
  }

  void constantsOnlyInE() {
    Start();
    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 0);
      RunExport(w, {kConstants});
      QCOMPARE(w.Caption(), QStringLiteral("导出数据"));
    });
    QCOMPARE(File(), QStringLiteral(".版本 2\r\n\r\n\r\n"
                                    ".常量 INFINITE, \"-1\", \r\n"
                                    ".常量 MAX_PATH, \"260\", \r\n"));
  }

  void twoConditionsMustBothMatch() {
    Start();
    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 2);
      w.button(kFunctions)->click();
      AddFunctionCondition(w, QStringLiteral("名称"), QStringLiteral("like"), QStringLiteral("Get%"));
      AddFunctionCondition(w, QStringLiteral("库名"), QStringLiteral("="), QStringLiteral("user32"));
      QCOMPARE(w.listBox(kFunctionConditions)->RowText(1), QStringLiteral("库名 = 'user32'"));
      RunExport(w, {});
    });
    QCOMPARE(File(), U(kDesktop) + QStringLiteral("\r\n"));
  }

  void likeWithoutPercentMatchesWholeValues() {
    Start();
    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 2);
      w.button(kFunctions)->click();
      AddFunctionCondition(w, QStringLiteral("名称"), QStringLiteral("like"), QStringLiteral("GetTick"));
      RunExport(w, {});
    });
    QCOMPARE(File(), QStringLiteral("\r\n"));
    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 2);
      w.button(kFunctions)->click();
      QCOMPARE(w.listBox(kFunctionConditions)->Count(), 0);  // the lists start empty each time
      AddFunctionCondition(w, QStringLiteral("名称"), QStringLiteral("like"), QStringLiteral("GetTickCount"));
      RunExport(w, {});
    });
    QCOMPARE(File(), U(kTick) + QStringLiteral("\r\n"));
  }

  void quotesInValuesCannotChangeTheQuery() {
    Start();
    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 2);
      w.button(kFunctions)->click();
      const QString injected = QStringLiteral("x' or '1'='1");
      AddFunctionCondition(w, QStringLiteral("名称"), QStringLiteral("="), injected);
      // Shown as typed; matched as one literal value.
      QCOMPARE(w.listBox(kFunctionConditions)->RowText(0), QStringLiteral("名称 = 'x' or '1'='1'"));
      RunExport(w, {});
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("导出完毕！"));
    });
    QCOMPARE(File(), QStringLiteral("\r\n"));

    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 0);
      w.button(kConstants)->click();
      AddCondition(w, kConstantField, kConstantOp, kConstantValue, kConstantAdd, QStringLiteral("备注"),
                   QStringLiteral("="), QStringLiteral("O'Brien's"));
      QCOMPARE(w.listBox(kConstantConditions)->RowText(0), QStringLiteral("备注 = 'O'Brien's'"));
      RunExport(w, {});
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("导出完毕！"));
    });
    QCOMPARE(File(), QStringLiteral(".版本 2\r\n\r\n\r\n.常量 INFINITE, \"-1\", \r\n"));
  }

  void closingDuringALongExportKeepsTheOlderFile() {
    // 20,000 more functions, all named after the three of the catalogue.
    Start(
        QStringLiteral("with recursive n(i) as (select 1 union all select i + 1 from n where i < 20000) "
                       "insert into 函数表(名称,返回值类型,库名,库对应命令) "
                       "select printf('Zf%05d', i), '整数型', 'user32', '' from n;"));
    {
      QFile older(OutPath());
      QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
    }
    std::vector<int> seen;
    int paints = 0;
    bool closedDuringExport = false;
    WithExportWindow([&](Window& w) {
      ChooseSyntax(w, 2);
      auto* bar = w.control<QProgressBar>(kProgress);
      connect(bar, &QProgressBar::valueChanged, &w, [&](int v) {
        seen.push_back(v);
        // As the user would: the click arrives while the export lets events through.
        if (v == 50)
          QTimer::singleShot(0, &w, [&w, bar, &closedDuringExport] {
            // Still inside the function section when the close arrives.
            closedDuringExport = bar->value() < 100 && w.Caption() == QStringLiteral("正在导出函数...");
            w.CloseWindow();
          });
      });
      struct PaintCounter : QObject {
        int* count;
        explicit PaintCounter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
          if (e->type() == QEvent::Paint) ++*count;
          return false;
        }
      } counter(&paints);
      bar->installEventFilter(&counter);
      RunExport(w, {kFunctions, kConstants});
      bar->removeEventFilter(&counter);
      QVERIFY(!w.isVisible());
    });
    QVERIFY(closedDuringExport);
    // Stopped: nothing is shown, and the constants were never reached.
    QVERIFY(s_.services().messages().empty());
    QVERIFY(seen.size() > 10);
    QVERIFY(seen.back() >= 50 && seen.back() < 100);
    QVERIFY2(paints > 1, qPrintable(QString::number(paints)));
    QCOMPARE(File(), QStringLiteral("older"));
    QVERIFY(QDir(QFileInfo(OutPath()).path()).entryList({QStringLiteral("导出.txt.*")}).isEmpty());
  }
};

QTEST_MAIN(ExportWindowTest)
#include "tst_Export.moc"
