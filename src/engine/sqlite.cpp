#include "engine/sqlite.h"

#include "engine/error.h"
#include "text/systemerror.h"

#include <sqlite3.h>

#include "engine/turkishfunctions.inc"

namespace engine::sqlite {

namespace {

int codeFor(int resultCode)
{
    switch (resultCode & 0xFF) {
    case SQLITE_CONSTRAINT:
        return code::KeyViolation;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_CANTOPEN:
        return code::ReadOnly;
    case SQLITE_FULL:
        return code::DiskFull;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return code::TableBusy;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return code::NotOurTable;
    default:
        return code::IoError;
    }
}

// path: the file the failure is about (UTF-8).
std::string reasonFor(int resultCode, const char *sqliteMessage, const std::string &path)
{
    if (resultCode == SQLITE_READONLY_DBMOVED)
        return "Dosya açıkken taşındı ya da silindi; değişiklik kaydedilmedi. Programı yeniden başlatın.";
    switch (resultCode & 0xFF) {
    case SQLITE_CONSTRAINT:
        return "Anahtar ihlali: bu anahtar değeri tabloda zaten var.";
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return "Dosyaya yazılamıyor (salt okunur).";
    case SQLITE_CANTOPEN:
        return "Dosya açılamıyor veya oluşturulamıyor.";
    case SQLITE_FULL:
        return text::diskFullReason(std::filesystem::u8path(path)) + "; değişiklik kaydedilmedi.";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "Tablo başka bir işlem tarafından kullanılıyor.";
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return "Dosya bu programın tablosu değil ya da bozuk.";
    case SQLITE_IOERR:
        return "Disk okuma/yazma hatası.";
    default:
        return std::string("Veri tabanı hatası: ") + (sqliteMessage ? sqliteMessage : "");
    }
}

} // namespace

Connection::Connection(const std::string &path, bool create, Access access) : m_path(path)
{
    int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX;
    if (create && access == Access::ReadWrite)
        flags |= SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const std::string reason = reasonFor(rc, m_db ? sqlite3_errmsg(m_db) : nullptr, path);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw Error(path + ": " + reason, codeFor(rc));
    }
    sqlite3_extended_result_codes(m_db, 1);
    registerTurkishFunctions(m_db);
    if (access == Access::ReadOnly) {
        // A reader beside the running program (a report from the command
        // line) waits out the program's short commits instead of failing.
        sqlite3_busy_timeout(m_db, 5000);
        return;
    }
    // A post is durable when it returns: full sync on every commit.
    exec("PRAGMA synchronous=FULL");
}

void Connection::backupTo(const std::string &targetPath)
{
    Connection target(targetPath, true);
    sqlite3_backup *backup = sqlite3_backup_init(target.m_db, "main", m_db, "main");
    if (!backup)
        target.fail(sqlite3_errcode(target.m_db), targetPath);
    // All pages in one step: the source stays read-locked for the copy, so
    // the copy is one state of the file even while the program writes.
    // A commit of another program is waited out for up to ten seconds.
    int rc = sqlite3_backup_step(backup, -1);
    for (int tries = 0; (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) && tries < 200; ++tries) {
        sqlite3_sleep(50);
        rc = sqlite3_backup_step(backup, -1);
    }
    const int finished = sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE)
        target.fail(rc, m_path + " -> " + targetPath);
    if (finished != SQLITE_OK)
        target.fail(finished, targetPath);
}

Connection::~Connection()
{
    sqlite3_close_v2(m_db);
}

void Connection::exec(std::string_view sql)
{
    const std::string text(sql);
    char *message = nullptr;
    const int rc = sqlite3_exec(m_db, text.c_str(), nullptr, nullptr, &message);
    if (message)
        sqlite3_free(message);
    if (rc != SQLITE_OK)
        fail(rc, m_path);
}

std::int64_t Connection::lastInsertRowId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

bool Connection::isReadOnly() const
{
    return sqlite3_db_readonly(m_db, "main") == 1;
}

void Connection::fail(int resultCode, std::string_view context) const
{
    std::string message(context);
    if (!message.empty())
        message += ": ";
    message += reasonFor(resultCode, sqlite3_errmsg(m_db), m_path);
    throw Error(message, codeFor(resultCode));
}

