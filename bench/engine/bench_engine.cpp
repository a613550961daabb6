// Speed and memory of the table engine on two ledgers of a million cheques
// each, every figure beside the same work done with plain SQLite calls in the
// same run.
//
//   bench_engine [data-folder]
//
// The data folder (by default <temp>/selvora-bench-engine/Veriler) is made by
// the program's own set-up and filled once; later runs reuse it. Linux only:
// memory is read from /proc/self/status and the filling runs in a forked child.

#include "ledgergenerator.h"
#include "rawconnection.h"

#include "data/datastore.h"
#include "data/schema.h"
#include "engine/error.h"
#include "engine/query.h"
#include "engine/table.h"
#include "text/date.h"
#include "text/turkish.h"

#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <type_traits>
#include <variant>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::int64_t kRows = 1'000'000;

struct Ledger
{
    data::TableId id;
    std::string fileName; // as the set-up creates it
    std::string tableName;
};

const Ledger kCompany{data::TableId::CompanyCheques, "firma_cek.db", "firma_cek"};
const Ledger kCustomer{data::TableId::CustomerCheques, "museri_cek.db", "museri_cek"};

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> samples)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    return n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
}

double percentile(std::vector<double> samples, double p)
{
    if (samples.empty())
        return 0;
    std::sort(samples.begin(), samples.end());
    return samples[std::min(samples.size() - 1, std::size_t(p * double(samples.size())))];
}

double maximum(const std::vector<double> &samples)
{
    return samples.empty() ? 0 : *std::max_element(samples.begin(), samples.end());
}

// A value from /proc/self/status in kB (VmRSS, VmHWM), or -1.
long statusKb(const std::string &key)
{
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    return -1;
}

double megabytes(long kb)
{
    return double(kb) / 1024.0;
}

std::string firstLineWith(const std::string &path, const std::string &prefix)
{
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(prefix, 0) == 0) {
            const auto colon = line.find(':');
            std::string value = colon == std::string::npos ? line : line.substr(colon + 1);
            value.erase(0, value.find_first_not_of(" \t"));
            return value;
        }
    return "?";
}

// Keeps the optimiser from dropping reads whose results are not otherwise used.
std::uint64_t g_sink = 0;

void consume(const engine::Value &value)
{
    std::visit(
        [](const auto &x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::string>)
                g_sink += x.size();
            else if constexpr (std::is_same_v<T, std::int64_t>)
                g_sink += std::uint64_t(x);
            else if constexpr (std::is_same_v<T, bool>)
                g_sink += x ? 1 : 0;
            else if constexpr (std::is_same_v<T, text::Date>)
                g_sink += std::uint64_t(x.day);
        },
        value);
}

void consume(std::string_view text)
{
    g_sink += text.size();
}

// One line of the result table.
struct Result
{
    std::string operation;
    double engine = 0;
    double raw = -1; // < 0: no raw figure
    std::string unit;
    std::string goal;
    int met = -1; // -1: no goal, 0: missed, 1: met
    std::string note;
};

std::vector<Result> g_results;

std::string format(double value, const std::string &unit)
{
    char buffer[64];
    if (unit == "ms" && value < 1.0)
        std::snprintf(buffer, sizeof buffer, "%.3f %s", value, unit.c_str());
    else
        std::snprintf(buffer, sizeof buffer, "%.1f %s", value, unit.c_str());
    return buffer;
}

void printResults()
{
    std::printf("\n%-52s %12s %12s %7s  %-24s %s\n", "operation", "engine", "raw SQLite", "ratio", "goal", "met");
    std::printf("%s\n", std::string(118, '-').c_str());
    for (const Result &r : g_results) {
        char ratio[32] = "";
        if (r.raw > 0)
            std::snprintf(ratio, sizeof ratio, "%.2f", r.engine / r.raw);
        std::printf("%-52s %12s %12s %7s  %-24s %s\n", r.operation.c_str(), format(r.engine, r.unit).c_str(),
                    r.raw >= 0 ? format(r.raw, r.unit).c_str() : "-", ratio, r.goal.c_str(),
                    r.met < 0 ? "" : r.met ? "yes" : "NO");
        if (!r.note.empty())
            std::printf("    %s\n", r.note.c_str());
    }
}

fs::path ledgerPath(const fs::path &folder, const Ledger &ledger)
{
    engine::Database database(folder);
    if (auto path = database.findFile(ledger.fileName))
        return *path;
    return folder / ledger.fileName;
}

