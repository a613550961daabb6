#include "data/datastore.h"
#include "engine/database.h"
#include "engine/error.h"
#include "engine/script.h"
#include "engine/table.h"
#include "fspath.h"

#include "filewritelock.h"
#include "readonlypath.h"
#include "readsfailaftercommit.h"

#include <QtTest>

#include <filesystem>

using namespace engine;

namespace {

std::string str(const Value &value)
{
    return std::holds_alternative<std::string>(value) ? std::get<std::string>(value) : std::string();
}

// A data folder with the program's seven tables.
struct Fixture
{
    QTemporaryDir folder;
    data::DataStore store{fsPath(folder.path())};
    Fixture() { store.setUp(); }
    Table &payees() { return store.table(data::TableId::Payees); }
    Table &ledger() { return store.table(data::TableId::CompanyCheques); }
    Table &customers() { return store.table(data::TableId::CustomerCheques); }

    void addCheque(const std::string &payee, text::Date due, std::int64_t amount, const std::string &number = {})
    {
        Table &t = ledger();
        t.append();
        t.setValue("CEKI_ALAN", payee);
        t.setValue("VADE_TARIHI", due);
        t.setValue("CEK_TUTARI", amount);
        if (!number.empty())
            t.setValue("CEK_NUMARASI", number);
        t.post();
    }
};

} // namespace

class tst_Table : public QObject
{
    Q_OBJECT

private slots:
    void modifiedFlagFollowsStates();
    void appendTakesComponentDefaults();
    void cancelledInsertDropsTheRow();
    void navigationStopsAtBothEnds();
    void deleteMovesToNextOrNewLast();
    void keyViolationKeepsTheRow();
    void failedPostKeepsTheRow_data();
    void failedPostKeepsTheRow();
    void committedPostIsNeverAFailure_data();
    void committedPostIsNeverAFailure();
    void overlongTextIsRefused();
    void indexOrdersTurkishNames();
    void postKeepsRowInItsSortedPlace();
    void nearestMatch_data();
    void nearestMatch();
    void nearestMatchOnDateAndMoney();
    void locateIgnoresTurkishCase();
    void postIsDurable();
    void rowsWalkInActiveOrderWithoutMoving();
    void packShrinksAndKeepsRows();
    void exclusiveUseIsRefusedWhileOpen();
    void createTableKeepsGivenRowNumbers();
    void createTableRefusesBadRowNumbers_data();
    void createTableRefusesBadRowNumbers();
};

void tst_Table::modifiedFlagFollowsStates()
{
    Fixture f;
    Table &t = f.payees();
    QCOMPARE(t.state(), Table::State::Browse);
    t.append();
    QCOMPARE(t.state(), Table::State::Insert);
    QVERIFY(!t.isModified());
    t.setValue("CEKI_ALAN_KISI", std::string(""));
    QVERIFY2(t.isModified(), "writing a field counts even when the value is unchanged");
    t.setValue("CEKI_ALAN_KISI", std::string("AHMET"));
    t.post();
    QCOMPARE(t.state(), Table::State::Browse);
    QVERIFY(!t.isModified());
    t.edit();
    QCOMPARE(t.state(), Table::State::Edit);
    QVERIFY(!t.isModified());
    t.edit(); // no effect while editing
    t.setValue("CEKI_ALAN_KISI", std::string("AHMET"));
    QVERIFY(t.isModified());
    t.cancel();
    QVERIFY(!t.isModified());
    QCOMPARE(t.state(), Table::State::Browse);
    QVERIFY_THROWS_EXCEPTION(Error, t.setValue("CEKI_ALAN_KISI", std::string("X")));
}

void tst_Table::appendTakesComponentDefaults()
{
    Fixture f;
    Table &t = f.customers();
    t.append();
    for (const char *field : {"CIRO_EDEN", "KIME_CIRO", "TAHSIL_BANKA", "TAHSIL_SUBE"})
        QCOMPARE(str(t.value(field)), std::string("YOK"));
    QCOMPARE(std::get<bool>(t.value("CEK_CIROLU")), false);
    QVERIFY(!t.isModified());
    t.cancel();
}

