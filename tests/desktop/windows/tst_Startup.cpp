// The entry routine in this process: the catalogue questions and the files
// each answer leaves behind.
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "desktop/support/ScriptedServices.h"
#include "desktop/windows/AppSession.h"
#include "model/Commands.h"
#include "store/CatalogueStore.h"
#include "toolkit/ModalServices.h"
#include "toolkit/Window.h"
#include "windows/DesktopProgram.h"

using namespace declarium;

class StartupTest : public QObject {
  Q_OBJECT
  QTemporaryDir dir_;
  QString previous_;

 private slots:
  void initTestCase() { qputenv("DECLARIUM_INSTANCE_NAME", dir_.filePath(QStringLiteral("instance")).toUtf8()); }
  void init() {
    previous_ = QDir::currentPath();
    QDir(dir_.path()).removeRecursively();
    QDir().mkpath(dir_.path());
    QDir::setCurrent(dir_.path());
  }
  void cleanup() { QDir::setCurrent(previous_); }

  void missingCatalogueAndNoEndsWithoutAFile() {
    ScriptedServices services;
    services.setNextAnswer(kAnswerNo);
    QCOMPARE(RunDesktopProgram(), 0);
    QCOMPARE(services.messages().size(), size_t{1});
    const auto& m = services.messages()[0];
    QVERIFY(m.text.startsWith(QStringLiteral("数据库文件丢失，是否新建一个数据库！\r\n")));
    QVERIFY(m.text.endsWith(QDir::toNativeSeparators(QDir::currentPath())));  // where it looked
    QCOMPARE(m.caption, QStringLiteral("警告："));
    QCOMPARE(m.style, 0x34);
    QCOMPARE(m.owner, nullptr);
    QVERIFY(!QFileInfo::exists(QStringLiteral("data.db")));
  }

  void yesCreatesTheCatalogueAndOpensTheWindow() {
    ScriptedServices services;
    services.setNextAnswer(kAnswerYes);
    // "退出": the title-bar close would only hide it in the tray.
    QVERIFY(
        test::InMainWindow([] { QCOMPARE(RunDesktopProgram(), 0); }, [](Window& w) { w.Dispatch(command::kExit); }));
    CatalogueStore store;
    QVERIFY(store.Open("data.db", false));
    QCOMPARE(store.QueryInt("select count(*) from sqlite_master where type='table' and name not like 'sqlite%'"), 6);
  }

  void fileThatCannotBeMadeIsReported() {
    QVERIFY(QDir().mkdir(QStringLiteral("data.db")));
    ScriptedServices services;
    services.setNextAnswer(kAnswerYes);
    QCOMPARE(RunDesktopProgram(), 0);
    QCOMPARE(services.messages().size(), size_t{2});
    QCOMPARE(services.messages()[1].text, QStringLiteral("新建数据库失败！"));
    QCOMPARE(services.messages()[1].caption, QStringLiteral("信息"));
    QCOMPARE(services.messages()[1].style, 0x10);
  }
};

QTEST_MAIN(StartupTest)
#include "tst_Startup.moc"
