#include "oldfolder.h"
#include "fspath.h"

#include "data/datastore.h"
#include "engine/query.h"
#include "legacy/codepage.h"
#include "legacy/folderimport.h"
#include "legacy/importcommand.h"

#include "readonlypath.h"

#include <QtTest>

#include <sstream>

using legacy::ImportNote;
using oldfolder::cp857;

namespace {

struct FolderOptions
{
    QByteArray rawHolder;     // bytes of HESAPSAHIBI in the first customer cheque
    bool truncatePayees = false;
    bool duplicatePayee = false;
    bool dropCustomerMemo = false;
};

const QString longNote = QStringLiteral("Çek müşterinin ağabeyinden alındı; İzmir şubesine gönderilecek. ").repeated(6);

// A byte that has no character in code page 857.
char unmappedByte()
{
    const legacy::CodePage page(857);
    for (int b = 0x80; b <= 0xFF; ++b)
        if (!page.maps(static_cast<unsigned char>(b)))
            return char(b);
    return 0;
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(bytes);
}

QByteArray companyLedger(MemoBuilder &memo)
{
    const QList<ParadoxBuilder::Field> fields = {
        {"OTO_SN", 0x16, 4},         {"VADE_TARIHI", 0x02, 4},     {"CEK_TUTARI", 0x05, 8},
        {"BANKA_ADI", 0x01, 40},     {"BANKA_SUBESI", 0x01, 40},   {"HESAP_NUMARASI", 0x01, 30},
        {"CEK_NUMARASI", 0x01, 30},  {"CEKI_ALAN", 0x01, 40},      {"CEK_DURUMU", 0x01, 15},
        {"ACIKLAMA", 0x0C, 210}};
    ParadoxBuilder builder(0x0C, 857, "turk", fields, 1);
    const auto a = [](const QString &text, int size) { return ParadoxBuilder::alpha(cp857(text), size); };
    const auto record = [&](int no, int y, int m, int d, double amount, const QString &payee, const QString &status,
                            const QByteArray &note) {
        return ParadoxBuilder::longField(no) + ParadoxBuilder::dateField(y, m, d) + ParadoxBuilder::doubleField(amount)
            + a(QStringLiteral("ZİRAAT BANKASI"), 40) + a(QStringLiteral("ÇARŞI ŞUBESİ"), 40)
            + a(QStringLiteral("123-456"), 30) + a(QStringLiteral("CK-%1").arg(no), 30) + a(payee, 40)
            + a(status, 15) + note;
    };
    const QByteArray big = cp857(longNote);
    const QByteArray bigNote = ParadoxBuilder::blobField(210, big, memo.addSingle(big));
    const QByteArray shortNote = ParadoxBuilder::blobField(210, cp857(QStringLiteral("Kısa not")), 0);
    builder.addBlock({record(3, 2026, 1, 15, 1234.56, QStringLiteral("AYŞE ÖZTÜRK"), QStringLiteral("ÖDENDE"), bigNote),
                      record(7, 2026, 2, 28, 99.99, QStringLiteral("ÇAĞLAR İNŞAAT"), QStringLiteral("ÖDENMEDİ"),
                             shortNote),
                      record(12, 2026, 12, 31, 0.125, QStringLiteral("AYŞE ÖZTÜRK"), QStringLiteral("ÖDENDE"),
                             ParadoxBuilder::nullField(210))},
                     // a deleted cheque left behind in the block
                     record(5, 2025, 5, 5, 777.0, QStringLiteral("SİLİNDİ"), QStringLiteral("ÖDENDE"),
                            ParadoxBuilder::nullField(210)));
    return builder.bytes();
}

// The data folder of the older program, with all seven tables.
void writeOldFolder(const QString &dir, const FolderOptions &options = {})
{
    MemoBuilder companyMemo;
    const QByteArray company = companyLedger(companyMemo);
    write(dir + "/firma_cek.DB", company);
    write(dir + "/firma_cek.MB", companyMemo.bytes());
    write(dir + "/firma_cek.PX", QByteArray("an index the import does not read"));

    QList<oldfolder::CustomerCheque> cheques(3);
    cheques[0] = {1, true, QStringLiteral("MEHMET ŞAHİN"), QDate(2026, 3, 10), 5000.0, QStringLiteral("A-1"),
                  QStringLiteral("GÜLŞEN IŞIK"), QStringLiteral("İŞ BANKASI"), QStringLiteral("KIZILAY"),
                  QStringLiteral("9988"), QStringLiteral("PORTFÖYDE"), QStringLiteral("YOK"), QStringLiteral("YOK"),
                  QStringLiteral("YOK"), longNote};
    cheques[1] = {2, false, QStringLiteral("YOK"), QDate(2026, 3, 11), 250.75, QStringLiteral("A-2"),
                  QStringLiteral("ÖMER ÇİFTÇİ"), QStringLiteral("HALKBANK"), QStringLiteral("ULUS"),
                  QStringLiteral("1234"), QStringLiteral("BANKA TAHSİLDE ÇOK UZUN"), QStringLiteral("AKBANK"),
                  QStringLiteral("MERKEZ"), QStringLiteral("YOK"), QStringLiteral("Kısa")};
    cheques[2] = {4, false, QStringLiteral("YOK"), QDate(2027, 1, 2), 12.5, QStringLiteral("A-4"),
                  QStringLiteral("ŞÜKRÜ ĞÜNDÜZ"), QStringLiteral("VAKIFBANK"), QStringLiteral("SIHHIYE"),
                  QStringLiteral("55"), QStringLiteral("CİRO EDİLDİ"), QStringLiteral("YOK"), QStringLiteral("YOK"),
                  QStringLiteral("ÇİÇEKÇİ"), {}};
    const auto customer = oldfolder::customerLedger(cheques, 25, options.rawHolder);
    write(dir + "/museri_cek.DB", customer.table);
    if (!options.dropCustomerMemo)
        write(dir + "/museri_cek.MB", customer.memo);

    write(dir + "/Firma_Banka_Bilgileri.DB",
          oldfolder::alphaTable({{"BANKA_ADI", 0x01, 40}, {"SUBE_ADI", 0x01, 40}, {"HESAP_NUMARASI", 0x01, 30}},
                                {{QStringLiteral("ZİRAAT BANKASI"), QStringLiteral("ÇARŞI ŞUBESİ"), "123-456"},
                                 {QStringLiteral("ZİRAAT BANKASI"), QStringLiteral("ÇARŞI ŞUBESİ"), "123-456"}}));
    QList<QStringList> payees = {{QStringLiteral("AYŞE ÖZTÜRK")}, {QStringLiteral("ÇAĞLAR İNŞAAT")}};
    if (options.duplicatePayee)
        payees << QStringList{QStringLiteral("AYŞE ÖZTÜRK")};
    QByteArray payeeTable = oldfolder::alphaTable({{"CEKI_ALAN_KISI", 0x01, 40}}, payees, 1);
    if (options.truncatePayees)
        payeeTable.truncate(0x800 + 40); // the second payee is cut off
    write(dir + "/FIRMADAN_CEKI_ALAN.DB", payeeTable);
    write(dir + "/museri_bilgileri.db",
          oldfolder::alphaTable({{"ADI_SOYADI", 0x01, 40}, {"BANKA_ADI", 0x01, 30}, {"SUBESI", 0x01, 30},
                                 {"HESAP_NO", 0x01, 30}},
                                {{QStringLiteral("GÜLŞEN IŞIK"), QStringLiteral("İŞ BANKASI"),
                                  QStringLiteral("KIZILAY"), "9988"}}));
    write(dir + "/fct.DB", oldfolder::alphaTable({{"CEK_ADI", 0x01, 15}},
                                                  {{QStringLiteral("ÖDENDE")}, {QStringLiteral("ÖDENMEDİ")},
                                                   {QStringLiteral("İADE ALINDI")}, {QStringLiteral("KARŞILIKSIZ")}}));
    write(dir + "/MCT.DB",
          oldfolder::alphaTable({{"CEK_ADI", 0x01, 15}},
                                {{QStringLiteral("PORTFÖYDE")}, {QStringLiteral("TAHSİL EDİLDİ")},
                                 {QStringLiteral("İADE EDİLDİ")}, {QStringLiteral("BANKA TAHSİLDE")},
                                 {QStringLiteral("KARŞILIĞI YOK")}, {QStringLiteral("CİRO EDİLDİ")},
                                 {QStringLiteral("AVUKATTA")}}));
}

// Every file under dir with its bytes' digest, so "left exactly as it was" can be compared.
QMap<QString, QByteArray> snapshot(const QString &dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(dir, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        QByteArray digest = "folder";
        if (it.fileInfo().isFile() && file.open(QIODevice::ReadOnly))
            digest = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1);
        files.insert(QDir(dir).relativeFilePath(path), digest);
    }
    return files;
}

