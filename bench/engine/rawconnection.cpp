#include "rawconnection.h"

#include "text/turkish.h"

#include <sqlite3.h>

#include <stdexcept>

namespace {

int collateTurkish(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return text::compareTurkish(std::string_view(static_cast<const char *>(a), std::size_t(lengthA)),
                                std::string_view(static_cast<const char *>(b), std::size_t(lengthB)));
}

} // namespace

RawConnection::RawConnection(const std::string &path)
{
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw std::runtime_error(path + ": " + message);
    }
    sqlite3_create_collation_v2(m_db, "TR", SQLITE_UTF8, nullptr, &collateTurkish, nullptr);
}

RawConnection::~RawConnection()
{
    sqlite3_close_v2(m_db);
}

void RawConnection::exec(std::string_view sql)
{
    const std::string text(sql);
    if (sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
        fail(text);
}

std::int64_t RawConnection::scalar(std::string_view sql)
{
    RawStatement statement(*this, sql);
    if (!statement.step())
        throw std::runtime_error(std::string(sql) + ": no row");
    return statement.columnInt(0);
}

void RawConnection::fail(std::string_view what) const
{
    throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(m_db));
}

RawStatement::RawStatement(RawConnection &connection, std::string_view sql) : m_connection(connection)
{
    if (sqlite3_prepare_v2(connection.handle(), sql.data(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK)
        connection.fail(sql);
}

RawStatement::~RawStatement()
{
    sqlite3_finalize(m_stmt);
}

void RawStatement::bindText(int index, std::string_view text)
{
    sqlite3_bind_text(m_stmt, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void RawStatement::bindInt(int index, std::int64_t value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void RawStatement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool RawStatement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    m_connection.fail("step");
}

void RawStatement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

int RawStatement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

std::int64_t RawStatement::columnInt(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string_view RawStatement::columnText(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return bytes ? std::string_view(bytes, std::size_t(sqlite3_column_bytes(m_stmt, column))) : std::string_view();
}
