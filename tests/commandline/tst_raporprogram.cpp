#include "filewritelock.h"
#include "reportfixture.h"

#include <QElapsedTimer>
#include <QProcess>

namespace {

struct Run
{
    int code = -1;
    QByteArray out;
    QString err;
};

} // namespace

// The real selvora-rapor, copied into a program folder beside its Veriler (so
// the data-location rule keeps the data there), as a scheduled job runs it.
class tst_RaporProgram : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void helpDocumentsEveryOption();
    void worksWhileTheProgramWrites();
    void pdfReadsBack();
    void xlsxReadsBackOutsideTheProgram();
    void exitCodes_data();
    void exitCodes();

private:
    Run run(const QStringList &arguments);

    std::unique_ptr<ReportFixture> m_fixture;
};

void tst_RaporProgram::init()
{
    m_fixture = std::make_unique<ReportFixture>();
    const QString program = QDir(qEnvironmentVariable("SELVORA_BIN_DIR")).filePath("selvora-rapor");
    QVERIFY2(QFile::copy(program, m_fixture->program.filePath("selvora-rapor")), qPrintable(program));
}

Run tst_RaporProgram::run(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // As under cron: no display, no runtime folder, a plain locale.
    environment.remove("DISPLAY");
    environment.remove("XDG_RUNTIME_DIR");
    environment.remove("QT_QPA_PLATFORM");
    environment.insert("LANG", "C.UTF-8");
    process.setProcessEnvironment(environment);
    process.start(m_fixture->program.filePath("selvora-rapor"), arguments);
    Run result;
    if (!process.waitForFinished(60000))
        return result;
    result.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = process.readAllStandardOutput();
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void tst_RaporProgram::helpDocumentsEveryOption()
{
    const Run help = run({"--help"});
    QCOMPARE(help.code, 0);
    QCOMPARE(help.err, QString());
    const QString text = QString::fromUtf8(help.out);
    for (const char *word : {"firma", "musteri", "hepsi", "bugun", "uyari", "gun N", "aralik BAŞLANGIÇ BİTİŞ",
                             "--durum", "--sirala", "--azalan", "--bicim metin|csv|pdf|xlsx", "--dosya", "0  rapor",
                             "1  ölçütlere", "2  yanlış", "3  veriler", "4  çıktı"})
        QVERIFY2(text.contains(QString::fromUtf8(word)), word);
}

void tst_RaporProgram::worksWhileTheProgramWrites()
{
    // The program has every table open and is in the middle of a post to
    // the ledger; another writer holds a transaction open on it.
    data::DataStore program(fsPath(m_fixture->dataFolder()));
    QVERIFY(program.setUp().empty());
    engine::Table &ledger = program.table(data::TableId::CompanyCheques);
    ledger.append();
    ledger.setValue("CEKI_ALAN", std::string("Yazılıyor"));
    FileWriteLock writer(fsPath(QDir(m_fixture->dataFolder()).filePath("firma_cek.db")));
    QVERIFY(writer.isLocked());

    QElapsedTimer clock;
    clock.start();
    const Run report = run({"firma", "bugun"});
    QCOMPARE(report.code, 0);
    QCOMPARE(report.err, QString());
    QVERIFY(report.out.contains("Çağrı Işık"));
    QVERIFY(!report.out.contains("Yazılıyor"));
    QVERIFY2(clock.elapsed() < 5000, "the report waited for the writer");
}

void tst_RaporProgram::pdfReadsBack()
{
    if (QStandardPaths::findExecutable("pdftotext").isEmpty())
        QSKIP("pdftotext is not installed");
    const QString file = m_fixture->program.filePath("bugun.pdf");
    const Run report = run({"musteri", "gun", "3", "--bicim", "pdf", "--dosya", file});
    QCOMPARE(report.code, 0);
    QCOMPARE(report.out, QByteArray());
    QProcess text;
    text.start("pdftotext", {"-layout", file, "-"});
    QVERIFY(text.waitForFinished(30000));
    const QString read = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString &part : {QStringLiteral("ALINAN ÇEK RAPORU"), QStringLiteral("Rapor Tarihi :") + m_fixture->date(0),
                                QStringLiteral("Sayfa No:1"), m_fixture->date(3), QStringLiteral("250,50"),
                                QStringLiteral("Ege Un"), QStringLiteral("PORTFÖYDE"),
                                QStringLiteral("Listelenen Kayıt Sayısı :1")})
        QVERIFY2(read.contains(part), qPrintable(part + " not in:\n" + read));
    QVERIFY(!read.contains("Öz Gıda"));
}

