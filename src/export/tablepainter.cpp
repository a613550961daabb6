#include "export/tablepainter.h"

#include "export/exportjob.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace exporting {

namespace {

int columnWeight(const engine::FieldDef &field, const QString &caption)
{
    int weight = 10;
    switch (field.type) {
    case engine::FieldType::Date: weight = 11; break;
    case engine::FieldType::Money: weight = 15; break;
    case engine::FieldType::Boolean: weight = 5; break;
    case engine::FieldType::AutoInc:
    case engine::FieldType::Integer: weight = 7; break;
    case engine::FieldType::Memo: weight = 30; break;
    case engine::FieldType::Char: weight = std::clamp(field.size, 5, 20); break;
    }
    // Captions wrap at blanks, but each word of one needs its room.
    int longestWord = 0;
    for (const QString &word : caption.split(u' ', Qt::SkipEmptyParts))
        longestWord = std::max<int>(longestWord, int(word.size()) + 1);
    return std::max(weight, longestWord);
}

} // namespace

TablePainter::TablePainter(ExportJob &job)
    : m_job(job)
{
    for (int c = 0; c < job.columnCount(); ++c) {
        m_weights.append(columnWeight(job.field(c), job.caption(c)));
        m_totalWeight += m_weights.last();
    }
}

QPageLayout::Orientation TablePainter::orientation() const
{
    return m_totalWeight > 90 ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QPageLayout TablePainter::pageLayout() const
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation(), m_job.pageMargins(), QPageLayout::Inch);
}

bool TablePainter::paint(QPagedPaintDevice *device)
{
    QPainter painter;
    if (!painter.begin(device)) {
        m_job.fail(QStringLiteral("Sayfa çizimi başlatılamadı."));
        return false;
    }
    // Arial 8, made smaller (down to 6 points) when the columns would not
    // get the room their weights ask for.
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    const QRectF page = painter.viewport();
    const int columns = m_job.columnCount();
    {
        const QFontMetricsF natural(font, device);
        const qreal needed = m_totalWeight * natural.horizontalAdvance(u'0') + columns * natural.horizontalAdvance(u'0');
        if (needed > page.width())
            font.setPointSizeF(std::max(6.0, 8 * page.width() / needed));
    }
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(font);
    const QFontMetricsF metrics(font, device);
    const QFontMetricsF boldMetrics(bold, device);

    const qreal rowHeight = metrics.height() * 1.5;
    const qreal lineGap = rowHeight - metrics.height();
    const qreal padding = metrics.horizontalAdvance(u'0') / 2;
    const qreal footer = rowHeight;
    QList<qreal> lefts;
    QList<qreal> widths;
    qreal x = 0;
    for (int c = 0; c < columns; ++c) {
        lefts.append(x);
        widths.append(page.width() * m_weights[c] / std::max(m_totalWeight, 1));
        x += widths.last();
    }
    qreal headerHeight = rowHeight;
    for (int c = 0; c < columns; ++c) {
        const QRectF bounds = boldMetrics.boundingRect(QRectF(0, 0, widths[c] - 2 * padding, page.height()),
                                                       Qt::TextWordWrap, m_job.caption(c));
        headerHeight = std::max(headerHeight, bounds.height() + lineGap);
    }
    const QPen rule(QColor(128, 128, 128), 0);
    int pageNumber = 0;

    const auto startPage = [&] {
        if (pageNumber > 0)
            device->newPage();
        ++pageNumber;
        painter.setFont(bold);
        painter.fillRect(QRectF(0, 0, x, headerHeight), QColor(224, 224, 224));
        for (int c = 0; c < columns; ++c) {
            const QRectF cell(lefts[c] + padding, lineGap / 2, widths[c] - 2 * padding, headerHeight - lineGap);
            painter.drawText(cell, Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, m_job.caption(c));
        }
        painter.setFont(font);
        painter.setPen(rule);
        painter.drawRect(QRectF(0, 0, x, headerHeight));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, page.height() - footer, page.width(), footer), Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("Sayfa %1").arg(pageNumber));
    };
    // Closes the ruled block of the rows painted on a page.
    const auto finishPage = [&](qreal bottom) {
        painter.setPen(rule);
        for (int c = 0; c <= columns; ++c) {
            const qreal at = c < columns ? lefts[c] : x;
            painter.drawLine(QPointF(at, 0), QPointF(at, bottom));
        }
        painter.setPen(Qt::black);
    };

    startPage();
    // Rows grow to hold their wrapped text (a long note, a line break), so no
    // value is cut; only a row taller than a whole page is clipped at its foot.
    const qreal bodyTop = headerHeight;
    const qreal bodyBottom = page.height() - footer;
    qreal top = bodyTop;
    QStringList texts;
    QList<bool> fits(columns, false);
    m_job.restart();
    while (m_job.nextRow()) {
        texts.clear();
        qreal height = rowHeight;
        for (int c = 0; c < columns; ++c) {
            texts.append(m_job.displayText(c));
            fits[c] = !texts.last().contains(u'\n') && metrics.horizontalAdvance(texts.last()) <= widths[c] - 2 * padding;
            if (fits[c])
                continue;
            const QRectF bounds = metrics.boundingRect(QRectF(0, 0, widths[c] - 2 * padding, bodyBottom), Qt::TextWordWrap, texts.last());
            height = std::max(height, bounds.height() + lineGap);
        }
        height = std::min(height, bodyBottom - bodyTop);
        if (top + height > bodyBottom && top > bodyTop) {
            finishPage(top);
            startPage();
            top = bodyTop;
        }
        for (int c = 0; c < columns; ++c) {
            if (texts[c].isEmpty())
                continue;
            const bool right = m_job.type(c) == engine::FieldType::Money;
            if (fits[c]) {
                // One line that fits needs no text layout: the common case, and ten times faster.
                const qreal left = right ? lefts[c] + widths[c] - padding - metrics.horizontalAdvance(texts[c])
                                         : lefts[c] + padding;
                painter.drawText(QPointF(left, top + lineGap / 2 + metrics.ascent()), texts[c]);
                continue;
            }
            const QRectF cell(lefts[c] + padding, top + lineGap / 2, widths[c] - 2 * padding, height - lineGap);
            painter.drawText(cell, Qt::AlignTop | (right ? Qt::AlignRight : Qt::AlignLeft) | Qt::TextWordWrap, texts[c]);
        }
        top += height;
        painter.setPen(rule);
        painter.drawLine(QPointF(0, top), QPointF(x, top));
        painter.setPen(Qt::black);
    }
    finishPage(top);
    painter.end();
    return !m_job.cancelled();
}

} // namespace exporting
