// A new catalogue with the schema, in a temporary folder, for tests.
#pragma once

#include <string>

#include "store/CatalogueStore.h"
#include "support/Entries.h"
#include "support/TempDir.h"

namespace declarium::test {

class TestCatalogue {
 public:
  TestCatalogue();
  CatalogueStore& store() { return store_; }
  std::filesystem::path file() const { return dir_ / "data.db"; }
  const TempDir& dir() const { return dir_; }
  // Exec that must succeed.
  void Run(const std::string& sql);
  int Insert(const std::string& sql);  // returns last_insert_rowid
  // Adds entries with bound values (Entries.h).
  Entries& add() { return entries_; }

 private:
  TempDir dir_;
  CatalogueStore store_;
  Entries entries_{store_};
};

}  // namespace declarium::test
