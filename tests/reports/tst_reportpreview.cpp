#include "reportfixtures.h"
#include "reports/ledgerreports.h"
#include "reports/reportformat.h"
#include "reports/reportpreview.h"
#include "widgets/scriptedanswerer.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLocale>
#include <QPrintDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using reports::ReportPreview;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

reports::LayoutOptions options()
{
    reports::LayoutOptions result;
    result.today = QDate(2026, 12, 10);
    result.marks = reports::marksFromLocale(QLocale(QStringLiteral("tr_TR")));
    return result;
}

void waitUntilBuilt(ReportPreview &preview)
{
    QTRY_VERIFY_WITH_TIMEOUT(!preview.isBuilding(), 20000);
}

} // namespace

class tst_ReportPreview : public QObject
{
    Q_OBJECT

private slots:
    void captionAndToolHints();
    void previewAndWaitReturnsWhenClosed();
    void buildsInSlicesAndCanBeStopped();
    void failingDataIsToldInTurkish();
    void navigationAndGoToPage();
    void zoomTools();
    void findsTextOnLaterPage();
    void savesAndLoadsReport();
    void printsThroughPrintDialog();
};

void tst_ReportPreview::captionAndToolHints()
{
    auto rows = reportfixtures::companyRows(3);
    ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    QCOMPARE(preview.windowTitle(), QStringLiteral("Önizleme : FİRMA ÇEKLERİ (BÜTÜN KAYITLAR)"));
    QVERIFY(preview.isWindow());

    const QStringList hints{"sayfaya sığdır", "sayfa genişliğine göre ayarla", "%100 rapor görünümü", "Uzaklaştır",
                            "Yakınlaştır", "ilk sayfa", "önceki sayfa", "sonraki sayfa", "son sayfa",
                            "Sayfa seçiniz", "Bul", "yazıcı ayarları", "Yazdır", "Aktif Sayfayı Kopyala", "rapor aç",
                            "rapor kaydet", "işlemi durdur", "Önizleme kapat"};
    QStringList shown;
    for (QAction *action : preview.findChild<QToolBar *>()->actions()) {
        if (!action->isSeparator())
            shown << action->toolTip();
    }
    QCOMPARE(shown, hints);
    QCOMPARE(preview.action(ReportPreview::Tool::Close)->text(), QStringLiteral("Kapat"));
    QCOMPARE(preview.zoomMode(), ReportPreview::ZoomMode::FitPage);
    waitUntilBuilt(preview);
}

void tst_ReportPreview::previewAndWaitReturnsWhenClosed()
{
    auto rows = reportfixtures::companyRows(10);
    bool sawWindow = false;
    bool otherWindowsUsable = false;
    QTimer::singleShot(100, this, [&] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *preview = qobject_cast<ReportPreview *>(widget);
            if (!preview || !preview->isVisible())
                continue;
            sawWindow = true;
            otherWindowsUsable = !preview->isModal() && QApplication::activeModalWidget() == nullptr;
            preview->action(ReportPreview::Tool::Close)->trigger();
        }
    });
    ReportPreview::previewAndWait(reports::companyReport(), rows, options());
    QVERIFY(sawWindow);
    QVERIFY(otherWindowsUsable);
}

void tst_ReportPreview::buildsInSlicesAndCanBeStopped()
{
    auto rows = reportfixtures::companyRows(60000);
    ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    QTRY_VERIFY(preview.pageCount() >= 1);
    QVERIFY(preview.isBuilding());
    QVERIFY(preview.action(ReportPreview::Tool::Stop)->isEnabled());
    preview.action(ReportPreview::Tool::Stop)->trigger();
    QVERIFY(!preview.isBuilding());
    const int pages = preview.pageCount();
    QVERIFY(pages >= 1 && pages < 60000 / 42);
    QTest::qWait(100);
    QCOMPARE(preview.pageCount(), pages); // nothing more is read
    QVERIFY(!preview.action(ReportPreview::Tool::Stop)->isEnabled());

    // A report command about to reuse the query stops every preview still reading it.
    auto more = reportfixtures::companyRows(30000);
    ReportPreview first, second;
    first.start(reports::companyReport(), more, options());
    second.start(reports::companyReport(), rows, options());
    QTRY_VERIFY(first.pageCount() >= 1 && second.pageCount() >= 1);
    ReportPreview::stopAllBuilding();
    QVERIFY(!first.isBuilding());
    QVERIFY(!second.isBuilding());
}

