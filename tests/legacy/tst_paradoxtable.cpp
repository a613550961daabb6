#include "fspath.h"
#include "paradoxbuilder.h"

#include "legacy/paradoxtable.h"

#include <QtTest>

using legacy::ErrorCode;
using legacy::ParadoxError;
using legacy::ParadoxTable;

Q_DECLARE_METATYPE(legacy::ErrorCode)

namespace {

// Paradox tables written by the real program, kept outside the repository
// beside the checkout. Where they are missing the tests that read them skip,
// naming the file; the tables built below cover the same ground.
QString sharedFixture(const QString &name)
{
    QString shared = qEnvironmentVariable("SELVORA_SHARED_DIR");
    if (shared.isEmpty())
        shared = QStringLiteral(SELVORA_SOURCE_DIR "/../shared");
    return QDir::cleanPath(shared + QStringLiteral("/fixtures/paradox/") + name);
}

QString missingFixture(const QString &name)
{
    return QStringLiteral("no shared Paradox fixture %1 (optional, outside the repository): skipped")
        .arg(QDir::toNativeSeparators(sharedFixture(name)));
}

#define REQUIRE_SHARED_FIXTURE(name)                                                                               \
    do {                                                                                                           \
        if (!QFileInfo::exists(sharedFixture(name)))                                                               \
            QSKIP(qPrintable(missingFixture(name)));                                                               \
    } while (false)


// Turkish text in code page 857, from the code page's own table (not from the
// reader's converter, so the two check each other).
QByteArray cp857(const QString &text)
{
    static const QHash<QChar, char> upper = {
        {u'Ç', char(0x80)}, {u'Ğ', char(0xA6)}, {u'İ', char(0x98)}, {u'ı', char(0x8D)},
        {u'Ö', char(0x99)}, {u'Ş', char(0x9E)}, {u'Ü', char(0x9A)}, {u'ç', char(0x87)},
        {u'ğ', char(0xA7)}, {u'ö', char(0x94)}, {u'ş', char(0x9F)}, {u'ü', char(0x81)},
    };
    QByteArray bytes;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? char(c.unicode()) : upper.value(c);
    return bytes;
}

QByteArray cp1254(const QString &text)
{
    static const QHash<QChar, char> upper = {
        {u'Ç', char(0xC7)}, {u'Ğ', char(0xD0)}, {u'İ', char(0xDD)}, {u'ı', char(0xFD)},
        {u'Ö', char(0xD6)}, {u'Ş', char(0xDE)}, {u'Ü', char(0xDC)}, {u'ç', char(0xE7)},
        {u'ğ', char(0xF0)}, {u'ö', char(0xF6)}, {u'ş', char(0xFE)}, {u'ü', char(0xFC)},
    };
    QByteArray bytes;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? char(c.unicode()) : upper.value(c);
    return bytes;
}

QString describedValue(const legacy::Value &value)
{
    return QString::fromStdString(legacy::describe(value));
}

QStringList readAll(ParadoxTable &table)
{
    QStringList rows;
    legacy::Row row;
    while (table.readNext(row)) {
        QStringList values;
        for (const auto &value : row.values)
            values << describedValue(value);
        rows << values.join(QStringLiteral(" | "));
    }
    return rows;
}

QString fieldList(const ParadoxTable &table)
{
    QStringList fields;
    for (const auto &field : table.fields())
        fields << QString::fromStdString(field.name) + ':' + legacy::fieldTypeName(field.type) + ':'
                + QString::number(field.size);
    return fields.join(',');
}

// A status table the way the program's seed status tables are laid out: one
// Alpha field CEK_ADI of 15 bytes, no key, a 2048-byte header and one 2048-byte
// block, language driver "turk", code page 857.
QByteArray statusTable(const QStringList &statuses, int versionId = 0x0C,
                       QByteArray (*encode)(const QString &) = cp857)
{
    ParadoxBuilder builder(versionId, versionId >= 5 ? 857 : 0, "turk", {{"CEK_ADI", 0x01, 15}});
    QList<QByteArray> records;
    for (const QString &status : statuses)
        records << ParadoxBuilder::alpha(encode(status), 15);
    builder.addBlock(records);
    return builder.bytes();
}

const QStringList customerStatuses = {
    QStringLiteral("PORTFÖYDE"), QStringLiteral("TAHSİL EDİLDİ"), QStringLiteral("İADE EDİLDİ"),
    QStringLiteral("BANKA TAHSİLDE"), QStringLiteral("KARŞILIĞI YOK"), QStringLiteral("CİRO EDİLDİ"),
};
const QStringList companyStatuses = {
    QStringLiteral("ÖDENDE"), QStringLiteral("ÖDENMEDİ"), QStringLiteral("İADE ALINDI"),
};

QStringList quotedAll(const QStringList &texts)
{
    QStringList rows;
    for (const QString &text : texts)
        rows << '"' + text + '"';
    return rows;
}

// A small table with one memo field of leader 20, one row, for memo pointer cases.
QByteArray oneMemoTable(std::uint32_t pointer, std::uint32_t length)
{
    ParadoxBuilder builder(0x0B, 857, "turk", {{"NO", 0x04, 4}, {"NOT", 0x0C, 30}});
    builder.addBlock({ParadoxBuilder::longField(1) + ParadoxBuilder::blobField(30, "x", pointer, length)});
    return builder.bytes();
}

ParadoxTable fromBytes(const QByteArray &table, const std::optional<QByteArray> &memo = std::nullopt,
                       const legacy::OpenOptions &options = {})
{
    std::optional<std::string> memoBytes;
    if (memo)
        memoBytes = memo->toStdString();
    return ParadoxTable::fromBytes("BOZUK.DB", table.toStdString(), memoBytes, options);
}

void patchLe16(QByteArray &bytes, int at, int value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

} // namespace

class tst_ParadoxTable : public QObject
{
    Q_OBJECT

private slots:
    void readsFieldTypes_data();
    void readsFieldTypes();
    void readsMemosOfRealFixtures_data();
    void readsMemosOfRealFixtures();
    void readsCustomerTable();
    void refusesEncryptedTable();
    void readsTurkishStatusTable_data();
    void readsTurkishStatusTable();
    void overridesDeclaredCodePage();
    void reportsTextThatDoesNotDecode();
    void readsLedgerAlongChainOnly();
    void refusesHostileFiles_data();
    void refusesHostileFiles();
    void reportsBadMemoPointers_data();
    void reportsBadMemoPointers();
    void refusesMissingFile();
    void warnsButReads_data();
    void warnsButReads();
};

void tst_ParadoxTable::readsFieldTypes_data()
{
    QTest::addColumn<QString>("file"); // a shared fixture, or empty for the built table
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<int>("versionId");
    QTest::addColumn<int>("codePage");
    QTest::addColumn<bool>("keyed");
    QTest::addColumn<QString>("fields");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("long.db") << "long.db" << QByteArray() << 0x0B << 850 << true << "Id:AutoInc:4,LONG:Long:4"
                             << QStringList{"1 | 1", "2 | 2", "3 | NULL"};
    QTest::newRow("date7.db") << "date7.db" << QByteArray() << 0x0B << 850 << false << "DATE:Date:4,TIME:Time:4"
                              << QStringList{"2018-01-01 | 10:00:00.000", "2018-02-01 | 10:30:00.000",
                                             "2018-01-02 | 09:25:25.000", "NULL | 10:00:00.000",
                                             "2018-01-01 | NULL"};
    QTest::newRow("logical.db") << "logical.db" << QByteArray() << 0x0B << 1252 << false << "BOOL:Logical:1"
                                << QStringList{"true", "false", "true", "true"};
    QTest::newRow("DECIMAL.DB") << "DECIMAL.DB" << QByteArray() << 0x0C << 1252 << false << "DECIMAL:Number:8"
                                << QStringList{"-200", "-20", "-1", "1", "20", "200", "200.36", "1.37", "-1.387"};

    // The same field types, written here: a keyed 5.x table in code page 850.
    using B = ParadoxBuilder;
    B builder(0x0B, 850, "ascii",
              {{"Id", 0x16, 4}, {"LONG", 0x04, 4}, {"DATE", 0x02, 4}, {"TIME", 0x14, 4}, {"BOOL", 0x09, 1},
               {"DECIMAL", 0x06, 8}},
              1);
    builder.addBlock({B::longField(1) + B::longField(-2) + B::dateField(2018, 2, 1) + B::longField(37800000)
                          + B::logicalField(true) + B::doubleField(200.36),
                      B::longField(2) + B::nullField(4) + B::nullField(4) + B::longField(0) + B::logicalField(false)
                          + B::doubleField(-1.387),
                      B::longField(3) + B::longField(2147483647) + B::dateField(2018, 1, 2) + B::nullField(4)
                          + B::nullField(1) + B::nullField(8)});
    QTest::newRow("built: every type of the fixtures above")
        << QString() << builder.bytes() << 0x0B << 850 << true
        << "Id:AutoInc:4,LONG:Long:4,DATE:Date:4,TIME:Time:4,BOOL:Logical:1,DECIMAL:Number:8"
        << QStringList{"1 | -2 | 2018-02-01 | 10:30:00.000 | true | 200.36",
                       "2 | NULL | NULL | 00:00:00.000 | false | -1.387",
                       "3 | 2147483647 | 2018-01-02 | NULL | NULL | NULL"};
}

void tst_ParadoxTable::readsFieldTypes()
{
    QFETCH(QString, file);
    QFETCH(QByteArray, built);
    QFETCH(int, versionId);
    QFETCH(int, codePage);
    QFETCH(bool, keyed);
    QFETCH(QString, fields);
    QFETCH(QStringList, rows);

    std::optional<ParadoxTable> opened;
    if (file.isEmpty()) {
        opened.emplace(ParadoxTable::fromBytes("BUILT.DB", built.toStdString(), std::nullopt));
    } else {
        REQUIRE_SHARED_FIXTURE(file);
        opened.emplace(ParadoxTable::open(fsPath(sharedFixture(file))));
    }
    ParadoxTable &table = *opened;
    QCOMPARE(table.versionId(), versionId);
    QCOMPARE(table.declaredCodePage(), codePage);
    QCOMPARE(table.codePage(), codePage);
    QCOMPARE(table.isKeyed(), keyed);
    QCOMPARE(fieldList(table), fields);
    QCOMPARE(table.recordCount(), rows.size());
    QVERIFY(table.warnings().empty());
    QCOMPARE(readAll(table), rows);
    table.rewind();
    QCOMPARE(readAll(table), rows);
}

void tst_ParadoxTable::readsMemosOfRealFixtures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("start");

