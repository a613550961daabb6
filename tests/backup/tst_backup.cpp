#include "backup/archivecheck.h"
#include "backup/backupcontents.h"
#include "backup/backupwriter.h"
#include "backup/folderrestore.h"
#include "backup/tablesource.h"
#include "backup/ziparchive.h"
#include "engine/database.h"
#include "engine/table.h"

#include "backupfixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <sqlite3.h>

using data::DataStore;
using data::TableId;

namespace {

backup::BackupResult backUp(const BackupFixture &fixture, const QString &archive)
{
    backup::FolderTableSource source(fixture.dataFolder());
    return backup::writeBackup(source, fixture.root(), archive);
}

// The members of an archive, each as a file in folder; returns their names.
QStringList unpack(const QString &archive, const QString &folder)
{
    backup::ZipReader zip(archive);
    for (const QString &name : zip.names()) {
        QDir().mkpath(QFileInfo(QDir(folder).filePath(name)).absolutePath());
        zip.extract(name, QDir(folder).filePath(name));
    }
    return zip.names();
}

void pack(const QString &folder, const QStringList &names, const QString &archive)
{
    backup::ZipWriter zip(archive);
    for (const QString &name : names)
        zip.addFile(name, QDir(folder).filePath(name));
    zip.commit();
}

QJsonObject readJson(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return QJsonDocument::fromJson(file.readAll()).object();
}

void writeJson(const QString &path, const QJsonObject &object)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(QJsonDocument(object).toJson());
}

// Changes one member's entry in the manifest of an unpacked archive.
void editManifest(const QString &folder, const QString &member, const std::function<void(QJsonObject &)> &edit)
{
    const QString path = QDir(folder).filePath(backup::Manifest::memberName());
    QJsonObject root = readJson(path);
    QJsonArray files = root.value(QStringLiteral("dosyalar")).toArray();
    for (qsizetype i = 0; i < files.size(); ++i) {
        QJsonObject file = files.at(i).toObject();
        if (file.value(QStringLiteral("ad")).toString() == member) {
            edit(file);
            files.replace(i, file);
        }
    }
    root.insert(QStringLiteral("dosyalar"), files);
    writeJson(path, root);
}

int ordinalCollation(void *, int lengthA, const void *a, int lengthB, const void *b)
{
    const int common = std::min(lengthA, lengthB);
    const int c = std::memcmp(a, b, std::size_t(common));
    return c != 0 ? -c : lengthB - lengthA; // reversed: an order no Turkish index has
}

// Writes rows into the company ledger through a collation of the wrong
// order, as a tool without the program's extension might: the file opens,
// its figures can be made to match, but its indexes are out of order.
void spoilIndexes(const QString &tableFile)
{
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(tableFile.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_create_collation(db, "TR", SQLITE_UTF8, nullptr, &ordinalCollation);
    char *error = nullptr;
    const int rc = sqlite3_exec(db,
                                "INSERT INTO firma_cek (CEKI_ALAN, BANKA_ADI, CEK_TUTARI) VALUES "
                                "('Ahmet', 'Ziraat', 1), ('Zeki', 'Akbank', 2), ('Mert', 'Halkbank', 3);",
                                nullptr, nullptr, &error);
    QVERIFY2(rc == SQLITE_OK, error);
    sqlite3_close(db);
}

} // namespace

// A backup archive written while the program works, checked whole, and
// restored only when every part of it is as its manifest says.
class tst_Backup : public QObject
{
    Q_OBJECT

private slots:
    void backupRecordsEveryFile();
    void backupIsConsistentWhileTablesAreOpenAndBeingWritten();
    void roundTripBringsBackCountsAndSums();
    void refusedArchiveChangesNothing_data();
    void refusedArchiveChangesNothing();
};

void tst_Backup::backupRecordsEveryFile()
{
    BackupFixture fixture;
    fixture.create();
    const QString archive = fixture.program.filePath(QStringLiteral("Yedekler/elle.zip"));
    const backup::BackupResult result = backUp(fixture, archive);
    QVERIFY2(result.ok, qPrintable(result.message));

    backup::ZipReader zip(archive);
    QCOMPARE(zip.names(), QStringList({"selvora-yedek.json", "Veriler/mct.DB", "Veriler/fct.DB", "Veriler/firma_cek.db",
                                       "Veriler/Firma_Banka_Bilgileri.db", "Veriler/firmadan_ceki_alan.db",
                                       "Veriler/museri_cek.db", "Veriler/museri_bilgileri.db", "Ayarlar.ini",
                                       "GridAyarlari.ini"}));
    const backup::Manifest &manifest = result.manifest;
    QCOMPARE(manifest.storage, QStringLiteral("klasor"));
    QCOMPARE(manifest.member("Veriler/firma_cek.db")->rows, std::optional<qint64>(3));
    QCOMPARE(manifest.member("Veriler/firma_cek.db")->kurus, std::optional<qint64>(BackupFixture::companyKurus));
    QCOMPARE(manifest.member("Veriler/museri_cek.db")->kurus, std::optional<qint64>(BackupFixture::customerKurus));
    QCOMPARE(manifest.member("Veriler/mct.DB")->rows, std::optional<qint64>(6));
    QCOMPARE(manifest.member("Veriler/mct.DB")->kurus, std::nullopt);
    QCOMPARE(manifest.member("Ayarlar.ini")->sha256,
             QCryptographicHash::hash("[CEK_AYARLARI]\r\nGUN=3\r\n", QCryptographicHash::Sha256).toHex());
    // Nothing is left behind beside the archive.
    QCOMPARE(QDir(fixture.program.filePath(QStringLiteral("Yedekler")))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"elle.zip"}));
}

