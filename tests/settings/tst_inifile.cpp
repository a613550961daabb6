#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include "readonlypath.h"

#include <QtTest>

using settings::IniFile;

namespace {

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

IniFile fromData(const QByteArray &data)
{
    IniFile ini;
    ini.setData(data);
    return ini;
}

} // namespace

class tst_IniFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTripKeepsBytes_data();
    void roundTripKeepsBytes();
    void readsValues_data();
    void readsValues();
    void setValueKeepsEverythingElse_data();
    void setValueKeepsEverythingElse();
    void refusesUnwritableNames_data();
    void refusesUnwritableNames();
    void clearSectionKeepsPlace();
    void listsSectionInFileOrder();
    void loadAndSaveFile();
    void loadMissingFile();
    void loadRefusesHugeFile();
    void readsUtf16File();
    void failedSaveLeavesFileAsItWas_data();
    void failedSaveLeavesFileAsItWas();
};

void tst_IniFile::roundTripKeepsBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("LF") << QByteArray("[A]\nx=1\n");
    QTest::newRow("CRLF") << QByteArray("[A]\r\nx=1\r\n");
    QTest::newRow("UTF-8 byte order mark") << QByteArray("\xEF\xBB\xBF[A]\r\nad=Çek\r\n");
    QTest::newRow("no final line break") << QByteArray("[A]\r\nx=1");
    QTest::newRow("comments and blank lines")
        << QByteArray("; top\r\n\r\n[A]\r\n  # note\r\nx = 1 \r\n\r\n\r\n[B]\r\n;end\r\n");
    QTest::newRow("duplicate sections and keys") << QByteArray("[A]\nx=1\nx=2\n[a]\nx=3\n");
    QTest::newRow("Windows-1254 bytes") << QByteArray("[A]\nBA\xDELIK=\xFE\xF0\xFD\n");
    QTest::newRow("stray bytes and NUL") << QByteArray("[A]\n\x01\x00\xFF\xC3=\x80\n", 10);
    QTest::newRow("lines without =") << QByteArray("junk\n[A\n]x\n[A]\nnot a key\n=v\n");
    QTest::newRow("lone CR inside a line") << QByteArray("[A]\nx=1\r2\n");
}

void tst_IniFile::roundTripKeepsBytes()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(fromData(bytes).data(), bytes);
}

void tst_IniFile::readsValues_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected"); // null: no value

    QTest::newRow("plain") << QByteArray("[A]\nx=1\n") << "A"
                           << "x"
                           << "1";
    QTest::newRow("blanks trimmed") << QByteArray("[ A ]\n\t x \t=  a b  \n") << "A"
                                    << "x"
                                    << "a b";
    QTest::newRow("empty value") << QByteArray("[A]\nx=\n") << "A"
                                 << "x"
                                 << "";
    QTest::newRow("value after first =") << QByteArray("[A]\nx=a=b\n") << "A"
                                         << "x"
                                         << "a=b";
    QTest::newRow("quotes kept") << QByteArray("[A]\nx=\"q\"\n") << "A"
                                 << "x"
                                 << "\"q\"";
    QTest::newRow("key ASCII case") << QByteArray("[Cek_Ayarlari]\ngun=3\n") << "CEK_AYARLARI"
                                    << "GUN"
                                    << "3";
    QTest::newRow("non-ASCII case must match") << QByteArray("[A]\nçek=1\n") << "A"
                                               << "ÇEK" << QString();
    QTest::newRow("CRLF value") << QByteArray("[A]\r\nx=1\r\n") << "A"
                                << "x"
                                << "1";
    QTest::newRow("BOM before first section") << QByteArray("\xEF\xBB\xBF[A]\nx=1") << "A"
                                              << "x"
                                              << "1";
    QTest::newRow("first duplicate key wins") << QByteArray("[A]\nx=1\nX=2\n") << "A"
                                              << "x"
                                              << "1";
    QTest::newRow("first duplicate section wins") << QByteArray("[A]\ny=1\n[A]\nx=2\n") << "A"
                                                  << "x" << QString();
    QTest::newRow("key of another section") << QByteArray("[A]\n[B]\nx=1\n") << "A"
                                            << "x" << QString();
    QTest::newRow("key before any section") << QByteArray("x=1\n[A]\n") << "A"
                                            << "x" << QString();
    QTest::newRow("comment is no key") << QByteArray("[A]\n;x=1\n") << "A"
                                       << "x" << QString();
    QTest::newRow("missing section") << QByteArray("[A]\nx=1\n") << "B"
                                     << "x" << QString();
    QTest::newRow("Windows-1254 line") << QByteArray("[A]\nBA\xDELIK=\xFE\xF0\xFD\xDD\n") << "A"
                                       << "BAŞLIK"
                                       << "şğıİ";
    QTest::newRow("UTF-8 line") << QByteArray("[A]\nBAŞLIK=şğıİ\n") << "A"
                                << "BAŞLIK"
                                << "şğıİ";
}

