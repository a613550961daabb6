#include "reports/reportjob.h"

#include <QTimer>

namespace reports {

namespace {

// Rows between two looks at the clock.
constexpr int rowsPerStep = 200;

} // namespace

ReportJob::ReportJob(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options,
                     QObject *parent)
    : QObject(parent)
    , m_layouter(std::make_unique<ReportLayouter>(definition, rows, std::move(options)))
{
}

ReportJob::~ReportJob() = default;

void ReportJob::start()
{
    if (m_running || m_layouter->status() != ReportLayouter::Status::More)
        return;
    m_running = true;
    QTimer::singleShot(0, this, &ReportJob::runSlice);
}

void ReportJob::stop()
{
    if (!m_running)
        return;
    m_running = false;
    m_stopped = true;
    emit pagesAvailable(availablePages());
    emit finished();
}

int ReportJob::availablePages() const
{
    if (m_running)
        return m_layouter->finishedPageCount();
    return int(m_layouter->report().pages.size());
}

void ReportJob::runSlice()
{
    if (!m_running)
        return;
    QElapsedTimer clock;
    clock.start();
    ReportLayouter::Status status = ReportLayouter::Status::More;
    do {
        status = m_layouter->step(rowsPerStep);
    } while (status == ReportLayouter::Status::More && clock.elapsed() < sliceMilliseconds);

    if (status != ReportLayouter::Status::More)
        m_running = false;
    const int pages = availablePages();
    if (pages != m_announcedPages) {
        m_announcedPages = pages;
        emit pagesAvailable(pages);
    }
    if (m_running)
        QTimer::singleShot(0, this, &ReportJob::runSlice);
    else
        emit finished();
}

} // namespace reports