    QTest::newRow("memo.db row 1, from the memo file") << "memo.db" << 1 << 1 << 555 << "01234567890012345678900";
    QTest::newRow("memo.db row 2, in the leader") << "memo.db" << 2 << 1 << 12 << "01234567890\n";
    QTest::newRow("CUSTOMER.DB row 1, in the leader") << "CUSTOMER.DB" << 1 << 8 << 32 << "Small comment (less 100 symbols)";
    QTest::newRow("CUSTOMER.DB row 2, sub-allocated") << "CUSTOMER.DB" << 2 << 8 << 518 << "\tThe length of the leader";
    QTest::newRow("CUSTOMER.DB row 3, sub-allocated") << "CUSTOMER.DB" << 3 << 8 << 318 << "mvn versions:set";
    QTest::newRow("CUSTOMER.DB row 4, single blob") << "CUSTOMER.DB" << 4 << 8 << 56864 << " The PARADOX File Structure";
}

void tst_ParadoxTable::readsMemosOfRealFixtures()
{
    QFETCH(QString, file);
    QFETCH(int, row);
    QFETCH(int, field);
    QFETCH(int, length);
    QFETCH(QString, start);

    // Built: readsLedgerAlongChainOnly reads notes in the leader, sub-allocated and single.
    REQUIRE_SHARED_FIXTURE(file);
    ParadoxTable table = ParadoxTable::open(fsPath(sharedFixture(file)));
    QVERIFY(table.hasMemoFile());
    legacy::Row read;
    for (int i = 0; i < row; ++i)
        QVERIFY(table.readNext(read));
    QVERIFY2(read.issues.empty(), read.issues.empty() ? "" : read.issues.front().message.c_str());
    const auto *memo = std::get_if<std::string>(&read.values[field]);
    QVERIFY2(memo, qPrintable(describedValue(read.values[field])));
    QCOMPARE(int(memo->size()), length);
    QVERIFY2(QString::fromStdString(*memo).startsWith(start), memo->substr(0, 60).c_str());
}

