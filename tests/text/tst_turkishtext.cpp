#include "text/date.h"
#include "text/money.h"
#include "text/turkish.h"

#include <QtTest>

#include <algorithm>

using text::Date;

class tst_TurkishText : public QObject
{
    Q_OBJECT

private slots:
    void parseDate_data();
    void parseDate();
    void formatDate();
    void addDaysLeavesCalendar();
    void collation_data();
    void collation();
    void sortsTurkishNames();
    void caseFolding_data();
    void caseFolding();
    void leftCharactersNeverSplitsALetter();
    void formatAmount_data();
    void formatAmount();
    void parseAmount_data();
    void parseAmount();
};

void tst_TurkishText::parseDate_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::newRow("first of March") << "01.03.2005" << true << 2005 << 3 << 1;
    QTest::newRow("last day of the year") << "31.12.2004" << true << 2004 << 12 << 31;
    QTest::newRow("leap day") << "29.02.2004" << true << 2004 << 2 << 29;
    QTest::newRow("29 February in a common year") << "29.02.2005" << false << 0 << 0 << 0;
    QTest::newRow("31 February") << "31.02.2005" << false << 0 << 0 << 0;
    QTest::newRow("day zero") << "00.01.2005" << false << 0 << 0 << 0;
    QTest::newRow("month thirteen") << "01.13.2005" << false << 0 << 0 << 0;
    QTest::newRow("single digits") << "1.3.2005" << false << 0 << 0 << 0;
    QTest::newRow("letters") << "ab.cd.efgh" << false << 0 << 0 << 0;
    QTest::newRow("slashes") << "01/03/2005" << false << 0 << 0 << 0;
    QTest::newRow("two-digit year") << "01.03.05" << false << 0 << 0 << 0;
    QTest::newRow("empty") << "" << false << 0 << 0 << 0;
    QTest::newRow("year zero") << "01.01.0000" << false << 0 << 0 << 0;
}

void tst_TurkishText::parseDate()
{
    QFETCH(QString, input);
    QFETCH(bool, valid);
    std::string reason;
    const auto date = text::parseDate(input.toStdString(), &reason);
    QCOMPARE(date.has_value(), valid);
    if (valid) {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QCOMPARE(date->year, year);
        QCOMPARE(date->month, month);
        QCOMPARE(date->day, day);
    } else {
        QVERIFY2(!reason.empty(), "an invalid date must say why");
    }
}

void tst_TurkishText::formatDate()
{
    QCOMPARE(text::formatDate(Date{2005, 3, 1}), std::string("01.03.2005"));
    QCOMPARE(text::toIso(Date{2005, 3, 1}), std::string("2005-03-01"));
    QCOMPARE(text::fromIso("2005-03-01"), std::optional<Date>(Date{2005, 3, 1}));
    QVERIFY(!text::fromIso("2005-02-30"));
    QCOMPARE(text::addDays(Date{2004, 12, 31}, 1), std::optional<Date>(Date{2005, 1, 1}));
    QCOMPARE(text::addDays(Date{2005, 3, 1}, -1), std::optional<Date>(Date{2005, 2, 28}));
    QCOMPARE(text::fromDayNumber(text::toDayNumber(Date{1970, 1, 1})), std::optional<Date>(Date{1970, 1, 1}));
    QCOMPARE(text::toDayNumber(Date{1, 1, 1}), std::int64_t(0));
}

void tst_TurkishText::addDaysLeavesCalendar()
{
    QVERIFY(!text::addDays(Date{2026, 12, 10}, 5'000'000));
    QVERIFY(!text::addDays(Date{9999, 12, 31}, 1));
    QVERIFY(!text::addDays(Date{1, 1, 1}, -1));
}

void tst_TurkishText::collation_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("ı before i") << "ı" << "i";
    QTest::newRow("I before İ") << "I" << "İ";
    QTest::newRow("c before ç") << "c" << "ç";
    QTest::newRow("ç before d") << "çz" << "d";
    QTest::newRow("o before ö before p") << "oz" << "öa";
    QTest::newRow("s before ş") << "sz" << "şa";
    QTest::newRow("u before ü") << "uz" << "üa";
    QTest::newRow("g before ğ") << "gz" << "ğa";
    QTest::newRow("Ş before T") << "ŞAHİN" << "TAN";
    QTest::newRow("prefix first") << "AK" << "AKIN";
}

void tst_TurkishText::collation()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    QVERIFY(text::compareTurkish(before.toStdString(), after.toStdString()) < 0);
    QVERIFY(text::compareTurkish(after.toStdString(), before.toStdString()) > 0);
    QCOMPARE(text::compareTurkish(before.toStdString(), before.toStdString()), 0);
}

