// The element tree of a page's HTML, read by an HTML5 parser: gumbo where
// it is installed (Linux), libxml2's HTML parser in the Windows build, for
// which no gumbo could be built from Debian's source. Both read what the
// detail pages hold the same way: implied html, head and body, unquoted
// attribute values ("style={color=#008000;}"), "&nbsp" without ";".
#pragma once

#include <QByteArray>
#include <vector>

#include "toolkit/BrowserPage.h"

namespace declarium {

// Appends the nodes of the document (elements and texts; comments and the
// document node are left out) to nodes; gives the index of the body element,
// or -1.
int ReadHtmlTree(const QByteArray& utf8, std::vector<PageNode>& nodes);

}  // namespace declarium
