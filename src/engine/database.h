#pragma once

#include "engine/access.h"
#include "engine/layout.h"

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace engine {

namespace sqlite { class Connection; }

// One open table file: its connection, the name of the table inside it and its
// layout. Shared by every Table and Query of the same file; released when the
// last of them closes.
class TableFile
{
public:
    TableFile(std::unique_ptr<sqlite::Connection> connection, std::string tableName, TableLayout layout,
              std::filesystem::path path, bool exclusive);
    ~TableFile();

    sqlite::Connection &connection() const { return *m_connection; }
    const std::string &tableName() const { return m_tableName; }
    const TableLayout &layout() const { return m_layout; }
    const std::filesystem::path &path() const { return m_path; }
    bool isExclusive() const { return m_exclusive; }

private:
    std::unique_ptr<sqlite::Connection> m_connection;
    std::string m_tableName;
    TableLayout m_layout;
    std::filesystem::path m_path;
    bool m_exclusive;
};

// A data folder: the tables of the program, one file each, named without
// regard to case.
class Database
{
public:
    // access: ReadOnly opens every table file without ever writing to it;
    // creating, packing and every post then fail with ReadOnly.
    explicit Database(std::filesystem::path folder, Access access = Access::ReadWrite);
    ~Database();

    const std::filesystem::path &folder() const { return m_folder; }
    Access access() const { return m_access; }

    // The path of the file in the folder whose name equals fileName without
    // regard to case (an exact match wins), or std::nullopt. Never raises.
    std::optional<std::filesystem::path> findFile(std::string_view fileName) const;
    bool fileExists(std::string_view fileName) const { return findFile(fileName).has_value(); }

    // Opens a table file for use. Raises Error: FileNotFound when there is no
    // such file; NotOurTable when it is no table of this program (the file is
    // left untouched); TableBusy when it is open exclusively, or open at all
    // and exclusive use is asked for.
    std::shared_ptr<TableFile> open(std::string_view fileName, bool exclusive = false);

    // Creates a new table file with the given layout (fields, primary key and
    // indexes) holding the given rows (values in field order), all in one
    // transaction. An AUTOINC value that is null is assigned by the engine; a
    // non-null one (1 .. 2147483647) is stored as given, so an imported table
    // keeps its row numbers, and later rows continue after the largest value
    // stored. Raises Error: TableExists when a file of that name exists (it is
    // never replaced), ReadOnly/IoError when the file cannot be made,
    // InvalidValue for a bad layout or an AUTOINC value out of range,
    // KeyViolation for a key value given twice; no file is left behind after
    // a failure.
    void createTable(std::string_view fileName, const TableLayout &layout,
                     const std::vector<std::vector<Value>> &rows = {});
    // Adds a secondary index to an existing table. Raises Error.
    void createIndex(std::string_view fileName, const IndexDef &index);

    // Rewrites one table file in place without the room of deleted rows; the
    // layout and the rows stay as they were. Needs exclusive use. Raises Error;
    // a failed pack leaves the file as it was.
    void pack(std::string_view fileName);

    // Checks that path is a table file of this program, without changing it.
    // Raises Error (NotOurTable) with a message naming the file otherwise.
    static void verifyTableFile(const std::filesystem::path &path);

    // The SQL table name inside a file: its name without extension.
    static std::string tableNameOf(std::string_view fileName);

private:
    std::filesystem::path m_folder;
    Access m_access = Access::ReadWrite;
    std::map<std::string, std::weak_ptr<TableFile>> m_openFiles; // key: lower-case file name
};

} // namespace engine
