// The desktop program over catalogues that are broken, foreign or read-only,
// and over damaged settings files: it starts, shows empty lists or the
// failure texts with the database's error, never crashes, and changes no file
// unless a change succeeded.
#include <QAbstractButton>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <filesystem>
#include <random>

#include "config/SettingsFile.h"
#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "store/CatalogueStore.h"
#include "support/TempDir.h"
#include "support/Unprivileged.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "windows/DesktopProgram.h"
#include "windows/DetailPage.h"
#include "windows/ExportWindow.h"
#include "windows/ImportWindow.h"
#include "windows/Resources.h"

using namespace declarium;
namespace fs = std::filesystem;

namespace {

// Whether a file made read-only refuses an ordinary user's writing here:
// under Wine run as root (the Windows build's tests) it does not, and the
// read-only cases cannot be tested.
bool ReadOnlyHolds() {
  const test::TempDir dir;
  const fs::path probe = dir / "probe";
  test::WriteFileBytes(probe, "x");
  test::ReadOnlyForEveryone(probe);
  test::AsUnprivilegedUser user;
  std::ofstream out(probe, std::ios::app);
  return !out;
}

enum class Kind { Empty, RandomBytes, Foreign, TableMissing, ReadOnlyFile, ReadOnlyFolder };

// What the program says, as its own words: exactly, or (reason) as the first
// line of a failure whose second line is the database's reason, in whatever
// words the database gives it.
struct Said {
  QString words;
  bool reason = false;
};

struct BadCase {
  const char* name;
  Kind kind;
  Said exportMessage;
  bool constantsReadable;
  Said startMessage;  // why the program does not start on it; empty words when it does
};

bool Matches(const QString& text, const Said& said) {
  if (!said.reason) return text == said.words;
  const QString head = said.words + QStringLiteral("\r\n");
  return text.startsWith(head) && !text.mid(head.size()).trimmed().isEmpty();
}

const QString kNoTables =
    QStringLiteral("数据库文件不是API数据库，缺少：函数表、函数参数表、数据类型表、数据类型成员表、常量表、类别表");

std::vector<BadCase> BadCases() {
  const Said functionsNotExported{QStringLiteral("导出函数失败！"), true};
  const Said exported{QStringLiteral("导出完毕！")};
  return {
      {"empty file", Kind::Empty, functionsNotExported, false, {kNoTables}},
      {"random bytes", Kind::RandomBytes, functionsNotExported, false, {QStringLiteral("打开数据库失败！"), true}},
      {"another program's database", Kind::Foreign, functionsNotExported, false, {kNoTables}},
      {"one table missing",
       Kind::TableMissing,
       {QStringLiteral("导出常量失败！"), true},
       false,
       {QStringLiteral("数据库文件不是API数据库，缺少：常量表")}},
      {"read-only file", Kind::ReadOnlyFile, exported, true, {}},
      {"read-only folder", Kind::ReadOnlyFolder, exported, true, {}},
  };
}

const QString kEText = QStringLiteral(
    ".版本 2\n\n.DLL命令 NewOne, 整数型, \"user32.dll\", \"NewOne\", 公开, 新\n"
    ".数据类型 NEWTYPE, 公开\n    .成员 a, 整数型\n.常量 NEW_CONST, \"7\", , 新\n");

// Makes the catalogue of a case as data.db in dir.
void MakeBadCatalogue(const fs::path& dir, Kind kind) {
  const fs::path db = dir / "data.db";
  switch (kind) {
    case Kind::Empty: test::WriteFileBytes(db, ""); break;
    case Kind::RandomBytes: {
      std::mt19937 gen(7);
      std::string junk(8192, '\0');
      for (char& c : junk) c = static_cast<char>(gen());
      test::WriteFileBytes(db, junk);
      break;
    }
    case Kind::Foreign: {
      CatalogueStore store;
      QVERIFY(store.OpenPath(db, true));
      QVERIFY(store.Exec("create table notes(id integer primary key, text); insert into notes(text) values('x')"));
      break;
    }
    default:
      QVERIFY(test::MakeAppCatalogue(QString::fromStdString(db.string())));
      if (kind == Kind::TableMissing) {
        CatalogueStore store;
        QVERIFY(store.OpenPath(db, false));
        QVERIFY(store.Exec(ToGbk(QStringLiteral("drop table 常量表"))));
      }
      break;
  }
  // The program may write the folder and the file, except where the case says not.
  test::OpenToEveryone(dir);
  fs::permissions(db, fs::perms::all & ~(fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec));
  if (kind == Kind::ReadOnlyFile) test::ReadOnlyForEveryone(db);
  if (kind == Kind::ReadOnlyFolder) test::ReadOnlyForEveryone(dir);
}

}  // namespace