void tst_Table::cancelledInsertDropsTheRow()
{
    Fixture f;
    f.addCheque("A", {2005, 1, 1}, 100);
    f.addCheque("B", {2005, 1, 2}, 200);
    Table &t = f.ledger();
    t.first();
    t.append();
    QCOMPARE(t.position(), std::int64_t(2));
    t.setValue("CEKI_ALAN", std::string("C"));
    t.cancel();
    QCOMPARE(t.rowCount(), std::int64_t(2));
    QCOMPARE(t.position(), std::int64_t(0));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("A"));
}

void tst_Table::navigationStopsAtBothEnds()
{
    Fixture f;
    for (int i = 1; i <= 3; ++i)
        f.addCheque("P" + std::to_string(i), {2005, 1, i}, i);
    Table &t = f.ledger();
    t.first();
    t.prior();
    QVERIFY(t.atBegin());
    QCOMPARE(t.position(), std::int64_t(0));
    t.last();
    t.next();
    QVERIFY(t.atEnd());
    QCOMPARE(t.position(), std::int64_t(2));
    t.prior();
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("P2"));
}

void tst_Table::deleteMovesToNextOrNewLast()
{
    Fixture f;
    for (int i = 1; i <= 3; ++i)
        f.addCheque("P" + std::to_string(i), {2005, 1, i}, i);
    Table &t = f.ledger();
    t.moveTo(1);
    t.remove();
    QCOMPARE(t.rowCount(), std::int64_t(2));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("P3"));
    t.remove();
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("P1"));
    t.remove();
    QVERIFY(t.isEmpty());
    QCOMPARE(t.position(), std::int64_t(-1));
    QVERIFY_THROWS_EXCEPTION(Error, t.remove());
}

void tst_Table::keyViolationKeepsTheRow()
{
    Fixture f;
    Table &t = f.payees();
    t.append();
    t.setValue("CEKI_ALAN_KISI", std::string("ŞAHİN"));
    t.post();
    t.append();
    t.setValue("CEKI_ALAN_KISI", std::string("ŞAHİN"));
    try {
        t.post();
        QFAIL("a payee stored twice was accepted");
    } catch (const Error &e) {
        QVERIFY(e.hasCode(code::KeyViolation));
    }
    QCOMPARE(t.state(), Table::State::Insert);
    QCOMPARE(str(t.value("CEKI_ALAN_KISI")), std::string("ŞAHİN"));
    t.setValue("CEKI_ALAN_KISI", std::string("şahin"));
    t.post(); // another spelling is another payee
    QCOMPARE(t.rowCount(), std::int64_t(2));
}

void tst_Table::failedPostKeepsTheRow_data()
{
    QTest::addColumn<QString>("cause");
    QTest::addColumn<QString>("reason");
    QTest::newRow("read-only file") << "read-only" << "salt okunur";
    QTest::newRow("another program writes to the file") << "locked" << "başka bir işlem";
    // The file removed (or replaced) behind the open table: nothing may be
    // written into the old copy, and the user is told what happened.
    QTest::newRow("file removed while open") << "removed" << "taşındı ya da silindi";
}

void tst_Table::failedPostKeepsTheRow()
{
    QFETCH(QString, cause);
    QFETCH(QString, reason);
    Fixture f;
    f.addCheque("A", {2005, 1, 1}, 100);
    f.store.closeAll();
    const QString path = f.folder.filePath("firma_cek.db");
    std::optional<ReadOnlyPath> readOnly;
    if (cause == u"read-only") {
        readOnly.emplace(path);
        if (!readOnly->holds())
            QSKIP("nothing keeps this user from writing here");
    }
    const QByteArray before = [&] { QFile file(path); file.open(QIODevice::ReadOnly); return file.readAll(); }();
    Table &t = f.ledger();
    t.open();
    std::optional<FileWriteLock> otherProgram;
    if (cause == u"locked") {
        otherProgram.emplace(fsPath(path));
        QVERIFY(otherProgram->isLocked());
    } else if (cause == u"removed") {
        QVERIFY(QFile::rename(path, path + ".eski"));
    }
    t.edit();
    t.setValue("CEKI_ALAN", std::string("B"));
    try {
        t.post();
        QFAIL("the post went through");
    } catch (const Error &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(reason), e.what());
    }
    QCOMPARE(t.state(), Table::State::Edit);
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("B"));
    otherProgram.reset();
    QFile file(cause == u"removed" ? path + ".eski" : path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), before);
    t.cancel();
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("A"));
}

