#pragma once

#include <QList>
#include <QPageLayout>

class QPagedPaintDevice;

namespace exporting {

class ExportJob;

// Lays the job's rows out as a ruled table, page after page, on a PDF writer
// or a printer: captions at the top of every page, amounts right-aligned, a
// page number at the foot. Rows are painted as they are read.
class TablePainter
{
public:
    explicit TablePainter(ExportJob &job);

    // Landscape when the columns would be cramped on an upright page.
    QPageLayout::Orientation orientation() const;
    // The page layout a device should be given before paint(): A4, the
    // orientation above and the job's margins.
    QPageLayout pageLayout() const;

    // Paints the caption row and every row of the job. Returns false when the
    // painter could not start on the device (job.fail() says so) or the user cancelled.
    bool paint(QPagedPaintDevice *device);

private:
    ExportJob &m_job;
    QList<int> m_weights;
    int m_totalWeight = 0;
};

} // namespace exporting
