// The detail browser (control 1007): shows HTML text written into it the way
// a browser would and answers element-at-point, attribute and inner-text
// questions about the page on display.
//
// The page is parsed by an HTML5 parser (HtmlTree.h), so unquoted
// attributes, "&nbsp" without a semicolon and markup inside values read as a
// browser reads them, and drawn as Qt rich text built from that element
// tree. Elements are named by handles that stay valid until the next WritePage.
#pragma once

#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>
#include <string_view>

class QTextBrowser;

namespace declarium {

class BrowserHost : public QWidget {
  Q_OBJECT
 public:
  using Element = int;  // handle; kNoElement for none
  static constexpr Element kNoElement = -1;

  explicit BrowserHost(QWidget* parent = nullptr);
  ~BrowserHost() override;

  // Replaces the document (open, write, close).
  void WritePage(const QString& html);
  void WritePageGbk(std::string_view gbkHtml);
  void Navigate(const QString& url);  // only "about:blank": an empty page
  QString PageSource() const;         // last text written

  // The innermost element under a point of this widget (its coordinates),
  // kNoElement outside the page's content.
  Element ElementAt(QPoint point) const;
  // Attribute by name, names compared without ASCII case (id, TableName,
  // FieldName). Empty when absent; present reports whether it exists.
  QString Attribute(Element element, const QString& name, bool* present = nullptr) const;
  QString TagName(Element element) const;  // lower case ("td", "b")
  Element ParentElement(Element element) const;
  // Text as shown: entities resolved, white space collapsed as displayed,
  // line breaks as CR LF; a non-breaking space ("&nbsp") comes back as a
  // plain blank, so such a cell is not empty.
  QString InnerText(Element element) const;
  // Changes only the shown text of that element (its markup goes, like
  // setting innerText); the rest of the page stays as it is.
  bool SetInnerText(Element element, const QString& text);
  // The element's rectangle in this widget's coordinates (empty when not shown).
  QRect ElementRect(Element element) const;
  // Elements with that tag, in document order (tests, tools).
  std::vector<Element> ElementsByTag(const QString& tag) const;

  QString SelectedText() const;  // line breaks CR LF
  void SelectAll();
  // Selection to the clipboard (through ModalServices); false when nothing is selected.
  bool Copy();
  // The view is read-only: nothing is pasted. Kept so Ctrl+V has a target.
  bool Paste();

  QTextBrowser* View() const { return view_; }

 signals:
  // Point in this widget's coordinates. A handler may set *passOn = false to
  // swallow the click (no selection change by it).
  void leftButtonDown(QPoint point, bool* passOn);
  void doubleClicked(QPoint point, bool* passOn);
  // Qt key and modifiers of every key press.
  // The view's own copy key is not acted on: copying is the owner's call to
  // Copy(), so every copy goes through ModalServices.
  void keyPressed(int key, Qt::KeyboardModifiers modifiers);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 public:
  struct Page;  // the parsed page; internal to BrowserHost.cpp

 private:
  void Render();
  QTextBrowser* view_ = nullptr;
  std::unique_ptr<Page> page_;
  QString source_;
};

}  // namespace declarium
