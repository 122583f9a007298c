#include "cli/EntryKinds.h"

namespace declarium::cli {

const EntryKind* FindEntryKind(const std::string& word) {
  static const EntryKind kinds[] = {
      {"function", "函数表", BrowseMode::Functions},
      {"type", "数据类型表", BrowseMode::DataTypes},
      {"constant", "常量表", BrowseMode::Constants},
  };
  for (const EntryKind& k : kinds) {
    if (word == k.word) return &k;
  }
  return nullptr;
}

}  // namespace declarium::cli
