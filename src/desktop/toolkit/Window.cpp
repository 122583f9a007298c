#include "toolkit/Window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <algorithm>

#include "toolkit/BrowserHost.h"
#include "toolkit/Controls.h"
#include "toolkit/ModalServices.h"
#include "toolkit/Runtime.h"

namespace declarium {

namespace {

std::vector<Window*>& LiveWindows() {
  static std::vector<Window*> windows;
  return windows;
}

// Dialog templates are laid out for a 9-point dialog font.
QFont DialogFont() {
  QFont font = QApplication::font();
  font.setPointSize(9);
  return font;
}

}  // namespace

Window::Window(const WindowTemplate& tmpl, QWidget* owner) : QDialog(owner) {
  templateId_ = tmpl.id;
  className_ = tmpl.className ? QString::fromUtf16(tmpl.className) : QString();
  setObjectName(className_.isEmpty() ? QStringLiteral("Window%1").arg(tmpl.id) : className_);
  setWindowTitle(tmpl.title ? QString::fromUtf16(tmpl.title) : QString());
  if (!tmpl.menu.empty()) {
    // The main window: a normal top-level window with minimise and maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                   Qt::WindowCloseButtonHint);
  } else {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  }
  setFont(DialogFont());
  base_ = BaseUnitsOf(font());

  if (!tmpl.menu.empty()) {
    menu_ = MenuResource::Load(tmpl.menu, [this](int id) { Dispatch(id); });
    if (menu_) {
      menuBar_ = new QMenuBar(this);
      menuBar_->setNativeMenuBar(false);
      menu_->FillMenuBar(menuBar_);
    }
  }
  client_ = new QWidget(this);
  client_->installEventFilter(this);
  BuildControls(tmpl);

  const QRect clientRect = ToPixels(QRect(0, 0, tmpl.width, tmpl.height));
  const int menuHeight = menuBar_ ? menuBar_->sizeHint().height() : 0;
  resize(clientRect.width(), clientRect.height() + menuHeight);
  ArrangeClient();
  LiveWindows().push_back(this);
}

Window::~Window() {
  AnnounceDestroy();
  // The filter's captures may already be gone while the children are torn down.
  filter_ = nullptr;
  commands_ = nullptr;
  auto& live = LiveWindows();
  live.erase(std::remove(live.begin(), live.end(), this), live.end());
}

void Window::AnnounceDestroy() {
  if (destroyAnnounced_) return;
  destroyAnnounced_ = true;
  emit windowDestroyed();
}

void Window::BuildControls(const WindowTemplate& tmpl) {
  std::vector<QGroupBox*> groups;
  for (const ControlTemplate& c : tmpl.controls) {
    const QString caption = c.caption ? QString::fromUtf16(c.caption) : QString();
    QWidget* widget = nullptr;
    switch (c.kind) {
      case ControlKind::ListBox: widget = new ListBox(client_); break;
      case ControlKind::Edit:
        if (c.style & kMultiLine) {
          auto* edit = new MultiLineEdit(client_);
          edit->SetWantReturn((c.style & kWantReturn) != 0);
          edit->SetWrap((c.style & kHScroll) == 0);
          edit->setReadOnly((c.style & kReadOnly) != 0);
          if (!caption.isEmpty()) edit->SetText(caption);
          widget = edit;
        } else {
          auto* edit = new EditBox(client_);
          edit->setReadOnly((c.style & kReadOnly) != 0);
          edit->setText(caption);
          widget = edit;
        }
        break;
      case ControlKind::Button: {
        auto* button = new QPushButton(caption, client_);
        const bool isDefault = (c.style & kDefaultButton) != 0;
        button->setAutoDefault(isDefault);
        button->setDefault(isDefault);
        widget = button;
        break;
      }
      case ControlKind::CheckBox: widget = new QCheckBox(caption, client_); break;
      case ControlKind::RadioButton: widget = new QRadioButton(caption, client_); break;
      case ControlKind::GroupBox: {
        auto* group = new QGroupBox(caption, client_);
        groups.push_back(group);
        widget = group;
        break;
      }
      case ControlKind::Static: {
        auto* label = new QLabel(caption, client_);
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = label;
        break;
      }
      case ControlKind::ComboBox: widget = new DropDownList(client_); break;
      case ControlKind::TreeView: widget = new TreeView(client_); break;
      case ControlKind::ReportView: widget = new ReportView(client_); break;
      case ControlKind::ToolBar: widget = new ToolBar(client_); break;
      case ControlKind::StatusBar: widget = new StatusBar(client_); break;
      case ControlKind::ProgressBar: {
        auto* progress = new QProgressBar(client_);
        progress->setRange(0, 100);
        progress->setValue(0);
        progress->setTextVisible(false);
        widget = progress;
        break;
      }
      case ControlKind::HotkeyEdit: widget = new HotkeyEdit(client_); break;
      case ControlKind::TabControl: widget = new TabControl(client_); break;
      case ControlKind::Browser: {
        auto* browser = new BrowserHost(client_);
        widget = browser;
        break;
      }
    }
    if (!widget) continue;
    QRect r = ToPixels(QRect(c.x, c.y, c.width, c.height));
    const QSize natural = widget->sizeHint();
    if (r.width() == 0) r.setWidth(natural.width());
    if (r.height() == 0 || c.kind == ControlKind::ComboBox) r.setHeight(natural.height());
    widget->setGeometry(r);
    if (c.style & kHidden) widget->setHidden(true);
    if (c.style & kDisabled) widget->setEnabled(false);
    if (c.style & kBorder) widget->setProperty("border", true);
    SetControlIdOf(widget, c.id);
    if (c.id >= 0 && !controls_.contains(c.id)) {
      controls_.insert(c.id, widget);
      order_.push_back(c.id);
    }
    WatchControl(widget);
  }
  // Frames stay behind the controls drawn inside them.
  for (QGroupBox* group : groups) group->lower();
}

std::unique_ptr<Window> Window::Build(const WindowTemplate& tmpl, QWidget* owner) {
  return std::unique_ptr<Window>(new Window(tmpl, owner));
}

Window* Window::CreateModeless(const WindowTemplate& tmpl, QWidget* owner, CreationCallback onCreate) {
  std::unique_ptr<Window> window = Build(tmpl, owner);
  window->setAttribute(Qt::WA_DeleteOnClose, true);
  window->setModal(false);
  if (onCreate) onCreate(*window);
  Window* raw = window.release();
  raw->show();
  return raw;
}

int Window::RunModal(const WindowTemplate& tmpl, QWidget* owner, CreationCallback onCreate) {
  std::unique_ptr<Window> window = Build(tmpl, owner);
  window->modal_ = true;
  window->setModal(true);
  if (owner) {
    // Centre on the owner, as a platform dialog does.
    const QRect ownerRect = owner->window()->frameGeometry();
    window->move(ownerRect.center() - QPoint(window->width() / 2, window->height() / 2));
  }
  if (onCreate) onCreate(*window);
  QPointer<Window> guard(window.get());
  const FocusReturn focusReturn;
  const int result = window->exec();
  if (!guard) {
    (void)window.release();  // deleted during its own loop
    return result;
  }
  return result;
}

Window* Window::FindByClassName(const QString& className) {
  for (Window* window : LiveWindows())
    if (window->className_ == className) return window;
  return nullptr;
}

void Window::EndWithResult(int code) {
  if (modal_) {
    done(code);
    return;
  }
  setResult(code);
  close();
}

void Window::CloseWindow() { close(); }

void Window::done(int code) { QDialog::done(code); }

void Window::SetIcon(const QIcon& icon) { setWindowIcon(icon); }

void Window::SetCaption(const QString& caption) { setWindowTitle(caption); }

QString Window::Caption() const { return windowTitle(); }

// ----- controls ----------------------------------------------------------------

QWidget* Window::Item(int controlId) const { return controls_.value(controlId, nullptr); }

ListBox* Window::listBox(int id) const { return control<ListBox>(id); }
TreeView* Window::treeView(int id) const { return control<TreeView>(id); }
ReportView* Window::reportView(int id) const { return control<ReportView>(id); }
EditBox* Window::editBox(int id) const { return control<EditBox>(id); }
MultiLineEdit* Window::multiLineEdit(int id) const { return control<MultiLineEdit>(id); }
DropDownList* Window::dropDownList(int id) const { return control<DropDownList>(id); }
TabControl* Window::tabControl(int id) const { return control<TabControl>(id); }
ToolBar* Window::toolBar(int id) const { return control<ToolBar>(id); }
StatusBar* Window::statusBar(int id) const { return control<StatusBar>(id); }
HotkeyEdit* Window::hotkeyEdit(int id) const { return control<HotkeyEdit>(id); }
BrowserHost* Window::browser(int id) const { return control<BrowserHost>(id); }
QAbstractButton* Window::button(int id) const { return control<QAbstractButton>(id); }

std::vector<int> Window::ControlIds() const { return order_; }

QString Window::ItemText(int controlId) const {
  QWidget* widget = Item(controlId);
  if (auto* edit = qobject_cast<MultiLineEdit*>(widget)) return edit->Text();
  if (auto* line = qobject_cast<QLineEdit*>(widget)) return line->text();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
  if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return combo->currentText();
  return {};
}

void Window::SetItemText(int controlId, const QString& text) {
  QWidget* widget = Item(controlId);
  if (auto* edit = qobject_cast<MultiLineEdit*>(widget))
    edit->SetText(text);
  else if (auto* line = qobject_cast<QLineEdit*>(widget))
    line->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(widget))
    label->setText(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(widget))
    button->setText(text);
  else if (auto* group = qobject_cast<QGroupBox*>(widget))
    group->setTitle(text);
}