void tst_ParadoxTable::readsCustomerTable()
{
    // Built: the 7.x tables of readsTurkishStatusTable and readsLedgerAlongChainOnly.
    REQUIRE_SHARED_FIXTURE(QStringLiteral("CUSTOMER.DB"));
    ParadoxTable table = ParadoxTable::open(fsPath(sharedFixture("CUSTOMER.DB")));
    QCOMPARE(table.versionName(), std::string("7.x"));
    QCOMPARE(fieldList(table),
             "CustNo:AutoInc:4,FirstName:Alpha:51,LastName:Alpha:50,EMail:Alpha:100,Street:Alpha:30,"
             "City:Alpha:15,State/Prov:Alpha:20,Zip/Postal Code:Alpha:10,Comments:Memo:110,DateEntered:Date:4");
    const QStringList rows = readAll(table);
    QCOMPARE(rows.size(), 20);
    QCOMPARE(rows.first(), "1 | \"Luke\" | \"Justice\" | \"luke@fun.com\" | \"4-976 Sugarloaf Hwy\" | "
                           "\"Santa Cruz\" | \"CA\" | \"94766\" | \"Small comment (less 100 symbols)\" | 1996-02-02");
    QVERIFY(rows.last().startsWith("20 | \"Trent\" | \"Romar\" | "));
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY(rows[i].startsWith(QString::number(i + 1) + " | "));
}

