// Toolbar, status bar and splitter bar.
#include <QActionGroup>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QStyleOption>
#include <QToolButton>

#include "toolkit/Controls.h"

namespace declarium {

// ----- ToolBar ---------------------------------------------------------------

ToolBar::ToolBar(QWidget* parent) : QToolBar(parent) {
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(16, 16));
  setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void ToolBar::SetPictureList(const PictureList& pictures) {
  pictures_ = pictures;
  for (const Button& button : buttons_) button.action->setIcon(pictures_.Icon(button.picture));
}

void ToolBar::AddButton(int commandId, int picture, bool checkGroup, const QString& tooltip, bool pressed) {
  QAction* action = addAction(pictures_.Icon(picture), tooltip);
  action->setToolTip(tooltip);
  action->setData(commandId);
  if (checkGroup) {
    if (!lastWasCheckGroup_ || !group_) {
      group_ = new QActionGroup(this);
      group_->setExclusive(true);
    }
    action->setCheckable(true);
    group_->addAction(action);
    action->setChecked(pressed);
  }
  lastWasCheckGroup_ = checkGroup;
  connect(action, &QAction::triggered, this, [this, commandId] { emit buttonClicked(commandId); });
  buttons_.push_back({commandId, picture, action});
}

void ToolBar::AddSeparator() {
  addSeparator();
  lastWasCheckGroup_ = false;
}

void ToolBar::AddButtons(std::span<const ToolButtonTemplate> buttons) {
  for (const ToolButtonTemplate& b : buttons) {
    if (b.style == ToolButtonStyle::Separator)
      AddSeparator();
    else
      AddButton(b.commandId, b.picture, b.style == ToolButtonStyle::CheckGroup,
                b.tooltip ? QString::fromUtf16(b.tooltip) : QString(), b.pressed);
  }
}

int ToolBar::ButtonCount() const { return static_cast<int>(buttons_.size()); }

int ToolBar::CommandOf(int buttonIndex) const {
  if (buttonIndex < 0 || buttonIndex >= ButtonCount()) return -1;
  return buttons_[static_cast<size_t>(buttonIndex)].commandId;
}

void ToolBar::SetPressed(int buttonIndex, bool pressed) {
  if (buttonIndex < 0 || buttonIndex >= ButtonCount()) return;
  QAction* action = buttons_[static_cast<size_t>(buttonIndex)].action;
  if (!action->isCheckable()) {
    // A push button shows the pressed state only while it is checkable.
    if (!pressed) return;
    action->setCheckable(true);
  }
  action->setChecked(pressed);
}

bool ToolBar::IsPressed(int buttonIndex) const {
  if (buttonIndex < 0 || buttonIndex >= ButtonCount()) return false;
  return buttons_[static_cast<size_t>(buttonIndex)].action->isChecked();
}

QString ToolBar::TooltipOf(int buttonIndex) const {
  if (buttonIndex < 0 || buttonIndex >= ButtonCount()) return {};
  return buttons_[static_cast<size_t>(buttonIndex)].action->toolTip();
}

void ToolBar::SizeToWindow() {
  if (QWidget* parent = parentWidget()) setGeometry(0, 0, parent->width(), Height());
}

int ToolBar::Height() const { return sizeHint().height(); }

// ----- StatusBar -------------------------------------------------------------

StatusBar::StatusBar(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_StyledBackground, true);
  SetParts({-1});
}

void StatusBar::SetParts(const std::vector<int>& rightEdges) {
  const std::vector<int> edges = rightEdges.empty() ? std::vector<int>{-1} : rightEdges;
  while (texts_.size() > edges.size()) {
    delete texts_.back();
    delete icons_.back();
    texts_.pop_back();
    icons_.pop_back();
  }
  while (texts_.size() < edges.size()) {
    auto* icon = new QLabel(this);
    icon->setFixedSize(16, 16);
    icon->hide();
    auto* text = new QLabel(this);
    text->setFrameShape(QFrame::Panel);
    text->setFrameShadow(QFrame::Sunken);
    text->setTextFormat(Qt::PlainText);
    icons_.push_back(icon);
    texts_.push_back(text);
  }
  edges_ = edges;
  Arrange();
}

