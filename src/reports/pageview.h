#pragma once

#include "reports/renderedreport.h"

#include <QRect>
#include <QWidget>

namespace reports {

// Shows one laid-out page at a zoom factor, with an optional highlighted area
// (a text found by the search).
class PageView : public QWidget
{
    Q_OBJECT

public:
    explicit PageView(QWidget *parent = nullptr);

    // The report shown (not owned; may be null) and the page, from 0.
    void setPage(const RenderedReport *report, int pageIndex);
    int pageIndex() const { return m_page; }
    // Screen pixels per micrometre of the sheet.
    void setScale(double pixelsPerMicrometre);
    double scale() const { return m_scale; }
    // Area in sheet micrometres to mark; an empty rectangle clears the mark.
    void setHighlight(const QRect &area);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const RenderedReport *m_report = nullptr;
    int m_page = 0;
    double m_scale = 96.0 / 25400.0;
    QRect m_highlight;
};

} // namespace reports