void tst_ParadoxTable::refusesEncryptedTable()
{
    // Built: the "encrypted" row of refusesHostileFiles.
    REQUIRE_SHARED_FIXTURE(QStringLiteral("encrypted.db"));
    try {
        ParadoxTable::open(fsPath(sharedFixture("encrypted.db")));
        QFAIL("an encrypted table was opened");
    } catch (const ParadoxError &error) {
        QCOMPARE(error.code(), ErrorCode::Encrypted);
        QVERIFY2(QString::fromUtf8(error.what()).contains("'encrypted.db'"), error.what());
        QVERIFY2(QString::fromUtf8(error.what()).contains(QStringLiteral("şifreli")), error.what());
    }
}

void tst_ParadoxTable::readsTurkishStatusTable_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("versionId");
    QTest::addColumn<QStringList>("statuses");

    QTest::newRow("customer statuses, 7.x seed") << statusTable(customerStatuses) << 0x0C << customerStatuses;
    QTest::newRow("company statuses, 7.x seed") << statusTable(companyStatuses) << 0x0C << companyStatuses;
    QTest::newRow("customer statuses, 3.0 table sorted turk") << statusTable(customerStatuses, 3) << 3
                                                              << customerStatuses;
}

void tst_ParadoxTable::readsTurkishStatusTable()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, versionId);
    QFETCH(QStringList, statuses);

    QCOMPARE(bytes.size(), 4096);
    ParadoxTable table = ParadoxTable::fromBytes("mct.DB", bytes.toStdString(), std::nullopt);
    QCOMPARE(table.versionId(), versionId);
    QCOMPARE(table.codePage(), 857);
    QCOMPARE(table.sortOrderName(), std::string("turk"));
    QCOMPARE(table.isKeyed(), false);
    QCOMPARE(fieldList(table), "CEK_ADI:Alpha:15");
    QCOMPARE(readAll(table), quotedAll(statuses));
    QCOMPARE(table.suggestedCodePage(), 857);
}

void tst_ParadoxTable::overridesDeclaredCodePage()
{
    // Written by a Windows program: the bytes are 1254 though the header says 857.
    const QByteArray bytes = statusTable(customerStatuses, 0x0C, cp1254);
    ParadoxTable declared = ParadoxTable::fromBytes("mct.DB", bytes.toStdString(), std::nullopt);
    QCOMPARE(declared.suggestedCodePage(), 1254);
    QVERIFY(readAll(declared) != quotedAll(customerStatuses));

    ParadoxTable overridden = ParadoxTable::fromBytes("mct.DB", bytes.toStdString(), std::nullopt, {1254});
    QCOMPARE(overridden.declaredCodePage(), 857);
    QCOMPARE(overridden.codePage(), 1254);
    QCOMPARE(readAll(overridden), quotedAll(customerStatuses));

    try {
        ParadoxTable::fromBytes("mct.DB", bytes.toStdString(), std::nullopt, {866});
        QFAIL("an unknown code page was accepted");
    } catch (const ParadoxError &error) {
        QCOMPARE(error.code(), ErrorCode::UnsupportedCodePage);
    }
}