void tst_IniFile::readsValues()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);

    const std::optional<QString> value = fromData(bytes).value(section, key);
    if (expected.isNull()) {
        QVERIFY2(!value, qPrintable(value.value_or(QString())));
    } else {
        QVERIFY(value);
        QCOMPARE(*value, expected);
    }
}

void tst_IniFile::setValueKeepsEverythingElse_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("replace in place, keeping the key's spelling")
        << QByteArray("; c\r\n[A]\r\nGun = 1 \r\nz=2\r\n") << "a"
        << "GUN"
        << "5" << QByteArray("; c\r\n[A]\r\nGun=5\r\nz=2\r\n");
    QTest::newRow("append after the section's last key")
        << QByteArray("[A]\nx=1\n; about B\n\n[B]\ny=2\n") << "A"
        << "new"
        << "v" << QByteArray("[A]\nx=1\nnew=v\n; about B\n\n[B]\ny=2\n");
    QTest::newRow("append to a section without keys")
        << QByteArray("[A]\n; note\n[B]\n") << "A"
        << "k"
        << "v" << QByteArray("[A]\nk=v\n; note\n[B]\n");
    QTest::newRow("new section at the end, CRLF kept")
        << QByteArray("[A]\r\nx=1\r\n") << "B"
        << "k"
        << "v" << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=v\r\n");
    QTest::newRow("new section at the end, LF kept") << QByteArray("[A]\nx=1\n") << "B"
                                                     << "k"
                                                     << "v" << QByteArray("[A]\nx=1\n[B]\nk=v\n");
    QTest::newRow("new file is CRLF") << QByteArray() << "S"
                                      << "k"
                                      << "v" << QByteArray("[S]\r\nk=v\r\n");
    QTest::newRow("no final line break stays missing") << QByteArray("[A]\nx=1") << "A"
                                                       << "y"
                                                       << "2" << QByteArray("[A]\nx=1\ny=2");
    QTest::newRow("value written as UTF-8, other lines untouched")
        << QByteArray("[A]\nt=\xDE\nx=1\n") << "A"
        << "x"
        << "Ş" << QByteArray("[A]\nt=\xDE\nx=\xC5\x9E\n");
    QTest::newRow("surrounding blanks of the value dropped") << QByteArray("[A]\n") << "A"
                                                             << "x"
                                                             << "  v  " << QByteArray("[A]\nx=v\n");
    QTest::newRow("only the first duplicate section changes")
        << QByteArray("[A]\nx=1\n[A]\nx=2\n") << "A"
        << "x"
        << "3" << QByteArray("[A]\nx=3\n[A]\nx=2\n");
}

void tst_IniFile::setValueKeepsEverythingElse()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    IniFile ini = fromData(before);
    QVERIFY(ini.setValue(section, key, value));
    QCOMPARE(ini.data(), after);
    QCOMPARE(ini.value(section, key), std::optional<QString>(value.trimmed()));
}

