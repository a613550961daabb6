#include "mainwindowfixture.h"

#include "engine/table.h"
#include "forms/main/ledgerpage.h"
#include "oldfolder.h"

#include <QtTest>

using data::TableId;
using widgets::MessageButton;

// A data folder the older program left: its Paradox customer ledger and
// customer statuses. The program asks once at start-up and brings them across.
class tst_LegacyStartup : public QObject
{
    Q_OBJECT

private slots:
    void importsOldTablesAtStartup();
    void noLeavesTheOldFilesAlone();

private:
    static void writeOldFolder(const QString &folder)
    {
        QDir().mkpath(folder);
        oldfolder::CustomerCheque first;
        first.number = 4;
        first.due = QDate(2004, 12, 31);
        first.amount = 1250.5;
        first.holder = QStringLiteral("Şükrü Çağlayan");
        first.status = QStringLiteral("PORTFÖYDE");
        first.note = QStringLiteral("Eski programdan gelen not");
        oldfolder::CustomerCheque second = first;
        second.number = 9;
        second.holder = QStringLiteral("İlknur Işık");
        second.amount = 99.9;
        const oldfolder::TableFiles ledger = oldfolder::customerLedger({first, second});
        const auto write = [&folder](const QString &name, const QByteArray &bytes) {
            QFile file(folder + u'/' + name);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        write(QStringLiteral("MUSERI_CEK.DB"), ledger.table);
        if (!ledger.memo.isEmpty())
            write(QStringLiteral("MUSERI_CEK.MB"), ledger.memo);
    }
};

void tst_LegacyStartup::importsOldTablesAtStartup()
{
    MainWindowFixture f;
    const QString folder = f.program.path() + QStringLiteral("/Veriler");
    writeOldFolder(folder);
    f.answerer.push(MessageButton::Yes);
    f.answerer.push(MessageButton::Ok);
    MainWindow &w = f.show();
    QVERIFY(f.answerer.asked().size() >= 2);
    QVERIFY(f.answerer.asked().first().text.contains(QStringLiteral("museri_cek")));
    QVERIFY(f.answerer.asked().first().text.contains(QStringLiteral("2 kayıt")));
    QCOMPARE(f.answerer.asked()[1].kind, widgets::MessageKind::Information);
    QCOMPARE(f.answerer.asked().size(), 2); // no set-up problem after the import

    engine::Table &ledger = w.customerPage()->table();
    QCOMPARE(ledger.rowCount(), std::int64_t(2));
    ledger.first();
    QCOMPARE(std::get<std::int64_t>(ledger.value("OTO_SN")), std::int64_t(4));
    QCOMPARE(std::get<std::string>(ledger.value("HESAPSAHIBI")), std::string("Şükrü Çağlayan"));
    QCOMPARE(std::get<std::int64_t>(ledger.value("CEK_TUTARI")), std::int64_t(125050));
    ledger.last();
    QCOMPARE(std::get<std::int64_t>(ledger.value("CEK_TUTARI")), std::int64_t(9990));

    const QStringList dated = QDir(folder).entryList({QStringLiteral("eski-*")}, QDir::Dirs);
    QCOMPARE(dated.size(), 1);
    QVERIFY(QDir(folder + u'/' + dated.first()).entryList(QDir::Files).contains(QStringLiteral("MUSERI_CEK.DB")));
}

void tst_LegacyStartup::noLeavesTheOldFilesAlone()
{
    MainWindowFixture f;
    const QString folder = f.program.path() + QStringLiteral("/Veriler");
    writeOldFolder(folder);
    QFile old(folder + QStringLiteral("/MUSERI_CEK.DB"));
    QVERIFY(old.open(QIODevice::ReadOnly));
    const QByteArray before = old.readAll();
    old.close();
    f.answerer.push(MessageButton::No);
    MainWindow &w = f.show();
    QVERIFY(!w.customerPage()->table().isOpen());
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), before);
    QVERIFY(QDir(folder).entryList({QStringLiteral("eski-*")}, QDir::Dirs).isEmpty());
}

QTEST_MAIN(tst_LegacyStartup)
#include "tst_legacystartup.moc"
