#include "windows/DesktopProgram.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include "config/SettingsFile.h"
#include "model/Commands.h"
#include "model/Startup.h"
#include "store/CatalogueStore.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"

#ifdef _WIN32
#define NOMINMAX
#include <windows.h>
// The program's own MessageBox members keep their names.
#undef MessageBox
#endif

namespace declarium {

namespace {

constexpr char kShowRequest[] = "show\n";

// The start-up questions go to the plain message box of the services in use.
class PlainStartupMessages : public StartupMessages {
 public:
  int MessageBox(const std::string& text, int style, const std::string& caption) override {
    return PlainMessageBox(FromGbk(text), style, FromGbk(caption));
  }
};

#ifdef _WIN32
// The named event marks the running instance machine-wide, for as long as
// the program runs: the handle is closed when RunDesktopProgram returns, so
// that a later run in the same process (the tests) is not taken for a second
// instance. Its name follows the instance name ("Global\\mornel-Declarium").
class InstanceEvent {
 public:
  explicit InstanceEvent(const QString& instanceName) {
    std::wstring name = L"Global\\" + QString(instanceName).replace(u'\\', u'/').toStdWString();
    if (HANDLE h = OpenEventW(EVENT_ALL_ACCESS, FALSE, name.c_str())) {
      CloseHandle(h);
      taken_ = true;
      return;
    }
    handle_ = CreateEventW(nullptr, FALSE, FALSE, name.c_str());
  }
  ~InstanceEvent() {
    if (handle_) CloseHandle(handle_);
  }
  InstanceEvent(const InstanceEvent&) = delete;
  InstanceEvent& operator=(const InstanceEvent&) = delete;
  bool TakenByAnother() const { return taken_; }

 private:
  HANDLE handle_ = nullptr;
  bool taken_ = false;
};
#endif

// Test and documentation hooks, all off unless their variable is set.
void AppendActivationLog() {
  const QString path = qEnvironmentVariable("DECLARIUM_ACTIVATION_LOG");
  if (path.isEmpty()) return;
  QFile file(path);
  if (file.open(QIODevice::Append)) file.write("shown\n");
}

// For the pictures in docs/: DECLARIUM_SCREENSHOT names the file, and
// optionally _COMMAND a command to run first (a view, or a window such as the
// import window, which is then the picture), _SELECT a function to show and
// _TEXT a file whose UTF-8 text goes into the window's first multi-line edit.
void ScheduleScreenshot(MainWindow& main) {
  const QString path = qEnvironmentVariable("DECLARIUM_SCREENSHOT");
  if (path.isEmpty()) return;
  QTimer::singleShot(300, &main, [&main, path] {
    const QString select = qEnvironmentVariable("DECLARIUM_SCREENSHOT_SELECT");
    if (!select.isEmpty()) {
      // Selected as the user would, so the page follows.
      main.SelectListEntry(BrowseMode::Functions, ToGbk(select));
    }
    // Set before the command: a modal window runs its own loop in it.
    QTimer::singleShot(500, &main, [&main, path] {
      auto* shown = qobject_cast<Window*>(QApplication::activeModalWidget());
      QFile text(qEnvironmentVariable("DECLARIUM_SCREENSHOT_TEXT"));
      if (shown != nullptr && text.open(QIODevice::ReadOnly)) {
        for (int id : shown->ControlIds()) {
          if (MultiLineEdit* edit = shown->multiLineEdit(id)) {
            edit->SetText(QString::fromUtf8(text.readAll()));
            break;
          }
        }
      }
      QTimer::singleShot(800, &main, [&main, path] {
        auto* modal = qobject_cast<Window*>(QApplication::activeModalWidget());
        (modal != nullptr ? static_cast<QWidget*>(modal) : main.window())->grab().save(path);
        if (modal != nullptr) modal->CloseWindow();
        QTimer::singleShot(0, &main, [&main] { main.DispatchCommand(command::kExit); });
      });
    });
    bool ok = false;
    const int command = qEnvironmentVariable("DECLARIUM_SCREENSHOT_COMMAND").toInt(&ok);
    if (ok) main.DispatchCommand(command);
  });
}

}  // namespace

QString InstanceName() {
  const QString custom = qEnvironmentVariable("DECLARIUM_INSTANCE_NAME");
  if (!custom.isEmpty()) return custom;
#ifdef _WIN32
  return QStringLiteral("mornel-Declarium");
#else
  // A fixed path outside any user's temporary folder makes it machine-wide.
  return QStringLiteral("/tmp/mornel-Declarium");
#endif
}

bool AskRunningInstance(const QString& name) {
  QLocalSocket socket;
  socket.connectToServer(name);
  if (!socket.waitForConnected(1000)) return false;
  socket.write(kShowRequest);
  socket.waitForBytesWritten(1000);
  socket.disconnectFromServer();
  if (socket.state() != QLocalSocket::UnconnectedState) socket.waitForDisconnected(1000);
  return true;
}

InstanceServer::InstanceServer(QObject* parent) : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::WorldAccessOption);
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* client = server_->nextPendingConnection()) {
      connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
      connect(client, &QLocalSocket::readyRead, this, [this, client] {
        while (client->canReadLine()) {
          if (client->readLine().trimmed() == "show") emit showRequested();
        }
      });
    }
  });
}

bool InstanceServer::Listen(const QString& name) {
  if (server_->listen(name)) return true;
  // Nobody answered on this name a moment ago, so what is left of it is a
  // socket of an instance that ended without cleaning up.
  QLocalServer::removeServer(name);
  return server_->listen(name);
}

int RunDesktopProgram() {
  const QString name = InstanceName();
#ifdef _WIN32
  const InstanceEvent instance(name);
  if (instance.TakenByAnother()) {
    AskRunningInstance(name);
    return 0;
  }
#endif
  if (AskRunningInstance(name)) return 0;
  InstanceServer server;
  server.Listen(name);

  CatalogueStore store;
  PlainStartupMessages messages;
  const QString folder = QDir::toNativeSeparators(QDir::currentPath());
  if (OpenCatalogueAtStartup(store, "data.db", messages, GbkHolds(folder) ? ToGbk(folder) : std::string()) !=
      StartupOutcome::Opened) {
    return 0;
  }

  ProfileFile config(ConfigFilePath());
  MainWindow main(store, config);
  if (!main.Create()) return 0;

  QObject::connect(&server, &InstanceServer::showRequested, &main, [&main] {
    main.BringForward();
    AppendActivationLog();
  });
  bool finished = false;
  QObject::connect(&main, &MainWindow::finished, qApp, [&finished] {
    finished = true;
    QCoreApplication::exit(0);
  });
  ScheduleScreenshot(main);
  if (!finished) QCoreApplication::exec();
  return 0;
}

}  // namespace declarium
