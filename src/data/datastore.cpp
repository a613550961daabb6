#include "data/datastore.h"

#include "engine/error.h"
#include "engine/script.h"
#include "text/systemerror.h"

#include <system_error>

namespace data {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::string dataFolderFor(const std::string &programFolder)
{
    std::string folder = programFolder;
    if (folder.size() <= 2)
        folder += char(fs::path::preferred_separator);
    return folder + "Veriler";
}

DataStore::DataStore(fs::path dataFolder)
    : m_database(std::move(dataFolder)), m_dueCount(m_database), m_companyReport(m_database),
      m_customerReport(m_database)
{
    for (const TableInfo &info : tables()) {
        auto table = std::make_unique<engine::Table>(m_database, info.fileName);
        table->setDefaultValues(info.defaults);
        m_tables[std::size_t(info.id)] = std::move(table);
    }
}

DataStore::~DataStore()
{
    closeAll();
}

std::vector<std::string> DataStore::setUp()
{
    std::vector<std::string> problems;
    const fs::path &folder = m_database.folder();
    std::error_code error;
    if (!fs::is_directory(folder, error)) {
        fs::create_directories(folder, error);
        if (error || !fs::is_directory(folder)) {
            problems.push_back("\"" + utf8(folder) + "\" klasörü oluşturulamadı: "
                               + (error ? text::systemErrorReason(error) : std::string("bilinmeyen neden")) + ".");
            return problems;
        }
    }

    // The status tables first, then the five tables made from their creation
    // texts, in the order the program has always created them.
    static const TableId creationOrder[] = {TableId::CompanyStatuses, TableId::CustomerStatuses,
                                            TableId::CompanyBanks,    TableId::CompanyCheques,
                                            TableId::Payees,          TableId::CustomerBanks,
                                            TableId::CustomerCheques};
    for (TableId id : creationOrder) {
        const TableInfo &info = data::table(id);
        if (m_database.fileExists(info.fileName))
            continue;
        try {
            if (info.creationText.empty()) {
                std::vector<std::vector<engine::Value>> rows;
                for (const std::string &status : info.seedRows)
                    rows.push_back({engine::Value{status}});
                m_database.createTable(info.fileName, statusTableLayout(), rows);
            } else {
                engine::runScript(m_database, creationScript(info));
            }
        } catch (const engine::Error &e) {
            problems.push_back(std::string("Tablo oluşturulamadı: ") + e.what());
        }
    }

    const std::vector<std::string> openProblems = openAll();
    problems.insert(problems.end(), openProblems.begin(), openProblems.end());
    return problems;
}

void DataStore::closeAll()
{
    for (auto &table : m_tables)
        table->close();
    m_companyReport.close();
    m_customerReport.close();
    m_dueCount.close();
}

std::vector<std::string> DataStore::openAll()
{
    std::vector<std::string> problems;
    for (const TableInfo &info : tables()) {
        engine::Table &t = table(info.id);
        if (t.isOpen())
            continue;
        try {
            t.open();
        } catch (const engine::Error &e) {
            problems.push_back(std::string("Tablo açılamadı: ") + e.what());
        }
    }
    return problems;
}

} // namespace data
