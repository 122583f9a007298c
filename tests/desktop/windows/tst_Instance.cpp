// Two real declarium processes: the second brings the first forward and ends.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "desktop/windows/AppCatalogue.h"

namespace {

bool Listening(const QString& name) {
  QLocalSocket probe;
  probe.connectToServer(name);
  const bool up = probe.waitForConnected(200);
  probe.abort();
  return up;
}

}  // namespace

class InstanceTest : public QObject {
  Q_OBJECT

 private slots:
  void secondStartShowsTheFirstAndEnds() {
    QTemporaryDir first, second;
    QVERIFY(declarium::test::MakeAppCatalogue(first.filePath(QStringLiteral("data.db"))));
    const QString name = first.filePath(QStringLiteral("instance"));
    const QString log = first.filePath(QStringLiteral("activation.log"));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("DECLARIUM_INSTANCE_NAME"), name);
    env.insert(QStringLiteral("DECLARIUM_ACTIVATION_LOG"), log);

    QProcess running;
    running.setProcessEnvironment(env);
    running.setWorkingDirectory(first.path());
    running.start(QStringLiteral(DECLARIUM_PROGRAM), {});
    QVERIFY(running.waitForStarted());
    // Listening: a socket file here, a named pipe on Windows.
    QTRY_VERIFY_WITH_TIMEOUT(Listening(name), 20000);

    // The second start runs where there is no catalogue: it must not get as
    // far as asking for one.
    QProcess later;
    later.setProcessEnvironment(env);
    later.setWorkingDirectory(second.path());
    later.start(QStringLiteral(DECLARIUM_PROGRAM), {});
    QVERIFY(later.waitForFinished(20000));
    QCOMPARE(later.exitStatus(), QProcess::NormalExit);
    QCOMPARE(later.exitCode(), 0);
    QVERIFY(!QFileInfo::exists(second.filePath(QStringLiteral("data.db"))));

    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(log), 10000);
    QFile file(log);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("shown\n"));
    QCOMPARE(running.state(), QProcess::Running);

    running.terminate();
    if (!running.waitForFinished(5000)) {
      running.kill();
      running.waitForFinished(5000);
    }
  }
};

QTEST_MAIN(InstanceTest)
#include "tst_Instance.moc"
