// The page is parsed (HtmlTree.h) into a node table that keeps the elements and
// attributes exactly as a browser reads them; the shown document is built
// from that table with a QTextCursor, recording for every element the range
// of document positions its content occupies. Points map back through the
// document layout: the table cell whose box holds the point, then the
// innermost element whose range holds the character there.
#include "toolkit/BrowserHost.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextTable>
#include <QVBoxLayout>
#include <map>

#include "toolkit/BrowserPage.h"
#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"

namespace declarium {

// ----- BrowserHost -------------------------------------------------------------

BrowserHost::BrowserHost(QWidget* parent) : QWidget(parent), page_(std::make_unique<Page>()) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new QTextBrowser(this);
  view_->setOpenLinks(false);
  view_->setOpenExternalLinks(false);
  view_->setReadOnly(true);
  view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  view_->setCursorWidth(0);  // see Render
  view_->setLineWrapMode(QTextEdit::WidgetWidth);
  layout->addWidget(view_);
  view_->installEventFilter(this);
  view_->viewport()->installEventFilter(this);
  setFocusProxy(view_);
}

BrowserHost::~BrowserHost() = default;

void BrowserHost::WritePage(const QString& html) {
  source_ = html;
  page_ = std::make_unique<Page>();
  ReadPage(html, *page_);
  Render();
}

void BrowserHost::WritePageGbk(std::string_view gbkHtml) { WritePage(FromGbk(gbkHtml)); }

void BrowserHost::Navigate(const QString&) { WritePage(QString()); }

QString BrowserHost::PageSource() const { return source_; }

void BrowserHost::Render() {
  // The page is built in a document of its own and handed to the view whole:
  // built inside the view, the document is laid out again at every insertion.
  auto* doc = new QTextDocument(this);
  doc->setDefaultFont(view_->document()->defaultFont());
  doc->setUndoRedoEnabled(false);
  doc->setDocumentMargin(6);
  DrawPage(*page_, *doc);
  // The view deletes its own first document itself; the later ones are ours.
  QTextDocument* previous = view_->document();
  const bool ours = previous->parent() == this;
  view_->setDocument(doc);
  // Typing changes nothing on the page (a double click opens the editor), so
  // a blinking caret would promise what it cannot do; a new document brings
  // the caret back.
  view_->setCursorWidth(0);
  if (ours) delete previous;
  view_->moveCursor(QTextCursor::Start);
}

namespace {

// The box of a table cell in document coordinates: its blocks' area grown
// by the padding to the row's full height.
QRectF CellBox(const QTextDocument* doc, QTextTable* table, int row, int column) {
  QAbstractTextDocumentLayout* layout = doc->documentLayout();
  const QTextTableFormat format = table->format();
  // Neighbouring cells share the border line between them: half of it each.
  const qreal pad = format.cellPadding() + qMax<qreal>(format.border(), 1) / 2;
  auto contentOf = [&](const QTextTableCell& cell) {
    QRectF box;
    for (QTextBlock block = doc->findBlock(cell.firstPosition());
         block.isValid() && block.position() <= cell.lastPosition(); block = block.next())
      box = box.united(layout->blockBoundingRect(block));
    return box;
  };
  const QTextTableCell cell = table->cellAt(row, column);
  if (!cell.isValid()) return {};
  const QRectF content = contentOf(cell);
  // Row extent: the tallest cell starting in each row the cell covers.
  qreal top = content.top();
  qreal bottom = content.bottom();
  for (int r = cell.row(); r < cell.row() + cell.rowSpan(); ++r)
    for (int c = 0; c < table->columns(); ++c) {
      const QTextTableCell other = table->cellAt(r, c);
      if (!other.isValid() || other.row() != r || other.column() != c || other.rowSpan() != 1) continue;
      const QRectF box = contentOf(other);
      top = qMin(top, box.top());
      bottom = qMax(bottom, box.bottom());
    }
  return QRectF(content.left() - pad, top - pad, content.width() + 2 * pad, bottom - top + 2 * pad);
}

}  // namespace

