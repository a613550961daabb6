#include "reportfixtures.h"
#include "reports/ledgerreports.h"
#include "reports/reportformat.h"
#include "reports/reportlayouter.h"

#include <QLocale>
#include <QTest>

using reports::DrawItem;
using reports::mm;
using reports::RenderedReport;
using reports::ReportLayouter;

namespace {

reports::LayoutOptions options(const char *locale = "tr_TR")
{
    reports::LayoutOptions result;
    result.today = QDate(2026, 12, 10);
    result.marks = reports::marksFromLocale(QLocale(QString::fromLatin1(locale)));
    return result;
}

RenderedReport layOut(const reports::ReportDefinition &definition, engine::RowSource &rows,
                      const char *locale = "tr_TR")
{
    ReportLayouter layouter(definition, rows, options(locale));
    const auto status = layouter.run();
    if (status != ReportLayouter::Status::Done)
        qWarning() << layouter.errorText();
    return layouter.takeReport();
}

// The text item whose text is exactly text, or starts with it when prefix is set.
const DrawItem *findText(const RenderedReport &report, int page, const QString &text, bool prefix = false)
{
    const auto &content = report.pages.at(std::size_t(page));
    for (const DrawItem &item : content.items) {
        if (item.kind != DrawItem::Text)
            continue;
        const QString shown = content.itemText(item);
        if (shown == text || (prefix && shown.startsWith(text)))
            return &item;
    }
    return nullptr;
}

int count(const RenderedReport &report, int page, const QString &text)
{
    return int(report.pageTexts(page).count(text));
}

} // namespace

class tst_ReportLayout : public QObject
{
    Q_OBJECT

private slots:
    void companyHeaderOnEveryPage();
    void companyDetailPositions();
    void summaryTotalsAndCount_data();
    void summaryTotalsAndCount();
    void summaryFollowsKeepTogetherRule_data();
    void summaryFollowsKeepTogetherRule();
    void emptyReportHasHeaderAndSummary();
    void amountsFollowLocale_data();
    void amountsFollowLocale();
    void growingPayeeRunsPastItsBox();
    void fixedFieldWrapsAndClips_data();
    void fixedFieldWrapsAndClips();
    void customerReportIsLandscape();
    void missingFieldFails();
    void failingDataKeepsPagesAndSaysWhy();
    void slicesGiveTheSameReport();
};

void tst_ReportLayout::companyHeaderOnEveryPage()
{
    auto rows = reportfixtures::companyRows(100);
    const RenderedReport report = layOut(reports::companyReport(), rows);
    QCOMPARE(int(report.pages.size()), 3);
    QCOMPARE(report.title, QStringLiteral("FİRMA ÇEKLERİ (BÜTÜN KAYITLAR)"));
    for (int page = 0; page < 3; ++page) {
        const QStringList texts = report.pageTexts(page);
        QCOMPARE(count(report, page, QStringLiteral("FİRMA KESİLEN ÇEK RAPORU")), 1);
        QVERIFY(texts.contains(QStringLiteral("Rapor Tarihi :10.12.2026")));
        QVERIFY2(texts.contains(QStringLiteral("Sayfa No:%1").arg(page + 1)), qPrintable(texts.join(u'|')));
        for (const char *caption : {"VADE TARİHİ", "ÇEK TUTARI", "ÇEK DURUMU", "ÇEK NUMARASI", "ÇEKİ ALAN"})
            QCOMPARE(count(report, page, QString::fromUtf8(caption)), 1);
        // Five caption boxes at 11.1 mm under the top margin.
        int captionBoxes = 0;
        for (const DrawItem &item : report.pages[std::size_t(page)].items)
            captionBoxes += item.kind == DrawItem::Box && item.y == mm(10 + 11.1) && item.h == mm(6.1);
        QCOMPARE(captionBoxes, 5);
        // Total and count only once, on the last page.
        QCOMPARE(count(report, page, QStringLiteral("T O P L A M")), page == 2 ? 1 : 0);
    }
    // Page number right-aligned at 188.6 mm from the band's left edge.
    const DrawItem *pageNumber = findText(report, 1, QStringLiteral("Sayfa No:2"));
    QVERIFY(pageNumber);
    QVERIFY(pageNumber->flags & DrawItem::AlignRight);
    QCOMPARE(pageNumber->x + pageNumber->w, mm(10 + 188.6));
    QCOMPARE(pageNumber->y, mm(10 + 0.8));
    const DrawItem *heading = findText(report, 0, QStringLiteral("FİRMA KESİLEN ÇEK RAPORU"));
    QCOMPARE(heading->x, mm(10 + 65.9));
    QCOMPARE(report.fonts[heading->font], (reports::FontSpec{QStringLiteral("Arial"), 11, true}));
}