void tst_TurkishText::sortsTurkishNames()
{
    std::vector<std::string> names = {"Zeynep", "Çağlar", "İsmail", "Ümit", "Ilgaz", "Cem", "Şule", "Ömer", "Oya", "Sema"};
    std::sort(names.begin(), names.end(),
              [](const std::string &a, const std::string &b) { return text::compareTurkish(a, b) < 0; });
    const std::vector<std::string> expected = {"Cem", "Çağlar", "Ilgaz", "İsmail", "Oya", "Ömer", "Sema", "Şule", "Ümit", "Zeynep"};
    QCOMPARE(names, expected);
}

void tst_TurkishText::caseFolding_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("equal");
    QTest::newRow("portföyde") << "portföyde" << "PORTFÖYDE" << true;
    QTest::newRow("dotless ı and I") << "ışık" << "IŞIK" << true;
    QTest::newRow("dotted i and İ") << "iade edildi" << "İADE EDİLDİ" << true;
    QTest::newRow("i is not I") << "i" << "I" << false;
    QTest::newRow("ı is not İ") << "ı" << "İ" << false;
    QTest::newRow("different words") << "ödendi" << "ÖDENMEDİ" << false;
}

void tst_TurkishText::caseFolding()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, equal);
    QCOMPARE(text::equalsIgnoreCaseTurkish(a.toStdString(), b.toStdString()), equal);
    if (equal)
        QCOMPARE(text::toUpperTurkish(a.toStdString()), b.toStdString());
}

void tst_TurkishText::leftCharactersNeverSplitsALetter()
{
    QCOMPARE(text::characterCount("ÇĞİıÖŞÜ"), std::size_t(7));
    QCOMPARE(std::string(text::leftCharacters("ÇĞİıÖŞÜ", 3)), std::string("ÇĞİ"));
    QCOMPARE(std::string(text::leftCharacters("abc", 10)), std::string("abc"));
    QVERIFY(text::isValidUtf8("ÇĞİ"));
    QVERIFY(!text::isValidUtf8(std::string("\xC4", 1)));
}

void tst_TurkishText::formatAmount_data()
{
    QTest::addColumn<qint64>("kurus");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("edit");
    QTest::newRow("Turkish marks") << qint64(123456750) << "." << "," << "1.234.567,50" << "1234567,50";
    QTest::newRow("English marks") << qint64(123456750) << "," << "." << "1,234,567.50" << "1234567.50";
    QTest::newRow("zero") << qint64(0) << "." << "," << "0,00" << "0,00";
    QTest::newRow("under one lira") << qint64(5) << "." << "," << "0,05" << "0,05";
    QTest::newRow("negative") << qint64(-100000) << "." << "," << "-1.000,00" << "-1000,00";
    QTest::newRow("three digits, no group") << qint64(99999) << "." << "," << "999,99" << "999,99";
}

void tst_TurkishText::formatAmount()
{
    QFETCH(qint64, kurus);
    QFETCH(QString, group);
    QFETCH(QString, decimal);
    const text::NumberMarks marks{group.toStdString(), decimal.toStdString()};
    QFETCH(QString, display);
    QFETCH(QString, edit);
    QCOMPARE(QString::fromStdString(text::formatAmountDisplay(kurus, marks)), display);
    QCOMPARE(QString::fromStdString(text::formatAmountEdit(kurus, marks)), edit);
}

void tst_TurkishText::parseAmount_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint64>("kurus");
    QTest::newRow("edit form") << "1234567,50" << true << qint64(123456750);
    QTest::newRow("display form") << "1.234.567,50" << true << qint64(123456750);
    QTest::newRow("whole lira") << "12" << true << qint64(1200);
    QTest::newRow("one decimal") << "12,5" << true << qint64(1250);
    QTest::newRow("blanks around") << "  7,00 " << true << qint64(700);
    QTest::newRow("negative") << "-3,25" << true << qint64(-325);
    QTest::newRow("group marks where they belong") << "12.345.678" << true << qint64(1234567800);
    QTest::newRow("group mark in the wrong place") << "1250.50" << false << qint64(0);
    QTest::newRow("short last group") << "1.23,00" << false << qint64(0);
    QTest::newRow("group mark first") << ".123" << false << qint64(0);
    QTest::newRow("three decimals") << "1,234" << false << qint64(0);
    QTest::newRow("two decimal marks") << "1,2,3" << false << qint64(0);
    QTest::newRow("letters") << "12a" << false << qint64(0);
    QTest::newRow("empty") << "" << false << qint64(0);
    QTest::newRow("too large") << "999999999999999999999" << false << qint64(0);
}

void tst_TurkishText::parseAmount()
{
    QFETCH(QString, input);
    QFETCH(bool, valid);
    std::string reason;
    const auto amount = text::parseAmount(input.toStdString(), text::NumberMarks{".", ","}, &reason);
    QCOMPARE(amount.has_value(), valid);
    QFETCH(qint64, kurus);
    if (valid)
        QCOMPARE(*amount, kurus);
    else
        QVERIFY(!reason.empty());
}

QTEST_APPLESS_MAIN(tst_TurkishText)
#include "tst_turkishtext.moc"
