#include "commandline/reportcommand.h"

#include "reportfixture.h"

#include <QBuffer>

using namespace commandline;

namespace {

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

Run run(const ReportFixture &fixture, const QStringList &arguments)
{
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    Run result;
    result.code = runReportCommand(arguments, fixture.root(), fixture.today, out, err);
    result.out = QString::fromUtf8(out.data());
    result.err = QString::fromUtf8(err.data());
    return result;
}

// The cheques a plain-text report lists, by the name in its line, in order.
QStringList listed(const QString &report, const QStringList &names)
{
    QStringList found;
    for (const QString &line : report.split(u'\n'))
        for (const QString &name : names)
            if (line.contains(name))
                found << name;
    return found;
}

const QStringList kNames = {"Dün Ltd", "Çağrı Işık", "İnci Ünal", "Ilgaz Şen", "Öz Gıda", "Ege Un", "Ayva Ticaret"};

} // namespace

// selvora-rapor's call and what each report prints, on a fixed day.
class tst_ReportCommand : public QObject
{
    Q_OBJECT

private slots:
    void reports_data();
    void reports();
    void plainTextIsAligned();
    void wrongCalls_data();
    void wrongCalls();
    void unreadableData_data();
    void unreadableData();
    void noMatchWritesNothing();
};

void tst_ReportCommand::reports_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("cheques"); // in the order listed
    QTest::addColumn<QString>("total");
    QTest::newRow("company, all") << QStringList{"firma", "hepsi"}
                                  << QStringList{"Dün Ltd", "Çağrı Işık", "İnci Ünal", "Ilgaz Şen"} << "1.584,63";
    QTest::newRow("company, due today") << QStringList{"firma", "bugun"} << QStringList{"Çağrı Işık", "İnci Ünal"}
                                        << "1.234,63";
    QTest::newRow("Turkish spelling of the words") << QStringList{"firma", "bugün"}
                                                   << QStringList{"Çağrı Işık", "İnci Ünal"} << "1.234,63";
    QTest::newRow("company, warning date from Ayarlar.ini") << QStringList{"firma", "uyari"}
                                                            << QStringList{"Ilgaz Şen"} << "300,00";
    QTest::newRow("customer, in three days") << QStringList{"musteri", "gun", "3"} << QStringList{"Ege Un"}
                                             << "250,50";
    QTest::newRow("company, a day ago") << QStringList{"firma", "gun", "-1"} << QStringList{"Dün Ltd"} << "50,00";
    QTest::newRow("customer, range with a status, largest first")
        << QStringList{"musteri", "aralik", "", "", "--durum", "PORTFÖYDE", "--sirala", "çek tutarı", "--azalan"}
        << QStringList{"Öz Gıda", "Ege Un"} << "5.250,50";
    QTest::newRow("company, range sorted by field name, smallest first")
        << QStringList{"firma", "aralik", "", "", "--sirala=CEK_TUTARI"}
        << QStringList{"İnci Ünal", "Dün Ltd", "Ilgaz Şen", "Çağrı Işık"} << "1.584,63";
    QTest::newRow("customer, range of one day") << QStringList{"müşteri", "aralık", "+10", "+10"}
                                                << QStringList{"Ayva Ticaret"} << "99,99";
}

void tst_ReportCommand::reports()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, cheques);
    QFETCH(QString, total);
    ReportFixture fixture(QDate(2024, 3, 15));
    // Ranges: from a day ago to ten days ahead unless the row names days.
    if (arguments.size() > 3 && arguments.at(1).startsWith(u"aral")) {
        const auto day = [&](const QString &given, int fallback) {
            return fixture.date(given.isEmpty() ? fallback : given.toInt());
        };
        arguments[2] = day(arguments.at(2), -1);
        arguments[3] = day(arguments.at(3), 10);
    }
    const Run result = run(fixture, arguments);
    QCOMPARE(result.err, QString());
    QCOMPARE(result.code, exitcode::Rows);
    QCOMPARE(listed(result.out, kNames), cheques);
    const QStringList lines = result.out.split(u'\n');
    const QString totalLine = lines.at(lines.size() - 3);
    QVERIFY2(totalLine.startsWith("T O P L A M") && totalLine.endsWith(total), qPrintable(totalLine));
    QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("Listelenen Kayıt Sayısı :%1").arg(cheques.size()));
}

void tst_ReportCommand::plainTextIsAligned()
{
    ReportFixture fixture(QDate(2024, 3, 15));
    const Run result = run(fixture, {"firma", "bugun"});
    QCOMPARE(result.code, exitcode::Rows);
    QCOMPARE(result.out, QStringLiteral("FİRMA KESİLEN ÇEK RAPORU\n"
                                        "Rapor Tarihi :15.03.2024\n"
                                        "Bu gün (15.03.2024) vadesi dolan çekler\n"
                                        "\n"
                                        "VADE TARİHİ  ÇEK TUTARI  ÇEK DURUMU  ÇEK NUMARASI  ÇEKİ ALAN\n"
                                        "-----------  ----------  ----------  ------------  ----------\n"
                                        "15.03.2024     1.234,56  ÖDENMEDİ    N-123456      Çağrı Işık\n"
                                        "15.03.2024         0,07  ÖDENDE      N-7           İnci Ünal\n"
                                        "-----------  ----------  ----------  ------------  ----------\n"
                                        "T O P L A M    1.234,63\n"
                                        "Listelenen Kayıt Sayısı :2\n"));
}

