// List box, tree view and report-style list view.
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QToolTip>

#include "toolkit/Controls.h"

namespace declarium {

namespace {
constexpr int kDataRole = Qt::UserRole + 1;
// The whole text of a row whose shown text is cut (see ShownText).
constexpr int kWholeTextRole = Qt::UserRole + 2;

// At most limit characters of text, "…" in the place of the rest; a pair
// of surrogates is never cut in two.
QString CutAt(const QString& text, qsizetype limit) {
  if (text.size() <= limit) return text;
  if (text.at(limit - 1).isHighSurrogate()) --limit;
  return text.left(limit) + QChar(0x2026);
}

}  // namespace

QString ShownText(const QString& text) { return CutAt(text, kShownCharacters); }

bool ShowCutTextTip(QAbstractItemView& view, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return false;
  auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = view.indexAt(help->pos());
  const QVariant whole = index.data(kWholeTextRole);
  const QString text = whole.isValid() ? whole.toString() : index.data(Qt::DisplayRole).toString();
  // The room the text has: the part of the cell in sight (cut short with
  // "…", or by the edge of a list that scrolls sideways), less its picture
  // and the margins the style draws around a text.
  const QRect shown = view.visualRect(index).intersected(view.viewport()->rect());
  int room = shown.width() - 2 * (view.style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  if (!index.data(Qt::DecorationRole).isNull()) room -= view.iconSize().width() + 4;
  if (index.isValid() && (whole.isValid() || view.fontMetrics().horizontalAdvance(text) > room)) {
    // A tip is laid out as a whole too: bounded, if much less tightly.
    QToolTip::showText(help->globalPos(), CutAt(text, kTipCharacters), view.viewport());
  } else {
    QToolTip::hideText();
  }
  return true;
}

int ControlIdOf(const QWidget* widget) {
  if (!widget) return -1;
  const QVariant id = widget->property("controlId");
  return id.isValid() ? id.toInt() : -1;
}

void SetControlIdOf(QWidget* widget, int id) {
  if (widget) widget->setProperty("controlId", id);
}

// ----- ListBox ---------------------------------------------------------------

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemSelectionChanged, this, [this] {
    if (!silent_) emit selectionChanged(Selection());
  });
}

void ListBox::Reset() {
  silent_ = true;
  clear();
  silent_ = false;
}

int ListBox::AddRow(const QString& text, qint64 itemData) {
  auto* item = new QListWidgetItem(ShownText(text));
  if (text.size() > kShownCharacters) item->setData(kWholeTextRole, text);
  item->setData(kDataRole, itemData);
  silent_ = true;
  addItem(item);
  silent_ = false;
  return count() - 1;
}

void ListBox::DeleteRow(int row) {
  if (row < 0 || row >= count()) return;
  const bool wasSelected = Selection() == row;
  silent_ = true;
  delete takeItem(row);
  // Deleting the selected row leaves no selection (the view would move it on).
  if (wasSelected) {
    clearSelection();
    setCurrentRow(-1);
  }
  silent_ = false;
}

int ListBox::Count() const { return count(); }

int ListBox::Selection() const {
  const QList<QListWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : row(selected.front());
}

void ListBox::SetSelection(int row) {
  silent_ = true;
  if (row < 0 || row >= count()) {
    clearSelection();
    setCurrentRow(-1);
  } else {
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
  }
  silent_ = false;
}

QString ListBox::RowText(int row) const {
  const QListWidgetItem* it = item(row);
  if (it == nullptr) return QString();
  const QVariant whole = it->data(kWholeTextRole);
  return whole.isValid() ? whole.toString() : it->text();
}

qint64 ListBox::RowData(int row) const {
  const QListWidgetItem* it = item(row);
  return it ? it->data(kDataRole).toLongLong() : 0;
}

int ListBox::RowAt(QPoint viewportPoint) const {
  const QListWidgetItem* it = itemAt(viewportPoint);
  return it ? row(it) : -1;
}

int ListBox::RowAtGlobal(QPoint globalPos) const { return RowAt(viewport()->mapFromGlobal(globalPos)); }

bool ListBox::viewportEvent(QEvent* event) { return ShowCutTextTip(*this, event) || QListWidget::viewportEvent(event); }

void ListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit rightButton(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QListWidget::mousePressEvent(event);
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QListWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClicked(Selection());
}

// ----- TreeView --------------------------------------------------------------

