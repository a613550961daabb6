#include "data/datastore.h"
#include "engine/error.h"
#include "fspath.h"

#include "readonlypath.h"

#include <QtTest>

using data::DataStore;
using data::TableId;

namespace {

QStringList filesIn(const QString &folder)
{
    QStringList names = QDir(folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    return names;
}

QString joined(const std::vector<std::string> &problems)
{
    QStringList list;
    for (const std::string &p : problems)
        list << QString::fromStdString(p);
    return list.join(u'\n');
}

std::vector<std::string> statuses(DataStore &store, TableId id)
{
    std::vector<std::string> names;
    engine::Table &t = store.table(id);
    for (t.first(); !t.atEnd(); t.next())
        names.push_back(std::get<std::string>(t.value("CEK_ADI")));
    return names;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class tst_DataStore : public QObject
{
    Q_OBJECT

private slots:
    void dataFolderRule_data();
    void dataFolderRule();
    void freshStartCreatesSevenTables();
    void secondStartKeepsRows();
    void deletedLedgerIsRecreatedAlone();
    void emptiedStatusTableStaysEmpty();
    void folderThatCannotBeMade_data();
    void folderThatCannotBeMade();
    void foreignFileIsNeverTouched_data();
    void foreignFileIsNeverTouched();
};

void tst_DataStore::dataFolderRule_data()
{
    QTest::addColumn<QString>("programFolder");
    QTest::addColumn<QString>("dataFolder");
    const QChar sep = QDir::separator();
    QTest::newRow("folder") << "C:\\Apps\\" << "C:\\Apps\\Veriler";
    QTest::newRow("drive root") << "D:\\" << "D:\\Veriler";
    QTest::newRow("bare drive") << "D:" << QString("D:") + sep + "Veriler";
    QTest::newRow("posix folder") << "/opt/selvora/" << "/opt/selvora/Veriler";
}

void tst_DataStore::dataFolderRule()
{
    QFETCH(QString, programFolder);
    QFETCH(QString, dataFolder);
    QCOMPARE(QString::fromStdString(data::dataFolderFor(programFolder.toStdString())), dataFolder);
}

void tst_DataStore::freshStartCreatesSevenTables()
{
    QTemporaryDir program;
    const QString folder = program.filePath("Veriler");
    DataStore store(fsPath(folder));
    QCOMPARE(joined(store.setUp()), QString());
    QCOMPARE(filesIn(folder), QStringList({"fct.DB", "Firma_Banka_Bilgileri.db", "firma_cek.db",
                                           "firmadan_ceki_alan.db", "mct.DB", "museri_bilgileri.db",
                                           "museri_cek.db"}));
    for (const data::TableInfo &info : data::tables())
        QVERIFY2(store.isOpen(info.id), info.fileName.c_str());
    QCOMPARE(statuses(store, TableId::CompanyStatuses),
             std::vector<std::string>({"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI"}));
    QCOMPARE(statuses(store, TableId::CustomerStatuses),
             std::vector<std::string>({"PORTFÖYDE", "TAHSİL EDİLDİ", "İADE EDİLDİ", "BANKA TAHSİLDE",
                                       "KARŞILIĞI YOK", "CİRO EDİLDİ"}));
    QVERIFY(store.table(TableId::CompanyCheques).isEmpty());
    QCOMPARE(store.table(TableId::CompanyCheques).indexes().size(), std::size_t(5));
    QCOMPARE(store.table(TableId::CustomerCheques).indexes().size(), std::size_t(7));
    QCOMPARE(store.table(TableId::CustomerCheques).indexes().front().name, std::string("IN_BANKA"));
    QCOMPARE(store.table(TableId::CustomerCheques).indexes().back().name, std::string("IN_VADE"));
}

void tst_DataStore::secondStartKeepsRows()
{
    QTemporaryDir program;
    const std::filesystem::path folder = fsPath(program.filePath("Veriler"));
    {
        DataStore store(folder);
        store.setUp();
        engine::Table &ledger = store.table(TableId::CompanyCheques);
        ledger.append();
        ledger.setValue("CEKI_ALAN", std::string("Çağrı Işık"));
        ledger.post();
    }
    DataStore again(folder);
    QCOMPARE(joined(again.setUp()), QString());
    engine::Table &ledger = again.table(TableId::CompanyCheques);
    QCOMPARE(ledger.rowCount(), std::int64_t(1));
    QCOMPARE(std::get<std::string>(ledger.value("CEKI_ALAN")), std::string("Çağrı Işık"));
    QCOMPARE(std::get<std::int64_t>(ledger.value("OTO_SN")), std::int64_t(1));
}

void tst_DataStore::deletedLedgerIsRecreatedAlone()
{
    QTemporaryDir program;
    const QString folder = program.filePath("Veriler");
    {
        DataStore store(fsPath(folder));
        store.setUp();
        for (TableId id : {TableId::CompanyCheques, TableId::CustomerCheques}) {
            engine::Table &t = store.table(id);
            t.append();
            t.setValue("CEK_NUMARASI", std::string("123"));
            t.post();
        }
    }
    const QByteArray companyBefore = readAll(folder + "/firma_cek.db");
    QVERIFY(QFile::remove(folder + "/museri_cek.db"));
    DataStore again(fsPath(folder));
    QCOMPARE(joined(again.setUp()), QString());
    QVERIFY(again.table(TableId::CustomerCheques).isEmpty());
    QCOMPARE(again.table(TableId::CustomerCheques).indexes().size(), std::size_t(7));
    QCOMPARE(again.table(TableId::CompanyCheques).rowCount(), std::int64_t(1));
    QCOMPARE(readAll(folder + "/firma_cek.db"), companyBefore);
}

void tst_DataStore::emptiedStatusTableStaysEmpty()
{
    QTemporaryDir program;
    const std::filesystem::path folder = fsPath(program.filePath("Veriler"));
    {
        DataStore store(folder);
        store.setUp();
        engine::Table &t = store.table(TableId::CustomerStatuses);
        while (!t.isEmpty())
            t.remove();
    }
    {
        DataStore again(folder);
        again.setUp();
        QVERIFY(again.table(TableId::CustomerStatuses).isEmpty());
        again.closeAll();
    }
    QVERIFY(QFile::remove(program.filePath("Veriler/mct.DB")));
    DataStore third(folder);
    third.setUp();
    QCOMPARE(third.table(TableId::CustomerStatuses).rowCount(), std::int64_t(6));
}

void tst_DataStore::folderThatCannotBeMade_data()
{
    QTest::addColumn<bool>("readOnlyProgramFolder");
    QTest::addColumn<QString>("reason");
    // A plain file where the program folder should be: no one, not even an
    // administrator, can make a folder inside it.
    QTest::newRow("file in the way") << false << "yolda aynı adda bir dosya var";
    QTest::newRow("read-only program folder") << true << "erişim izni yok";
}

void tst_DataStore::folderThatCannotBeMade()
{
    QFETCH(bool, readOnlyProgramFolder);
    QFETCH(QString, reason);
    QTemporaryDir program;
    QString folder;
    std::optional<ReadOnlyPath> readOnly;
    if (readOnlyProgramFolder) {
        readOnly.emplace(program.path());
        if (!readOnly->holds())
            QSKIP("nothing keeps this user from writing here");
        folder = program.filePath("Veriler");
    } else {
        QFile blocker(program.filePath("dosya"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        folder = program.filePath("dosya/Veriler");
    }
    DataStore store(fsPath(folder));
    const std::vector<std::string> problems = store.setUp();
    QCOMPARE(problems.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(problems.front()), "\"" + folder + "\" klasörü oluşturulamadı: " + reason + ".");
    for (const data::TableInfo &info : data::tables())
        QVERIFY(!store.isOpen(info.id));
    // A command on an unopened table is refused with a message, not a crash.
    QVERIFY_THROWS_EXCEPTION(engine::Error, store.table(TableId::CompanyCheques).append());
}

void tst_DataStore::foreignFileIsNeverTouched_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray paradox(2048, '\0');
    paradox[0] = char(0x0F); // record size, header size 0x0800, as an old table starts
    paradox[2] = char(0x00);
    paradox[3] = char(0x08);
    QTest::newRow("old Paradox table") << paradox;
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("garbage") << QByteArray("bu bir tablo değil\x01\x02\x03", 23);
    QByteArray sqliteHeader("SQLite format 3\0", 16);
    sqliteHeader.append(QByteArray(4080, '\0'));
    QTest::newRow("another program's SQLite file") << sqliteHeader;
}

void tst_DataStore::foreignFileIsNeverTouched()
{
    QFETCH(QByteArray, content);
    QTemporaryDir program;
    const QString folder = program.filePath("Veriler");
    QDir().mkpath(folder);
    {
        QFile file(folder + "/FIRMA_CEK.DB");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    DataStore store(fsPath(folder));
    const std::vector<std::string> problems = store.setUp();
    QCOMPARE(problems.size(), std::size_t(1));
    QVERIFY2(QString::fromStdString(problems.front()).contains("FIRMA_CEK.DB"), problems.front().c_str());
    QVERIFY(!store.isOpen(TableId::CompanyCheques));
    QVERIFY(store.isOpen(TableId::CustomerCheques));
    QCOMPARE(readAll(folder + "/FIRMA_CEK.DB"), content);
    QVERIFY(!QFile::exists(folder + "/firma_cek.db"));
}

QTEST_APPLESS_MAIN(tst_DataStore)
#include "tst_datastore.moc"
