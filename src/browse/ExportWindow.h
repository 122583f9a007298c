// The window "导出数据": which kinds to export, conditions per kind, the
// syntax, and the export run with its progress.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "app/Settings.h"
#include "output/Export.h"

namespace declarium {

class CatalogueStore;
class Window;

class ExportWindow : public QObject {
  Q_OBJECT
 public:
  // Told the new syntax index when the user changes the window's syntax box.
  using SyntaxChanged = std::function<void(int index)>;

  // Opens the window modally over owner and returns when it is closed.
  static void Run(QWidget* owner, CatalogueStore& store, const Settings& settings, SyntaxChanged onSyntax);

  // Binds an already built window of template 1500 and fills it.
  ExportWindow(Window& window, CatalogueStore& store, const Settings& settings, SyntaxChanged onSyntax);

  // The "添加条件" button of a kind.
  void AddExportCondition(ExportKind kind);
  // The "导出" button.
  void ExportButton();

  const std::vector<ExportCondition>& Conditions(ExportKind kind) const;
  // True between the start of an export and its end.
  bool Exporting() const { return exporting_; }

 private:
  friend class ExportProgress;
  struct Group {
    int check, box, field, op, value, add, list;
  };
  static const Group& GroupOf(ExportKind kind);

  void FillCombos();
  void EnableGroup(ExportKind kind, bool enabled);
  ExportRequest BuildRequest() const;
  bool Closed() const;

  QPointer<Window> window_;
  CatalogueStore& store_;
  const Settings& settings_;
  SyntaxChanged onSyntax_;
  std::vector<ExportCondition> conditions_[3];
  bool exporting_ = false;
  bool closed_ = false;
};

}  // namespace declarium
