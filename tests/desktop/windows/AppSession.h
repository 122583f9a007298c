// One run of the real main window over a catalogue made in a temporary
// folder, with scripted services and a real Config.ini: its controls by name,
// SQL on its catalogue, and the modal windows its commands open.
#pragma once

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "config/SettingsFile.h"
#include "desktop/support/ScriptedServices.h"
#include "desktop/toolkit/ModalScript.h"
#include "desktop/windows/AppCatalogue.h"
#include "store/CatalogueStore.h"
#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Window.h"
#include "windows/MainWindow.h"

namespace declarium::test {

class AppSession {
 public:
  // A new folder holding the catalogue make writes there as data.db (the app
  // catalogue unless told), opened. False when it cannot be made.
  bool Open(const std::function<bool(const QString&)>& make = MakeAppCatalogue) {
    dir_ = std::make_unique<QTemporaryDir>();
    services_ = std::make_unique<ScriptedServices>();
    const QString db = Path(QStringLiteral("data.db"));
    return make(db) && OpenStore(db.toStdString());
  }
  // The catalogue db, as it is, in place of the folder's.
  bool OpenStore(const std::filesystem::path& db) {
    Stop();
    db_ = db;
    store_ = std::make_unique<CatalogueStore>();
    return store_->OpenPath(db, false);
  }

  // Starts the main window, ending a running one first. A configText is
  // written (GBK) as the folder's Config.ini before.
  bool Start(const QString& configText = {}) {
    if (!configText.isEmpty()) {
      QFile f(ConfigPath());
      const std::string bytes = ToGbk(configText);
      if (!f.open(QIODevice::WriteOnly) || f.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()))
        return false;
    }
    return StartWith(ConfigPath().toStdString());
  }
  // Starts with the settings file config; the catalogue, closed by the end of
  // an earlier run, is opened again.
  bool StartWith(const std::filesystem::path& config) {
    Stop();
    if (!store_->IsOpen() && !store_->OpenPath(db_, false)) return false;
    config_ = std::make_unique<ProfileFile>(config);
    main_ = std::make_unique<MainWindow>(*store_, *config_);
    return main_->Create();
  }
  // Tears the main window down: its settings are written, the catalogue closed.
  void Stop() {
    main_.reset();
    config_.reset();
  }

  void Close() {
    Stop();
    store_.reset();
    services_.reset();
    dir_.reset();
  }

  MainWindow& main() { return *main_; }
  Window& w() { return *main_->window(); }
  CatalogueStore& store() { return *store_; }
  ScriptedServices& services() { return *services_; }
  QString Path(const QString& name) const { return dir_->filePath(name); }
  QString ConfigPath() const { return Path(QStringLiteral("Config.ini")); }

  ListBox* functions() { return w().listBox(main_control::kFunctionList); }
  ListBox* dataTypes() { return w().listBox(main_control::kDataTypeList); }
  TreeView* tree() { return w().treeView(main_control::kCategoryTree); }
  EditBox* searchBox() { return w().editBox(main_control::kSearchBox); }
  // Puts text into the SearchBox and lets the lookup it asks for run.
  void Search(const QString& text) {
    searchBox()->setText(text);
    SettleSearch();
  }
  // The lookup runs from a timer: waited for, though not for ever.
  void SettleSearch() { QTRY_VERIFY_WITH_TIMEOUT(!main().QuickFindPending(), 10000); }
  ToolBar* toolbar() { return w().toolBar(main_control::kToolbar); }
  StatusBar* statusBar() { return w().statusBar(main_control::kStatusBar); }
  BrowserHost* browser() { return w().browser(main_control::kDetailBrowser); }
  MultiLineEdit* entryText() { return w().multiLineEdit(main_control::kEntryTextBox); }
  ListBox* insertList() { return w().listBox(main_control::kInsertList); }
  DropDownList* languageBox() { return w().dropDownList(main_control::kLanguageBox); }
  ReportView* constants() { return w().reportView(main_control::kConstantList); }

  // The value cell of the page on display for that table, column and row.
  BrowserHost::Element CellOf(const QString& table, const QString& field, int id) {
    for (BrowserHost::Element e : browser()->ElementsByTag(QStringLiteral("td"))) {
      if (browser()->Attribute(e, QStringLiteral("TableName")) == table &&
          browser()->Attribute(e, QStringLiteral("FieldName")) == field &&
          browser()->Attribute(e, QStringLiteral("id")) == QString::number(id)) {
        return e;
      }
    }
    return BrowserHost::kNoElement;
  }
  QPoint PointOf(BrowserHost::Element e) { return browser()->ElementRect(e).center(); }

  // SQL on the catalogue; a failed statement is told with its error.
  bool Run(const QString& sql) {
    std::string error;
    if (store_->Exec(ToGbk(sql), error)) return true;
    qWarning("%s: %s", qPrintable(sql), error.c_str());
    return false;
  }
  // The first row's first column; -1 or "<none>" without a row.
  int Int(const QString& sql) {
    Statement st = store_->Prepare(ToGbk(sql));
    return store_->NextRow(st) ? store_->ColumnInt(st, 0) : -1;
  }
  QString Text(const QString& sql) {
    Statement st = store_->Prepare(ToGbk(sql));
    return store_->NextRow(st) ? FromGbk(store_->ColumnText(st, 0)) : QStringLiteral("<none>");
  }
  int Count(const QString& table) { return Int(QStringLiteral("select count(*) from ") + table); }

  // Dispatches command and runs body inside the modal window of templateId it
  // opens (see InModal). True when body ran.
  bool InModal(int command, int templateId, const std::function<void(Window&)>& body) {
    return test::InModal(
        templateId, [&] { main_->DispatchCommand(command); }, body);
  }

 private:
  std::unique_ptr<QTemporaryDir> dir_;
  std::filesystem::path db_;
  std::unique_ptr<ScriptedServices> services_;
  std::unique_ptr<CatalogueStore> store_;
  std::unique_ptr<ProfileFile> config_;
  std::unique_ptr<MainWindow> main_;
};

// Runs the program by run() and body on its main window once that is shown.
inline bool InMainWindow(const std::function<void()>& run, const std::function<void(Window&)>& body) {
  const auto find = []() -> Window* {
    Window* w = Window::FindByClassName(QStringLiteral("mornel-API"));
    return w != nullptr && w->isVisible() ? w : nullptr;
  };
  return WhenOpen(find, run, body);
}

// Each row's text of a list box, top to bottom.
inline QStringList RowTexts(const ListBox* list) {
  QStringList rows;
  for (int i = 0; i < list->count(); ++i) rows.append(list->item(i)->text());
  return rows;
}

}  // namespace declarium::test
