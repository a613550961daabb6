#include "data/datastore.h"

#include "fspath.h"

#include <QtTest>

using data::DataStore;
using data::TableId;

// The loadable extension that lets the sqlite3 tool write to the tables: rows
// it inserts stand where the program expects them in every Turkish index.
class tst_SqliteExtension : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rowsInsertedByTheToolAreReadInTurkishOrder();
    void withoutTheExtensionTheToolCannotWrite();

private:
    // Runs the sqlite3 tool on a table file; returns its exit code, puts
    // what it printed into output.
    int sqlite3(const QString &file, const QString &sql, bool loadExtension, QString *output = nullptr) const;

    QString m_extension;
};

void tst_SqliteExtension::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("sqlite3")).isEmpty())
        QSKIP("the sqlite3 tool is not installed");
    m_extension = QDir(qEnvironmentVariable("SELVORA_BIN_DIR")).filePath(QStringLiteral("selvora-tr"));
    QVERIFY2(QFile::exists(m_extension + QStringLiteral(".so")), qPrintable(m_extension));
}

int tst_SqliteExtension::sqlite3(const QString &file, const QString &sql, bool loadExtension, QString *output) const
{
    QStringList arguments;
    arguments << QStringLiteral("-bail");
    if (loadExtension)
        arguments << QStringLiteral("-cmd") << QStringLiteral(".load ") + m_extension;
    arguments << file << sql;
    QProcess tool;
    tool.start(QStringLiteral("sqlite3"), arguments);
    tool.waitForFinished(30000);
    if (output)
        *output = QString::fromUtf8(tool.readAllStandardOutput() + tool.readAllStandardError()).trimmed();
    return tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1;
}

void tst_SqliteExtension::rowsInsertedByTheToolAreReadInTurkishOrder()
{
    QTemporaryDir folder;
    {
        DataStore store(fsPath(folder.path()));
        QVERIFY(store.setUp().empty());
    }
    const QString ledger = folder.filePath(QStringLiteral("museri_cek.db"));
    QString said;
    QCOMPARE(sqlite3(ledger,
                     QStringLiteral("INSERT INTO museri_cek (VADE_TARIHI, CEK_TUTARI, HESAPSAHIBI, BANKASI) VALUES "
                                    "('2024-03-01', 150000, 'Zeytin Ltd', 'İş Bankası'),"
                                    "('2024-03-02', 2500, 'ılık su', 'Ziraat'),"
                                    "('2024-03-03', 99, 'Çam Ağacı', 'Akbank'),"
                                    "('2024-03-04', 100, 'iyi günler', 'Halkbank'),"
                                    "('2024-03-05', 7, 'Istanbul Kağıt', 'Garanti');"
                                    "PRAGMA integrity_check;"),
                     true, &said),
             0);
    QCOMPARE(said, QStringLiteral("ok"));

    DataStore store(fsPath(folder.path()));
    QVERIFY(store.setUp().empty());
    engine::Table &cheques = store.table(TableId::CustomerCheques);
    cheques.setActiveIndex("IN_CEKIVEREN");
    QStringList holders;
    for (cheques.first(); !cheques.atEnd(); cheques.next())
        holders << QString::fromStdString(std::get<std::string>(cheques.value("HESAPSAHIBI")));
    QCOMPARE(holders, QStringList({"Çam Ağacı", "ılık su", "Istanbul Kağıt", "iyi günler", "Zeytin Ltd"}));
    // The nearest match walks the same index the tool wrote into.
    QVERIFY(cheques.findNearest("İ"));
    QCOMPARE(cheques.value("HESAPSAHIBI"), engine::Value{std::string("iyi günler")});
    QCOMPARE(cheques.value("CEK_TUTARI"), engine::Value{std::int64_t(100)});
}

void tst_SqliteExtension::withoutTheExtensionTheToolCannotWrite()
{
    QTemporaryDir folder;
    {
        DataStore store(fsPath(folder.path()));
        QVERIFY(store.setUp().empty());
    }
    QString said;
    QVERIFY(sqlite3(folder.filePath(QStringLiteral("firma_cek.db")),
                    QStringLiteral("INSERT INTO firma_cek (CEKI_ALAN) VALUES ('Ali');"), false, &said)
            != 0);
    QVERIFY2(said.contains(QStringLiteral("TR")), qPrintable(said));
}

QTEST_GUILESS_MAIN(tst_SqliteExtension)
#include "tst_sqliteextension.moc"
