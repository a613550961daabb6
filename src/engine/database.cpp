#include "engine/database.h"

#include "engine/error.h"
#include "engine/sqlite.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <system_error>

namespace engine {

namespace fs = std::filesystem;

namespace {

// Written into the header of every table file this program creates, so a file
// of another program is never mistaken for one of ours.
constexpr std::uint32_t kApplicationId = 0x53454C56; // "SELV"

std::string displayPath(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string columnType(const FieldDef &field)
{
    switch (field.type) {
    case FieldType::AutoInc:
        return "INTEGER PRIMARY KEY AUTOINCREMENT";
    case FieldType::Char:
        return "CHAR(" + std::to_string(field.size) + ")";
    case FieldType::Date:
        return "DATE";
    case FieldType::Money:
        return "MONEY";
    case FieldType::Boolean:
        return "BOOLEAN";
    case FieldType::Memo:
        // "TEXT" gives the column text affinity, so a note made of digits
        // stays text.
        return "MEMO TEXT";
    case FieldType::Integer:
        return "INTEGER";
    }
    return "TEXT";
}

std::optional<FieldDef> fieldFromDeclaration(const std::string &name, const std::string &declared, bool primaryKey)
{
    const std::string type = lowerAscii(declared);
    FieldDef field;
    field.name = name;
    if (type.rfind("integer", 0) == 0)
        field.type = primaryKey ? FieldType::AutoInc : FieldType::Integer;
    else if (type.rfind("char(", 0) == 0) {
        field.type = FieldType::Char;
        field.size = std::atoi(type.c_str() + 5);
        if (field.size <= 0)
            return std::nullopt;
    } else if (type == "date")
        field.type = FieldType::Date;
    else if (type == "money")
        field.type = FieldType::Money;
    else if (type == "boolean")
        field.type = FieldType::Boolean;
    else if (type.rfind("memo", 0) == 0 || type.rfind("blob", 0) == 0)
        field.type = FieldType::Memo;
    else
        return std::nullopt;
    return field;
}

std::string createTableSql(const std::string &tableName, const TableLayout &layout)
{
    std::string sql = "CREATE TABLE " + quoteIdentifier(tableName) + " (";
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        if (i > 0)
            sql += ", ";
        sql += quoteIdentifier(layout.fields[i].name) + " " + columnType(layout.fields[i]);
    }
    if (!layout.primaryKey.empty() && layout.autoIncField() < 0) {
        sql += ", PRIMARY KEY (";
        for (std::size_t i = 0; i < layout.primaryKey.size(); ++i)
            sql += (i > 0 ? ", " : "") + quoteIdentifier(layout.primaryKey[i]);
        sql += ")";
    }
    sql += ")";
    return sql;
}

std::string createIndexSql(const std::string &tableName, const TableLayout &layout, const IndexDef &index)
{
    std::string sql = std::string(index.unique ? "CREATE UNIQUE INDEX " : "CREATE INDEX ") + quoteIdentifier(index.name)
        + " ON " + quoteIdentifier(tableName) + " (";
    for (std::size_t i = 0; i < index.fields.size(); ++i) {
        const int field = layout.fieldIndex(index.fields[i]);
        if (field < 0)
            throw Error("Dizin " + index.name + ": tabloda " + index.fields[i] + " alanı yok.", code::UnknownField);
        sql += (i > 0 ? ", " : "") + quoteIdentifier(layout.fields[std::size_t(field)].name);
        if (layout.fields[std::size_t(field)].type == FieldType::Char)
            sql += " COLLATE TR";
        if (index.descending)
            sql += " DESC";
    }
    sql += ")";
    return sql;
}

void validateLayout(const TableLayout &layout)
{
    if (layout.fields.empty())
        throw Error("Tabloda hiç alan yok.", code::InvalidValue);
    int autoIncs = 0;
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const FieldDef &field = layout.fields[i];
        if (field.name.empty())
            throw Error("Adı boş bir alan var.", code::InvalidValue);
        if (layout.fieldIndex(field.name) != int(i))
            throw Error(field.name + " alanı iki kez tanımlanmış.", code::InvalidValue);
        if (field.type == FieldType::Char && (field.size <= 0 || field.size > 255))
            throw Error(field.name + " alanının uzunluğu 1 ile 255 arasında olmalı.", code::InvalidValue);
        if (field.type == FieldType::AutoInc)
            ++autoIncs;
    }
    if (autoIncs > 1)
        throw Error("Bir tabloda yalnız bir AUTOINC alanı olabilir.", code::InvalidValue);
    for (const std::string &key : layout.primaryKey)
        if (layout.fieldIndex(key) < 0)
            throw Error("Birincil anahtar alanı tabloda yok: " + key, code::UnknownField);
    if (autoIncs == 1 && !layout.primaryKey.empty()
        && (layout.primaryKey.size() != 1 || layout.fieldIndex(layout.primaryKey[0]) != layout.autoIncField()))
        throw Error("AUTOINC alanı tablonun tek birincil anahtarı olmalı.", code::InvalidValue);
}

TableLayout readLayout(sqlite::Connection &connection, const std::string &tableName, const fs::path &path)
{
    TableLayout layout;
    const auto notOurs = [&path](const std::string &why) {
        return Error("\"" + displayPath(path) + "\" bu programın tablosu değil: " + why, code::NotOurTable);
    };
    {
        sqlite::Statement info(connection, "PRAGMA table_info(" + quoteIdentifier(tableName) + ")");
        std::vector<std::pair<int, std::string>> keyColumns;
        while (info.step()) {
            const std::string name = info.columnText(1);
            const std::string declared = info.columnText(2);
            const int pk = int(info.columnInt(5));
            const auto field = fieldFromDeclaration(name, declared, pk > 0);
            if (!field)
                throw notOurs(name + " alanının türü tanınmıyor (" + declared + ").");
            layout.fields.push_back(*field);
            if (pk > 0)
                keyColumns.emplace_back(pk, name);
        }
        std::sort(keyColumns.begin(), keyColumns.end());
        for (const auto &[order, name] : keyColumns)
            layout.primaryKey.push_back(name);
    }
    if (layout.fields.empty())
        throw notOurs("içinde " + tableName + " tablosu yok.");
    // Indexes in the order they were created.
    sqlite::Statement indexes(connection,
                              "SELECT name FROM sqlite_master WHERE type = 'index' AND tbl_name = ?1 "
                              "AND name NOT LIKE 'sqlite_autoindex%' ORDER BY rowid");
    indexes.bindText(1, tableName);
    while (indexes.step()) {
        IndexDef index;
        index.name = indexes.columnText(0);
        sqlite::Statement columns(connection, "PRAGMA index_xinfo(" + quoteIdentifier(index.name) + ")");
        while (columns.step()) {
            if (columns.columnInt(5) == 0) // key columns only, not the row id
                continue;
            index.fields.push_back(columns.columnText(2));
            index.descending = columns.columnInt(3) != 0;
        }
        sqlite::Statement unique(connection, "SELECT \"unique\" FROM pragma_index_list(?1) WHERE name = ?2");
        unique.bindText(1, tableName);
        unique.bindText(2, index.name);
        if (unique.step())
            index.unique = unique.columnInt(0) != 0;
        layout.indexes.push_back(std::move(index));
    }
    return layout;
}

std::string findTableName(sqlite::Connection &connection, const std::string &wanted, const fs::path &path)
{
    sqlite::Statement tables(connection, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY rowid");
    while (tables.step()) {
        const std::string name = tables.columnText(0);
        if (equalsAscii(name, wanted))
            return name;
    }
    throw Error("\"" + displayPath(path) + "\" bu programın tablosu değil: içinde " + wanted + " tablosu yok.",
                code::NotOurTable);
}

void removeQuietly(const fs::path &path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
    fs::remove(fs::path(path.native() + "-journal"), ignored);
}

} // namespace

TableFile::TableFile(std::unique_ptr<sqlite::Connection> connection, std::string tableName, TableLayout layout,
                     fs::path path, bool exclusive)
    : m_connection(std::move(connection)), m_tableName(std::move(tableName)), m_layout(std::move(layout)),
      m_path(std::move(path)), m_exclusive(exclusive)
{}

TableFile::~TableFile() = default;

Database::Database(fs::path folder, Access access) : m_folder(std::move(folder)), m_access(access) {}

Database::~Database() = default;

std::optional<fs::path> Database::findFile(std::string_view fileName) const
{
    std::error_code error;
    const fs::path exact = m_folder / fs::u8path(fileName);
    if (fs::is_regular_file(exact, error))
        return exact;
    for (fs::directory_iterator it(m_folder, error), end; !error && it != end; it.increment(error)) {
        const std::string name = displayPath(it->path().filename());
        if (equalsAscii(name, fileName) && it->is_regular_file(error))
            return it->path();
    }
    return std::nullopt;
}

std::string Database::tableNameOf(std::string_view fileName)
{
    const std::size_t dot = fileName.rfind('.');
    return std::string(dot == std::string_view::npos ? fileName : fileName.substr(0, dot));
}

void Database::verifyTableFile(const fs::path &path)
{
    const auto notOurs = [&path](const std::string &why) {
        return Error("\"" + displayPath(path) + "\" bu programın tablosu değil: " + why
                         + " Dosyaya dokunulmadı.",
                     code::NotOurTable);
    };
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw Error("\"" + displayPath(path) + "\" okunamıyor.", code::IoError);
    unsigned char header[100] = {};
    in.read(reinterpret_cast<char *>(header), sizeof header);
    if (in.gcount() < std::streamsize(sizeof header))
        throw notOurs("dosya çok kısa (boş ya da yarıda kesilmiş).");
    if (std::memcmp(header, "SQLite format 3", 16) != 0)
        throw notOurs("başka bir programın (örneğin eski bir Paradox) tablosu ya da bozuk bir dosya.");
    const std::uint32_t applicationId = (std::uint32_t(header[68]) << 24) | (std::uint32_t(header[69]) << 16)
        | (std::uint32_t(header[70]) << 8) | std::uint32_t(header[71]);
    if (applicationId != kApplicationId)
        throw notOurs("başka bir programın SQLite veri tabanı.");
}

std::shared_ptr<TableFile> Database::open(std::string_view fileName, bool exclusive)
{
    const std::string key = lowerAscii(fileName);
    if (auto it = m_openFiles.find(key); it != m_openFiles.end()) {
        if (auto file = it->second.lock()) {
            if (exclusive || file->isExclusive())
                throw Error(std::string(fileName) + ": tablo başka bir yerde açık; tek başına kullanılamıyor.",
                            code::TableBusy);
            return file;
        }
    }
    const auto path = findFile(fileName);
    if (!path)
        throw Error("\"" + displayPath(m_folder / fs::u8path(fileName)) + "\" tablosu bulunamadı.",
                    code::FileNotFound);
    verifyTableFile(*path);
    auto connection = std::make_unique<sqlite::Connection>(displayPath(*path), false, m_access);
    const std::string tableName = findTableName(*connection, tableNameOf(fileName), *path);
    TableLayout layout = readLayout(*connection, tableName, *path);
    auto file = std::make_shared<TableFile>(std::move(connection), tableName, std::move(layout), *path, exclusive);
    m_openFiles[key] = file;
    return file;
}

void Database::createTable(std::string_view fileName, const TableLayout &layout,
                           const std::vector<std::vector<Value>> &rows)
{
    validateLayout(layout);
    if (m_access == Access::ReadOnly)
        throw Error("\"" + displayPath(m_folder) + "\" yalnız okunmak için açıldı; tablo oluşturulamadı.",
                    code::ReadOnly);
    if (const auto existing = findFile(fileName))
        throw Error("\"" + displayPath(*existing) + "\" zaten var; üzerine yazılmadı.", code::TableExists);
    std::error_code error;
    if (!fs::is_directory(m_folder, error))
        throw Error("\"" + displayPath(m_folder) + "\" klasörü yok; tablo oluşturulamadı.", code::ReadOnly);
    const fs::path path = m_folder / fs::u8path(fileName);
    const std::string tableName = tableNameOf(fileName);
    try {
        sqlite::Connection connection(displayPath(path), true);
        sqlite::Transaction transaction(connection);
        connection.exec("PRAGMA application_id = " + std::to_string(kApplicationId));
        connection.exec(createTableSql(tableName, layout));
        for (const IndexDef &index : layout.indexes)
            connection.exec(createIndexSql(tableName, layout, index));
        if (!rows.empty()) {
            std::string columns, values;
            std::vector<std::size_t> bound;
            for (std::size_t i = 0; i < layout.fields.size(); ++i) {
                columns += (columns.empty() ? "" : ", ") + quoteIdentifier(layout.fields[i].name);
                values += values.empty() ? "?" : ", ?";
                bound.push_back(i);
            }
            sqlite::Statement insert(connection, "INSERT INTO " + quoteIdentifier(tableName) + " (" + columns
                                                     + ") VALUES (" + values + ")");
            const int autoInc = layout.autoIncField();
            for (const std::vector<Value> &row : rows) {
                if (autoInc >= 0 && std::size_t(autoInc) < row.size() && !isNull(row[std::size_t(autoInc)])) {
                    const auto *number = std::get_if<std::int64_t>(&row[std::size_t(autoInc)]);
                    if (!number || *number < 1 || *number > 2147483647)
                        throw Error(layout.fields[std::size_t(autoInc)].name
                                        + " alanı 1 ile 2147483647 arasında bir tam sayı olmalı.",
                                    code::InvalidValue);
                }
                insert.reset();
                for (std::size_t k = 0; k < bound.size(); ++k)
                    insert.bind(int(k) + 1, bound[k] < row.size() ? row[bound[k]] : Value{},
                                layout.fields[bound[k]].type);
                insert.run();
            }
        }
        transaction.commit();
    } catch (const Error &) {
        removeQuietly(path);
        throw;
    }
}

void Database::createIndex(std::string_view fileName, const IndexDef &index)
{
    // Exclusive use: no open cursor may keep a layout without the new index.
    auto file = open(fileName, true);
    for (const IndexDef &existing : file->layout().indexes)
        if (equalsAscii(existing.name, index.name))
            throw Error(std::string(fileName) + ": " + index.name + " dizini zaten var.", code::TableExists);
    file->connection().exec(createIndexSql(file->tableName(), file->layout(), index));
}

void Database::pack(std::string_view fileName)
{
    auto file = open(fileName, true);
    // VACUUM builds the packed copy beside the file and copies it back inside
    // one transaction: a failure leaves the file as it was.
    file->connection().exec("VACUUM");
}

} // namespace engine
