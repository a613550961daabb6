// Speed and memory of the company report:
//  - 100,000 rows: first page shown, all pages laid out (in the preview, in
//    slices from the event loop), peak memory;
//  - the same report written to PDF;
//  - a 1,000-row report written to PDF (layout included).
// Goals: first page <= 1 s, all pages <= 5 s, memory <= 300 MB, PDF <= 10 s,
// 1,000 rows to PDF <= 0.5 s.

#include "samplerows.h"

#include "reports/ledgerreports.h"
#include "reports/pagepainter.h"
#include "reports/reportformat.h"
#include "reports/reportlayouter.h"
#include "reports/reportpreview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>

namespace {

// Peak resident memory in MB, where the system tells it.
double peakMemoryMb()
{
#ifdef __linux__
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
        }
    }
#endif
    return -1;
}

// Processor time of this process in ms (std::clock: processor time on Linux,
// wall time on Windows): on a busy machine the wall-clock
// figures grow with the load, this one does not.
long long cpuMs()
{
    return (long long)(std::clock() * 1000.0 / CLOCKS_PER_SEC);
}

reports::LayoutOptions options()
{
    reports::LayoutOptions result;
    result.marks = reports::marksFromLocale(QLocale(QStringLiteral("tr_TR")));
    return result;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;

    const double baseMemory = peakMemoryMb();
    auto rows = sampleCompanyRows(100'000);
    const double rowsMemory = peakMemoryMb();

    // The command: open the preview over the rows, as a report command does.
    QElapsedTimer clock;
    clock.start();
    long long cpu = cpuMs();
    reports::ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    preview.show();
    qint64 firstPage = -1;
    while (preview.isBuilding() || firstPage < 0) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (firstPage < 0 && preview.pageCount() >= 1) {
            preview.repaint();
            firstPage = clock.elapsed();
        }
    }
    const qint64 allPages = clock.elapsed();
    const long long allPagesCpu = cpuMs() - cpu;
    const int pages = preview.pageCount();
    const double afterLayout = peakMemoryMb();

    clock.restart();
    cpu = cpuMs();
    const QString bigPdf = dir.filePath(QStringLiteral("big.pdf"));
    if (!reports::PagePainter::writePdf(preview.report(), bigPdf))
        return 1;
    const qint64 bigPdfTime = clock.elapsed();
    const long long bigPdfCpu = cpuMs() - cpu;
    const double afterPdf = peakMemoryMb();

    auto small = sampleCompanyRows(1000);
    clock.restart();
    cpu = cpuMs();
    reports::ReportLayouter layouter(reports::companyReport(), small, options());
    layouter.run();
    const QString smallPdf = dir.filePath(QStringLiteral("small.pdf"));
    if (!reports::PagePainter::writePdf(layouter.report(), smallPdf))
        return 1;
    const qint64 smallPdfTime = clock.elapsed();
    const long long smallPdfCpu = cpuMs() - cpu;

    std::printf("company report, 100,000 rows, %d pages\n", pages);
    std::printf("  first page shown      %6lld ms   (goal <= 1000 ms)\n", firstPage);
    std::printf("  all pages laid out    %6lld ms   (goal <= 5000 ms; %lld ms processor time)\n", allPages,
                allPagesCpu);
    std::printf("  peak memory           %6.0f MB   (goal <= 300 MB; %.0f MB at start, %.0f MB with the rows)\n",
                afterLayout, baseMemory, rowsMemory);
    std::printf("  written to PDF        %6lld ms   (goal <= 10000 ms; %lld ms processor time, %.1f MB file, "
                "peak memory %.0f MB)\n",
                bigPdfTime, bigPdfCpu, QFileInfo(bigPdf).size() / 1e6, afterPdf);
    std::printf("company report, 1,000 rows laid out and written to PDF\n");
    std::printf("                        %6lld ms   (goal <= 500 ms; %lld ms processor time)\n", smallPdfTime,
                smallPdfCpu);
    return 0;
}
