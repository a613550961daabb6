#include "legacy/codepage.h"
#include "legacy/paradoxdecode.h"

#include <QtTest>

using legacy::FieldType;

namespace {

std::span<const std::uint8_t> bytesOf(const QByteArray &bytes)
{
    return {reinterpret_cast<const std::uint8_t *>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

} // namespace

class tst_ParadoxDecode : public QObject
{
    Q_OBJECT

private slots:
    void decodesFixedFields_data();
    void decodesFixedFields();
    void refusesValuesThatNameNothing_data();
    void refusesValuesThatNameNothing();
    void convertsDayNumbers_data();
    void convertsDayNumbers();
    void decodesCodePages_data();
    void decodesCodePages();
    void refusesBytesWithoutCharacter_data();
    void refusesBytesWithoutCharacter();
    void roundsMoneyToKurus_data();
    void roundsMoneyToKurus();
};

void tst_ParadoxDecode::decodesFixedFields_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<QString>("expected");

    const int shortType = int(FieldType::Short);
    const int longType = int(FieldType::Long);
    const int number = int(FieldType::Number);
    const int date = int(FieldType::Date);
    const int time = int(FieldType::Time);
    const int timestamp = int(FieldType::Timestamp);
    const int logical = int(FieldType::Logical);
    const int bcd = int(FieldType::Bcd);

    QTest::newRow("Short NULL") << shortType << QByteArray("0000") << "NULL";
    QTest::newRow("Short 1") << shortType << QByteArray("8001") << "1";
    QTest::newRow("Short -1") << shortType << QByteArray("7fff") << "-1";
    QTest::newRow("Short 256") << shortType << QByteArray("8100") << "256";
    QTest::newRow("Short -32767") << shortType << QByteArray("0001") << "-32767";
    QTest::newRow("Short 32767") << shortType << QByteArray("ffff") << "32767";
    QTest::newRow("Long NULL") << longType << QByteArray("00000000") << "NULL";
    QTest::newRow("Long 1") << longType << QByteArray("80000001") << "1";
    QTest::newRow("Long -2") << longType << QByteArray("7ffffffe") << "-2";
    QTest::newRow("Long 2147483647") << longType << QByteArray("ffffffff") << "2147483647";
    QTest::newRow("Long -2147483647") << longType << QByteArray("00000001") << "-2147483647";
    QTest::newRow("AutoInc 20") << int(FieldType::AutoInc) << QByteArray("80000014") << "20";
    QTest::newRow("Number NULL") << number << QByteArray("0000000000000000") << "NULL";
    QTest::newRow("Number 100.5") << number << QByteArray("c059200000000000") << "100.5";
    QTest::newRow("Number -100.5") << number << QByteArray("3fa6dfffffffffff") << "-100.5";
    QTest::newRow("Number 0") << number << QByteArray("8000000000000000") << "0";
    QTest::newRow("Money -1.387") << int(FieldType::Money) << QByteArray("4009ced916872b01") << "-1.387";
    QTest::newRow("Date NULL") << date << QByteArray("00000000") << "NULL";
    QTest::newRow("Date day 1 is 0001-01-01") << date << QByteArray("80000001") << "0001-01-01";
    QTest::newRow("Date 1969-12-31") << date << QByteArray("800af93a") << "1969-12-31";
    QTest::newRow("Date 1970-01-01") << date << QByteArray("800af93b") << "1970-01-01";
    QTest::newRow("Date 1996-05-04") << date << QByteArray("800b1ecf") << "1996-05-04";
    QTest::newRow("Date 2000-02-29") << date << QByteArray("800b2443") << "2000-02-29";
    QTest::newRow("Time midnight is no NULL") << time << QByteArray("80000000") << "00:00:00.000";
    QTest::newRow("Time 10:30") << time << QByteArray("8240c840") << "10:30:00.000";
    QTest::newRow("Time 23:59:59.999") << time << QByteArray("85265bff") << "23:59:59.999";
    QTest::newRow("Timestamp NULL") << timestamp << QByteArray("0000000000000000") << "NULL";
    QTest::newRow("Timestamp 0001-01-01 midnight") << timestamp << QByteArray("c194997000000000")
                                                   << "0001-01-01 00:00:00.000";
    QTest::newRow("Timestamp 1970-01-01 10:00") << timestamp << QByteArray("c2cc418cbc428000")
                                                << "1970-01-01 10:00:00.000";
    QTest::newRow("Timestamp 2018-02-01 10:30:00.250") << timestamp << QByteArray("c2ccf2341ed89d00")
                                                       << "2018-02-01 10:30:00.250";
    QTest::newRow("Logical NULL") << logical << QByteArray("00") << "NULL";
    QTest::newRow("Logical false") << logical << QByteArray("80") << "false";
    QTest::newRow("Logical true") << logical << QByteArray("81") << "true";
    QTest::newRow("BCD NULL") << bcd << QByteArray(34, '0') << "NULL";
    QTest::newRow("BCD 123.45") << bcd << QByteArray("82" + QByteArray(27, '0') + "12345") << "123.45";
    QTest::newRow("BCD -1.50") << bcd << QByteArray("02" + QByteArray(28, 'f') + "feaf") << "-1.50";
    QTest::newRow("BCD 42 without decimals") << bcd << QByteArray("80" + QByteArray(30, '0') + "42") << "42";
    QTest::newRow("BCD 0.05") << bcd << QByteArray("82" + QByteArray(30, '0') + "05") << "0.05";
    QTest::newRow("Bytes") << int(FieldType::Bytes) << QByteArray("0102ff") << "bytes(3)";
}

void tst_ParadoxDecode::decodesFixedFields()
{
    QFETCH(int, type);
    QFETCH(QByteArray, hex);
    QFETCH(QString, expected);

    const QByteArray bytes = QByteArray::fromHex(hex);
    std::string reason;
    const auto value = legacy::paradox::decodeFixed(FieldType(type), bytesOf(bytes), &reason);
    QVERIFY2(value, reason.c_str());
    QCOMPARE(QString::fromStdString(legacy::describe(*value)), expected);
}

void tst_ParadoxDecode::refusesValuesThatNameNothing_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("Date day 0") << int(FieldType::Date) << QByteArray("80000000");
    QTest::newRow("Date negative day") << int(FieldType::Date) << QByteArray("7fffffff");
    QTest::newRow("Date after 9999-12-31") << int(FieldType::Date) << QByteArray("80b78ae6");
    QTest::newRow("Time 24:00") << int(FieldType::Time) << QByteArray("85265c00");
    QTest::newRow("Time negative") << int(FieldType::Time) << QByteArray("7fffffff");
    QTest::newRow("Timestamp before day 1") << int(FieldType::Timestamp) << QByteArray("c08f400000000000");
    QTest::newRow("Timestamp NaN") << int(FieldType::Timestamp) << QByteArray("fff8000000000000");
    QTest::newRow("Logical 0x82") << int(FieldType::Logical) << QByteArray("82");
    QTest::newRow("BCD digit above 9") << int(FieldType::Bcd) << QByteArray("80" + QByteArray(30, '0') + "1a");
    QTest::newRow("BCD scale above 32") << int(FieldType::Bcd) << QByteArray("a1" + QByteArray(32, '0'));
}