// True when the ledger file holds the generated rows. Rows a former run
// appended are removed first.
bool ledgerReady(const fs::path &folder, const Ledger &ledger)
{
    try {
        const fs::path path = ledgerPath(folder, ledger);
        if (!fs::exists(path))
            return false;
        RawConnection connection(path.string());
        connection.exec("DELETE FROM " + ledger.tableName + " WHERE rowid > " + std::to_string(kRows));
        return connection.scalar("SELECT count(*) FROM " + ledger.tableName) == kRows;
    } catch (const std::exception &) {
        return false;
    }
}

// Makes the seven tables through the program's set-up and fills the ledgers
// that are not there yet. Runs in a child process so that the memory used for
// filling does not count in the figures of this one.
void prepareDataFolder(const fs::path &folder)
{
    std::vector<const Ledger *> missing;
    for (const Ledger *ledger : {&kCompany, &kCustomer})
        if (!ledgerReady(folder, *ledger))
            missing.push_back(ledger);
    if (missing.empty()) {
        std::printf("Reusing the ledgers in %s\n", folder.string().c_str());
        return;
    }
    for (const Ledger *ledger : missing) {
        std::error_code ignored;
        const fs::path path = ledgerPath(folder, *ledger);
        fs::remove(path, ignored);
        fs::remove(fs::path(path.string() + "-journal"), ignored);
    }
    std::printf("Generating %zu ledger(s) of %lld rows in %s ...\n", missing.size(), static_cast<long long>(kRows),
                folder.string().c_str());
    std::fflush(stdout);
    const auto start = Clock::now();
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        try {
            {
                data::DataStore store(folder);
                const std::vector<std::string> problems = store.setUp();
                for (const std::string &problem : problems)
                    std::fprintf(stderr, "set-up: %s\n", problem.c_str());
                if (!problems.empty())
                    _exit(1);
            }
            LedgerGenerator generator;
            for (const Ledger *ledger : missing) {
                RawConnection connection(ledgerPath(folder, *ledger).string());
                // Only the filling runs without a journal; a broken fill is
                // noticed by the row count on the next run and made again.
                connection.exec("PRAGMA journal_mode=OFF");
                connection.exec("PRAGMA synchronous=OFF");
                connection.exec("PRAGMA cache_size=-524288");
                if (ledger == &kCompany)
                    generator.fillCompanyLedger(connection, kRows);
                else
                    generator.fillCustomerLedger(connection, kRows);
            }
        } catch (const std::exception &e) {
            std::fprintf(stderr, "generation failed: %s\n", e.what());
            _exit(1);
        }
        _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("generating the ledgers failed");
    for (const Ledger *ledger : missing)
        if (!ledgerReady(folder, *ledger))
            throw std::runtime_error(ledger->fileName + ": not filled after generation");
    std::printf("Generated in %.1f s\n", millisecondsSince(start) / 1000.0);
}

std::string orderSql(const std::string &table, const engine::FieldDef &field)
{
    std::string sql = "SELECT rowid FROM " + table + " ORDER BY \"" + field.name + "\"";
    if (field.type == engine::FieldType::Char || field.type == engine::FieldType::Memo)
        sql += " COLLATE TR";
    return sql + ", rowid";
}

// A note when SQLite sorts in a temporary tree instead of walking the index.
std::string planNote(RawConnection &connection, const std::string &sql)
{
    RawStatement plan(connection, "EXPLAIN QUERY PLAN " + sql);
    std::string note;
    while (plan.step()) {
        const std::string detail(plan.columnText(3));
        if (detail.find("TEMP B-TREE") != std::string::npos)
            note += (note.empty() ? "" : "; ") + detail;
    }
    return note.empty() ? note : "SQLite plan: " + note;
}

