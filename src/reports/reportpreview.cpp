#include "reports/reportpreview.h"

#include "reports/pagepainter.h"
#include "reports/pageview.h"
#include "reports/reportformat.h"
#include "widgets/messageservice.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPageSetupDialog>
#include <QPointer>
#include <QPrintDialog>
#include <QSaveFile>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

using widgets::MessageService;

namespace reports {

namespace {

constexpr double micrometresPerInch = 25400.0;
constexpr double zoomStep = 1.25;
constexpr double minimumScale = 10.0 / micrometresPerInch;  // 10 dpi
constexpr double maximumScale = 800.0 / micrometresPerInch; // 800 dpi
constexpr int pageGap = 12; // pixels around the page inside the scroll area

// Every preview alive, for stopAllBuilding().
QList<ReportPreview *> &openPreviews()
{
    static QList<ReportPreview *> previews;
    return previews;
}

const QString reportFilter = QStringLiteral("Selvora raporu (*.srp)");
const QString pdfFilter = QStringLiteral("PDF (*.pdf)");

} // namespace

ReportPreview::ReportPreview(QWidget *parent)
    : QWidget(parent, Qt::Window)
{
    openPreviews().append(this);
    m_printer.setCopyCount(1);
    m_printer.setPaperSource(QPrinter::Auto);
    m_printer.setDuplex(QPrinter::DuplexNone);
    m_printer.setPrintRange(QPrinter::AllPages);
    m_printer.setFullPage(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_toolBar = new QToolBar(this);
    layout->addWidget(m_toolBar);
    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignCenter);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_view = new PageView;
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(false);
    layout->addWidget(m_scroll, 1);
    auto *status = new QStatusBar(this);
    m_pageLabel = new QLabel(status);
    m_stateLabel = new QLabel(status);
    status->addWidget(m_pageLabel);
    status->addWidget(m_stateLabel, 1);
    layout->addWidget(status);
    buildToolBar();

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        resize(qMin(area.width(), 900), qMax(400, area.height() * 9 / 10));
    } else {
        resize(900, 900);
    }
    updateState();
}

ReportPreview::~ReportPreview()
{
    openPreviews().removeOne(this);
    if (m_job) {
        m_job->disconnect(this);
        m_job->stop();
    }
}

QAction *ReportPreview::addTool(Tool tool, const QString &text, const QString &hint, int standardIcon)
{
    auto *action = new QAction(text, this);
    action->setToolTip(hint);
    action->setStatusTip(hint);
    action->setObjectName(hint);
    if (standardIcon >= 0)
        action->setIcon(style()->standardIcon(QStyle::StandardPixmap(standardIcon)));
    m_toolBar->addAction(action);
    if (auto *button = qobject_cast<QToolButton *>(m_toolBar->widgetForAction(action)))
        button->setToolButtonStyle(standardIcon >= 0 ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextOnly);
    const auto index = std::size_t(tool);
    if (m_actions.size() <= index)
        m_actions.resize(index + 1, nullptr);
    m_actions[index] = action;
    return action;
}

QAction *ReportPreview::action(Tool tool) const
{
    const auto index = std::size_t(tool);
    return index < m_actions.size() ? m_actions[index] : nullptr;
}

