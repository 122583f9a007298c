// The controls' own behaviour: searches, selections, text crossing, drags.
#include <QLineEdit>
#include <QToolTip>
#include <QtTest>

#include "toolkit/Controls.h"
#include "toolkit/QtText.h"
#include "toolkit/Runtime.h"

using namespace declarium;

namespace {
// A list of plain pictures of different colours, as an image list holds them.
PictureList Pictures(int count) {
  std::vector<QIcon> icons;
  for (int i = 0; i < count; ++i) {
    QPixmap pixmap(16, 16);
    pixmap.fill(QColor::fromHsv(i * 40, 200, 200));
    icons.emplace_back(pixmap);
  }
  return PictureList(std::move(icons));
}
}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT
 private slots:
  void listBoxSelectionAndRowData();
  void entriesCutShortShowTheirWholeTextAsATip();
  void reportViewRowsCellsAndSelection();
  void treeItemsAndLabelEditing();
  void multiLineEditShowsCrLfAsLineBreaks();
  void dropDownListAndTabs();
  void statusBarParts();
  void splitterReportsItsMove();
  void hotkeyControlKeepsShiftCtrlAndAlt();
  void gbkCrossing();
  void listBoxLaysOutABoundedTextOfALongRow();
  void busyCursorNests();
};

// A name of a megabyte is shown cut (a surrogate pair kept whole), and read
// back whole.
void ControlsTest::listBoxLaysOutABoundedTextOfALongRow() {
  ListBox list;
  const QString pair = QString::fromUcs4(U"\U00020000");
  const QString longName = QString(kShownCharacters - 1, QLatin1Char('a')) + pair + QString(1 << 20, QLatin1Char('b'));
  list.AddRow(QStringLiteral("short"));
  list.AddRow(longName);
  QCOMPARE(list.item(0)->text(), QStringLiteral("short"));
  QCOMPARE(list.item(1)->text(), QString(kShownCharacters - 1, QLatin1Char('a')) + QChar(0x2026));
  QCOMPARE(list.RowText(1), longName);
}

void ControlsTest::listBoxSelectionAndRowData() {
  ListBox list;
  QCOMPARE(list.Selection(), -1);
  int events = 0;
  connect(&list, &ListBox::selectionChanged, this, [&](int) { ++events; });
  list.AddRow(QStringLiteral("a"), 10);
  list.AddRow(QStringLiteral("b"), 20);
  QCOMPARE(list.Selection(), -1);
  list.SetSelection(1);
  QCOMPARE(list.Selection(), 1);
  QCOMPARE(list.RowData(1), qint64(20));
  QCOMPARE(list.RowData(7), qint64(0));
  QCOMPARE(list.RowText(0), QStringLiteral("a"));
  list.SetSelection(-1);
  QCOMPARE(list.Selection(), -1);
  QCOMPARE(events, 0);  // programmatic changes are silent
  list.resize(200, 200);
  list.show();
  QVERIFY(QTest::qWaitForWindowExposed(&list));
  const QRect rowRect = list.visualItemRect(list.item(1));
  QCOMPARE(list.RowAt(rowRect.center()), 1);
  QCOMPARE(list.RowAt(QPoint(5, 190)), -1);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rowRect.center());
  QCOMPARE(list.Selection(), 1);
  QCOMPARE(events, 1);
  // The right button reports but does not select.
  QPoint reported;
  connect(&list, &ListBox::rightButton, this, [&](QPoint p) { reported = p; });
  const QRect first = list.visualItemRect(list.item(0));
  QTest::mouseClick(list.viewport(), Qt::RightButton, {}, first.center());
  QCOMPARE(list.Selection(), 1);
  QCOMPARE(list.RowAtGlobal(reported), 0);
  list.DeleteRow(1);
  QCOMPARE(list.Count(), 1);
  QCOMPARE(list.Selection(), -1);
}

