#include "backup/automaticbackup.h"
#include "backup/ziparchive.h"

#include "backupfixture.h"

using backup::AutomaticBackup;
using backup::AutomaticBackupSettings;

// The backup taken at close: when it is due, how many are kept, and a
// failure that waits for the next start.
class tst_AutomaticBackup : public QObject
{
    Q_OBJECT

private slots:
    void settingsKeepTheirSection();
    void isDue_data();
    void isDue();
    void keepsTheNewestAndNothingElse();
    void failureIsNotedForTheNextStart();
};

void tst_AutomaticBackup::settingsKeepTheirSection()
{
    BackupFixture fixture;
    fixture.create();
    const QString file = fixture.program.filePath("Ayarlar.ini");
    QCOMPARE(AutomaticBackupSettings::load(file).mode, AutomaticBackupSettings::Mode::Daily);
    QCOMPARE(AutomaticBackupSettings::load(file).keep, 10);
    AutomaticBackupSettings settings;
    settings.mode = AutomaticBackupSettings::Mode::EveryClose;
    settings.keep = 3;
    QCOMPARE(settings.save(file), QString());
    QFile text(file);
    QVERIFY(text.open(QIODevice::ReadOnly));
    QCOMPARE(text.readAll(), QByteArray("[CEK_AYARLARI]\r\nGUN=3\r\n[YEDEKLEME]\r\nOTOMATIK=HER_KAPANISTA\r\nSAKLA=3\r\n"));
    QCOMPARE(AutomaticBackupSettings::load(file).mode, AutomaticBackupSettings::Mode::EveryClose);
    QCOMPARE(AutomaticBackupSettings::load(file).keep, 3);
}

void tst_AutomaticBackup::isDue_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("archives");
    QTest::addColumn<bool>("due");
    const QStringList today = {"otomatik-2024-03-15-081500.zip"};
    const QStringList yesterday = {"otomatik-2024-03-14-180000.zip", "yedek-2024-03-15-080000.zip"};
    QTest::newRow("daily, first close of the day") << "GUNLUK" << yesterday << true;
    QTest::newRow("daily, already backed up today") << "GUNLUK" << today << false;
    QTest::newRow("an unknown mode counts as daily") << "ARADA" << today << false;
    QTest::newRow("every close") << "HER_KAPANISTA" << today << true;
    QTest::newRow("off") << "KAPALI" << yesterday << false;
}

void tst_AutomaticBackup::isDue()
{
    QFETCH(QString, mode);
    QFETCH(QStringList, archives);
    QFETCH(bool, due);
    BackupFixture fixture;
    fixture.write("Ayarlar.ini", "[YEDEKLEME]\r\nOTOMATIK=" + mode.toUtf8() + "\r\n");
    QDir().mkpath(fixture.program.filePath("Yedekler"));
    for (const QString &name : archives)
        fixture.write("Yedekler/" + name, "x");
    QCOMPARE(AutomaticBackup(fixture.root()).isDue(QDate(2024, 3, 15)), due);
}

void tst_AutomaticBackup::keepsTheNewestAndNothingElse()
{
    BackupFixture fixture;
    fixture.create();
    fixture.write("Ayarlar.ini", "[YEDEKLEME]\r\nOTOMATIK=HER_KAPANISTA\r\nSAKLA=2\r\n");
    QDir().mkpath(fixture.program.filePath("Yedekler/geri-yukleme-oncesi-2024-01-01-000000"));
    fixture.write("Yedekler/yedek-2020-01-01-000000.zip", "elle alınmış");
    AutomaticBackup automatic(fixture.root());
    for (int minute : {1, 2, 3}) {
        const backup::BackupResult result = automatic.run(QDateTime(QDate(2024, 3, 15), QTime(18, minute)));
        QVERIFY2(result.ok, qPrintable(result.message));
    }
    QCOMPARE(QDir(automatic.backupFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList({"geri-yukleme-oncesi-2024-01-01-000000", "otomatik-2024-03-15-180200.zip",
                          "otomatik-2024-03-15-180300.zip", "yedek-2020-01-01-000000.zip"}));
    backup::ZipReader newest(QDir(automatic.backupFolder()).filePath("otomatik-2024-03-15-180300.zip"));
    QVERIFY(newest.contains("Veriler/museri_cek.db"));
    QVERIFY(!AutomaticBackup::takeFailureNote(automatic.settingsFile()));
}

void tst_AutomaticBackup::failureIsNotedForTheNextStart()
{
    BackupFixture fixture;
    fixture.create();
    QVERIFY(QFile::remove(fixture.program.filePath("Veriler/museri_cek.db")));
    AutomaticBackup automatic(fixture.root());
    const QDateTime when(QDate(2024, 3, 15), QTime(18, 5));
    const backup::BackupResult result = automatic.run(when);
    QVERIFY(!result.ok);
    QVERIFY2(result.message.contains("museri_cek.db"), qPrintable(result.message));
    QVERIFY(AutomaticBackup::automaticArchives(automatic.backupFolder()).isEmpty());

    const auto note = AutomaticBackup::takeFailureNote(automatic.settingsFile());
    QVERIFY(note);
    QCOMPARE(note->when, when);
    QCOMPARE(note->message, result.message);
    QVERIFY2(note->text().startsWith("Son otomatik yedek (15.03.2024 18:05) alınamadı:"), qPrintable(note->text()));
    // Shown once; the other settings stay.
    QVERIFY(!AutomaticBackup::takeFailureNote(automatic.settingsFile()));
    QFile text(automatic.settingsFile());
    QVERIFY(text.open(QIODevice::ReadOnly));
    QVERIFY(text.readAll().startsWith("[CEK_AYARLARI]\r\nGUN=3\r\n"));
}

QTEST_GUILESS_MAIN(tst_AutomaticBackup)
#include "tst_automaticbackup.moc"
