#include "settings/colourcode.h"
#include "settings/warningsettings.h"
#include "settings/wholenumber.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "readonlypath.h"

#include <QtTest>

using settings::ColourCode;
using settings::IniFile;
using settings::WarningSettings;

namespace {

const QDate kToday(2005, 3, 1);

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray section(const QByteArray &lines)
{
    return "[CEK_AYARLARI]\r\n" + lines;
}

} // namespace

Q_DECLARE_METATYPE(settings::ColourCode)

class tst_WarningSettings : public QObject
{
    Q_OBJECT

private slots:
    void wholeNumber_data();
    void wholeNumber();
    void load_data();
    void load();
    void colourToText_data();
    void colourToText();
    void systemColoursFollowPalette_data();
    void systemColoursFollowPalette();
    void clampedDays_data();
    void clampedDays();
    void saveWritesNewFileInOrder();
    void saveKeepsRestOfFile();
    void saveThenLoadGivesSameSettings();
    void saveRefusesFileItCannotRead();
    void failedSaveLeavesFileAsItWas_data();
    void failedSaveLeavesFileAsItWas();
};

void tst_WarningSettings::wholeNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");

    QTest::newRow("decimal") << "300" << true << 300;
    QTest::newRow("negative") << "-1" << true << -1;
    QTest::newRow("plus sign") << "+7" << true << 7;
    QTest::newRow("blanks") << "  12 " << true << 12;
    QTest::newRow("dollar hex") << "$1f" << true << 31;
    QTest::newRow("0x hex") << "0x10" << true << 16;
    QTest::newRow("0X hex") << "0XfF" << true << 255;
    QTest::newRow("negative hex") << "-$10" << true << -16;
    QTest::newRow("eight hex digits wrap") << "$FFFFFFFF" << true << -1;
    QTest::newRow("leading zeros") << "$000000000001" << true << 1;
    QTest::newRow("largest decimal") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest decimal") << "-2147483648" << true << int(-2147483648LL);
    QTest::newRow("decimal overflow") << "2147483648" << false << 0;
    QTest::newRow("hex overflow") << "$100000000" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("lone dollar") << "$" << false << 0;
    QTest::newRow("lone 0x") << "0x" << false << 0;
    QTest::newRow("letters") << "on" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
    QTest::newRow("trailing text") << "12gün" << false << 0;
    QTest::newRow("hex digit in decimal") << "1a" << false << 0;
    QTest::newRow("blank inside") << "1 2" << false << 0;
    QTest::newRow("Arabic-Indic digits") << "٣" << false << 0;
}

void tst_WarningSettings::wholeNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);

    const std::optional<qint32> read = settings::parseWholeNumber(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, value);
}

