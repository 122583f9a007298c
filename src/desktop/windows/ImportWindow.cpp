#include "windows/ImportWindow.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QStringList>
#include <QTimer>
#include <new>
#include <optional>

#include "import/StoreImported.h"
#include "import/SyntaxGuess.h"
#include "text/TextPrimitives.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Runtime.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/LanguageChoice.h"
#include "windows/Messages.h"
#include "windows/Resources.h"
#include "windows/RunningOperation.h"

namespace declarium {

namespace {

using namespace import_control;
using K = ControlKind;
constexpr ControlTemplate kImportControls[] = {
    {kPreview, K::ListBox, nullptr, 0, 3, 102, 207, kVScroll},
    {kText, K::Edit, nullptr, 105, 3, 265, 207, kMultiLine | kVScroll | kHScroll | kWantReturn},
    {kLanguageLabel, K::Static, u"语言：", 3, 216, 40, 10, kNoStyle},
    {kLanguage, K::ComboBox, nullptr, 45, 216, 57, 80, kNoStyle},
    {kAddAll, K::Button, u"全部添加(&A)", 246, 213, 57, 15, kNoStyle},
    {kClose, K::Button, u"关闭(&C)", 312, 213, 57, 15, kNoStyle},
    {kSyntaxHint, K::Button, nullptr, 3, 232, 366, 14, kHidden},
};

ImportWindow* current = nullptr;

// Long enough that pumping costs nothing next to storing, short enough that
// a close click is answered at once.
constexpr qint64 kPumpIntervalMs = 30;

}  // namespace

const WindowTemplate kImportWindowTemplate{resource::kImportWindow, u"新增函数、数据类型、常量", nullptr, 373, 249, {},
                                           kImportControls};

QString PreviewHeading(SyntaxKind syntax, int kind) {
  static constexpr const char16_t* kHeadings[3][3] = {
      {u"====【函数】====", u"==【数据类型】==", u"====【常量】===="},
      {u"====【function】====", u"====【struct】====", u"====【const】===="},
      {u"====【Function】====", u"====【Type】====", u"====【Const】===="},
  };
  if (!IsKnownSyntax(syntax) || kind < 0 || kind > 2) return {};
  return QString::fromUtf16(kHeadings[SyntaxNumber(syntax)][kind]);
}

ImportWindow::ImportWindow(CatalogueStore& store, ParsedDeclarations& parsed, Hooks hooks)
    : store_(store), parsed_(parsed), hooks_(std::move(hooks)) {}

ImportWindow::~ImportWindow() {
  if (current == this) current = nullptr;
}

ImportWindow* ImportWindow::Current() { return current; }

void ImportWindow::Run(QWidget* owner, SyntaxKind language) {
  parsed_.functions.clear();
  parsed_.dataTypes.clear();
  parsed_.constants.clear();
  closed_ = false;
  shownRows_.clear();
  ImportWindow* outer = current;
  current = this;
  Window::RunModal(kImportWindowTemplate, owner, [this, language](Window& w) {
    OnCreate(w);
    FillLanguageChoice(language_, language);
  });
  current = outer;
  closed_ = true;
  window_ = nullptr;
  preview_ = nullptr;
  text_ = nullptr;
  language_ = nullptr;
  syntaxHint_ = nullptr;
  delete refreshTimer_;
  refreshTimer_ = nullptr;
}

void ImportWindow::OnCreate(Window& w) {
  window_ = &w;
  preview_ = w.listBox(import_control::kPreview);
  text_ = w.multiLineEdit(import_control::kText);
  language_ = w.dropDownList(import_control::kLanguage);
  syntaxHint_ = w.button(import_control::kSyntaxHint);
  connect(syntaxHint_, &QAbstractButton::clicked, this, [this] {
    language_->SetSelection(SyntaxNumber(hintedSyntax_));
    OnLanguageChanged();
  });

  refreshTimer_ = new QTimer(this);
  refreshTimer_->setSingleShot(true);
  refreshTimer_->setInterval(0);
  connect(refreshTimer_, &QTimer::timeout, this, &ImportWindow::Refresh);

  connect(&w, &QDialog::finished, this, [this] { closed_ = true; });
  connect(text_, &MultiLineEdit::textEdited, this, &ImportWindow::OnTextChanged);
  connect(language_, &DropDownList::selectionChanged, this, &ImportWindow::OnLanguageChanged);
  connect(w.button(import_control::kAddAll), &QAbstractButton::clicked, this, &ImportWindow::AddAll);
  connect(w.button(import_control::kClose), &QAbstractButton::clicked, &w, &Window::CloseWindow);
}

SyntaxKind ImportWindow::CurrentSyntax() const { return ChosenSyntax(language_); }

bool ImportWindow::RefreshPending() const { return refreshTimer_ != nullptr && refreshTimer_->isActive(); }

void ImportWindow::OnTextChanged() {
  if (refreshTimer_ != nullptr) refreshTimer_->start();
}

void ImportWindow::OnLanguageChanged() {
  Refresh();
  if (hooks_.languageChosen) hooks_.languageChosen(CurrentSyntax());
}

void ImportWindow::Refresh() {
  if (window_.isNull()) return;
  if (refreshTimer_ != nullptr) refreshTimer_->stop();
  // The lists being stored must stay as they are: read again once storing ends.
  if (storing_) {
    refreshAfterStoring_ = true;
    return;
  }
  const SyntaxKind syntax = CurrentSyntax();
  try {
    // The edit breaks lines at LF; the readers expect CR LF, as a platform edit gives it.
    ReadDeclarations(ToCrLf(ToGbk(text_->toPlainText())), syntax, parsed_);
  } catch (const std::bad_alloc&) {
    // A text too large to read shows nothing to store rather than ending the program.
    parsed_ = {};
    ShowOutOfMemory();
  }

  ShowSyntaxHint(parsed_.functions.empty() && parsed_.dataTypes.empty() && parsed_.constants.empty());

  QStringList rows;
  rows.reserve(
      static_cast<qsizetype>(3 + parsed_.functions.size() + parsed_.dataTypes.size() + parsed_.constants.size()));
  rows.append(PreviewHeading(syntax, 0));
  for (const FunctionRecord& f : parsed_.functions) rows.append(FromGbk(f.name));
  rows.append(PreviewHeading(syntax, 1));
  for (const DataTypeRecord& d : parsed_.dataTypes) rows.append(FromGbk(d.name));
  rows.append(PreviewHeading(syntax, 2));
  for (const ConstantRecord& c : parsed_.constants) rows.append(FromGbk(c.name));

  // Most keystrokes change no name: the rows then stay as they are.
  if (preview_->Count() == rows.size() && rows == shownRows_) return;
  preview_->setUpdatesEnabled(false);
  preview_->Reset();
  preview_->addItems(rows);
  preview_->setUpdatesEnabled(true);
  shownRows_ = std::move(rows);
}

void ImportWindow::ShowSyntaxHint(bool nothingRead) {
  std::optional<SyntaxKind> other;
  if (nothingRead && !text_->document()->isEmpty()) {
    try {
      other = SyntaxThatReads(ToCrLf(ToGbk(text_->toPlainText())), CurrentSyntax());
    } catch (const std::bad_alloc&) {
      other.reset();
    }
  }
  if (other) {
    hintedSyntax_ = *other;
    syntaxHint_->setText(FromGbk(OtherSyntaxHint(CurrentSyntax(), *other)));
  }
  syntaxHint_->setVisible(other.has_value());
}

void ImportWindow::SetInputsEnabled(bool enabled) {
  if (window_.isNull()) return;
  window_->EnableItem(import_control::kText, enabled);
  window_->EnableItem(import_control::kLanguage, enabled);
  window_->EnableItem(import_control::kAddAll, enabled);
}

void ImportWindow::AddAll() {
  if (storing_ || window_.isNull()) return;
  // Store what the text says now, not what the last finished reading saw.
  if (RefreshPending()) Refresh();
  if (const int line = FirstLineNotInGbk(text_->toPlainText())) {
    PlainMessageBox(QStringLiteral("添加失败！\r\n第%1行").arg(line) + NotInGbkMessage(), kMbIconError);
    return;
  }

  BusyCursorScope busy;
  storing_ = true;
  SetInputsEnabled(false);
  QElapsedTimer sincePump;
  const BetweenRecords betweenRecords = [this, &sincePump] {
    if (closed_) return false;
    if (!sincePump.isValid() || sincePump.elapsed() >= kPumpIntervalMs) {
      PumpMessages();
      sincePump.start();
    }
    return !closed_;
  };
  std::string message;
  bool ok = false;
  bool outOfMemory = false;
  try {
    const RunningOperation running;
    ok = StoreImported(store_, parsed_.functions, parsed_.dataTypes, parsed_.constants, message, betweenRecords);
  } catch (const std::bad_alloc&) {
    // The storing was rolled back on the way out.
    outOfMemory = true;
  }
  const bool gaveUp = closed_;
  storing_ = false;
  SetInputsEnabled(true);

  if (outOfMemory) {
    ShowOutOfMemory(QStringLiteral("添加失败！\r\n"));
  } else if (ok) {
    PlainMessageBox(FromGbk(message), kMbIconInformation);
    if (hooks_.stored) hooks_.stored();
  } else if (gaveUp) {
    // Closing gave up and rolled back: the counts built so far were never
    // stored, so they are not shown.
    PlainMessageBox(QStringLiteral("添加失败！"), kMbIconError);
  } else {
    PlainMessageBox(QStringLiteral("添加失败！\r\n") + FromGbk(message), kMbIconError);
  }
  if (refreshAfterStoring_) {
    refreshAfterStoring_ = false;
    Refresh();
  }
}

}  // namespace declarium
