#include "forms/info/captionsuffix.h"

#include <QSet>
#include <QtTest>

using namespace forms;

class tst_CaptionSuffix : public QObject
{
    Q_OBJECT

private slots:
    void unscrambles_data();
    void unscrambles();
    void tablePairsEachByteAndCharacterOnce();
    void givesTheCaptionSuffix();
};

void tst_CaptionSuffix::unscrambles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("empty input gives empty text") << QByteArray() << QString();
    for (const Substitution &s : substitutionTable()) {
        const QString name = QStringLiteral("byte 0x%1 gives U+%2")
                                 .arg(int(s.byte), 2, 16, QLatin1Char('0'))
                                 .arg(int(s.character), 4, 16, QLatin1Char('0'));
        QTest::newRow(qPrintable(name)) << QByteArray(1, char(s.byte)) << QString(QChar(s.character));
    }
    QTest::newRow("byte 0x00 is unknown") << QByteArray(1, '\0') << QStringLiteral("*");
    QTest::newRow("byte 0xff is unknown") << QByteArray(1, char(0xff)) << QStringLiteral("*");
    QTest::newRow("ASCII '.' is not itself") << QByteArrayLiteral(".") << QStringLiteral("*");
    QTest::newRow("unknown bytes keep their place")
        << QByteArrayLiteral("\x82\x00\xb5\xff") << QStringLiteral("A*Ç*");
    QTest::newRow("CR LF") << QByteArrayLiteral("\x17\x28") << QStringLiteral("\r\n");
}

void tst_CaptionSuffix::unscrambles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(unscramble(bytes), text);
}

void tst_CaptionSuffix::tablePairsEachByteAndCharacterOnce()
{
    const auto table = substitutionTable();
    QCOMPARE(table.size(), std::size_t(101));
    QSet<int> bytes;
    QSet<QChar> characters;
    for (const Substitution &s : table) {
        bytes.insert(s.byte);
        characters.insert(QChar(s.character));
    }
    QCOMPARE(bytes.size(), 101);
    QCOMPARE(characters.size(), 101);
    QVERIFY2(!characters.contains(u'*'), "the unknown-byte mark must not be in the table");
    const QString needed = QStringLiteral("ABCÇDEFGĞHIİJKLMNOÖPRSŞTUÜVYZabcçdefgğhıijklmnoöprsştuüvyz0123456789 \r\n.,:;!?-");
    for (const QChar c : needed)
        QVERIFY2(characters.contains(c), qPrintable(QStringLiteral("missing %1").arg(c)));
}

void tst_CaptionSuffix::givesTheCaptionSuffix()
{
    QCOMPARE(captionSuffix(), QStringLiteral(" - Çek Takip Programı"));
    QCOMPARE(scrambledCaptionSuffix().size(), captionSuffix().size());
    QVERIFY(!scrambledCaptionSuffix().contains("Takip"));
}

QTEST_APPLESS_MAIN(tst_CaptionSuffix)
#include "tst_captionsuffix.moc"
