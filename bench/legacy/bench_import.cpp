// Speed of the import of an old data folder: a customer ledger of 100,000
// cheques with notes, written as the older program left it (a Paradox 7 table
// in code page 857 with its .MB memo file), imported in place, beside a plain
// SQLite bulk insert of the same rows in one transaction, in the same run.
//
//   bench_import [rows] [folder]
//
// The folder (by default <temp>/selvora-bench-import) is made afresh on each
// run and left behind, so the imported tables and the dated folder of the old
// files can be looked at. Goal: the import of 100,000 rows in at most 5 s.

#include "../../tests/legacy/oldfolder.h"

#include "legacy/folderimport.h"

#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Peak resident memory in MiB from /proc (Linux); 0 elsewhere.
double peakMemoryMiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

QList<oldfolder::CustomerCheque> makeCheques(int count)
{
    static const QStringList holders = {
        QStringLiteral("GÜLŞEN IŞIK"), QStringLiteral("ÖMER ÇİFTÇİ"), QStringLiteral("ŞÜKRÜ ĞÜNDÜZ"),
        QStringLiteral("AYŞE ÖZTÜRK"), QStringLiteral("İSMAİL ÇAKIR"), QStringLiteral("ÇAĞLAR İNŞAAT LTD"),
    };
    static const QStringList banks = {QStringLiteral("İŞ BANKASI"), QStringLiteral("ZİRAAT BANKASI"),
                                      QStringLiteral("HALKBANK"), QStringLiteral("VAKIFBANK")};
    static const QStringList statuses = {QStringLiteral("PORTFÖYDE"), QStringLiteral("TAHSİL EDİLDİ"),
                                         QStringLiteral("BANKA TAHSİLDE"), QStringLiteral("CİRO EDİLDİ")};
    const QString longNote = QStringLiteral("Müşteri çeki elden getirdi; şubeye gönderilecek, ödeme günü aranacak. ")
                                 .repeated(5);
    QList<oldfolder::CustomerCheque> cheques;
    cheques.reserve(count);
    for (int i = 0; i < count; ++i) {
        oldfolder::CustomerCheque c;
        c.number = i + 1;
        c.endorsed = i % 7 == 0;
        c.endorser = c.endorsed ? holders[(i + 1) % holders.size()] : QStringLiteral("YOK");
        c.due = QDate(2020, 1, 1).addDays(i % 3000);
        c.amount = double((i * 7919) % 5000000) / 100.0;
        c.chequeNumber = QStringLiteral("ÇK-%1").arg(i + 1, 7, 10, QLatin1Char('0'));
        c.holder = holders[i % holders.size()];
        c.bank = banks[i % banks.size()];
        c.branch = QStringLiteral("ÇARŞI ŞUBESİ");
        c.account = QString::number(100000 + i);
        c.status = statuses[i % statuses.size()];
        c.collectingBank = QStringLiteral("YOK");
        c.collectingBranch = QStringLiteral("YOK");
        c.endorsedTo = QStringLiteral("YOK");
        // Every row has a note; one in ten is longer than the 200 bytes kept in the row.
        c.note = i % 10 == 0 ? longNote : QStringLiteral("Not %1: vadesinde tahsil edilecek.").arg(i);
        cheques << c;
    }
    return cheques;
}

void check(int rc, sqlite3 *db, const char *what)
{
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::fprintf(stderr, "%s: %s\n", what, sqlite3_errmsg(db));
        std::exit(1);
    }
}

