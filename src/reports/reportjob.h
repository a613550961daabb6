#pragma once

#include "reports/reportlayouter.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>

namespace reports {

// Lays a report out in short slices from the event loop, so the window that
// shows it keeps answering while a long report is built, and the work can be
// stopped. Lives on the user-interface thread.
class ReportJob : public QObject
{
    Q_OBJECT

public:
    // The definition and the row source must outlive the job (or its stop()).
    ReportJob(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options,
              QObject *parent = nullptr);
    ~ReportJob() override;

    // Starts building; the first slice runs from the event loop.
    void start();
    // Stops building: the pages laid out so far stay, no further row is read.
    // Emits finished() when the job was still running.
    void stop();

    bool isRunning() const { return m_running; }
    bool wasStopped() const { return m_stopped; }
    ReportLayouter::Status status() const { return m_layouter->status(); }
    QString errorText() const { return m_layouter->errorText(); }
    const RenderedReport &report() const { return m_layouter->report(); }
    // Pages that can be shown: the finished ones while building, all afterwards.
    int availablePages() const;
    long long rowsLaidOut() const { return m_layouter->rowsLaidOut(); }

    // Time spent in one slice before the event loop gets its turn again.
    static constexpr int sliceMilliseconds = 30;

signals:
    // After every slice that finished at least one further page.
    void pagesAvailable(int pages);
    // Once, when the report is complete, failed or was stopped.
    void finished();

private:
    void runSlice();

    std::unique_ptr<ReportLayouter> m_layouter;
    bool m_running = false;
    bool m_stopped = false;
    int m_announcedPages = 0;
};

} // namespace reports
