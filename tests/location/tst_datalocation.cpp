#include "location/datalocation.h"

#include "readonlypath.h"

#include <QtTest>

using location::DataLocation;

// The one rule that decides where every program keeps its data.
class tst_DataLocation : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void decides_data();
    void decides();
    void readOnlyFolderUsesTheUserFolder_data();
    void readOnlyFolderUsesTheUserFolder();

private:
    QTemporaryDir m_home;
};

void tst_DataLocation::initTestCase()
{
    QCoreApplication::setApplicationName(QStringLiteral("Selvora"));
    QVERIFY(m_home.isValid());
    qputenv("XDG_DATA_HOME", m_home.filePath(QStringLiteral("share")).toUtf8());
    QCOMPARE(DataLocation::userDataFolder(), m_home.filePath(QStringLiteral("share/Selvora/")));
}

void tst_DataLocation::decides_data()
{
    QTest::addColumn<QStringList>("files");   // what the program folder holds
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("a copied, writable folder keeps its data beside the program") << QStringList() << true;
    QTest::newRow("an installed program uses the user's data folder") << QStringList({"kurulum.txt"}) << false;
    QTest::newRow("an installed program folder that holds Veriler keeps it")
        << QStringList({"kurulum.txt", "Veriler/"}) << true;
    QTest::newRow("an installed program folder that holds Ayarlar.ini keeps it")
        << QStringList({"kurulum.txt", "Ayarlar.ini"}) << true;
    QTest::newRow("a file named Veriler is no data folder") << QStringList({"kurulum.txt", "Veriler"}) << false;
}

void tst_DataLocation::decides()
{
    QFETCH(QStringList, files);
    QFETCH(bool, besideProgram);
    QTemporaryDir program;
    for (const QString &name : files) {
        if (name.endsWith(u'/')) {
            QVERIFY(QDir(program.path()).mkpath(name));
            continue;
        }
        QFile file(program.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    const DataLocation where = DataLocation::forProgramFolder(program.path());
    QCOMPARE(where.isBesideProgram(), besideProgram);
    const QString folder = besideProgram ? program.path() + u'/' : DataLocation::userDataFolder();
    QCOMPARE(where.folder(), folder);
    QCOMPARE(where.dataFolder(), folder + QStringLiteral("Veriler"));
    QCOMPARE(where.settingsFile(), folder + QStringLiteral("Ayarlar.ini"));
    QCOMPARE(where.gridLayoutFile(), folder + QStringLiteral("GridAyarlari.ini"));
    QCOMPARE(where.backupFolder(), folder + QStringLiteral("Yedekler"));
    // The probe that tests the folder leaves nothing behind.
    QCOMPARE(QDir(program.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).size(),
             files.size());
}

void tst_DataLocation::readOnlyFolderUsesTheUserFolder_data()
{
    QTest::addColumn<bool>("holdsVeriler");
    QTest::addColumn<bool>("besideProgram");
    QTest::newRow("a read-only medium without data uses the user's data folder") << false << false;
    QTest::newRow("a read-only folder that holds Veriler keeps it") << true << true;
}

void tst_DataLocation::readOnlyFolderUsesTheUserFolder()
{
    QFETCH(bool, holdsVeriler);
    QFETCH(bool, besideProgram);
    QTemporaryDir program;
    if (holdsVeriler)
        QVERIFY(QDir(program.path()).mkdir(QStringLiteral("Veriler")));
    ReadOnlyPath readOnly(program.path());
    if (!readOnly.holds())
        QSKIP("nothing stops this user from writing into the folder");
    QCOMPARE(DataLocation::forProgramFolder(program.path()).isBesideProgram(), besideProgram);
}

QTEST_GUILESS_MAIN(tst_DataLocation)
#include "tst_datalocation.moc"
