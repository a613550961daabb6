// Table maintenance on a large ledger: engine::Database::pack() of a
// 1,000,000-row company ledger from which half the rows were deleted, beside a
// plain SQLite VACUUM of an identical copy of the file. Goal: the pack takes at
// most 1.5 times the plain VACUUM, and the file shrinks.
//
// The ledger is made by the program's own data set-up, then filled with plain
// SQLite in one transaction and thinned with one DELETE, so the generation is
// fast and not measured. Four identical copies are packed in the order
// engine, raw, raw, engine, so neither side always goes first.

#include "data/datastore.h"
#include "engine/database.h"
#include "text/turkish.h"

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kRows = 1'000'000;
const std::string kFile = "firma_cek.db";

int collateTurkish(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    return text::compareTurkish(std::string_view(static_cast<const char *>(a), std::size_t(lengthA)),
                                std::string_view(static_cast<const char *>(b), std::size_t(lengthB)));
}

sqlite3 *openRaw(const fs::path &path)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path.string());
    }
    sqlite3_create_collation_v2(db, "TR", SQLITE_UTF8, nullptr, &collateTurkish, nullptr);
    return db;
}

void exec(sqlite3 *db, const std::string &sql)
{
    char *error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = sql + ": " + (error ? error : "?");
        sqlite3_free(error);
        throw std::runtime_error(message);
    }
}

std::int64_t scalar(sqlite3 *db, const std::string &sql)
{
    sqlite3_stmt *statement = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
    std::int64_t value = -1;
    if (statement && sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    return value;
}

constexpr std::array<std::string_view, 16> kNames = {
    "Şükrü ÇAĞLAYAN", "Ayşe Yılmaz", "İsmail Öztürk", "Işıl Doğan", "Gökhan Şahin", "Özlem Kılıç",
    "Ümit Güneş", "Çiğdem Aydın", "Özdemir Kadıköy Gıda Ltd. Şti.", "Yıldız İnşaat A.Ş.",
    "ÇELİK TEKSTİL SAN. VE TİC. LTD. ŞTİ.", "Uğur Hırdavat", "Ağaoğlu Lojistik", "Işık Kırtasiye",
    "Büyükşahin Mobilya", "Gündüz Züccaciye"};
constexpr std::array<std::string_view, 8> kBanks = {"Türkiye İş Bankası", "Ziraat Bankası", "Türkiye Halk Bankası",
                                                   "Yapı ve Kredi Bankası", "Akbank", "Garanti BBVA",
                                                   "Şekerbank", "Türkiye Vakıflar Bankası"};
constexpr std::array<std::string_view, 8> kBranches = {"Kadıköy Şubesi", "Üsküdar", "Çankaya Şubesi", "Iğdır",
                                                      "Ödemiş Şubesi", "Gölcük", "Şişli", "Bağcılar Şubesi"};
constexpr std::array<std::string_view, 3> kStatuses = {"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI"};
constexpr std::array<std::string_view, 4> kNotes = {"Mal bedeli", "Kira ödemesi", "Fatura karşılığı, no 2026/114",
                                                   "Şubat ayı taksidi"};

void fillLedger(const fs::path &path)
{
    sqlite3 *db = openRaw(path);
    std::mt19937_64 random(20261210);
    const auto pick = [&random](std::size_t n) { return std::size_t(random() % n); };
    exec(db, "BEGIN");
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO firma_cek (VADE_TARIHI, CEK_TUTARI, BANKA_ADI, BANKA_SUBESI, HESAP_NUMARASI, "
                       "CEK_NUMARASI, CEKI_ALAN, CEK_DURUMU, ACIKLAMA) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)",
                       -1, &insert, nullptr);
    char date[16], account[32], cheque[16];
    for (std::int64_t row = 0; row < kRows; ++row) {
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", 2020 + int(pick(10)), 1 + int(pick(12)),
                      1 + int(pick(28)));
        std::snprintf(account, sizeof account, "%04u-%08u", unsigned(pick(10000)), unsigned(pick(100000000)));
        std::snprintf(cheque, sizeof cheque, "%07u", unsigned(pick(10000000)));
        const std::string_view bank = kBanks[pick(kBanks.size())];
        const std::string_view branch = kBranches[pick(kBranches.size())];
        const std::string_view name = kNames[pick(kNames.size())];
        const std::string_view status = kStatuses[pick(kStatuses.size())];
        sqlite3_reset(insert);
        sqlite3_bind_text(insert, 1, date, -1, SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert, 2, std::int64_t(10000 + pick(75000000)));
        sqlite3_bind_text(insert, 3, bank.data(), int(bank.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 4, branch.data(), int(branch.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 5, account, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 6, cheque, -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 7, name.data(), int(name.size()), SQLITE_STATIC);
        sqlite3_bind_text(insert, 8, status.data(), int(status.size()), SQLITE_STATIC);
        if (pick(10) < 4) {
            const std::string_view note = kNotes[pick(kNotes.size())];
            sqlite3_bind_text(insert, 9, note.data(), int(note.size()), SQLITE_STATIC);
        } else {
            sqlite3_bind_null(insert, 9);
        }
        if (sqlite3_step(insert) != SQLITE_DONE)
            throw std::runtime_error(std::string("insert: ") + sqlite3_errmsg(db));
    }
    sqlite3_finalize(insert);
    exec(db, "COMMIT");
    // Half the rows deleted, spread over the whole file as a year of use would leave them.
    exec(db, "DELETE FROM firma_cek WHERE OTO_SN % 2 = 0");
    sqlite3_close(db);
}

double seconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double>(d).count();
}

struct Result
{
    double seconds = 0;
    std::uintmax_t sizeAfter = 0;
    std::int64_t rowsAfter = 0;
};

std::int64_t countRows(const fs::path &path)
{
    sqlite3 *db = openRaw(path);
    const std::int64_t rows = scalar(db, "SELECT count(*) FROM firma_cek");
    sqlite3_close(db);
    return rows;
}

// Reads the whole file once, so every copy starts from the page cache.
void warm(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), std::streamsize(buffer.size())) || in.gcount() > 0) {
    }
}