class TreeLabelDelegate : public QStyledItemDelegate {
 public:
  explicit TreeLabelDelegate(TreeView* tree) : QStyledItemDelegate(tree), tree_(tree) {
    connect(this, &QAbstractItemDelegate::closeEditor, this,
            [this](QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
              if (hint == QAbstractItemDelegate::RevertModelCache && editing_) {
                editing_ = false;
                // The handler may still want what was typed before Escape.
                QString text;
                if (auto* line = qobject_cast<QLineEdit*>(editor)) text = line->text();
                emit tree_->labelEditEnded(editedItem_, text, true);
              }
              editing_ = false;
            });
  }
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    editing_ = true;
    editedItem_ = tree_->itemFromIndex(index);
    return QStyledItemDelegate::createEditor(parent, option, index);
  }
  // The label stays as it was: the handler of labelEditEnded decides.
  void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
    if (!editing_) return;
    editing_ = false;
    QString text;
    if (auto* line = qobject_cast<QLineEdit*>(editor)) text = line->text();
    QTreeWidgetItem* item = tree_->itemFromIndex(index);
    emit tree_->labelEditEnded(item, text, false);
  }

 private:
  TreeView* tree_;
  mutable bool editing_ = false;
  mutable QTreeWidgetItem* editedItem_ = nullptr;
};

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setItemDelegate(new TreeLabelDelegate(this));
  connect(this, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) { emit selectionChanged(current); });
}

void TreeView::Reset() { clear(); }

TreeView::Item TreeView::AddItem(Item parent, const QString& text, int picture, qint64 itemData) {
  auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, text);
  item->setData(0, kDataRole, itemData);
  item->setData(0, kDataRole + 1, picture);
  item->setIcon(0, pictures_.Icon(picture));
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  return item;
}

void TreeView::DeleteItem(Item item) { delete item; }

TreeView::Item TreeView::FirstItem() const { return topLevelItemCount() > 0 ? topLevelItem(0) : nullptr; }

TreeView::Item TreeView::FirstLeaf(const std::function<bool(Item)>& match) const {
  for (Item root = FirstItem(); root != nullptr; root = NextSibling(root)) {
    if (root->childCount() == 0) {
      if (match(root)) return root;
      continue;
    }
    for (Item child = FirstChild(root); child != nullptr; child = NextSibling(child)) {
      if (child->childCount() == 0 && match(child)) return child;
    }
  }
  return nullptr;
}

TreeView::Item TreeView::NextSibling(Item item) const {
  if (!item) return nullptr;
  if (QTreeWidgetItem* parent = item->parent()) {
    const int i = parent->indexOfChild(item);
    return i + 1 < parent->childCount() ? parent->child(i + 1) : nullptr;
  }
  const int i = indexOfTopLevelItem(item);
  return i >= 0 && i + 1 < topLevelItemCount() ? topLevelItem(i + 1) : nullptr;
}

TreeView::Item TreeView::FirstChild(Item item) const {
  return item && item->childCount() > 0 ? item->child(0) : nullptr;
}

TreeView::Item TreeView::ParentOf(Item item) { return item ? item->parent() : nullptr; }

TreeView::Item TreeView::Selected() const { return currentItem(); }

void TreeView::Select(Item item) {
  if (!item) {
    setCurrentItem(nullptr);
    clearSelection();
    return;
  }
  setCurrentItem(item);
  scrollToItem(item);
}

QString TreeView::ItemText(Item item) { return item ? item->text(0) : QString(); }

void TreeView::SetItemText(Item item, const QString& text) {
  if (item) item->setText(0, text);
}

qint64 TreeView::ItemData(Item item) { return item ? item->data(0, kDataRole).toLongLong() : 0; }

void TreeView::Expand(Item item, bool expand) {
  if (item) item->setExpanded(expand);
}

void TreeView::SetPictureList(const PictureList& pictures) {
  pictures_ = pictures;
  QTreeWidgetItemIterator it(this);
  for (; *it; ++it) (*it)->setIcon(0, pictures_.Icon((*it)->data(0, kDataRole + 1).toInt()));
}

void TreeView::SetLabelEditing(bool on) { labelEditing_ = on; }

bool TreeView::LabelEditing() const { return labelEditing_; }

void TreeView::BeginLabelEdit(Item item) {
  if (!item || !labelEditing_) return;
  setCurrentItem(item);
  editItem(item, 0);
}

TreeView::Item TreeView::ItemAt(QPoint viewportPoint) const { return itemAt(viewportPoint); }

