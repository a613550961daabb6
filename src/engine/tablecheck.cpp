#include "engine/tablecheck.h"

#include "engine/error.h"
#include "engine/sqlite.h"

#include <system_error>

namespace engine {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

void copyTableFile(const fs::path &source, const fs::path &target)
{
    Database::verifyTableFile(source);
    std::error_code error;
    if (fs::exists(target, error))
        throw Error("\"" + utf8(target) + "\" zaten var; üzerine yazılmadı.", code::TableExists);
    try {
        sqlite::Connection from(utf8(source), false, Access::ReadOnly);
        from.backupTo(utf8(target));
    } catch (const Error &) {
        fs::remove(target, error);
        fs::remove(fs::path(target.native() + "-journal"), error);
        throw;
    }
}

std::vector<std::string> integrityProblems(Database &database, std::string_view fileName)
{
    auto file = database.open(fileName);
    std::vector<std::string> problems;
    sqlite::Statement check(file->connection(), "PRAGMA integrity_check");
    while (check.step()) {
        const std::string line = check.columnText(0);
        if (line != "ok")
            problems.push_back(line);
    }
    return problems;
}

TableSummary summarizeTable(Database &database, std::string_view fileName, std::string_view sumField)
{
    auto file = database.open(fileName);
    std::string sum = "0";
    if (!sumField.empty()) {
        const int field = file->layout().fieldIndex(sumField);
        if (field < 0)
            throw Error(std::string(fileName) + ": tabloda " + std::string(sumField) + " alanı yok.",
                        code::UnknownField);
        sum = "coalesce(sum(CAST(round(" + quoteIdentifier(file->layout().fields[std::size_t(field)].name)
            + ") AS INTEGER)), 0)";
    }
    sqlite::Statement statement(file->connection(),
                                "SELECT count(*), " + sum + " FROM " + quoteIdentifier(file->tableName()));
    statement.step();
    return {statement.columnInt(0), statement.columnInt(1)};
}

} // namespace engine
