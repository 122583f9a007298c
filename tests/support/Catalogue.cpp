#include "support/Catalogue.h"

#include <stdexcept>

#include "store/Schema.h"

namespace declarium::test {

TestCatalogue::TestCatalogue() {
  if (!store_.OpenPath(file(), true)) throw std::runtime_error("cannot create test catalogue");
  std::string error;
  if (!CreateSchema(store_, error)) throw std::runtime_error("schema: " + error);
}

void TestCatalogue::Run(const std::string& sql) {
  std::string error;
  if (!store_.Exec(sql, error)) throw std::runtime_error(sql + ": " + error);
}

int TestCatalogue::Insert(const std::string& sql) {
  Run(sql);
  return store_.LastInsertId();
}

}  // namespace declarium::test
