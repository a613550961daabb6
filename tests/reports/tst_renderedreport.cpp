#include "reportfixtures.h"
#include "reports/ledgerreports.h"
#include "reports/reportlayouter.h"

#include <QBuffer>
#include <QDataStream>
#include <QTest>

using reports::RenderedReport;

namespace {

RenderedReport sampleReport()
{
    auto rows = reportfixtures::companyRows(50);
    reports::LayoutOptions options;
    options.today = QDate(2026, 12, 10);
    reports::ReportLayouter layouter(reports::companyReport(), rows, options);
    layouter.run();
    return layouter.takeReport();
}

QByteArray saved(const RenderedReport &report)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    report.save(buffer);
    return buffer.data();
}

} // namespace

class tst_RenderedReport : public QObject
{
    Q_OBJECT

private slots:
    void savedReportLoadsUnchanged();
    void badFilesAreRefusedAndLoseNothing_data();
    void badFilesAreRefusedAndLoseNothing();
};

void tst_RenderedReport::savedReportLoadsUnchanged()
{
    const RenderedReport original = sampleReport();
    QByteArray bytes = saved(original);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    RenderedReport loaded;
    QString error;
    QVERIFY2(loaded.load(buffer, &error), qPrintable(error));
    QCOMPARE(loaded.title, original.title);
    QCOMPARE(loaded.paperWidth, original.paperWidth);
    QCOMPARE(loaded.fonts.size(), original.fonts.size());
    QVERIFY(loaded.fonts == original.fonts);
    QCOMPARE(loaded.pages.size(), original.pages.size());
    for (std::size_t p = 0; p < original.pages.size(); ++p) {
        QCOMPARE(loaded.pageTexts(int(p)), original.pageTexts(int(p)));
        const auto &a = loaded.pages[p].items;
        const auto &b = original.pages[p].items;
        QCOMPARE(a.size(), b.size());
        for (std::size_t i = 0; i < a.size(); ++i) {
            QCOMPARE(a[i].x, b[i].x);
            QCOMPARE(a[i].y, b[i].y);
            QCOMPARE(a[i].w, b[i].w);
            QCOMPARE(a[i].h, b[i].h);
            QCOMPARE(a[i].kind, b[i].kind);
            QCOMPARE(a[i].flags, b[i].flags);
            QCOMPARE(a[i].font, b[i].font);
        }
    }
}

void tst_RenderedReport::badFilesAreRefusedAndLoseNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");

    const QByteArray good = saved(sampleReport());
    QByteArray newer = good;
    newer[4] = char(RenderedReport::fileVersion + 1); // version, little-endian, after the magic

    QTest::newRow("not a report file") << QByteArray("%PDF-1.4 something else") << "Bu dosya bir rapor dosyası değil.";
    QTest::newRow("empty file") << QByteArray() << "Bu dosya bir rapor dosyası değil.";
    QTest::newRow("written by a newer version")
        << newer << "Bu rapor dosyası programın daha yeni bir sürümüyle kaydedilmiş; açılamıyor.";
    QTest::newRow("cut short") << good.left(good.size() / 2) << "Rapor dosyası bozuk ya da eksik.";
}

void tst_RenderedReport::badFilesAreRefusedAndLoseNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);

    RenderedReport report;
    report.title = QStringLiteral("önceki");
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QString why;
    QVERIFY(!report.load(buffer, &why));
    QCOMPARE(why, error);
    QCOMPARE(report.title, QStringLiteral("önceki"));
}

QTEST_MAIN(tst_RenderedReport)
#include "tst_renderedreport.moc"
