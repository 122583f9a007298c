#include "windows/ExportWindow.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <filesystem>

#include "store/CatalogueStore.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"
#include "toolkit/Runtime.h"
#include "toolkit/Templates.h"
#include "toolkit/Window.h"
#include "windows/LanguageChoice.h"
#include "windows/Pictures.h"
#include "windows/Resources.h"
#include "windows/RunningOperation.h"

namespace declarium {

namespace {

using namespace export_control;
using K = ControlKind;
constexpr ControlTemplate kExportControls[] = {
    {kFunctions, K::CheckBox, u"函数", 6, 3, 60, 10, kNoStyle},
    {kFunctionGroup, K::GroupBox, u"函数导出条件：", 6, 15, 318, 58, kDisabled},
    {kFunctionField, K::ComboBox, nullptr, 12, 27, 60, 100, kDisabled},
    {kFunctionOp, K::ComboBox, nullptr, 76, 27, 40, 100, kDisabled},
    {kFunctionValue, K::Edit, nullptr, 120, 27, 140, 13, kDisabled},
    {kFunctionAdd, K::Button, u"添加条件", 266, 26, 52, 15, kDisabled},
    {kFunctionConditions, K::ListBox, nullptr, 12, 43, 306, 26, kDisabled | kVScroll},

    {kDataTypes, K::CheckBox, u"数据类型", 6, 75, 60, 10, kNoStyle},
    {kDataTypeGroup, K::GroupBox, u"数据类型导出条件：", 6, 87, 318, 58, kDisabled},
    {kDataTypeField, K::ComboBox, nullptr, 12, 99, 60, 100, kDisabled},
    {kDataTypeOp, K::ComboBox, nullptr, 76, 99, 40, 100, kDisabled},
    {kDataTypeValue, K::Edit, nullptr, 120, 99, 140, 13, kDisabled},
    {kDataTypeAdd, K::Button, u"添加条件", 266, 98, 52, 15, kDisabled},
    {kDataTypeConditions, K::ListBox, nullptr, 12, 115, 306, 26, kDisabled | kVScroll},

    {kConstants, K::CheckBox, u"常量", 6, 147, 60, 10, kNoStyle},
    {kConstantGroup, K::GroupBox, u"常量导出条件：", 6, 159, 318, 58, kDisabled},
    {kConstantField, K::ComboBox, nullptr, 12, 171, 60, 100, kDisabled},
    {kConstantOp, K::ComboBox, nullptr, 76, 171, 40, 100, kDisabled},
    {kConstantValue, K::Edit, nullptr, 120, 171, 140, 13, kDisabled},
    {kConstantAdd, K::Button, u"添加条件", 266, 170, 52, 15, kDisabled},
    {kConstantConditions, K::ListBox, nullptr, 12, 187, 306, 26, kDisabled | kVScroll},

    {-1, K::Static, u"语言：", 6, 226, 28, 10, kNoStyle},
    {kSyntax, K::ComboBox, nullptr, 36, 224, 60, 80, kNoStyle},
    {kProgress, K::ProgressBar, nullptr, 100, 225, 110, 11, kNoStyle},
    {kExport, K::Button, u"导出", 216, 223, 50, 15, kDefaultButton},
    {kClose, K::Button, u"关闭", 272, 223, 50, 15, kNoStyle},
};

// Letting events through on every record costs more than the record itself
// in a big export; this often is enough to repaint and to notice a close.
constexpr qint64 kPumpIntervalMs = 15;

constexpr ExportKind kKinds[] = {ExportKind::Functions, ExportKind::DataTypes, ExportKind::Constants};

std::filesystem::path ToPath(const QString& file) {
#ifdef _WIN32
  return std::filesystem::path(file.toStdWString());
#else
  return std::filesystem::path(QFile::encodeName(file).toStdString());
#endif
}
}  // namespace

const WindowTemplate kExportWindowTemplate{resource::kExportWindow, u"导出数据", nullptr, 330, 243, {},
                                           kExportControls};

// Title and progress bar of the window during a run; stops when the window
// has been closed.
class ExportProgress : public ExportObserver {
 public:
  explicit ExportProgress(ExportWindow& owner) : owner_(owner) { sincePump_.start(); }