void tst_ReportLayout::companyDetailPositions()
{
    auto rows = reportfixtures::companyRows(43);
    const RenderedReport report = layOut(reports::companyReport(), rows);
    QCOMPARE(int(report.pages.size()), 2);
    // Row 0 at the top of the body of page 1, row 41 at the bottom, row 42 on page 2.
    struct Expect { int page; int row; double bandTop; };
    for (const Expect &e : {Expect{0, 0, 28.0}, Expect{0, 41, 28.0 + 41 * 6.1}, Expect{1, 42, 28.0}}) {
        const DrawItem *payee = findText(report, e.page, QStringLiteral("Alıcı %1").arg(e.row));
        QVERIFY2(payee, qPrintable(QStringLiteral("row %1").arg(e.row)));
        QCOMPARE(payee->x, mm(10 + 129.1));
        QCOMPARE(payee->y, mm(e.bandTop) + mm(0.8));
        const DrawItem *number = findText(report, e.page, QStringLiteral("ÇN-%1").arg(1000 + e.row));
        QCOMPARE(number->x, mm(10 + 91.0));
    }
    const DrawItem *amount = findText(report, 0, QStringLiteral("1.000,50"));
    QVERIFY(amount);
    QVERIFY(amount->flags & DrawItem::AlignRight);
    QCOMPARE(amount->x, mm(10 + 25.4));
    QCOMPARE(amount->w, mm(35.2));
    QCOMPARE(report.fonts[amount->font], (reports::FontSpec{QStringLiteral("Arial"), 9, false}));
    const DrawItem *date = findText(report, 0, QStringLiteral("01.03.2026"));
    QVERIFY(date);
    QCOMPARE(date->x, mm(10 + 2.1));
}

void tst_ReportLayout::summaryTotalsAndCount_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("total");

    // Sum of (i + 1) * 1000.50 for i < n = 1000.50 * n (n + 1) / 2.
    QTest::newRow("one row") << 1 << "1.000,50";
    QTest::newRow("three rows") << 3 << "6.003,00";
    QTest::newRow("three pages") << 100 << "5.052.525,00";
}

void tst_ReportLayout::summaryTotalsAndCount()
{
    QFETCH(int, rows);
    QFETCH(QString, total);

    auto source = reportfixtures::companyRows(rows);
    const RenderedReport report = layOut(reports::companyReport(), source);
    const int last = int(report.pages.size()) - 1;
    const DrawItem *sum = findText(report, last, total);
    QVERIFY2(sum, qPrintable(report.pageTexts(last).join(u'|')));
    QVERIFY(sum->flags & DrawItem::AlignRight);
    const DrawItem *counted = findText(report, last, QStringLiteral("Listelenen Kayıt Sayısı :%1").arg(rows));
    QVERIFY(counted);
    QCOMPARE(counted->x + counted->w, mm(10 + 189.2));
    // The company summary carries a rule along its top edge, over the full band width.
    const DrawItem *label = findText(report, last, QStringLiteral("T O P L A M"));
    const int summaryTop = label->y - mm(1.1);
    bool rule = false;
    for (const DrawItem &item : report.pages[std::size_t(last)].items)
        rule |= item.kind == DrawItem::Rule && item.y == summaryTop && item.x == mm(10) && item.w == mm(190);
    QVERIFY(rule);
}

void tst_ReportLayout::summaryFollowsKeepTogetherRule_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("pages");
    QTest::addColumn<double>("summaryTop");

    QTest::newRow("15 mm left under row 40: same page") << 40 << 1 << 272.0;
    QTest::newRow("8.9 mm left under row 41: new page, below its header") << 41 << 2 << 28.0;
}

void tst_ReportLayout::summaryFollowsKeepTogetherRule()
{
    QFETCH(int, rows);
    QFETCH(int, pages);
    QFETCH(double, summaryTop);

    auto source = reportfixtures::companyRows(rows);
    const RenderedReport report = layOut(reports::companyReport(), source);
    QCOMPARE(int(report.pages.size()), pages);
    const DrawItem *label = findText(report, pages - 1, QStringLiteral("T O P L A M"));
    QVERIFY(label);
    QCOMPARE(label->y, mm(summaryTop) + mm(1.1));
    QVERIFY(report.pageTexts(pages - 1).contains(QStringLiteral("Sayfa No:%1").arg(pages)));
}