void ReportPreview::buildToolBar()
{
    connect(addTool(Tool::FitPage, QStringLiteral("Sayfa"), QStringLiteral("sayfaya sığdır")),
            &QAction::triggered, this, [this] { setZoom(ZoomMode::FitPage); });
    connect(addTool(Tool::FitWidth, QStringLiteral("Genişlik"), QStringLiteral("sayfa genişliğine göre ayarla")),
            &QAction::triggered, this, [this] { setZoom(ZoomMode::FitWidth); });
    connect(addTool(Tool::ActualSize, QStringLiteral("%100"), QStringLiteral("%100 rapor görünümü")),
            &QAction::triggered, this, [this] { setZoom(ZoomMode::Fixed, logicalDpiX() / micrometresPerInch); });
    connect(addTool(Tool::ZoomOut, QStringLiteral("−"), QStringLiteral("Uzaklaştır")), &QAction::triggered, this,
            [this] { setZoom(ZoomMode::Fixed, scale() / zoomStep); });
    connect(addTool(Tool::ZoomIn, QStringLiteral("+"), QStringLiteral("Yakınlaştır")), &QAction::triggered, this,
            [this] { setZoom(ZoomMode::Fixed, scale() * zoomStep); });
    m_toolBar->addSeparator();
    connect(addTool(Tool::FirstPage, QStringLiteral("İlk"), QStringLiteral("ilk sayfa"), QStyle::SP_MediaSkipBackward),
            &QAction::triggered, this, [this] { goToPage(0); });
    connect(addTool(Tool::PreviousPage, QStringLiteral("Önceki"), QStringLiteral("önceki sayfa"),
                    QStyle::SP_MediaSeekBackward),
            &QAction::triggered, this, [this] { goToPage(m_page - 1); });
    connect(addTool(Tool::NextPage, QStringLiteral("Sonraki"), QStringLiteral("sonraki sayfa"),
                    QStyle::SP_MediaSeekForward),
            &QAction::triggered, this, [this] { goToPage(m_page + 1); });
    connect(addTool(Tool::LastPage, QStringLiteral("Son"), QStringLiteral("son sayfa"), QStyle::SP_MediaSkipForward),
            &QAction::triggered, this, [this] { goToPage(pageCount() - 1); });
    connect(addTool(Tool::GoToPage, QStringLiteral("Sayfa…"), QStringLiteral("Sayfa seçiniz")), &QAction::triggered,
            this, &ReportPreview::askPage);
    connect(addTool(Tool::Find, QStringLiteral("Bul"), QStringLiteral("Bul")), &QAction::triggered, this,
            &ReportPreview::askFind);
    m_toolBar->addSeparator();
    connect(addTool(Tool::PrinterSetup, QStringLiteral("Ayarlar"), QStringLiteral("yazıcı ayarları")),
            &QAction::triggered, this, &ReportPreview::printerSetup);
    connect(addTool(Tool::Print, QStringLiteral("Yazdır"), QStringLiteral("Yazdır")), &QAction::triggered, this,
            &ReportPreview::print);
    connect(addTool(Tool::CopyPage, QStringLiteral("Kopyala"), QStringLiteral("Aktif Sayfayı Kopyala")),
            &QAction::triggered, this, &ReportPreview::copyPage);
    connect(addTool(Tool::Load, QStringLiteral("Aç"), QStringLiteral("rapor aç"), QStyle::SP_DialogOpenButton),
            &QAction::triggered, this, &ReportPreview::askLoad);
    connect(addTool(Tool::Save, QStringLiteral("Kaydet"), QStringLiteral("rapor kaydet"), QStyle::SP_DialogSaveButton),
            &QAction::triggered, this, &ReportPreview::askSave);
    connect(addTool(Tool::Stop, QStringLiteral("Durdur"), QStringLiteral("işlemi durdur"), QStyle::SP_BrowserStop),
            &QAction::triggered, this, [this] {
                if (m_job)
                    m_job->stop();
            });
    m_toolBar->addSeparator();
    connect(addTool(Tool::Close, QStringLiteral("Kapat"), QStringLiteral("Önizleme kapat")), &QAction::triggered, this,
            &QWidget::close);
}

void ReportPreview::start(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options)
{
    m_job.reset();
    m_showLoaded = false;
    m_loaded = {};
    m_page = 0;
    m_findItem = -1;
    setWindowTitle(QStringLiteral("Önizleme : ") + definition.title);
    m_printer.setDocName(definition.title);
    m_printer.setPageOrientation(definition.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                                 : QPageLayout::Portrait);
    m_printer.setPageSize(QPageSize(QPageSize::A4));
    m_job = std::make_unique<ReportJob>(definition, rows, std::move(options));
    connect(m_job.get(), &ReportJob::pagesAvailable, this, [this] {
        showPage();
        updateState();
    });
    connect(m_job.get(), &ReportJob::finished, this, &ReportPreview::onJobFinished);
    m_job->start();
    showPage();
    updateState();
}

void ReportPreview::stopAllBuilding()
{
    for (ReportPreview *preview : openPreviews()) {
        if (preview->m_job)
            preview->m_job->stop();
    }
}

void ReportPreview::previewAndWait(const ReportDefinition &definition, engine::RowSource &rows)
{
    LayoutOptions options;
    options.today = QDate::currentDate();
    options.marks = marksFromLocale(QLocale::system());
    previewAndWait(definition, rows, std::move(options));
}

void ReportPreview::previewAndWait(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options)
{
    // No parent: a normal window of its own, never kept above the main window.
    ReportPreview preview;
    QEventLoop loop;
    connect(&preview, &ReportPreview::closed, &loop, &QEventLoop::quit);
    preview.start(definition, rows, std::move(options));
    preview.show();
    preview.raise();
    preview.activateWindow();
    loop.exec();
}

const RenderedReport &ReportPreview::report() const
{
    static const RenderedReport empty;
    if (m_showLoaded)
        return m_loaded;
    return m_job ? m_job->report() : empty;
}

int ReportPreview::pageCount() const
{
    if (m_showLoaded)
        return int(m_loaded.pages.size());
    return m_job ? m_job->availablePages() : 0;
}

bool ReportPreview::isBuilding() const
{
    return !m_showLoaded && m_job && m_job->isRunning();
}

