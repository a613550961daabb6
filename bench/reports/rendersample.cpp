// Renders the first page of a sample company report to a PNG (and the whole
// report to a PDF) for the documentation and for looking at the layout.
//
//     rendersample <out.png> [out.pdf] [rows] [dpi] [customer]

#include "samplerows.h"

#include "reports/ledgerreports.h"
#include "reports/pagepainter.h"
#include "reports/reportformat.h"
#include "reports/reportlayouter.h"

#include <QGuiApplication>
#include <QLocale>

#include <cstdio>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: rendersample out.png [out.pdf] [rows] [dpi] [customer]\n");
        return 2;
    }
    const int count = argc > 3 ? std::atoi(argv[3]) : 50;
    const double dpi = argc > 4 ? std::atof(argv[4]) : 110;
    const bool customer = argc > 5 && QByteArray(argv[5]) == "customer";
    auto rows = customer ? sampleCustomerRows(count) : sampleCompanyRows(count);
    reports::LayoutOptions options;
    options.today = QDate(2026, 12, 10);
    options.marks = reports::marksFromLocale(QLocale(QStringLiteral("tr_TR")));
    reports::ReportLayouter layouter(customer ? reports::customerReport() : reports::companyReport(), rows,
                                     options);
    if (layouter.run() != reports::ReportLayouter::Status::Done) {
        std::fprintf(stderr, "%s\n", qPrintable(layouter.errorText()));
        return 1;
    }
    if (!reports::PagePainter::renderPage(layouter.report(), 0, dpi).save(QString::fromLocal8Bit(argv[1])))
        return 1;
    if (argc > 2 && argv[2][0] != '\0' && !reports::PagePainter::writePdf(layouter.report(), QString::fromLocal8Bit(argv[2])))
        return 1;
    return 0;
}
