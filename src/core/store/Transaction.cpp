#include "store/Transaction.h"

#include "store/CatalogueStore.h"

namespace declarium {

namespace {
// One name serves every level: SQLite's "rollback to" and "release" take the
// innermost savepoint of a name, and guards end in the reverse order of
// their beginning.
constexpr const char* kSavepoint = "declarium_nested";
}  // namespace

Transaction::Transaction(CatalogueStore& store) : store_(store) {
  if (!store_.IsOpen()) return;
  nested_ = store_.InTransaction();
  active_ = store_.Exec(nested_ ? std::string("savepoint ") + kSavepoint : std::string("BEGIN IMMEDIATE"), error_);
}

Transaction::~Transaction() { Rollback(); }

bool Transaction::Commit() {
  if (!active_) return false;
  if (store_.Exec(nested_ ? std::string("release ") + kSavepoint : std::string("COMMIT"), error_)) {
    active_ = false;
    return true;
  }
  const std::string failure = error_;
  Rollback();
  error_ = failure;
  return false;
}

void Transaction::Rollback() {
  if (!active_) return;
  active_ = false;
  const std::string failure = store_.error_;
  if (nested_) {
    store_.Exec(std::string("rollback to ") + kSavepoint);
    store_.Exec(std::string("release ") + kSavepoint);
  } else {
    // SQLite may have rolled back already (some errors end the transaction);
    // the refusal to roll back again is of no matter.
    store_.Exec("ROLLBACK");
  }
  // What was undone may have been a column the program added.
  store_.ColumnsChanged();
  store_.error_ = failure;
}

}  // namespace declarium
