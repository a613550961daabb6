#include "reportfixtures.h"
#include "reports/ledgerreports.h"
#include "reports/pagepainter.h"
#include "reports/reportformat.h"
#include "reports/reportlayouter.h"

#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

class tst_ReportPdf : public QObject
{
    Q_OBJECT

private slots:
    void pdfTextReadsBack_data();
    void pdfTextReadsBack();
    void unwritablePdfSaysWhy();
};

void tst_ReportPdf::pdfTextReadsBack_data()
{
    QTest::addColumn<bool>("company");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("company report, two pages")
        << true
        << QStringList{"FİRMA KESİLEN ÇEK RAPORU", "Rapor Tarihi :10.12.2026", "Sayfa No:1", "Sayfa No:2",
                       "VADE TARİHİ", "ÇEKİ ALAN", "01.03.2026", "Alıcı 0", "Alıcı 49", "ÇN-1049", "PORTFÖYDE",
                       "1.000,50", "T O P L A M", "1.275.637,50", "Listelenen Kayıt Sayısı :50"};
    QTest::newRow("customer report")
        << false
        << QStringList{"ALINAN ÇEK RAPORU", "Rapor Tarihi :10.12.2026", "Sayfa No:1", "ÇEKİN TUTARI",
                       "TAHSİLE VERD. BANKA", "Müşteri 0", "Ziraat Bankası", "Listelenen Kayıt Sayısı :50",
                       "1.275.637,50"};
}

void tst_ReportPdf::pdfTextReadsBack()
{
    QFETCH(bool, company);
    QFETCH(QStringList, expected);

    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        QSKIP("pdftotext is not installed");

    auto rows = company ? reportfixtures::companyRows(50) : reportfixtures::customerRows(50);
    reports::LayoutOptions options;
    options.today = QDate(2026, 12, 10);
    options.marks = reports::marksFromLocale(QLocale(QStringLiteral("tr_TR")));
    reports::ReportLayouter layouter(company ? reports::companyReport() : reports::customerReport(), rows, options);
    QCOMPARE(layouter.run(), reports::ReportLayouter::Status::Done);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("rapor.pdf"));
    QString error;
    QVERIFY2(reports::PagePainter::writePdf(layouter.report(), pdf, &error), qPrintable(error));

    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf,
                              QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    // pdftotext may close up a letter-spaced caption ("T O P L A M"); compare those without blanks.
    const QString closedUp = QString(text).remove(u' ');
    for (const QString &wanted : expected)
        QVERIFY2(text.contains(wanted) || closedUp.contains(QString(wanted).remove(u' ')), qPrintable(QStringLiteral("\"%1\" missing from:\n%2").arg(wanted, text.left(3000))));
    QCOMPARE(text.count(QStringLiteral("\f")) >= 1, true);
}

void tst_ReportPdf::unwritablePdfSaysWhy()
{
    auto rows = reportfixtures::companyRows(1);
    reports::ReportLayouter layouter(reports::companyReport(), rows);
    layouter.run();
    QString error;
    QVERIFY(!reports::PagePainter::writePdf(layouter.report(), QStringLiteral("/nonexistent-folder/x/rapor.pdf"),
                                            &error));
    QVERIFY2(error.startsWith(QStringLiteral("PDF dosyası yazılamadı")), qPrintable(error));
}

QTEST_MAIN(tst_ReportPdf)
#include "tst_reportpdf.moc"