class RobustTest : public QObject {
  Q_OBJECT

 private:
  test::AppSession s_;

  // The main window over the catalogue open and config, painted once, as on screen.
  void Start(const fs::path& config) {
    QVERIFY(s_.StartWith(config));
    s_.w().repaint();
    QCoreApplication::processEvents();
  }

  // Opens the import window, types the text and presses "全部添加(&A)".
  void ImportThroughTheWindow(const QString& text) {
    QVERIFY(s_.InModal(command::kNewEntries, resource::kImportWindow, [&](Window& iw) {
      iw.multiLineEdit(import_control::kText)->SetText(text);
      QTRY_VERIFY(!ImportWindow::Current()->RefreshPending());
      iw.button(import_control::kAddAll)->click();
    }));
  }

  // Exports all three kinds through the export window into path.
  void ExportThroughTheWindow(const QString& path) {
    QVERIFY(s_.InModal(command::kExport, resource::kExportWindow, [&](Window& ew) {
      for (int id : {export_control::kFunctions, export_control::kDataTypes, export_control::kConstants})
        ew.SetChecked(id, true);
      s_.services().setNextSaveFile(path);
      ew.button(export_control::kExport)->click();
    }));
  }

 private slots:
  void init() { QVERIFY(s_.Open()); }
  void cleanup() { s_.Close(); }

  // The entry routine says what is wrong with a file that is no catalogue,
  // without a question and without a window, and starts on a read-only one.
  void everyBadCatalogueIsReportedOrStarts() {
    QTemporaryDir home;
    qputenv("DECLARIUM_INSTANCE_NAME", QDir(home.path()).filePath(QStringLiteral("instance")).toUtf8());
    const QString previous = QDir::currentPath();
    const bool readOnlyHolds = ReadOnlyHolds();
    for (const BadCase& c : BadCases()) {
      if ((c.kind == Kind::ReadOnlyFile || c.kind == Kind::ReadOnlyFolder) && !readOnlyHolds) continue;
      const test::TempDir dir;
      MakeBadCatalogue(dir.path(), c.kind);
      const std::string bytes = test::ReadFileBytes(dir / "data.db");
      QDir::setCurrent(QString::fromStdString(dir.path().string()));
      s_.services().clear();
      int functions = -1;
      {
        test::AsUnprivilegedUser user;
        if (c.startMessage.words.isEmpty()) {
          QVERIFY2(test::InMainWindow([] { QCOMPARE(RunDesktopProgram(), 0); },
                                      [&functions](Window& mw) {
                                        functions = mw.listBox(main_control::kFunctionList)->Count();
                                        mw.Dispatch(command::kExit);
                                      }),
                   c.name);
        } else {
          QCOMPARE(RunDesktopProgram(), 0);
        }
      }
      QDir::setCurrent(previous);
      if (c.startMessage.words.isEmpty()) {
        QVERIFY2(s_.services().messages().empty(), c.name);
        QCOMPARE(functions, 2);
      } else {
        QCOMPARE(s_.services().messages().size(), size_t(1));
        QVERIFY2(Matches(s_.services().lastMessage().text, c.startMessage),
                 qPrintable(s_.services().lastMessage().text));
        QVERIFY(!Window::FindByClassName(QStringLiteral("mornel-API")));
      }
      QVERIFY2(test::ReadFileBytes(dir / "data.db") == bytes, c.name);
    }
  }

