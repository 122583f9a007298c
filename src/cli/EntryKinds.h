// The entry kinds named on the command line.
#pragma once

#include <string>

namespace declarium::cli {

struct EntryKind {
  const char* word;   // function, type, constant
  const char* table;  // its table (GBK)
  int browseMode;     // the list it is shown in: 0 functions, 2 data types, 3 constants
};

// Null for a word that names no kind.
const EntryKind* FindEntryKind(const std::string& word);

}  // namespace declarium::cli