void tst_IniFile::refusesUnwritableNames_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");

    QTest::newRow("empty key") << "A"
                               << ""
                               << "v";
    QTest::newRow("key with =") << "A"
                                << "a=b"
                                << "v";
    QTest::newRow("key with line break") << "A"
                                         << "a\nb"
                                         << "v";
    QTest::newRow("key like a section") << "A"
                                        << "[x"
                                        << "v";
    QTest::newRow("key like a comment") << "A"
                                        << ";x"
                                        << "v";
    QTest::newRow("value with line break") << "A"
                                           << "k"
                                           << "a\r\n[B]";
    QTest::newRow("empty section") << ""
                                   << "k"
                                   << "v";
    QTest::newRow("section with ]") << "A]B"
                                    << "k"
                                    << "v";
}

void tst_IniFile::refusesUnwritableNames()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);

    const QByteArray before("[A]\r\nx=1\r\n");
    IniFile ini = fromData(before);
    QVERIFY(!ini.setValue(section, key, value));
    QCOMPARE(ini.data(), before);
}

void tst_IniFile::clearSectionKeepsPlace()
{
    IniFile ini = fromData("[A]\r\na=1\r\n[G]\r\n; layout\r\nX=1\r\nY=2\r\n\r\n[Z]\r\nz=1\r\n");
    ini.clearSection(QStringLiteral("g"));
    QVERIFY(ini.entries(QStringLiteral("G")).isEmpty());
    QVERIFY(ini.setValue(QStringLiteral("G"), QStringLiteral("Y"), QStringLiteral("3")));
    QVERIFY(ini.setValue(QStringLiteral("G"), QStringLiteral("X"), QStringLiteral("4")));
    QCOMPARE(ini.data(),
             QByteArray("[A]\r\na=1\r\n[G]\r\nY=3\r\nX=4\r\n; layout\r\n\r\n[Z]\r\nz=1\r\n"));

    QVERIFY(ini.removeKey(QStringLiteral("G"), QStringLiteral("y")));
    QVERIFY(!ini.removeKey(QStringLiteral("G"), QStringLiteral("y")));
    QCOMPARE(ini.value(QStringLiteral("G"), QStringLiteral("X")), std::optional<QString>("4"));
    QVERIFY(!ini.value(QStringLiteral("G"), QStringLiteral("Y")));
}

void tst_IniFile::listsSectionInFileOrder()
{
    const IniFile ini = fromData("[B]\nz=1\n\n; c\njunk\na = 2\nz=3\n[A]\nq=1\n");
    QCOMPARE(ini.sections(), QStringList({"B", "A"}));
    QVERIFY(ini.hasSection(QStringLiteral("a")));
    QVERIFY(!ini.hasSection(QStringLiteral("C")));

    const QList<IniFile::Entry> expected = {{"z", "1"}, {"a", "2"}, {"z", "3"}};
    QCOMPARE(ini.entries(QStringLiteral("B")), expected);
    QCOMPARE(ini.sectionLines(QStringLiteral("B")),
             QStringList({"z=1", "", "; c", "junk", "a = 2", "z=3"}));
}

