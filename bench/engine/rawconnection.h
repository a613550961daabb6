#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A plain SQLite connection for the reference measurements and for filling the
// ledgers fast. It registers the "TR" collation (Turkish order, the program's
// own comparison) so the ledgers' text indexes can be read and written.
class RawConnection
{
public:
    // Opens an existing file for reading and writing. Throws std::runtime_error.
    explicit RawConnection(const std::string &path);
    ~RawConnection();
    RawConnection(const RawConnection &) = delete;
    RawConnection &operator=(const RawConnection &) = delete;

    sqlite3 *handle() const { return m_db; }
    // Runs SQL without results. Throws std::runtime_error.
    void exec(std::string_view sql);
    // The first column of the first row as an integer. Throws std::runtime_error.
    std::int64_t scalar(std::string_view sql);
    [[noreturn]] void fail(std::string_view what) const;

private:
    sqlite3 *m_db = nullptr;
};

// A prepared statement on a RawConnection. Throws std::runtime_error.
class RawStatement
{
public:
    RawStatement(RawConnection &connection, std::string_view sql);
    ~RawStatement();
    RawStatement(const RawStatement &) = delete;
    RawStatement &operator=(const RawStatement &) = delete;

    void bindText(int index, std::string_view text);
    void bindInt(int index, std::int64_t value);
    void bindNull(int index);
    // true while a row is ready; false when done.
    bool step();
    void reset(); // rewinds and clears the bindings

    int columnCount() const;
    std::int64_t columnInt(int column) const;
    std::string_view columnText(int column) const;

private:
    RawConnection &m_connection;
    sqlite3_stmt *m_stmt = nullptr;
};
