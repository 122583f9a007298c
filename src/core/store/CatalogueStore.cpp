#include "store/CatalogueStore.h"

#include <sqlite3.h>

#include "store/ConstantNumbers.h"
#include "text/Gbk.h"

namespace declarium {

Statement& Statement::operator=(Statement&& other) noexcept {
  if (this != &other) {
    if (stmt_ != nullptr) sqlite3_finalize(stmt_);
    stmt_ = other.stmt_;
    other.stmt_ = nullptr;
  }
  return *this;
}

Statement::~Statement() {
  if (stmt_ != nullptr) sqlite3_finalize(stmt_);
}

bool Statement::Finalize() {
  if (stmt_ == nullptr) return false;
  int rc = sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  return rc == SQLITE_OK;
}

CatalogueStore::~CatalogueStore() { Close(); }

bool CatalogueStore::OpenUtf8(const std::string& utf8Name, bool create) {
  Close();
  error_.clear();
  int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  sqlite3* db = nullptr;
  int rc = sqlite3_open_v2(utf8Name.c_str(), &db, flags, nullptr);
  if (rc != SQLITE_OK) {
    // sqlite3_open_v2 hands out a handle even on failure, with the reason;
    // it is of no other use.
    const char* message = db != nullptr ? sqlite3_errmsg(db) : nullptr;
    if (message != nullptr) error_ = Utf8ToGbk(message);
    sqlite3_close(db);
    return false;
  }
  db_ = db;
  // Another program or window writing at the same moment is waited for; only
  // a lock held longer than this fails, as "database is locked".
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  if (!RegisterConstantNumber(db_)) {
    // Without the function no lookup by value could run: the file is of no use.
    Failed();
    sqlite3_close(db_);
    db_ = nullptr;
    return false;
  }
  return true;
}

bool CatalogueStore::Open(std::string_view fileName, bool create) { return OpenUtf8(GbkToUtf8(fileName), create); }

bool CatalogueStore::OpenPath(const std::filesystem::path& path, bool create) {
#ifdef _WIN32
  std::u8string u8 = path.u8string();
  return OpenUtf8(std::string(u8.begin(), u8.end()), create);
#else
  return OpenUtf8(path.string(), create);
#endif
}

std::filesystem::path CatalogueStore::FilePath() const {
  const char* name = db_ != nullptr ? sqlite3_db_filename(db_, "main") : nullptr;
  if (name == nullptr || *name == '\0') return {};
  const std::string utf8(name);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

bool CatalogueStore::Close() {
  if (db_ == nullptr) return false;
  // A Statement still held elsewhere stays its owner's to finalize: the
  // connection goes when the last of them does, and none is freed under it.
  const int rc = sqlite3_close_v2(db_);
  db_ = nullptr;
  columns_.reset();
  return rc == SQLITE_OK;
}

bool CatalogueStore::Mine(const Statement& stmt) const {
  return stmt && db_ != nullptr && sqlite3_db_handle(stmt.get()) == db_;
}

bool CatalogueStore::Failed() {
  if (db_ == nullptr) return false;
  const char* message = sqlite3_errmsg(db_);
  error_ = message == nullptr ? std::string() : Utf8ToGbk(message);
  return false;
}

bool CatalogueStore::Exec(std::string_view sql, std::string& error) {
  error.clear();
  error_.clear();
  if (db_ == nullptr) return false;
  char* message = nullptr;
  std::string utf8 = GbkToUtf8(sql);
  int rc = sqlite3_exec(db_, utf8.c_str(), nullptr, nullptr, &message);
  if (message != nullptr) {
    error = Utf8ToGbk(message);
    sqlite3_free(message);
  }
  if (rc != SQLITE_OK) error_ = error;
  return rc == SQLITE_OK;
}

bool CatalogueStore::Exec(std::string_view sql) {
  std::string ignored;
  return Exec(sql, ignored);
}

Statement CatalogueStore::Prepare(std::string_view sql) {
  error_.clear();
  if (db_ == nullptr) return {};
  std::string utf8 = GbkToUtf8(sql);
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db_, utf8.c_str(), -1, &stmt, nullptr);
  if (rc != SQLITE_OK) {
    Failed();
    sqlite3_finalize(stmt);
    return {};
  }
  if (stmt == nullptr) return {};  // only white space or comments
  return Statement(stmt);
}

Statement CatalogueStore::PrepareWith(std::string_view sql, SqlValues values) {
  Statement stmt = Prepare(sql);
  int index = 0;
  for (const SqlValue& v : values) {
    if (!stmt) break;
    ++index;
    if (!(v.IsText() ? BindText(stmt, index, v.Text()) : BindInt(stmt, index, v.Number()))) stmt = Statement();
  }
  return stmt;
}

bool CatalogueStore::RunWith(std::string_view sql, SqlValues values, std::string& error) {
  Statement stmt = PrepareWith(sql, values);
  const bool ok = stmt && Step(stmt) == SQLITE_DONE;
  error = ok ? std::string() : error_;
  return ok;
}

bool CatalogueStore::RunWith(std::string_view sql, SqlValues values) {
  std::string ignored;
  return RunWith(sql, values, ignored);
}

bool CatalogueStore::NextRow(Statement& stmt) {
  const int rc = Step(stmt);
  return rc == SQLITE_ROW;
}

int CatalogueStore::Step(Statement& stmt) {
  if (!Mine(stmt)) return SQLITE_ERROR;
  const int rc = sqlite3_step(stmt.get());
  if (rc != SQLITE_ROW && rc != SQLITE_DONE) Failed();
  return rc;
}

bool CatalogueStore::StepOnce(Statement& stmt) {
  const int rc = Step(stmt);
  return rc == SQLITE_ROW || rc == SQLITE_DONE;
}

bool CatalogueStore::Reset(Statement& stmt) {
  if (!Mine(stmt)) return false;
  // After a failed step the reset repeats that step's error, already kept.
  return sqlite3_reset(stmt.get()) == SQLITE_OK;
}

bool CatalogueStore::BindText(Statement& stmt, int index, std::string_view gbk) {
  if (!Mine(stmt)) return false;
  std::string utf8 = GbkToUtf8(gbk);
  return sqlite3_bind_text64(stmt.get(), index, utf8.data(), utf8.size(), SQLITE_TRANSIENT, SQLITE_UTF8) == SQLITE_OK ||
         Failed();
}

bool CatalogueStore::BindInt(Statement& stmt, int index, long long value) {
  if (!Mine(stmt)) return false;
  return sqlite3_bind_int64(stmt.get(), index, value) == SQLITE_OK || Failed();
}

std::string CatalogueStore::ColumnText(Statement& stmt, int column) {
  if (!Mine(stmt)) return {};
  const unsigned char* text = sqlite3_column_text(stmt.get(), column);
  if (text == nullptr) return {};
  int bytes = sqlite3_column_bytes(stmt.get(), column);
  return Utf8ToGbk(std::string_view(reinterpret_cast<const char*>(text), bytes));
}

std::string CatalogueStore::ColumnUtf8(Statement& stmt, int column) {
  if (!Mine(stmt)) return {};
  const unsigned char* text = sqlite3_column_text(stmt.get(), column);
  if (text == nullptr) return {};
  int bytes = sqlite3_column_bytes(stmt.get(), column);
  return std::string(reinterpret_cast<const char*>(text), static_cast<size_t>(bytes));
}

int CatalogueStore::ColumnInt(Statement& stmt, int column) {
  if (!Mine(stmt)) return 0;
  return sqlite3_column_int(stmt.get(), column);
}

bool CatalogueStore::Finalize(Statement& stmt) {
  // The finalize of a statement whose step failed repeats that step's error,
  // already kept; the connection's own text is read before the statement goes.
  const bool mine = Mine(stmt);
  if (stmt.Finalize()) return true;
  if (mine && error_.empty()) Failed();
  return false;
}

bool CatalogueStore::InTransaction() const { return db_ != nullptr && sqlite3_get_autocommit(db_) == 0; }

const OwnColumns& CatalogueStore::Columns() {
  if (!columns_) {
    // Looking is no operation of the caller's: a failure it has yet to
    // report keeps its text.
    const std::string pending = error_;
    columns_ = DetectOwnColumns(*this);
    error_ = pending;
  }
  return *columns_;
}

int CatalogueStore::QueryInt(std::string_view sql, int fallback) {
  int v = 0;
  return TryQueryInt(sql, v) ? v : fallback;
}

bool CatalogueStore::TryQueryInt(std::string_view sql, int& value) {
  Statement stmt = Prepare(sql);
  if (!stmt || !StepOnce(stmt)) return false;
  value = ColumnInt(stmt, 0);
  return Finalize(stmt);
}

std::string CatalogueStore::QueryText(std::string_view sql) {
  std::string v;
  return TryQueryText(sql, v) ? v : std::string();
}

bool CatalogueStore::TryQueryText(std::string_view sql, std::string& value) {
  Statement stmt = Prepare(sql);
  if (!stmt || !StepOnce(stmt)) return false;
  value = ColumnText(stmt, 0);
  return Finalize(stmt);
}

int CatalogueStore::QueryIntWith(std::string_view sql, SqlValues values, int fallback) {
  int v = 0;
  return TryQueryIntWith(sql, values, v) ? v : fallback;
}

bool CatalogueStore::TryQueryIntWith(std::string_view sql, SqlValues values, int& value) {
  Statement stmt = PrepareWith(sql, values);
  if (!stmt || !StepOnce(stmt)) return false;
  value = ColumnInt(stmt, 0);
  return Finalize(stmt);
}

std::string CatalogueStore::QueryTextWith(std::string_view sql, SqlValues values) {
  std::string v;
  return TryQueryTextWith(sql, values, v) ? v : std::string();
}

bool CatalogueStore::TryQueryTextWith(std::string_view sql, SqlValues values, std::string& value) {
  Statement stmt = PrepareWith(sql, values);
  if (!stmt || !StepOnce(stmt)) return false;
  value = ColumnText(stmt, 0);
  return Finalize(stmt);
}

// The connection's own value, the same that "select last_insert_rowid()"
// gives, without a statement per inserted row.
int CatalogueStore::LastInsertId() {
  if (db_ == nullptr) return 0;
  return static_cast<int>(sqlite3_last_insert_rowid(db_));
}

}  // namespace declarium
