#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <QRegularExpression>

#include "toolkit/HtmlTree.h"

namespace declarium {
namespace {

QString TakeText(xmlChar* text) {
  const QString out = text ? QString::fromUtf8(reinterpret_cast<const char*>(text)) : QString();
  xmlFree(text);
  return out;
}

int CopyNode(xmlDocPtr doc, const xmlNode* x, int parent, std::vector<PageNode>& nodes, int& body) {
  PageNode node;
  node.parent = parent;
  if (x->type == XML_TEXT_NODE || x->type == XML_CDATA_SECTION_NODE) {
    node.isText = true;
    node.text = QString::fromUtf8(reinterpret_cast<const char*>(x->content));
    nodes.push_back(std::move(node));
    return static_cast<int>(nodes.size()) - 1;
  }
  if (x->type != XML_ELEMENT_NODE) return -1;  // comments, the document node
  node.tag = QString::fromUtf8(reinterpret_cast<const char*>(x->name)).toLower();
  for (const xmlAttr* a = x->properties; a; a = a->next)
    node.attributes.emplace_back(QString::fromUtf8(reinterpret_cast<const char*>(a->name)).toLower(),
                                 TakeText(xmlNodeListGetString(doc, a->children, 1)));
  nodes.push_back(std::move(node));
  const int index = static_cast<int>(nodes.size()) - 1;
  if (nodes[static_cast<size_t>(index)].tag == u"body" && body < 0) body = index;
  for (const xmlNode* c = x->children; c; c = c->next) {
    const int child = CopyNode(doc, c, index, nodes, body);
    if (child >= 0) nodes[static_cast<size_t>(index)].children.push_back(child);
  }
  return index;
}

}  // namespace

int ReadHtmlTree(const QByteArray& page, std::vector<PageNode>& nodes) {
  // HTML5 reads the legacy entities without their ";" ("&nbsp" in the
  // pages), libxml2 does not: they get it first.
  static const QRegularExpression legacy(QStringLiteral("&(nbsp|amp|lt|gt|quot|copy|reg)(?![;A-Za-z0-9=])"));
  const QByteArray utf8 = QString::fromUtf8(page).replace(legacy, QStringLiteral("&\\1;")).toUtf8();
  int body = -1;
  xmlDocPtr doc = htmlReadMemory(utf8.constData(), static_cast<int>(utf8.size()), nullptr, "UTF-8",
                                 HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET);
  if (doc) {
    for (const xmlNode* c = doc->children; c; c = c->next) CopyNode(doc, c, -1, nodes, body);
    xmlFreeDoc(doc);
  }
  return body;
}

}  // namespace declarium