double ReportPreview::scale() const
{
    return m_view->scale();
}

void ReportPreview::goToPage(int pageIndex)
{
    const int count = pageCount();
    if (count == 0)
        return;
    const int page = std::clamp(pageIndex, 0, count - 1);
    if (page != m_page)
        m_view->setHighlight({});
    m_page = page;
    showPage();
    updateState();
}

void ReportPreview::setZoom(ZoomMode mode, double pixelsPerMicrometre)
{
    m_zoomMode = mode;
    if (mode == ZoomMode::Fixed)
        m_fixedScale = std::clamp(pixelsPerMicrometre, minimumScale, maximumScale);
    applyZoom();
}

void ReportPreview::applyZoom()
{
    const RenderedReport &shown = report();
    const QSize viewport = m_scroll->viewport()->size() - QSize(2 * pageGap, 2 * pageGap);
    double scale = m_fixedScale;
    if (m_zoomMode != ZoomMode::Fixed && shown.paperWidth > 0 && shown.paperHeight > 0) {
        const double byWidth = double(viewport.width()) / shown.paperWidth;
        const double byHeight = double(viewport.height()) / shown.paperHeight;
        scale = m_zoomMode == ZoomMode::FitWidth ? byWidth : std::min(byWidth, byHeight);
        scale = std::clamp(scale, minimumScale, maximumScale);
    }
    m_view->setScale(scale);
}

void ReportPreview::showPage()
{
    const int count = pageCount();
    if (count == 0) {
        m_view->setPage(nullptr, 0);
        return;
    }
    m_page = std::clamp(m_page, 0, count - 1);
    m_view->setPage(&report(), m_page);
    applyZoom();
}

void ReportPreview::updateState()
{
    const int count = pageCount();
    m_pageLabel->setText(count == 0 ? QString() : QStringLiteral("Sayfa %1 / %2").arg(m_page + 1).arg(count));
    const bool building = isBuilding();
    if (building) {
        m_stateLabel->setText(QStringLiteral("Rapor hazırlanıyor… (%1 kayıt)").arg(m_job->rowsLaidOut()));
    } else if (!m_showLoaded && m_job && m_job->wasStopped()) {
        m_stateLabel->setText(QStringLiteral("Rapor hazırlama durduruldu."));
    } else if (!m_showLoaded && m_job && m_job->status() == ReportLayouter::Status::Failed) {
        m_stateLabel->setText(m_job->errorText());
    } else {
        m_stateLabel->clear();
    }
    action(Tool::FirstPage)->setEnabled(m_page > 0);
    action(Tool::PreviousPage)->setEnabled(m_page > 0);
    action(Tool::NextPage)->setEnabled(m_page + 1 < count);
    action(Tool::LastPage)->setEnabled(m_page + 1 < count);
    action(Tool::GoToPage)->setEnabled(count > 1);
    action(Tool::Stop)->setEnabled(building);
    for (Tool tool : {Tool::Print, Tool::Save, Tool::Find, Tool::CopyPage})
        action(tool)->setEnabled(count > 0 && !building);
}

void ReportPreview::onJobFinished()
{
    showPage();
    updateState();
    if (m_job && m_job->status() == ReportLayouter::Status::Failed)
        MessageService::error(QStringLiteral("\r\n") + m_job->errorText());
}

void ReportPreview::askPage()
{
    const int count = pageCount();
    QString answer = QString::number(m_page + 1);
    if (!MessageService::inputQuery(QStringLiteral("Sayfa seçiniz"),
                                    QStringLiteral("Sayfa numarası (1 - %1):").arg(count), answer))
        return;
    bool ok = false;
    const int page = answer.trimmed().toInt(&ok);
    if (!ok || page < 1 || page > count) {
        MessageService::warning(QStringLiteral("\r\nSayfa numarası 1 ile %1 arasında olmalı.").arg(count));
        return;
    }
    goToPage(page - 1);
}

bool ReportPreview::findNext(const QString &text)
{
    if (text.isEmpty())
        return false;
    if (text != m_lastFind) {
        m_lastFind = text;
        m_findPage = m_page;
        m_findItem = -1;
    }
    // Turkish case rules: "ı" finds "I", "i" finds "İ".
    const QLocale turkish(QLocale::Turkish, QLocale::Turkey);
    const QString wanted = turkish.toLower(text);
    const RenderedReport &shown = report();
    const int count = pageCount();
    for (int page = m_findPage; page < count; ++page) {
        const RenderedPage &content = shown.pages[std::size_t(page)];
        const int firstItem = page == m_findPage ? m_findItem + 1 : 0;
        for (int i = firstItem; i < int(content.items.size()); ++i) {
            const DrawItem &item = content.items[std::size_t(i)];
            if (item.kind != DrawItem::Text || !turkish.toLower(content.itemText(item)).contains(wanted))
                continue;
            m_findPage = page;
            m_findItem = i;
            goToPage(page);
            m_view->setHighlight(QRect(item.x, item.y, item.w, item.h));
            const QPoint centre(qRound((item.x + item.w / 2) * scale()), qRound((item.y + item.h / 2) * scale()));
            m_scroll->ensureVisible(centre.x(), centre.y());
            return true;
        }
    }
    return false;
}