bool Window::IsChecked(int controlId) const {
  const QAbstractButton* b = button(controlId);
  return b && b->isChecked();
}

void Window::SetChecked(int controlId, bool checked) {
  if (QAbstractButton* b = button(controlId)) b->setChecked(checked);
}

void Window::EnableItem(int controlId, bool enabled) {
  if (QWidget* widget = Item(controlId)) widget->setEnabled(enabled);
}

int Window::MessageBox(const QString& text, int style, const QString& caption) {
  return OwnedMessageBox(this, text, style, caption);
}

// ----- state and geometry ------------------------------------------------------

int Window::State() const {
  if (isMinimized()) return kStateMinimised;
  if (isMaximized()) return kStateMaximised;
  return kStateNormal;
}

void Window::SetState(int state) {
  switch (state) {
    case kStateNormal:
      showNormal();
      raise();
      activateWindow();
      break;
    case kStateMinimised: showMinimized(); break;
    case kStateMaximised: showMaximized(); break;
    case kStateCentred: {
      QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
      if (!screen) break;
      const QRect available = screen->availableGeometry();
      const QRect frame = frameGeometry();
      move(available.center() - QPoint(frame.width() / 2, frame.height() / 2));
      break;
    }
    default: break;
  }
}

bool Window::IsShown() const { return isVisible(); }

