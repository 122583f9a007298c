// One run of the real main window over a catalogue made in a temporary
// folder, with scripted services and a real Config.ini; plus running a check
// inside the next modal window.
#pragma once

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/windows/AppCatalogue.h"
#include "store/CatalogueStore.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/ScriptedServices.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"

namespace declarium::test {

class AppSession {
 public:
  // The catalogue of MakeAppCatalogue, opened; false when it cannot be made.
  bool Open() {
    dir_ = std::make_unique<QTemporaryDir>();
    const QString db = dir_->filePath(QStringLiteral("data.db"));
    if (!MakeAppCatalogue(db)) return false;
    store_ = std::make_unique<CatalogueStore>();
    if (!store_->OpenPath(db.toStdString(), false)) return false;
    services_ = std::make_unique<ScriptedServices>();
    return true;
  }

  bool Start() {
    config_ = std::make_unique<ProfileFile>(dir_->filePath(QStringLiteral("Config.ini")).toStdString());
    main_ = std::make_unique<MainWindow>(*store_, *config_);
    return main_->Create();
  }

  void Close() {
    main_.reset();
    config_.reset();
    store_.reset();
    services_.reset();
    dir_.reset();
  }

  MainWindow& main() { return *main_; }
  Window& w() { return *main_->window(); }
  CatalogueStore& store() { return *store_; }
  ScriptedServices& services() { return *services_; }

  bool Run(const QString& sql) { return store_->Exec(ToGbk(sql)); }
  int Int(const QString& sql) { return store_->QueryInt(ToGbk(sql), -1); }
  QString Text(const QString& sql) {
    Statement st = store_->Prepare(ToGbk(sql));
    return store_->NextRow(st) ? FromGbk(store_->ColumnText(st, 0)) : QStringLiteral("<none>");
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<ScriptedServices> services_;
  std::unique_ptr<CatalogueStore> store_;
  std::unique_ptr<ProfileFile> config_;
  std::unique_ptr<MainWindow> main_;
};

// Runs body inside the modal window of templateId that the caller opens next;
// the window is closed afterwards if body left it open. ran tells whether it did.
inline void InNextModal(int templateId, std::function<void(Window&)> body, bool& ran) {
  ran = false;
  QTimer::singleShot(0, [templateId, body = std::move(body), &ran] {
    auto* w = qobject_cast<Window*>(QApplication::activeModalWidget());
    if (w == nullptr || w->TemplateId() != templateId) return;
    ran = true;
    QPointer<Window> alive(w);
    body(*w);
    if (alive && alive->isVisible()) alive->CloseWindow();
  });
}

// Each row's text of a list box, top to bottom.
inline QStringList RowTexts(const ListBox* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows.append(list->item(i)->text());
  return rows;
}

}  // namespace declarium::test
