#include "webapp/database.h"

namespace webapp {

namespace {
[[noreturn]] void fail(sqlite3* db, const std::string& what) {
  throw DatabaseError("Datenbankfehler (" + what + "): " + sqlite3_errmsg(db));
}
}  // namespace

Statement::Statement(sqlite3* db, const std::string& sql) : db_(db) {
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
    fail(db, "Vorbereiten");
}

Statement::~Statement() { sqlite3_finalize(statement_); }

Statement& Statement::bind(int index, const SqlValue& value) {
  int rc = SQLITE_OK;
  if (std::holds_alternative<std::nullptr_t>(value)) {
    rc = sqlite3_bind_null(statement_, index);
  } else if (const auto* number = std::get_if<std::int64_t>(&value)) {
    rc = sqlite3_bind_int64(statement_, index, *number);
  } else {
    const auto& text = std::get<std::string>(value);
    rc = sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()),
                           SQLITE_TRANSIENT);
  }
  if (rc != SQLITE_OK) fail(db_, "Parameter");
  return *this;
}

Statement& Statement::bindAll(const std::vector<SqlValue>& values) {
  for (std::size_t i = 0; i < values.size(); ++i) bind(static_cast<int>(i) + 1, values[i]);
  return *this;
}

bool Statement::next() {
  const int rc = sqlite3_step(statement_);
  if (rc == SQLITE_ROW) return true;
  if (rc != SQLITE_DONE) fail(db_, "Ausführen");
  return false;
}

void Statement::run() {
  while (next()) {
  }
}

std::int64_t Statement::integer(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::string Statement::text(int column) const {
  const auto* bytes = sqlite3_column_text(statement_, column);
  return bytes ? std::string(reinterpret_cast<const char*>(bytes)) : std::string();
}

bool Statement::isNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

Database::Database(const std::string& path) {
  if (sqlite3_open_v2(path.c_str(), &db_,
                      SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX,
                      nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "kein Speicher";
    sqlite3_close(db_);
    db_ = nullptr;
    throw DatabaseError("Die Datenbank " + path + " lässt sich nicht öffnen: " + message);
  }
  sqlite3_busy_timeout(db_, 5000);
  execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL; PRAGMA foreign_keys=ON;");
}

Database::~Database() { sqlite3_close(db_); }

void Database::execute(const std::string& sql) {
  auto guard = lock();
  char* message = nullptr;
  if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : "";
    sqlite3_free(message);
    throw DatabaseError("Datenbankfehler: " + text);
  }
}

void Database::run(const std::string& sql, const std::vector<SqlValue>& values) {
  auto guard = lock();
  Statement(db_, sql).bindAll(values).run();
}

std::optional<std::int64_t> Database::singleInteger(const std::string& sql,
                                                    const std::vector<SqlValue>& values) {
  auto guard = lock();
  Statement statement(db_, sql);
  statement.bindAll(values);
  if (!statement.next() || statement.isNull(0)) return std::nullopt;
  return statement.integer(0);
}

Transaction::Transaction(Database& db) : db_(db), lock_(db.lock()) {
  db_.execute("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
  if (!done_) sqlite3_exec(db_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit() {
  db_.execute("COMMIT");
  done_ = true;
}

}  // namespace webapp