std::string str(const engine::Value &value)
{
    return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : std::string();
}

QString qtext(const engine::Value &value)
{
    return QString::fromStdString(str(value));
}

legacy::ImportOptions onDay(bool dryRun = false)
{
    legacy::ImportOptions options;
    options.dryRun = dryRun;
    options.today = text::Date{2026, 12, 10};
    return options;
}

QStringList statuses(engine::Table &table)
{
    QStringList all;
    for (std::int64_t i = 0; i < table.rowCount(); ++i)
        all << qtext(table.valueAt(i, 0));
    return all;
}

} // namespace

class tst_FolderImport : public QObject
{
    Q_OBJECT

private slots:
    void importsWholeFolderInPlace();
    void failureLeavesFolderAsItWas_data();
    void failureLeavesFolderAsItWas();
    void duplicatePayeeIsReported();
    void commandLine_data();
    void commandLine();
};

void tst_FolderImport::importsWholeFolderInPlace()
{
    QTemporaryDir program;
    const QString dir = program.filePath("Veriler");
    QVERIFY(QDir().mkpath(dir + "/eski-2026-12-10")); // an earlier import's folder: the new one takes a suffix
    writeOldFolder(dir);

    const auto found = legacy::findLegacyTables(fsPath(dir));
    QCOMPARE(found.size(), std::size_t(7));
    QVERIFY(legacy::hasParadoxTables(found));
    for (const auto &table : found)
        QVERIFY2(table.kind == legacy::TableFileKind::Paradox, table.fileName.c_str());
    QCOMPARE(found[std::size_t(data::TableId::CompanyCheques)].rowCount, std::int64_t(3));
    QCOMPARE(found[std::size_t(data::TableId::CustomerStatuses)].rowCount, std::int64_t(7));

    const QStringList oldFiles = QDir(dir).entryList(QDir::Files, QDir::Name);
    int progressCalls = 0;
    auto options = onDay();
    options.progress = [&](const legacy::ImportProgress &) { ++progressCalls; return true; };
    const legacy::ImportSummary summary = legacy::importFolder(fsPath(dir), fsPath(dir), options);
    QVERIFY2(summary.ok, summary.text().c_str());
    QVERIFY(progressCalls > 0);

    const auto *company = summary.table(data::TableId::CompanyCheques);
    QCOMPARE(company->rowsRead, std::int64_t(3));
    QCOMPARE(company->rowsWritten, std::int64_t(3));
    QCOMPARE(company->amountBefore, std::int64_t(123456 + 9999 + 13));
    QCOMPARE(company->amountAfter, company->amountBefore);
    QCOMPARE(summary.table(data::TableId::CustomerCheques)->amountAfter, std::int64_t(500000 + 25075 + 1250));
    QCOMPARE(summary.notesOf(ImportNote::Kind::Truncated), std::int64_t(1)); // CEK_DURUM of 22 characters in 20
    QCOMPARE(summary.notesOf(ImportNote::Kind::Rounded), std::int64_t(1));   // 0,125
    QCOMPARE(summary.notesOf(ImportNote::Kind::Skipped), std::int64_t(0));

    // The old files, untouched, in the dated folder; the new tables in their place.
    const QString backup = dir + "/eski-2026-12-10-2";
    QCOMPARE(QString::fromStdString(summary.backupFolder), backup);
    QCOMPARE(QDir(backup).entryList(QDir::Files, QDir::Name), oldFiles);
    QVERIFY(QDir(dir + "/eski-2026-12-10").isEmpty());
    QVERIFY(QString::fromStdString(summary.text()).contains("eski-2026-12-10-2"));
    QStringList expectedNew;
    for (const auto &info : data::tables())
        expectedNew << QString::fromStdString(info.fileName);
    QStringList newFiles = QDir(dir).entryList(QDir::Files);
    newFiles.sort();
    expectedNew.sort();
    QCOMPARE(newFiles, expectedNew);
    QCOMPARE(QDir(dir).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden).size(), 2); // no temporary folder left
    const auto after = legacy::findLegacyTables(fsPath(dir));
    QVERIFY(!legacy::hasParadoxTables(after)); // the start-up question is not asked again
    for (const auto &table : after)
        QVERIFY2(table.kind == legacy::TableFileKind::Ours, table.fileName.c_str());

    data::DataStore store(fsPath(dir));
    const auto problems = store.setUp();
    QVERIFY2(problems.empty(), problems.empty() ? "" : problems.front().c_str());

    engine::Table &ledger = store.table(data::TableId::CompanyCheques);
    QCOMPARE(ledger.rowCount(), std::int64_t(3));
    const int no = ledger.fieldIndex("OTO_SN"), note = ledger.fieldIndex("ACIKLAMA");
    QCOMPARE(std::get<std::int64_t>(ledger.valueAt(0, no)), std::int64_t(3));
    QCOMPARE(std::get<std::int64_t>(ledger.valueAt(2, no)), std::int64_t(12));
    QCOMPARE(std::get<text::Date>(ledger.valueAt(1, ledger.fieldIndex("VADE_TARIHI"))), (text::Date{2026, 2, 28}));
    QCOMPARE(std::get<std::int64_t>(ledger.valueAt(0, ledger.fieldIndex("CEK_TUTARI"))), std::int64_t(123456));
    QCOMPARE(qtext(ledger.valueAt(1, ledger.fieldIndex("CEKI_ALAN"))), QStringLiteral("ÇAĞLAR İNŞAAT"));
    QCOMPARE(qtext(ledger.valueAt(0, note)), longNote);
    QCOMPARE(qtext(ledger.valueAt(1, note)), QStringLiteral("Kısa not"));
    QVERIFY(engine::isNull(ledger.valueAt(2, note)));
    ledger.append();
    ledger.setValue("CEK_TUTARI", std::int64_t(100));
    ledger.post();
    QCOMPARE(std::get<std::int64_t>(ledger.value("OTO_SN")), std::int64_t(13)); // after the largest kept number

    engine::Query endorsed(store.database());
    endorsed.setSql("SELECT * FROM museri_cek WHERE CEK_CIROLU = TRUE");
    endorsed.open();
    QVERIFY(endorsed.next());
    QCOMPARE(qtext(endorsed.value(std::size_t(endorsed.fieldIndex("HESAPSAHIBI")))), QStringLiteral("GÜLŞEN IŞIK"));
    QCOMPARE(qtext(endorsed.value(std::size_t(endorsed.fieldIndex("ACIKLAMA")))), longNote);
    QVERIFY(!endorsed.next());
    engine::Query truncated(store.database());
    truncated.setSql("SELECT * FROM museri_cek WHERE OTO_SN = 2");
    truncated.open();
    QVERIFY(truncated.next());
    QCOMPARE(qtext(truncated.value(std::size_t(truncated.fieldIndex("CEK_DURUM")))),
             QStringLiteral("BANKA TAHSİLDE ÇOK U"));

    QCOMPARE(statuses(store.table(data::TableId::CustomerStatuses)).last(), QStringLiteral("AVUKATTA"));
    QCOMPARE(statuses(store.table(data::TableId::CompanyStatuses)),
             QStringList({"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI", "KARŞILIKSIZ"}));
    QCOMPARE(store.table(data::TableId::CompanyBanks).rowCount(), std::int64_t(2));
    QCOMPARE(store.table(data::TableId::Payees).rowCount(), std::int64_t(2));
    QCOMPARE(qtext(store.table(data::TableId::CustomerBanks).valueAt(0, 1)), QStringLiteral("İŞ BANKASI"));
}