void tst_ReportPreview::failingDataIsToldInTurkish()
{
    ScriptedAnswerer answerer;
    reportfixtures::FailingRowSource rows(reportfixtures::companyRows(500), 100);
    ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    waitUntilBuilt(preview);
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, widgets::MessageKind::Error);
    QVERIFY2(answerer.asked().first().text.contains(QStringLiteral("Rapor verisi okunamadı: firma_cek.db okunamadı")),
             qPrintable(answerer.asked().first().text));
    QCOMPARE(preview.pageCount(), 3); // the pages laid out before the failure stay visible
}

void tst_ReportPreview::navigationAndGoToPage()
{
    auto rows = reportfixtures::companyRows(200); // 5 pages
    ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    waitUntilBuilt(preview);
    QCOMPARE(preview.pageCount(), 5);
    QCOMPARE(preview.currentPage(), 0);
    QVERIFY(!preview.action(ReportPreview::Tool::PreviousPage)->isEnabled());
    preview.action(ReportPreview::Tool::NextPage)->trigger();
    QCOMPARE(preview.currentPage(), 1);
    preview.action(ReportPreview::Tool::LastPage)->trigger();
    QCOMPARE(preview.currentPage(), 4);
    QVERIFY(!preview.action(ReportPreview::Tool::NextPage)->isEnabled());
    preview.action(ReportPreview::Tool::FirstPage)->trigger();
    QCOMPARE(preview.currentPage(), 0);

    ScriptedAnswerer answerer({MessageReply::typed(QStringLiteral("3")), MessageReply::typed(QStringLiteral("9"))});
    preview.action(ReportPreview::Tool::GoToPage)->trigger();
    QCOMPARE(preview.currentPage(), 2);
    preview.action(ReportPreview::Tool::GoToPage)->trigger(); // out of range: told, page kept
    QCOMPARE(preview.currentPage(), 2);
    QCOMPARE(answerer.asked().size(), 3);
    QCOMPARE(answerer.asked().at(2).kind, widgets::MessageKind::Warning);

    QGuiApplication::clipboard()->clear();
    preview.action(ReportPreview::Tool::CopyPage)->trigger();
    const QImage copied = QGuiApplication::clipboard()->image();
    QVERIFY(!copied.isNull());
    QVERIFY(copied.height() > copied.width()); // the portrait page shown

    const double fitPage = preview.scale();
    preview.action(ReportPreview::Tool::ZoomIn)->trigger();
    QCOMPARE(preview.zoomMode(), ReportPreview::ZoomMode::Fixed);
    QVERIFY(preview.scale() > fitPage);
}

void tst_ReportPreview::zoomTools()
{
    auto rows = reportfixtures::companyRows(3);
    ReportPreview preview;
    preview.resize(900, 500); // wider than the page shown whole: fitting the width is larger
    preview.start(reports::companyReport(), rows, options());
    preview.show();
    waitUntilBuilt(preview);
    const auto use = [&](ReportPreview::Tool tool) {
        preview.action(tool)->trigger();
        return preview.scale();
    };
    const double fitPage = use(ReportPreview::Tool::FitPage);
    QCOMPARE(preview.zoomMode(), ReportPreview::ZoomMode::FitPage);
    const double fitWidth = use(ReportPreview::Tool::FitWidth);
    QCOMPARE(preview.zoomMode(), ReportPreview::ZoomMode::FitWidth);
    QVERIFY(fitWidth > fitPage);
    QCOMPARE(use(ReportPreview::Tool::ActualSize), preview.logicalDpiX() / 25400.0);
    const double actual = preview.scale();
    QVERIFY(use(ReportPreview::Tool::ZoomOut) < actual);
    QCOMPARE(preview.zoomMode(), ReportPreview::ZoomMode::Fixed);
    QVERIFY(qAbs(use(ReportPreview::Tool::ZoomIn) - actual) < 1e-12);
    // A fitted zoom follows the window's size.
    use(ReportPreview::Tool::FitWidth);
    preview.resize(1200, 500);
    QTRY_VERIFY(preview.scale() > fitWidth);
}