void Window::SetShown(bool visible) { setVisible(visible); }

int Window::Left() const { return frameGeometry().left(); }
int Window::Top() const { return frameGeometry().top(); }
int Window::Width() const { return frameGeometry().width(); }
int Window::Height() const { return frameGeometry().height(); }

namespace {

// As the platform limits a window to about the size of the desktop, a size
// far beyond it (a damaged settings file) is cut down: a window of millions
// of pixels a side cannot be painted at all. The position is kept within the
// same distance of the desktop, so that the window's edges can still be
// computed.
void ClampToDesktop(const QWidget& w, int& left, int& top, int& width, int& height) {
  QScreen* screen = w.screen() != nullptr ? w.screen() : QGuiApplication::primaryScreen();
  const QRect desktop = screen != nullptr ? screen->virtualGeometry() : QRect(0, 0, 4096, 4096);
  const int maxWidth = qMax(640, 2 * desktop.width());
  const int maxHeight = qMax(480, 2 * desktop.height());
  width = std::clamp(width, 1, maxWidth);
  height = std::clamp(height, 1, maxHeight);
  left = std::clamp(left, desktop.left() - maxWidth, desktop.right() + maxWidth);
  top = std::clamp(top, desktop.top() - maxHeight, desktop.bottom() + maxHeight);
}

}  // namespace