// 1. Opening a ledger in primary order and reading the first 40 rows.
void measureOpen(const fs::path &folder, const Ledger &ledger)
{
    const fs::path path = ledgerPath(folder, ledger);
    std::vector<double> engineMs, rawMs;
    for (int rep = 0; rep < 7; ++rep) {
        {
            const auto start = Clock::now();
            engine::Database database(folder);
            engine::Table table(database, ledger.fileName);
            table.open();
            const int fields = int(table.fields().size());
            for (int row = 0; row < 40; ++row) {
                table.moveTo(row);
                for (int f = 0; f < fields; ++f)
                    consume(table.value(f));
            }
            engineMs.push_back(millisecondsSince(start));
        }
        {
            const auto start = Clock::now();
            RawConnection connection(path.string());
            std::vector<std::int64_t> order;
            {
                RawStatement select(connection, "SELECT rowid FROM " + ledger.tableName + " ORDER BY rowid");
                while (select.step())
                    order.push_back(select.columnInt(0));
            }
            RawStatement point(connection, "SELECT * FROM " + ledger.tableName + " WHERE rowid = ?1");
            for (int row = 0; row < 40 && row < int(order.size()); ++row) {
                point.reset();
                point.bindInt(1, order[std::size_t(row)]);
                if (point.step())
                    for (int c = 0; c < point.columnCount(); ++c)
                        consume(point.columnText(c));
            }
            rawMs.push_back(millisecondsSince(start));
        }
    }
    const double e = median(engineMs), r = median(rawMs);
    g_results.push_back({"open " + ledger.tableName + " (primary order) + first 40 rows", e, r, "ms",
                         "<= 500 ms and <= 2x raw", e <= 500 && e <= 2 * r ? 1 : 0, "median of 7"});
}

// 2. Making each secondary index active.
void measureIndexes(data::DataStore &store, const fs::path &folder, const Ledger &ledger)
{
    engine::Table &table = store.table(ledger.id);
    RawConnection connection(ledgerPath(folder, ledger).string());
    for (const engine::IndexDef &index : table.indexes()) {
        const engine::FieldDef &field = table.fields()[std::size_t(table.requireField(index.fields.front()))];
        const std::string sql = orderSql(ledger.tableName, field);
        std::vector<double> engineMs, rawMs;
        for (int rep = 0; rep < 3; ++rep) {
            table.setActiveIndex("");
            auto start = Clock::now();
            table.setActiveIndex(index.name);
            engineMs.push_back(millisecondsSince(start));

            start = Clock::now();
            std::vector<std::int64_t> order;
            RawStatement select(connection, sql);
            while (select.step())
                order.push_back(select.columnInt(0));
            rawMs.push_back(millisecondsSince(start));
            g_sink += order.size();
        }
        const double e = median(engineMs), r = median(rawMs);
        g_results.push_back({"activate " + index.name + " (" + ledger.tableName + "." + field.name + ")", e, r, "ms",
                             "<= 1000 ms", e <= 1000 ? 1 : 0, planNote(connection, sql)});
    }
    table.setActiveIndex("");
}

// 3. Nearest match on an active text index, with prefixes of stored keys.
void measureNearest(data::DataStore &store, const fs::path &folder, const Ledger &ledger, const std::string &indexName)
{
    engine::Table &table = store.table(ledger.id);
    table.setActiveIndex(indexName);
    const std::string fieldName = [&] {
        for (const engine::IndexDef &index : table.indexes())
            if (index.name == indexName)
                return index.fields.front();
        return std::string();
    }();
    RawConnection connection(ledgerPath(folder, ledger).string());

    std::mt19937_64 random(7);
    std::vector<std::string> keys;
    {
        RawStatement select(connection,
                            "SELECT \"" + fieldName + "\" FROM " + ledger.tableName + " WHERE rowid = ?1");
        std::uniform_int_distribution<std::int64_t> rowId(1, kRows);
        while (keys.size() < 1000) {
            select.reset();
            select.bindInt(1, rowId(random));
            if (!select.step())
                continue;
            const std::string stored(select.columnText(0));
            const std::size_t characters = text::characterCount(stored);
            if (characters == 0)
                continue;
            const std::size_t length = std::uniform_int_distribution<std::size_t>(1, characters)(random);
            keys.emplace_back(text::leftCharacters(stored, length));
        }
    }

    std::vector<double> engineMs, rawMs;
    int wrong = 0;
    RawStatement seek(connection, "SELECT rowid FROM " + ledger.tableName + " WHERE \"" + fieldName
                                      + "\" COLLATE TR >= ?1 ORDER BY \"" + fieldName + "\" COLLATE TR, rowid LIMIT 1");
    for (const std::string &key : keys) {
        auto start = Clock::now();
        const bool found = table.findNearest(key);
        engineMs.push_back(millisecondsSince(start));
        const std::int64_t engineRowId = found ? table.currentRowId() : -1;

        start = Clock::now();
        seek.reset();
        seek.bindText(1, key);
        const std::int64_t rawRowId = seek.step() ? seek.columnInt(0) : -1;
        rawMs.push_back(millisecondsSince(start));
        // Both must land on the same row: the first, in index order, whose key is not less.
        if (engineRowId != rawRowId)
            ++wrong;
    }
    const double e = median(engineMs), r = median(rawMs);
    char note[200];
    std::snprintf(note, sizeof note, "median of 1000 random prefixes; engine p90 %.3f ms, max %.3f ms; %s",
                  percentile(engineMs, 0.9), maximum(engineMs),
                  wrong ? "SOME ROWS DIFFER FROM RAW" : "every row equals raw");
    g_results.push_back({"nearest match on " + indexName + " (" + ledger.tableName + "." + fieldName + ")", e, r,
                         "ms", "median <= 1 ms", e <= 1.0 && !wrong ? 1 : 0, note});
    table.setActiveIndex("");
}