void tst_Backup::backupIsConsistentWhileTablesAreOpenAndBeingWritten()
{
    BackupFixture fixture;
    fixture.create();
    DataStore store(fsPath(fixture.dataFolder()));
    QVERIFY(store.setUp().empty());
    // The program stands in the middle of typing a cheque...
    engine::Table &ledger = store.table(TableId::CompanyCheques);
    ledger.append();
    ledger.setValue("CEK_TUTARI", engine::Value{std::int64_t(999)});
    // ...and another writer holds an unfinished transaction on a table.
    sqlite3 *other = nullptr;
    sqlite3_open(QDir(fixture.dataFolder()).filePath("museri_bilgileri.db").toUtf8().constData(), &other);
    QCOMPARE(sqlite3_exec(other, "BEGIN IMMEDIATE; INSERT INTO museri_bilgileri (ADI_SOYADI) VALUES ('yarım');",
                          nullptr, nullptr, nullptr),
             SQLITE_OK);

    const backup::BackupResult result = backUp(fixture, fixture.program.filePath(QStringLiteral("Yedekler/a.zip")));
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    QVERIFY2(result.ok, qPrintable(result.message));
    QCOMPARE(result.manifest.member("Veriler/firma_cek.db")->rows, std::optional<qint64>(3));
    QCOMPARE(result.manifest.member("Veriler/museri_bilgileri.db")->rows, std::optional<qint64>(0));
    // The cheque being typed is still there to be saved.
    ledger.post();
    QCOMPARE(ledger.rowCount(), std::int64_t(4));
}

void tst_Backup::roundTripBringsBackCountsAndSums()
{
    BackupFixture fixture;
    fixture.create();
    const QString archive = fixture.program.filePath(QStringLiteral("Yedekler/a.zip"));
    QVERIFY(backUp(fixture, archive).ok);
    const QMap<QString, QByteArray> saved = fixture.files();

    // Work goes on after the backup: a cheque added, a table lost, a setting changed.
    {
        DataStore store(fsPath(fixture.dataFolder()));
        QVERIFY(store.setUp().empty());
        BackupFixture::add(store, TableId::CompanyCheques, {{"CEKI_ALAN", "Sonra", 1}});
    }
    const QMap<QString, QByteArray> changed = fixture.files();
    QVERIFY(QFile::remove(QDir(fixture.dataFolder()).filePath("mct.DB")));
    fixture.write(QStringLiteral("Ayarlar.ini"), "[CEK_AYARLARI]\r\nGUN=9\r\n");

    QList<double> shares;
    const backup::RestoreResult restored = backup::restoreBackup(
        archive, fixture.root(), QDateTime(QDate(2024, 3, 15), QTime(9, 30, 5)), [&](double share) { shares << share; });
    QVERIFY2(restored.ok, qPrintable(restored.message));
    QVERIFY(!shares.isEmpty());
    QCOMPARE(shares.last(), 1.0);
    QVERIFY(std::is_sorted(shares.begin(), shares.end()));
    QCOMPARE(restored.setAsideFolder, fixture.program.filePath("Yedekler/geri-yukleme-oncesi-2024-03-15-093005"));

    DataStore store(fsPath(fixture.dataFolder()));
    QVERIFY(store.setUp().empty());
    QCOMPARE(BackupFixture::figures(store, TableId::CompanyCheques), qMakePair(qint64(3), BackupFixture::companyKurus));
    QCOMPARE(BackupFixture::figures(store, TableId::CustomerCheques),
             qMakePair(qint64(2), BackupFixture::customerKurus));
    QCOMPARE(store.table(TableId::CustomerStatuses).rowCount(), std::int64_t(6));
    const QMap<QString, QByteArray> now = fixture.files();
    for (const backup::ManifestMember &member : restored.manifest.members)
        QVERIFY2(now.value(member.name) == member.sha256, qPrintable(member.name));
    QCOMPARE(now.value("Ayarlar.ini"), saved.value("Ayarlar.ini"));
    QCOMPARE(now.value("GridAyarlari.ini"), saved.value("GridAyarlari.ini"));
    // What was replaced is kept, never deleted.
    const QString aside = QStringLiteral("Yedekler/geri-yukleme-oncesi-2024-03-15-093005/");
    QCOMPARE(now.value(aside + "Veriler/firma_cek.db"), changed.value("Veriler/firma_cek.db"));
    QVERIFY(now.contains(aside + "Ayarlar.ini"));
    QVERIFY(!now.contains(aside + "Veriler/mct.DB")); // there was none to keep
    QVERIFY(!QFileInfo::exists(fixture.program.filePath("Veriler/firma_cek.db-journal")));
    // No checked copies are left lying about.
    for (const QString &name : now.keys())
        QVERIFY2(!name.startsWith(u'.'), qPrintable(name));
}

