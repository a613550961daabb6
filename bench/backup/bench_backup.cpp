// Backups and command-line reports on a large data folder: a 1,000,000-row
// company ledger and a 1,000,000-row customer ledger (about 560 MB).
//
//   backup    backup::writeBackup(): each table copied with SQLite's online
//             backup, its figures summed, SHA-256, zip (deflate level 1)
//   check     backup::checkBackup(): unzip, SHA-256, integrity check of every
//             table and index, counts and sums
//   restore   backup::restoreBackup(): the check, then the files moved into place
//   reference the same tables copied as plain files and zipped by libzip
//             through the same writer, without snapshot, figures or checks
//   rapor     commandline::runReportCommand() as selvora-rapor runs it: the
//             morning's due cheques, a month as text, PDF and xlsx, and the
//             whole ledger as text
//
// The ledgers are generated once (plain SQLite, not measured) and reused.

#include "backup/archivecheck.h"
#include "backup/backupwriter.h"
#include "backup/folderrestore.h"
#include "backup/tablesource.h"
#include "backup/ziparchive.h"
#include "commandline/reportcommand.h"
#include "data/datastore.h"
#include "ledgergenerator.h"
#include "rawconnection.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr std::int64_t kRows = 1'000'000;

double seconds(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e9;
}

qint64 rowsIn(const QString &file, const char *table)
{
    try {
        RawConnection connection(file.toStdString());
        return connection.scalar(std::string("SELECT count(*) FROM ") + table);
    } catch (const std::exception &) {
        return -1;
    }
}

void prepare(const QString &root)
{
    const QString folder = QDir(root).filePath("Veriler");
    if (rowsIn(folder + "/firma_cek.db", "firma_cek") == kRows && rowsIn(folder + "/museri_cek.db", "museri_cek") == kRows) {
        std::printf("Reusing the ledgers in %s\n", qPrintable(folder));
        return;
    }
    QDir(folder).removeRecursively();
    std::printf("Generating two ledgers of %lld rows in %s ...\n", static_cast<long long>(kRows), qPrintable(folder));
    std::fflush(stdout);
    {
        data::DataStore store(folder.toStdString());
        if (!store.setUp().empty())
            throw std::runtime_error("set-up failed");
    }
    LedgerGenerator generator;
    for (const char *table : {"firma_cek", "museri_cek"}) {
        RawConnection connection((folder + "/" + table + ".db").toStdString());
        connection.exec("PRAGMA synchronous=OFF");
        connection.exec("PRAGMA cache_size=-524288");
        if (std::string(table) == "firma_cek")
            generator.fillCompanyLedger(connection, kRows);
        else
            generator.fillCustomerLedger(connection, kRows);
    }
}

qint64 folderBytes(const QString &folder)
{
    qint64 bytes = 0;
    for (const QFileInfo &file : QDir(folder).entryInfoList(QDir::Files))
        bytes += file.size();
    return bytes;
}

struct Rapor
{
    int code;
    double seconds;
    qint64 bytes;
};

Rapor rapor(const QString &root, const QStringList &arguments, const QDate &today)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QElapsedTimer clock;
    clock.start();
    const int code = commandline::runReportCommand(arguments, root, today, out, err);
    return {code, seconds(clock), qint64(out.size())};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    try {
        const QString root = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                      : QDir::temp().filePath("selvora-bench-backup");
        QDir().mkpath(root);
        prepare(root);
        const QString data = QDir(root).filePath("Veriler");
        std::printf("Data folder: %.0f MB\n", double(folderBytes(data)) / 1e6);

        QTemporaryDir work(QDir(root).filePath("calisma-XXXXXX"));
        const QString archive = work.filePath("yedek.zip");

        backup::FolderTableSource source(data);
        QElapsedTimer clock;
        clock.start();
        const backup::BackupResult written = backup::writeBackup(source, root, archive);
        const double backupSeconds = seconds(clock);
        if (!written.ok)
            throw std::runtime_error(written.message.toStdString());

        // Reference: the same table files, copied plainly and zipped alike.
        clock.restart();
        {
            const QString copies = work.filePath("kopya");
            QDir().mkpath(copies);
            backup::ZipWriter zip(work.filePath("duz.zip"));
            for (const QString &name : source.tableFiles()) {
                QFile::copy(QDir(data).filePath(name), QDir(copies).filePath(name));
                zip.addFile("Veriler/" + name, QDir(copies).filePath(name));
            }
            zip.commit();
        }
        const double referenceSeconds = seconds(clock);

        clock.restart();
        const backup::CheckResult checked = backup::checkBackup(archive, work.filePath("denetim"));
        const double checkSeconds = seconds(clock);
        if (!checked.ok)
            throw std::runtime_error(checked.message.toStdString());

        clock.restart();
        const backup::RestoreResult restored = backup::restoreBackup(archive, root);
        const double restoreSeconds = seconds(clock);
        if (!restored.ok)
            throw std::runtime_error(restored.message.toStdString());
        QDir(restored.setAsideFolder).removeRecursively();

        std::printf("\n| operation | time | note |\n|---|---:|---|\n");
        std::printf("| backup (online copy of 7 tables, figures, SHA-256, zip) | %.1f s | archive %.0f MB |\n",
                    backupSeconds, double(QFileInfo(archive).size()) / 1e6);
        std::printf("| reference: plain copy + the same zip | %.1f s | ratio %.2f |\n", referenceSeconds,
                    backupSeconds / referenceSeconds);
        std::printf("| check of the archive (unzip, SHA-256, integrity check, counts, sums) | %.1f s | |\n",
                    checkSeconds);
        std::printf("| restore (the check, then the files moved into place) | %.1f s | |\n", restoreSeconds);

        const QDate today(2024, 6, 14);
        const struct { const char *name; QStringList arguments; } calls[] = {
            {"rapor musteri bugun (text)", {"musteri", "bugun"}},
            {"rapor firma aralik one month (text)", {"firma", "aralik", "01.06.2024", "30.06.2024"}},
            {"rapor firma aralik one month (pdf)", {"firma", "aralik", "01.06.2024", "30.06.2024", "--bicim", "pdf"}},
            {"rapor musteri aralik one month (xlsx)",
             {"musteri", "aralik", "01.06.2024", "30.06.2024", "--bicim", "xlsx"}},
            {"rapor firma hepsi, 1,000,000 rows (text)", {"firma", "hepsi"}},
        };
        for (const auto &call : calls) {
            const Rapor result = rapor(root, call.arguments, today);
            std::printf("| %s | %.2f s | exit %d, %.1f MB out |\n", call.name, result.seconds, result.code,
                        double(result.bytes) / 1e6);
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_backup: %s\n", e.what());
        return 1;
    }
    return 0;
}
