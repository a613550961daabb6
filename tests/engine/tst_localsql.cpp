#include "engine/database.h"
#include "engine/error.h"
#include "engine/query.h"
#include "engine/script.h"
#include "fspath.h"

#include <QtTest>

using namespace engine;

namespace {

TableLayout ledgerLayout()
{
    TableLayout layout;
    layout.fields = {{"OTO_SN", FieldType::AutoInc, 0},     {"VADE_TARIHI", FieldType::Date, 0},
                     {"CEK_TUTARI", FieldType::Money, 0},   {"CEK_DURUMU", FieldType::Char, 15},
                     {"CEKI_ALAN", FieldType::Char, 40},    {"CEK_CIROLU", FieldType::Boolean, 0}};
    return layout;
}

TranslatedQuery translate(const QString &text)
{
    static const TableLayout layout = ledgerLayout();
    return translateQuery(text.toStdString(), [](const std::string &) -> const TableLayout & { return layout; });
}

} // namespace

class tst_LocalSql : public QObject
{
    Q_OBJECT

private slots:
    void validTexts_data();
    void validTexts();
    void invalidTexts_data();
    void invalidTexts();
    void runsAgainstTables();
    void userTextIsNeverSql();
    void badScriptNamesThePosition_data();
    void badScriptNamesThePosition();
};

void tst_LocalSql::validTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("orderField");
    QTest::addColumn<bool>("descending");
    QTest::addColumn<bool>("count");

    QTest::newRow("all cheques") << "SELECT * FROM firma_cek.db" << "firma_cek.db" << "" << "" << false << false;
    QTest::newRow("upper-case extension") << "SELECT * FROM museri_cek.DB" << "museri_cek.DB" << "" << "" << false << false;
    QTest::newRow("due today")
        << "SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '15.03.2005'" << "firma_cek.db"
        << "\"VADE_TARIHI\" = ?1" << "" << false << false;
    QTest::newRow("due count over two lines")
        << "SELECT count(*) as RECCNT FROM firma_cek\nWHERE VADE_TARIHI = '15.03.2005'" << "firma_cek.db"
        << "\"VADE_TARIHI\" = ?1" << "" << false << true;
    QTest::newRow("custom report")
        << "SELECT * FROM firma_cek.db\nWHERE (VADE_TARIHI >='01.08.2002') AND (VADE_TARIHI <='31.08.2002') AND "
           "((CEK_DURUMU = 'ÖDENDE') OR (CEK_DURUMU = 'ÖDENMEDİ'))\nORDER BY VADE_TARIHI DESC"
        << "firma_cek.db"
        << "(\"VADE_TARIHI\" >= ?1) AND (\"VADE_TARIHI\" <= ?2) AND ((\"CEK_DURUMU\" COLLATE TR = ?3) OR "
           "(\"CEK_DURUMU\" COLLATE TR = ?4))"
        << "VADE_TARIHI" << true << false;
    QTest::newRow("order ascending, empty third line")
        << "SELECT * FROM firma_cek.db\nWHERE (VADE_TARIHI >='01.08.2002') AND (VADE_TARIHI <='31.08.2002')\nORDER BY CEKI_ALAN ASC\n"
        << "firma_cek.db" << "(\"VADE_TARIHI\" >= ?1) AND (\"VADE_TARIHI\" <= ?2)" << "CEKI_ALAN" << false << false;
    QTest::newRow("keywords in lower case")
        << "select * from firma_cek.db where cek_tutari > 100 and cek_cirolu = true" << "firma_cek.db"
        << "\"CEK_TUTARI\" > ?1 AND \"CEK_CIROLU\" = ?2" << "" << false << false;
    QTest::newRow("not equal and quoted table")
        << "SELECT * FROM \"firma_cek.DB\" WHERE CEK_DURUMU <> 'O''NUN'" << "firma_cek.DB"
        << "\"CEK_DURUMU\" COLLATE TR <> ?1" << "" << false << false;
}

void tst_LocalSql::validTexts()
{
    QFETCH(QString, text);
    const TranslatedQuery query = translate(text);
    QFETCH(QString, fileName);
    QFETCH(QString, where);
    QFETCH(QString, orderField);
    QFETCH(bool, descending);
    QFETCH(bool, count);
    QCOMPARE(QString::fromStdString(query.fileName), fileName);
    QCOMPARE(QString::fromStdString(query.where), where);
    QCOMPARE(QString::fromStdString(query.orderField), orderField);
    QCOMPARE(query.descending, descending);
    QCOMPARE(query.count, count);
}

void tst_LocalSql::invalidTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("not a select") << "DELETE FROM firma_cek.db" << code::SqlSyntax << "1. karakter";
    QTest::newRow("unknown field") << "SELECT * FROM firma_cek.db WHERE TUTAR = 5" << code::UnknownField << "TUTAR";
    QTest::newRow("invalid date literal") << "SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '31.02.2005'"
                                          << code::SqlSyntax << "31.02.2005";
    QTest::newRow("unterminated quote") << "SELECT * FROM firma_cek.db WHERE CEK_DURUMU = 'ÖDENDE"
                                        << code::SqlSyntax << "kapanmamış";
    QTest::newRow("missing bracket") << "SELECT * FROM firma_cek.db WHERE (VADE_TARIHI = '01.01.2005'"
                                     << code::SqlSyntax << "')'";
    QTest::newRow("second statement") << "SELECT * FROM firma_cek.db; DROP TABLE firma_cek" << code::SqlSyntax
                                      << "DROP";
    QTest::newRow("function call") << "SELECT * FROM firma_cek.db WHERE CEK_DURUMU = lower('x')" << code::SqlSyntax
                                   << "lower";
    QTest::newRow("stray character") << "SELECT * FROM firma_cek.db WHERE CEK_TUTARI = 5 | 1" << code::SqlSyntax
                                     << "|";
    QTest::newRow("text for money") << "SELECT * FROM firma_cek.db WHERE CEK_TUTARI = 'çok'" << code::SqlSyntax
                                    << "tutar";
    QTest::newRow("order by in count") << "SELECT count(*) FROM firma_cek ORDER BY CEKI_ALAN" << code::SqlSyntax
                                       << "ORDER";
    QTest::newRow("empty") << "" << code::SqlSyntax << "SELECT";
}

