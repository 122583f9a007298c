// The detail browser: pages shaped like the program's function and data
// type pages, element at point, attributes, inner text and in-place edits.
#include <QFontDatabase>
#include <QGlyphRun>
#include <QRawFont>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextLayout>
#include <QTextTable>
#include <QtTest>

#include "desktop/support/ScriptedServices.h"
#include "toolkit/BrowserHost.h"

using namespace declarium;

namespace {

const QString kStyle = QStringLiteral(
    "<style>\r\ntd {font-size:12px;border:1px #888888 solid;font-family:宋体;}\r\n"
    "table {border:1px #888888 solid;border-collapse:collapse;margin-top:3px;}\r\n"
    "pre {font-size:12px;margin-top:3px}\r\n</style>\r\n");

QString Cell(const QString& extra, int id, const QString& table, const QString& field, const QString& value) {
  return QStringLiteral("<td %1 id=%2 TableName=%3 FieldName=%4>%5</td>")
      .arg(extra, QString::number(id), table, field, value);
}

// A function page: header rows, colspan cells, a value with markup, "&nbsp"
// cells, one parameter row.
QString FunctionPage(const QString& remark = QStringLiteral("<b>x</b>"), bool longRemark = false) {
  const QString f = QStringLiteral("函数表");
  const QString p = QStringLiteral("函数参数表");
  QString html = kStyle;
  html += QStringLiteral(
      "<table cellpadding=\"3\">\r\n<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap colspan=\"3\">函数说明</td>\r\n"
      "<td nowrap colspan=\"3\">其他说明</td>\r\n</tr>");
  html += QStringLiteral("<tr>") + Cell(QStringLiteral("colspan=3 style={color=#008000;}"), 7, f,
                                        QStringLiteral("函数说明"), QStringLiteral("&nbsp"));
  html += Cell(QStringLiteral("colspan=3 style={color=#008000;}"), 7, f, QStringLiteral("其他说明"),
               QStringLiteral("取得时间")) +
          QStringLiteral("</tr>");
  html += QStringLiteral(
      "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">DLL命令名</td>\r\n<td nowrap width=\"70\">中文名</td>\r\n"
      "<td nowrap width=\"70\">返回值类型</td>\r\n<td nowrap colspan=3>备注</td>\r\n</tr>");
  html += QStringLiteral("<tr>") + Cell(QStringLiteral("nowrap style={color=#000080;}"), 7, f, QStringLiteral("名称"),
                                        QStringLiteral("GetTickCount"));
  html += Cell(QStringLiteral("nowrap style={color=#000080;}"), 7, f, QStringLiteral("中文名"),
               QStringLiteral("取启动时间"));
  html += Cell(QStringLiteral("nowrap style={color=#0000FF;}"), 7, f, QStringLiteral("返回值类型"),
               QStringLiteral("整数型"));
  html += Cell(QStringLiteral("nowrap colspan=3 style={color=#008000;}"), 7, f, QStringLiteral("备注"), remark) +
          QStringLiteral("</tr>");
  html += QStringLiteral(
      "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">参数名</td>\r\n<td nowrap width=\"70\">中文名</td>\r\n"
      "<td nowrap width=\"70\">类型</td>\r\n<td nowrap width=\"30\">传址</td>\r\n<td nowrap width=\"30\">数组</td>\r\n"
      "<td nowrap width=\"100\">备注</td>\r\n</tr>\r\n");
  html +=
      QStringLiteral("<tr>") + Cell(QStringLiteral("nowrap"), 31, p, QStringLiteral("名称"), QStringLiteral("hWnd"));
  html += Cell(QStringLiteral("nowrap"), 31, p, QStringLiteral("中文名"), QStringLiteral("窗口句柄"));
  html += Cell(QStringLiteral("nowrap style={color=#0000FF;}"), 31, p, QStringLiteral("数据类型"),
               QStringLiteral("整数型"));
  html += Cell(QStringLiteral("nowrap style={color=#800000;} align=center"), 31, p, QStringLiteral("传址"),
               QStringLiteral("√"));
  html += Cell(QStringLiteral("nowrap style={color=#800000;} align=center"), 31, p, QStringLiteral("数组"), QString());
  html += Cell(QStringLiteral("nowrap style={color=#008000;}"), 31, p, QStringLiteral("备注"),
               longRemark ? QStringLiteral("a long remark that must stay on one line because its cell does not wrap")
                          : QStringLiteral("句柄")) +
          QStringLiteral("</tr>");
  html += QStringLiteral("</table>");
  return html;
}

struct Expected {
  QString id, table, field, text;
};

}  // namespace

class BrowserHostTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void cellsAreFoundAtTheirCentres();
  void markupInsideACell();
  void nowrapCellsStayOnOneLine();
  void setInnerTextChangesOneCellOnly();
  void nbspCellIsBlankNotEmpty();
  void coloursAndBackgrounds();
  void outsideThePage();
  void clicksAndKeysReachTheOwner();
  void copyGoesThroughTheServices();
  void gbkPageAndBlankPage();
  void oddPagesStayUsable();
  void nothingOnAPageIsUnderlined();

 private:
  std::unique_ptr<BrowserHost> host_;
};

void BrowserHostTest::init() {
  host_ = std::make_unique<BrowserHost>();
  host_->resize(500, 400);
  host_->show();
  QVERIFY(QTest::qWaitForWindowExposed(host_.get()));
}

void BrowserHostTest::cleanup() { host_.reset(); }

void BrowserHostTest::cellsAreFoundAtTheirCentres() {
  host_->WritePage(FunctionPage(QStringLiteral("无参数")));
  const std::vector<BrowserHost::Element> cells = host_->ElementsByTag(QStringLiteral("td"));
  QCOMPARE(cells.size(), size_t(2 + 2 + 4 + 4 + 6 + 6));
  QCOMPARE(host_->View()->cursorWidth(), 0);  // no caret: typing edits nothing
  int valueCells = 0;
  for (BrowserHost::Element cell : cells) {
    const QRect box = host_->ElementRect(cell);
    QVERIFY(!box.isEmpty());
    const BrowserHost::Element hit = host_->ElementAt(box.center());
    QCOMPARE(hit, cell);
    // Near its corners too: neighbouring cells do not overlap.
    QCOMPARE(host_->ElementAt(box.topLeft() + QPoint(2, 2)), cell);
    QCOMPARE(host_->ElementAt(box.bottomRight() - QPoint(2, 2)), cell);
    bool present = false;
    const QString id = host_->Attribute(hit, QStringLiteral("id"), &present);
    if (!present) {
      QVERIFY(host_->Attribute(hit, QStringLiteral("TableName")).isEmpty());
      continue;
    }
    ++valueCells;
    QVERIFY(id == u"7" || id == u"31");
    QVERIFY(!host_->Attribute(hit, QStringLiteral("TableName")).isEmpty());
    QVERIFY(!host_->Attribute(hit, QStringLiteral("fieldname")).isEmpty());  // names ignore case
  }
  QCOMPARE(valueCells, 2 + 4 + 6);

  // A few cells checked in full.
  const Expected expected[] = {
      {QStringLiteral("7"), QStringLiteral("函数表"), QStringLiteral("其他说明"), QStringLiteral("取得时间")},
      {QStringLiteral("7"), QStringLiteral("函数表"), QStringLiteral("名称"), QStringLiteral("GetTickCount")},
      {QStringLiteral("7"), QStringLiteral("函数表"), QStringLiteral("备注"), QStringLiteral("无参数")},
      {QStringLiteral("31"), QStringLiteral("函数参数表"), QStringLiteral("传址"), QStringLiteral("√")},
      {QStringLiteral("31"), QStringLiteral("函数参数表"), QStringLiteral("数组"), QString()},
  };
  for (const Expected& e : expected) {
    bool found = false;
    for (BrowserHost::Element cell : cells) {
      if (host_->Attribute(cell, QStringLiteral("FieldName")) != e.field ||
          host_->Attribute(cell, QStringLiteral("TableName")) != e.table)
        continue;
      const BrowserHost::Element hit = host_->ElementAt(host_->ElementRect(cell).center());
      QCOMPARE(host_->Attribute(hit, QStringLiteral("id")), e.id);
      QCOMPARE(host_->InnerText(hit), e.text);
      found = true;
    }
    QVERIFY2(found, qPrintable(e.field));
  }
}

