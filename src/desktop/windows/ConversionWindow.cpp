#include "windows/ConversionWindow.h"

#include <QAbstractButton>
#include <QTimer>
#include <new>

#include "import/Convert.h"
#include "text/TextPrimitives.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/LanguageChoice.h"
#include "windows/Messages.h"
#include "windows/Resources.h"

namespace declarium {

namespace {

using namespace conversion_control;
using K = ControlKind;
constexpr ControlTemplate kConversionControls[] = {
    {kSourceLabel, K::Static, u"转换前语言：", 6, 6, 55, 10, kNoStyle},
    {kSourceSyntax, K::ComboBox, nullptr, 63, 3, 54, 80, kNoStyle},
    {kSourceText, K::Edit, nullptr, 3, 18, 193, 198, kMultiLine | kVScroll | kHScroll | kWantReturn},
    {kTargetLabel, K::Static, u"转换后语言：", 204, 6, 55, 10, kNoStyle},
    {kTargetSyntax, K::ComboBox, nullptr, 261, 3, 54, 80, kNoStyle},
    {kTargetText, K::Edit, nullptr, 201, 18, 193, 198, kMultiLine | kVScroll | kHScroll | kWantReturn},
    {kCopy, K::Button, u"复制(&C)", 282, 219, 54, 15, kNoStyle},
    {kExit, K::Button, u"退出(&E)", 342, 219, 53, 15, kNoStyle},
};

ConversionWindow* current = nullptr;

}  // namespace

const WindowTemplate kConversionWindowTemplate{resource::kConversionWindow, u"声明转换工具", nullptr, 397, 235, {},
                                               kConversionControls};

ConversionWindow::ConversionWindow(const DeclarationStyle& style) : style_(style) {}

ConversionWindow::~ConversionWindow() {
  if (current == this) current = nullptr;
}

ConversionWindow* ConversionWindow::Current() { return current; }

void ConversionWindow::Run(QWidget* owner, SyntaxKind source) {
  ConversionWindow* outer = current;
  current = this;
  Window::RunModal(kConversionWindowTemplate, owner, [this, source](Window& w) { OnCreate(w, source); });
  current = outer;
  window_ = nullptr;
  source_ = target_ = nullptr;
  sourceSyntax_ = targetSyntax_ = nullptr;
  delete convertTimer_;
  convertTimer_ = nullptr;
}

void ConversionWindow::OnCreate(Window& w, SyntaxKind source) {
  window_ = &w;
  source_ = w.multiLineEdit(conversion_control::kSourceText);
  target_ = w.multiLineEdit(conversion_control::kTargetText);
  sourceSyntax_ = w.dropDownList(conversion_control::kSourceSyntax);
  targetSyntax_ = w.dropDownList(conversion_control::kTargetSyntax);
  FillLanguageChoice(sourceSyntax_, source);
  const SyntaxKind start = ChosenSyntax(sourceSyntax_);
  FillLanguageChoice(targetSyntax_, SyntaxOfNumber((SyntaxNumber(start) + 1) % 3));

  convertTimer_ = new QTimer(this);
  convertTimer_->setSingleShot(true);
  convertTimer_->setInterval(0);
  connect(convertTimer_, &QTimer::timeout, this, &ConversionWindow::Convert);

  connect(source_, &MultiLineEdit::textEdited, this, [this] { convertTimer_->start(); });
  connect(sourceSyntax_, &DropDownList::selectionChanged, this, &ConversionWindow::Convert);
  connect(targetSyntax_, &DropDownList::selectionChanged, this, &ConversionWindow::Convert);
  connect(w.button(conversion_control::kCopy), &QAbstractButton::clicked, this, &ConversionWindow::Copy);
  connect(w.button(conversion_control::kExit), &QAbstractButton::clicked, &w, &Window::CloseWindow);
}

bool ConversionWindow::ConversionPending() const { return convertTimer_ != nullptr && convertTimer_->isActive(); }

void ConversionWindow::Convert() {
  if (window_.isNull()) return;
  convertTimer_->stop();
  QString converted;
  try {
    // The edit breaks lines at LF; the readers expect CR LF, as a platform edit gives it.
    converted = FromGbk(ConvertDeclarations(ToCrLf(ToGbk(source_->toPlainText())), ChosenSyntax(sourceSyntax_),
                                            ChosenSyntax(targetSyntax_), style_));
  } catch (const std::bad_alloc&) {
    // A text too large to convert shows nothing rather than ending the program.
    ShowOutOfMemory();
  }
  target_->setUpdatesEnabled(false);
  target_->SetText(converted);
  target_->setUpdatesEnabled(true);
}

void ConversionWindow::Copy() {
  if (window_.isNull()) return;
  if (ConversionPending()) Convert();
  // The converted text as shown, edits included, with CR LF line ends.
  Services().SetClipboardText(target_->Text());
}

}  // namespace declarium