void tst_ReportPreview::findsTextOnLaterPage()
{
    auto rows = reportfixtures::companyRows(100);
    ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    waitUntilBuilt(preview);
    QVERIFY(preview.findNext(QStringLiteral("ALICI 50"))); // Turkish case: I is the capital of ı
    QCOMPARE(preview.currentPage(), 1);
    // A new text is looked for from the top of the page shown.
    QVERIFY(preview.findNext(QStringLiteral("Sayfa No:")));
    QCOMPARE(preview.currentPage(), 1);
    QVERIFY(preview.findNext(QStringLiteral("Sayfa No:")));
    QCOMPARE(preview.currentPage(), 2);
    QVERIFY(!preview.findNext(QStringLiteral("Sayfa No:")));
}

void tst_ReportPreview::savesAndLoadsReport()
{
    QTemporaryDir dir;
    auto rows = reportfixtures::companyRows(60);
    ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    waitUntilBuilt(preview);
    const QString file = dir.filePath(QStringLiteral("rapor.srp"));
    QVERIFY(preview.saveTo(file));
    QVERIFY(preview.saveTo(dir.filePath(QStringLiteral("rapor.pdf"))));
    QVERIFY(QFileInfo(dir.filePath(QStringLiteral("rapor.pdf"))).size() > 1000);

    ReportPreview other;
    QVERIFY(other.loadFrom(file));
    QCOMPARE(other.pageCount(), 2);
    QCOMPARE(other.windowTitle(), QStringLiteral("Önizleme : FİRMA ÇEKLERİ (BÜTÜN KAYITLAR)"));
    QCOMPARE(other.report().pageTexts(1), preview.report().pageTexts(1));

    ScriptedAnswerer answerer;
    QVERIFY(!other.loadFrom(dir.filePath(QStringLiteral("rapor.pdf"))));
    QCOMPARE(answerer.asked().size(), 1);
    QVERIFY(answerer.asked().first().text.contains(QStringLiteral("Bu dosya bir rapor dosyası değil.")));
    QCOMPARE(other.pageCount(), 2); // the shown report stays
}

void tst_ReportPreview::printsThroughPrintDialog()
{
    QTemporaryDir dir;
    auto rows = reportfixtures::companyRows(100); // 3 pages
    ReportPreview preview;
    preview.start(reports::companyReport(), rows, options());
    waitUntilBuilt(preview);
    const QString output = dir.filePath(QStringLiteral("baski.pdf"));
    preview.printer().setOutputFormat(QPrinter::PdfFormat);
    preview.printer().setOutputFileName(output);

    int minPage = 0, maxPage = 0;
    ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *dialog) {
        auto *print = qobject_cast<QPrintDialog *>(dialog);
        QVERIFY(print);
        minPage = print->minPage();
        maxPage = print->maxPage();
        print->accept();
    })});
    preview.action(ReportPreview::Tool::Print)->trigger();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, widgets::MessageKind::Dialog);
    QCOMPARE(minPage, 1);
    QCOMPARE(maxPage, 3);
    QCOMPARE(preview.printer().docName(), QStringLiteral("FİRMA ÇEKLERİ (BÜTÜN KAYITLAR)"));
    QTRY_VERIFY(QFileInfo(output).size() > 1000);
}

QTEST_MAIN(tst_ReportPreview)
#include "tst_reportpreview.moc"
