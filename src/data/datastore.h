#pragma once

#include "data/schema.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace data {

// The data folder for a program folder: the program folder (ending in a path
// separator), a separator added when that text is two characters or shorter
// (a bare drive such as "D:"), then "Veriler".
std::string dataFolderFor(const std::string &programFolder);

// Every table and query of the program, on one data folder. The windows work
// on these same objects; none opens a table of its own.
class DataStore
{
public:
    explicit DataStore(std::filesystem::path dataFolder);
    ~DataStore();

    const std::filesystem::path &folder() const { return m_database.folder(); }
    engine::Database &database() { return m_database; }

    // The data set-up: makes the data folder, writes the status tables that are
    // missing with their seed rows, creates the other tables that are missing
    // from their creation texts, then opens all seven in order. A file that is
    // there is never replaced. Every table that can be opened is opened; the
    // returned list holds one Turkish message per problem (naming the path and
    // the reason), empty when all went well.
    std::vector<std::string> setUp();

    engine::Table &table(TableId id) { return *m_tables[std::size_t(id)]; }
    bool isOpen(TableId id) const { return m_tables[std::size_t(id)]->isOpen(); }

    engine::Query &dueCountQuery() { return m_dueCount; }           // VADESI_DOLANLAR_SQL
    engine::Query &companyReportQuery() { return m_companyReport; } // FIRMA_SQL
    engine::Query &customerReportQuery() { return m_customerReport; } // MUSTERI_SQL

    // Closes every table and query (table maintenance needs the files free).
    void closeAll();
    // Opens the seven tables again, in the set-up's order. Returns one message
    // per table that could not be opened.
    std::vector<std::string> openAll();

private:
    engine::Database m_database;
    std::array<std::unique_ptr<engine::Table>, kTableCount> m_tables;
    engine::Query m_dueCount;
    engine::Query m_companyReport;
    engine::Query m_customerReport;
};

} // namespace data
