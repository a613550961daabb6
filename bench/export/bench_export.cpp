// Export speed and memory: every format over a generated company ledger.
//
//   bench_export [rows]           runs every format, each in a child process, and prints a table
//   bench_export --one N [rows]   runs format N alone (what the children do)
//   bench_export --samples DIR [rows]  writes every format into DIR, to look at
//
// Memory is the peak resident size during the export less the resident size
// just before it (Linux /proc/self/status; elsewhere it reads 0).

#include "export/exporter.h"
#include "export/exportformat.h"
#include "export/exportjob.h"
#include "generatedledger.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <cstdio>
#include <ctime>

using namespace exporting;

namespace {

qint64 statusKilobytes(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
    }
    return 0;
}

QList<ExportColumn> columns()
{
    const QStringList captions = {"SIRA NO", "VADE TARİHİ", "ÇEK TUTARI", "ÇEKİ ALAN", "BANKA ADI",
                                  "BANKA ŞUBESİ", "HESAP NUMARASI", "ÇEK NUMARASI", "AÇIKLAMA", "ÇEK DURUMU"};
    QList<ExportColumn> list;
    for (int i = 0; i < captions.size(); ++i)
        list.append({i, captions[i]});
    return list;
}

int runOne(int formatIndex, qint64 rows)
{
    const ExportFormat format = allFormats().at(formatIndex);
    QTemporaryDir folder;
    GeneratedLedger ledger(rows);
    ExportJob job(ledger, columns());
    job.setTableName(QStringLiteral("firma_cek"));
    const QString path = folder.filePath(QStringLiteral("defter.") + fileExtension(format));
    const qint64 before = statusKilobytes("VmRSS:");
    QElapsedTimer timer;
    timer.start();
    const std::clock_t cpuStart = std::clock();
    const ExportResult result = Exporter::run(job, format, path);
    const double seconds = timer.nsecsElapsed() / 1e9;
    const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
    const qint64 peak = statusKilobytes("VmHWM:");
    if (!result.ok) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(formatLabel(format)), qPrintable(result.message));
        return 1;
    }
    const qint64 size = isClipboard(format) ? 0 : QFileInfo(path).size();
    std::printf("%d\t%lld\t%.2f\t%.0f\t%.1f\t%.1f\t%.2f\n", formatIndex, static_cast<long long>(result.rows), seconds,
                result.rows / seconds, std::max<qint64>(0, peak - before) / 1024.0, size / 1048576.0, cpuSeconds);
    return 0;
}

// A raw SQLite scan of the same rows, for scale: the rows are written to a
// file first, then read back with every column fetched.
void sqliteScan(qint64 rows)
{
    QTemporaryDir folder;
    const QByteArray path = QFile::encodeName(folder.filePath(QStringLiteral("firma_cek.db")));
    sqlite3 *db = nullptr;
    if (sqlite3_open(path.constData(), &db) != SQLITE_OK)
        return;
    sqlite3_exec(db, "CREATE TABLE firma_cek (OTO_SN INTEGER PRIMARY KEY, VADE_TARIHI TEXT, CEK_TUTARI INTEGER, "
                     "CEKI_ALAN TEXT, BANKA_ADI TEXT, BANKA_SUBESI TEXT, HESAP_NUMARASI TEXT, CEK_NUMARASI TEXT, "
                     "ACIKLAMA TEXT, CEK_DURUMU TEXT); BEGIN;", nullptr, nullptr, nullptr);
    sqlite3_stmt *insert = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO firma_cek VALUES (?,?,?,?,?,?,?,?,?,?)", -1, &insert, nullptr);
    GeneratedLedger ledger(rows);
    while (ledger.next()) {
        sqlite3_bind_int64(insert, 1, std::get<std::int64_t>(ledger.value(0)));
        const text::Date date = std::get<text::Date>(ledger.value(1));
        const QByteArray iso = QStringLiteral("%1-%2-%3").arg(date.year, 4, 10, QLatin1Char('0'))
                                   .arg(date.month, 2, 10, QLatin1Char('0')).arg(date.day, 2, 10, QLatin1Char('0')).toLatin1();
        sqlite3_bind_text(insert, 2, iso.constData(), int(iso.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(insert, 3, std::get<std::int64_t>(ledger.value(2)));
        for (int c = 3; c < 10; ++c) {
            const std::string &text = std::get<std::string>(ledger.value(std::size_t(c)));
            sqlite3_bind_text(insert, c + 1, text.data(), int(text.size()), SQLITE_TRANSIENT);
        }
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);

    QElapsedTimer timer;
    timer.start();
    sqlite3_stmt *scan = nullptr;
    sqlite3_prepare_v2(db, "SELECT * FROM firma_cek ORDER BY OTO_SN", -1, &scan, nullptr);
    qint64 count = 0;
    qint64 bytes = 0;
    while (sqlite3_step(scan) == SQLITE_ROW) {
        ++count;
        for (int c = 0; c < 10; ++c)
            bytes += sqlite3_column_bytes(scan, c);
    }
    sqlite3_finalize(scan);
    sqlite3_close(db);
    const double seconds = timer.nsecsElapsed() / 1e9;
    std::printf("%-18s %9lld %9.2f %9s %12.0f %14s %10s\n", "SQLite scan (raw)", static_cast<long long>(count), seconds,
                "-", count / seconds, "-", "-");
    Q_UNUSED(bytes);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() >= 3 && arguments[1] == QStringLiteral("--one"))
        return runOne(arguments[2].toInt(), arguments.size() >= 4 ? arguments[3].toLongLong() : 1000000);

    if (arguments.size() >= 3 && arguments[1] == QStringLiteral("--samples")) {
        const qint64 rows = arguments.size() >= 4 ? arguments[3].toLongLong() : 100;
        for (ExportFormat format : allFormats()) {
            if (isClipboard(format))
                continue;
            GeneratedLedger ledger(rows);
            ExportJob job(ledger, columns());
            job.setTableName(QStringLiteral("firma_cek"));
            const ExportResult result = Exporter::run(job, format, QDir(arguments[2]).filePath(QStringLiteral("defter.") + fileExtension(format)));
            if (!result.ok)
                std::fprintf(stderr, "%s: %s\n", qPrintable(formatLabel(format)), qPrintable(result.message));
        }
        return 0;
    }
    const qint64 rows = arguments.size() >= 2 ? arguments[1].toLongLong() : 1000000;
    // Wall time depends on what else the machine does; CPU time much less so.
    std::printf("%-18s %9s %9s %9s %12s %14s %10s\n", "format", "rows", "seconds", "cpu s", "rows/second",
                "peak MB above", "file MB");
    std::fflush(stdout);
    const QList<ExportFormat> formats = allFormats();
    for (int i = 0; i < formats.size(); ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(app.applicationFilePath(), {QStringLiteral("--one"), QString::number(i), QString::number(rows)});
        child.waitForFinished(-1);
        const QList<QByteArray> parts = child.readAllStandardOutput().trimmed().split('\t');
        if (child.exitCode() != 0 || parts.size() < 7) {
            std::printf("%-18s failed\n", qPrintable(formatLabel(formats[i])));
            continue;
        }
        std::printf("%-18s %9s %9s %9s %12s %14s %10s\n", qPrintable(formatLabel(formats[i])), parts[1].constData(),
                    parts[2].constData(), parts[6].constData(), parts[3].constData(), parts[4].constData(),
                    parts[5].constData());
        std::fflush(stdout);
    }
    sqliteScan(rows);
    return 0;
}