void tst_ReportLayout::emptyReportHasHeaderAndSummary()
{
    auto rows = reportfixtures::companyRows(0);
    const RenderedReport report = layOut(reports::companyReport(), rows);
    QCOMPARE(int(report.pages.size()), 1);
    const QStringList texts = report.pageTexts(0);
    QVERIFY(texts.contains(QStringLiteral("FİRMA KESİLEN ÇEK RAPORU")));
    QVERIFY(texts.contains(QStringLiteral("0,00")));
    QVERIFY(texts.contains(QStringLiteral("Listelenen Kayıt Sayısı :0")));
    QCOMPARE(findText(report, 0, QStringLiteral("T O P L A M"))->y, mm(28 + 1.1));
}

void tst_ReportLayout::amountsFollowLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("total");

    QTest::newRow("Turkish marks") << "tr_TR" << "1.000,50" << "3.001,50";
    QTest::newRow("English marks") << "en_US" << "1,000.50" << "3,001.50";
}

void tst_ReportLayout::amountsFollowLocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, amount);
    QFETCH(QString, total);

    reports::MemoryRowSource rows(reportfixtures::companyFields());
    rows.append({text::Date{2026, 1, 2}, std::int64_t(100050), std::string("PORTFÖYDE"), std::string("1"),
                 std::string("A")});
    rows.append({text::Date{2026, 1, 3}, std::int64_t(0), std::string("PORTFÖYDE"), std::string("2"),
                 std::string("B")});
    rows.append({text::Date{2026, 1, 4}, std::int64_t(200100), std::string("PORTFÖYDE"), std::string("3"),
                 std::string("C")});
    const RenderedReport report = layOut(reports::companyReport(), rows, qPrintable(locale));
    QVERIFY(findText(report, 0, amount));
    const QString zero = locale == QLatin1String("tr_TR") ? QStringLiteral("0,00") : QStringLiteral("0.00");
    const DrawItem *zeroItem = findText(report, 0, zero);
    QVERIFY(zeroItem);
    QVERIFY(zeroItem->flags & DrawItem::AlignRight);
    QVERIFY(findText(report, 0, total));

    auto customer = reportfixtures::customerRows(1);
    const RenderedReport customerReport = layOut(reports::customerReport(), customer, qPrintable(locale));
    QCOMPARE(count(customerReport, 0, amount), 2); // the row and the total
}

void tst_ReportLayout::growingPayeeRunsPastItsBox()
{
    reports::MemoryRowSource rows(reportfixtures::companyFields());
    const QString payee = QStringLiteral("Çukurova Büyük İnşaat Taahhüt Sanayi ve Tic.");
    rows.append({text::Date{2026, 1, 2}, std::int64_t(100), std::string("PORTFÖYDE"), std::string("1"),
                 payee.toStdString()});
    const RenderedReport report = layOut(reports::companyReport(), rows);
    const DrawItem *item = findText(report, 0, payee);
    QVERIFY2(item, "a growing field is printed whole, on one line");
    QVERIFY(!(item->flags & DrawItem::Clip));
    QCOMPARE(item->x, mm(10 + 129.1));
    const int boxRight = mm(10 + 128.3 + 60.3);
    QVERIFY2(item->x + item->w > boxRight,
             qPrintable(QStringLiteral("text ends at %1, box at %2").arg(item->x + item->w).arg(boxRight)));
}

void tst_ReportLayout::fixedFieldWrapsAndClips_data()
{
    QTest::addColumn<QString>("endorser");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("clipped");

    QTest::newRow("short name fits") << "Ali Veli" << "Ali Veli" << false;
    QTest::newRow("long name: second line does not fit and is dropped")
        << "Karadeniz Ereğli Demir Çelik Fabrikaları Anonim Şirketi Genel Müdürlüğü"
        << "Karadeniz Ereğli Demir Çelik" << true;
    QTest::newRow("one long word: cut at the box")
        << "ÇOKUZUNBİRFİRMAADIBOŞLUKSUZYAZILMIŞOLARAKBURADA"
        << "ÇOKUZUNBİRFİRMAADIBOŞLUKSUZYAZILMIŞOLARAKBURADA" << true;
}

