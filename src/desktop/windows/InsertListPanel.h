// The right column of the main window: the InsertList of entries gathered for
// copying, the CopyButton that copies them all, and finding a chosen entry
// back in its own view.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "model/InsertList.h"
#include "model/Settings.h"

class QAbstractButton;

namespace declarium {

class CatalogueStore;
class ListBox;
class Window;

class InsertListPanel : public QObject {
  Q_OBJECT
 public:
  InsertListPanel(Window& window, CatalogueStore& store, const Settings& settings, ListBox* list,
                  QAbstractButton* copyButton);

  // The user chose an entry of the list: the main window shows it in its view.
  std::function<void(const InsertListEntry& entry)> entryChosen;

  const InsertListModel& entries() const { return entries_; }
  // Adds an entry taken from view kind, or selects the one with its text.
  void Add(const QString& text, int id, BrowseMode kind);
  void RemoveSelected();
  void RemoveAll();
  // Every entry's declaration to the clipboard (the CopyButton, "复制到剪贴板");
  // with dependencies, also every data type they use ("全部复制（含依赖）").
  void CopyAll(bool withDependencies = false);

 private:
  void ChooseSelected();

  Window& window_;
  CatalogueStore& store_;
  const Settings& settings_;
  ListBox* list_;
  InsertListModel entries_;
};

}  // namespace declarium