void tst_ParadoxTable::reportsTextThatDoesNotDecode()
{
    // 0xD5 has no character in code page 857.
    const QByteArray bytes = statusTable({QStringLiteral("PORTFÖYDE"), QStringLiteral("X")}, 0x0C,
                                         [](const QString &text) {
                                             return text == "X" ? QByteArray("A\xD5") : cp857(text);
                                         });
    ParadoxTable table = ParadoxTable::fromBytes("mct.DB", bytes.toStdString(), std::nullopt);
    legacy::Row row;
    QVERIFY(table.readNext(row));
    QVERIFY(row.issues.empty());
    QVERIFY(table.readNext(row));
    QCOMPARE(row.number, 2);
    QCOMPARE(row.values.at(0), legacy::Value(legacy::RawText{"A\xD5"}));
    QCOMPARE(row.issues.size(), size_t(1));
    QCOMPARE(row.issues[0].field, 0);
    QCOMPARE(row.issues[0].code, ErrorCode::TextDecode);
    const QString message = QString::fromStdString(row.issues[0].message);
    QVERIFY2(message.contains("'mct.DB'") && message.contains(QStringLiteral("2. kaydındaki 'CEK_ADI' alanı"))
                 && message.contains("857"),
             qPrintable(message));
}

void tst_ParadoxTable::readsLedgerAlongChainOnly()
{
    using B = ParadoxBuilder;
    const QList<B::Field> fields = {
        {"OTO_SN", 0x16, 4}, {"VADE_TARIHI", 0x02, 4}, {"CEK_TUTARI", 0x05, 8}, {"CEKI_ALAN", 0x01, 40},
        {"CEK_CIROLU", 0x09, 1}, {"ADET", 0x03, 2}, {"ACIKLAMA", 0x0C, 210},
    };
    B builder(0x0B, 857, "turk", fields, 1, 1); // 1 KiB blocks: three records each
    QCOMPARE(builder.recordSize(), 269);

    MemoBuilder memo;
    const QByteArray subA = cp857(QStringLiteral("Şube müdürü arayacak. ")).repeated(14);
    const QByteArray subB = QByteArray("B").repeated(250);
    const QByteArray single = cp857(QStringLiteral("Uzun açıklama, çok sayfa. ")).repeated(200);
    const QByteArray exactLeader = QByteArray("L").repeated(200);
    const auto sub = memo.addSubAllocated({subA, subB});
    const std::uint32_t big = memo.addSingle(single);

    const auto record = [&](int no, QByteArray date, double amount, const QString &payee, QByteArray logical,
                            int count, QByteArray note) {
        return B::longField(no) + date + B::doubleField(amount) + B::alpha(cp857(payee), 40) + logical
            + B::shortField(count) + note;
    };
    const QByteArray r1 = record(1, B::dateField(2004, 12, 31), 1234567.5, QStringLiteral("Çağlar Şişli"),
                                 B::logicalField(false), -3, B::blobField(210, cp857(QStringLiteral("kısa not")), 0));
    const QByteArray r2 = record(2, B::dateField(1970, 1, 1), -0.01, QStringLiteral("İzmir Gıda"),
                                 B::logicalField(true), 7, B::blobField(210, subA, sub[0]));
    const QByteArray r3 = record(3, B::nullField(4), 0, QString(), B::nullField(1), 0, B::nullField(210));
    const QByteArray r4 = record(4, B::dateField(2001, 2, 28), 50, QStringLiteral("ÜÖĞ"), B::logicalField(true),
                                 1, B::blobField(210, single, big));
    const QByteArray r5 = record(5, B::dateField(2001, 3, 1), 75.25, QStringLiteral("Beş"), B::logicalField(false),
                                 2, B::blobField(210, subB, sub[1]));
    const QByteArray r6 = record(6, B::dateField(2024, 2, 29), 1, QStringLiteral("Son"), B::logicalField(false),
                                 3, B::blobField(210, exactLeader, 0));
    const QByteArray deleted = record(9, B::dateField(1999, 9, 9), 999, QStringLiteral("SİLİNMİŞ"),
                                      B::logicalField(true), 9, B::nullField(210));
    builder.addBlock({r1, r2, r3});
    builder.addBlock({r6}, deleted); // the short last block, holding a deleted record's stale copy
    builder.addBlock({r4, r5}, deleted);
    builder.addBlock({}, deleted); // every record of this block was deleted
    builder.setChain({1, 4, 3, 2});

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile db(dir.filePath("FIRMA.DB"));
    QVERIFY(db.open(QIODevice::WriteOnly) && db.write(builder.bytes()) > 0);
    db.close();
    QFile mb(dir.filePath("firma.mb"));
    QVERIFY(mb.open(QIODevice::WriteOnly) && mb.write(memo.bytes()) > 0);
    mb.close();

    ParadoxTable table = ParadoxTable::open(fsPath(dir.filePath("FIRMA.DB")));
    QVERIFY(table.hasMemoFile());
    QCOMPARE(table.keyFieldCount(), 1);
    QCOMPARE(table.recordCount(), 6);
    QVERIFY(table.warnings().empty());

    const auto quote = [](const QByteArray &bytes) {
        return '"' + QString::fromStdString(*legacy::CodePage(857).toUtf8(bytes.toStdString())) + '"';
    };
    const QStringList expected = {
        QStringLiteral("1 | 2004-12-31 | 1234567.5 | \"Çağlar Şişli\" | false | -3 | \"kısa not\""),
        QStringLiteral("2 | 1970-01-01 | -0.01 | \"İzmir Gıda\" | true | 7 | ") + quote(subA),
        QStringLiteral("3 | NULL | 0 | NULL | NULL | 0 | NULL"),
        QStringLiteral("4 | 2001-02-28 | 50 | \"ÜÖĞ\" | true | 1 | ") + quote(single),
        QStringLiteral("5 | 2001-03-01 | 75.25 | \"Beş\" | false | 2 | ") + quote(subB),
        QStringLiteral("6 | 2024-02-29 | 1 | \"Son\" | false | 3 | ") + quote(exactLeader),
    };
    const QStringList rows = readAll(table);
    QCOMPARE(rows.size(), expected.size());
    for (int i = 0; i < rows.size(); ++i)
        QCOMPARE(rows[i], expected[i]);
}