void tst_ReportLayout::fixedFieldWrapsAndClips()
{
    QFETCH(QString, endorser);
    QFETCH(QString, shown);
    QFETCH(bool, clipped);

    reports::MemoryRowSource rows(reportfixtures::customerFields());
    rows.append({text::Date{2026, 1, 2}, std::int64_t(100), std::string("CİRO EDİLDİ"), std::string("Banka"),
                 std::string("Sahip"), std::string("YOK"), endorser.toStdString(), std::string("YOK"),
                 std::string("1")});
    const RenderedReport report = layOut(reports::customerReport(), rows);
    const auto &page = report.pages.front();
    const DrawItem *found = nullptr;
    for (const DrawItem &item : page.items) {
        if (item.kind == DrawItem::Text && item.x == mm(8 + 193.9) && item.y == mm(10 + 17.7 + 1.1))
            found = &item;
    }
    QVERIFY(found);
    QCOMPARE(page.itemText(*found), shown);
    QCOMPARE(bool(found->flags & DrawItem::Clip), clipped);
    QCOMPARE(found->w, mm(43.4)); // a fixed field keeps its box
    QCOMPARE(found->h, mm(4.0));
}

void tst_ReportLayout::customerReportIsLandscape()
{
    auto rows = reportfixtures::customerRows(60);
    const RenderedReport report = layOut(reports::customerReport(), rows);
    QCOMPARE(report.orientation, reports::Orientation::Landscape);
    QCOMPARE(report.paperWidth, mm(297));
    QCOMPARE(report.paperHeight, mm(210));
    QCOMPARE(report.title, QStringLiteral("ALINAN ÇEKLER"));
    // Body 10..200 mm, header 17.7 mm: 28 rows a page (28 * 6.1 = 170.8 <= 172.3).
    QCOMPARE(int(report.pages.size()), 3);
    QVERIFY(findText(report, 0, QStringLiteral("Müşteri 27")));
    QVERIFY(findText(report, 1, QStringLiteral("Müşteri 28")));
    const QStringList texts = report.pageTexts(2);
    QVERIFY(texts.contains(QStringLiteral("ALINAN ÇEK RAPORU")));
    QVERIFY(texts.contains(QStringLiteral("Sayfa No:3")));
    QVERIFY(texts.contains(QStringLiteral("Listelenen Kayıt Sayısı :60")));
    QVERIFY(texts.contains(QStringLiteral("ÇEKİ CİRO ETTİĞİMİZ KİŞİ")));
    // The cheque number is fetched but not printed.
    QVERIFY(!findText(report, 0, QStringLiteral("M-0")));
    const DrawItem *date = findText(report, 0, QStringLiteral("01.04.2026"));
    QCOMPARE(date->x, mm(8 + 1.3));
    QCOMPARE(date->y, mm(10 + 17.7 + 1.1));
    // No rule on the customer summary.
    for (const DrawItem &item : report.pages.back().items)
        QVERIFY(item.kind != DrawItem::Rule);
}

void tst_ReportLayout::missingFieldFails()
{
    reports::MemoryRowSource rows(reportfixtures::companyFields());
    ReportLayouter layouter(reports::customerReport(), rows, options());
    QCOMPARE(layouter.run(), ReportLayouter::Status::Failed);
    QVERIFY2(layouter.errorText().contains(QStringLiteral("alanı yok")), qPrintable(layouter.errorText()));
}

void tst_ReportLayout::failingDataKeepsPagesAndSaysWhy()
{
    reportfixtures::FailingRowSource rows(reportfixtures::companyRows(200), 60);
    ReportLayouter layouter(reports::companyReport(), rows, options());
    QCOMPARE(layouter.run(), ReportLayouter::Status::Failed);
    QCOMPARE(layouter.errorText(), QStringLiteral("Rapor verisi okunamadı: firma_cek.db okunamadı"));
    QCOMPARE(layouter.rowsLaidOut(), 60);
    QCOMPARE(int(layouter.report().pages.size()), 2);
    QCOMPARE(layouter.step(10), ReportLayouter::Status::Failed); // stays failed, reads nothing more
}

void tst_ReportLayout::slicesGiveTheSameReport()
{
    auto all = reportfixtures::companyRows(120);
    const RenderedReport whole = layOut(reports::companyReport(), all);
    auto sliced = reportfixtures::companyRows(120);
    ReportLayouter layouter(reports::companyReport(), sliced, options());
    int slices = 0;
    while (layouter.step(7) == ReportLayouter::Status::More) {
        ++slices;
        QVERIFY(layouter.finishedPageCount() <= int(layouter.report().pages.size()));
    }
    QVERIFY(slices > 10);
    const RenderedReport &report = layouter.report();
    QCOMPARE(report.pages.size(), whole.pages.size());
    for (std::size_t p = 0; p < whole.pages.size(); ++p) {
        QCOMPARE(report.pages[p].text, whole.pages[p].text);
        QCOMPARE(report.pages[p].items.size(), whole.pages[p].items.size());
    }
}

QTEST_MAIN(tst_ReportLayout)
#include "tst_reportlayout.moc"
