#include "cli/EntryKinds.h"

namespace declarium::cli {

const EntryKind* FindEntryKind(const std::string& word) {
  static const EntryKind kinds[] = {
      {"function", "函数表", declarium::EntryKind::Functions},
      {"type", "数据类型表", declarium::EntryKind::DataTypes},
      {"constant", "常量表", declarium::EntryKind::Constants},
  };
  for (const EntryKind& k : kinds) {
    if (word == k.word) return &k;
  }
  return nullptr;
}

}  // namespace declarium::cli
