#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace webapp {

// A failed database statement; the message is German and safe to show.
class DatabaseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

using SqlValue = std::variant<std::nullptr_t, std::int64_t, std::string>;

// One prepared statement with bound parameters; the rows are read one by one.
class Statement {
 public:
  Statement(sqlite3* db, const std::string& sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& bind(int index, const SqlValue& value);
  Statement& bindAll(const std::vector<SqlValue>& values);
  // Steps to the next row; false when done.
  bool next();
  // Runs a statement that gives no rows.
  void run();

  std::int64_t integer(int column) const;
  std::string text(int column) const;
  bool isNull(int column) const;

 private:
  sqlite3* db_;
  sqlite3_stmt* statement_ = nullptr;
};

// The application's own SQLite database. Every access holds the lock, so the server's
// worker threads can share one connection.
class Database {
 public:
  explicit Database(const std::string& path);
  ~Database();
  Database(const Database&) = delete;
  Database& operator=(const Database&) = delete;

  std::unique_lock<std::recursive_mutex> lock() { return std::unique_lock(mutex_); }
  sqlite3* handle() { return db_; }

  void execute(const std::string& sql);
  void run(const std::string& sql, const std::vector<SqlValue>& values = {});
  std::optional<std::int64_t> singleInteger(const std::string& sql,
                                            const std::vector<SqlValue>& values = {});

 private:
  sqlite3* db_ = nullptr;
  std::recursive_mutex mutex_;
};

// Commits at commit(); rolls back when left without, so a failed posting changes nothing.
class Transaction {
 public:
  explicit Transaction(Database& db);
  ~Transaction();
  Transaction(const Transaction&) = delete;
  Transaction& operator=(const Transaction&) = delete;
  void commit();

 private:
  Database& db_;
  std::unique_lock<std::recursive_mutex> lock_;
  bool done_ = false;
};

}  // namespace webapp