void tst_Table::committedPostIsNeverAFailure_data()
{
    QTest::addColumn<bool>("newCheque");
    QTest::newRow("a new cheque") << true;
    QTest::newRow("a changed cheque") << false;
}

// The disk stops answering reads right after the row has committed: the post
// still reports success, and the cursor stands on the row in its sorted place.
void tst_Table::committedPostIsNeverAFailure()
{
    QFETCH(bool, newCheque);
    ReadsFailAfterCommit disk("firma_cek.db");
    Fixture f;
    f.addCheque("A", {2005, 1, 1}, 100);
    f.addCheque("C", {2005, 1, 3}, 300);
    Table &t = f.ledger();
    t.setActiveIndex("IN_TUTAR");
    t.first();
    if (newCheque)
        t.append();
    else
        t.edit();
    t.setValue("CEKI_ALAN", std::string("B"));
    t.setValue("CEK_TUTARI", std::int64_t(200));
    disk.arm();
    try {
        t.post();
    } catch (const Error &e) {
        QFAIL(qPrintable(QStringLiteral("a stored row was reported as a failure: ") + QString::fromUtf8(e.what())));
    }
    QVERIFY2(!disk.failedAnyRead(), "the post read the file after its commit");
    QCOMPARE(t.state(), Table::State::Browse);
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("B"));
    QCOMPARE(t.position(), newCheque ? std::int64_t(1) : std::int64_t(0));
    disk.disarm();

    Database other(fsPath(f.folder.path()));
    Query stored(other);
    stored.setSql("SELECT count(*) FROM firma_cek WHERE CEKI_ALAN = 'B' AND CEK_TUTARI = 2");
    stored.open();
    QCOMPARE(stored.firstInteger(), std::int64_t(1));
}

void tst_Table::overlongTextIsRefused()
{
    Fixture f;
    Table &t = f.ledger();
    t.append();
    t.setValue("CEK_DURUMU", std::string("ÇÇÇÇÇÇÇÇÇÇÇÇÇÇÇ")); // 15 letters, 30 bytes: fits
    try {
        t.setValue("CEK_DURUMU", std::string("ÇÇÇÇÇÇÇÇÇÇÇÇÇÇÇÇ"));
        QFAIL("16 letters in a CHAR(15) field were accepted");
    } catch (const Error &e) {
        QVERIFY(e.hasCode(code::InvalidValue));
        QVERIFY(QString::fromUtf8(e.what()).contains("15"));
    }
    t.setValue("CEK_DURUMU", Value{}); // a cleared text is stored as null
    QVERIFY(isNull(t.value("CEK_DURUMU")));
    QVERIFY_THROWS_EXCEPTION(Error, t.setValue("OTO_SN", std::int64_t(5)));
    QVERIFY_THROWS_EXCEPTION(Error, t.setValue("VADE_TARIHI", std::string("01.01.2005")));
    t.cancel();
}

void tst_Table::indexOrdersTurkishNames()
{
    Fixture f;
    const std::vector<std::string> names = {"Zeynep", "Çağlar", "İsmail", "Ümit", "Ilgaz", "Cem", "Şule", "Ömer"};
    for (std::size_t i = 0; i < names.size(); ++i)
        f.addCheque(names[i], {2005, 1, 1}, std::int64_t(i), "NO" + std::to_string(i));
    Table &t = f.ledger();
    t.moveTo(3); // Ümit
    t.setActiveIndex("IN_BANKA"); // all banks empty: order by row id, cursor stays
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("Ümit"));

    // Order the ledger by payee through a script-made index.
    f.store.closeAll();
    runScript(f.store.database(), "CREATE Index IN_ALAN ON \"firma_cek.db\" (CEKI_ALAN);");
    t.open();
    t.setActiveIndex("in_alan");
    std::vector<std::string> order;
    for (t.first(); !t.atEnd(); t.next())
        order.push_back(str(t.value("CEKI_ALAN")));
    const std::vector<std::string> expected = {"Cem", "Çağlar", "Ilgaz", "İsmail", "Ömer", "Şule", "Ümit", "Zeynep"};
    QCOMPARE(order, expected);
    t.setActiveIndex("");
    t.first();
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("Zeynep"));
    QVERIFY_THROWS_EXCEPTION(Error, t.setActiveIndex("IN_YOK"));
}

