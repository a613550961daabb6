#pragma once

// The engine's only door to SQLite: a connection, a prepared statement and a
// transaction, each owning its handle. Nothing outside src/engine sees SQLite.

#include "engine/access.h"
#include "engine/value.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace engine::sqlite {

// An open database file. Registers the "TR" collation (Turkish order) and the
// trlower() function (Turkish lower case) on every connection.
class Connection
{
public:
    // Opens path for reading and writing (read-only when the file is write
    // protected). Raises Error when SQLite cannot open it. create: make the
    // file when it does not exist. Access::ReadOnly never writes to the file
    // and waits up to a few seconds while another program commits.
    Connection(const std::string &path, bool create, Access access = Access::ReadWrite);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    // Runs SQL text without results. Raises Error.
    void exec(std::string_view sql);
    std::int64_t lastInsertRowId() const;
    bool isReadOnly() const;
    bool inTransaction() const;
    const std::string &path() const { return m_path; }
    sqlite3 *handle() const { return m_db; }

    // Copies the whole database into the new, empty database file targetPath
    // with SQLite's online backup: one consistent state of the file, whatever
    // other connections are doing. Raises Error; the caller removes a target
    // left by a failure.
    void backupTo(const std::string &targetPath);

    // Raises Error built from the connection's last failure, with context
    // prepended to the message.
    [[noreturn]] void fail(int resultCode, std::string_view context) const;

private:
    sqlite3 *m_db = nullptr;
    std::string m_path;
};

class Statement
{
public:
    // Prepares sql on connection. Raises Error.
    Statement(Connection &connection, std::string_view sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(int index, const Value &value, FieldType type); // 1-based
    void bindText(int index, std::string_view text);
    void bindInt(int index, std::int64_t value);
    void bindNull(int index);

    // Steps once: true when a row is ready, false when done. Raises Error.
    bool step();
    // step() until done, for statements without results.
    void run();
    // Rewinds and clears the bindings.
    void reset();
    // Rewinds, keeping the bindings.
    void rewind();

    int columnCount() const;
    bool isNull(int column) const;
    std::int64_t columnInt(int column) const;
    std::string columnText(int column) const;
    std::string columnName(int column) const;
    // Reads column as a value of the given field type (dates from ISO text,
    // money as kuruş, booleans from 0/1).
    Value column(int column, FieldType type) const;

private:
    Connection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
};

// A read transaction: the reads inside it share one lock of the file instead
// of taking and dropping it per statement. Does nothing when a transaction is
// already open on the connection.
class ReadTransaction
{
public:
    explicit ReadTransaction(Connection &connection);
    ~ReadTransaction();

private:
    Connection &m_connection;
    bool m_began = false;
};

// A transaction that rolls back unless committed.
class Transaction
{
public:
    explicit Transaction(Connection &connection);
    ~Transaction();
    void commit();

private:
    Connection &m_connection;
    bool m_done = false;
};

} // namespace engine::sqlite
