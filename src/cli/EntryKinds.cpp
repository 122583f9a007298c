#include "cli/EntryKinds.h"

namespace declarium::cli {

const EntryKind* FindEntryKind(const std::string& word) {
  static const EntryKind kinds[] = {
      {"function", "函数表", 0},
      {"type", "数据类型表", 2},
      {"constant", "常量表", 3},
  };
  for (const EntryKind& k : kinds) {
    if (word == k.word) return &k;
  }
  return nullptr;
}

}  // namespace declarium::cli