void tst_FolderImport::failureLeavesFolderAsItWas_data()
{
    QTest::addColumn<QByteArray>("rawHolder");
    QTest::addColumn<bool>("truncatePayees");
    QTest::addColumn<bool>("dropMemo");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("pinLastFile"); // the last old file in moving order cannot be moved
    QTest::addColumn<QStringList>("named");

    QTest::newRow("a text that does not decode")
        << (QByteArray("AL") + unmappedByte() + "I") << false << false << false << false
        << QStringList{"museri_cek.DB", "1. kayd", "HESAPSAHIBI"};
    QTest::newRow("a truncated table") << QByteArray() << true << false << false << false
                                       << QStringList{"FIRMADAN_CEKI_ALAN.DB"};
    QTest::newRow("a note whose memo file is gone")
        << QByteArray() << false << true << false << false << QStringList{"museri_cek.DB", "ACIKLAMA"};
    QTest::newRow("cancelled after two tables were written")
        << QByteArray() << false << false << true << false << QStringList{"durduruldu"};
    // Every other old file has been moved aside by then: the moves are undone.
    QTest::newRow("an old file that cannot be moved")
        << QByteArray() << false << false << false << true << QStringList{"taşınamadı"};
}

void tst_FolderImport::failureLeavesFolderAsItWas()
{
    QFETCH(QByteArray, rawHolder);
    QFETCH(bool, truncatePayees);
    QFETCH(bool, dropMemo);
    QFETCH(bool, cancel);
    QFETCH(bool, pinLastFile);
    QFETCH(QStringList, named);
    QTemporaryDir folder;
    writeOldFolder(folder.path(), {rawHolder, truncatePayees, false, dropMemo});
    const auto before = snapshot(folder.path());
    std::optional<ReadOnlyPath> pinned;
    if (pinLastFile) {
        const QString last = folder.filePath(QDir(folder.path()).entryList(QDir::Files, QDir::Name).last());
        pinned.emplace(last);
        if (!pinned->holds() || QFile::rename(last, last + ".x")) {
            QFile::rename(last + ".x", last);
            QSKIP("nothing keeps this user from moving the file");
        }
    }

    auto options = onDay();
    if (cancel)
        options.progress = [](const legacy::ImportProgress &progress) {
            return !(progress.step == legacy::ImportProgress::Step::Checking && progress.tableNumber == 2);
        };
    const auto summary = legacy::importFolder(fsPath(folder.path()), fsPath(folder.path()), options);
    if (pinned)
        pinned->restore();
    QCOMPARE(summary.cancelled, cancel);
    QVERIFY(!summary.ok);
    QCOMPARE(snapshot(folder.path()), before);
    const QString report = QString::fromStdString(summary.text());
    QVERIFY2(report.contains(QStringLiteral("hiçbir şey değiştirilmedi")), qPrintable(report));
    for (const QString &part : named)
        QVERIFY2(report.contains(part), qPrintable(report));
}

