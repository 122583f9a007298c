// The import and conversion windows, opened from the real main window over a
// catalogue made by the test. Each test scripts the modal window from inside
// its loop, once it is open.
#include <QAbstractButton>
#include <QGuiApplication>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "desktop/windows/AppSession.h"
#include "import/Convert.h"
#include "model/Commands.h"
#include "text/TextPrimitives.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "windows/ConversionWindow.h"
#include "windows/ImportWindow.h"
#include "windows/LanguageChoice.h"
#include "windows/Resources.h"

using namespace declarium;

namespace {

// An E text with one new function (two parameters), one new data type and
// one new constant; constants come last, since the E reader joins what
// follows a constant to its line.
const QString kEText = QStringLiteral(
    ".版本 2\n"
    "\n"
    ".DLL命令 GetWindowRect, 逻辑型, \"user32.dll\", \"GetWindowRect\", 公开, 取窗口矩形\n"
    "    .参数 hWnd, 整数型, , 窗口句柄\n"
    "    .参数 lpRect, RECT2, 传址, 矩形\n"
    "\n"
    ".数据类型 RECT2, 公开, 矩形\n"
    "    .成员 left, 整数型, , , 左边\n"
    "    .成员 top, 整数型\n"
    "\n"
    ".常量 SW_SHOW, \"5\", 公开, 显示窗口\n");

QStringList Headings(SyntaxKind syntax) {
  return {PreviewHeading(syntax, 0), PreviewHeading(syntax, 1), PreviewHeading(syntax, 2)};
}

}  // namespace

// The busy state is checked as the application's override cursor, which is
// what BusyCursor sets.

class ImportTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;

  // Opens the import window and runs script inside it; closes it after.
  void WithImportWindow(const std::function<void(ImportWindow&)>& script) {
    QVERIFY(
        s_.InModal(command::kNewEntries, resource::kImportWindow, [&](Window&) { script(*ImportWindow::Current()); }));
    QVERIFY(ImportWindow::Current() == nullptr);
  }

  void WithConversionWindow(const std::function<void(ConversionWindow&)>& script) {
    QVERIFY(s_.InModal(command::kConversion, resource::kConversionWindow,
                       [&](Window&) { script(*ConversionWindow::Current()); }));
  }

  // Types text into the import window and waits for the preview to follow.
  static void Type(ImportWindow& iw, const QString& text) {
    iw.window()->multiLineEdit(import_control::kText)->SetText(text);
    QTRY_VERIFY(!iw.RefreshPending());
  }

  // Picks a syntax as the user does (the change is reported).
  static void Choose(DropDownList* choice, int index) { choice->setCurrentIndex(index); }

  static ListBox* Preview(ImportWindow& iw) { return iw.window()->listBox(import_control::kPreview); }
  static QStringList PreviewRows(ImportWindow& iw) { return test::RowTexts(Preview(iw)); }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  void opensWithTheStoredLanguageAndNothingRead() {
    QVERIFY(s_.Start(QStringLiteral("[Setings]\r\n语言=1\r\n")));
    WithImportWindow([&](ImportWindow& iw) {
      QCOMPARE(iw.window()->Caption(), QStringLiteral("新增函数、数据类型、常量"));
      DropDownList* language = iw.window()->dropDownList(import_control::kLanguage);
      QCOMPARE(language->count(), 3);
      QCOMPARE(language->ItemText(0), QStringLiteral("易语言"));
      QCOMPARE(language->ItemText(1), QStringLiteral("CSharp"));
      QCOMPARE(language->ItemText(2), QStringLiteral("VB"));
      QCOMPARE(language->ItemData(2), qint64(2));
      QCOMPARE(language->Selection(), 1);
      QCOMPARE(Preview(iw)->Count(), 0);
      QVERIFY(iw.window()->ItemText(import_control::kText).isEmpty());
    });
  }

  void emptyTextShowsTheThreeHeadingsOfEachSyntax() {
    QVERIFY(s_.Start());
    WithImportWindow([&](ImportWindow& iw) {
      DropDownList* language = iw.window()->dropDownList(import_control::kLanguage);
      Type(iw, QStringLiteral("x"));
      Type(iw, QString());
      QCOMPARE(PreviewRows(iw), QStringList({QStringLiteral("====【函数】===="), QStringLiteral("==【数据类型】=="),
                                             QStringLiteral("====【常量】====")}));
      Choose(language, 1);
      QCOMPARE(PreviewRows(iw),
               QStringList({QStringLiteral("====【function】===="), QStringLiteral("====【struct】===="),
                            QStringLiteral("====【const】====")}));
      Choose(language, 2);
      QCOMPARE(PreviewRows(iw), QStringList({QStringLiteral("====【Function】===="), QStringLiteral("====【Type】===="),
                                             QStringLiteral("====【Const】====")}));
      QVERIFY(iw.parsed().functions.empty() && iw.parsed().dataTypes.empty() && iw.parsed().constants.empty());
    });
  }

  void switchingTheLanguageReadsAgainAndMovesTheMainChoice() {
    QVERIFY(s_.Start());
    WithImportWindow([&](ImportWindow& iw) {
      DropDownList* language = iw.window()->dropDownList(import_control::kLanguage);
      Type(iw, kEText);
      const QStringList eRows = {PreviewHeading(SyntaxKind::E, 0), QStringLiteral("GetWindowRect"),
                                 PreviewHeading(SyntaxKind::E, 1), QStringLiteral("RECT2"),
                                 PreviewHeading(SyntaxKind::E, 2), QStringLiteral("SW_SHOW")};
      QCOMPARE(PreviewRows(iw), eRows);
      QCOMPARE(iw.parsed().functions.size(), size_t(1));
      QCOMPARE(iw.parsed().functions[0].parameters.size(), size_t(2));

      // E text holds none of the C# markers.
      Choose(language, 1);
      QCOMPARE(PreviewRows(iw), Headings(SyntaxKind::CSharp));
      QVERIFY(iw.parsed().functions.empty() && iw.parsed().dataTypes.empty() && iw.parsed().constants.empty());
      QCOMPARE(s_.languageBox()->Selection(), 1);
      QCOMPARE(s_.main().settings().language, SyntaxKind::CSharp);

      Choose(language, 0);
      QCOMPARE(PreviewRows(iw), eRows);
      QCOMPARE(s_.languageBox()->Selection(), 0);
      QCOMPARE(s_.main().settings().language, SyntaxKind::E);
    });
  }

  // C# pasted while 易语言 is chosen: one line offers C#, and choosing it reads the text.
  void aTextInAnotherSyntaxOffersIt() {
    QVERIFY(s_.Start());
    WithImportWindow([&](ImportWindow& iw) {
      Choose(iw.window()->dropDownList(import_control::kLanguage), 0);
      auto* hint = iw.window()->button(import_control::kSyntaxHint);
      QVERIFY(!hint->isVisible());
      Type(iw, QStringLiteral("public const int WM_USER = 0x400;"));
      QTRY_VERIFY(hint->isVisible());
      hint->click();
      QCOMPARE(ChosenSyntax(iw.window()->dropDownList(import_control::kLanguage)), SyntaxKind::CSharp);
      QCOMPARE(iw.parsed().constants.size(), std::size_t{1});
      QVERIFY(!hint->isVisible());
    });
  }

  void textWithLfLineEndsIsReadAsCrLfText() {
    QVERIFY(s_.Start());
    WithImportWindow([&](ImportWindow& iw) {
      Choose(iw.window()->dropDownList(import_control::kLanguage), 2);
      Type(iw, QStringLiteral("Type POINTAPI\n    x As Long\n    y As Long\nEnd Type\n"
                              "Declare Function GetCursorPos Lib \"user32\" (lpPoint As POINTAPI) As Long\n"
                              "Const WM_USER = &H400\n"));
      QCOMPARE(PreviewRows(iw), QStringList({PreviewHeading(SyntaxKind::Vb, 0), QStringLiteral("GetCursorPos"),
                                             PreviewHeading(SyntaxKind::Vb, 1), QStringLiteral("POINTAPI"),
                                             PreviewHeading(SyntaxKind::Vb, 2), QStringLiteral("WM_USER")}));
      QCOMPARE(iw.parsed().dataTypes[0].members.size(), size_t(2));
    });
  }

  void reopeningStartsWithEmptyLists() {
    QVERIFY(s_.Start());
    WithImportWindow([&](ImportWindow& iw) { Type(iw, kEText); });
    // Kept while the window is closed...
    QCOMPARE(s_.main().importedDeclarations().functions.size(), size_t(1));
    WithImportWindow([&](ImportWindow& iw) {
      // ...emptied by the next opening.
      QVERIFY(iw.parsed().functions.empty() && iw.parsed().dataTypes.empty() && iw.parsed().constants.empty());
      QCOMPARE(Preview(iw)->Count(), 0);
      QVERIFY(iw.window()->ItemText(import_control::kText).isEmpty());
    });
  }

  void addAllStoresOnceThenReportsZeroCounts() {
    QVERIFY(s_.Start());
    s_.main().DispatchCommand(command::kBrowseDataTypes);  // the data type list is filled once it is shown
    QCOMPARE(s_.dataTypes()->Count(), 2);
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, kEText);
      iw.window()->button(import_control::kAddAll)->click();
      const ScriptedServices::Message first = s_.services().lastMessage();
      QCOMPARE(first.text, QStringLiteral("成功添加\r\n函数：1个\r\n数据类型：1个\r\n常量：1个"));
      QCOMPARE(first.style, 0x40);
      QCOMPARE(first.caption, QStringLiteral("信息"));
      QVERIFY(first.owner == nullptr);
      QVERIFY(QGuiApplication::overrideCursor() == nullptr);
      QVERIFY(iw.window()->Item(import_control::kText)->isEnabled());
      QVERIFY(iw.window()->Item(import_control::kLanguage)->isEnabled());
      QVERIFY(iw.window()->Item(import_control::kAddAll)->isEnabled());
      // The main window's lists were read again.
      QCOMPARE(s_.functions()->Count(), 3);
      QCOMPARE(s_.dataTypes()->Count(), 3);
      QCOMPARE(test::RowTexts(s_.functions()).count(QStringLiteral("GetWindowRect")), 1);
      // Nothing is cleared by storing.
      QCOMPARE(Preview(iw)->Count(), 6);

      iw.window()->button(import_control::kAddAll)->click();
      // The second time every name is there already, and the summary says so.
      QVERIFY(s_.services().lastMessage().text.contains(QStringLiteral("同名已存在")));
    });
    QCOMPARE(s_.Count(QStringLiteral("函数表")), 3);
    QCOMPARE(s_.Count(QStringLiteral("函数参数表")), 3);
    QCOMPARE(s_.Count(QStringLiteral("数据类型表")), 3);
    QCOMPARE(s_.Count(QStringLiteral("数据类型成员表")), 3);
    QCOMPARE(s_.Count(QStringLiteral("常量表")), 2);
  }

  // An empty catalogue says on its detail page how to fill it; the first
  // import takes the hint away.
  void anEmptyCatalogueShowsHowToFillIt() {
    s_.Close();
    QVERIFY(s_.Open([](const QString& db) { return test::MakeCatalogue(db, QString()); }));
    QVERIFY(s_.Start());
    QVERIFY(s_.browser()->PageSource().contains(QStringLiteral("数据 → 新增API数据")));
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, kEText);
      iw.window()->button(import_control::kAddAll)->click();
    });
    QCOMPARE(s_.functions()->Count(), 1);
    QVERIFY(!s_.browser()->PageSource().contains(QStringLiteral("新增API数据")));
  }

  void textGbkCannotHoldIsRefusedWithItsLine() {
    QVERIFY(s_.Start());
    const int functions = s_.functions()->Count();
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, kEText + QStringLiteral("\n.常量 K\uAC00, \"1\"\n"));
      iw.window()->button(import_control::kAddAll)->click();
      const QString text = s_.services().lastMessage().text;
      QVERIFY2(text.startsWith(QStringLiteral("添加失败！\r\n第")), qPrintable(text));
      QVERIFY2(text.endsWith(QStringLiteral("行含有GBK编码无法表示的字符！")), qPrintable(text));
    });
    QCOMPARE(s_.functions()->Count(), functions);
  }

  void aFailingInsertReportsTheErrorAndStoresNothing() {
    // The constants are stored last: what came before must go too.
    QVERIFY(
        s_.Run(QStringLiteral("create trigger refuse before insert on 常量表 "
                              "begin select raise(abort, 'constants are closed'); end;")));
    QVERIFY(s_.Start());
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, kEText);
      iw.window()->button(import_control::kAddAll)->click();
      const ScriptedServices::Message box = s_.services().lastMessage();
      QCOMPARE(box.text, QStringLiteral("添加失败！\r\nconstants are closed"));
      QCOMPARE(box.style, 0x10);
      QCOMPARE(box.caption, QStringLiteral("信息"));
      QCOMPARE(s_.functions()->Count(), 2);
    });
    QCOMPARE(s_.Count(QStringLiteral("函数表")), 2);
    QCOMPARE(s_.Count(QStringLiteral("函数参数表")), 1);
    QCOMPARE(s_.Count(QStringLiteral("数据类型表")), 2);
    QCOMPARE(s_.Count(QStringLiteral("数据类型成员表")), 1);
    QCOMPARE(s_.Count(QStringLiteral("常量表")), 1);
  }

  void closingTheWindowWhileStoringStoresNothing() {
    QVERIFY(s_.Start());
    QString text;
    for (int i = 0; i < 400; ++i) {
      text += QStringLiteral(
                  ".DLL命令 Fn%1, 整数型, \"x.dll\", \"Fn%1\", , \n"
                  "    .参数 a, 整数型\n    .参数 b, 文本型\n")
                  .arg(i);
    }
    bool closedInside = false;
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, text);
      QCOMPARE(iw.parsed().functions.size(), size_t(400));
      // Delivered at the first chance storing gives to pending events.
      QTimer::singleShot(0, iw.window(), [&iw, &closedInside] {
        closedInside = iw.IsStoring();
        QVERIFY(!iw.window()->Item(import_control::kText)->isEnabled());
        QVERIFY(!iw.window()->Item(import_control::kAddAll)->isEnabled());
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        iw.window()->CloseWindow();
      });
      iw.window()->button(import_control::kAddAll)->click();
      QVERIFY(!iw.IsStoring());
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("添加失败！"));
      QCOMPARE(s_.services().lastMessage().style, 0x10);
    });
    QVERIFY(closedInside);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    QCOMPARE(s_.Count(QStringLiteral("函数表")), 2);
    QCOMPARE(s_.Count(QStringLiteral("函数参数表")), 1);
  }

  // The tray's exit during storing comes once the import is complete: the
  // catalogue holds all of it, and the program ends.
  void exitFromTheTrayWhileStoringWaitsForTheImport() {
    QVERIFY(s_.Start());
    QString text;
    for (int i = 0; i < 400; ++i)
      text += QStringLiteral(".DLL命令 Fn%1, 整数型, \"x.dll\", \"Fn%1\", , \n    .参数 a, 整数型\n").arg(i);
    QSignalSpy finished(&s_.main(), &MainWindow::finished);
    bool waited = false;
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, text);
      QTimer::singleShot(0, iw.window(), [&] {
        QVERIFY(iw.IsStoring());
        QVERIFY(s_.main().contextMenus()->Trigger(command::kTrayExit));
        waited = s_.w().isVisible() && s_.store().IsOpen();
      });
      iw.window()->button(import_control::kAddAll)->click();
      QVERIFY(s_.services().lastMessage().text.startsWith(QStringLiteral("成功添加")));
      QVERIFY(s_.w().isVisible());
      QCOMPARE(finished.count(), 0);
    });
    QVERIFY(waited);
    QTRY_COMPARE(finished.count(), 1);
    QVERIFY(!s_.main().Exists());
    QVERIFY(s_.store().OpenPath(s_.Path(QStringLiteral("data.db")).toStdString(), false));
    QCOMPARE(s_.Count(QStringLiteral("函数表")), 402);
    QCOMPARE(s_.Text(QStringLiteral("pragma integrity_check")), QStringLiteral("ok"));
  }

  void conversionStartsOneSyntaxAfterTheSource() {
    QVERIFY(s_.Start(QStringLiteral("[Setings]\r\n语言=2\r\n")));
    WithConversionWindow([&](ConversionWindow& cw) {
      QCOMPARE(cw.window()->Caption(), QStringLiteral("声明转换工具"));
      QCOMPARE(cw.window()->dropDownList(conversion_control::kSourceSyntax)->Selection(), 2);
      QCOMPARE(cw.window()->dropDownList(conversion_control::kTargetSyntax)->Selection(), 0);
      QCOMPARE(cw.window()->dropDownList(conversion_control::kTargetSyntax)->count(), 3);
    });
  }

  void conversionMatchesTheCoreForEveryTarget() {
    QVERIFY(s_.Start());
    WithConversionWindow([&](ConversionWindow& cw) {
      Window& cwin = *cw.window();
      QCOMPARE(cwin.dropDownList(conversion_control::kTargetSyntax)->Selection(), 1);
      cwin.multiLineEdit(conversion_control::kSourceText)->SetText(kEText);
      QTRY_VERIFY(!cw.ConversionPending());
      const std::string source = ToCrLf(ToGbk(kEText));
      for (int target : {0, 1, 2, 1}) {
        Choose(cwin.dropDownList(conversion_control::kTargetSyntax), target);
        const QString expected =
            FromGbk(ConvertDeclarations(source, SyntaxKind::E, SyntaxOfNumber(target), s_.main().settings().style));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(cwin.multiLineEdit(conversion_control::kTargetText)->Text(), expected);
        cwin.button(conversion_control::kCopy)->click();
        QCOMPARE(s_.services().clipboard(), expected);
      }
      // Changing the source syntax converts again: E text read as VB gives nothing.
      Choose(cwin.dropDownList(conversion_control::kSourceSyntax), 2);
      QVERIFY(cwin.multiLineEdit(conversion_control::kTargetText)->Text().isEmpty());
      cwin.button(conversion_control::kCopy)->click();
      QCOMPARE(s_.services().clipboard(), QString());
    });
  }

  void conversionExitCloses() {
    QVERIFY(s_.Start());
    QVERIFY(s_.InModal(command::kConversion, resource::kConversionWindow, [](Window& cw) {
      cw.button(conversion_control::kExit)->click();
      QVERIFY(!cw.isVisible());
    }));
    QVERIFY(ConversionWindow::Current() == nullptr);
  }
};

QTEST_MAIN(ImportTest)
#include "tst_Import.moc"
