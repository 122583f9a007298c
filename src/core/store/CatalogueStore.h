// The one connection to the catalogue database. Text crosses this interface
// as GBK; the database holds UTF-8. Every operation fails softly: a missing
// connection or statement gives the operation's failure value.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "store/Tables.h"

struct sqlite3;
struct sqlite3_stmt;

namespace declarium {

// Step results (SQLite's codes): a row is ready, or the rows are done. Any
// other result is an error, whose text ErrorMessage gives.
inline constexpr int kStepRow = 100;
inline constexpr int kStepDone = 101;

// How long a connection waits for another's lock before it fails.
inline constexpr int kBusyTimeoutMs = 5000;

// A prepared query, owned by whoever prepared it. An empty Statement is "no
// statement". It is finalized when it goes out of scope, so an early return
// cannot leak it; Finalize ends it earlier and reports SQLite's answer.
class Statement {
 public:
  Statement() = default;
  explicit Statement(sqlite3_stmt* stmt) : stmt_(stmt) {}
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;
  Statement(Statement&& other) noexcept : stmt_(other.stmt_) { other.stmt_ = nullptr; }
  Statement& operator=(Statement&& other) noexcept;
  ~Statement();

  explicit operator bool() const { return stmt_ != nullptr; }
  sqlite3_stmt* get() const { return stmt_; }
  // Finalizes now; false when there was no statement or SQLite reports an error.
  bool Finalize();

 private:
  sqlite3_stmt* stmt_ = nullptr;
};

// A value for a statement's placeholder: a text (GBK, stored as the
// database's UTF-8) or an integer. It refers to the caller's text, so it
// lives only as long as the call it is given to.
class SqlValue {
 public:
  SqlValue(std::string_view gbk) : text_(gbk), isText_(true) {}
  SqlValue(const std::string& gbk) : SqlValue(std::string_view(gbk)) {}
  SqlValue(const char* gbk) : SqlValue(std::string_view(gbk)) {}
  SqlValue(int value) : number_(value) {}
  SqlValue(long value) : number_(value) {}
  SqlValue(long long value) : number_(value) {}

  bool IsText() const { return isText_; }
  std::string_view Text() const { return text_; }
  long long Number() const { return number_; }

 private:
  std::string_view text_;
  long long number_ = 0;
  bool isText_ = false;
};
using SqlValues = std::initializer_list<SqlValue>;

class CatalogueStore {
 public:
  CatalogueStore() = default;
  CatalogueStore(const CatalogueStore&) = delete;
  CatalogueStore& operator=(const CatalogueStore&) = delete;
  ~CatalogueStore();

  // fileName is GBK text, passed on as UTF-8 (a relative name resolves against
  // the current directory). Without create a missing file is a failure.
  bool Open(std::string_view fileName, bool create);
  // The same for a path of the platform's own encoding.
  bool OpenPath(const std::filesystem::path& path, bool create);
  // Closes the connection; statements still held stay valid to destroy (the
  // connection is freed with the last of them) but do nothing more.
  bool Close();
  bool IsOpen() const { return db_ != nullptr; }
  // The open file's full path as the database names it; empty when none is open.
  std::filesystem::path FilePath() const;

  // Runs every statement of sql in order; error receives SQLite's text (empty on success).
  bool Exec(std::string_view sql, std::string& error);
  bool Exec(std::string_view sql);

  Statement Prepare(std::string_view sql);
  // One statement with its placeholders ("?" or "?N", in order) given values:
  // the way a value reaches the program's own statements. An empty Statement
  // when preparing or binding fails.
  Statement PrepareWith(std::string_view sql, SqlValues values);
  // Runs such a statement to its end (an update, insert or delete); error
  // receives the database's text.
  bool RunWith(std::string_view sql, SqlValues values, std::string& error);
  bool RunWith(std::string_view sql, SqlValues values);
  // True while a row is ready. At false the rows are done, or the step
  // failed: a read loop ends with Finalize, which tells the two apart.
  bool NextRow(Statement& stmt);
  int Step(Statement& stmt);
  // Steps a query of at most one row: false when the step failed; with no
  // row the cells read empty.
  bool StepOnce(Statement& stmt);
  bool Reset(Statement& stmt);
  // Values for the statement's "?" placeholders (1-based), the text given in
  // GBK and stored as the database's UTF-8: the other safe way for a value
  // to reach SQL, beside the quoting helper.
  bool BindText(Statement& stmt, int index, std::string_view gbk);
  bool BindInt(Statement& stmt, int index, long long value);
  std::string ColumnText(Statement& stmt, int column);
  // The column's text as the database holds it (UTF-8), unconverted.
  std::string ColumnUtf8(Statement& stmt, int column);
  int ColumnInt(Statement& stmt, int column);
  bool Finalize(Statement& stmt);
  // The database's text for the last call of this store that failed, taken
  // when it failed, so that what ran after it (a finalize, a rollback) does
  // not replace it. Empty when none has failed since the latest statement
  // was prepared or run: a query that merely found no row has no message.
  const std::string& ErrorMessage() const { return error_; }
  // text, and on a line of its own that message when there is one: what a
  // failed read or copy tells the user.
  std::string WithErrorMessage(std::string text) const {
    if (!error_.empty()) text += "\r\n" + error_;
    return text;
  }

  // Whether a transaction is open (Transaction.h begins and ends them).
  bool InTransaction() const;

  // Prepare, Step once, ColumnInt of column 0, Finalize; fallback when the
  // query fails.
  int QueryInt(std::string_view sql, int fallback = 0);
  // The same, telling a failed query (false) from a value (0 without a row).
  bool TryQueryInt(std::string_view sql, int& value);
  // Prepare, Step once, ColumnText of column 0, Finalize; empty on failure.
  std::string QueryText(std::string_view sql);
  bool TryQueryText(std::string_view sql, std::string& value);
  // The same for a query with values, as PrepareWith takes them.
  int QueryIntWith(std::string_view sql, SqlValues values, int fallback = 0);
  bool TryQueryIntWith(std::string_view sql, SqlValues values, int& value);
  std::string QueryTextWith(std::string_view sql, SqlValues values);
  bool TryQueryTextWith(std::string_view sql, SqlValues values, std::string& value);
  // The id of the last inserted row, as "select last_insert_rowid()" gives it.
  int LastInsertId();

  // The columns the program adds to the schema, as the open file has them:
  // looked up at the first use after opening, and again after the program
  // changed them (ColumnsChanged), not on every call.
  const OwnColumns& Columns();
  void ColumnsChanged() { columns_.reset(); }

  sqlite3* handle() const { return db_; }

 private:
  // A guard's rollback is no operation of the caller's: it keeps the text of
  // the failure that caused it.
  friend class Transaction;
  bool OpenUtf8(const std::string& utf8Name, bool create);
  // Keeps the connection's text for the call that just failed; returns false.
  bool Failed();
  // A statement of the open connection: one kept past Close (or from an
  // earlier connection) is never stepped or read.
  bool Mine(const Statement& stmt) const;
  sqlite3* db_ = nullptr;
  std::string error_;
  std::optional<OwnColumns> columns_;
};

}  // namespace declarium