  // Every change fails with its own words and the database's reason; reading
  // what can be read works; the file is not changed.
  void changesFailWithTheDatabasesError() {
    const bool readOnlyHolds = ReadOnlyHolds();
    for (const BadCase& c : BadCases()) {
      if ((c.kind == Kind::ReadOnlyFile || c.kind == Kind::ReadOnlyFolder) && !readOnlyHolds) continue;
      const test::TempDir dir, out, settings;
      MakeBadCatalogue(dir.path(), c.kind);
      test::OpenToEveryone(out.path());
      test::OpenToEveryone(settings.path());
      const fs::path db = dir / "data.db";
      const std::string bytes = test::ReadFileBytes(db);
      const std::string verdict = test::IntegrityCheck(db);
      QVERIFY2(c.kind == Kind::RandomBytes ? verdict != "ok" : verdict == "ok", verdict.c_str());
      s_.services().clear();
      {
        test::AsUnprivilegedUser user;
        QVERIFY(s_.OpenStore(db));
        Start(settings / "Config.ini");

        s_.main().DispatchCommand(command::kBrowseConstants);
        if (c.constantsReadable) {
          QVERIFY2(s_.services().messages().empty(), c.name);
          QCOMPARE(s_.constants()->Count(), 1);
        } else {
          QVERIFY(s_.services().lastMessage().text.startsWith(QStringLiteral("获取数据错误！\r\n")));
        }
        s_.main().DispatchCommand(command::kBrowseFunctions);
        s_.main().DispatchCommand(command::kStatistics);

        ImportThroughTheWindow(kEText);
        QVERIFY2(Matches(s_.services().lastMessage().text, {QStringLiteral("添加失败！"), true}),
                 qPrintable(s_.services().lastMessage().text));
        QCOMPARE(s_.services().lastMessage().style, 0x10);

        ExportThroughTheWindow(QString::fromStdString((out / "out.txt").string()));
        QVERIFY2(Matches(s_.services().lastMessage().text, c.exportMessage),
                 qPrintable(s_.services().lastMessage().text));

        // Editing a cell in place: the update fails, so the cell keeps its text.
        if (c.kind == Kind::ReadOnlyFile || c.kind == Kind::ReadOnlyFolder || c.kind == Kind::TableMissing) {
          BrowserHost* browser = s_.browser();
          const BrowserHost::Element cell = s_.CellOf(QStringLiteral("函数表"), QStringLiteral("备注"), 2);
          QVERIFY(cell != BrowserHost::kNoElement);
          const QString text = browser->InnerText(cell);
          s_.services().setNextInput(true, QStringLiteral("改过的备注"));
          const bool passedOn = s_.main().page().EditCell(s_.PointOf(cell));
          if (c.kind == Kind::TableMissing) {
            QVERIFY(!passedOn);  // this table is there: the change is written
            QCOMPARE(browser->InnerText(cell), QStringLiteral("改过的备注"));
          } else {
            QVERIFY(passedOn);
            QCOMPARE(browser->InnerText(cell), text);
          }
        }
        s_.Stop();
      }
      if (c.kind == Kind::TableMissing) {
        // The one change that succeeded is in the file, and nothing else.
        CatalogueStore check;
        QVERIFY(check.OpenPath(db, false));
        QCOMPARE(FromGbk(check.QueryText(ToGbk(QStringLiteral("select 备注 from 函数表 where id=2")))),
                 QStringLiteral("改过的备注"));
        QCOMPARE(check.QueryInt(ToGbk(QStringLiteral("select count(*) from 函数表"))), 2);
      } else {
        QVERIFY2(test::ReadFileBytes(db) == bytes, c.name);
      }
      QCOMPARE(test::IntegrityCheck(db), verdict);
    }
  }

