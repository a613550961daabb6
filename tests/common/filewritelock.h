#pragma once

#include <sqlite3.h>

#include <filesystem>

// Another program writing to a table file: while it lives, every write to
// that file fails (the engine reports the table busy); reading goes on.
class FileWriteLock
{
public:
    explicit FileWriteLock(const std::filesystem::path &file)
    {
        // SQLite takes every file name in UTF-8.
        const std::u8string name = file.u8string();
        sqlite3_open(reinterpret_cast<const char *>(name.c_str()), &m_db);
        m_locked = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
    }
    ~FileWriteLock()
    {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(m_db);
    }
    FileWriteLock(const FileWriteLock &) = delete;
    FileWriteLock &operator=(const FileWriteLock &) = delete;

    bool isLocked() const { return m_locked; }

private:
    sqlite3 *m_db = nullptr;
    bool m_locked = false;
};
