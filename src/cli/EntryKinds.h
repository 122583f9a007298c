// The entry kinds named on the command line.
#pragma once

#include <string>

#include "store/Records.h"

namespace declarium::cli {

struct EntryKind {
  const char* word;   // function, type, constant
  const char* table;  // its table (GBK)
  declarium::EntryKind entryKind;
};

// Null for a word that names no kind.
const EntryKind* FindEntryKind(const std::string& word);

}  // namespace declarium::cli