void BrowserHostTest::markupInsideACell() {
  host_->WritePage(FunctionPage(QStringLiteral("<b>x</b>")));
  const std::vector<BrowserHost::Element> bold = host_->ElementsByTag(QStringLiteral("b"));
  QCOMPARE(bold.size(), size_t(1));
  const BrowserHost::Element cell = host_->ParentElement(bold[0]);
  QCOMPARE(host_->TagName(cell), QStringLiteral("td"));
  QCOMPARE(host_->Attribute(cell, QStringLiteral("FieldName")), QStringLiteral("备注"));
  QCOMPARE(host_->InnerText(cell), QStringLiteral("x"));
  // Over the bold text the inner element answers, as in a browser; beside it, the cell.
  const QRect textBox = host_->ElementRect(bold[0]);
  QVERIFY(!textBox.isEmpty());
  QCOMPARE(host_->ElementAt(textBox.center()), bold[0]);
  QVERIFY(host_->Attribute(bold[0], QStringLiteral("id")).isEmpty());
  const QRect cellBox = host_->ElementRect(cell);
  QCOMPARE(host_->ElementAt(QPoint((textBox.right() + cellBox.right()) / 2, cellBox.center().y())), cell);
  QCOMPARE(host_->ElementAt(QPoint(textBox.center().x(), cellBox.top() + 1)), cell);
}

void BrowserHostTest::nowrapCellsStayOnOneLine() {
  host_->resize(260, 400);
  host_->WritePage(FunctionPage(QStringLiteral("<b>x</b>"), true));
  QTextDocument* doc = host_->View()->document();
  for (BrowserHost::Element cell : host_->ElementsByTag(QStringLiteral("td"))) {
    if (host_->InnerText(cell).size() < 20) continue;
    const QRect box = host_->ElementRect(cell);
    const bool nowrap = host_->Attribute(cell, QStringLiteral("FieldName")) == u"备注";
    if (!nowrap) continue;
    // Its text block has one line, however narrow the view.
    bool checked = false;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next())
      if (b.text().startsWith(QStringLiteral("a long remark"))) {
        QCOMPARE(b.layout()->lineCount(), 1);
        checked = true;
      }
    QVERIFY(checked);
    QVERIFY(box.width() > 260);  // wider than the view: it scrolls instead
  }
}

void BrowserHostTest::setInnerTextChangesOneCellOnly() {
  host_->WritePage(FunctionPage());
  const std::vector<BrowserHost::Element> cells = host_->ElementsByTag(QStringLiteral("td"));
  std::vector<QString> before;
  for (BrowserHost::Element c : cells) before.push_back(host_->InnerText(c));
  BrowserHost::Element name = BrowserHost::kNoElement;
  for (BrowserHost::Element c : cells)
    if (host_->Attribute(c, QStringLiteral("FieldName")) == u"中文名" &&
        host_->Attribute(c, QStringLiteral("id")) == u"7")
      name = c;
  QVERIFY(name != BrowserHost::kNoElement);
  QVERIFY(host_->SetInnerText(name, QStringLiteral("取系统启动以来的毫秒数")));
  for (size_t i = 0; i < cells.size(); ++i) {
    const QString now = host_->InnerText(cells[i]);
    if (cells[i] == name)
      QCOMPARE(now, QStringLiteral("取系统启动以来的毫秒数"));
    else
      QCOMPARE(now, before[i]);
    // Every cell is still found where it is drawn.
    QCOMPARE(host_->ElementAt(host_->ElementRect(cells[i]).center()), cells[i]);
  }
  // The markup of a cell goes when its text is set.
  BrowserHost::Element remark = host_->ParentElement(host_->ElementsByTag(QStringLiteral("b"))[0]);
  QVERIFY(host_->SetInnerText(remark, QStringLiteral("plain")));
  QVERIFY(host_->ElementsByTag(QStringLiteral("b")).empty());
  QCOMPARE(host_->InnerText(remark), QStringLiteral("plain"));
  QCOMPARE(host_->ElementAt(host_->ElementRect(remark).center()), remark);
  // An empty cell can be given text and emptied again.
  BrowserHost::Element array = BrowserHost::kNoElement;
  for (BrowserHost::Element c : cells)
    if (host_->Attribute(c, QStringLiteral("FieldName")) == u"数组") array = c;
  QVERIFY(host_->SetInnerText(array, QStringLiteral("√")));
  QCOMPARE(host_->InnerText(array), QStringLiteral("√"));
  QVERIFY(host_->SetInnerText(array, QString()));
  QCOMPARE(host_->InnerText(array), QString());
  QCOMPARE(host_->ElementAt(host_->ElementRect(array).center()), array);
  QVERIFY(host_->View()->document()->toPlainText().contains(QStringLiteral("取系统启动以来的毫秒数")));
}