void tst_ReportCommand::wrongCalls_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << QStringList{} << "Defter eksik";
    QTest::newRow("unknown ledger") << QStringList{"kasa", "hepsi"} << "Bilinmeyen defter: \"kasa\"";
    QTest::newRow("no report") << QStringList{"firma"} << "Rapor eksik";
    QTest::newRow("days that are no number") << QStringList{"firma", "gun", "üç"} << "\"üç\" bir gün sayısı değil";
    QTest::newRow("a date that does not exist") << QStringList{"firma", "aralik", "30.02.2024", "01.03.2024"}
                                                << "\"30.02.2024\" bir tarih değil";
    QTest::newRow("end before start") << QStringList{"firma", "aralik", "02.03.2024", "01.03.2024"}
                                      << "Başlangıç tarihi bitiş tarihinden büyük olamaz.";
    QTest::newRow("status outside a range") << QStringList{"firma", "bugun", "--durum", "ÖDENDE"}
                                            << "yalnız \"aralik\"";
    QTest::newRow("unknown sort field") << QStringList{"firma", "aralik", "01.03.2024", "02.03.2024", "--sirala", "renk"}
                                        << "Bilinmeyen sıralama alanı: \"renk\"";
    QTest::newRow("unknown format") << QStringList{"firma", "hepsi", "--bicim", "doc"} << "Bilinmeyen biçim: \"doc\"";
    QTest::newRow("option without its value") << QStringList{"firma", "hepsi", "--dosya"} << "--dosya seçeneğinin değeri eksik";
    QTest::newRow("unknown option") << QStringList{"firma", "hepsi", "--renkli"} << "Bilinmeyen seçenek: --renkli";
    QTest::newRow("a word too many") << QStringList{"firma", "hepsi", "fazla"} << "Fazla değer: \"fazla\"";
}

void tst_ReportCommand::wrongCalls()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    ReportFixture fixture(QDate(2024, 3, 15));
    const Run result = run(fixture, arguments);
    QCOMPARE(result.code, exitcode::WrongCall);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.startsWith("selvora-rapor: ") && result.err.contains(message), qPrintable(result.err));
    QVERIFY(result.err.contains("selvora-rapor --help"));
}

void tst_ReportCommand::unreadableData_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("no data folder") << "nofolder" << "Veri klasörü bulunamadı";
    QTest::newRow("the ledger missing") << "noledger" << "tablosu bulunamadı";
    QTest::newRow("the ledger is no table of ours") << "foreign" << "bu programın tablosu değil";
}

void tst_ReportCommand::unreadableData()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    ReportFixture fixture(QDate(2024, 3, 15));
    const QString ledger = fixture.program.filePath("Veriler/firma_cek.db");
    if (damage == "nofolder") {
        QVERIFY(QDir(fixture.dataFolder()).removeRecursively());
    } else {
        QVERIFY(QFile::remove(ledger));
        if (damage == "foreign") {
            QFile file(ledger);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
    }
    const Run result = run(fixture, {"firma", "hepsi", "--bicim", "pdf"});
    QCOMPARE(result.code, exitcode::DataUnreadable);
    QCOMPARE(result.out, QString());
    QVERIFY2(result.err.contains(message), qPrintable(result.err));
}

void tst_ReportCommand::noMatchWritesNothing()
{
    ReportFixture fixture(QDate(2024, 3, 15));
    const QString file = fixture.program.filePath("rapor.pdf");
    const Run result = run(fixture, {"firma", "uyari", "--bicim", "pdf", "--dosya", file});
    QCOMPARE(result.code, exitcode::Rows);
    QVERIFY(QFileInfo(file).size() > 0);
    const struct { QStringList arguments; const char *message; } none[] = {
        {{"musteri", "gun", "5", "--dosya", file}, "Vadesi Dolan Çek Bulunamadı."},
        {{"firma", "aralik", "01.01.2020", "31.01.2020", "--dosya", file}, "Belirlediğiniz Kriterlere Uyan Çek Kaydı Bulunamadı."},
    };
    for (const auto &call : none) {
        QVERIFY(call.arguments.size() > 1);
        const QByteArray before = [&] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        const Run empty = run(fixture, call.arguments);
        QCOMPARE(empty.code, exitcode::NoRows);
        QCOMPARE(empty.err, QStringLiteral("selvora-rapor: ") + QString::fromUtf8(call.message) + u'\n');
        QFile after(file);
        QVERIFY(after.open(QIODevice::ReadOnly));
        QCOMPARE(after.readAll(), before); // an earlier report is not replaced by nothing
    }
    // An empty ledger has nothing to list at all.
    QTemporaryDir empty;
    {
        data::DataStore store(fsPath(QDir(empty.path()).filePath("Veriler")));
        QVERIFY(store.setUp().empty());
    }
    QBuffer out, err;
    out.open(QIODevice::WriteOnly);
    err.open(QIODevice::WriteOnly);
    QCOMPARE(runReportCommand({"firma", "hepsi"}, empty.path(), fixture.today, out, err), exitcode::NoRows);
    QCOMPARE(QString::fromUtf8(err.data()), QStringLiteral("selvora-rapor: Raporlanacak kayıt yok.\n"));
    QCOMPARE(out.data(), QByteArray());
}

QTEST_MAIN(tst_ReportCommand)
#include "tst_reportcommand.moc"
