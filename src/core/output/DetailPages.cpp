#include "output/DetailPages.h"

#include "output/CSharp64.h"
#include "output/Vba7.h"
#include "output/TypeNames.h"
#include "store/Loaders.h"
#include "text/TextPrimitives.h"

namespace declarium {
namespace {

// A stored value as page text: "&", "<" and ">" would be read as markup and
// break the table (and with it the cells that editing finds by point).
std::string Html(std::string_view v) {
  if (v.find_first_of("&<>") == std::string_view::npos) return std::string(v);
  std::string out;
  out.reserve(v.size() + 16);
  for (char c : v) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

// An empty cell would collapse, so some cells show "&nbsp" instead.
std::string BlankToSpace(const std::string& v) { return TrimSpacesView(v).empty() ? "&nbsp" : Html(v); }
std::string EmptyToSpace(const std::string& v) { return v.empty() ? "&nbsp" : Html(v); }

// The opening of a value cell up to and including the ">" after the column
// name; the detail view host reads the three attributes back for editing.
std::string Cell(std::string_view attributes, int id, std::string_view table, std::string_view field) {
  std::string out = "<td";
  out += attributes;
  out += " id=" + DecimalText(id) + " TableName=";
  out += table;
  out += " FieldName=";
  out += field;
  out += ">";
  return out;
}

// A C# parameter whose name starts with h is taken as a handle.
bool StartsWithH(const std::string& name) { return !name.empty() && (name[0] == 'h' || name[0] == 'H'); }

}  // namespace

const std::string& DetailStyleSheet() {
  static const std::string sheet =
      "<style>\r\ntd {font-size:12px;border:1px #888888 solid;font-family:宋体;}\r\ntable "
      "{border:1px #888888 solid;border-collapse:collapse;margin-top:3px;}\r\npre "
      "{font-size:12px;margin-top:3px}\r\n</style>\r\n";
  return sheet;
}

namespace {

// A type cell of the C# page shows the type without the marks that other
// cells show (传址, 数组).
std::string Shown(std::string type) {
  if (type.rfind("ref ", 0) == 0) type.erase(0, 4);
  if (type.size() > 2 && type.compare(type.size() - 2, 2, "[]") == 0) type.resize(type.size() - 2);
  return type;
}

}  // namespace

std::string BuildFunctionPage(const FunctionRecord& f, SyntaxKind v, bool native64) {
  const bool native = v == SyntaxKind::CSharp && native64;
  const bool vba7 = v == SyntaxKind::Vb && native64;
  CSharpValue value;
  VbValue vb;
  const std::string_view t = "函数表";
  const int id = f.id;
  std::string out =
      "<table cellpadding=\"3\">\r\n<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap colspan=\"3\">函数说明</td>\r\n"
      "<td nowrap colspan=\"3\">其他说明</td>\r\n</tr>";
  out += "<tr>" + Cell(" colspan=3 style={color=#008000;}", id, t, "函数说明") + BlankToSpace(f.description) + "</td>";
  out += Cell(" colspan=3 style={color=#008000;}", id, t, "其他说明") + BlankToSpace(f.notes) + "</td></tr>";
  if (v == SyntaxKind::CSharp) {
    out +=
        "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap colspan=\"3\">CharSet</td>\r\n<td nowrap "
        "colspan=\"3\">CallingConvention</td>\r\n</tr>";
    // With C# for 64-bit processes, what the copy writes.
    const std::string charSet = native && f.charSet.empty() ? CSharp64CharSet(f) : f.charSet;
    out +=
        "<tr>" + Cell(" nowrap colspan=3 style={color=#000080;}", id, t, "CharSet") + BlankToSpace(charSet) + "</td>";
    out += Cell(" nowrap colspan=3 style={color=#000080;}", id, t, "CallingConvention") +
           BlankToSpace(f.callingConvention) + "</td></tr>";
  }
  out +=
      "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">DLL命令名</td>\r\n<td nowrap "
      "width=\"70\">中文名</td>\r\n<td nowrap width=\"70\">返回值类型</td>\r\n<td nowrap "
      "colspan=3>备注</td>\r\n</tr>";
  out += "<tr>" + Cell(" nowrap style={color=#000080;}", id, t, "名称") + Html(f.name) + "</td>";
  out += Cell(" nowrap style={color=#000080;}", id, t, "中文名") + Html(f.chineseName) + "</td>";
  out += Cell(" nowrap style={color=#0000FF;}", id, t, "返回值类型") +
         Html(native && CSharp64Return(f, value) ? value.type
              : vba7 && Vba7Return(f, vb)        ? vb.type
                                                 : MapTypeName(f.returnType, f.syntax, v)) +
         "</td>";
  out += Cell(" nowrap colspan=3 style={color=#008000;}", id, t, "备注") + Html(f.remark) + "</td></tr>";
  out += "<tr bgcolor=#E6EDE4><td colspan=2>DLL库文件名：</td><td colspan=4>在DLL库中对应命令名：</td></tr>";
  out += "<tr>" + Cell(" nowrap colspan=2 style={color=#800000;}", id, t, "库名") + Html(f.library) + "</td>" +
         Cell(" nowrap colspan=4 style={color=#800000;}", id, t, "库对应命令") + Html(f.entryPoint) + "</td></tr>";
  out +=
      "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">参数名</td>\r\n<td nowrap "
      "width=\"70\">中文名</td>\r\n<td nowrap width=\"70\">类型</td>\r\n<td nowrap "
      "width=\"30\">传址</td>\r\n<td nowrap width=\"30\">数组</td>\r\n<td nowrap "
      "width=\"100\">备注</td>\r\n</tr>\r\n";
  const std::string_view pt = "函数参数表";
  for (const ParameterRecord& p : f.parameters) {
    const std::string type = native && CSharp64Parameter(p, value)            ? Shown(value.type)
                             : vba7 && Vba7Parameter(p, vb)                   ? vb.type
                             : v == SyntaxKind::CSharp && StartsWithH(p.name) ? std::string("IntPtr")
                                                                              : MapTypeName(p.type, f.syntax, v);
    out += "<tr>" + Cell(" nowrap", p.id, pt, "名称") + Html(p.name) + "</td>";
    out += Cell(" nowrap", p.id, pt, "中文名") + Html(p.chineseName) + "</td>";
    out += Cell(" nowrap style={color=#0000FF;}", p.id, pt, "数据类型") + Html(type) + "</td>";
    out += Cell(" nowrap style={color=#800000;} align=center", p.id, pt, "传址") + (p.byRef ? "√" : "") + "</td>";
    out +=
        Cell(" nowrap style={color=#800000;} align=center", p.id, pt, "数组") + (p.array == "1" ? "√" : "") + "</td>";
    out += Cell(" nowrap style={color=#008000;}", p.id, pt, "备注") + Html(p.remark) + "</td></tr>";
  }
  out += "</table>";
  return out;
}

std::string BuildDataTypePage(const DataTypeRecord& d, SyntaxKind v, bool native64) {
  const bool native = v == SyntaxKind::CSharp && native64;
  const bool vba7 = v == SyntaxKind::Vb && native64;
  CSharpValue value;
  VbValue vb;
  const std::string_view t = "数据类型表";
  const int id = d.id;
  std::string out =
      "<table cellpadding=\"3\">\r\n<tr bgcolor=\"#E6EDE4\">\r\n<td width=\"70\">数据类型名</td>\r\n<td "
      "width=\"70\">中文名</td>\r\n<td width=\"100\" colspan=4>备注</td>\r\n</tr>";
  out += "<tr>" + Cell(" nowrap style={color=#000080;}", id, t, "名称") + Html(d.name) + "</td>";
  out += Cell(" nowrap style={color=#000080;}", id, t, "中文名") + Html(d.chineseName) + "</td>";
  out += Cell(" nowrap colspan=4 style={color=#008000;}", id, t, "备注") + Html(d.remark) + "</td></tr>";
  if (v == SyntaxKind::CSharp) {
    out +=
        "<tr bgcolor=\"#E6EDE4\">\r\n<td width=\"70\">CharSet</td>\r\n<td width=\"70\">Pack</td>\r\n<td "
        "width=\"100\" colspan=4>Size</td>\r\n</tr>";
    out += "<tr>" + Cell(" nowrap style={color=#000080;}", id, t, "CharSet") + EmptyToSpace(d.charSet) + "</td>";
    out += Cell(" nowrap style={color=#000080;}", id, t, "Pack") + EmptyToSpace(native ? CSharp64Pack(d) : d.pack) +
           "</td>";
    out += Cell(" nowrap colspan=4 style={color=#000080;}", id, t, "Size") + EmptyToSpace(d.size) + "</td></tr>";
  }
  out +=
      "<tr bgcolor=\"#E6EDE4\">\r\n<td nowrap width=\"70\">成员名</td>\r\n<td nowrap "
      "width=\"70\">中文名</td>\r\n<td nowrap width=\"70\">类型</td>\r\n<td nowrap "
      "width=\"30\">传址</td>\r\n<td nowrap width=\"30\">数组</td>\r\n<td nowrap "
      "width=\"100\">备注</td>\r\n</tr>\r\n";
  const std::string_view mt = "数据类型成员表";
  for (const ParameterRecord& m : d.members) {
    out += "<tr>" + Cell(" nowrap", m.id, mt, "名称") + Html(m.name) + "</td>";
    out += Cell(" nowrap", m.id, mt, "中文名") + Html(m.chineseName) + "</td>";
    out += Cell(" nowrap style={color=#0000FF;}", m.id, mt, "数据类型") +
           Html(native && CSharp64Member(m, value) ? Shown(value.type)
                : vba7 && Vba7Member(m, vb)        ? vb.type
                                                   : MapTypeName(m.type, d.syntax, v)) +
           "</td>";
    out += Cell(" nowrap align=center style={color=#800000;}", m.id, mt, "传址") + (m.byRef ? "√" : "&nbsp") + "</td>";
    out += Cell(" nowrap", m.id, mt, "数组") + Html(m.array) + "</td>";
    out += Cell(" nowrap style={color=#008000;}", m.id, mt, "备注") + Html(m.remark) + "</td></tr>";
  }
  out += "</table>";
  return out;
}

bool BuildDetailDocument(CatalogueStore& store, std::string_view table, int id, SyntaxKind v, DetailDocument& out,
                         bool native64) {
  if (table == "函数表") {
    FunctionRecord f;
    if (!LoadFunction(store, id, f)) return false;
    out.shown = true;
    out.html = DetailStyleSheet() + BuildFunctionPage(f, v, native64);
    out.remark = f.remark;
    out.entryText = f.description;
    out.name = f.name;
    return true;
  }
  if (table == "数据类型表") {
    DataTypeRecord d;
    if (!LoadDataType(store, id, d)) return false;
    out.shown = true;
    out.html = DetailStyleSheet() + BuildDataTypePage(d, v, native64);
    out.remark = d.remark;
    out.entryText = d.name;
    out.name = d.name;
    return true;
  }
  // Constants and anything else have no page; nothing to show is no failure.
  out = DetailDocument{};
  return true;
}

}  // namespace declarium