void tst_Table::postKeepsRowInItsSortedPlace()
{
    Fixture f;
    f.addCheque("A", {2005, 1, 1}, 300);
    f.addCheque("B", {2005, 1, 2}, 100);
    f.addCheque("C", {2005, 1, 3}, 200);
    Table &t = f.ledger();
    t.setActiveIndex("IN_TUTAR");
    t.first();
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("B"));
    t.edit();
    t.setValue("CEK_TUTARI", std::int64_t(999));
    t.post();
    QCOMPARE(t.position(), std::int64_t(2));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("B"));
    f.addCheque("D", {2005, 1, 4}, 150);
    QCOMPARE(t.position(), std::int64_t(0));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("D"));
}

void tst_Table::nearestMatch_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("payee");
    QTest::newRow("exact") << "Ömer" << true << "Ömer";
    QTest::newRow("prefix") << "Şu" << true << "Şule";
    QTest::newRow("lower case finds upper") << "ş" << true << "Şule";
    QTest::newRow("between names") << "D" << true << "Ilgaz";
    QTest::newRow("ı before i") << "Iz" << true << "İsmail";
    QTest::newRow("after the last") << "Zz" << false << "";
    QTest::newRow("dotted capital") << "İ" << true << "İsmail";
}

void tst_Table::nearestMatch()
{
    static Fixture *f = nullptr;
    if (!f) {
        f = new Fixture;
        for (const char *name : {"Zeynep", "Çağlar", "İsmail", "Ümit", "Ilgaz", "Cem", "Şule", "Ömer"})
            f->addCheque(name, {2005, 1, 1}, 1, std::string(name));
        f->ledger().setActiveIndex("IN_CEKNO");
    }
    QFETCH(QString, typed);
    QFETCH(bool, found);
    QFETCH(QString, payee);
    Table &t = f->ledger();
    t.first();
    QCOMPARE(t.findNearest(typed.toStdString()), found);
    if (found)
        QCOMPARE(QString::fromStdString(str(t.value("CEKI_ALAN"))), payee);
    else
        QCOMPARE(t.position(), std::int64_t(0));
}

void tst_Table::nearestMatchOnDateAndMoney()
{
    Fixture f;
    f.addCheque("A", {2005, 3, 1}, 100000);
    f.addCheque("B", {2005, 3, 15}, 50);
    f.addCheque("C", {2005, 4, 1}, 2500);
    Table &t = f.ledger();
    t.setActiveIndex("IN_TARIH");
    QVERIFY(t.findNearest("02.03.2005"));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("B"));
    for (const char *partial : {"0", "02.0", "02.03.20", "aa.bb.cccc", "31.02.2005"})
        QVERIFY2(!t.findNearest(partial), partial);
    t.setActiveIndex("IN_TUTAR");
    QVERIFY(t.findNearest("25"));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("C"));
    QVERIFY(t.findNearest("25,01"));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("A"));
    QVERIFY(t.findNearest("0,5"));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("B"));
    QVERIFY(t.findNearest("12,"));
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("C"));
    QVERIFY(!t.findNearest("abc"));
}

void tst_Table::locateIgnoresTurkishCase()
{
    Fixture f;
    Table &statuses = f.store.table(data::TableId::CustomerStatuses);
    QVERIFY(statuses.locate("CEK_ADI", "portföyde"));
    QCOMPARE(statuses.position(), std::int64_t(0));
    QVERIFY(statuses.locate("CEK_ADI", "karşılığı yok"));
    QCOMPARE(str(statuses.value("CEK_ADI")), std::string("KARŞILIĞI YOK"));
    QVERIFY(statuses.locate("cek_adi", "iade edildi"));
    QCOMPARE(statuses.position(), std::int64_t(2));
    QVERIFY(!statuses.locate("CEK_ADI", "IADE EDILDI")); // dotless I is another letter
    QCOMPARE(statuses.position(), std::int64_t(2));
}

void tst_Table::postIsDurable()
{
    Fixture f;
    f.addCheque("Kalıcı", {2005, 1, 1}, 100);
    // A second connection sees the row at once: it is committed, not cached.
    Database other(fsPath(f.folder.path()));
    Query count(other);
    count.setSql("SELECT count(*) FROM firma_cek WHERE CEKI_ALAN = 'Kalıcı'");
    count.open();
    QCOMPARE(count.firstInteger(), std::int64_t(1));
}

