#include "reports/pagepainter.h"

#include <QPageLayout>
#include <QPageSize>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include <algorithm>
#include <functional>
#include <vector>

namespace reports {

namespace {

constexpr double micrometresPerInch = 25400.0;

QPageLayout::Orientation pageOrientation(const RenderedReport &report)
{
    return report.orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The sheet size as the paper stands in the printer (portrait dimensions).
QPageSize pageSize(const RenderedReport &report)
{
    const double shortSide = std::min(report.paperWidth, report.paperHeight) / 1000.0;
    const double longSide = std::max(report.paperWidth, report.paperHeight) / 1000.0;
    return QPageSize(QSizeF(shortSide, longSide), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
}

void paintPages(QPainter &painter, const RenderedReport &report, int first, int last, double dotsPerInch,
                const std::function<bool()> &newPage)
{
    const double scale = dotsPerInch / micrometresPerInch;
    for (int index = first; index <= last; ++index) {
        if (index > first && !newPage())
            return;
        painter.save();
        painter.scale(scale, scale);
        PagePainter::paint(painter, report, index);
        painter.restore();
    }
}

} // namespace

QFont PagePainter::font(const FontSpec &fontSpec)
{
    QFont font(fontSpec.family);
    font.setPixelSize(qMax(1, qRound(fontSpec.pointSize * 10)));
    font.setBold(fontSpec.bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

void PagePainter::paint(QPainter &painter, const RenderedReport &report, int pageIndex)
{
    if (pageIndex < 0 || pageIndex >= int(report.pages.size()))
        return;
    const RenderedPage &page = report.pages[std::size_t(pageIndex)];

    // Boxes and rules first: they carry no fill, so drawing them beneath
    // every text is the same picture as drawing them in their band order.
    QPen pen(Qt::black);
    pen.setWidth(penWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // One call for all of them, so the pen is set up once per page.
    QList<QRect> boxes;
    QList<QLine> rules;
    for (const DrawItem &item : page.items) {
        if (item.kind == DrawItem::Box)
            boxes.append(QRect(item.x, item.y, item.w, item.h));
        else if (item.kind == DrawItem::Rule)
            rules.append(QLine(item.x, item.y, item.x + item.w, item.y));
    }
    painter.drawRects(boxes.constData(), int(boxes.size()));
    painter.drawLines(rules.constData(), int(rules.size()));

    // Texts, in font units (tenths of a point).
    std::vector<QFont> fonts;
    std::vector<QFontMetricsF> metrics;
    for (const FontSpec &fontSpec : report.fonts) {
        fonts.push_back(font(fontSpec));
        metrics.emplace_back(fonts.back());
    }
    painter.save();
    painter.scale(textUnit, textUnit);
    painter.setPen(Qt::black);
    const double toText = 1.0 / textUnit;
    int currentFont = -1;
    for (const DrawItem &item : page.items) {
        if (item.kind != DrawItem::Text || item.font >= fonts.size())
            continue;
        if (currentFont != item.font) {
            painter.setFont(fonts[item.font]);
            currentFont = item.font;
        }
        const QFontMetricsF &fm = metrics[item.font];
        const bool right = item.flags & DrawItem::AlignRight;
        const QString text = page.itemText(item);
        if (!(item.flags & DrawItem::Clip)) {
            // One line; its width was measured when the page was laid out.
            const double left = right ? item.x + item.w - item.advance : item.x;
            painter.drawText(QPointF(left * toText, item.y * toText + fm.ascent()), text);
            continue;
        }
        painter.save();
        painter.setClipRect(QRectF(item.x * toText, item.y * toText, item.w * toText, item.h * toText),
                            Qt::IntersectClip);
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const double width = right ? fm.horizontalAdvance(lines[i]) : 0.0;
            const double left = right ? (item.x + item.w) * toText - width : item.x * toText;
            painter.drawText(QPointF(left, item.y * toText + i * fm.lineSpacing() + fm.ascent()), lines[i]);
        }
        painter.restore();
    }
    painter.restore();
}

QImage PagePainter::renderPage(const RenderedReport &report, int pageIndex, double dotsPerInch)
{
    const QSize size(qRound(report.paperWidth * dotsPerInch / micrometresPerInch),
                     qRound(report.paperHeight * dotsPerInch / micrometresPerInch));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dotsPerInch / 0.0254));
    image.setDotsPerMeterY(qRound(dotsPerInch / 0.0254));
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintPages(painter, report, pageIndex, pageIndex, dotsPerInch, [] { return true; });
    return image;
}

bool PagePainter::writePdf(const RenderedReport &report, const QString &fileName, QString *errorText)
{
    QPdfWriter writer(fileName);
    writer.setTitle(report.title);
    writer.setCreator(QStringLiteral("Selvora"));
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(pageSize(report), pageOrientation(report), QMarginsF()));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (errorText)
            *errorText = QStringLiteral("PDF dosyası yazılamadı:\n%1").arg(fileName);
        return false;
    }
    const int last = std::max(0, int(report.pages.size()) - 1);
    paintPages(painter, report, 0, last, writer.resolution(), [&writer] { return writer.newPage(); });
    if (!painter.end()) {
        if (errorText)
            *errorText = QStringLiteral("PDF dosyası yazılamadı:\n%1").arg(fileName);
        return false;
    }
    return true;
}

bool PagePainter::print(const RenderedReport &report, QPrinter &printer, int fromPage, int toPage,
                        QString *errorText)
{
    const int count = int(report.pages.size());
    fromPage = std::clamp(fromPage, 1, std::max(1, count));
    toPage = std::clamp(toPage, fromPage, std::max(1, count));
    printer.setFullPage(true);
    printer.setDocName(report.title);
    printer.setPageOrientation(pageOrientation(report));
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (errorText)
            *errorText = QStringLiteral("Yazdırma başlatılamadı.");
        return false;
    }
    paintPages(painter, report, fromPage - 1, toPage - 1, printer.resolution(),
               [&printer] { return printer.newPage(); });
    painter.end();
    return true;
}

} // namespace reports
