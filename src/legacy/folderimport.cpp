#include "legacy/folderimport.h"

#include "engine/database.h"
#include "engine/error.h"
#include "engine/script.h"
#include "engine/table.h"
#include "legacy/tableconverter.h"
#include "text/systemerror.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <fstream>
#include <map>
#include <mutex>
#include <random>
#include <system_error>

namespace legacy {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

std::string lowerStem(const fs::path &file)
{
    const std::string name = engine::lowerAscii(utf8(file.filename()));
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

bool startsAsSqlite(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    char head[16] = {};
    in.read(head, sizeof head);
    return in.gcount() == sizeof head && std::memcmp(head, "SQLite format 3", 16) == 0;
}

LegacyTable classify(const data::TableInfo &info, const std::optional<fs::path> &path, const OpenOptions &open)
{
    LegacyTable entry;
    entry.id = info.id;
    entry.fileName = info.fileName;
    if (!path)
        return entry;
    entry.path = *path;
    if (startsAsSqlite(*path)) {
        try {
            engine::Database::verifyTableFile(*path);
            entry.kind = TableFileKind::Ours;
        } catch (const engine::Error &e) {
            entry.kind = TableFileKind::Unreadable;
            entry.message = e.what();
        }
        return entry;
    }
    try {
        ParadoxTable table = ParadoxTable::open(*path, open);
        entry.kind = TableFileKind::Paradox;
        entry.rowCount = table.recordCount();
        entry.codePage = table.codePage();
        entry.version = table.versionName();
    } catch (const ParadoxError &e) {
        entry.kind = TableFileKind::Unreadable;
        entry.message = e.what();
    } catch (const std::exception &e) {
        entry.kind = TableFileKind::Unreadable;
        entry.message = utf8(*path) + ": " + e.what();
    }
    return entry;
}

std::vector<LegacyTable> findTables(const fs::path &folder, const OpenOptions &open)
{
    std::vector<LegacyTable> found;
    engine::Database database(folder);
    for (const data::TableInfo &info : data::tables())
        found.push_back(classify(info, database.findFile(info.fileName), open));
    return found;
}

text::Date today()
{
    const std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    if (!local)
        return text::Date{1970, 1, 1};
    return text::Date{local->tm_year + 1900, local->tm_mon + 1, local->tm_mday};
}

// base, else base-2, base-3, ...: the first name not taken in folder.
fs::path freeName(const fs::path &folder, const std::string &base)
{
    std::error_code error;
    fs::path candidate = folder / fs::u8path(base);
    for (int n = 2; fs::exists(candidate, error) || error; ++n)
        candidate = folder / fs::u8path(base + "-" + std::to_string(n));
    return candidate;
}

std::string randomSuffix()
{
    std::random_device device;
    return std::to_string(device() % 1000000000u);
}

// The layout of a table as the data set-up creates it: the status tables'
// fixed one, the others' from their creation texts, run once in a scratch
// folder and read back, so an imported table is made exactly as a new one.
engine::TableLayout layoutOf(const data::TableInfo &info)
{
    static std::mutex mutex;
    static std::map<data::TableId, engine::TableLayout> cache;
    if (info.creationText.empty())
        return data::statusTableLayout();
    const std::lock_guard lock(mutex);
    if (const auto it = cache.find(info.id); it != cache.end())
        return it->second;
    std::error_code error;
    const fs::path scratch = fs::temp_directory_path(error) / fs::u8path("selvora-sablon-" + randomSuffix());
    if (error || !fs::create_directories(scratch, error))
        throw engine::Error("Geçici klasör oluşturulamadı: " + utf8(scratch) + ".", engine::code::IoError);
    engine::TableLayout layout;
    try {
        engine::Database database(scratch);
        engine::runScript(database, data::creationScript(info));
        layout = database.open(info.fileName)->layout();
    } catch (...) {
        fs::remove_all(scratch, error);
        throw;
    }
    fs::remove_all(scratch, error);
    cache.emplace(info.id, layout);
    return layout;
}

// Moves made so far, undone in reverse order when a later step fails.
class Moves
{
public:
    bool move(const fs::path &from, const fs::path &to, std::string &problem)
    {
        std::error_code error;
        if (fs::exists(to, error)) {
            problem = "\"" + utf8(to) + "\" zaten var; üzerine yazılmadı.";
            return false;
        }
        fs::rename(from, to, error);
        if (error) {
            problem = "\"" + utf8(from) + "\" taşınamadı: " + text::systemErrorReason(error) + ".";
            return false;
        }
        m_done.emplace_back(from, to);
        return true;
    }
    void undo()
    {
        for (auto it = m_done.rbegin(); it != m_done.rend(); ++it) {
            std::error_code error;
            fs::rename(it->second, it->first, error);
        }
        m_done.clear();
    }

private:
    std::vector<std::pair<fs::path, fs::path>> m_done;
};

class FolderImport
{
public:
    FolderImport(const fs::path &oldFolder, const fs::path &newFolder, const ImportOptions &options)
        : m_old(oldFolder), m_new(newFolder), m_options(options)
    {
        m_summary.dryRun = options.dryRun;
        m_summary.oldFolder = utf8(oldFolder);
        m_summary.newFolder = utf8(newFolder);
    }

    ImportSummary run();

private:
    bool prepare();
    bool importTable(const LegacyTable &entry, TableSummary &summary, int number, int count);
    bool verify(const data::TableInfo &info, TableConverter &converter, TableSummary &summary);
    bool swapIn();
    bool report(ImportProgress progress)
    {
        if (!m_options.progress || m_options.progress(progress))
            return true;
        m_summary.cancelled = true;
        m_summary.problems.push_back("Aktarma kullanıcı isteğiyle durduruldu; hiçbir şey değişmedi.");
        return false;
    }
    void cleanUp();

    fs::path m_old;
    fs::path m_new;
    const ImportOptions &m_options;
    ImportSummary m_summary;
    std::vector<LegacyTable> m_found;
    fs::path m_staging;
    bool m_createdNewFolder = false;
};

bool FolderImport::prepare()
{
    std::error_code error;
    if (!fs::is_directory(m_old, error)) {
        m_summary.problems.push_back("\"" + utf8(m_old) + "\" klasörü bulunamadı.");
        return false;
    }
    if (m_options.codePage != 0 && !CodePage::isSupported(m_options.codePage)) {
        m_summary.problems.push_back(std::to_string(m_options.codePage)
                                     + " kod sayfası desteklenmiyor (437, 850, 857, 1252 ya da 1254 olmalı).");
        return false;
    }
    m_found = findTables(m_old, OpenOptions{m_options.codePage});
    bool any = false;
    for (const LegacyTable &entry : m_found) {
        TableSummary table;
        table.id = entry.id;
        table.fileName = entry.fileName;
        table.sourcePath = entry.path.empty() ? std::string() : utf8(entry.path);
        table.kind = entry.kind;
        table.codePage = entry.codePage;
        table.rowsRead = entry.rowCount;
        table.hasAmounts = entry.id == data::TableId::CompanyCheques || entry.id == data::TableId::CustomerCheques;
        m_summary.tables.push_back(table);
        if (entry.kind == TableFileKind::Unreadable)
            m_summary.problems.push_back(entry.message);
        any = any || entry.kind == TableFileKind::Paradox;
    }
    if (!m_summary.problems.empty())
        return false;
    if (!any) {
        m_summary.problems.push_back("\"" + utf8(m_old) + "\" klasöründe aktarılacak eski (Paradox) tablo yok.");
        return false;
    }
    if (m_options.dryRun)
        return true;

    if (!fs::is_directory(m_new, error)) {
        if (fs::exists(m_new, error)) {
            m_summary.problems.push_back("\"" + utf8(m_new) + "\" bir klasör değil.");
            return false;
        }
        fs::create_directories(m_new, error);
        if (error) {
            m_summary.problems.push_back("\"" + utf8(m_new) + "\" klasörü oluşturulamadı: "
                                         + text::systemErrorReason(error) + ".");
            return false;
        }
        m_createdNewFolder = true;
    }
    m_staging = freeName(m_new, ".selvora-aktarim");
    fs::create_directory(m_staging, error);
    if (error) {
        m_summary.problems.push_back("\"" + utf8(m_staging) + "\" geçici klasörü oluşturulamadı: "
                                     + text::systemErrorReason(error) + ".");
        m_staging.clear();
        return false;
    }
    return true;
}

bool FolderImport::importTable(const LegacyTable &entry, TableSummary &summary, int number, int count)
{
    const data::TableInfo &info = data::table(entry.id);
    ImportProgress progress{ImportProgress::Step::Reading, entry.id, entry.fileName, number, count, 0,
                            entry.rowCount};
    if (!report(progress))
        return false;
    TableConverter converter(info, layoutOf(info));
    {
        ParadoxTable source = ParadoxTable::open(entry.path, OpenOptions{m_options.codePage});
        summary.codePage = source.codePage();
        converter.convert(source, [&](std::int64_t done) {
            progress.rowsDone = done;
            return report(progress);
        });
        if (converter.cancelled())
            return false;
        if (!converter.problems().empty()) {
            m_summary.problems.insert(m_summary.problems.end(), converter.problems().begin(),
                                      converter.problems().end());
            const int suggested = source.suggestedCodePage();
            if (suggested != 0 && suggested != source.codePage())
                m_summary.problems.push_back(source.fileName() + ": metinler " + std::to_string(suggested)
                                             + " kod sayfasında yazılmış olabilir (tablo "
                                             + std::to_string(source.codePage())
                                             + " diyor); aktarmayı o kod sayfasıyla deneyin.");
            return false;
        }
    }
    summary.rowsRead = converter.rowsRead();
    summary.rowsWritten = std::int64_t(converter.rows().size());
    summary.amountBefore = converter.amountSum();
    summary.amountAfter = converter.amountSum();
    m_summary.notes.insert(m_summary.notes.end(), converter.notes().begin(), converter.notes().end());
    summary.imported = true;
    if (m_options.dryRun)
        return true;

    progress.step = ImportProgress::Step::Writing;
    if (!report(progress))
        return false;
    engine::Database staging(m_staging);
    staging.createTable(info.fileName, converter.layout(), converter.rows());
    progress.step = ImportProgress::Step::Checking;
    if (!report(progress))
        return false;
    return verify(info, converter, summary);
}

bool FolderImport::verify(const data::TableInfo &info, TableConverter &converter, TableSummary &summary)
{
    engine::Database staging(m_staging);
    engine::Table table(staging, info.fileName);
    table.open();
    auto &expected = converter.rows();
    const int amountField = converter.amountField();
    // A table keyed on a text comes back in key order; the others in the
    // order the rows went in (the ledgers' by row number).
    const auto &key = converter.layout().primaryKey;
    const bool sorted = !key.empty() && converter.layout().autoIncField() < 0;
    std::vector<std::vector<engine::Value>> back;
    std::int64_t count = 0, amount = 0;
    bool same = true;
    auto rows = table.rows();
    while (rows->next()) {
        std::vector<engine::Value> row(expected.empty() ? 0 : expected.front().size());
        for (std::size_t f = 0; f < row.size(); ++f)
            row[f] = rows->value(f);
        if (amountField >= 0)
            if (const auto *k = std::get_if<std::int64_t>(&row[std::size_t(amountField)]))
                amount += *k;
        if (sorted)
            back.push_back(std::move(row));
        else if (std::size_t(count) >= expected.size() || row != expected[std::size_t(count)])
            same = false;
        ++count;
    }
    if (sorted) {
        std::sort(back.begin(), back.end());
        std::vector<std::vector<engine::Value>> wanted = expected;
        std::sort(wanted.begin(), wanted.end());
        same = back == wanted;
    }
    summary.rowsWritten = count;
    summary.amountAfter = amount;
    const std::string name = info.fileName;
    if (count != std::int64_t(expected.size())) {
        m_summary.problems.push_back(name + ": yeni tabloda " + std::to_string(count) + " kayıt var, "
                                     + std::to_string(expected.size()) + " olmalıydı.");
        return false;
    }
    if (amount != converter.amountSum()) {
        m_summary.problems.push_back(name + ": yeni tablodaki tutarların toplamı eskisini tutmuyor.");
        return false;
    }
    if (!same) {
        m_summary.problems.push_back(name + ": yeni tablodan geri okunan kayıtlar yazılanları tutmuyor.");
        return false;
    }
    return true;
}

bool FolderImport::swapIn()
{
    std::vector<std::string> stems;
    std::vector<const TableSummary *> imported;
    for (const TableSummary &table : m_summary.tables)
        if (table.imported) {
            stems.push_back(lowerStem(fs::u8path(table.fileName)));
            imported.push_back(&table);
        }

    // Every file of the new folder bearing an imported table's name: the old
    // table and its companions (.MB, .PX, .Xnn, ...) in the in-place case.
    std::vector<fs::path> replaced;
    std::error_code error;
    for (fs::directory_iterator it(m_new, error), end; !error && it != end; it.increment(error)) {
        if (!it->is_regular_file())
            continue;
        if (std::find(stems.begin(), stems.end(), lowerStem(it->path())) != stems.end())
            replaced.push_back(it->path());
    }
    if (error) {
        m_summary.problems.push_back("\"" + utf8(m_new) + "\" klasörü okunamadı: " + text::systemErrorReason(error) + ".");
        return false;
    }
    std::sort(replaced.begin(), replaced.end());

    Moves moves;
    fs::path backup;
    std::string problem;
    const auto fail = [&] {
        moves.undo();
        if (!backup.empty()) {
            std::error_code ignored;
            fs::remove(backup, ignored); // only when empty
        }
        m_summary.problems.push_back(problem);
        return false;
    };
    if (!replaced.empty()) {
        const text::Date day = text::isValid(m_options.today) ? m_options.today : today();
        backup = freeName(m_new, "eski-" + text::toIso(day));
        fs::create_directory(backup, error);
        if (error) {
            problem = "\"" + utf8(backup) + "\" klasörü oluşturulamadı: " + text::systemErrorReason(error) + ".";
            backup.clear();
            return fail();
        }
        for (const fs::path &file : replaced)
            if (!moves.move(file, backup / file.filename(), problem))
                return fail();
    }
    for (const TableSummary *table : imported)
        if (!moves.move(m_staging / fs::u8path(table->fileName), m_new / fs::u8path(table->fileName), problem))
            return fail();

    if (!backup.empty()) {
        m_summary.backupFolder = utf8(backup);
        for (const fs::path &file : replaced)
            m_summary.movedFiles.push_back(utf8(backup / file.filename()));
    }
    return true;
}

void FolderImport::cleanUp()
{
    std::error_code error;
    if (!m_staging.empty())
        fs::remove_all(m_staging, error);
    if (m_createdNewFolder && !m_summary.ok)
        fs::remove(m_new, error); // only when empty
}

ImportSummary FolderImport::run()
{
    try {
        if (prepare()) {
            std::vector<std::size_t> toImport;
            for (std::size_t i = 0; i < m_found.size(); ++i)
                if (m_found[i].kind == TableFileKind::Paradox)
                    toImport.push_back(i);
            bool good = true;
            for (std::size_t n = 0; n < toImport.size() && good; ++n) {
                const std::size_t i = toImport[n];
                good = importTable(m_found[i], m_summary.tables[i], int(n) + 1, int(toImport.size()));
            }
            if (good && !m_options.dryRun) {
                ImportProgress moving{ImportProgress::Step::Moving, data::TableId::CompanyCheques, {},
                                      int(toImport.size()), int(toImport.size()), 0, 0};
                good = report(moving) && swapIn();
            }
            m_summary.ok = good;
        }
    } catch (const ParadoxError &e) {
        m_summary.problems.push_back(e.what());
    } catch (const engine::Error &e) {
        m_summary.problems.push_back(e.what());
    } catch (const std::exception &e) {
        m_summary.problems.push_back(std::string("Beklenmeyen hata: ") + e.what());
    }
    if (!m_summary.problems.empty())
        m_summary.ok = false;
    if (!m_summary.ok)
        for (TableSummary &table : m_summary.tables)
            if (!m_options.dryRun)
                table.imported = false;
    cleanUp();
    return std::move(m_summary);
}

} // namespace

std::vector<LegacyTable> findLegacyTables(const fs::path &dataFolder)
{
    try {
        return findTables(dataFolder, OpenOptions{});
    } catch (const std::exception &) {
        std::vector<LegacyTable> none;
        for (const data::TableInfo &info : data::tables())
            none.push_back(LegacyTable{info.id, info.fileName, {}, TableFileKind::Missing, 0, 0, {}, {}});
        return none;
    }
}

bool hasParadoxTables(const std::vector<LegacyTable> &tables)
{
    return std::any_of(tables.begin(), tables.end(),
                       [](const LegacyTable &t) { return t.kind == TableFileKind::Paradox; });
}

ImportSummary importFolder(const fs::path &oldFolder, const fs::path &newFolder, const ImportOptions &options)
{
    return FolderImport(oldFolder, newFolder, options).run();
}

} // namespace legacy
