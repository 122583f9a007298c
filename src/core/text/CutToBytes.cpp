#include "text/CutToBytes.h"

#include "text/Gbk.h"

namespace declarium {

std::string CutToBytes(std::string_view text, std::size_t maxBytes) {
  std::size_t end = 0;
  while (end < text.size()) {
    // A lead byte at the very end has no partner and counts alone.
    const std::size_t width = IsGbkLeadByte(static_cast<unsigned char>(text[end])) && end + 1 < text.size() ? 2 : 1;
    if (end + width > maxBytes) break;
    end += width;
  }
  return std::string(text.substr(0, end));
}

}  // namespace declarium