void ControlsTest::entriesCutShortShowTheirWholeTextAsATip() {
  ListBox list;
  list.resize(90, 100);
  list.show();
  const QString whole = QStringLiteral("CreateWindowExWithAVeryLongName");
  list.AddRow(QStringLiteral("Beep"));
  list.AddRow(whole);
  const auto tipAt = [&](int row) {
    const QPoint at = list.visualItemRect(list.item(row)).center();
    QHelpEvent help(QEvent::ToolTip, at, list.viewport()->mapToGlobal(at));
    QApplication::sendEvent(list.viewport(), &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
  };
  QCOMPARE(tipAt(0), QString());
  QCOMPARE(tipAt(1), whole);
  QToolTip::hideText();
}

void ControlsTest::reportViewRowsCellsAndSelection() {
  ReportView view;
  view.AddColumn(QStringLiteral("常量名称"), 200);
  view.AddColumn(QStringLiteral("十六进制值"), 100);
  view.AddColumn(QStringLiteral("十进制值"), 100);
  view.AddColumn(QStringLiteral("备注"), 300);
  QCOMPARE(view.Selection(), -1);
  const int row = view.AddRow(QStringLiteral("WM_USER"), 99);
  view.SetCellText(row, 1, QStringLiteral("&H400"));
  view.SetCellText(row, 2, QStringLiteral("1024"));
  view.AddRow(QStringLiteral("WM_APP"), 100);
  QCOMPARE(view.Selection(), -1);
  QCOMPARE(view.CellText(0, 1), QStringLiteral("&H400"));
  QCOMPARE(view.CellText(1, 3), QString());
  QCOMPARE(view.RowData(1), qint64(100));
  QCOMPARE(view.columnWidth(0), 200);
  int changes = 0;
  connect(&view, &ReportView::selectionChanged, this, [&](int) { ++changes; });
  view.SetSelection(1);
  QCOMPARE(view.Selection(), 1);
  QVERIFY(changes >= 1);
  view.SetFullRowSelect(true);
  view.SetGridLines(true);
  QVERIFY(view.showGrid());
  view.resize(800, 300);
  view.show();
  QVERIFY(QTest::qWaitForWindowExposed(&view));
  const QRect cell = view.visualItemRect(view.item(0, 2));
  int r = -1, c = -1;
  QVERIFY(view.CellAt(cell.center(), r, c));
  QCOMPARE(r, 0);
  QCOMPARE(c, 2);
  QVERIFY(!view.CellAt(QPoint(5, 290), r, c));
  QCOMPARE(view.RowAt(QPoint(5, 290)), -1);
  view.SetSelection(-1);
  QCOMPARE(view.Selection(), -1);
  view.SetSelection(0);
  view.DeleteRow(0);
  QCOMPARE(view.Selection(), -1);  // the selected row went, and with it the selection
  QCOMPARE(view.Count(), 1);
  QCOMPARE(view.CellText(0, 0), QStringLiteral("WM_APP"));
  view.Reset();
  QCOMPARE(view.Count(), 0);
  QCOMPARE(view.columnCount(), 4);
}

void ControlsTest::treeItemsAndLabelEditing() {
  TreeView tree;
  tree.SetPictureList(Pictures(2));
  TreeView::Item category = tree.AddItem(nullptr, QStringLiteral("窗口"), 0, 3);
  TreeView::Item function = tree.AddItem(category, QStringLiteral("CreateWindowEx"), 1, 42);
  TreeView::Item second = tree.AddItem(nullptr, QStringLiteral("文件"), 0, 4);
  QCOMPARE(tree.FirstItem(), category);
  QCOMPARE(tree.NextSibling(category), second);
  QCOMPARE(tree.NextSibling(second), nullptr);
  QCOMPARE(TreeView::ParentOf(function), category);
  QCOMPARE(TreeView::ParentOf(category), nullptr);
  QCOMPARE(TreeView::ItemData(function), qint64(42));
  QVERIFY(!function->icon(0).isNull());
  QCOMPARE(tree.Selected(), nullptr);
  int selections = 0;
  connect(&tree, &TreeView::selectionChanged, this, [&](QTreeWidgetItem*) { ++selections; });
  tree.Select(function);
  QCOMPARE(tree.Selected(), function);
  QCOMPARE(selections, 1);  // trees report programmatic changes too

  tree.resize(300, 200);
  tree.show();
  QVERIFY(QTest::qWaitForWindowExposed(&tree));
  QString edited;
  bool cancelled = true;
  connect(&tree, &TreeView::labelEditEnded, this, [&](QTreeWidgetItem*, const QString& text, bool c) {
    edited = text;
    cancelled = c;
  });
  tree.BeginLabelEdit(category);  // off: nothing happens
  QVERIFY(!tree.findChild<QLineEdit*>());
  tree.SetLabelEditing(true);
  tree.BeginLabelEdit(category);
  auto* editor = tree.findChild<QLineEdit*>();
  QVERIFY(editor);
  editor->setText(QStringLiteral("窗口函数"));
  QTest::keyClick(editor, Qt::Key_Return);
  QTRY_COMPARE(edited, QStringLiteral("窗口函数"));  // the edit is committed from the event loop
  QVERIFY(!cancelled);
  QCOMPARE(TreeView::ItemText(category), QStringLiteral("窗口"));  // the handler decides
  // Escape cancels, and still tells what the editor held.
  tree.BeginLabelEdit(second);
  editor = tree.findChild<QLineEdit*>();
  QVERIFY(editor);
  editor->setText(QStringLiteral("文件夹"));
  QTest::keyClick(editor, Qt::Key_Escape);
  QTRY_VERIFY(cancelled);
  QCOMPARE(edited, QStringLiteral("文件夹"));
  QCOMPARE(TreeView::ItemText(second), QStringLiteral("文件"));
  tree.DeleteItem(category);
  QCOMPARE(tree.FirstItem(), second);
}

void ControlsTest::multiLineEditShowsCrLfAsLineBreaks() {
  MultiLineEdit edit;
  edit.SetText(QStringLiteral(".版本 2\r\n\r\n.DLL命令 GetTickCount"));
  QCOMPARE(edit.document()->blockCount(), 3);
  QCOMPARE(edit.toPlainText(), QStringLiteral(".版本 2\n\n.DLL命令 GetTickCount"));
  QCOMPARE(edit.Text(), QStringLiteral(".版本 2\r\n\r\n.DLL命令 GetTickCount"));
  edit.SetText(QStringLiteral("a\nb"));
  QCOMPARE(edit.Text(), QStringLiteral("a\r\nb"));
  edit.SelectRange(0, -1);
  QCOMPARE(edit.textCursor().selectedText().size(), 3);
  QCOMPARE(LfToCrLf(QStringLiteral("x\r\ny\nz")), QStringLiteral("x\r\ny\r\nz"));
  QCOMPARE(CrLfToLf(QStringLiteral("x\r\ny")), QStringLiteral("x\ny"));

  EditBox line;
  line.SetText(QStringLiteral("GetTick"));
  line.SelectRange(0, -1);
  QCOMPARE(line.selectedText(), QStringLiteral("GetTick"));
  line.SelectRange(3, 5);
  QCOMPARE(line.selectedText(), QStringLiteral("Ti"));
}

void ControlsTest::dropDownListAndTabs() {
  DropDownList list;
  QCOMPARE(list.Selection(), -1);
  list.AddItem(QStringLiteral("易语言"), 0);
  list.AddItem(QStringLiteral("CSharp"), 1);
  list.AddItem(QStringLiteral("VB"), 2);
  QCOMPARE(list.Selection(), -1);
  int events = 0;
  connect(&list, &DropDownList::selectionChanged, this, [&](int) { ++events; });
  list.SetSelection(2);
  QCOMPARE(list.Selection(), 2);
  QCOMPARE(list.ItemData(2), qint64(2));
  QCOMPARE(list.ItemText(1), QStringLiteral("CSharp"));
  QCOMPARE(events, 0);
  list.setCurrentIndex(0);  // as the user's choice would
  QCOMPARE(events, 1);

  TabControl tabs;
  tabs.AddTab(QStringLiteral("函数"), 0);
  tabs.AddTab(QStringLiteral("数据类型"), 2);
  tabs.AddTab(QStringLiteral("常量"), 3);
  QCOMPARE(tabs.TabData(1), qint64(2));
  int tabEvents = 0;
  connect(&tabs, &TabControl::selectionChanged, this, [&](int) { ++tabEvents; });
  tabs.SetSelection(2);
  QCOMPARE(tabs.Selection(), 2);
  QCOMPARE(tabEvents, 0);
}

void ControlsTest::statusBarParts() {
  QWidget parent;
  parent.resize(600, 400);
  StatusBar bar(&parent);
  bar.SetParts({200, -1});
  bar.SizeToWindow();
  QCOMPARE(bar.PartCount(), 2);
  QCOMPARE(bar.PartRect(0), QRect(0, 0, 200, bar.Height()));
  QCOMPARE(bar.PartRect(1).right(), 599);
  QCOMPARE(bar.geometry().bottom(), 399);
  bar.SetPartText(1, QStringLiteral("备注"));
  QCOMPARE(bar.PartText(1), QStringLiteral("备注"));
  const PictureList pictures = Pictures(2);
  QCOMPARE(pictures.Count(), 2);
  bar.SetPartIcon(0, pictures.Icon(0));
  QVERIFY(pictures.Icon(5).isNull());
}

void ControlsTest::splitterReportsItsMove() {
  QWidget parent;
  parent.resize(600, 400);
  SplitterBar bar(&parent, SplitterBar::Direction::Vertical, QRect(150, 30, 5, 300));
  parent.show();
  QVERIFY(QTest::qWaitForWindowExposed(&parent));
  std::vector<std::pair<int, int>> moves;
  connect(&bar, &SplitterBar::moved, this, [&](int from, int to) { moves.emplace_back(from, to); });
  QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(2, 100));
  QMouseEvent move(QEvent::MouseMove, QPointF(42, 100), bar.mapToGlobal(QPointF(42, 100)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&bar, &move);
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(2, 100));
  QCOMPARE(moves.size(), size_t(1));
  QCOMPARE(moves[0].first, 150);
  QCOMPARE(moves[0].second, 190);
  QCOMPARE(bar.Position(), 190);
  // The owner can put it back without an event.
  bar.SetPosition(150);
  QCOMPARE(bar.Position(), 150);
  QCOMPARE(moves.size(), size_t(1));
  SplitterBar horizontal(&parent, SplitterBar::Direction::Horizontal, QRect(155, 200, 200, 5));
  QCOMPARE(horizontal.Position(), 200);
  horizontal.MoveTo(QRect(155, 250, 300, 5));
  QCOMPARE(horizontal.Position(), 250);
}