  // Text typed into the input box of an in-place edit, through the UTF-16 of
  // the window: stored exactly and shown as typed, and no other row changes
  // (every hostile value through the edit is the core's HostileText_test).
  // A character GBK lacks would be stored as "?": such a text is refused.
  void hostileTextInPlace() {
    Start(s_.ConfigPath().toStdString());
    const QString others = QStringLiteral(
        "select group_concat(名称||'|'||ifnull(备注,''),'/') from (select * from 函数表 where id != 2 union all "
        "select id,名称,null,备注,null,null,null,null,null,null,null,null,null,null from 函数参数表)");
    const std::string before = s_.store().QueryText(ToGbk(others));
    // A long one too: the page shows a cell of half a million characters whole.
    QString big;
    while (big.size() < 500000) big += QStringLiteral("中'文%_\"\\;--/*");
    const QString values[] = {QStringLiteral("x'); delete from 函数表; --"), big};
    BrowserHost* browser = s_.browser();
    const QString remark = QStringLiteral("select 备注 from 函数表 where id=2");
    // A character GBK lacks is refused, and the cell keeps what it showed.
    s_.services().clear();
    {
      const BrowserHost::Element cell = s_.CellOf(QStringLiteral("函数表"), QStringLiteral("备注"), 2);
      QVERIFY(cell != BrowserHost::kNoElement);
      const std::string original = s_.store().QueryText(ToGbk(remark));
      const QString shown = browser->InnerText(cell);
      s_.services().setNextInput(true, QStringLiteral("a\U0001F600b\uAC00c"));
      QVERIFY(s_.main().page().EditCell(s_.PointOf(cell)));
      QCOMPARE(s_.services().lastMessage().text, QStringLiteral("修改失败！\r\n含有GBK编码无法表示的字符！"));
      QCOMPARE(s_.store().QueryText(ToGbk(remark)), original);
      QCOMPARE(browser->InnerText(cell), shown);
    }
    for (const QString& v : values) {
      const BrowserHost::Element cell = s_.CellOf(QStringLiteral("函数表"), QStringLiteral("备注"), 2);
      QVERIFY(cell != BrowserHost::kNoElement);
      s_.services().setNextInput(true, v);
      QVERIFY(!s_.main().page().EditCell(s_.PointOf(cell)));
      QCOMPARE(s_.Text(remark), v);
      QCOMPARE(browser->InnerText(cell), v);
    }
    QVERIFY(s_.store().QueryText(ToGbk(others)) == before);
    // Markup in a stored value is page text: the page keeps its cells, and
    // the editor is offered the text as it is stored.
    const QString markup = QStringLiteral("</td><td>a<b & c>");
    QVERIFY(s_.Run(QStringLiteral("update 函数表 set 备注='") + markup + QStringLiteral("' where id=2")));
    s_.main().ShowSelectedFunction();
    const BrowserHost::Element cell = s_.CellOf(QStringLiteral("函数表"), QStringLiteral("备注"), 2);
    QVERIFY(cell != BrowserHost::kNoElement);
    QCOMPARE(browser->InnerText(cell), markup);
    s_.services().setNextInput(false, {});
    QVERIFY(s_.main().page().EditCell(s_.PointOf(cell)));
    QCOMPARE(s_.services().inputs().back().initial, markup);
  }