void tst_WarningSettings::load_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("colouring");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("dueText");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("problemsQuote"); // one entry per expected problem

    const QStringList none;
    QTest::newRow("no file") << false << QByteArray() << true << 0 << "clBlue"
                             << "clYellow" << none;
    QTest::newRow("empty file") << true << QByteArray() << true << 0 << "clBlue"
                                << "clYellow" << none;
    QTest::newRow("other section only")
        << true << QByteArray("[BASKA]\nGUN=5\n") << true << 0 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("every key")
        << true << section("RENK_DURUMU=0\r\nVADEDOL=clRed\r\nSECILEN=$0000FF00\r\nGUN=5\r\n")
        << false << 5 << "clRed"
        << "clLime" << none;
    QTest::newRow("switch: any other number is on")
        << true << section("RENK_DURUMU=-7\r\n") << true << 0 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("switch: $0 is off")
        << true << section("RENK_DURUMU=$0\r\n") << false << 0 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("switch: 0x0 is off")
        << true << section("RENK_DURUMU=0x0\r\n") << false << 0 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("switch: letters count as missing")
        << true << section("RENK_DURUMU=hayır\r\n") << true << 0 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("switch: empty counts as missing")
        << true << section("RENK_DURUMU=\r\n") << true << 0 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("GUN 1") << true << section("GUN=1\r\n") << true << 1 << "clBlue"
                           << "clYellow" << none;
    QTest::newRow("GUN 300 gives 44") << true << section("GUN=300\r\n") << true << 44 << "clBlue"
                                      << "clYellow" << none;
    QTest::newRow("GUN -1 gives 255") << true << section("GUN=-1\r\n") << true << 255 << "clBlue"
                                      << "clYellow" << none;
    QTest::newRow("GUN letters give 0") << true << section("GUN=abc\r\n") << true << 0 << "clBlue"
                                        << "clYellow" << none;
    QTest::newRow("GUN $1F") << true << section("GUN=$1F\r\n") << true << 31 << "clBlue"
                             << "clYellow" << none;
    QTest::newRow("GUN 0x10") << true << section("GUN=0x10\r\n") << true << 16 << "clBlue"
                              << "clYellow" << none;
    QTest::newRow("GUN 0X10") << true << section("GUN=0X10\r\n") << true << 16 << "clBlue"
                              << "clYellow" << none;
    QTest::newRow("GUN -$10 gives 240")
        << true << section("GUN=-$10\r\n") << true << 240 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("GUN $FFFFFFFF gives 255")
        << true << section("GUN=$FFFFFFFF\r\n") << true << 255 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("GUN too large for a number gives 0")
        << true << section("GUN=4294967296\r\n") << true << 0 << "clBlue"
        << "clYellow" << none;
    QTest::newRow("GUN 1.5 gives 0") << true << section("GUN=1.5\r\n") << true << 0 << "clBlue"
                                     << "clYellow" << none;
    QTest::newRow("GUN with blanks") << true << section("GUN =  7 \r\n") << true << 7 << "clBlue"
                                     << "clYellow" << none;
    QTest::newRow("section and keys in any ASCII case")
        << true << QByteArray("[cek_ayarlari]\nrenk_durumu=0\ngun=2\nVadeDol=clgreen\n") << false
        << 2 << "clGreen"
        << "clYellow" << none;
    QTest::newRow("red in lower case")
        << true << section("VADEDOL=clred\r\n") << true << 0 << "clRed"
        << "clYellow" << none;
    QTest::newRow("SECILEN $0000FF00 is lime")
        << true << section("SECILEN=$0000FF00\r\n") << true << 0 << "clBlue"
        << "clLime" << none;
    QTest::newRow("colour as decimal") << true << section("VADEDOL=255\r\n") << true << 0 << "clRed"
                                       << "clYellow" << none;
    QTest::newRow("colour as other decimal")
        << true << section("VADEDOL=123456\r\n") << true << 0 << "$0001E240"
        << "clYellow" << none;
    QTest::newRow("colour as 0x") << true << section("VADEDOL=0xFF\r\n") << true << 0 << "clRed"
                                  << "clYellow" << none;
    QTest::newRow("colour high byte dropped")
        << true << section("VADEDOL=$12345678\r\n") << true << 0 << "$00345678"
        << "clYellow" << none;
    QTest::newRow("system colour name")
        << true << section("VADEDOL=clbtnface\r\nSECILEN=CLINFOBK\r\n") << true << 0 << "clBtnFace"
        << "clInfoBk" << none;
    QTest::newRow("system colour as its number")
        << true << section("VADEDOL=-16777201\r\n") << true << 0 << "clBtnFace"
        << "clYellow" << none;
    QTest::newRow("clNone and clDefault")
        << true << section("VADEDOL=clNone\r\nSECILEN=cldefault\r\n") << true << 0 << "clNone"
        << "clDefault" << none;
    QTest::newRow("bad colour keeps its default, reading goes on")
        << true << section("RENK_DURUMU=1\r\nVADEDOL=kırmızı\r\nSECILEN=clRed\r\nGUN=3\r\n") << true
        << 3 << "clBlue"
        << "clRed" << QStringList{"'kırmızı'"};
    QTest::newRow("both colours bad")
        << true << section("VADEDOL=clRedd\r\nSECILEN=$GG\r\n") << true << 0 << "clBlue"
        << "clYellow" << QStringList{"'clRedd'", "'$GG'"};
    QTest::newRow("empty colour text") << true << section("SECILEN=\r\n") << true << 0 << "clBlue"
                                       << "clYellow" << QStringList{"SECILEN"};
    QTest::newRow("Windows-1254 bytes")
        << true << section("GUN=\xFE\r\nVADEDOL=\xDD\r\n") << true << 0 << "clBlue"
        << "clYellow" << QStringList{"'İ'"};
    QByteArray huge = section("GUN=5\r\n");
    huge.append(IniFile::MaxFileSize, ' ');
    QTest::newRow("file too large") << true << huge << true << 0 << "clBlue"
                                    << "clYellow" << QStringList{"Ayarlar.ini"};
}