// 4. The due count query with a date equality.
void measureDueCount(data::DataStore &store, const fs::path &folder, const Ledger &ledger)
{
    RawConnection connection(ledgerPath(folder, ledger).string());
    engine::Query &query = store.dueCountQuery();
    std::mt19937_64 random(11);
    const std::int64_t first = text::toDayNumber(LedgerGenerator::firstDueDate());
    const std::int64_t last = text::toDayNumber(LedgerGenerator::lastDueDate());
    std::vector<double> engineMs, rawMs;
    int mismatches = 0;
    for (int i = 0; i < 200; ++i) {
        const text::Date date = *text::fromDayNumber(std::uniform_int_distribution<std::int64_t>(first, last)(random));
        auto start = Clock::now();
        query.close();
        query.setSql("SELECT count(*) as RECCNT FROM " + ledger.tableName + "\nWHERE VADE_TARIHI = '"
                     + text::formatDate(date) + "'");
        query.open();
        const std::int64_t engineCount = query.firstInteger();
        query.close();
        engineMs.push_back(millisecondsSince(start));

        start = Clock::now();
        std::int64_t rawCount = -1;
        {
            RawStatement count(connection, "SELECT count(*) FROM " + ledger.tableName + " WHERE VADE_TARIHI = ?1");
            count.bindText(1, text::toIso(date));
            if (count.step())
                rawCount = count.columnInt(0);
        }
        rawMs.push_back(millisecondsSince(start));
        if (engineCount != rawCount)
            ++mismatches;
    }
    const double e = median(engineMs), r = median(rawMs);
    char note[200];
    std::snprintf(note, sizeof note, "median of 200 random dates (about 270 rows each); engine max %.3f ms%s",
                  maximum(engineMs), mismatches ? "; COUNTS DIFFER FROM RAW" : "; counts equal raw");
    g_results.push_back({"due count query on " + ledger.tableName, e, r, "ms", "<= 10 ms",
                         e <= 10 && !mismatches ? 1 : 0, note});
}