void tst_IniFile::loadAndSaveFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    QVERIFY(writeFile(path, "\xEF\xBB\xBF; ayarlar\n[CEK_AYARLARI]\nGUN=3\n"));

    IniFile ini(path);
    QVERIFY(ini.load().ok());
    QCOMPARE(ini.lineEnding(), IniFile::LineEnding::Lf);
    QVERIFY(ini.hasByteOrderMark());
    QVERIFY(
        ini.setValue(QStringLiteral("CEK_AYARLARI"), QStringLiteral("GUN"), QStringLiteral("4")));
    const IniFile::Status saved = ini.save();
    QVERIFY2(saved.ok(), qPrintable(saved.message));
    QCOMPARE(readFile(path), QByteArray("\xEF\xBB\xBF; ayarlar\n[CEK_AYARLARI]\nGUN=4\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"Ayarlar.ini"}));
}

void tst_IniFile::loadMissingFile()
{
    QTemporaryDir dir;
    IniFile ini(dir.filePath(QStringLiteral("yok.ini")));
    const IniFile::Status status = ini.load();
    QCOMPARE(status.code, IniFile::Status::Code::Missing);
    QVERIFY(status.message.contains(QStringLiteral("yok.ini")));
    QVERIFY(ini.sections().isEmpty());
}

void tst_IniFile::loadRefusesHugeFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    QByteArray huge("[A]\nx=1\n");
    huge.append(IniFile::MaxFileSize, 'a');
    QVERIFY(writeFile(path, huge));

    IniFile ini(path);
    const IniFile::Status status = ini.load();
    QCOMPARE(status.code, IniFile::Status::Code::TooLarge);
    QVERIFY2(status.message.contains(QStringLiteral("Ayarlar.ini")), qPrintable(status.message));
    QVERIFY(!ini.hasSection(QStringLiteral("A")));

    // Just at the limit still loads.
    huge.resize(IniFile::MaxFileSize);
    QVERIFY(writeFile(path, huge));
    QVERIFY(ini.load().ok());
    QCOMPARE(ini.value(QStringLiteral("A"), QStringLiteral("x")), std::optional<QString>("1"));
}

void tst_IniFile::readsUtf16File()
{
    QByteArray bytes("\xFF\xFE");
    const QString text = QStringLiteral("[A]\r\nad=Şık\r\n");
    bytes.append(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);

    IniFile ini = fromData(bytes);
    QCOMPARE(ini.value(QStringLiteral("A"), QStringLiteral("ad")), std::optional<QString>("Şık"));
    QCOMPARE(ini.data(), QByteArray("\xEF\xBB\xBF") + text.toUtf8());
}

void tst_IniFile::failedSaveLeavesFileAsItWas_data()
{
    QTest::addColumn<QString>("kind");

    QTest::newRow("read-only folder") << "readonly";
    QTest::newRow("read-only file") << "readonlyfile";
    QTest::newRow("folder missing") << "missing";
    QTest::newRow("path is a folder") << "folder";
}

void tst_IniFile::failedSaveLeavesFileAsItWas()
{
    QFETCH(QString, kind);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QByteArray original("[A]\r\nx=1\r\n");
    QString path = dir.filePath(QStringLiteral("GridAyarlari.ini"));
    QVERIFY(writeFile(path, original));

    std::optional<ReadOnlyPath> readOnly;
    if (kind == QLatin1String("readonly") || kind == QLatin1String("readonlyfile")) {
        readOnly.emplace(kind == QLatin1String("readonly") ? dir.path() : path);
        if (!readOnly->holds())
            QSKIP("nothing keeps this user from writing here");
    } else if (kind == QLatin1String("missing")) {
        path = dir.filePath(QStringLiteral("yok/GridAyarlari.ini"));
    } else {
        path = dir.path();
    }

    IniFile ini(path);
    ini.setData(original);
    for (int i = 0; i < 100; ++i)
        QVERIFY(
            ini.setValue(QStringLiteral("A"), QStringLiteral("k%1").arg(i), QStringLiteral("v")));
    const IniFile::Status status = ini.save();

    if (readOnly)
        readOnly->restore();
    QCOMPARE(status.code, IniFile::Status::Code::WriteFailed);
    QVERIFY2(status.message.contains(QDir::toNativeSeparators(path)), qPrintable(status.message));
    QCOMPARE(readFile(dir.filePath(QStringLiteral("GridAyarlari.ini"))), original);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"GridAyarlari.ini"}));
}

QTEST_GUILESS_MAIN(tst_IniFile)

#include "tst_inifile.moc"