BrowserHost::Element BrowserHost::ElementAt(QPoint point) const {
  if (!rect().contains(point)) return kNoElement;
  const QPoint inViewport = view_->viewport()->mapFrom(this, point);
  if (!view_->viewport()->rect().contains(inViewport)) return kNoElement;
  const QPointF docPoint =
      QPointF(inViewport) + QPointF(view_->horizontalScrollBar()->value(), view_->verticalScrollBar()->value());
  const QTextDocument* doc = view_->document();
  // The innermost cell whose box holds the point.
  int cellNode = -1;
  int cellDepth = -1;
  for (size_t t = 0; t < page_->tables.size(); ++t) {
    QTextTable* table = page_->tables[t];
    if (!table) continue;
    for (int node : page_->tableCells[t]) {
      const PageNode& n = page_->nodes[static_cast<size_t>(node)];
      if (CellBox(doc, table, n.row, n.column).contains(docPoint)) {
        const int depth = page_->Depth(node);
        if (depth > cellDepth) {
          cellNode = node;
          cellDepth = depth;
        }
      }
    }
  }
  // The character under the point, if any, and the innermost element holding it.
  const int hit = doc->documentLayout()->hitTest(docPoint, Qt::ExactHit);
  int character = -1;
  if (hit >= 0) {
    const QTextBlock block = doc->findBlock(hit);
    const QTextLayout* textLayout = block.layout();
    const int inBlock = hit - block.position();
    const QTextLine line = textLayout->lineForTextPosition(inBlock);
    if (line.isValid()) {
      const QPointF origin = doc->documentLayout()->blockBoundingRect(block).topLeft();
      const qreal x = origin.x() + line.cursorToX(inBlock);
      character = docPoint.x() < x ? hit - 1 : hit;
      if (character < block.position() || character >= block.position() + block.length() - 1) character = -1;
    }
  }
  Element best = cellNode >= 0 ? cellNode : page_->body;
  if (character >= 0) {
    int bestDepth = best >= 0 ? page_->Depth(best) : -1;
    for (size_t i = 0; i < page_->nodes.size(); ++i) {
      const PageNode& n = page_->nodes[i];
      if (n.isText || n.start < 0 || character < n.start || character >= n.end) continue;
      const int node = static_cast<int>(i);
      if (cellNode >= 0 && !page_->IsAncestor(cellNode, node)) continue;
      const int depth = page_->Depth(node);
      if (depth > bestDepth) {
        best = node;
        bestDepth = depth;
      }
    }
  }
  return best;
}

QString BrowserHost::Attribute(Element element, const QString& name, bool* present) const {
  if (element < 0 || element >= static_cast<int>(page_->nodes.size()) ||
      page_->nodes[static_cast<size_t>(element)].isText) {
    if (present) *present = false;
    return {};
  }
  return page_->Attr(element, name, present);
}

QString BrowserHost::TagName(Element element) const {
  if (element < 0 || element >= static_cast<int>(page_->nodes.size())) return {};
  return page_->nodes[static_cast<size_t>(element)].tag;
}

BrowserHost::Element BrowserHost::ParentElement(Element element) const {
  if (element < 0 || element >= static_cast<int>(page_->nodes.size())) return kNoElement;
  return page_->nodes[static_cast<size_t>(element)].parent;
}

namespace {

void GatherText(const BrowserHost::Page& page, int index, bool pre, bool& space, QString& out);

}  // namespace

QString BrowserHost::InnerText(Element element) const {
  if (element < 0 || element >= static_cast<int>(page_->nodes.size())) return {};
  const PageNode& node = page_->nodes[static_cast<size_t>(element)];
  if (node.isText) return {};
  bool pre = false;
  for (int n = element; n >= 0; n = page_->nodes[static_cast<size_t>(n)].parent)
    if (page_->nodes[static_cast<size_t>(n)].tag == u"pre") pre = true;
  QString out;
  bool space = true;
  for (int child : node.children) GatherText(*page_, child, pre, space, out);
  if (!pre) {
    while (!out.isEmpty() && out.back() == u' ') out.chop(1);
    while (!out.isEmpty() && out.front() == u' ') out.remove(0, 1);
  }
  out.replace(u'\n', QStringLiteral("\r\n"));
  out.replace(QChar(0x00A0), u' ');
  return out;
}

