#pragma once

#include <sqlite3.h>

#include <string>

// A disk that stops answering reads of one table file the moment a write to
// it has committed (its rollback journal is deleted): whatever the engine
// reads after its commit fails with a disk read error. While it lives it is
// the default SQLite file system of the process, so it must be made before
// the tables it watches are opened. The file is named by its file name.
class ReadsFailAfterCommit
{
public:
    explicit ReadsFailAfterCommit(const std::string &fileName) : m_file("/" + fileName)
    {
        s_self = this;
        m_real = sqlite3_vfs_find(nullptr);
        m_vfs = *m_real;
        m_vfs.zName = "reads-fail-after-commit";
        m_vfs.szOsFile = int(sizeof(WatchedFile)) + m_real->szOsFile;
        m_vfs.xOpen = &open;
        m_vfs.xDelete = &remove;
        sqlite3_vfs_register(&m_vfs, 1);
    }
    ~ReadsFailAfterCommit()
    {
        sqlite3_vfs_register(m_real, 1);
        sqlite3_vfs_unregister(&m_vfs);
        s_self = nullptr;
    }
    ReadsFailAfterCommit(const ReadsFailAfterCommit &) = delete;
    ReadsFailAfterCommit &operator=(const ReadsFailAfterCommit &) = delete;

    // From the next commit of the file on, its reads fail.
    void arm() { m_armed = true; }
    // Reads work again.
    void disarm() { m_armed = m_failing = false; }
    bool failedAnyRead() const { return m_failedReads > 0; }

private:
    struct WatchedFile
    {
        sqlite3_file base;
        bool watched;
        sqlite3_file *real() { return reinterpret_cast<sqlite3_file *>(this + 1); }
    };

    static int open(sqlite3_vfs *, sqlite3_filename name, sqlite3_file *file, int flags, int *outFlags)
    {
        auto *watched = reinterpret_cast<WatchedFile *>(file);
        const int rc = s_self->m_real->xOpen(s_self->m_real, name, watched->real(), flags, outFlags);
        if (rc != SQLITE_OK) {
            watched->base.pMethods = nullptr;
            return rc;
        }
        // The same methods as the real file, reads of the watched file aside.
        s_self->m_methods = *watched->real()->pMethods;
        s_self->m_methods.xClose = &close;
        s_self->m_methods.xRead = &read;
        s_self->m_methods.xWrite = [](sqlite3_file *f, const void *data, int amount, sqlite3_int64 offset) {
            return real(f)->pMethods->xWrite(real(f), data, amount, offset);
        };
        s_self->m_methods.xTruncate = [](sqlite3_file *f, sqlite3_int64 size) {
            return real(f)->pMethods->xTruncate(real(f), size);
        };
        s_self->m_methods.xSync = [](sqlite3_file *f, int flags) { return real(f)->pMethods->xSync(real(f), flags); };
        s_self->m_methods.xFileSize = [](sqlite3_file *f, sqlite3_int64 *size) {
            return real(f)->pMethods->xFileSize(real(f), size);
        };
        s_self->m_methods.xLock = [](sqlite3_file *f, int lock) { return real(f)->pMethods->xLock(real(f), lock); };
        s_self->m_methods.xUnlock = [](sqlite3_file *f, int lock) {
            return real(f)->pMethods->xUnlock(real(f), lock);
        };
        s_self->m_methods.xCheckReservedLock = [](sqlite3_file *f, int *out) {
            return real(f)->pMethods->xCheckReservedLock(real(f), out);
        };
        s_self->m_methods.xFileControl = [](sqlite3_file *f, int op, void *arg) {
            return real(f)->pMethods->xFileControl(real(f), op, arg);
        };
        s_self->m_methods.xSectorSize = [](sqlite3_file *f) { return real(f)->pMethods->xSectorSize(real(f)); };
        s_self->m_methods.xDeviceCharacteristics = [](sqlite3_file *f) {
            return real(f)->pMethods->xDeviceCharacteristics(real(f));
        };
        // No shared memory and no memory mapping: the tables use a rollback
        // journal, and every read goes through read() below.
        s_self->m_methods.iVersion = 1;
        watched->watched = name && (flags & SQLITE_OPEN_MAIN_DB) && endsWith(name, s_self->m_file);
        watched->base.pMethods = &s_self->m_methods;
        return SQLITE_OK;
    }

    static bool endsWith(const std::string &text, const std::string &end)
    {
        return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
    }

    static sqlite3_file *real(sqlite3_file *file) { return reinterpret_cast<WatchedFile *>(file)->real(); }

    static int close(sqlite3_file *file)
    {
        return real(file)->pMethods->xClose(real(file));
    }

    static int read(sqlite3_file *file, void *data, int amount, sqlite3_int64 offset)
    {
        if (reinterpret_cast<WatchedFile *>(file)->watched && s_self->m_failing) {
            ++s_self->m_failedReads;
            return SQLITE_IOERR_READ;
        }
        return real(file)->pMethods->xRead(real(file), data, amount, offset);
    }

    static int remove(sqlite3_vfs *, const char *name, int syncDirectory)
    {
        const int rc = s_self->m_real->xDelete(s_self->m_real, name, syncDirectory);
        if (rc == SQLITE_OK && s_self->m_armed && name && endsWith(name, s_self->m_file + "-journal"))
            s_self->m_failing = true;
        return rc;
    }

    inline static ReadsFailAfterCommit *s_self = nullptr;
    std::string m_file;
    sqlite3_vfs *m_real = nullptr;
    sqlite3_vfs m_vfs{};
    sqlite3_io_methods m_methods{};
    bool m_armed = false;
    bool m_failing = false;
    int m_failedReads = 0;
};