void tst_ParadoxTable::refusesHostileFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<ErrorCode>("code");
    QTest::addColumn<QString>("fragment");

    ParadoxBuilder builder(0x0C, 857, "turk", {{"NO", 0x04, 4}, {"AD", 0x01, 12}});
    builder.addBlock({ParadoxBuilder::longField(1) + ParadoxBuilder::alpha("A", 12),
                      ParadoxBuilder::longField(2) + ParadoxBuilder::alpha("B", 12)});
    builder.addBlock({ParadoxBuilder::longField(3) + ParadoxBuilder::alpha("C", 12)});
    const QByteArray good = builder.bytes();
    const int block1 = 0x800;
    const int block2 = 0x800 + builder.blockSize();

    const auto patched = [&](int at, int value) {
        QByteArray bytes = good;
        patchLe16(bytes, at, value);
        return bytes;
    };
    QByteArray sqlite = QByteArray("SQLite format 3") + QByteArray(1, '\0') + QByteArray(4080, 'x');
    QByteArray loop = patched(block2, 1);
    QByteArray encrypted = good;
    encrypted[0x5C] = char(0x12);
    QByteArray unknownType = good;
    unknownType[0x78 + 2] = char(0x07);

    QTest::newRow("empty file") << QByteArray() << ErrorCode::Truncated << QStringLiteral("çok kısa");
    QTest::newRow("truncated header") << good.left(0x40) << ErrorCode::Truncated << QStringLiteral("çok kısa");
    QTest::newRow("header longer than the file") << good.left(0x400) << ErrorCode::Truncated
                                                 << QStringLiteral("başlığı dosyanın sonunu aşıyor");
    QTest::newRow("records past the end of the file") << good.left(block1 + 20) << ErrorCode::Truncated
                                                      << QStringLiteral("1 numaralı veri bloğu");
    QTest::newRow("block chain loop") << loop << ErrorCode::BlockLoop << QStringLiteral("döngüye giriyor");
    QTest::newRow("block chain to itself") << patched(block1, 1) << ErrorCode::BlockLoop
                                           << QStringLiteral("1 numaralı veri bloğu");
    QTest::newRow("next block past the end") << patched(block1, 50) << ErrorCode::Truncated
                                             << QStringLiteral("50 numaralı veri bloğu");
    QTest::newRow("first block past the end") << patched(0x0E, 4000) << ErrorCode::Truncated
                                              << QStringLiteral("4000 numaralı veri bloğu");
    QTest::newRow("addDataSize out of range") << patched(block1 + 4, 0x7000) << ErrorCode::BadBlock
                                              << QStringLiteral("(28672) geçersiz");
    QTest::newRow("addDataSize negative") << patched(block1 + 4, 0xFF00) << ErrorCode::BadBlock
                                          << QStringLiteral("(-256) geçersiz");
    QTest::newRow("addDataSize not a record multiple") << patched(block1 + 4, 7) << ErrorCode::BadBlock
                                                       << QStringLiteral("(7) geçersiz");
    QTest::newRow("header size past the end") << patched(0x02, 0xF000) << ErrorCode::Truncated
                                              << QStringLiteral("başlığı dosyanın sonunu aşıyor");
    QTest::newRow("record size disagrees with the fields") << patched(0x00, 17) << ErrorCode::BadHeader
                                                           << QStringLiteral("kayıt uzunluğuna eşit değil");
    QTest::newRow("more fields than names") << patched(0x21, 40) << ErrorCode::BadHeader
                                            << QStringLiteral("alanın adı yok");
    QTest::newRow("unknown field type") << unknownType << ErrorCode::UnknownFieldType
                                        << QStringLiteral("'AD' alanının türü (0x07) bilinmiyor");
    QTest::newRow("unsupported code page") << patched(0x6A, 866) << ErrorCode::UnsupportedCodePage
                                           << QStringLiteral("(866) desteklenmiyor");
    QTest::newRow("encrypted") << encrypted << ErrorCode::Encrypted << QStringLiteral("şifreli");
    QTest::newRow("index file") << patched(0x04, 0x0201) << ErrorCode::IndexFile << QStringLiteral("dizin dosyası");
    QTest::newRow("SQLite database") << sqlite << ErrorCode::SqliteFile << QStringLiteral("SQLite veritabanı");
    QTest::newRow("plain text") << QByteArray("Bu bir tablo değil.\n").repeated(200) << ErrorCode::NotParadox
                                << QStringLiteral("Paradox tablosu olarak tanınmadı");
}

