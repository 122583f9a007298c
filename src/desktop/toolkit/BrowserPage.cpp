#include "toolkit/BrowserPage.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "toolkit/HtmlTree.h"

namespace declarium {

namespace {

bool IsCollapsible(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

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


namespace {

// ----- reading the page ------------------------------------------------------

void ReadStyleSheet(const QString& css, std::map<QString, PageStyleRule>& styles) {
  for (const QString& rule : css.split(u'}', Qt::SkipEmptyParts)) {
    const qsizetype brace = rule.indexOf(u'{');
    if (brace < 0) continue;
    const QString selectors = rule.left(brace).trimmed().toLower();
    const QString body = rule.mid(brace + 1);
    for (const QString& selector : selectors.split(u',', Qt::SkipEmptyParts)) {
      PageStyleRule& target = styles[selector.trimmed()];
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
      for (const QString& f : family.split(u',', Qt::SkipEmptyParts))
        families << QString(f).remove(u'"').remove(u'\'').trimmed();
      // Where 宋体 is missing, a Song (Ming) face like it first: a heavy sans at
      // 12 px lines up the bottom strokes of 型 or 整 into what reads as an
      // underline.
      families << QStringLiteral("SimSun") << QStringLiteral("AR PL UMing CN") << QStringLiteral("Noto Sans CJK SC")
               << QStringLiteral("WenQuanYi Zen Hei");
      format.setFontFamilies(families);
    }
    const QColor colour = ColourIn(page_.Style(selector, QStringLiteral("color")).prepend(QStringLiteral("color:")));
    if (colour.isValid()) format.setForeground(colour);
  }

  void EmitChildren(int node, QTextCursor& cursor, const QTextCharFormat& format, bool pre, bool& space) {
    for (int child : page_.nodes[static_cast<size_t>(node)].children) Emit(child, cursor, format, pre, space);
  }

  void Emit(int index, QTextCursor& cursor, const QTextCharFormat& inherited, bool pre, bool& space) {
    PageNode& node = page_.nodes[static_cast<size_t>(index)];
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
        if (page_.nodes[static_cast<size_t>(child)].isText)
          ReadStyleSheet(page_.nodes[static_cast<size_t>(child)].text, page_.styles);
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
      const PageNode& n = page_.nodes[static_cast<size_t>(child)];
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
        const PageNode& n = page_.nodes[static_cast<size_t>(cellNode)];
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
      PageNode& node = page_.nodes[static_cast<size_t>(p.node)];
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
  static const QStringList blocks = {QStringLiteral("p"),      QStringLiteral("div"),        QStringLiteral("pre"),
                                     QStringLiteral("table"),  QStringLiteral("tr"),         QStringLiteral("ul"),
                                     QStringLiteral("ol"),     QStringLiteral("li"),         QStringLiteral("h1"),
                                     QStringLiteral("h2"),     QStringLiteral("h3"),         QStringLiteral("h4"),
                                     QStringLiteral("center"), QStringLiteral("blockquote"), QStringLiteral("hr")};
  return blocks.contains(tag);
}

void ReadPage(const QString& html, BrowserHost::Page& page) {
  page.body = ReadHtmlTree(html.toUtf8(), page.nodes);
  // The style element sits in the head, so its rules are known before drawing.
  for (const PageNode& node : page.nodes)
    if (!node.isText && node.tag == u"style")
      for (int child : node.children)
        if (page.nodes[static_cast<size_t>(child)].isText)
          ReadStyleSheet(page.nodes[static_cast<size_t>(child)].text, page.styles);
}

void DrawPage(BrowserHost::Page& page, QTextDocument& doc) { PageBuilder(page, doc).Build(); }

}  // namespace declarium
