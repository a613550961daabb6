#include "reports/reportformat.h"

#include <QLocale>
#include <QTest>

using reports::formatNumber;

class tst_ReportFormat : public QObject
{
    Q_OBJECT

private slots:
    void amountMask_data();
    void amountMask();
    void otherMasks_data();
    void otherMasks();
    void values_data();
    void values();
};

void tst_ReportFormat::amountMask_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<qint64>("kurus");
    QTest::addColumn<QString>("expected");

    QTest::newRow("Turkish: one thousand and a half") << "tr_TR" << qint64(100050) << "1.000,50";
    QTest::newRow("Turkish: zero") << "tr_TR" << qint64(0) << "0,00";
    QTest::newRow("Turkish: under one lira") << "tr_TR" << qint64(5) << "0,05";
    QTest::newRow("Turkish: millions") << "tr_TR" << qint64(123456789012) << "1.234.567.890,12";
    QTest::newRow("Turkish: negative") << "tr_TR" << qint64(-100050) << "-1.000,50";
    QTest::newRow("English: one thousand and a half") << "en_US" << qint64(100050) << "1,000.50";
    QTest::newRow("English: zero") << "en_US" << qint64(0) << "0.00";
    QTest::newRow("English: hundreds need no group") << "en_US" << qint64(99999) << "999.99";
}

void tst_ReportFormat::amountMask()
{
    QFETCH(QString, locale);
    QFETCH(qint64, kurus);
    QFETCH(QString, expected);

    const text::NumberMarks marks = reports::marksFromLocale(QLocale(locale));
    QCOMPARE(formatNumber(kurus, 2, QStringLiteral("#,###0.00"), marks), expected);
    // Money shown through a field goes the same way.
    QCOMPARE(reports::formatValue(engine::Value(std::int64_t(kurus)), engine::FieldType::Money,
                                  QStringLiteral("#,###0.00"), marks),
             expected);
}

void tst_ReportFormat::otherMasks_data()
{
    QTest::addColumn<qint64>("units");
    QTest::addColumn<int>("scale");
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("expected");

    QTest::newRow("edit form: no grouping") << qint64(123456) << 2 << "###0.00" << "1234,56";
    QTest::newRow("no mask: plain with two decimals") << qint64(123456) << 2 << "" << "1234,56";
    QTest::newRow("one decimal rounds half up") << qint64(105) << 2 << "#,##0.0" << "1,1";
    QTest::newRow("optional decimals dropped when zero") << qint64(1200) << 2 << "0.##" << "12";
    QTest::newRow("whole number, grouped") << qint64(1234567) << 0 << "#,##0" << "1.234.567";
    QTest::newRow("largest amount") << std::numeric_limits<qint64>::max() << 2 << "#,##0.00"
                                    << "92.233.720.368.547.758,07";
    QTest::newRow("smallest amount") << std::numeric_limits<qint64>::min() << 2 << "#,##0.00"
                                     << "-92.233.720.368.547.758,08";
}

void tst_ReportFormat::otherMasks()
{
    QFETCH(qint64, units);
    QFETCH(int, scale);
    QFETCH(QString, mask);
    QFETCH(QString, expected);

    QCOMPARE(formatNumber(units, scale, mask, text::NumberMarks{".", ","}), expected);
}

void tst_ReportFormat::values_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("expected");

    QTest::newRow("date as dd.mm.yyyy") << 0 << "05.01.2002";
    QTest::newRow("text as stored") << 1 << "Çağlar İnşaat Ltd.";
    QTest::newRow("null prints nothing") << 2 << "";
    QTest::newRow("impossible date prints nothing") << 3 << "";
}

void tst_ReportFormat::values()
{
    QFETCH(int, kind);
    QFETCH(QString, expected);

    engine::Value value;
    engine::FieldType type = engine::FieldType::Char;
    switch (kind) {
    case 0: value = text::Date{2002, 1, 5}; type = engine::FieldType::Date; break;
    case 1: value = std::string("Çağlar İnşaat Ltd."); break;
    case 2: break;
    case 3: value = text::Date{2023, 2, 29}; type = engine::FieldType::Date; break;
    }
    QCOMPARE(reports::formatValue(value, type, {}, text::NumberMarks{".", ","}), expected);
}

QTEST_APPLESS_MAIN(tst_ReportFormat)
#include "tst_reportformat.moc"