Result packWithEngine(const fs::path &folder)
{
    const auto start = std::chrono::steady_clock::now();
    {
        engine::Database database(folder);
        database.pack(kFile);
    }
    Result result;
    result.seconds = seconds(std::chrono::steady_clock::now() - start);
    result.sizeAfter = fs::file_size(folder / kFile);
    result.rowsAfter = countRows(folder / kFile);
    return result;
}

Result vacuumRaw(const fs::path &folder)
{
    const auto start = std::chrono::steady_clock::now();
    sqlite3 *db = openRaw(folder / kFile);
    exec(db, "PRAGMA synchronous=FULL");
    exec(db, "VACUUM");
    sqlite3_close(db);
    Result result;
    result.seconds = seconds(std::chrono::steady_clock::now() - start);
    result.sizeAfter = fs::file_size(folder / kFile);
    result.rowsAfter = countRows(folder / kFile);
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const fs::path work = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "selvora-bench-maintenance";
        fs::remove_all(work);
        const fs::path source = work / "kaynak" / "Veriler";
        {
            data::DataStore store(source);
            const auto problems = store.setUp();
            for (const std::string &problem : problems)
                std::fprintf(stderr, "set-up: %s\n", problem.c_str());
        }
        const auto fillStart = std::chrono::steady_clock::now();
        fillLedger(source / kFile);
        const std::uintmax_t sizeBefore = fs::file_size(source / kFile);
        const std::int64_t rowsBefore = countRows(source / kFile);
        std::printf("ledger: %lld rows inserted, %lld left after the DELETE, %.1f MB, made in %.1f s\n",
                    static_cast<long long>(kRows), static_cast<long long>(rowsBefore), double(sizeBefore) / 1e6,
                    seconds(std::chrono::steady_clock::now() - fillStart));

        // Four identical copies; each read once so all start from the page cache.
        const std::array<std::string, 4> order = {"engine", "raw", "raw", "engine"};
        std::vector<fs::path> folders;
        for (std::size_t i = 0; i < order.size(); ++i) {
            folders.push_back(work / ("kopya" + std::to_string(i)) / "Veriler");
            fs::create_directories(folders.back());
            fs::copy_file(source / kFile, folders.back() / kFile);
            warm(folders.back() / kFile);
        }

        double engineTotal = 0, rawTotal = 0;
        bool rowsKept = true, shrank = true;
        std::uintmax_t engineSize = 0, rawSize = 0;
        for (std::size_t i = 0; i < order.size(); ++i) {
            const bool engineRun = order[i] == "engine";
            const Result result = engineRun ? packWithEngine(folders[i]) : vacuumRaw(folders[i]);
            std::printf("%-6s pack: %7.3f s, %.1f MB -> %.1f MB, %lld rows\n", order[i].c_str(), result.seconds,
                        double(sizeBefore) / 1e6, double(result.sizeAfter) / 1e6,
                        static_cast<long long>(result.rowsAfter));
            (engineRun ? engineTotal : rawTotal) += result.seconds;
            (engineRun ? engineSize : rawSize) = result.sizeAfter;
            rowsKept = rowsKept && result.rowsAfter == rowsBefore;
            shrank = shrank && result.sizeAfter < sizeBefore;
        }
        const double engineTime = engineTotal / 2, rawTime = rawTotal / 2;
        const double ratio = engineTime / rawTime;
        std::printf("\nmean engine pack %.3f s, mean raw VACUUM %.3f s, ratio %.2f (goal <= 1.50: %s)\n", engineTime,
                    rawTime, ratio, ratio <= 1.5 ? "met" : "NOT met");
        std::printf("size %.1f MB -> engine %.1f MB, raw %.1f MB (%s); rows kept: %s\n", double(sizeBefore) / 1e6,
                    double(engineSize) / 1e6, double(rawSize) / 1e6, shrank ? "shrank" : "DID NOT SHRINK",
                    rowsKept ? "yes" : "NO");
        fs::remove_all(work);
        return ratio <= 1.5 && shrank && rowsKept ? 0 : 1;
    } catch (const std::exception &error) {
        std::fprintf(stderr, "bench_maintenance: %s\n", error.what());
        return 2;
    }
}
