// The desktop program's entry routine: single instance, opening the
// catalogue, the main window and its event loop, and the exit path.
#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace declarium {

// The machine-wide name a running instance listens on; DECLARIUM_INSTANCE_NAME
// replaces it (tests run their own instances side by side).
QString InstanceName();

// Asks a running instance to bring its window forward. True when one
// answered; this process then ends without touching any file.
bool AskRunningInstance(const QString& name);

// Listens for later starts; each "show" they send raises showRequested.
class InstanceServer : public QObject {
  Q_OBJECT
 public:
  explicit InstanceServer(QObject* parent = nullptr);
  bool Listen(const QString& name);
 signals:
  void showRequested();

 private:
  QLocalServer* server_;
};

// Runs the program in the current QApplication: returns the exit code,
// 0 on every path. The catalogue is "data.db" in the current directory.
int RunDesktopProgram();

}  // namespace declarium