void BrowserHostTest::nbspCellIsBlankNotEmpty() {
  host_->WritePage(FunctionPage());
  for (BrowserHost::Element c : host_->ElementsByTag(QStringLiteral("td")))
    if (host_->Attribute(c, QStringLiteral("FieldName")) == u"函数说明" &&
        host_->Attribute(c, QStringLiteral("id")) == u"7") {
      QCOMPARE(host_->InnerText(c), QStringLiteral(" "));
      QCOMPARE(host_->ElementAt(host_->ElementRect(c).center()), c);
      return;
    }
  QFAIL("no 函数说明 cell");
}

void BrowserHostTest::coloursAndBackgrounds() {
  host_->WritePage(FunctionPage());
  // For looking at the page by eye: DECLARIUM_UI_SNAPSHOT=/path/page.png
  if (qEnvironmentVariableIsSet("DECLARIUM_UI_SNAPSHOT"))
    host_->grab().save(qEnvironmentVariable("DECLARIUM_UI_SNAPSHOT"));
  QTextDocument* doc = host_->View()->document();
  bool sawGreen = false;
  bool sawHeader = false;
  for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (f.text() == u"取得时间") sawGreen = f.charFormat().foreground().color() == QColor(0x00, 0x80, 0x00);
      if (f.text() == u"GetTickCount") QCOMPARE(f.charFormat().foreground().color(), QColor(0x00, 0x00, 0x80));
      if (f.text() == u"GetTickCount") QCOMPARE(f.charFormat().property(QTextFormat::FontPixelSize).toInt(), 12);
    }
  }
  QTextCursor cursor(doc);
  cursor.setPosition(doc->find(QStringLiteral("DLL命令名")).position());
  QTextTable* table = cursor.currentTable();
  QVERIFY(table);
  const QTextTableCell header = table->cellAt(cursor);
  sawHeader = header.format().background().color() == QColor(0xE6, 0xED, 0xE4);
  QVERIFY(sawGreen);
  QVERIFY(sawHeader);
  QCOMPARE(table->columns(), 6);
  QCOMPARE(table->cellAt(0, 0).columnSpan(), 3);
  QVERIFY(table->format().borderCollapse());
}

void BrowserHostTest::outsideThePage() {
  host_->WritePage(FunctionPage());
  QCOMPARE(host_->ElementAt(QPoint(-5, -5)), BrowserHost::kNoElement);
  // Below the table: no cell, only the page itself.
  const BrowserHost::Element below = host_->ElementAt(QPoint(5, host_->height() - 10));
  QVERIFY(host_->TagName(below) != u"td");
  QVERIFY(host_->Attribute(below, QStringLiteral("id")).isEmpty());
  QVERIFY(host_->InnerText(BrowserHost::kNoElement).isEmpty());
  QVERIFY(!host_->SetInnerText(BrowserHost::kNoElement, QStringLiteral("x")));
}

