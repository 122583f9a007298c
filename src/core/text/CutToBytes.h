// Cutting GBK text to a byte budget, as the fixed-size fields of the
// settings dialogs keep it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace declarium {

// The longest start of text that fits in maxBytes bytes without splitting a
// double-byte character: a character that would only half fit is dropped whole.
std::string CutToBytes(std::string_view text, std::size_t maxBytes);

}  // namespace declarium
