// Controls of the window layer. Each is a Qt widget with the operations and
// events the program uses; the builder creates them from templates and they
// are found by their control id (Window::control<T>(id)). Events are Qt
// signals. Row, item and column indexes are 0-based; -1 means "none".
//
// Selection events follow the platform's controls: list boxes, drop-down
// lists and tab controls report only changes made by the user (SetSelection
// is silent); trees and report views report every change, programmatic ones
// too. Right-button events do not change the selection: the handler selects
// what it wants (RowAtGlobal / ItemAt) before opening its menu.
#pragma once

#include <QComboBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <span>
#include <vector>

#include "toolkit/PictureList.h"
#include "toolkit/Templates.h"

class QActionGroup;
class QToolButton;

namespace declarium {

// The control id a widget was built with (-1 when it has none).
int ControlIdOf(const QWidget* widget);
void SetControlIdOf(QWidget* widget, int id);

// A tooltip with the whole text of the entry under the pointer, when the view
// shows it cut short ("…", or at its edge); true when event was the tooltip
// request.
bool ShowCutTextTip(QAbstractItemView& view, QEvent* event);

// Laying a text out costs more than its length (a name of a megabyte takes
// minutes), so a list shows at most this many characters of a row; its
// tip shows more, the detail page all of it.
inline constexpr qsizetype kShownCharacters = 256;
inline constexpr qsizetype kTipCharacters = 4096;
// The text as a list shows it: cut after kShownCharacters, with "…".
QString ShownText(const QString& text);

// ----- List box -----------------------------------------------------------
class ListBox : public QListWidget {
  Q_OBJECT
 public:
  explicit ListBox(QWidget* parent = nullptr);
  void Reset();
  int AddRow(const QString& text, qint64 itemData = 0);  // returns the new row
  void DeleteRow(int row);
  int Count() const;
  int Selection() const;       // -1 = none
  void SetSelection(int row);  // -1 clears it
  QString RowText(int row) const;
  qint64 RowData(int row) const;          // 0 for a bad row
  int RowAt(QPoint viewportPoint) const;  // -1 on empty space
  int RowAtGlobal(QPoint globalPos) const;
 signals:
  void selectionChanged(int row);
  void doubleClicked(int row);
  void rightButton(QPoint globalPos);

 protected:
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool silent_ = false;
};

// ----- Tree view ----------------------------------------------------------
class TreeView : public QTreeWidget {
  Q_OBJECT
 public:
  explicit TreeView(QWidget* parent = nullptr);
  using Item = QTreeWidgetItem*;
  void Reset();
  Item AddItem(Item parent, const QString& text, int picture, qint64 itemData);  // parent nullptr = root
  void DeleteItem(Item item);                                                    // with its children
  Item FirstItem() const;                                                        // first root item or nullptr
  Item NextSibling(Item item) const;
  Item FirstChild(Item item) const;
  // Depth first over the roots and their children, a root before its
  // children: the first item without children that match accepts.
  Item FirstLeaf(const std::function<bool(Item)>& match) const;
  static Item ParentOf(Item item);  // nullptr for a root item
  Item Selected() const;
  void Select(Item item);  // nullptr clears it
  static QString ItemText(Item item);
  void SetItemText(Item item, const QString& text);
  static qint64 ItemData(Item item);
  void Expand(Item item, bool expand);
  void SetPictureList(const PictureList& pictures);
  // Label editing is off unless switched on (the rename command does so).
  void SetLabelEditing(bool on);
  bool LabelEditing() const;
  void BeginLabelEdit(Item item);
  Item ItemAt(QPoint viewportPoint) const;
 signals:
  void selectionChanged(QTreeWidgetItem* item);
  void doubleClicked(QTreeWidgetItem* item);
  void rightButton(QPoint globalPos);
  // The label is not changed by the edit itself: the handler sets the text
  // when it accepts it. cancelled is true for Escape / lost edits; newText
  // is what the editor held at that moment either way.
  void labelEditEnded(QTreeWidgetItem* item, const QString& newText, bool cancelled);

 protected:
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  friend class TreeLabelDelegate;
  PictureList pictures_;
  bool labelEditing_ = false;
};

// ----- List view, report style ---------------------------------------------
class ReportView : public QTableWidget {
  Q_OBJECT
 public:
  explicit ReportView(QWidget* parent = nullptr);
  void AddColumn(const QString& text, int widthPixels);
  void Reset();  // removes rows, keeps columns
  int AddRow(const QString& firstCell, qint64 itemData = 0);
  void SetCellText(int row, int column, const QString& text);
  QString CellText(int row, int column) const;
  qint64 RowData(int row) const;
  void SetRowData(int row, qint64 itemData);
  void DeleteRow(int row);
  int Count() const;
  int Selection() const;       // -1 = none
  void SetSelection(int row);  // -1 clears it
  void EnsureRowVisible(int row);
  void SetFullRowSelect(bool on);
  void SetGridLines(bool on);
  // Row and column under a viewport point; false on empty space.
  bool CellAt(QPoint viewportPoint, int& row, int& column) const;
  int RowAt(QPoint viewportPoint) const;
  int RowAtGlobal(QPoint globalPos) const;
 signals:
  void selectionChanged(int row);
  void doubleClicked(int row, int column);
  void cellClickedAt(int row, int column);
  void rightButton(QPoint globalPos);