// 5. Posting one appended company cheque, durably, beside a raw autocommit INSERT.
void measureCompanyPost(data::DataStore &store, const fs::path &folder, const std::string &activeIndex)
{
    const Ledger &ledger = kCompany;
    engine::Table &table = store.table(ledger.id);
    table.setActiveIndex(activeIndex);
    RawConnection connection(ledgerPath(folder, ledger).string());
    connection.exec("PRAGMA synchronous=FULL"); // as the engine; rollback journal, the default
    RawStatement insert(connection,
                        "INSERT INTO firma_cek (VADE_TARIHI, CEK_TUTARI, BANKA_ADI, BANKA_SUBESI, HESAP_NUMARASI, "
                        "CEK_NUMARASI, CEKI_ALAN, CEK_DURUMU, ACIKLAMA) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
    const int posts = activeIndex.empty() ? 50 : 20;
    const std::int64_t before = table.rowCount();
    std::vector<double> engineMs, rawMs;
    for (int i = 0; i < posts; ++i) {
        const text::Date due{2026, 12, 1 + i % 28};
        const std::string chequeNo = std::to_string(9000000 + i);
        auto start = Clock::now();
        table.append();
        table.setValue("VADE_TARIHI", engine::Value{due});
        table.setValue("CEK_TUTARI", engine::Value{std::int64_t(1250050)});
        table.setValue("BANKA_ADI", engine::Value{std::string("Türkiye İş Bankası")});
        table.setValue("BANKA_SUBESI", engine::Value{std::string("Kadıköy Şubesi")});
        table.setValue("HESAP_NUMARASI", engine::Value{std::string("1042-00123456")});
        table.setValue("CEK_NUMARASI", engine::Value{chequeNo});
        table.setValue("CEKI_ALAN", engine::Value{std::string("Şükrü Çağlayan Gıda Ltd. Şti.")});
        table.setValue("CEK_DURUMU", engine::Value{std::string("ÖDENMEDİ")});
        table.setValue("ACIKLAMA", engine::Value{std::string("Ağustos siparişi")});
        table.post();
        engineMs.push_back(millisecondsSince(start));

        start = Clock::now();
        insert.reset();
        insert.bindText(1, text::toIso(due));
        insert.bindInt(2, 1250050);
        insert.bindText(3, "Türkiye İş Bankası");
        insert.bindText(4, "Kadıköy Şubesi");
        insert.bindText(5, "1042-00123456");
        insert.bindText(6, chequeNo);
        insert.bindText(7, "Şükrü Çağlayan Gıda Ltd. Şti.");
        insert.bindText(8, "ÖDENMEDİ");
        insert.bindText(9, "Ağustos siparişi");
        insert.step();
        rawMs.push_back(millisecondsSince(start));
    }
    const bool stored = table.rowCount() == before + posts;
    const double e = median(engineMs), r = median(rawMs);
    char note[200];
    std::snprintf(note, sizeof note, "median of %d posts, interleaved with raw INSERTs; engine max %.2f ms%s", posts,
                  maximum(engineMs), stored ? "" : "; ROW COUNT WRONG");
    if (activeIndex.empty())
        g_results.push_back({"post appended row (" + ledger.tableName + ", primary order)", e, r, "ms",
                             "<= 1.3x raw", e <= 1.3 * r && stored ? 1 : 0, note});
    else
        g_results.push_back({"post appended row (" + ledger.tableName + ", " + activeIndex + " active)", e, r, "ms",
                             "", -1, note});
    table.setActiveIndex("");
}

// 6. Scrolling a ledger end to end, reading the grid's visible columns.
double scrollThrough(engine::Table &table, const std::vector<data::GridColumn> &columns)
{
    std::vector<int> visible;
    for (const data::GridColumn &column : columns)
        visible.push_back(table.requireField(column.field));
    const auto start = Clock::now();
    const std::int64_t rows = table.rowCount();
    for (std::int64_t position = 0; position < rows; ++position) {
        table.moveTo(position);
        for (int field : visible)
            consume(table.value(field));
    }
    table.first();
    return millisecondsSince(start);
}

// The same reading done with plain SQLite: one statement over the visible
// columns in primary order, stepped to the end.
double scrollThroughRaw(const fs::path &folder, const Ledger &ledger, const std::vector<data::GridColumn> &columns)
{
    std::string list;
    for (const data::GridColumn &column : columns)
        list += (list.empty() ? "\"" : ", \"") + column.field + "\"";
    const auto start = Clock::now();
    RawConnection connection(ledgerPath(folder, ledger).string());
    RawStatement select(connection, "SELECT " + list + " FROM " + ledger.tableName + " ORDER BY rowid");
    while (select.step())
        for (int c = 0; c < select.columnCount(); ++c)
            consume(select.columnText(c));
    return millisecondsSince(start);
}

// Microseconds per row of reading rows one by one by row id with plain SQLite,
// each read its own (autocommit) transaction or all inside one read transaction.
double pointReadMicroseconds(const fs::path &folder, const Ledger &ledger, bool oneTransaction)
{
    constexpr int kReads = 100000;
    RawConnection connection(ledgerPath(folder, ledger).string());
    RawStatement select(connection, "SELECT * FROM " + ledger.tableName + " WHERE rowid = ?1");
    const auto start = Clock::now();
    if (oneTransaction)
        connection.exec("BEGIN");
    for (int rowId = 1; rowId <= kReads; ++rowId) {
        select.reset();
        select.bindInt(1, rowId);
        if (select.step())
            for (int c = 0; c < select.columnCount(); ++c)
                consume(select.columnText(c));
    }
    if (oneTransaction)
        connection.exec("COMMIT");
    return millisecondsSince(start) * 1000.0 / kReads;
}

void printMachine(const fs::path &folder)
{
    char date[64];
    const std::time_t now = std::time(nullptr);
    std::strftime(date, sizeof date, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
    std::printf("Selvora table engine benchmark, %s\n", date);
    std::printf("CPU: %s, %u hardware threads; memory: %s; kernel %s\n",
                firstLineWith("/proc/cpuinfo", "model name").c_str(), std::thread::hardware_concurrency(),
                firstLineWith("/proc/meminfo", "MemTotal").c_str(),
                firstLineWith("/proc/sys/kernel/osrelease", "").c_str());
    std::printf("Load average at start: %s\n", firstLineWith("/proc/loadavg", "").c_str());
    std::printf("SQLite %s; data folder %s\n", sqlite3_libversion(), folder.string().c_str());
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const fs::path folder = argc > 1 ? fs::path(argv[1])
                                         : fs::temp_directory_path() / "selvora-bench-engine" / "Veriler";
        fs::create_directories(folder);
        printMachine(folder);
        prepareDataFolder(folder);

        const long baselineKb = statusKb("VmRSS");
        data::DataStore store(folder);
        const auto start = Clock::now();
        const std::vector<std::string> problems = store.setUp();
        const double setUpMs = millisecondsSince(start);
        for (const std::string &problem : problems)
            std::fprintf(stderr, "set-up: %s\n", problem.c_str());
        if (!problems.empty())
            return 1;
        const long openKb = statusKb("VmRSS");
        std::printf("Data set-up (seven tables opened): %.0f ms; rows: %lld + %lld\n", setUpMs,
                    static_cast<long long>(store.table(kCompany.id).rowCount()),
                    static_cast<long long>(store.table(kCustomer.id).rowCount()));
        std::fflush(stdout);

        // Memory first, so that nothing else measured here inflates it.
        const double scrollCompanyMs = scrollThrough(store.table(kCompany.id), data::companyGridColumns());
        const double scrollCustomerMs = scrollThrough(store.table(kCustomer.id), data::customerGridColumns());
        const long scrolledKb = statusKb("VmRSS");
        const long peakKb = statusKb("VmHWM");
        std::printf("Scrolled end to end: firma_cek %.1f s, museri_cek %.1f s\n", scrollCompanyMs / 1000,
                    scrollCustomerMs / 1000);
        std::fflush(stdout);

        const double rawScrollCompanyMs = scrollThroughRaw(folder, kCompany, data::companyGridColumns());
        const double rawScrollCustomerMs = scrollThroughRaw(folder, kCustomer, data::customerGridColumns());
        const double pointAutocommitUs = pointReadMicroseconds(folder, kCompany, false);
        const double pointTransactionUs = pointReadMicroseconds(folder, kCompany, true);
        char note[300];
        std::snprintf(note, sizeof note,
                      "no goal; raw reads the visible columns with one SELECT. Raw point reads by row id: "
                      "%.1f us/row autocommit, %.1f us/row inside one read transaction",
                      pointAutocommitUs, pointTransactionUs);
        g_results.push_back({"scroll firma_cek end to end (moveTo + visible cols)", scrollCompanyMs / 1000,
                             rawScrollCompanyMs / 1000, "s", "", -1, note});
        g_results.push_back({"scroll museri_cek end to end (moveTo + visible cols)", scrollCustomerMs / 1000,
                             rawScrollCustomerMs / 1000, "s", "", -1, ""});

        measureOpen(folder, kCompany);
        measureOpen(folder, kCustomer);
        measureIndexes(store, folder, kCompany);
        measureIndexes(store, folder, kCustomer);
        measureNearest(store, folder, kCustomer, "IN_CEKIVEREN");
        measureNearest(store, folder, kCompany, "IN_CEKNO");
        measureDueCount(store, folder, kCompany);
        measureDueCount(store, folder, kCustomer);
        measureCompanyPost(store, folder, "");
        measureCompanyPost(store, folder, "IN_TARIH");

        std::snprintf(note, sizeof note,
                      "VmRSS before set-up %.1f MB, after opening %.1f MB; peak (VmHWM) %.1f MB; "
                      "scroll took %.1f s + %.1f s",
                      megabytes(baselineKb), megabytes(openKb), megabytes(peakKb), scrollCompanyMs / 1000,
                      scrollCustomerMs / 1000);
        g_results.push_back({"resident memory, both ledgers open and scrolled", megabytes(scrolledKb), -1, "MB",
                             "<= 150 MB", megabytes(scrolledKb) <= 150 ? 1 : 0, note});
        const long endKb = statusKb("VmRSS");
        std::snprintf(note, sizeof note, "peak (VmHWM) %.1f MB", megabytes(statusKb("VmHWM")));
        g_results.push_back({"resident memory at the end of the run", megabytes(endKb), -1, "MB", "", -1, note});

        printResults();
        store.closeAll();
        for (const Ledger *ledger : {&kCompany, &kCustomer})
            ledgerReady(folder, *ledger); // removes the rows posted here
        std::printf("\n(checksum %llu)\n", static_cast<unsigned long long>(g_sink));
    } catch (const engine::Error &e) {
        std::fprintf(stderr, "engine error: %s\n", e.what());
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