  void SectionStarted(std::string_view title) override {
    if (owner_.window_.isNull()) return;
    owner_.window_->SetCaption(FromGbk(title));
    Pump();
  }
  void Progress(int percent) override {
    if (owner_.window_.isNull()) return;
    if (auto* bar = owner_.window_->control<QProgressBar>(kProgress)) bar->setValue(percent);
  }
  bool ShouldStop() override {
    if (sincePump_.elapsed() >= kPumpIntervalMs) Pump();
    return owner_.Closed();
  }

 private:
  void Pump() {
    PumpMessages();
    sincePump_.restart();
  }
  ExportWindow& owner_;
  QElapsedTimer sincePump_;
};

const ExportWindow::Group& ExportWindow::GroupOf(ExportKind kind) {
  static const Group groups[] = {
      {kFunctions, kFunctionGroup, kFunctionField, kFunctionOp, kFunctionValue, kFunctionAdd, kFunctionConditions},
      {kDataTypes, kDataTypeGroup, kDataTypeField, kDataTypeOp, kDataTypeValue, kDataTypeAdd, kDataTypeConditions},
      {kConstants, kConstantGroup, kConstantField, kConstantOp, kConstantValue, kConstantAdd, kConstantConditions},
  };
  return groups[static_cast<int>(kind)];
}

void ExportWindow::Run(QWidget* owner, CatalogueStore& store, const Settings& settings, SyntaxChanged onSyntax) {
  std::unique_ptr<ExportWindow> controller;
  Window::RunModal(kExportWindowTemplate, owner, [&](Window& w) {
    controller = std::make_unique<ExportWindow>(w, store, settings, std::move(onSyntax));
  });
}

ExportWindow::ExportWindow(Window& window, CatalogueStore& store, const Settings& settings, SyntaxChanged onSyntax)
    : window_(&window), store_(store), settings_(settings), onSyntax_(std::move(onSyntax)) {
  Window& w = window;
  w.SetIcon(ApplicationIcon());
  FillCombos();
  if (auto* bar = w.control<QProgressBar>(kProgress)) {
    bar->setRange(0, 100);
    bar->setValue(0);
  }
  for (ExportKind kind : kKinds) {
    const Group& g = GroupOf(kind);
    w.SetChecked(g.check, false);
    EnableGroup(kind, false);
    if (QAbstractButton* check = w.button(g.check))
      connect(check, &QAbstractButton::toggled, this, [this, kind](bool on) { EnableGroup(kind, on); });
    if (QAbstractButton* add = w.button(g.add))
      connect(add, &QAbstractButton::clicked, this, [this, kind] { AddExportCondition(kind); });
  }
  if (QAbstractButton* b = w.button(kExport)) connect(b, &QAbstractButton::clicked, this, [this] { ExportButton(); });
  if (QAbstractButton* b = w.button(kClose))
    connect(b, &QAbstractButton::clicked, this, [this] {
      if (!window_.isNull()) window_->CloseWindow();
    });
  if (DropDownList* syntax = w.dropDownList(kSyntax))
    connect(syntax, &DropDownList::selectionChanged, this, [this, syntax](int) {
      if (onSyntax_) onSyntax_(ChosenSyntax(syntax));
    });
  // However the window goes (button, title bar, Escape), a running export stops.
  connect(&w, &QDialog::finished, this, [this] { closed_ = true; });
  connect(&w, &Window::windowDestroyed, this, [this] { closed_ = true; });
}

void ExportWindow::FillCombos() {
  Window& w = *window_;
  for (ExportKind kind : kKinds) {
    const Group& g = GroupOf(kind);
    if (DropDownList* fields = w.dropDownList(g.field)) {
      fields->Reset();
      for (const std::string& f : ExportFields(kind)) fields->AddItem(FromGbk(f));
      fields->SetSelection(0);
    }
    if (DropDownList* ops = w.dropDownList(g.op)) {
      ops->Reset();
      for (const std::string& o : ExportOperators()) ops->AddItem(FromGbk(o));
      ops->SetSelection(0);
    }
    if (ListBox* list = w.listBox(g.list)) list->Reset();
    conditions_[static_cast<int>(kind)].clear();
  }
  if (DropDownList* syntax = w.dropDownList(kSyntax)) FillLanguageChoice(syntax, settings_.language);
}

void ExportWindow::EnableGroup(ExportKind kind, bool enabled) {
  if (window_.isNull()) return;
  const Group& g = GroupOf(kind);
  for (int id : {g.box, g.field, g.op, g.value, g.add, g.list}) window_->EnableItem(id, enabled);
}

void ExportWindow::AddExportCondition(ExportKind kind) {
  if (window_.isNull()) return;
  Window& w = *window_;
  const Group& g = GroupOf(kind);
  const QString value = w.ItemText(g.value);
  if (value.isEmpty()) {
    w.MessageBox(QStringLiteral("条件值不能为空"), kMbIconError);
    return;
  }
  if (!GbkHolds(value)) {
    w.MessageBox(QStringLiteral("条件值") + NotInGbkMessage(), kMbIconError);
    return;
  }
  const QString field = w.ItemText(g.field);
  const QString op = w.ItemText(g.op);
  // The row shows the value as typed; the export builds its SQL from the
  // condition kept beside it, so quotes in the value cannot break a statement.
  conditions_[static_cast<int>(kind)].push_back({ToGbk(field), ToGbk(op), ToGbk(value)});
  if (ListBox* list = w.listBox(g.list))
    list->AddRow(field + QStringLiteral(" ") + op + QStringLiteral(" '") + value + QStringLiteral("'"));
}

ExportRequest ExportWindow::BuildRequest() const {
  const Window& w = *window_;
  ExportRequest r;
  r.functions = w.IsChecked(GroupOf(ExportKind::Functions).check);
  r.dataTypes = w.IsChecked(GroupOf(ExportKind::DataTypes).check);
  r.constants = w.IsChecked(GroupOf(ExportKind::Constants).check);
  r.functionConditions = conditions_[0];
  r.dataTypeConditions = conditions_[1];
  r.constantConditions = conditions_[2];
  if (const DropDownList* syntax = w.dropDownList(kSyntax)) r.target = ChosenSyntax(syntax);
  return r;
}

bool ExportWindow::Closed() const { return closed_ || window_.isNull(); }

void ExportWindow::ExportButton() {
  // A second click while the events of a running export are let through
  // would start another export into the same file.
  if (exporting_ || Closed()) return;
  const ExportRequest request = BuildRequest();
  if (!request.functions && !request.dataTypes && !request.constants) {
    window_->MessageBox(QStringLiteral("请至少选择要导出的 【函数】、【数据类型】 或 【常量】 的其中一种！"),
                        kMbIconInformation);
    return;
  }
  const QString file =
      Services().SaveFileName(window_, QStringLiteral("请选择保存文件名"),
                              QStringLiteral("文本文件(*.txt)|*.txt|所有文件(*.*)|*.*"), QStringLiteral("txt"));
  if (file.isEmpty() || Closed()) return;

  // The sections put their titles on the window while they run; its own
  // comes back however the export ends.
  const QString title = window_->Caption();
  ExportProgress progress(*this);
  std::string message;
  ExportResult result;
  exporting_ = true;
  {
    BusyCursorScope busy;
    const RunningOperation running;
    result = ExportDeclarations(store_, ToPath(file), request, settings_.style, &progress, message);
  }
  exporting_ = false;
  if (window_.isNull()) return;
  window_->SetCaption(title);
  if (result == ExportResult::Stopped) return;
  const int icon = result == ExportResult::Failed ? kMbIconError : kMbIconInformation;
  window_->MessageBox(FromGbk(message), icon);
}

}  // namespace declarium
