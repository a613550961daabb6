#include "reports/ledgerreports.h"
#include "reports/pagecomposer.h"

#include <QTest>

using reports::mm;
using reports::PageComposer;

class tst_PageComposer : public QObject
{
    Q_OBJECT

private slots:
    void companyPages_data();
    void companyPages();
    void summaryKeepTogetherBoundary_data();
    void summaryKeepTogetherBoundary();
    void oversizedBandStillAdvances();
};

void tst_PageComposer::companyPages_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<QList<int>>("rowsPerPage");
    QTest::addColumn<int>("summaryPage");
    QTest::addColumn<int>("summaryTop"); // micrometres from the top of the sheet

    // Body 10..287 mm, header 18 mm, details of 6.1 mm from 28 mm on: 42 rows a page.
    QTest::newRow("empty: header and summary only") << 0 << QList<int>{0} << 1 << mm(28);
    QTest::newRow("one row") << 1 << QList<int>{1} << 1 << mm(34.1);
    QTest::newRow("40 rows leave 15 mm: summary stays") << 40 << QList<int>{40} << 1 << mm(272);
    QTest::newRow("41 rows leave 8.9 mm: summary moves") << 41 << QList<int>{41, 0} << 2 << mm(28);
    QTest::newRow("42 rows fill the page") << 42 << QList<int>{42, 0} << 2 << mm(28);
    QTest::newRow("43rd row opens page 2") << 43 << QList<int>{42, 1} << 2 << mm(34.1);
    QTest::newRow("100 rows on three pages") << 100 << QList<int>{42, 42, 16} << 3 << mm(28 + 16 * 6.1);
}

void tst_PageComposer::companyPages()
{
    QFETCH(int, rows);
    QFETCH(QList<int>, rowsPerPage);
    QFETCH(int, summaryPage);
    QFETCH(int, summaryTop);

    PageComposer composer(reports::companyReport());
    const auto pages = composer.plan(rows);
    QCOMPARE(int(pages.size()), int(rowsPerPage.size()));
    int firstRow = 0;
    for (int p = 0; p < int(pages.size()); ++p) {
        QCOMPARE(int(pages[p].detailY.size()), rowsPerPage[p]);
        QCOMPARE(pages[p].firstRow, firstRow);
        if (!pages[p].detailY.empty())
            QCOMPARE(pages[p].detailY.front(), mm(28)); // right under the page header
        for (std::size_t i = 1; i < pages[p].detailY.size(); ++i)
            QCOMPARE(pages[p].detailY[i] - pages[p].detailY[i - 1], mm(6.1));
        firstRow += rowsPerPage[p];
        QCOMPARE(pages[p].summaryY.has_value(), p + 1 == summaryPage);
    }
    QCOMPARE(*pages[std::size_t(summaryPage - 1)].summaryY, summaryTop);
    QCOMPARE(composer.pageCount(), int(pages.size()));
}

void tst_PageComposer::summaryKeepTogetherBoundary_data()
{
    QTest::addColumn<int>("spaceLeft");
    QTest::addColumn<int>("summaryPage");

    QTest::newRow("exactly 12.2 mm left: same page") << mm(12.2) << 1;
    QTest::newRow("12.199 mm left: new page") << mm(12.2) - 1 << 2;
    QTest::newRow("20 mm left: same page") << mm(20) << 1;
    QTest::newRow("6.1 mm left (summary alone would fit): new page") << mm(6.1) << 2;
}

void tst_PageComposer::summaryKeepTogetherBoundary()
{
    QFETCH(int, spaceLeft);
    QFETCH(int, summaryPage);

    // Two detail rows under an 18 mm header, then exactly spaceLeft to the bottom margin.
    const int top = mm(10);
    PageComposer composer(top, top + mm(18) + 2 * mm(6.1) + spaceLeft, mm(18), mm(6.1), mm(6.1));
    const auto pages = composer.plan(2);
    QCOMPARE(int(pages.size()), summaryPage);
    QCOMPARE(int(pages.front().detailY.size()), 2);
    QVERIFY(pages.back().summaryY.has_value());
    QCOMPARE(*pages.back().summaryY, summaryPage == 1 ? top + mm(18) + 2 * mm(6.1) : top + mm(18));
}

void tst_PageComposer::oversizedBandStillAdvances()
{
    // A detail band taller than the page body: one per page, never an endless run of empty pages.
    PageComposer composer(0, mm(20), mm(5), mm(30), mm(5));
    const auto pages = composer.plan(3);
    QCOMPARE(int(pages.size()), 4);
    for (int p = 0; p < 3; ++p)
        QCOMPARE(int(pages[std::size_t(p)].detailY.size()), 1);
    QVERIFY(pages.back().summaryY.has_value());
}

QTEST_APPLESS_MAIN(tst_PageComposer)
#include "tst_pagecomposer.moc"
