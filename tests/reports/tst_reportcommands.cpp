#include "reports/ledgerreports.h"

#include <QTest>

using reports::DueCommand;
using reports::Ledger;

class tst_ReportCommands : public QObject
{
    Q_OBJECT

private slots:
    void sqlTexts_data();
    void sqlTexts();
    void dayCount_data();
    void dayCount();
};

void tst_ReportCommands::sqlTexts_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected");

    const QDate date(2002, 1, 1);
    QTest::newRow("company, all cheques") << reports::allChequesSql(Ledger::Company) << "SELECT * FROM firma_cek.db";
    QTest::newRow("customer, all cheques") << reports::allChequesSql(Ledger::Customer)
                                           << "SELECT * FROM museri_cek.DB";
    QTest::newRow("company, due today") << reports::dueOnDateSql(Ledger::Company, DueCommand::Today, date)
                                        << "SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '01.01.2002'";
    QTest::newRow("company, X days") << reports::dueOnDateSql(Ledger::Company, DueCommand::XDays, date)
                                     << "SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '01.01.2002'";
    QTest::newRow("customer, warning date") << reports::dueOnDateSql(Ledger::Customer, DueCommand::WarningDate, date)
                                            << "SELECT * FROM museri_cek.DB WHERE VADE_TARIHI = '01.01.2002'";
    QTest::newRow("customer, X days: lower-case extension")
        << reports::dueOnDateSql(Ledger::Customer, DueCommand::XDays, QDate(2026, 12, 31))
        << "SELECT * FROM museri_cek.db WHERE VADE_TARIHI = '31.12.2026'";
}

void tst_ReportCommands::sqlTexts()
{
    QFETCH(QString, sql);
    QFETCH(QString, expected);
    QCOMPARE(sql, expected);
}

void tst_ReportCommands::dayCount_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("days");

    QTest::newRow("plain") << "3" << 3;
    QTest::newRow("leading blanks") << "  12" << 12;
    QTest::newRow("minus two") << "-2" << -2;
    QTest::newRow("plus sign") << "+7" << 7;
    QTest::newRow("hexadecimal") << "$1F" << 31;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("trailing blank") << "5 " << 0;
    QTest::newRow("fraction") << "1.5" << 0;
    QTest::newRow("sign alone") << "-" << 0;
    QTest::newRow("largest") << "2147483647" << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
    QTest::newRow("too large") << "2147483648" << 0;
    QTest::newRow("far too large") << "99999999999999999999" << 0;
}

void tst_ReportCommands::dayCount()
{
    QFETCH(QString, text);
    QFETCH(int, days);
    QCOMPARE(reports::dayCountFromText(text), days);
}

QTEST_APPLESS_MAIN(tst_ReportCommands)
#include "tst_reportcommands.moc"