 protected:
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool fullRow_ = false;
};

// ----- Edits --------------------------------------------------------------
class EditBox : public QLineEdit {
  Q_OBJECT
 public:
  explicit EditBox(QWidget* parent = nullptr);
  QString Text() const;
  void SetText(const QString& text);
  void SelectRange(int start, int end);  // 0, -1 = all
};

// Shows CR LF as line breaks; Text() gives CR LF back.
class MultiLineEdit : public QPlainTextEdit {
  Q_OBJECT
 public:
  explicit MultiLineEdit(QWidget* parent = nullptr);
  QString Text() const;                  // line ends CR LF
  void SetText(const QString& text);     // CR LF or LF
  void SelectRange(int start, int end);  // 0, -1 = all; positions in shown characters
  void SetWantReturn(bool on);           // off: Enter goes to the dialog's default button
  void SetWrap(bool on);
 signals:
  void textEdited();  // any change of the text (also by SetText)
 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool wantReturn_ = true;
};

// ----- Drop-down list -------------------------------------------------------
class DropDownList : public QComboBox {
  Q_OBJECT
 public:
  explicit DropDownList(QWidget* parent = nullptr);
  void Reset();
  int AddItem(const QString& text, qint64 itemData = 0);
  int Selection() const;  // -1 = none
  void SetSelection(int index);
  qint64 ItemData(int index) const;
  QString ItemText(int index) const;
 signals:
  void selectionChanged(int index);

 private:
  bool silent_ = false;
};

// ----- Tab control --------------------------------------------------------
class TabControl : public QTabBar {
  Q_OBJECT
 public:
  explicit TabControl(QWidget* parent = nullptr);
  int AddTab(const QString& text, qint64 itemData);
  int Selection() const;
  void SetSelection(int index);
  qint64 TabData(int index) const;
 signals:
  void selectionChanged(int index);

 private:
  bool silent_ = false;
};

// ----- Toolbar ------------------------------------------------------------
class ToolBar : public QToolBar {
  Q_OBJECT
 public:
  explicit ToolBar(QWidget* parent = nullptr);
  void SetPictureList(const PictureList& pictures);
  // checkGroup buttons of one run form one exclusive group.
  void AddButton(int commandId, int picture, bool checkGroup, const QString& tooltip, bool pressed);
  void AddSeparator();
  void AddButtons(std::span<const ToolButtonTemplate> buttons);
  int ButtonCount() const;               // without separators
  int CommandOf(int buttonIndex) const;  // -1 for a bad index
  // Press or release by index among the buttons (separators not counted).
  void SetPressed(int buttonIndex, bool pressed);
  bool IsPressed(int buttonIndex) const;
  QString TooltipOf(int buttonIndex) const;
  void SizeToWindow();  // full width of the parent, at the top
  int Height() const;
 signals:
  void buttonClicked(int commandId);

 private:
  struct Button {
    int commandId;
    int picture;
    QAction* action;
  };
  std::vector<Button> buttons_;
  PictureList pictures_;
  QActionGroup* group_ = nullptr;
  bool lastWasCheckGroup_ = false;
};

// ----- Status bar ---------------------------------------------------------
class StatusBar : public QWidget {
  Q_OBJECT
 public:
  explicit StatusBar(QWidget* parent = nullptr);
  // Right edges in pixels; -1 = to the right end.
  void SetParts(const std::vector<int>& rightEdges);
  int PartCount() const;
  void SetPartText(int part, const QString& text);
  QString PartText(int part) const;
  void SetPartIcon(int part, const QIcon& icon);
  QRect PartRect(int part) const;
  void SizeToWindow();  // full width of the parent, at the bottom
  int Height() const;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Arrange();
  std::vector<int> edges_;
  std::vector<QLabel*> icons_;
  std::vector<QLabel*> texts_;
};

// ----- Splitter -------------------------------------------------------------
// A thin bar the user drags. Vertical bars move left and right (position =
// x), horizontal bars up and down (position = y). The owner lays out the
// window itself; the bar only reports where it was dropped.
class SplitterBar : public QWidget {
  Q_OBJECT
 public:
  enum class Direction { Vertical, Horizontal };
  SplitterBar(QWidget* parent, Direction direction, QRect geometry);
  Direction direction() const { return direction_; }
  int Position() const;            // x or y in the parent
  void SetPosition(int position);  // no signal
  void MoveTo(QRect geometry);     // no signal
 signals:
  void moved(int oldPosition, int newPosition);  // after a drag ends
 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Direction direction_;
  bool dragging_ = false;
  int dragStart_ = 0;   // Position() when the drag began
  int grabOffset_ = 0;  // mouse offset inside the bar
};

// ----- Hotkey control -------------------------------------------------------

class HotkeyEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit HotkeyEdit(QWidget* parent = nullptr);
  // keyCode is a virtual-key code (0x41 'A', 0x70 F1, ...); 0 = none. Of
  // the modifiers the control keeps Shift, Ctrl and Alt.
  void SetHotkey(int keyCode, Qt::KeyboardModifiers modifiers);
  int KeyCode() const { return keyCode_; }
  Qt::KeyboardModifiers Modifiers() const { return modifiers_; }
 signals:
  void hotkeyChanged();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;  // takes keys that are shortcuts elsewhere
 private:
  void ShowHotkey();
  int keyCode_ = 0;
  Qt::KeyboardModifiers modifiers_;
};

// Virtual-key codes <-> Qt keys for the keys a hotkey can use (letters,
// digits, F1-F24, navigation keys, numpad is not distinguished). 0 / Qt::Key_unknown when unmapped.
int VirtualKeyFromQtKey(int qtKey);
int QtKeyFromVirtualKey(int virtualKey);

}  // namespace declarium
