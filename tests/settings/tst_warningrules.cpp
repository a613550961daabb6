#include "settings/warningrules.h"

#include <QtTest>

using settings::WarningRules;

class tst_WarningRules : public QObject
{
    Q_OBJECT

private slots:
    void warningDate_data();
    void warningDate();
    void colourRow_data();
    void colourRow();
    void statusTexts_data();
    void statusTexts();
    void blinkStep_data();
    void blinkStep();
};

void tst_WarningRules::warningDate_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("days");
    QTest::addColumn<QDate>("expected");

    QTest::newRow("no warning days is today") << QDate(2005, 3, 15) << 0 << QDate(2005, 3, 15);
    QTest::newRow("one day is tomorrow") << QDate(2005, 3, 15) << 1 << QDate(2005, 3, 16);
    QTest::newRow("across a leap day") << QDate(2004, 2, 28) << 2 << QDate(2004, 3, 1);
    QTest::newRow("255 days across a year") << QDate(2005, 12, 1) << 255 << QDate(2006, 8, 13);
}

void tst_WarningRules::warningDate()
{
    QFETCH(QDate, today);
    QFETCH(int, days);
    QFETCH(QDate, expected);
    QCOMPARE(WarningRules::warningDate(today, days), expected);
}

void tst_WarningRules::colourRow_data()
{
    QTest::addColumn<bool>("open");
    QTest::addColumn<bool>("on");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<QDate>("due");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("coloured");

    const QDate today(2005, 3, 15);
    QTest::newRow("due today, no warning days") << true << true << false << today << 0 << true;
    QTest::newRow("due on the warning date")
        << true << true << false << today.addDays(1) << 1 << true;
    QTest::newRow("due today with one warning day") << true << true << false << today << 1 << false;
    QTest::newRow("overdue") << true << true << false << today.addDays(-1) << 0 << false;
    QTest::newRow("due after the warning date")
        << true << true << false << today.addDays(2) << 1 << false;
    QTest::newRow("no due date") << true << true << false << QDate() << 0 << false;
    QTest::newRow("selected row keeps selection colours")
        << true << true << true << today << 0 << false;
    QTest::newRow("colouring switched off") << true << false << false << today << 0 << false;
    QTest::newRow("main window not open yet") << false << true << false << today << 0 << false;
}

void tst_WarningRules::colourRow()
{
    QFETCH(bool, open);
    QFETCH(bool, on);
    QFETCH(bool, selected);
    QFETCH(QDate, due);
    QFETCH(int, days);
    QFETCH(bool, coloured);

    QCOMPARE(WarningRules::colourRow(open, on, selected, due, QDate(2005, 3, 15), days), coloured);
}

void tst_WarningRules::statusTexts_data()
{
    QTest::addColumn<qint64>("rows");
    QTest::addColumn<qint64>("due");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("dueText");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("blinks");

    QTest::newRow("three due")
        << qint64(12) << qint64(3) << QDate(2005, 3, 15)
        << QStringLiteral("Gösterilen Çek Sayısı :12")
        << QStringLiteral(
               "Vadesi Dolan Çek Sayısı:3  | Uyarı sistemine göre aranan tarih:15.03.2005 |")
        << QStringLiteral("Rapor için çift tıklayın...") << true;
    QTest::newRow("none due")
        << qint64(0) << qint64(0) << QDate(2005, 1, 2) << QStringLiteral("Gösterilen Çek Sayısı :0")
        << QStringLiteral(
               "Vadesi Dolan Çek Sayısı:0  | Uyarı sistemine göre aranan tarih:02.01.2005 |")
        << QString() << false;
    QTest::newRow("large counts")
        << qint64(1000000) << qint64(12345) << QDate(2026, 12, 31)
        << QStringLiteral("Gösterilen Çek Sayısı :1000000")
        << QStringLiteral(
               "Vadesi Dolan Çek Sayısı:12345  | Uyarı sistemine göre aranan tarih:31.12.2026 |")
        << QStringLiteral("Rapor için çift tıklayın...") << true;
}

void tst_WarningRules::statusTexts()
{
    QFETCH(qint64, rows);
    QFETCH(qint64, due);
    QFETCH(QDate, date);
    QFETCH(QString, shown);
    QFETCH(QString, dueText);
    QFETCH(QString, hint);
    QFETCH(bool, blinks);

    QCOMPARE(WarningRules::shownCountText(rows), shown);
    QCOMPARE(WarningRules::dueCountText(due, date), dueText);
    QCOMPARE(WarningRules::dueCountHint(due), hint);
    QCOMPARE(WarningRules::dueCountHint(due).isNull(), hint.isNull());
    QCOMPARE(WarningRules::blinks(due), blinks);
}

void tst_WarningRules::blinkStep_data()
{
    QTest::addColumn<QColor>("current");
    QTest::addColumn<QColor>("next");

    const QColor green(0, 128, 0);
    const QColor blue(0, 0, 255);
    QTest::newRow("green becomes blue") << green << blue;
    QTest::newRow("blue becomes green") << blue << green;
    QTest::newRow("any other colour becomes green") << QColor(0, 129, 0) << green;
    QTest::newRow("no colour becomes green") << QColor() << green;
}

void tst_WarningRules::blinkStep()
{
    QFETCH(QColor, current);
    QFETCH(QColor, next);
    QCOMPARE(WarningRules::nextBlinkColour(current), next);
}

QTEST_GUILESS_MAIN(tst_WarningRules)

#include "tst_warningrules.moc"
