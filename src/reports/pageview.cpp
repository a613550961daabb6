#include "reports/pageview.h"

#include "reports/pagepainter.h"

#include <QPaintEvent>
#include <QPainter>

namespace reports {

PageView::PageView(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PageView::setPage(const RenderedReport *report, int pageIndex)
{
    m_report = report;
    m_page = pageIndex;
    resize(sizeHint());
    update();
}

void PageView::setScale(double pixelsPerMicrometre)
{
    m_scale = pixelsPerMicrometre;
    resize(sizeHint());
    update();
}

void PageView::setHighlight(const QRect &area)
{
    m_highlight = area;
    update();
}

QSize PageView::sizeHint() const
{
    if (!m_report)
        return {1, 1};
    return {qMax(1, qRound(m_report->paperWidth * m_scale)), qMax(1, qRound(m_report->paperHeight * m_scale))};
}

void PageView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!m_report)
        return;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    painter.scale(m_scale, m_scale);
    if (!m_highlight.isEmpty())
        painter.fillRect(m_highlight.adjusted(-300, -200, 300, 200), QColor(255, 236, 139));
    PagePainter::paint(painter, *m_report, m_page);
}

} // namespace reports