void ReportPreview::askFind()
{
    QString text = m_lastFind;
    if (!MessageService::inputQuery(QStringLiteral("Bul"), QStringLiteral("Aranacak metin:"), text)
        || text.isEmpty())
        return;
    if (!findNext(text)) {
        MessageService::information(QStringLiteral("\r\n\"%1\" bulunamadı.").arg(text));
        m_findPage = 0;
        m_findItem = -1;
    }
}

void ReportPreview::printerSetup()
{
    QPageSetupDialog dialog(&m_printer, this);
    MessageService::execDialog(&dialog, QStringLiteral("yazıcı ayarları"));
}

void ReportPreview::print()
{
    const int count = pageCount();
    if (count == 0)
        return;
    QPrintDialog dialog(&m_printer, this);
    dialog.setMinMax(1, count);
    dialog.setFromTo(1, count);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    if (MessageService::execDialog(&dialog, QStringLiteral("Yazdır")) != QDialog::Accepted)
        return;
    int from = 1, to = count;
    if (m_printer.printRange() == QPrinter::PageRange) {
        from = m_printer.fromPage();
        to = m_printer.toPage();
    } else if (m_printer.printRange() == QPrinter::CurrentPage) {
        from = to = m_page + 1;
    }
    m_printer.setDocName(report().title);
    QString error;
    if (!PagePainter::print(report(), m_printer, from, to, &error))
        MessageService::error(QStringLiteral("\r\n") + error);
}

void ReportPreview::copyPage()
{
    if (pageCount() == 0)
        return;
    QGuiApplication::clipboard()->setImage(PagePainter::renderPage(report(), m_page, 150));
}

bool ReportPreview::saveTo(const QString &fileName)
{
    QString error;
    if (fileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
        if (PagePainter::writePdf(report(), fileName, &error))
            return true;
    } else {
        QSaveFile file(fileName);
        if (file.open(QIODevice::WriteOnly) && report().save(file) && file.commit())
            return true;
        error = QStringLiteral("Rapor dosyası yazılamadı:\n%1").arg(fileName);
    }
    MessageService::error(QStringLiteral("\r\n") + error);
    return false;
}

bool ReportPreview::loadFrom(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        MessageService::error(QStringLiteral("\r\nRapor dosyası açılamadı:\n%1").arg(fileName));
        return false;
    }
    RenderedReport loaded;
    QString error;
    if (!loaded.load(file, &error)) {
        MessageService::error(QStringLiteral("\r\n") + error);
        return false;
    }
    if (m_job)
        m_job->stop();
    m_loaded = std::move(loaded);
    m_showLoaded = true;
    m_page = 0;
    m_findItem = -1;
    m_lastFind.clear();
    m_view->setHighlight({});
    setWindowTitle(QStringLiteral("Önizleme : ") + m_loaded.title);
    showPage();
    updateState();
    return true;
}

void ReportPreview::askSave()
{
    QFileDialog dialog(this, QStringLiteral("rapor kaydet"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters({reportFilter, pdfFilter});
    dialog.selectNameFilter(reportFilter);
    if (MessageService::execDialog(&dialog, QStringLiteral("rapor kaydet")) != QDialog::Accepted
        || dialog.selectedFiles().isEmpty())
        return;
    QString fileName = dialog.selectedFiles().constFirst();
    const bool pdf = dialog.selectedNameFilter() == pdfFilter;
    const QString suffix = pdf ? QStringLiteral(".pdf") : QStringLiteral(".srp");
    if (!fileName.endsWith(suffix, Qt::CaseInsensitive))
        fileName += suffix;
    saveTo(fileName);
}

void ReportPreview::askLoad()
{
    QFileDialog dialog(this, QStringLiteral("rapor aç"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({reportFilter});
    if (MessageService::execDialog(&dialog, QStringLiteral("rapor aç")) != QDialog::Accepted
        || dialog.selectedFiles().isEmpty())
        return;
    loadFrom(dialog.selectedFiles().constFirst());
}

void ReportPreview::closeEvent(QCloseEvent *event)
{
    // No row is read once the window is gone: the caller resumes and may
    // reuse its query.
    if (m_job)
        m_job->stop();
    QWidget::closeEvent(event);
    emit closed();
}

void ReportPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyZoom();
}

} // namespace reports
