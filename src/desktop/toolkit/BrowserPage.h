// The page of the detail browser: the element tree HtmlTree reads from the HTML
// text with its style rules, and the document drawn from it, recording for
// every element the range of document positions its content occupies. Only
// BrowserHost uses it.
#pragma once

#include <QHash>
#include <QPointer>
#include <QString>
#include <QTextCharFormat>
#include <QTextTable>
#include <map>
#include <utility>
#include <vector>

#include "toolkit/BrowserHost.h"

class QTextDocument;

namespace declarium {

struct PageNode {
  bool isText = false;
  bool literal = false;                                 // text set through SetInnerText: shown as it is
  QString text;                                         // text nodes
  QString tag;                                          // elements, lower case
  std::vector<std::pair<QString, QString>> attributes;  // names lower case
  int parent = -1;
  std::vector<int> children;
  // Document range of the element's content, -1 when not shown.
  int start = -1;
  int end = -1;
  QTextCharFormat format;  // format its text was drawn with
  // Table cells.
  QPointer<QTextTable> table;
  int row = -1;
  int column = -1;
};

struct PageStyleRule {
  QHash<QString, QString> properties;
};

struct BrowserHost::Page {
  std::vector<PageNode> nodes;
  int body = -1;
  std::map<QString, PageStyleRule> styles;  // by selector (tag)
  std::vector<QPointer<QTextTable>> tables;
  std::vector<std::vector<int>> tableCells;  // per table, its cell nodes

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

// Reads html into page: the element tree and the style sheet's rules.
void ReadPage(const QString& html, BrowserHost::Page& page);
// Draws page into doc.
void DrawPage(BrowserHost::Page& page, QTextDocument& doc);

// White space as a page shows it: every run becomes one blank; lastWasSpace
// carries the state from one piece of text to the next.
QString CollapseSpaces(const QString& text, bool& lastWasSpace);
bool IsBlockTag(const QString& tag);

}  // namespace declarium
