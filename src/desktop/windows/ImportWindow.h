// The import window: declarations typed or pasted in one of the three
// syntaxes are read at every change and their names previewed; "全部添加(&A)"
// stores everything read into the catalogue.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>

#include "import/Readers.h"
#include "toolkit/Window.h"

class QAbstractButton;
class QTimer;
class QWidget;

namespace declarium {

class CatalogueStore;
struct WindowTemplate;
class DropDownList;
class ListBox;
class MultiLineEdit;

// Controls of the import window template.
namespace import_control {
inline constexpr int kPreview = 1101;
inline constexpr int kText = 1102;
inline constexpr int kAddAll = 1103;
inline constexpr int kClose = 1104;
inline constexpr int kLanguage = 1105;
inline constexpr int kLanguageLabel = 1106;
inline constexpr int kSyntaxHint = 1107;  // shown when another syntax reads the text
}  // namespace import_control

// Template 1100.
extern const WindowTemplate kImportWindowTemplate;

// The preview heading of a kind (0 functions, 1 data types, 2 constants) in a syntax.
QString PreviewHeading(SyntaxKind syntax, int kind);

class ImportWindow : public QObject {
  Q_OBJECT
 public:
  struct Hooks {
    std::function<void(SyntaxKind)> languageChosen;  // the user picked another syntax
    std::function<void()> stored;                    // storing succeeded
  };

  // parsed is kept by the caller between openings; every opening empties it.
  ImportWindow(CatalogueStore& store, ParsedDeclarations& parsed, Hooks hooks);
  ~ImportWindow() override;

  // Empties the lists, shows the window modally over owner with language
  // selected, and returns once it is closed.
  void Run(QWidget* owner, SyntaxKind language);

  // The import window now open, nullptr when none (for scripts and tests).
  static ImportWindow* Current();
  Window* window() const { return window_; }

  // Reads the text again now and refills the preview. Text changes ask for
  // this through a zero-time timer, so a burst of keystrokes costs one reading.
  void Refresh();
  bool RefreshPending() const;
  void AddAll();
  bool IsStoring() const { return storing_; }
  const ParsedDeclarations& parsed() const { return parsed_; }

 private:
  void OnCreate(Window& w);
  void OnTextChanged();
  void OnLanguageChanged();
  SyntaxKind CurrentSyntax() const;
  // After a reading that found nothing: offers the syntax that reads the text.
  void ShowSyntaxHint(bool nothingRead);
  void SetInputsEnabled(bool enabled);

  CatalogueStore& store_;
  ParsedDeclarations& parsed_;
  Hooks hooks_;
  QPointer<Window> window_;
  ListBox* preview_ = nullptr;
  MultiLineEdit* text_ = nullptr;
  DropDownList* language_ = nullptr;
  QAbstractButton* syntaxHint_ = nullptr;
  SyntaxKind hintedSyntax_ = SyntaxKind::E;
  QTimer* refreshTimer_ = nullptr;
  QStringList shownRows_;  // what the preview holds
  bool closed_ = false;
  bool storing_ = false;
  bool refreshAfterStoring_ = false;
};

}  // namespace declarium