void tst_Backup::refusedArchiveChangesNothing_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message"); // a part of the Turkish message that names what is wrong
    QTest::newRow("cut short") << "truncate" << "yarıda kesilmiş";
    QTest::newRow("one byte changed") << "flipbyte" << "değiştirilmiş";
    QTest::newRow("a member missing") << "dropmember" << "Yedekte \"Veriler/mct.DB\" yok";
    QTest::newRow("a table failing the integrity check") << "spoilindex"
                                                          << "\"Veriler/firma_cek.db\" tablosu bütünlük denetiminden geçmedi";
    QTest::newRow("a row count that differs") << "miscount" << "\"Veriler/fct.DB\" tablosunun satır sayısı (3)";
    QTest::newRow("a zip that is not ours") << "foreignzip" << "bir Selvora yedeği değil: içinde selvora-yedek.json yok";
    QTest::newRow("a file that is no zip") << "notzip" << "bir Selvora yedeği değil: zip arşivi değil";
    QTest::newRow("a name outside the data folder") << "escape" << "veri klasörünün dışına";
}

void tst_Backup::refusedArchiveChangesNothing()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    BackupFixture fixture;
    fixture.create();
    QTemporaryDir work;
    const QString good = work.filePath(QStringLiteral("iyi.zip"));
    QVERIFY(backUp(fixture, good).ok);
    const QString bad = work.filePath(QStringLiteral("bozuk.zip"));
    const QString parts = work.filePath(QStringLiteral("parcalar"));

    QFile file(good);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QByteArray bytes = file.readAll();
    file.close();
    if (damage == "truncate" || damage == "flipbyte" || damage == "notzip") {
        if (damage == "truncate")
            bytes.truncate(bytes.size() / 2);
        else if (damage == "flipbyte")
            bytes[bytes.size() / 2] = char(bytes[bytes.size() / 2] ^ 0x01);
        else
            bytes = "Bu bir yedek değil.\n";
        QFile out(bad);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(bytes);
    } else {
        QStringList names = unpack(good, parts);
        if (damage == "dropmember") {
            names.removeAll(QStringLiteral("Veriler/mct.DB"));
        } else if (damage == "spoilindex") {
            const QString table = QDir(parts).filePath(QStringLiteral("Veriler/firma_cek.db"));
            spoilIndexes(table);
            // Everything the manifest says is made to fit: only the check of
            // the indexes can tell.
            const QString hash = QString::fromLatin1(backup::contents::sha256OfFile(table));
            const qint64 size = QFileInfo(table).size();
            editManifest(parts, "Veriler/firma_cek.db", [&](QJsonObject &entry) {
                entry.insert("sha256", hash);
                entry.insert("boyut", double(size));
                entry.insert("satir", 6.0);
                entry.insert("kurus_toplami", double(BackupFixture::companyKurus + 6));
            });
        } else if (damage == "miscount") {
            editManifest(parts, "Veriler/fct.DB", [](QJsonObject &entry) { entry.insert("satir", 4.0); });
        } else if (damage == "foreignzip") {
            names = {QStringLiteral("Veriler/firma_cek.db")};
        } else if (damage == "escape") {
            QVERIFY(QFile::copy(QDir(parts).filePath("Ayarlar.ini"), QDir(parts).filePath("Veriler/../../x.db")));
            editManifest(parts, "Ayarlar.ini", [](QJsonObject &entry) { entry.insert("ad", "Veriler/../../x.db"); });
            names.replace(names.indexOf("Ayarlar.ini"), "Veriler/../../x.db");
        }
        pack(parts, names, bad);
    }

    const QMap<QString, QByteArray> before = fixture.files();
    const backup::RestoreResult result = backup::restoreBackup(bad, fixture.root());
    QVERIFY(!result.ok);
    QVERIFY2(result.message.contains(message), qPrintable(result.message));
    QCOMPARE(fixture.files(), before);
    QCOMPARE(QDir(fixture.root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList({"Ayarlar.ini", "GridAyarlari.ini", "Veriler"}));
}

QTEST_GUILESS_MAIN(tst_Backup)
#include "tst_backup.moc"