void tst_FolderImport::duplicatePayeeIsReported()
{
    QTemporaryDir folder;
    writeOldFolder(folder.path(), {{}, false, true, false});
    const auto summary = legacy::importFolder(fsPath(folder.path()), fsPath(folder.path()), onDay());
    QVERIFY2(summary.ok, summary.text().c_str());
    const auto *payees = summary.table(data::TableId::Payees);
    QCOMPARE(payees->rowsRead, std::int64_t(3));
    QCOMPARE(payees->rowsWritten, std::int64_t(2));
    QCOMPARE(summary.notesOf(ImportNote::Kind::Skipped), std::int64_t(1));
    const QString report = QString::fromStdString(summary.text());
    QVERIFY2(report.contains(QStringLiteral("3. kayıt, CEKI_ALAN_KISI: \"AYŞE ÖZTÜRK\" ikinci kez kayıtlı")),
             qPrintable(report));
    data::DataStore store(fsPath(folder.path()));
    QVERIFY(store.setUp().empty());
    QCOMPARE(store.table(data::TableId::Payees).rowCount(), std::int64_t(2));
}

void tst_FolderImport::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments"); // OLD stands for the old folder, NEW for another one
    QTest::addColumn<QByteArray>("rawHolder");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("oldChanged");
    QTest::addColumn<QString>("output");

    QTest::newRow("dry run") << QStringList{"--dry-run", "OLD", "OLD"} << QByteArray() << 0 << false
                             << QStringLiteral("Deneme");
    QTest::newRow("in place") << QStringList{"OLD", "OLD"} << QByteArray() << 0 << true
                              << QStringLiteral("Eski tablolar aktarıldı.");
    QTest::newRow("into another folder") << QStringList{"OLD", "NEW"} << QByteArray() << 0 << false
                                         << QStringLiteral("Eski klasördeki dosyalara dokunulmadı.");
    QTest::newRow("a text that does not decode")
        << QStringList{"OLD", "OLD"} << (QByteArray("X") + unmappedByte()) << 1 << false
        << QStringLiteral("aktarılamadı");
    QTest::newRow("one folder only") << QStringList{"OLD"} << QByteArray() << 2 << false << QString();
}