int StatusBar::PartCount() const { return static_cast<int>(edges_.size()); }

void StatusBar::SetPartText(int part, const QString& text) {
  if (part >= 0 && part < PartCount()) texts_[static_cast<size_t>(part)]->setText(text);
}

QString StatusBar::PartText(int part) const {
  if (part < 0 || part >= PartCount()) return {};
  return texts_[static_cast<size_t>(part)]->text();
}

void StatusBar::SetPartIcon(int part, const QIcon& icon) {
  if (part < 0 || part >= PartCount()) return;
  QLabel* label = icons_[static_cast<size_t>(part)];
  if (icon.isNull()) {
    label->clear();
    label->hide();
  } else {
    label->setPixmap(icon.pixmap(16, 16));
    label->show();
  }
  Arrange();
}

QRect StatusBar::PartRect(int part) const {
  if (part < 0 || part >= PartCount()) return {};
  const int left = part == 0 ? 0 : edges_[static_cast<size_t>(part - 1)];
  int right = edges_[static_cast<size_t>(part)];
  if (right < 0 || right > width()) right = width();
  return QRect(left, 0, qMax(0, right - left), height());
}

void StatusBar::SizeToWindow() {
  if (QWidget* parent = parentWidget()) setGeometry(0, parent->height() - Height(), parent->width(), Height());
}

int StatusBar::Height() const { return qMax(20, fontMetrics().height() + 6); }

void StatusBar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Arrange();
}

void StatusBar::Arrange() {
  for (int i = 0; i < PartCount(); ++i) {
    const QRect r = PartRect(i).adjusted(1, 1, -1, -1);
    QLabel* icon = icons_[static_cast<size_t>(i)];
    QLabel* text = texts_[static_cast<size_t>(i)];
    if (icon->isVisibleTo(this)) {
      icon->move(r.left() + 2, r.top() + (r.height() - 16) / 2);
      text->setGeometry(r);
      text->setIndent(20);
      icon->raise();
    } else {
      text->setGeometry(r);
      text->setIndent(2);
    }
  }
}

// ----- SplitterBar -----------------------------------------------------------

SplitterBar::SplitterBar(QWidget* parent, Direction direction, QRect geometry)
    : QWidget(parent), direction_(direction) {
  setGeometry(geometry);
  setCursor(direction == Direction::Vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
  setAttribute(Qt::WA_Hover, true);
  show();
}

int SplitterBar::Position() const { return direction_ == Direction::Vertical ? x() : y(); }

void SplitterBar::SetPosition(int position) {
  if (direction_ == Direction::Vertical)
    move(position, y());
  else
    move(x(), position);
}

void SplitterBar::MoveTo(QRect geometry) { setGeometry(geometry); }

void SplitterBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  dragging_ = true;
  dragStart_ = Position();
  const QPoint local = event->position().toPoint();
  grabOffset_ = direction_ == Direction::Vertical ? local.x() : local.y();
  event->accept();
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) return;
  const QPoint inParent = mapToParent(event->position().toPoint());
  int position = (direction_ == Direction::Vertical ? inParent.x() : inParent.y()) - grabOffset_;
  if (QWidget* parent = parentWidget()) {
    const int extent = direction_ == Direction::Vertical ? parent->width() - width() : parent->height() - height();
    position = qBound(0, position, qMax(0, extent));
  }
  SetPosition(position);
  event->accept();
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event) {
  if (!dragging_ || event->button() != Qt::LeftButton) return;
  mouseMoveEvent(event);
  dragging_ = false;
  const int now = Position();
  if (now != dragStart_) emit moved(dragStart_, now);
  event->accept();
}

void SplitterBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (underMouse() || dragging_) painter.fillRect(rect(), palette().mid());
}

}  // namespace declarium
