// The one way to make several statements all or nothing.
#pragma once

#include <string>

namespace declarium {

class CatalogueStore;

// Rolls back unless committed, so that an early return or an exception
// cannot leave half a change behind. Where no transaction is open it begins
// one with the write lock taken at once (BEGIN IMMEDIATE): SQLite does not
// let a transaction that read first wait for another writer, as that could
// deadlock, so a lock taken later would fail at once instead of waiting the
// busy timeout. Inside an open transaction it is a savepoint, undone alone
// and kept only if the outer transaction is.
class Transaction {
 public:
  explicit Transaction(CatalogueStore& store);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;

  // Begun and not yet ended. False from the start when it could not begin
  // (no connection, the lock held past the timeout): then nothing may be written.
  bool Active() const { return active_; }
  explicit operator bool() const { return active_; }
  // Keeps what was done; a commit that fails (the file locked by a reader,
  // say) rolls back, so that false always means nothing was kept.
  bool Commit();
  // Undoes now what was done; the guard is then ended.
  void Rollback();
  // The database's text for the begin or commit that failed; empty otherwise.
  const std::string& Error() const { return error_; }

 private:
  CatalogueStore& store_;
  bool nested_ = false;
  bool active_ = false;
  std::string error_;
};

}  // namespace declarium
