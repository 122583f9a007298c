#include "output/LayoutReport.h"

#include <algorithm>
#include <cstdio>

namespace declarium {
namespace {

std::string Column(long long n, int width) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%*lld", width, n);
  return buffer;
}

std::string Padded(const std::string& text, std::size_t width) {
  return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

std::string Totals(const char* rules, const TypeLayout& layout) {
  return std::string(rules) + " " + std::to_string(layout.size) + " 字节，按 " + std::to_string(layout.align) +
         " 字节对齐";
}

}  // namespace

std::string LayoutReport(const DataTypeRecord& d, bool for64, const DataTypeLookup& lookup) {
  const char* cName = for64 ? "64 位 C" : "32 位 C";
  const char* vbName = for64 ? "VBA 7" : "VB6";
  const auto c = LayOutDataType(d, for64 ? LayoutRules::C64 : LayoutRules::C32, lookup);
  const auto vb = LayOutDataType(d, for64 ? LayoutRules::Vba64 : LayoutRules::Vb6, lookup);
  if (!c || !vb) return {};
  std::string out = d.name + "：" + Totals(cName, *c) + "；" + Totals(vbName, *vb) + "\r\n";
  out += std::string("  偏移  大小  ") + (for64 ? "VBA 偏移" : "VB6 偏移") + "  成员\r\n";
  std::size_t nameWidth = 8;
  for (const ParameterRecord& m : d.members) nameWidth = std::max(nameWidth, m.name.size() + 2);
  long long end = 0;
  for (std::size_t i = 0; i < d.members.size(); ++i) {
    const MemberLayout& at = c->members[i];
    if (at.offset > end) out += Column(end, 6) + Column(at.offset - end, 6) + "            （空隙）\r\n";
    const long long vbOffset = vb->members[i].offset;
    // A mark where VB would place the member elsewhere, unless padded.
    out += Column(at.offset, 6) + Column(at.size, 6) + Column(vbOffset, 10) + (vbOffset != at.offset ? "* " : "  ") +
           Padded(d.members[i].name, nameWidth) + d.members[i].type;
    if (!d.members[i].array.empty()) out += " [" + d.members[i].array + "]";
    // 64-bit sizes come from the C type, where the generated catalogue kept it.
    if (for64 && !d.members[i].nativeType.empty()) out += "（" + d.members[i].nativeType + "）";
    out += "\r\n";
    end = at.offset + at.size;
  }
  if (c->size > end) out += Column(end, 6) + Column(c->size - end, 6) + "            （结尾空隙）\r\n";
  return out;
}

}  // namespace declarium