namespace {

void GatherText(const BrowserHost::Page& page, int index, bool pre, bool& space, QString& out) {
  const PageNode& node = page.nodes[static_cast<size_t>(index)];
  if (node.isText) {
    if (node.literal || pre) {
      out += QString(node.text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
      space = false;
    } else {
      out += CollapseSpaces(node.text, space);
    }
    return;
  }
  if (node.tag == u"style" || node.tag == u"script") return;
  if (node.tag == u"br") {
    while (!out.isEmpty() && out.back() == u' ') out.chop(1);
    out += u'\n';
    space = true;
    return;
  }
  const bool block = IsBlockTag(node.tag);
  if (block && !out.isEmpty() && !out.endsWith(u'\n')) {
    out += u'\n';
    space = true;
  }
  for (int child : node.children) GatherText(page, child, pre || node.tag == u"pre", space, out);
  if (node.tag == u"td" || node.tag == u"th") {
    out += u'\t';
    space = true;
  }
  if (block && !out.endsWith(u'\n')) {
    out += u'\n';
    space = true;
  }
}

}  // namespace

bool BrowserHost::SetInnerText(Element element, const QString& text) {
  if (element < 0 || element >= static_cast<int>(page_->nodes.size())) return false;
  PageNode& node = page_->nodes[static_cast<size_t>(element)];
  if (node.isText || node.start < 0) return false;
  const int oldStart = node.start;
  const int oldEnd = node.end;
  QString shown = QString(text).replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
  shown.replace(u'\n', QChar::LineSeparator);

  QTextCursor cursor(view_->document());
  cursor.setPosition(oldStart);
  cursor.setPosition(oldEnd, QTextCursor::KeepAnchor);
  cursor.insertText(shown, node.format);
  const int delta = static_cast<int>(shown.size()) - (oldEnd - oldStart);

  // Descendants are gone; later elements move; enclosing elements grow.
  for (size_t i = 0; i < page_->nodes.size(); ++i) {
    PageNode& n = page_->nodes[i];
    const int index = static_cast<int>(i);
    if (index == element || n.isText || n.start < 0) continue;
    if (page_->IsAncestor(element, index)) {
      n.start = n.end = -1;
    } else if (page_->IsAncestor(index, element)) {
      n.end += delta;
    } else if (n.start >= oldEnd) {
      n.start += delta;
      n.end += delta;
    }
  }
  node.end = oldStart + static_cast<int>(shown.size());
  for (int child : node.children) page_->nodes[static_cast<size_t>(child)].parent = -2;  // detached
  PageNode textNode;
  textNode.isText = true;
  textNode.literal = true;
  textNode.text = text;
  textNode.parent = element;
  page_->nodes.push_back(std::move(textNode));
  page_->nodes[static_cast<size_t>(element)].children = {static_cast<int>(page_->nodes.size()) - 1};
  return true;
}

QRect BrowserHost::ElementRect(Element element) const {
  if (element < 0 || element >= static_cast<int>(page_->nodes.size())) return {};
  const PageNode& node = page_->nodes[static_cast<size_t>(element)];
  const QTextDocument* doc = view_->document();
  QRectF box;
  if (node.table) {
    box = CellBox(doc, node.table, node.row, node.column);
  } else if (node.start >= 0 && node.end > node.start) {
    QAbstractTextDocumentLayout* layout = doc->documentLayout();
    for (QTextBlock block = doc->findBlock(node.start); block.isValid() && block.position() < node.end;
         block = block.next()) {
      const QPointF origin = layout->blockBoundingRect(block).topLeft();
      const QTextLayout* textLayout = block.layout();
      for (int l = 0; l < textLayout->lineCount(); ++l) {
        const QTextLine line = textLayout->lineAt(l);
        const int from = qMax(node.start - block.position(), line.textStart());
        const int to = qMin(node.end - block.position(), line.textStart() + line.textLength());
        if (from >= to) continue;
        const qreal x1 = line.cursorToX(from);
        const qreal x2 = line.cursorToX(to);
        box = box.united(QRectF(origin.x() + qMin(x1, x2), origin.y() + line.y(), qAbs(x2 - x1), line.height()));
      }
    }
  }
  if (box.isEmpty()) return {};
  const QPointF scroll(view_->horizontalScrollBar()->value(), view_->verticalScrollBar()->value());
  const QRect inViewport = box.translated(-scroll).toAlignedRect();
  return QRect(view_->viewport()->mapTo(this, inViewport.topLeft()), inViewport.size());
}

std::vector<BrowserHost::Element> BrowserHost::ElementsByTag(const QString& tag) const {
  std::vector<Element> out;
  const QString lower = tag.toLower();
  for (size_t i = 0; i < page_->nodes.size(); ++i) {
    const PageNode& n = page_->nodes[i];
    if (!n.isText && n.parent != -2 && n.tag == lower) out.push_back(static_cast<Element>(i));
  }
  return out;
}

QString BrowserHost::SelectedText() const {
  QString text = view_->textCursor().selectedText();
  text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
  text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
  text.replace(QChar(0x00A0), u' ');
  text.replace(QChar(QChar::Nbsp), u' ');
  return text;
}

void BrowserHost::SelectAll() { view_->selectAll(); }

bool BrowserHost::Copy() {
  const QString text = SelectedText();
  if (text.isEmpty()) return false;
  Services().SetClipboardText(text);
  return true;
}

bool BrowserHost::Paste() { return false; }

bool BrowserHost::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) {
        const QPoint point = view_->viewport()->mapTo(this, mouse->position().toPoint());
        bool passOn = true;
        if (event->type() == QEvent::MouseButtonPress)
          emit leftButtonDown(point, &passOn);
        else
          emit doubleClicked(point, &passOn);
        if (!passOn) return true;
      }
    }
  } else if (watched == view_) {
    if (event->type() == QEvent::ShortcutOverride) {
      auto* key = static_cast<QKeyEvent*>(event);
      if (key->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
      }
    }
    if (event->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(event);
      emit keyPressed(key->key(), key->modifiers());
      if (key->matches(QKeySequence::Copy)) return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace declarium
