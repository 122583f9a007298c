#include <gumbo.h>

#include "toolkit/HtmlTree.h"

namespace declarium {
namespace {

int CopyNode(const GumboNode* g, int parent, std::vector<PageNode>& nodes, int& body) {
  PageNode node;
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
    case GUMBO_NODE_TEMPLATE: break;
    default: return -1;  // comments, the document node
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

}  // namespace

int ReadHtmlTree(const QByteArray& utf8, std::vector<PageNode>& nodes) {
  int body = -1;
  GumboOutput* output =
      gumbo_parse_with_options(&kGumboDefaultOptions, utf8.constData(), static_cast<size_t>(utf8.size()));
  if (output) {
    CopyNode(output->root, -1, nodes, body);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
  }
  return body;
}

}  // namespace declarium
