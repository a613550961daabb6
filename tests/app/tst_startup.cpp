#include "data/datastore.h"
#include "engine/query.h"

#include <QtTest>

// Starts the program, built for the tests so that it closes itself through
// its normal close path once set up, in a temporary program folder, and
// looks at what it left on disk.
class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void firstStartMakesTheDataFolder_data();
    void firstStartMakesTheDataFolder();

private:
    static QString programPath() { return QStringLiteral(SELVORA_PROGRAM); }
};

void tst_Startup::firstStartMakesTheDataFolder_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("programFolder");
    QTest::newRow("no arguments") << QStringList() << QString();
    QTest::newRow("arguments are ignored") << QStringList({"/x", "-platform", "nosuchplatform", "--help", "dosya.db"})
                                           << QString();
    QTest::newRow("a folder with Turkish letters") << QStringList() << QStringLiteral("Gökhan Çağ/Selvora");
}

void tst_Startup::firstStartMakesTheDataFolder()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, programFolder);
    QVERIFY2(QFile::exists(programPath()), qPrintable(programPath()));
    QTemporaryDir temporary;
    const QDir program(temporary.filePath(programFolder));
    QVERIFY(program.mkpath(QStringLiteral(".")));
    const QString copy = program.filePath(QStringLiteral("torven"));
    QVERIFY(QFile::copy(programPath(), copy));

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(copy, arguments);
    QVERIFY2(process.waitForFinished(60000), "the program did not close");
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);

    const QString folder = program.filePath(QStringLiteral("Veriler"));
    QStringList files = QDir(folder).entryList(QDir::Files);
    files.sort();
    QCOMPARE(files, QStringList({"Firma_Banka_Bilgileri.db", "fct.DB", "firma_cek.db", "firmadan_ceki_alan.db",
                                 "mct.DB", "museri_bilgileri.db", "museri_cek.db"}));

    QVERIFY(QFile::exists(program.filePath(QStringLiteral("GridAyarlari.ini"))));
    // The close took the day's automatic backup, beside Veriler.
    const QStringList backups = QDir(program.filePath(QStringLiteral("Yedekler"))).entryList(QDir::Files);
    QCOMPARE(backups.size(), 1);
    QVERIFY2(backups.first().startsWith(QStringLiteral("otomatik-")), qPrintable(backups.first()));

    engine::Database database(QDir(folder).filesystemPath());
    engine::Query statuses(database);
    statuses.setSql("SELECT * FROM mct.DB");
    statuses.open();
    QStringList seen;
    while (statuses.next())
        seen << QString::fromStdString(std::get<std::string>(statuses.value(0)));
    QCOMPARE(seen, QStringList({"PORTFÖYDE", "TAHSİL EDİLDİ", "İADE EDİLDİ", "BANKA TAHSİLDE", "KARŞILIĞI YOK",
                                "CİRO EDİLDİ"}));
    engine::Query company(database);
    company.setSql("SELECT count(*) as RECCNT FROM fct");
    company.open();
    QCOMPARE(company.firstInteger(), std::int64_t(3));
}

QTEST_GUILESS_MAIN(tst_Startup)
#include "tst_startup.moc"
