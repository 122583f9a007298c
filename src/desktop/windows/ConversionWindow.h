// The conversion window: declarations in one syntax are read and written out
// again in another at every change, without touching the catalogue.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

#include "output/DeclarationStyle.h"
#include "store/Records.h"
#include "toolkit/Window.h"

class QTimer;
class QWidget;

namespace declarium {

class DropDownList;
struct WindowTemplate;
class MultiLineEdit;

// Controls of the conversion window template.
namespace conversion_control {
inline constexpr int kSourceText = 2002;
inline constexpr int kSourceSyntax = 2003;
inline constexpr int kTargetText = 2004;
inline constexpr int kTargetSyntax = 2006;
inline constexpr int kCopy = 2007;
inline constexpr int kExit = 2008;
inline constexpr int kSourceLabel = 2001;
inline constexpr int kTargetLabel = 2005;
}  // namespace conversion_control

// Template 2000.
extern const WindowTemplate kConversionWindowTemplate;

class ConversionWindow : public QObject {
  Q_OBJECT
 public:
  // settings shape the generated declarations (names, remarks, affixes).
  explicit ConversionWindow(const DeclarationStyle& style);
  ~ConversionWindow() override;

  // Shows the window modally over owner, the source syntax at source and
  // the target at the next syntax (E, CSharp, VB, wrapping), and returns
  // once it is closed.
  void Run(QWidget* owner, SyntaxKind source);

  // The conversion window now open, nullptr when none (for scripts and tests).
  static ConversionWindow* Current();
  Window* window() const { return window_; }

  // Converts the source text now. Text changes ask for this through a
  // zero-time timer, so a burst of keystrokes costs one conversion.
  void Convert();
  bool ConversionPending() const;
  void Copy();

 private:
  void OnCreate(Window& w, SyntaxKind source);

  const DeclarationStyle& style_;
  QPointer<Window> window_;
  MultiLineEdit* source_ = nullptr;
  MultiLineEdit* target_ = nullptr;
  DropDownList* sourceSyntax_ = nullptr;
  DropDownList* targetSyntax_ = nullptr;
  QTimer* convertTimer_ = nullptr;
};

}  // namespace declarium
