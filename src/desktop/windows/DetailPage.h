// The middle column of the main window: the detail page of the selected
// function or data type in the DetailBrowser, the EntryTextBox under it and
// the StatusBar's two texts; and the clicks, double clicks and keys on the
// page's cells, which edit the catalogue in place.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>

#include "model/Settings.h"

namespace declarium {

class BrowserHost;
class CatalogueStore;
class MultiLineEdit;
class StatusBar;
class Window;

class DetailPage : public QObject {
  Q_OBJECT
 public:
  // settings gives the syntax of the page; window owns the message and input boxes.
  DetailPage(Window& window, CatalogueStore& store, const Settings& settings, BrowserHost* browser,
             MultiLineEdit* entryText, StatusBar* status);

  // A click on a parameter's or member's type name: the main window shows that data type.
  std::function<void(const QString& typeName)> typeNameClicked;

  // Builds and shows the page of the entry id of table (函数表 or 数据类型表),
  // its remark in the status bar's second part. False, with "获取数据错误！"
  // shown, when it cannot be loaded.
  bool Show(const char16_t* table, int id);
  // While the catalogue holds nothing, the page says how to fill it; once it
  // holds something, a hint still shown gives way to an empty page.
  void ShowEmptyCatalogueHint(bool empty);
  // Nothing selected in the view shown: no page, no entry text, no status
  // texts (the empty catalogue's hint stays).
  void Clear();
  void SetEntryText(const QString& text);
  void SetStatus(int part, const QString& text);
  // A note in the status bar's first part for a few seconds; then what it
  // showed before comes back (unless something else was shown meanwhile).
  void ShowNote(const QString& note);

  // The page's clicks (point in the browser's coordinates): true passes the
  // click on to the browser.
  bool ClickCell(QPoint point);
  bool EditCell(QPoint point);
  void DocumentKey(int key, Qt::KeyboardModifiers modifiers);

 private:
  Window& window_;
  CatalogueStore& store_;
  const Settings& settings_;
  BrowserHost* browser_;
  MultiLineEdit* entryText_;
  StatusBar* status_;
  bool hintShown_ = false;
};

}  // namespace declarium