void tst_WarningSettings::load()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, file);
    QFETCH(bool, colouring);
    QFETCH(int, days);
    QFETCH(QString, dueText);
    QFETCH(QString, second);
    QFETCH(QStringList, problemsQuote);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(WarningSettings::fileName());
    if (exists)
        QVERIFY(writeFile(path, file));

    const WarningSettings::LoadResult result = WarningSettings::load(path, kToday);
    const WarningSettings &s = result.settings;
    QCOMPARE(s.colouring, colouring);
    QCOMPARE(int(s.warningDays), days);
    QCOMPARE(s.dueTextColour.toText(), dueText);
    QCOMPARE(s.secondColour.toText(), second);
    QCOMPARE(s.warningDate, kToday.addDays(days));

    QCOMPARE(result.problems.size(), problemsQuote.size());
    for (qsizetype i = 0; i < problemsQuote.size(); ++i)
        QVERIFY2(result.problems.at(i).contains(problemsQuote.at(i)),
                 qPrintable(result.problems.at(i)));

    // The loader only reads.
    QCOMPARE(QFile::exists(path), exists);
    if (exists)
        QCOMPARE(readFile(path), file);
}

void tst_WarningSettings::colourToText_data()
{
    QTest::addColumn<ColourCode>("colour");
    QTest::addColumn<QString>("text");

    QTest::newRow("pure blue is clBlue") << ColourCode::fromColor(QColor(0, 0, 255)) << "clBlue";
    QTest::newRow("RGB(255,128,0)") << ColourCode::fromColor(QColor(255, 128, 0)) << "$000080FF";
    QTest::newRow("white") << ColourCode::fromBgr(0xFFFFFF) << "clWhite";
    QTest::newRow("money green") << ColourCode::fromBgr(0xC0DCC0) << "clMoneyGreen";
    QTest::newRow("unnamed colour, upper-case digits")
        << ColourCode::fromBgr(0xABCDEF) << "$00ABCDEF";
    QTest::newRow("black") << ColourCode() << "clBlack";
    QTest::newRow("system colour keeps its name")
        << *ColourCode::fromText(u"clHighlight") << "clHighlight";
    QTest::newRow("clNone") << ColourCode::none() << "clNone";
    QTest::newRow("clDefault") << ColourCode::defaultColour() << "clDefault";
}

void tst_WarningSettings::colourToText()
{
    QFETCH(ColourCode, colour);
    QFETCH(QString, text);

    QCOMPARE(colour.toText(), text);
    QCOMPARE(ColourCode::fromText(text), std::optional<ColourCode>(colour));
}

void tst_WarningSettings::systemColoursFollowPalette_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("clBtnFace is the button colour") << "clBtnFace" << QColor(1, 2, 3);
    QTest::newRow("clWindow is the base colour") << "clWindow" << QColor(4, 5, 6);
    QTest::newRow("clHighlight") << "clHighlight" << QColor(7, 8, 9);
    QTest::newRow("clBackground is a fixed desktop colour")
        << "clBackground" << QColor(58, 110, 165);
    QTest::newRow("clNone has no colour") << "clNone" << QColor();
    QTest::newRow("clDefault has no colour") << "clDefault" << QColor();
    QTest::newRow("plain colour") << "$000080FF" << QColor(255, 128, 0);
    QTest::newRow("named colour") << "clYellow" << QColor(255, 255, 0);
}

void tst_WarningSettings::systemColoursFollowPalette()
{
    QFETCH(QString, text);
    QFETCH(QColor, expected);

    QPalette palette;
    palette.setColor(QPalette::Button, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, QColor(4, 5, 6));
    palette.setColor(QPalette::Highlight, QColor(7, 8, 9));

    const std::optional<ColourCode> colour = ColourCode::fromText(text);
    QVERIFY(colour);
    QCOMPARE(colour->toColor(palette), expected);
}

void tst_WarningSettings::clampedDays_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("clamped");

    QTest::newRow("negative") << -5 << 0;
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("99") << 99 << 99;
    QTest::newRow("100") << 100 << 99;
    QTest::newRow("255") << 255 << 99;
}

void tst_WarningSettings::clampedDays()
{
    QFETCH(int, days);
    QFETCH(int, clamped);
    QCOMPARE(int(WarningSettings::clampedDays(days)), clamped);
}

