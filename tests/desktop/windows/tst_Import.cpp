// The import and conversion windows, opened from the real main window over a
// catalogue made by the test. Each test scripts the modal window from a timer
// that runs inside its loop.
#include <QAbstractButton>
#include <QApplication>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/windows/AppCatalogue.h"
#include "import/Convert.h"
#include "store/CatalogueStore.h"
#include "text/TextPrimitives.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/ScriptedServices.h"
#include "toolkit/Window.h"
#include "windows/ConversionWindow.h"
#include "windows/ImportWindow.h"
#include "windows/MainWindow.h"

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

QStringList Rows(ListBox* list) {
  QStringList rows;
  for (int i = 0; i < list->Count(); ++i) rows.append(list->RowText(i));
  return rows;
}

QStringList Headings(SyntaxKind syntax) {
  return {PreviewHeading(syntax, 0), PreviewHeading(syntax, 1), PreviewHeading(syntax, 2)};
}

}  // namespace

// The busy state is checked as the application's override cursor, which is
// what BusyCursor sets (ui/Runtime.h and app/ConfigFile.h clash over
// ProgramDirectory, so the suite does not include the former).

class ImportTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedServices> services_;
  std::unique_ptr<CatalogueStore> store_;
  std::unique_ptr<ProfileFile> config_;
  std::unique_ptr<MainWindow> main_;

  Window& w() { return *main_->window(); }

  void Start(const QString& configText = {}) {
    const QString path = dir_->filePath(QStringLiteral("Config.ini"));
    if (!configText.isEmpty()) {
      QFile f(path);
      QVERIFY(f.open(QIODevice::WriteOnly));
      const std::string bytes = ToGbk(configText);
      f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    config_ = std::make_unique<ProfileFile>(path.toStdString());
    main_ = std::make_unique<MainWindow>(*store_, *config_);
    QVERIFY(main_->Create());
  }

  int Count(const char16_t* table) {
    return store_->QueryInt(ToGbk(QStringLiteral("select count(*) from ") + QString::fromUtf16(table)), -1);
  }

  // Opens the import window, runs script inside it, closes it.
  void WithImportWindow(const std::function<void(ImportWindow&)>& script) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      ImportWindow* iw = ImportWindow::Current();
      if (iw == nullptr) return;
      ran = true;
      script(*iw);
      if (iw->window() != nullptr) iw->window()->CloseWindow();
    });
    main_->DispatchCommand(10009);
    QVERIFY(ran);
    QVERIFY(ImportWindow::Current() == nullptr);
  }

  void WithConversionWindow(const std::function<void(ConversionWindow&)>& script) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      ConversionWindow* cw = ConversionWindow::Current();
      if (cw == nullptr) return;
      ran = true;
      script(*cw);
      if (cw->window() != nullptr) cw->window()->CloseWindow();
    });
    main_->DispatchCommand(10011);
    QVERIFY(ran);
  }

  // Types text into the import window and waits for the preview to follow.
  static void Type(ImportWindow& iw, const QString& text) {
    iw.window()->multiLineEdit(import_control::kText)->SetText(text);
    QTRY_VERIFY(!iw.RefreshPending());
  }

  // Picks a syntax as the user does (the change is reported).
  static void Choose(DropDownList* choice, int index) { choice->setCurrentIndex(index); }

  static ListBox* Preview(ImportWindow& iw) { return iw.window()->listBox(import_control::kPreview); }

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

  void opensWithTheStoredLanguageAndNothingRead() {
    Start(QStringLiteral("[Setings]\r\n语言=1\r\n"));
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
    Start();
    WithImportWindow([&](ImportWindow& iw) {
      DropDownList* language = iw.window()->dropDownList(import_control::kLanguage);
      Type(iw, QStringLiteral("x"));
      Type(iw, QString());
      QCOMPARE(Rows(Preview(iw)), QStringList({QStringLiteral("====【函数】===="),
                                              QStringLiteral("==【数据类型】=="),
                                              QStringLiteral("====【常量】====")}));
      Choose(language, 1);
      QCOMPARE(Rows(Preview(iw)), QStringList({QStringLiteral("====【function】===="),
                                              QStringLiteral("====【struct】===="),
                                              QStringLiteral("====【const】====")}));
      Choose(language, 2);
      QCOMPARE(Rows(Preview(iw)), QStringList({QStringLiteral("====【Function】===="),
                                              QStringLiteral("====【Type】===="),
                                              QStringLiteral("====【Const】====")}));
      QVERIFY(iw.parsed().functions.empty() && iw.parsed().dataTypes.empty() && iw.parsed().constants.empty());
    });
  }

  void switchingTheLanguageReadsAgainAndMovesTheMainChoice() {
    Start();
    WithImportWindow([&](ImportWindow& iw) {
      DropDownList* language = iw.window()->dropDownList(import_control::kLanguage);
      Type(iw, kEText);
      const QStringList eRows = {PreviewHeading(SyntaxKind::E, 0), QStringLiteral("GetWindowRect"), PreviewHeading(SyntaxKind::E, 1),
                                 QStringLiteral("RECT2"), PreviewHeading(SyntaxKind::E, 2), QStringLiteral("SW_SHOW")};
      QCOMPARE(Rows(Preview(iw)), eRows);
      QCOMPARE(iw.parsed().functions.size(), size_t(1));
      QCOMPARE(iw.parsed().functions[0].parameters.size(), size_t(2));

      // E text holds none of the C# markers.
      Choose(language, 1);
      QCOMPARE(Rows(Preview(iw)), Headings(SyntaxKind::CSharp));
      QVERIFY(iw.parsed().functions.empty() && iw.parsed().dataTypes.empty() && iw.parsed().constants.empty());
      QCOMPARE(w().dropDownList(1011)->Selection(), 1);
      QCOMPARE(main_->settings().language, SyntaxKind::CSharp);

      Choose(language, 0);
      QCOMPARE(Rows(Preview(iw)), eRows);
      QCOMPARE(w().dropDownList(1011)->Selection(), 0);
      QCOMPARE(main_->settings().language, SyntaxKind::E);
    });
  }

  void textWithLfLineEndsIsReadAsCrLfText() {
    Start();
    WithImportWindow([&](ImportWindow& iw) {
      Choose(iw.window()->dropDownList(import_control::kLanguage), 2);
      Type(iw, QStringLiteral("Type POINTAPI\n    x As Long\n    y As Long\nEnd Type\n"
                              "Declare Function GetCursorPos Lib \"user32\" (lpPoint As POINTAPI) As Long\n"
                              "Const WM_USER = &H400\n"));
      QCOMPARE(Rows(Preview(iw)), QStringList({PreviewHeading(SyntaxKind::Vb, 0), QStringLiteral("GetCursorPos"),
                                              PreviewHeading(SyntaxKind::Vb, 1), QStringLiteral("POINTAPI"),
                                              PreviewHeading(SyntaxKind::Vb, 2), QStringLiteral("WM_USER")}));
      QCOMPARE(iw.parsed().dataTypes[0].members.size(), size_t(2));
    });
  }

  void reopeningStartsWithEmptyLists() {
    Start();
    WithImportWindow([&](ImportWindow& iw) { Type(iw, kEText); });
    // Kept while the window is closed...
    QCOMPARE(main_->importedDeclarations().functions.size(), size_t(1));
    WithImportWindow([&](ImportWindow& iw) {
      // ...emptied by the next opening.
      QVERIFY(iw.parsed().functions.empty() && iw.parsed().dataTypes.empty() && iw.parsed().constants.empty());
      QCOMPARE(Preview(iw)->Count(), 0);
      QVERIFY(iw.window()->ItemText(import_control::kText).isEmpty());
    });
  }

  void addAllStoresOnceThenReportsZeroCounts() {
    Start();
    main_->DispatchCommand(10004);  // the data type list is filled once it is shown
    QCOMPARE(w().listBox(1002)->Count(), 2);
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, kEText);
      iw.window()->button(import_control::kAddAll)->click();
      const ScriptedServices::Message first = services_->lastMessage();
      QCOMPARE(first.text, QStringLiteral("成功添加\r\n函数：1个\r\n数据类型：1个\r\n常量：1个"));
      QCOMPARE(first.style, 0x40);
      QCOMPARE(first.caption, QStringLiteral("信息"));
      QVERIFY(first.owner == nullptr);
      QVERIFY(QGuiApplication::overrideCursor() == nullptr);
      QVERIFY(iw.window()->Item(import_control::kText)->isEnabled());
      QVERIFY(iw.window()->Item(import_control::kLanguage)->isEnabled());
      QVERIFY(iw.window()->Item(import_control::kAddAll)->isEnabled());
      // The main window's lists were read again.
      QCOMPARE(w().listBox(1001)->Count(), 3);
      QCOMPARE(w().listBox(1002)->Count(), 3);
      QCOMPARE(Rows(w().listBox(1001)).count(QStringLiteral("GetWindowRect")), 1);
      // Nothing is cleared by storing.
      QCOMPARE(Preview(iw)->Count(), 6);

      iw.window()->button(import_control::kAddAll)->click();
      QCOMPARE(services_->lastMessage().text, QStringLiteral("成功添加\r\n函数：0个\r\n数据类型：0个\r\n常量：0个"));
    });
    QCOMPARE(Count(u"函数表"), 3);
    QCOMPARE(Count(u"函数参数表"), 3);
    QCOMPARE(Count(u"数据类型表"), 3);
    QCOMPARE(Count(u"数据类型成员表"), 3);
    QCOMPARE(Count(u"常量表"), 2);
  }

  void textGbkCannotHoldIsRefusedWithItsLine() {
    Start();
    const int functions = w().listBox(1001)->Count();
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, kEText + QStringLiteral("\n.常量 K\uAC00, \"1\"\n"));
      iw.window()->button(import_control::kAddAll)->click();
      const QString text = services_->lastMessage().text;
      QVERIFY2(text.startsWith(QStringLiteral("添加失败！\r\n第")), qPrintable(text));
      QVERIFY2(text.endsWith(QStringLiteral("行含有GBK编码无法表示的字符！")), qPrintable(text));
    });
    QCOMPARE(w().listBox(1001)->Count(), functions);
  }

  void aFailingInsertReportsTheErrorAndStoresNothing() {
    // The constants are stored last: what came before must go too.
    std::string error;
    QVERIFY(store_->Exec(ToGbk(QStringLiteral("create trigger refuse before insert on 常量表 "
                                              "begin select raise(abort, 'constants are closed'); end;")),
                         error));
    Start();
    WithImportWindow([&](ImportWindow& iw) {
      Type(iw, kEText);
      iw.window()->button(import_control::kAddAll)->click();
      const ScriptedServices::Message box = services_->lastMessage();
      QCOMPARE(box.text, QStringLiteral("添加失败！\r\nconstants are closed"));
      QCOMPARE(box.style, 0x10);
      QCOMPARE(box.caption, QStringLiteral("信息"));
      QCOMPARE(w().listBox(1001)->Count(), 2);
    });
    QCOMPARE(Count(u"函数表"), 2);
    QCOMPARE(Count(u"函数参数表"), 1);
    QCOMPARE(Count(u"数据类型表"), 2);
    QCOMPARE(Count(u"数据类型成员表"), 1);
    QCOMPARE(Count(u"常量表"), 1);
  }

  void closingTheWindowWhileStoringStoresNothing() {
    Start();
    QString text;
    for (int i = 0; i < 400; ++i) {
      text += QStringLiteral(".DLL命令 Fn%1, 整数型, \"x.dll\", \"Fn%1\", , \n"
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
      QCOMPARE(services_->lastMessage().text, QStringLiteral("添加失败！"));
      QCOMPARE(services_->lastMessage().style, 0x10);
    });
    QVERIFY(closedInside);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    QCOMPARE(Count(u"函数表"), 2);
    QCOMPARE(Count(u"函数参数表"), 1);
  }

  void conversionStartsOneSyntaxAfterTheSource() {
    Start(QStringLiteral("[Setings]\r\n语言=2\r\n"));
    WithConversionWindow([&](ConversionWindow& cw) {
      QCOMPARE(cw.window()->Caption(), QStringLiteral("声明转换工具"));
      QCOMPARE(cw.window()->dropDownList(conversion_control::kSourceSyntax)->Selection(), 2);
      QCOMPARE(cw.window()->dropDownList(conversion_control::kTargetSyntax)->Selection(), 0);
      QCOMPARE(cw.window()->dropDownList(conversion_control::kTargetSyntax)->count(), 3);
    });
  }

  void conversionMatchesTheCoreForEveryTarget() {
    Start();
    WithConversionWindow([&](ConversionWindow& cw) {
      Window& cwin = *cw.window();
      QCOMPARE(cwin.dropDownList(conversion_control::kTargetSyntax)->Selection(), 1);
      cwin.multiLineEdit(conversion_control::kSourceText)->SetText(kEText);
      QTRY_VERIFY(!cw.ConversionPending());
      const std::string source = ToCrLf(ToGbk(kEText));
      for (int target : {0, 1, 2, 1}) {
        Choose(cwin.dropDownList(conversion_control::kTargetSyntax), target);
        const QString expected = FromGbk(ConvertDeclarations(source, SyntaxKind::E, SyntaxOfNumber(target), main_->settings().style));
        QVERIFY(!expected.isEmpty());
        QCOMPARE(cwin.multiLineEdit(conversion_control::kTargetText)->Text(), expected);
        cwin.button(conversion_control::kCopy)->click();
        QCOMPARE(services_->clipboard(), expected);
      }
      // Changing the source syntax converts again: E text read as VB gives nothing.
      Choose(cwin.dropDownList(conversion_control::kSourceSyntax), 2);
      QVERIFY(cwin.multiLineEdit(conversion_control::kTargetText)->Text().isEmpty());
      cwin.button(conversion_control::kCopy)->click();
      QCOMPARE(services_->clipboard(), QString());
    });
  }

  void conversionExitCloses() {
    Start();
    bool closed = false;
    QTimer::singleShot(0, [&] {
      ConversionWindow* cw = ConversionWindow::Current();
      if (cw == nullptr) return;
      cw->window()->button(conversion_control::kExit)->click();
      closed = true;
    });
    main_->DispatchCommand(10011);
    QVERIFY(closed);
    QVERIFY(ConversionWindow::Current() == nullptr);
  }
};

QTEST_MAIN(ImportTest)
#include "tst_Import.moc"