void tst_FolderImport::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, rawHolder);
    QFETCH(int, exitCode);
    QFETCH(bool, oldChanged);
    QFETCH(QString, output);
    QTemporaryDir root;
    const QString oldDir = root.filePath("Veriler"), newDir = root.filePath("yeni/Veriler");
    QVERIFY(QDir().mkpath(oldDir));
    writeOldFolder(oldDir, {rawHolder, false, false, false});
    const auto before = snapshot(oldDir);

    std::vector<std::string> args;
    for (const QString &argument : arguments)
        args.push_back((argument == "OLD" ? oldDir : argument == "NEW" ? newDir : argument).toStdString());
    std::ostringstream out, err;
    QCOMPARE(legacy::runImportCommand(args, out, err), exitCode);
    const QString printed = QString::fromStdString(out.str());
    QVERIFY2(printed.contains(output), qPrintable(printed + QString::fromStdString(err.str())));
    QCOMPARE(snapshot(oldDir) != before, oldChanged);
    if (arguments.contains("NEW")) {
        data::DataStore store(fsPath(newDir));
        QVERIFY(store.setUp().empty());
        QCOMPARE(store.table(data::TableId::CustomerCheques).rowCount(), std::int64_t(3));
    } else {
        QVERIFY(!QFileInfo::exists(newDir));
    }

    // The program itself, when it is built beside the others.
    const QString program = qEnvironmentVariable("SELVORA_BIN_DIR") + "/selvora-import";
    if (QTest::currentDataTag() == QByteArray("dry run") && QFileInfo::exists(program)) {
        QProcess process;
        process.start(program, {"--dry-run", oldDir, oldDir});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains(output));
        QCOMPARE(snapshot(oldDir), before);
    }
}

QTEST_APPLESS_MAIN(tst_FolderImport)
#include "tst_folderimport.moc"