void BrowserHostTest::clicksAndKeysReachTheOwner() {
  host_->WritePage(FunctionPage());
  QPoint clicked;
  bool swallow = false;
  connect(host_.get(), &BrowserHost::leftButtonDown, this, [&](QPoint p, bool* passOn) {
    clicked = p;
    *passOn = !swallow;
  });
  QPoint doubled;
  connect(host_.get(), &BrowserHost::doubleClicked, this, [&](QPoint p, bool*) { doubled = p; });
  std::vector<std::pair<int, Qt::KeyboardModifiers>> keys;
  connect(host_.get(), &BrowserHost::keyPressed, this, [&](int k, Qt::KeyboardModifiers m) {
    if (k == Qt::Key_C) keys.emplace_back(k, m);
  });
  const BrowserHost::Element first = host_->ElementsByTag(QStringLiteral("td"))[6];
  const QRect box = host_->ElementRect(first);
  QWidget* viewport = host_->View()->viewport();
  const QPoint inViewport = viewport->mapFrom(host_.get(), box.center());
  QTest::mouseClick(viewport, Qt::LeftButton, {}, inViewport);
  QCOMPARE(clicked, box.center());
  QCOMPARE(host_->ElementAt(clicked), first);
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, inViewport);
  QCOMPARE(doubled, box.center());
  host_->View()->setFocus();
  QTest::keyClick(host_->View(), Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(host_->View(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(keys.size(), size_t(2));
  QCOMPARE(keys[0].first, int(Qt::Key_C));
  QCOMPARE(keys[0].second, Qt::KeyboardModifiers(Qt::ControlModifier));
  QCOMPARE(keys[1].second, Qt::ControlModifier | Qt::ShiftModifier);
}

void BrowserHostTest::copyGoesThroughTheServices() {
  ScriptedServices services;
  host_->WritePage(QStringLiteral("<p>第一段</p><p>second&nbsp;part</p>"));
  QVERIFY(!host_->Copy());
  host_->SelectAll();
  QVERIFY(host_->Copy());
  QCOMPARE(services.clipboard(), QStringLiteral("第一段\r\nsecond part"));
  QVERIFY(!host_->Paste());
}

void BrowserHostTest::gbkPageAndBlankPage() {
  // "<td id=1 TableName=函数表>名</td>" in GBK bytes.
  const std::string gbk = "<table><tr><td id=1 TableName=\xBA\xAF\xCA\xFD\xB1\xED>\xC3\xFB</td></tr></table>";
  host_->WritePageGbk(gbk);
  const std::vector<BrowserHost::Element> cells = host_->ElementsByTag(QStringLiteral("td"));
  QCOMPARE(cells.size(), size_t(1));
  QCOMPARE(host_->Attribute(cells[0], QStringLiteral("tablename")), QStringLiteral("函数表"));
  QCOMPARE(host_->InnerText(cells[0]), QStringLiteral("名"));
  host_->Navigate(QStringLiteral("about:blank"));
  QVERIFY(host_->ElementsByTag(QStringLiteral("td")).empty());
  QVERIFY(host_->View()->document()->toPlainText().isEmpty());
}

void BrowserHostTest::oddPagesStayUsable() {
  const QString pages[] = {
      QStringLiteral("<table></table>"),
      QStringLiteral("<td id=1>stray</td>"),
      QStringLiteral("<table><tr><td rowspan=2 id=1>a</td><td id=2>b</td></tr><tr><td id=3>c</td></tr></table>"),
      QStringLiteral("<table border=1><tr><td id=outer>x<table><tr><td id=inner>y</td></tr></table></td></tr></table>"),
      QStringLiteral("<table><tr><td colspan=99999 id=1>wide</td></tr></table>"),
      QStringLiteral("<pre>  keep   spaces\r\nand lines</pre><p>a<br>b</p>"),
      QStringLiteral(
          "<table><tr><td id='1' TableName=\"函数表\" FIELDNAME=名称>&lt;b&gt; &amp; &nbsp &#x41;</td></tr></table>"),
  };
  for (const QString& page : pages) {
    host_->WritePage(page);
    for (int y = 0; y < host_->height(); y += 7)
      for (int x = 0; x < host_->width(); x += 13) {
        const BrowserHost::Element e = host_->ElementAt(QPoint(x, y));
        (void)host_->InnerText(e);
        (void)host_->Attribute(e, QStringLiteral("id"));
      }
    for (BrowserHost::Element cell : host_->ElementsByTag(QStringLiteral("td"))) {
      const QRect box = host_->ElementRect(cell);
      if (!box.isEmpty() && host_->rect().contains(box.center()) && host_->InnerText(cell).size() < 5)
        QCOMPARE(host_->ElementAt(box.center()), cell);
    }
  }
  // Nested tables: the inner cell answers inside it, the outer one beside it.
  host_->WritePage(pages[3]);
  BrowserHost::Element inner = BrowserHost::kNoElement;
  for (BrowserHost::Element cell : host_->ElementsByTag(QStringLiteral("td")))
    if (host_->Attribute(cell, QStringLiteral("id")) == u"inner") inner = cell;
  QVERIFY(inner != BrowserHost::kNoElement);
  QCOMPARE(host_->ElementAt(host_->ElementRect(inner).center()), inner);
  // Entities and attribute spellings as a browser reads them.
  host_->WritePage(pages[6]);
  const BrowserHost::Element cell = host_->ElementsByTag(QStringLiteral("td")).at(0);
  QCOMPARE(host_->Attribute(cell, QStringLiteral("fieldName")), QStringLiteral("名称"));
  QCOMPARE(host_->Attribute(cell, QStringLiteral("TableName")), QStringLiteral("函数表"));
  QCOMPARE(host_->InnerText(cell), QStringLiteral("<b> &   A"));
  host_->WritePage(pages[5]);
  const BrowserHost::Element pre = host_->ElementsByTag(QStringLiteral("pre")).at(0);
  QCOMPARE(host_->InnerText(pre), QStringLiteral("  keep   spaces\r\nand lines"));
  const BrowserHost::Element para = host_->ElementsByTag(QStringLiteral("p")).at(0);
  QCOMPARE(host_->InnerText(para), QStringLiteral("a\r\nb"));
}

// Type names are blue, as links often are: nothing on a page is underlined,
// and Chinese text is drawn in a Song (Ming) face, as 宋体 is, not in a heavy
// sans whose bottom strokes (型, 整) line up into what reads as a link's line.
void BrowserHostTest::nothingOnAPageIsUnderlined() {
  host_->WritePage(kStyle + QStringLiteral("<table><tr>") +
                   Cell(QStringLiteral("nowrap style={color=#0000FF;}"), 1, QStringLiteral("函数参数表"),
                        QStringLiteral("数据类型"), QStringLiteral("整数型")) +
                   Cell(QStringLiteral("nowrap style={color=#0000FF;}"), 2, QStringLiteral("函数参数表"),
                        QStringLiteral("数据类型"), QStringLiteral("int")) +
                   QStringLiteral("</tr></table>"));
  QTextDocument* doc = host_->View()->document();
  QStringList chineseFaces;
  for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat f = it.fragment().charFormat();
      QVERIFY2(!f.fontUnderline() && f.underlineStyle() == QTextCharFormat::NoUnderline && !f.isAnchor(),
               qPrintable(it.fragment().text()));
      if (it.fragment().text() == QStringLiteral("整数型"))
        for (const QGlyphRun& run : it.fragment().glyphRuns()) chineseFaces << run.rawFont().familyName();
    }
  }
  QVERIFY(!chineseFaces.isEmpty());
  if (QFontDatabase::families().contains(QStringLiteral("AR PL UMing CN"))) {
    for (const QString& face : chineseFaces) QVERIFY2(face.contains(QStringLiteral("UMing")), qPrintable(face));
  }
}

QTEST_MAIN(BrowserHostTest)
#include "tst_BrowserHost.moc"