void ControlsTest::hotkeyControlKeepsShiftCtrlAndAlt() {
  HotkeyEdit edit;
  edit.SetHotkey(0x4B, Qt::AltModifier | Qt::MetaModifier);
  QCOMPARE(edit.KeyCode(), 0x4B);
  QCOMPARE(edit.Modifiers(), Qt::KeyboardModifiers(Qt::AltModifier));
  QVERIFY(edit.text().contains(QStringLiteral("Alt")));
  edit.show();
  QVERIFY(QTest::qWaitForWindowExposed(&edit));
  QTest::keyClick(&edit, Qt::Key_F7, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(edit.KeyCode(), 0x76);
  QCOMPARE(edit.Modifiers(), Qt::ControlModifier | Qt::ShiftModifier);
  QTest::keyClick(&edit, Qt::Key_Backspace);
  QCOMPARE(edit.KeyCode(), 0);
  QCOMPARE(edit.Modifiers(), Qt::KeyboardModifiers());
  QCOMPARE(VirtualKeyFromQtKey(Qt::Key_K), 0x4B);
  QCOMPARE(QtKeyFromVirtualKey(0x4B), int(Qt::Key_K));
  QCOMPARE(QtKeyFromVirtualKey(0x70), int(Qt::Key_F1));
  QCOMPARE(VirtualKeyFromQtKey(Qt::Key_Home), 0x24);
  QCOMPARE(VirtualKeyFromQtKey(Qt::Key_unknown), 0);
}

void ControlsTest::gbkCrossing() {
  const std::string gbk = "\xBA\xAF\xCA\xFD\xB1\xED";  // 函数表
  QCOMPARE(FromGbk(gbk), QStringLiteral("函数表"));
  QCOMPARE(ToGbk(QStringLiteral("函数表")), gbk);
  QCOMPARE(FromGbk(std::string_view("\xBA", 1)), QStringLiteral("?"));
}

void ControlsTest::busyCursorNests() {
  QVERIFY(!BusyCursor::IsSet());
  {
    BusyCursorScope outer;
    BusyCursor::Set();
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    BusyCursor::Clear();
    QVERIFY(BusyCursor::IsSet());
    PumpMessages();
  }
  QVERIFY(!BusyCursor::IsSet());
  QVERIFY(!QGuiApplication::overrideCursor());
  BusyCursor::Clear();  // an extra clear is harmless
}

QTEST_MAIN(ControlsTest)
#include "tst_Controls.moc"