void tst_ParadoxTable::refusesHostileFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(ErrorCode, code);
    QFETCH(QString, fragment);

    try {
        fromBytes(bytes);
        QFAIL("the file was opened");
    } catch (const ParadoxError &error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(error.code() == code, qPrintable(message));
        QVERIFY2(message.startsWith("'BOZUK.DB' "), qPrintable(message));
        QVERIFY2(message.contains(fragment), qPrintable(message));
    }
}

void tst_ParadoxTable::reportsBadMemoPointers_data()
{
    QTest::addColumn<QByteArray>("table");
    QTest::addColumn<QByteArray>("memo");
    QTest::addColumn<bool>("hasMemo");
    QTest::addColumn<ErrorCode>("code");
    QTest::addColumn<QString>("fragment");

    MemoBuilder memo;
    const QByteArray text = QByteArray("M").repeated(100);
    const std::uint32_t single = memo.addSingle(text);
    const std::uint32_t sub = memo.addSubAllocated({text})[0];
    QByteArray deleted = memo.bytes();
    deleted[int(sub & 0xFFFFFF00) + 0x0C + 4] = 0;
    QByteArray badType = memo.bytes();
    badType[int(single & 0xFFFFFF00)] = 7;

    QTest::newRow("pointer past the end") << oneMemoTable(0x100000 | 0xFF, 100) << memo.bytes() << true
                                          << ErrorCode::BadMemo << QStringLiteral("dosyanın sonunun ötesinde");
    QTest::newRow("pointer to offset 0") << oneMemoTable(0xFF, 100) << memo.bytes() << true << ErrorCode::BadMemo
                                         << QStringLiteral("dosyanın sonunun ötesinde");
    QTest::newRow("length past the end") << oneMemoTable(single, 0x7FFFFFF0) << memo.bytes() << true
                                         << ErrorCode::BadMemo << QStringLiteral("uzunluk tutmuyor");
    QTest::newRow("length disagrees") << oneMemoTable(sub, 90) << memo.bytes() << true << ErrorCode::BadMemo
                                      << QStringLiteral("uzunluk tutmuyor (kayıtta 90, not dosyasında 100)");
    QTest::newRow("sub-allocated entry out of range") << oneMemoTable((sub & 0xFFFFFF00) | 0x80, 100)
                                                      << memo.bytes() << true << ErrorCode::BadMemo
                                                      << QStringLiteral("sıra numarası geçersiz");
    QTest::newRow("deleted sub-allocated entry") << oneMemoTable(sub, 100) << deleted << true << ErrorCode::BadMemo
                                                 << QStringLiteral("not silinmiş");
    QTest::newRow("unknown block type") << oneMemoTable(single, 100) << badType << true << ErrorCode::BadMemo
                                        << QStringLiteral("blok türü (7) geçersiz");
    QTest::newRow("memo file truncated") << oneMemoTable(single, 100) << memo.bytes().left(4096 + 50) << true
                                         << ErrorCode::BadMemo << QStringLiteral("dosyanın sonunun ötesinde");
    QTest::newRow("no memo file") << oneMemoTable(single, 100) << QByteArray() << false
                                  << ErrorCode::MemoFileMissing << QStringLiteral("'BOZUK.MB'");
}