void tst_LocalSql::invalidTexts()
{
    QFETCH(QString, text);
    QFETCH(int, code);
    QFETCH(QString, mentions);
    try {
        translate(text);
        QFAIL("the text was accepted");
    } catch (const Error &e) {
        QVERIFY2(e.hasCode(code), e.what());
        QVERIFY2(QString::fromUtf8(e.what()).contains(mentions), e.what());
    }
}

void tst_LocalSql::runsAgainstTables()
{
    QTemporaryDir folder;
    Database database(fsPath(folder.path()));
    runScript(database, "CREATE TABLE \"firma_cek.DB\" (OTO_SN AUTOINC, VADE_TARIHI DATE, CEK_TUTARI MONEY, "
                        "CEK_DURUMU CHAR(15), PRIMARY KEY (OTO_SN));\n"
                        "CREATE Index IN_TARIH ON \"firma_cek.DB\" (VADE_TARIHI);");
    QVERIFY(QFile::exists(folder.filePath("firma_cek.db")));
    {
        auto file = database.open("firma_cek.db");
        QCOMPARE(file->layout().indexes.size(), std::size_t(1));
    }
    TableLayout layout;
    layout.fields = {{"VADE_TARIHI", FieldType::Date, 0}, {"CEK_TUTARI", FieldType::Money, 0},
                     {"CEK_DURUMU", FieldType::Char, 15}};
    database.createTable("kopya.db", layout,
                         {{text::Date{2005, 3, 15}, std::int64_t(1000), std::string("ÖDENDE")},
                          {text::Date{2005, 3, 15}, std::int64_t(2000), std::string("O'NUN")},
                          {text::Date{2005, 3, 16}, std::int64_t(3000), std::string("ÖDENMEDİ")}});
    Query count(database);
    count.setSql("SELECT count(*) as RECCNT FROM kopya\nWHERE VADE_TARIHI = '15.03.2005'");
    count.open();
    QCOMPARE(count.fields().front().name, std::string("RECCNT"));
    QCOMPARE(count.firstInteger(), std::int64_t(2));
    QCOMPARE(count.firstInteger(), std::int64_t(2)); // rereading keeps the parameters

    Query select(database);
    select.setSql("SELECT * FROM KOPYA.DB WHERE CEK_DURUMU = 'O''NUN' OR CEK_TUTARI >= 30 ORDER BY CEK_TUTARI DESC");
    select.open();
    QVERIFY(select.next());
    QCOMPARE(std::get<std::int64_t>(select.value(1)), std::int64_t(3000));
    QVERIFY(select.next());
    QCOMPARE(std::get<std::string>(select.value(2)), std::string("O'NUN"));
    QVERIFY(!select.next());
}

void tst_LocalSql::userTextIsNeverSql()
{
    QTemporaryDir folder;
    Database database(fsPath(folder.path()));
    TableLayout layout;
    layout.fields = {{"CEK_DURUMU", FieldType::Char, 40}};
    const std::string hostile = "x') OR 1=1; DROP TABLE t; --";
    database.createTable("t.db", layout, {{std::string("ÖDENDE")}, {hostile}});
    Query query(database);
    query.setSql("SELECT count(*) FROM t WHERE CEK_DURUMU = 'x'') OR 1=1; DROP TABLE t; --'");
    query.open();
    QCOMPARE(query.firstInteger(), std::int64_t(1));
}

void tst_LocalSql::badScriptNamesThePosition_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("mentions");
    QTest::addColumn<bool>("firstTableMade");
    QTest::newRow("unknown type") << "CREATE TABLE \"a.db\" (X DATEX);" << "24. karakter ('DATEX')" << false;
    QTest::newRow("CHAR too long") << "CREATE TABLE \"a.db\" (X CHAR(300));" << "255" << false;
    QTest::newRow("second statement fails, first stays")
        << "CREATE TABLE \"a.db\" (X CHAR(5));\nCREATE Index I ON \"a.db\" (Y);" << "Y" << true;
    QTest::newRow("not a creation") << "DROP TABLE \"a.db\";" << "CREATE" << false;
}

void tst_LocalSql::badScriptNamesThePosition()
{
    QFETCH(QString, script);
    QFETCH(QString, mentions);
    QFETCH(bool, firstTableMade);
    QTemporaryDir folder;
    Database database(fsPath(folder.path()));
    try {
        runScript(database, script.toStdString());
        QFAIL("the script ran");
    } catch (const Error &e) {
        QVERIFY2(QString::fromUtf8(e.what()).contains(mentions), e.what());
    }
    QCOMPARE(QFile::exists(folder.filePath("a.db")), firstTableMade);
}

QTEST_APPLESS_MAIN(tst_LocalSql)
#include "tst_localsql.moc"