Statement::Statement(Connection &connection, std::string_view sql) : m_connection(connection)
{
    const int rc = sqlite3_prepare_v2(connection.handle(), sql.data(), int(sql.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK)
        connection.fail(rc, connection.path());
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

void Statement::bind(int index, const Value &value, FieldType type)
{
    if (engine::isNull(value)) {
        bindNull(index);
        return;
    }
    switch (type) {
    case FieldType::Date:
        bindText(index, text::toIso(std::get<text::Date>(value)));
        return;
    case FieldType::Boolean:
        bindInt(index, std::get<bool>(value) ? 1 : 0);
        return;
    case FieldType::Money:
    case FieldType::AutoInc:
    case FieldType::Integer:
        bindInt(index, std::get<std::int64_t>(value));
        return;
    case FieldType::Char:
    case FieldType::Memo:
        bindText(index, std::get<std::string>(value));
        return;
    }
}

void Statement::bindText(int index, std::string_view text)
{
    sqlite3_bind_text(m_stmt, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
}

void Statement::bindInt(int index, std::int64_t value)
{
    sqlite3_bind_int64(m_stmt, index, value);
}

void Statement::bindNull(int index)
{
    sqlite3_bind_null(m_stmt, index);
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3_reset(m_stmt);
    m_connection.fail(rc, m_connection.path());
}

void Statement::run()
{
    while (step()) {
    }
}

void Statement::reset()
{
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

void Statement::rewind()
{
    sqlite3_reset(m_stmt);
}

int Statement::columnCount() const
{
    return sqlite3_column_count(m_stmt);
}

bool Statement::isNull(int column) const
{
    return sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

std::int64_t Statement::columnInt(int column) const
{
    return sqlite3_column_int64(m_stmt, column);
}

std::string Statement::columnText(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, column));
    return bytes ? std::string(bytes, std::size_t(sqlite3_column_bytes(m_stmt, column))) : std::string();
}

std::string Statement::columnName(int column) const
{
    const char *name = sqlite3_column_name(m_stmt, column);
    return name ? name : "";
}

Value Statement::column(int column, FieldType type) const
{
    if (isNull(column))
        return {};
    switch (type) {
    case FieldType::Date:
        if (auto date = text::fromIso(columnText(column)))
            return *date;
        return {};
    case FieldType::Boolean:
        return columnInt(column) != 0;
    case FieldType::Money:
        // An amount stored as a real number by another program is rounded to
        // the nearest kuruş rather than cut.
        if (sqlite3_column_type(m_stmt, column) == SQLITE_FLOAT)
            return std::int64_t(sqlite3_column_double(m_stmt, column) >= 0
                                    ? sqlite3_column_double(m_stmt, column) + 0.5
                                    : sqlite3_column_double(m_stmt, column) - 0.5);
        return columnInt(column);
    case FieldType::AutoInc:
    case FieldType::Integer:
        return columnInt(column);
    case FieldType::Char:
    case FieldType::Memo:
        return columnText(column);
    }
    return {};
}

bool Connection::inTransaction() const
{
    return sqlite3_get_autocommit(m_db) == 0;
}

ReadTransaction::ReadTransaction(Connection &connection) : m_connection(connection)
{
    if (!m_connection.inTransaction()) {
        m_connection.exec("BEGIN DEFERRED");
        m_began = true;
    }
}

ReadTransaction::~ReadTransaction()
{
    if (m_began && m_connection.inTransaction())
        sqlite3_exec(m_connection.handle(), "COMMIT", nullptr, nullptr, nullptr);
}

Transaction::Transaction(Connection &connection) : m_connection(connection)
{
    m_connection.exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction()
{
    if (!m_done) {
        try {
            m_connection.exec("ROLLBACK");
        } catch (const Error &) {
            // A failed rollback leaves SQLite to roll back from its journal on
            // the next open; nothing more can be done here.
        }
    }
}

void Transaction::commit()
{
    m_connection.exec("COMMIT");
    m_done = true;
}

} // namespace engine::sqlite