void tst_ParadoxDecode::refusesValuesThatNameNothing()
{
    QFETCH(int, type);
    QFETCH(QByteArray, hex);

    const QByteArray bytes = QByteArray::fromHex(hex);
    std::string reason;
    const auto value = legacy::paradox::decodeFixed(FieldType(type), bytesOf(bytes), &reason);
    QVERIFY2(!value, legacy::describe(*value).c_str());
    QVERIFY(!reason.empty());
}

void tst_ParadoxDecode::convertsDayNumbers_data()
{
    QTest::addColumn<qint64>("day");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("dayOfMonth");

    QTest::newRow("first day") << qint64(1) << 1 << 1 << 1;
    QTest::newRow("0001-12-31") << qint64(365) << 1 << 12 << 31;
    QTest::newRow("1970-01-01") << qint64(719163) << 1970 << 1 << 1;
    QTest::newRow("1996-05-04") << qint64(728783) << 1996 << 5 << 4;
    QTest::newRow("leap day 2000") << qint64(730179) << 2000 << 2 << 29;
    QTest::newRow("last day") << qint64(3652059) << 9999 << 12 << 31;
}

void tst_ParadoxDecode::convertsDayNumbers()
{
    QFETCH(qint64, day);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, dayOfMonth);

    const text::Date date{year, month, dayOfMonth};
    QCOMPARE(legacy::paradox::dateFromDayNumber(day), std::optional<text::Date>(date));
    QCOMPARE(legacy::paradox::dayNumberFromDate(date), day);
    QVERIFY(!legacy::paradox::dateFromDayNumber(0));
    QVERIFY(!legacy::paradox::dateFromDayNumber(3652060));
}