int Window::InnerWidth() const { return geometry().width(); }
int Window::InnerHeight() const { return geometry().height(); }

void Window::SetPlacement(int left, int top, int innerWidth, int innerHeight) {
  ClampToDesktop(*this, left, top, innerWidth, innerHeight);
  // move() places the frame, resize() what is inside it.
  move(left, top);
  resize(innerWidth, innerHeight);
}

void Window::SetOuterGeometry(int left, int top, int width, int height) {
  ClampToDesktop(*this, left, top, width, height);
  const QRect frame = frameGeometry();
  const QRect inner = geometry();
  const int extraW = frame.width() - inner.width();
  const int extraH = frame.height() - inner.height();
  move(left, top);
  resize(qMax(1, width - extraW), qMax(1, height - extraH));
}

QRect Window::ClientRect() const { return QRect(0, 0, client_->width(), client_->height()); }

void Window::Focus() {
  activateWindow();
  setFocus(Qt::OtherFocusReason);
}

void Window::ArrangeClient() {
  int top = 0;
  if (menuBar_) {
    top = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, width(), top);
  }
  client_->setGeometry(0, top, width(), qMax(0, height() - top));
}

// ----- commands ----------------------------------------------------------------

void Window::SetCommandHandler(CommandHandler handler) { commands_ = std::move(handler); }

void Window::Dispatch(int commandId) {
  if (commands_) commands_(commandId);
}

bool Window::InstallAccelerators(std::span<const AcceleratorEntry> entries) {
  accelerators_ = AcceleratorTable::Load(entries);
  if (!accelerators_) return false;
  accelerators_->Install(this, [this](int id) { Dispatch(id); });
  return true;
}

void Window::SetMessageFilter(MessageFilter filter) { filter_ = std::move(filter); }

void Window::WatchControl(QWidget* widget) {
  if (widget) widget->installEventFilter(this);
}

// ----- events --------------------------------------------------------------------

bool Window::event(QEvent* event) {
  if (filter_ && filter_(this, event)) {
    if (event->type() == QEvent::Close) event->ignore();
    return true;
  }
  return QDialog::event(event);
}

bool Window::eventFilter(QObject* watched, QEvent* event) {
  if (watched == client_) {
    if (event->type() == QEvent::Resize) emit clientSizeChanged(client_->width(), client_->height());
    return false;
  }
  if (filter_ && watched->isWidgetType() && filter_(watched, event)) return true;
  return QDialog::eventFilter(watched, event);
}

void Window::keyPressEvent(QKeyEvent* event) {
  // Escape ends modal dialogs and the tool windows that ask for it; the main
  // window keeps it.
  if (event->key() == Qt::Key_Escape && !modal_) {
    if (closesOnEscape_) {
      CloseWindow();
      return;
    }
    event->ignore();
    return;
  }
  QDialog::keyPressEvent(event);
}

void Window::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ArrangeClient();
}

void Window::moveEvent(QMoveEvent* event) {
  QDialog::moveEvent(event);
  emit moved();
}

void Window::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) emit moved();
}

}  // namespace declarium