bool TreeView::viewportEvent(QEvent* event) {
  return ShowCutTextTip(*this, event) || QTreeWidget::viewportEvent(event);
}

void TreeView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit rightButton(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QTreeWidget::mousePressEvent(event);
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClicked(itemAt(event->position().toPoint()));
}

// ----- ReportView ------------------------------------------------------------

ReportView::ReportView(QWidget* parent) : QTableWidget(parent) {
  setColumnCount(0);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setWordWrap(false);
  connect(this, &QTableWidget::itemSelectionChanged, this, [this] { emit selectionChanged(Selection()); });
  connect(this, &QTableWidget::cellClicked, this, [this](int r, int c) { emit cellClickedAt(r, c); });
  connect(this, &QTableWidget::cellDoubleClicked, this, [this](int r, int c) { emit doubleClicked(r, c); });
}

void ReportView::AddColumn(const QString& text, int widthPixels) {
  const int column = columnCount();
  setColumnCount(column + 1);
  setHorizontalHeaderItem(column, new QTableWidgetItem(text));
  setColumnWidth(column, widthPixels);
  for (int r = 0; r < rowCount(); ++r)
    if (!item(r, column)) setItem(r, column, new QTableWidgetItem());
}

void ReportView::Reset() { setRowCount(0); }

int ReportView::AddRow(const QString& firstCell, qint64 itemData) {
  const int row = rowCount();
  insertRow(row);
  for (int c = 0; c < columnCount(); ++c) {
    auto* cell = new QTableWidgetItem(c == 0 ? firstCell : QString());
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row, c, cell);
  }
  SetRowData(row, itemData);
  return row;
}

void ReportView::SetCellText(int row, int column, const QString& text) {
  if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
  QTableWidgetItem* cell = item(row, column);
  if (!cell) {
    cell = new QTableWidgetItem();
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    setItem(row, column, cell);
  }
  cell->setText(text);
}

QString ReportView::CellText(int row, int column) const {
  const QTableWidgetItem* cell = item(row, column);
  return cell ? cell->text() : QString();
}

qint64 ReportView::RowData(int row) const {
  const QTableWidgetItem* cell = item(row, 0);
  return cell ? cell->data(kDataRole).toLongLong() : 0;
}

void ReportView::SetRowData(int row, qint64 itemData) {
  if (QTableWidgetItem* cell = item(row, 0)) cell->setData(kDataRole, itemData);
}

void ReportView::DeleteRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  const bool wasSelected = Selection() == row;
  removeRow(row);
  if (wasSelected) SetSelection(-1);
}

int ReportView::Count() const { return rowCount(); }

int ReportView::Selection() const {
  const QModelIndexList rows = selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
  return rows.isEmpty() ? -1 : rows.front().row();
}

void ReportView::SetSelection(int row) {
  if (row < 0 || row >= rowCount()) {
    clearSelection();
    setCurrentIndex(QModelIndex());
    return;
  }
  selectRow(row);
}

void ReportView::EnsureRowVisible(int row) {
  if (QTableWidgetItem* cell = item(row, 0)) scrollToItem(cell);
}

void ReportView::SetFullRowSelect(bool on) {
  fullRow_ = on;
  setSelectionBehavior(QAbstractItemView::SelectRows);
}

void ReportView::SetGridLines(bool on) { setShowGrid(on); }

bool ReportView::CellAt(QPoint viewportPoint, int& row, int& column) const {
  const QModelIndex index = indexAt(viewportPoint);
  if (!index.isValid()) {
    row = -1;
    column = -1;
    return false;
  }
  row = index.row();
  column = index.column();
  return true;
}

int ReportView::RowAt(QPoint viewportPoint) const {
  const QModelIndex index = indexAt(viewportPoint);
  return index.isValid() ? index.row() : -1;
}

int ReportView::RowAtGlobal(QPoint globalPos) const { return RowAt(viewport()->mapFromGlobal(globalPos)); }

bool ReportView::viewportEvent(QEvent* event) {
  return ShowCutTextTip(*this, event) || QTableWidget::viewportEvent(event);
}

void ReportView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    emit rightButton(event->globalPosition().toPoint());
    event->accept();
    return;
  }
  QTableWidget::mousePressEvent(event);
}

void ReportView::mouseDoubleClickEvent(QMouseEvent* event) { QTableWidget::mouseDoubleClickEvent(event); }

}  // namespace declarium