void tst_ParadoxDecode::decodesCodePages_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("hex");
    QTest::addColumn<QString>("expected");

    const QString turkish = QStringLiteral("ÇĞİıÖŞÜçğöşü");
    QTest::newRow("857 Turkish letters") << 857 << QByteArray("80a6988d999e9a87a7949f81") << turkish;
    QTest::newRow("1254 Turkish letters") << 1254 << QByteArray("c7d0ddfdd6dedce7f0f6fefc") << turkish;
    QTest::newRow("ASCII with line break") << 857 << QByteArray("610a620d0a09") << "a\nb\r\n\t";
    QTest::newRow("437 u umlaut") << 437 << QByteArray("81e1") << "üß";
    QTest::newRow("850 e acute") << 850 << QByteArray("82") << "é";
    QTest::newRow("1252 e acute and euro") << 1252 << QByteArray("e980") << "é€";
}

void tst_ParadoxDecode::decodesCodePages()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, hex);
    QFETCH(QString, expected);

    const QByteArray bytes = QByteArray::fromHex(hex);
    const auto text = legacy::CodePage(codePage).toUtf8(bytes.toStdString());
    QVERIFY(text);
    QCOMPARE(QString::fromStdString(*text), expected);
}

void tst_ParadoxDecode::refusesBytesWithoutCharacter_data()
{
    QTest::addColumn<int>("codePage");
    QTest::addColumn<QByteArray>("hex");

    QTest::newRow("857 byte D5") << 857 << QByteArray("41d5");
    QTest::newRow("857 byte E7") << 857 << QByteArray("e7");
    QTest::newRow("1254 unused byte 8E") << 1254 << QByteArray("8e");
    QTest::newRow("1252 unused byte 81") << 1252 << QByteArray("4181");
}

void tst_ParadoxDecode::refusesBytesWithoutCharacter()
{
    QFETCH(int, codePage);
    QFETCH(QByteArray, hex);

    const auto text = legacy::CodePage(codePage).toUtf8(QByteArray::fromHex(hex).toStdString());
    QVERIFY2(!text, text ? text->c_str() : "");
}

void tst_ParadoxDecode::roundsMoneyToKurus_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<qint64>("kurus");
    QTest::addColumn<bool>("valid");

    QTest::newRow("whole lira") << 200.0 << qint64(20000) << true;
    QTest::newRow("1234567.5") << 1234567.5 << qint64(123456750) << true;
    QTest::newRow("0.29 held inexactly") << 0.29 << qint64(29) << true;
    QTest::newRow("0.285 rounds up as typed") << 0.285 << qint64(29) << true;
    QTest::newRow("negative -1.387") << -1.387 << qint64(-139) << true;
    QTest::newRow("negative -0.004") << -0.004 << qint64(0) << true;
    QTest::newRow("zero") << 0.0 << qint64(0) << true;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << qint64(0) << false;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << qint64(0) << false;
    QTest::newRow("too large") << 1e300 << qint64(0) << false;
}

void tst_ParadoxDecode::roundsMoneyToKurus()
{
    QFETCH(double, amount);
    QFETCH(qint64, kurus);
    QFETCH(bool, valid);

    const auto result = legacy::toKurus(amount);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, kurus);
}

QTEST_APPLESS_MAIN(tst_ParadoxDecode)
#include "tst_paradoxdecode.moc"