void tst_WarningSettings::saveWritesNewFileInOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(WarningSettings::fileName());

    WarningSettings s;
    s.colouring = true;
    s.dueTextColour = ColourCode::fromColor(QColor(255, 128, 0));
    s.warningDays = 200;
    const IniFile::Status status = s.save(path);
    QVERIFY2(status.ok(), qPrintable(status.message));
    QCOMPARE(readFile(path), QByteArray("[CEK_AYARLARI]\r\nRENK_DURUMU=1\r\nVADEDOL=$"
                                        "000080FF\r\nSECILEN=clYellow\r\nGUN=99\r\n"));

    s.colouring = false;
    s.secondColour = ColourCode::fromColor(QColor(0, 0, 255));
    s.warningDays = 0;
    QVERIFY(s.save(path).ok());
    QCOMPARE(
        readFile(path),
        QByteArray(
            "[CEK_AYARLARI]\r\nRENK_DURUMU=0\r\nVADEDOL=$000080FF\r\nSECILEN=clBlue\r\nGUN=0\r\n"));
}

void tst_WarningSettings::saveKeepsRestOfFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(WarningSettings::fileName());
    QVERIFY(writeFile(path,
                      "; Selvora ayarları\n[DIGER]\nA=1\n\n[cek_ayarlari]\ngun=4\nNOT=kalsın\n"
                      "VADEDOL=clRed\n\n[SON]\nB=2"));

    WarningSettings s;
    s.warningDays = 7;
    QVERIFY(s.save(path).ok());
    QCOMPARE(readFile(path),
             QByteArray("; Selvora ayarları\n[DIGER]\nA=1\n\n[cek_ayarlari]\ngun=7\nNOT=kalsın\n"
                        "VADEDOL=clBlue\nRENK_DURUMU=1\nSECILEN=clYellow\n\n[SON]\nB=2"));
}

void tst_WarningSettings::saveThenLoadGivesSameSettings()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(WarningSettings::fileName());

    WarningSettings s;
    s.colouring = false;
    s.dueTextColour = *ColourCode::fromText(u"clBtnFace");
    s.secondColour = ColourCode::fromBgr(0x123456);
    s.warningDays = 45;
    s.warningDate = kToday.addDays(45);
    QVERIFY(s.save(path).ok());

    const WarningSettings::LoadResult loaded = WarningSettings::load(path, kToday);
    QVERIFY(loaded.problems.isEmpty());
    QCOMPARE(loaded.settings, s);
}

void tst_WarningSettings::saveRefusesFileItCannotRead()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(WarningSettings::fileName());
    QByteArray huge = section("GUN=5\r\n");
    huge.append(IniFile::MaxFileSize, ';');
    QVERIFY(writeFile(path, huge));

    const IniFile::Status status = WarningSettings().save(path);
    QCOMPARE(status.code, IniFile::Status::Code::WriteFailed);
    QVERIFY2(status.message.contains(QDir::toNativeSeparators(path)), qPrintable(status.message));
    QCOMPARE(readFile(path), huge);
}

void tst_WarningSettings::failedSaveLeavesFileAsItWas_data()
{
    QTest::addColumn<bool>("readOnlyFolder");

    QTest::newRow("read-only folder") << true;
    QTest::newRow("folder missing") << false;
}

void tst_WarningSettings::failedSaveLeavesFileAsItWas()
{
    QFETCH(bool, readOnlyFolder);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QString path = dir.filePath(WarningSettings::fileName());
    const QByteArray original = section("RENK_DURUMU=1\r\nGUN=2\r\n");
    QVERIFY(writeFile(path, original));

    std::optional<ReadOnlyPath> readOnly;
    if (readOnlyFolder) {
        readOnly.emplace(dir.path());
        if (!readOnly->holds())
            QSKIP("nothing keeps this user from writing here");
    } else {
        path = dir.filePath(QStringLiteral("Veriler/yok/Ayarlar.ini"));
    }

    WarningSettings s;
    s.colouring = false;
    s.warningDays = 9;
    const IniFile::Status status = s.save(path);
    if (readOnly)
        readOnly->restore();

    QCOMPARE(status.code, IniFile::Status::Code::WriteFailed);
    QVERIFY2(status.message.contains(QDir::toNativeSeparators(path)), qPrintable(status.message));
    QCOMPARE(readFile(dir.filePath(WarningSettings::fileName())), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"Ayarlar.ini"}));
}

QTEST_MAIN(tst_WarningSettings)

#include "tst_warningsettings.moc"
