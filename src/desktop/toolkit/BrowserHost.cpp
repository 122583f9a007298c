// The page is parsed by gumbo into a node table that keeps the elements and
// attributes exactly as a browser reads them; the shown document is built
// from that table with a QTextCursor, recording for every element the range
// of document positions its content occupies. Points map back through the
// document layout: the table cell whose box holds the point, then the
// innermost element whose range holds the character there.
#include "toolkit/BrowserHost.h"

#include <gumbo.h>

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

#include "toolkit/ModalServices.h"
#include "toolkit/QtText.h"

namespace declarium {

namespace {

struct Node {
  bool isText = false;
  bool literal = false;       // text set through SetInnerText: shown as it is
  QString text;               // text nodes
  QString tag;                // elements, lower case
  std::vector<std::pair<QString, QString>> attributes;  // names lower case
  int parent = -1;
  std::vector<int> children;
  // Document range of the element's content, -1 when not shown.
  int start = -1;
  int end = -1;
  QTextCharFormat format;     // format its text was drawn with
  // Table cells.
  QPointer<QTextTable> table;
  int row = -1;
  int column = -1;
};

struct StyleRule {
  QHash<QString, QString> properties;
};

bool IsCollapsible(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

QString CollapseSpaces(const QString& text, bool& lastWasSpace) {
  QString out;
  out.reserve(text.size());
  for (QChar c : text) {
    if (IsCollapsible(c)) {
      if (!lastWasSpace) out += u' ';
      lastWasSpace = true;
    } else {
      out += c;
      lastWasSpace = false;
    }
  }
  return out;
}

bool IsBlockTag(const QString& tag) {
  static const QStringList blocks = {QStringLiteral("p"),     QStringLiteral("div"),   QStringLiteral("pre"),    QStringLiteral("table"),
                                     QStringLiteral("tr"),    QStringLiteral("ul"),    QStringLiteral("ol"),     QStringLiteral("li"),
                                     QStringLiteral("h1"),    QStringLiteral("h2"),    QStringLiteral("h3"),     QStringLiteral("h4"),
                                     QStringLiteral("center"), QStringLiteral("blockquote"), QStringLiteral("hr")};
  return blocks.contains(tag);
}

// "12px" -> 12, "9pt" -> 12 (pixels at 96 dpi); 0 when unreadable.
int LengthInPixels(const QString& value) {
  static const QRegularExpression number(QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?)\\s*(px|pt)?"));
  const QRegularExpressionMatch m = number.match(value);
  if (!m.hasMatch()) return 0;
  const double v = m.captured(1).toDouble();
  return m.captured(2) == u"pt" ? qRound(v * 96.0 / 72.0) : qRound(v);
}

// A colour inside any style text, also the non-CSS "{color=#008000;}".
QColor ColourIn(const QString& style, const QString& property = QStringLiteral("color")) {
  const QRegularExpression pattern(QStringLiteral("(?:^|[^-a-z])") + QRegularExpression::escape(property) +
                                       QStringLiteral("\\s*[:=]\\s*(#[0-9a-f]{3,8}|[a-z]+)"),
                                   QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch m = pattern.match(style);
  if (!m.hasMatch()) return {};
  const QColor colour = QColor::fromString(m.captured(1));
  return colour.isValid() ? colour : QColor();
}

// "1px #888888 solid" -> width and colour.
void ReadBorder(const QString& value, int& width, QColor& colour) {
  for (const QString& part : value.split(u' ', Qt::SkipEmptyParts)) {
    if (part.front().isDigit())
      width = LengthInPixels(part);
    else if (part.startsWith(u'#') || QColor::isValidColorName(part))
      colour = QColor::fromString(part);
  }
}

}  // namespace

struct BrowserHost::Page {
  std::vector<Node> nodes;
  int body = -1;
  std::map<QString, StyleRule> styles;  // by selector (tag)
  std::vector<QPointer<QTextTable>> tables;
  std::vector<std::vector<int>> tableCells;   // per table, its cell nodes

  QString Style(const QString& selector, const QString& property) const {
    const auto it = styles.find(selector);
    return it == styles.end() ? QString() : it->second.properties.value(property);
  }

  QString Attr(int node, const QString& name, bool* present = nullptr) const {
    const QString lower = name.toLower();
    for (const auto& [key, value] : nodes[static_cast<size_t>(node)].attributes)
      if (key == lower) {
        if (present) *present = true;
        return value;
      }
    if (present) *present = false;
    return {};
  }
  bool Has(int node, const QString& name) const {
    bool present = false;
    Attr(node, name, &present);
    return present;
  }
  bool IsAncestor(int ancestor, int node) const {
    for (int n = node; n >= 0; n = nodes[static_cast<size_t>(n)].parent)
      if (n == ancestor) return true;
    return false;
  }
  int Depth(int node) const {
    int depth = 0;
    for (int n = node; n >= 0; n = nodes[static_cast<size_t>(n)].parent) ++depth;
    return depth;
  }
};

namespace {

// ----- reading the page ------------------------------------------------------

int CopyNode(const GumboNode* g, int parent, std::vector<Node>& nodes, int& body) {
  Node node;
  node.parent = parent;
  switch (g->type) {
    case GUMBO_NODE_TEXT:
    case GUMBO_NODE_WHITESPACE:
    case GUMBO_NODE_CDATA:
      node.isText = true;
      node.text = QString::fromUtf8(g->v.text.text);
      nodes.push_back(std::move(node));
      return static_cast<int>(nodes.size()) - 1;
    case GUMBO_NODE_ELEMENT:
    case GUMBO_NODE_TEMPLATE:
      break;
    default:
      return -1;  // comments, the document node
  }
  const GumboElement& e = g->v.element;
  if (e.tag != GUMBO_TAG_UNKNOWN) {
    node.tag = QString::fromUtf8(gumbo_normalized_tagname(e.tag));
  } else {
    GumboStringPiece piece = e.original_tag;
    gumbo_tag_from_original_text(&piece);
    node.tag = QString::fromUtf8(piece.data, static_cast<qsizetype>(piece.length)).toLower();
  }
  for (unsigned i = 0; i < e.attributes.length; ++i) {
    const auto* a = static_cast<const GumboAttribute*>(e.attributes.data[i]);
    node.attributes.emplace_back(QString::fromUtf8(a->name).toLower(), QString::fromUtf8(a->value));
  }
  nodes.push_back(std::move(node));
  const int index = static_cast<int>(nodes.size()) - 1;
  if (e.tag == GUMBO_TAG_BODY && body < 0) body = index;
  for (unsigned i = 0; i < e.children.length; ++i) {
    const int child = CopyNode(static_cast<const GumboNode*>(e.children.data[i]), index, nodes, body);
    if (child >= 0) nodes[static_cast<size_t>(index)].children.push_back(child);
  }
  return index;
}

void ReadStyleSheet(const QString& css, std::map<QString, StyleRule>& styles) {
  for (const QString& rule : css.split(u'}', Qt::SkipEmptyParts)) {
    const qsizetype brace = rule.indexOf(u'{');
    if (brace < 0) continue;
    const QString selectors = rule.left(brace).trimmed().toLower();
    const QString body = rule.mid(brace + 1);
    for (const QString& selector : selectors.split(u',', Qt::SkipEmptyParts)) {
      StyleRule& target = styles[selector.trimmed()];
      for (const QString& declaration : body.split(u';', Qt::SkipEmptyParts)) {
        const qsizetype colon = declaration.indexOf(u':');
        if (colon < 0) continue;
        target.properties.insert(declaration.left(colon).trimmed().toLower(), declaration.mid(colon + 1).trimmed());
      }
    }
  }
}

// ----- drawing the page --------------------------------------------------------

class PageBuilder {
 public:
  PageBuilder(BrowserHost::Page& page, QTextDocument& doc) : page_(page), doc_(doc) {}

  void Build() {
    QTextCursor cursor(&doc_);
    QTextCharFormat base;
    ApplyFontRule(base, QStringLiteral("body"));
    cursor.setCharFormat(base);
    cursor.setBlockCharFormat(base);
    bool space = true;
    if (page_.body >= 0) EmitChildren(page_.body, cursor, base, false, space);
  }

 private:
  void ApplyFontRule(QTextCharFormat& format, const QString& selector) {
    const int size = LengthInPixels(page_.Style(selector, QStringLiteral("font-size")));
    if (size > 0) format.setProperty(QTextFormat::FontPixelSize, size);
    const QString family = page_.Style(selector, QStringLiteral("font-family"));
    if (!family.isEmpty()) {
      QStringList families;
      for (const QString& f : family.split(u',', Qt::SkipEmptyParts)) families << QString(f).remove(u'"').remove(u'\'').trimmed();
      // The CJK sans and serif faces the platform usually has, as fallbacks.
      families << QStringLiteral("SimSun") << QStringLiteral("Noto Sans CJK SC") << QStringLiteral("WenQuanYi Zen Hei");
      format.setFontFamilies(families);
    }
    const QColor colour = ColourIn(page_.Style(selector, QStringLiteral("color")).prepend(QStringLiteral("color:")));
    if (colour.isValid()) format.setForeground(colour);
  }

  void EmitChildren(int node, QTextCursor& cursor, const QTextCharFormat& format, bool pre, bool& space) {
    for (int child : page_.nodes[static_cast<size_t>(node)].children) Emit(child, cursor, format, pre, space);
  }

  void Emit(int index, QTextCursor& cursor, const QTextCharFormat& inherited, bool pre, bool& space) {
    Node& node = page_.nodes[static_cast<size_t>(index)];
    if (node.isText) {
      QString text = node.literal || pre ? node.text : CollapseSpaces(node.text, space);
      if (pre || node.literal) {
        text.replace(QStringLiteral("\r\n"), QString(QChar::LineSeparator));
        text.replace(u'\n', QChar::LineSeparator);
        space = false;
      }
      if (!text.isEmpty()) {
        if (pendingBreak_) {
          // Collapsible white space between blocks shows nothing.
          if (!pre && !node.literal && text.trimmed().isEmpty()) return;
          BreakBlock(cursor, inherited);
        }
        cursor.insertText(text, inherited);
      }
      return;
    }
    const QString tag = node.tag;
    if (tag == u"style") {
      for (int child : node.children)
        if (page_.nodes[static_cast<size_t>(child)].isText) ReadStyleSheet(page_.nodes[static_cast<size_t>(child)].text, page_.styles);
      return;
    }
    if (tag == u"script" || tag == u"head" || tag == u"title") return;
    if (tag == u"table") {
      EmitTable(index, cursor, inherited);
      space = true;
      pendingBreak_ = true;
      return;
    }
    QTextCharFormat format = inherited;
    if (tag == u"b" || tag == u"strong") format.setFontWeight(QFont::Bold);
    if (tag == u"i" || tag == u"em") format.setFontItalic(true);
    if (tag == u"u") format.setFontUnderline(true);
    if (tag == u"font") {
      const QColor colour = QColor::fromString(page_.Attr(index, QStringLiteral("color")));
      if (colour.isValid()) format.setForeground(colour);
    }
    ApplyFontRule(format, tag);
    const QColor styled = ColourIn(page_.Attr(index, QStringLiteral("style")));
    if (styled.isValid()) format.setForeground(styled);

    if (tag == u"br") {
      if (pendingBreak_) BreakBlock(cursor, format);
      node.start = cursor.position();
      cursor.insertText(QString(QChar::LineSeparator), format);
      node.end = cursor.position();
      space = true;
      return;
    }
    const bool block = IsBlockTag(tag);
    const bool isPre = pre || tag == u"pre";
    if (block) {
      pendingBreak_ = false;
      if (!AtBlockStart(cursor)) cursor.insertBlock(NewBlockFormat(cursor), format);
      QTextBlockFormat blockFormat = cursor.blockFormat();
      const int marginTop = LengthInPixels(page_.Style(tag, QStringLiteral("margin-top")));
      if (marginTop > 0) blockFormat.setTopMargin(marginTop);
      if (tag == u"pre") blockFormat.setNonBreakableLines(true);
      cursor.setBlockFormat(blockFormat);
      if (tag == u"pre") format.setFontFixedPitch(true);
      space = true;
    }
    node.start = cursor.position();
    node.format = format;
    EmitChildren(index, cursor, format, isPre, space);
    node.end = cursor.position();
    if (block) {
      pendingBreak_ = true;
      space = true;
    }
  }

  // A block ended earlier: start the next one before more content.
  void BreakBlock(QTextCursor& cursor, const QTextCharFormat& format) {
    pendingBreak_ = false;
    if (!AtBlockStart(cursor)) cursor.insertBlock(NewBlockFormat(cursor), format);
  }

  // Inside a cell new blocks keep the cell's alignment and wrapping.
  static QTextBlockFormat NewBlockFormat(const QTextCursor& cursor) {
    return cursor.currentTable() ? cursor.blockFormat() : QTextBlockFormat();
  }

  static bool AtBlockStart(const QTextCursor& cursor) { return cursor.atBlockStart() && cursor.block().length() <= 1; }

  void EmitTable(int tableIndex, QTextCursor& cursor, const QTextCharFormat& inherited) {
    // Rows: tr children of the table or of its sections; cells: td / th.
    std::vector<int> rows;
    for (int child : page_.nodes[static_cast<size_t>(tableIndex)].children) {
      const Node& n = page_.nodes[static_cast<size_t>(child)];
      if (n.isText) continue;
      if (n.tag == u"tr") rows.push_back(child);
      if (n.tag == u"tbody" || n.tag == u"thead" || n.tag == u"tfoot")
        for (int grand : n.children)
          if (!page_.nodes[static_cast<size_t>(grand)].isText && page_.nodes[static_cast<size_t>(grand)].tag == u"tr")
            rows.push_back(grand);
    }
    struct Placed {
      int node, row, column, rowSpan, colSpan;
    };
    std::vector<Placed> placed;
    std::map<std::pair<int, int>, bool> taken;
    int columns = 0;
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
      int c = 0;
      for (int cellNode : page_.nodes[static_cast<size_t>(rows[static_cast<size_t>(r)])].children) {
        const Node& n = page_.nodes[static_cast<size_t>(cellNode)];
        if (n.isText || (n.tag != u"td" && n.tag != u"th")) continue;
        while (taken.count({r, c})) ++c;
        const int colSpan = qBound(1, page_.Attr(cellNode, QStringLiteral("colspan")).toInt(), 1000);
        const int rowSpan = qBound(1, page_.Attr(cellNode, QStringLiteral("rowspan")).toInt(), 1000);
        placed.push_back({cellNode, r, c, rowSpan, colSpan});
        for (int dr = 0; dr < rowSpan; ++dr)
          for (int dc = 0; dc < colSpan; ++dc) taken[{r + dr, c + dc}] = true;
        c += colSpan;
        columns = qMax(columns, c);
      }
    }
    int rowCount = static_cast<int>(rows.size());
    for (const Placed& p : placed) rowCount = qMax(rowCount, p.row + p.rowSpan);
    if (rowCount == 0 || columns == 0) return;

    int tableBorder = page_.Attr(tableIndex, QStringLiteral("border")).toInt();
    QColor tableBorderColour(0x88, 0x88, 0x88);
    ReadBorder(page_.Style(QStringLiteral("table"), QStringLiteral("border")), tableBorder, tableBorderColour);
    int cellBorder = 0;
    QColor cellBorderColour = tableBorderColour;
    ReadBorder(page_.Style(QStringLiteral("td"), QStringLiteral("border")), cellBorder, cellBorderColour);
    const bool collapse = page_.Style(QStringLiteral("table"), QStringLiteral("border-collapse")) == u"collapse";
    bool hasPadding = false;
    const QString padding = page_.Attr(tableIndex, QStringLiteral("cellpadding"), &hasPadding);

    QTextTableFormat format;
    format.setBorder(tableBorder);
    format.setBorderBrush(tableBorderColour);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(collapse);
    format.setCellSpacing(collapse ? 0 : 2);
    format.setCellPadding(hasPadding ? padding.toInt() : 1);
    format.setAlignment(Qt::AlignLeft);
    const int marginTop = LengthInPixels(page_.Style(QStringLiteral("table"), QStringLiteral("margin-top")));
    format.setTopMargin(marginTop);
    format.setMargin(0);
    format.setTopMargin(marginTop);
    std::vector<QTextLength> widths(static_cast<size_t>(columns), QTextLength(QTextLength::VariableLength, 0));
    for (const Placed& p : placed) {
      if (p.colSpan != 1) continue;
      const QString w = page_.Attr(p.node, QStringLiteral("width")).trimmed();
      if (w.endsWith(u'%'))
        widths[static_cast<size_t>(p.column)] = QTextLength(QTextLength::PercentageLength, w.chopped(1).toDouble());
      else if (w.toInt() > 0)
        widths[static_cast<size_t>(p.column)] = QTextLength(QTextLength::FixedLength, w.toInt());
    }
    format.setColumnWidthConstraints(QList<QTextLength>(widths.begin(), widths.end()));

    pendingBreak_ = false;
    if (!AtBlockStart(cursor)) cursor.insertBlock(NewBlockFormat(cursor), inherited);
    QTextTable* table = cursor.insertTable(rowCount, columns, format);
    page_.tables.emplace_back(table);
    std::vector<int> cells;
    for (const Placed& p : placed)
      if (p.rowSpan > 1 || p.colSpan > 1) table->mergeCells(p.row, p.column, p.rowSpan, p.colSpan);

    QTextCharFormat cellBase = inherited;
    ApplyFontRule(cellBase, QStringLiteral("td"));
    for (const Placed& p : placed) {
      Node& node = page_.nodes[static_cast<size_t>(p.node)];
      const int rowNode = node.parent;
      QTextTableCell cell = table->cellAt(p.row, p.column);
      QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
      QColor background = QColor::fromString(page_.Attr(p.node, QStringLiteral("bgcolor")));
      if (!background.isValid()) background = QColor::fromString(page_.Attr(rowNode, QStringLiteral("bgcolor")));
      if (background.isValid()) cellFormat.setBackground(background);
      if (cellBorder > 0) {
        cellFormat.setBorder(cellBorder);
        cellFormat.setBorderBrush(cellBorderColour);
        cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
      }
      cell.setFormat(cellFormat);

      QTextCharFormat charFormat = cellBase;
      if (node.tag == u"th") charFormat.setFontWeight(QFont::Bold);
      const QColor colour = ColourIn(page_.Attr(p.node, QStringLiteral("style")));
      if (colour.isValid()) charFormat.setForeground(colour);

      QTextCursor cellCursor = cell.firstCursorPosition();
      QTextBlockFormat blockFormat = cellCursor.blockFormat();
      QString align = page_.Attr(p.node, QStringLiteral("align")).toLower();
      if (align.isEmpty()) align = page_.Attr(rowNode, QStringLiteral("align")).toLower();
      if (align == u"center") blockFormat.setAlignment(Qt::AlignHCenter);
      if (align == u"right") blockFormat.setAlignment(Qt::AlignRight);
      if (page_.Has(p.node, QStringLiteral("nowrap"))) blockFormat.setNonBreakableLines(true);
      cellCursor.setBlockFormat(blockFormat);
      // The cell's own format lives in its first character format: text is
      // inserted with charFormat instead of changing that one.

      node.table = table;
      node.row = p.row;
      node.column = p.column;
      node.format = charFormat;
      node.start = cellCursor.position();
      bool space = true;
      pendingBreak_ = false;
      EmitChildren(p.node, cellCursor, charFormat, false, space);
      pendingBreak_ = false;
      node.end = cellCursor.position();
      cells.push_back(p.node);
    }
    page_.tableCells.push_back(std::move(cells));
    cursor.setPosition(table->lastPosition() + 1);
    pendingBreak_ = false;
  }

  BrowserHost::Page& page_;
  QTextDocument& doc_;
  bool pendingBreak_ = false;
};

}  // namespace

// ----- BrowserHost -------------------------------------------------------------

BrowserHost::BrowserHost(QWidget* parent) : QWidget(parent), page_(std::make_unique<Page>()) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new QTextBrowser(this);
  view_->setOpenLinks(false);
  view_->setOpenExternalLinks(false);
  view_->setReadOnly(true);
  view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
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
  const QByteArray utf8 = html.toUtf8();
  GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(),
                                                 static_cast<size_t>(utf8.size()));
  if (output) {
    CopyNode(output->root, -1, page_->nodes, page_->body);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
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
  // Style rules are read before drawing: the style element sits in the head.
  for (const Node& node : page_->nodes)
    if (!node.isText && node.tag == u"style")
      for (int child : node.children)
        if (page_->nodes[static_cast<size_t>(child)].isText)
          ReadStyleSheet(page_->nodes[static_cast<size_t>(child)].text, page_->styles);
  PageBuilder(*page_, *doc).Build();
  // The view deletes its own first document itself; the later ones are ours.
  QTextDocument* previous = view_->document();
  const bool ours = previous->parent() == this;
  view_->setDocument(doc);
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
    for (QTextBlock block = doc->findBlock(cell.firstPosition()); block.isValid() && block.position() <= cell.lastPosition();
         block = block.next())
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
  const QPointF docPoint = QPointF(inViewport) + QPointF(view_->horizontalScrollBar()->value(),
                                                         view_->verticalScrollBar()->value());
  const QTextDocument* doc = view_->document();
  // The innermost cell whose box holds the point.
  int cellNode = -1;
  int cellDepth = -1;
  for (size_t t = 0; t < page_->tables.size(); ++t) {
    QTextTable* table = page_->tables[t];
    if (!table) continue;
    for (int node : page_->tableCells[t]) {
      const Node& n = page_->nodes[static_cast<size_t>(node)];
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
      const Node& n = page_->nodes[i];
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
  if (element < 0 || element >= static_cast<int>(page_->nodes.size()) || page_->nodes[static_cast<size_t>(element)].isText) {
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
  const Node& node = page_->nodes[static_cast<size_t>(element)];
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
  const Node& node = page.nodes[static_cast<size_t>(index)];
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
  Node& node = page_->nodes[static_cast<size_t>(element)];
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
    Node& n = page_->nodes[i];
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
  Node textNode;
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
  const Node& node = page_->nodes[static_cast<size_t>(element)];
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
    const Node& n = page_->nodes[i];
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
      emit keyPressed(key->key(), static_cast<int>(key->modifiers()));
      if (key->matches(QKeySequence::Copy)) return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace declarium