void tst_RaporProgram::xlsxReadsBackOutsideTheProgram()
{
    if (QStandardPaths::findExecutable("xlsx2csv").isEmpty())
        QSKIP("xlsx2csv is not installed");
    // To standard output, as a pipe into a mail would take it.
    const Run report = run({"firma", "hepsi", "--bicim", "xlsx"});
    QCOMPARE(report.code, 0);
    const QString file = m_fixture->program.filePath("hepsi.xlsx");
    QFile out(file);
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(report.out);
    out.close();
    QProcess reader;
    reader.start("xlsx2csv", {"-d", ";", file});
    QVERIFY(reader.waitForFinished(30000));
    QCOMPARE(reader.exitCode(), 0);
    const QStringList rows = QString::fromUtf8(reader.readAllStandardOutput()).trimmed().split(u'\n');
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows.at(0), QStringLiteral("VADE TARİHİ;ÇEK TUTARI;ÇEK DURUMU;ÇEK NUMARASI;ÇEKİ ALAN"));
    QVERIFY2(rows.contains(m_fixture->date(0) + QStringLiteral(";1234.56;ÖDENMEDİ;N-123456;Çağrı Işık")),
             qPrintable(rows.join(u'\n')));
    QVERIFY2(rows.contains(m_fixture->date(-1) + QStringLiteral(";50;ÖDENDE;N-5000;Dün Ltd")), qPrintable(rows.join(u'\n')));
}

void tst_RaporProgram::exitCodes_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("0: rows printed") << QStringList{"firma", "bugun", "--bicim", "csv"} << 0 << QString();
    QTest::newRow("1: none matched") << QStringList{"firma", "gun", "30"} << 1 << "Vadesi Dolan Çek Bulunamadı.";
    QTest::newRow("2: a wrong call") << QStringList{"firma", "dun"} << 2 << "Bilinmeyen rapor: \"dun\"";
    QTest::newRow("3: data that cannot be read") << QStringList{"musteri", "hepsi"} << 3 << "okunamadı";
    QTest::newRow("4: output that cannot be written")
        << QStringList{"firma", "hepsi", "--dosya", "/yok/boyle/bir/klasor/rapor.txt"} << 4 << "yazılamadı";
}

void tst_RaporProgram::exitCodes()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, message);
    if (code == 3) {
        QFile ledger(QDir(m_fixture->dataFolder()).filePath("museri_cek.db"));
        QVERIFY(ledger.open(QIODevice::ReadWrite));
        ledger.seek(0);
        ledger.write("bozuk dosya, SQLite değil........................................................................");
    }
    const Run result = run(arguments);
    QCOMPARE(result.code, code);
    if (message.isEmpty()) {
        QCOMPARE(result.err, QString());
        QVERIFY(result.out.startsWith("\xEF\xBB\xBFVADE TARİHİ;ÇEK TUTARI"));
    } else {
        QVERIFY2(result.err.startsWith("selvora-rapor: ") && result.err.contains(message), qPrintable(result.err));
        QCOMPARE(result.out, QByteArray());
    }
}

QTEST_GUILESS_MAIN(tst_RaporProgram)
#include "tst_raporprogram.moc"