// The same rows into a plain SQLite table with the same columns and indexes,
// one prepared statement, one transaction.
double rawInsert(const fs::path &file, const QList<oldfolder::CustomerCheque> &cheques)
{
    fs::remove(file);
    const auto start = Clock::now();
    sqlite3 *db = nullptr;
    check(sqlite3_open(file.string().c_str(), &db), db, "open");
    check(sqlite3_exec(db, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr), db, "pragma");
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db, "begin");
    check(sqlite3_exec(db,
                       "CREATE TABLE museri_cek (OTO_SN INTEGER PRIMARY KEY AUTOINCREMENT, CEK_CIROLU BOOLEAN, "
                       "CIRO_EDEN CHAR(40), VADE_TARIHI DATE, CEK_TUTARI MONEY, CEK_NUMARASI CHAR(30), "
                       "HESAPSAHIBI CHAR(40), BANKASI CHAR(30), SUBESI CHAR(30), HESAPNO CHAR(30), "
                       "CEK_DURUM CHAR(20), TAHSIL_BANKA CHAR(30), TAHSIL_SUBE CHAR(30), KIME_CIRO CHAR(40), "
                       "ACIKLAMA MEMO TEXT);"
                       "CREATE INDEX IN_BANKA ON museri_cek (BANKASI);"
                       "CREATE INDEX IN_CEKDURUMU ON museri_cek (CEK_DURUM);"
                       "CREATE INDEX IN_CEKIVEREN ON museri_cek (HESAPSAHIBI);"
                       "CREATE INDEX IN_CEKNO ON museri_cek (CEK_NUMARASI);"
                       "CREATE INDEX IN_HESAPNO ON museri_cek (HESAPNO);"
                       "CREATE INDEX IN_TUTAR ON museri_cek (CEK_TUTARI);"
                       "CREATE INDEX IN_VADE ON museri_cek (VADE_TARIHI);",
                       nullptr, nullptr, nullptr),
          db, "create");
    sqlite3_stmt *insert = nullptr;
    check(sqlite3_prepare_v2(db, "INSERT INTO museri_cek VALUES (?1,?2,?3,?4,?5,?6,?7,?8,?9,?10,?11,?12,?13,?14,?15)",
                             -1, &insert, nullptr),
          db, "prepare");
    for (const auto &c : cheques) {
        const auto text = [&](int index, const QString &value) {
            const QByteArray bytes = value.toUtf8();
            sqlite3_bind_text(insert, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
        };
        sqlite3_bind_int64(insert, 1, c.number);
        sqlite3_bind_int(insert, 2, c.endorsed ? 1 : 0);
        text(3, c.endorser);
        text(4, c.due.toString(Qt::ISODate));
        sqlite3_bind_int64(insert, 5, qRound64(c.amount * 100));
        text(6, c.chequeNumber);
        text(7, c.holder);
        text(8, c.bank);
        text(9, c.branch);
        text(10, c.account);
        text(11, c.status);
        text(12, c.collectingBank);
        text(13, c.collectingBranch);
        text(14, c.endorsedTo);
        text(15, c.note);
        check(sqlite3_step(insert), db, "insert");
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
    return secondsSince(start);
}

} // namespace

int main(int argc, char *argv[])
{
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    const fs::path folder = argc > 2 ? fs::path(argv[2]) : fs::temp_directory_path() / "selvora-bench-import";
    fs::remove_all(folder);
    fs::create_directories(folder / "Veriler");
    const fs::path data = folder / "Veriler";

    auto start = Clock::now();
    const auto cheques = makeCheques(rows);
    const auto files = oldfolder::customerLedger(cheques);
    for (const auto &[name, bytes] : {std::pair{"museri_cek.DB", files.table}, std::pair{"museri_cek.MB", files.memo}}) {
        std::ofstream out(data / name, std::ios::binary);
        out.write(bytes.constData(), bytes.size());
    }
    std::printf("old ledger written: %d rows, %.1f MiB table + %.1f MiB memo file, %.2f s\n", rows,
                files.table.size() / 1048576.0, files.memo.size() / 1048576.0, secondsSince(start));

    legacy::ImportOptions dry;
    dry.dryRun = true;
    start = Clock::now();
    const auto checked = legacy::importFolder(data, data, dry);
    const double dryTime = secondsSince(start);
    if (!checked.ok) {
        std::fputs(checked.text().c_str(), stderr);
        return 1;
    }

    start = Clock::now();
    const auto summary = legacy::importFolder(data, data);
    const double importTime = secondsSince(start);
    if (!summary.ok) {
        std::fputs(summary.text().c_str(), stderr);
        return 1;
    }
    const double rawTime = rawInsert(folder / "raw.db", cheques);

    std::printf("dry run (read, convert, check):   %6.2f s  %9.0f rows/s\n", dryTime, rows / dryTime);
    std::printf("import (read, write, verify, move): %4.2f s  %9.0f rows/s   goal <= 5 s: %s\n", importTime,
                rows / importTime, importTime <= 5.0 ? "met" : "MISSED");
    std::printf("raw SQLite bulk insert, same rows: %5.2f s  %9.0f rows/s   import / raw = %.1f\n", rawTime,
                rows / rawTime, importTime / rawTime);
    std::printf("peak memory: %.0f MiB\n", peakMemoryMiB());
    return 0;
}