void tst_Table::rowsWalkInActiveOrderWithoutMoving()
{
    Fixture f;
    f.addCheque("A", {2005, 1, 3}, 1);
    f.addCheque("B", {2005, 1, 1}, 2);
    f.addCheque("C", {2005, 1, 2}, 3);
    Table &t = f.ledger();
    t.setActiveIndex("IN_TARIH");
    t.moveTo(1);
    auto rows = t.rows();
    const int payee = rows->fieldIndex("CEKI_ALAN");
    std::string seen;
    while (rows->next())
        seen += str(rows->value(std::size_t(payee)));
    QCOMPARE(seen, std::string("BCA"));
    QCOMPARE(rows->rowCountHint(), std::int64_t(3));
    QCOMPARE(t.position(), std::int64_t(1));
}

void tst_Table::packShrinksAndKeepsRows()
{
    Fixture f;
    Table &t = f.ledger();
    for (int i = 0; i < 40; ++i) {
        f.addCheque("Ödeme alan kişi " + std::to_string(i), {2005, 1, 1 + i % 28}, i);
        t.edit();
        t.setValue("ACIKLAMA", std::string(4000, 'n'));
        t.post();
    }
    for (t.first(); t.rowCount() > 10;)
        t.remove();
    const std::int64_t remaining = t.rowCount();
    t.close();
    const QString path = f.folder.filePath("firma_cek.db");
    const qint64 before = QFileInfo(path).size();
    f.store.database().pack("FIRMA_CEK.DB");
    QVERIFY2(QFileInfo(path).size() < before, "pack did not shrink the file");
    t.open();
    QCOMPARE(t.rowCount(), remaining);
    t.first();
    QCOMPARE(str(t.value("CEKI_ALAN")), std::string("Ödeme alan kişi 30"));
    QCOMPARE(t.indexes().size(), std::size_t(5));
}

void tst_Table::exclusiveUseIsRefusedWhileOpen()
{
    Fixture f;
    try {
        f.store.database().pack("firma_cek.db");
        QFAIL("pack ran on an open table");
    } catch (const Error &e) {
        QVERIFY(e.hasCode(code::TableBusy));
    }
}

void tst_Table::createTableKeepsGivenRowNumbers()
{
    QTemporaryDir folder;
    Database database(fsPath(folder.path()));
    TableLayout layout;
    layout.fields = {{"OTO_SN", FieldType::AutoInc, 0}, {"AD", FieldType::Char, 10}};
    layout.primaryKey = {"OTO_SN"};
    database.createTable("t.db", layout,
                         {{std::int64_t(7), std::string("a")}, {Value{}, std::string("b")},
                          {std::int64_t(3), std::string("c")}});
    Table table(database, "t.db");
    table.open();
    QStringList stored;
    for (table.first(); !table.atEnd(); table.next())
        stored << QString::number(std::get<std::int64_t>(table.value("OTO_SN"))) + '='
                + QString::fromStdString(str(table.value("AD")));
    QCOMPARE(stored, QStringList({"3=c", "7=a", "8=b"}));
    table.append();
    table.setValue("AD", std::string("d"));
    table.post();
    QCOMPARE(std::get<std::int64_t>(table.value("OTO_SN")), std::int64_t(9)); // after the largest kept
}

void tst_Table::createTableRefusesBadRowNumbers_data()
{
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("second");
    QTest::addColumn<int>("code");
    QTest::newRow("a row number given twice") << qint64(5) << qint64(5) << code::KeyViolation;
    QTest::newRow("row number zero") << qint64(5) << qint64(0) << code::InvalidValue;
    QTest::newRow("row number past 32 bits") << (qint64(1) << 32) << qint64(1) << code::InvalidValue;
}

void tst_Table::createTableRefusesBadRowNumbers()
{
    QFETCH(qint64, first);
    QFETCH(qint64, second);
    QFETCH(int, code);
    QTemporaryDir folder;
    Database database(fsPath(folder.path()));
    TableLayout layout;
    layout.fields = {{"OTO_SN", FieldType::AutoInc, 0}};
    layout.primaryKey = {"OTO_SN"};
    try {
        database.createTable("t.db", layout, {{std::int64_t(first)}, {std::int64_t(second)}});
        QFAIL("created");
    } catch (const Error &e) {
        QVERIFY2(e.hasCode(code), e.what());
    }
    QVERIFY(!database.fileExists("t.db"));
}

QTEST_APPLESS_MAIN(tst_Table)
#include "tst_table.moc"