void tst_ParadoxTable::reportsBadMemoPointers()
{
    QFETCH(QByteArray, table);
    QFETCH(QByteArray, memo);
    QFETCH(bool, hasMemo);
    QFETCH(ErrorCode, code);
    QFETCH(QString, fragment);

    ParadoxTable read = fromBytes(table, hasMemo ? std::optional<QByteArray>(memo) : std::nullopt);
    legacy::Row row;
    QVERIFY(read.readNext(row));
    QCOMPARE(row.values.at(0), legacy::Value(std::int64_t(1)));
    QVERIFY(legacy::isNull(row.values.at(1)));
    QCOMPARE(row.issues.size(), size_t(1));
    QCOMPARE(row.issues[0].field, 1);
    const QString message = QString::fromStdString(row.issues[0].message);
    QVERIFY2(row.issues[0].code == code, qPrintable(message));
    QVERIFY2(message.startsWith(QStringLiteral("'BOZUK.DB' tablosunun 1. kaydındaki 'NOT' alanı")), qPrintable(message));
    QVERIFY2(message.contains(fragment), qPrintable(message));
    QVERIFY(!read.readNext(row));
}

void tst_ParadoxTable::refusesMissingFile()
{
    QTemporaryDir dir;
    try {
        ParadoxTable::open(fsPath(dir.filePath("YOK.DB")));
        QFAIL("a missing file was opened");
    } catch (const ParadoxError &error) {
        QCOMPARE(error.code(), ErrorCode::CannotOpen);
        QVERIFY2(QString::fromUtf8(error.what()).contains("'YOK.DB'"), error.what());
    }
}

void tst_ParadoxTable::warnsButReads_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("warning");

    const auto oneField = [](int versionId, int codePage, int headerCount, int records) {
        ParadoxBuilder builder(versionId, codePage, "ascii", {{"NO", 0x04, 4}});
        QList<QByteArray> block;
        for (int i = 0; i < records; ++i)
            block << ParadoxBuilder::longField(i + 1);
        if (records > 0)
            builder.addBlock(block);
        builder.setHeaderRecordCount(headerCount);
        return builder.bytes();
    };
    QByteArray unclean = oneField(0x0C, 1252, 2, 2);
    unclean[0x14] = 1;

    QTest::newRow("empty table") << oneField(0x0C, 1252, 0, 0) << 0 << QString();
    QTest::newRow("header states another record count") << oneField(0x0C, 1252, 5, 2) << 2
                                                        << QStringLiteral("5 kayıt yazıyor, veri bloklarında 2 kayıt bulundu");
    QTest::newRow("not closed cleanly") << unclean << 2 << QStringLiteral("düzgün kapatılmamış");
    QTest::newRow("3.5 table names no code page") << oneField(4, 0, 1, 1) << 1
                                                  << QStringLiteral("kod sayfası belirtmiyor; 437 varsayıldı");
    QTest::newRow("memo file missing") << oneMemoTable(0, 1) << 1
                                       << QStringLiteral("not dosyası ('BOZUK.MB') bulunamadı");
}

void tst_ParadoxTable::warnsButReads()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, rows);
    QFETCH(QString, warning);

    ParadoxTable table = fromBytes(bytes);
    QStringList warnings;
    for (const auto &text : table.warnings())
        warnings << QString::fromStdString(text);
    if (warning.isEmpty()) {
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join('\n')));
    } else {
        QCOMPARE(warnings.size(), 1);
        QVERIFY2(warnings[0].startsWith("'BOZUK.DB' ") && warnings[0].contains(warning), qPrintable(warnings[0]));
    }
    QCOMPARE(table.recordCount(), rows);
    legacy::Row row;
    int read = 0;
    while (table.readNext(row)) {
        QVERIFY(row.issues.empty());
        ++read;
    }
    QCOMPARE(read, rows);
}

QTEST_APPLESS_MAIN(tst_ParadoxTable)
#include "tst_paradoxtable.moc"