  // Damaged settings files: the program starts with the defaults or with
  // what it can read, and saving keeps every line it did not write.
  void damagedSettingsFiles() {
    struct ConfigCase {
      const char* name;
      std::string bytes;
      bool present;
    };
    std::mt19937 gen(11);
    std::string garbage(4096, '\0');
    for (char& c : garbage) c = static_cast<char>(gen());
    const std::string hugePrefix(1 << 16, 'p');
    std::string overSize;
    while (overSize.size() <= (1 << 20)) overSize += "k" + std::to_string(overSize.size()) + "=v\r\n";
    overSize += ToGbk(QStringLiteral("[Setings]\r\n语言=2\r\n"));
    const ConfigCase cases[] = {
        {"missing", "", false},
        {"empty", "", true},
        {"binary garbage", garbage, true},
        {"huge values",
         ToGbk(QStringLiteral("[Config]\r\nIsMax=0\r\nleft=2147483647\r\ntop=-2147483648\r\nwidth=2147483647\r\n"
                              "height=99999999999999\r\nBrowseWidth=-99999999999\r\nSpreadingHeight=2147483647\r\n"
                              "ToInsertWidth=99999999999\r\n[Setings]\r\n语言=99999999999\r\n功能键=-2147483648\r\n"
                              "键代码=99999999999\r\nAPI名称前缀=")) +
             hugePrefix + "\r\n",
         true},
        {"over a megabyte", overSize, true},
        {"garbage placement", "[Config]\r\nleft=abc\r\ntop=10\r\nwidth=0\r\nheight=600\r\n", true},
        {"placement off every screen", "[Config]\r\nleft=-50000\r\ntop=-50000\r\nwidth=800\r\nheight=600\r\n", true},
        {"duplicate sections",
         ToGbk(QStringLiteral("[Setings]\r\n语言=2\r\nPublic=1\r\n[Config]\r\nBrowseWidth=180\r\n[Setings]\r\n"
                              "语言=1\r\nPublic=0\r\n插入中文名=1\r\n")),
         true},
    };
    for (const ConfigCase& c : cases) {
      const test::TempDir dir;
      const fs::path ini = dir / "Config.ini";
      if (c.present) test::WriteFileBytes(ini, c.bytes);
      Start(ini);
      const Settings s = s_.main().settings();
      const std::string name = c.name;
      if (name == "huge values") {
        QCOMPARE(s.language, SyntaxKind::E);
        QCOMPARE(s.browseWidth, 150);
        QCOMPARE(s.spreadingHeight, 100);
        QCOMPARE(s.toInsertWidth, 150);
        QCOMPARE(s.style.namePrefix.size(), hugePrefix.size());
        // The window keeps to a size that can be shown.
        const QRect desktop = s_.w().screen()->virtualGeometry();
        QVERIFY(s_.w().Width() <= 2 * desktop.width());
        QVERIFY(s_.w().Height() <= 2 * desktop.height());
        QVERIFY(s_.w().Left() <= desktop.right() + 2 * desktop.width());
        QVERIFY(s_.w().Top() >= desktop.top() - 2 * desktop.height());
      } else if (name == "garbage placement" || name == "placement off every screen") {
        // The default placement, not one the user cannot use or reach.
        QCOMPARE(QRect(s_.w().Left(), s_.w().Top(), s_.w().InnerWidth(), s_.w().InnerHeight()),
                 QRect(200, 200, 800, 600));
      } else if (name == "duplicate sections") {
        QCOMPARE(s.language, SyntaxKind::Vb);  // the first section counts
        QVERIFY(s.style.isPublic);
        QVERIFY(!s.style.insertChineseNames);
        QCOMPARE(s.browseWidth, 180);
      } else {
        QCOMPARE(s.language, SyntaxKind::E);
        QVERIFY(s.closeToTray);
        QVERIFY(!s.style.isPublic);
        QCOMPARE(s.hotkeyModifiers, 1);
        QCOMPARE(s.hotkeyKey, 75);
        QCOMPARE(s.browseWidth, 150);
      }
      s_.Stop();
      // Saved: every line that was no setting of this program is still there;
      // a file too large to be a settings file is not written at all.
      const std::string after = test::ReadFileBytes(ini);
      if (name == "over a megabyte") {
        QVERIFY(after == c.bytes);
        QCOMPARE(s.language, SyntaxKind::E);
        continue;
      }
      QVERIFY2(after.find("[Setings]") != std::string::npos, c.name);
      QCOMPARE(ProfileFile(ini).Read("Setings", ToGbk(QStringLiteral("键代码")), "?"),
               std::string(name == "huge values" ? "2147483647" : "75"));
      if (name == "binary garbage") QVERIFY(after.compare(0, garbage.size(), garbage) == 0);
      if (name == "huge values") QVERIFY(after.find(hugePrefix) != std::string::npos);
      if (name == "duplicate sections") {
        QVERIFY(after.find(ToGbk(QStringLiteral("[Setings]\r\n语言=1\r\nPublic=0\r\n插入中文名=1\r\n"))) !=
                std::string::npos);
      }
    }
  }

  // A settings file that may not be written is read and left as it was.
  void readOnlySettings() {
    if (!ReadOnlyHolds()) QSKIP("a read-only file does not stop writing here (Wine run as root)");
    const std::string bytes = ToGbk(QStringLiteral("[Setings]\r\n语言=2\r\n; mine\r\n"));
    for (bool folder : {false, true}) {
      const test::TempDir dir;
      const fs::path ini = dir / "Config.ini";
      test::WriteFileBytes(ini, bytes);
      test::ReadOnlyForEveryone(folder ? dir.path() : ini);
      Start(ini);
      QCOMPARE(s_.main().settings().language, SyntaxKind::Vb);
      {
        test::AsUnprivilegedUser user;
        s_.Stop();
      }
      QVERIFY(test::ReadFileBytes(ini) == bytes);
      int files = 0;
      for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++files;
      QCOMPARE(files, 1);
    }
  }
};

QTEST_MAIN(RobustTest)
#include "tst_Robust.moc"
