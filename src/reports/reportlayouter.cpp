#include "reports/reportlayouter.h"

#include "reports/pagepainter.h"
#include "reports/reportformat.h"

#include <exception>
#include <limits>

namespace reports {

namespace {

// Cached widths per font; a report repeats statuses, payees and dates a lot.
constexpr qsizetype widthCacheLimit = 20000;

QString singleLine(QString text)
{
    for (QChar &c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return text;
}

} // namespace

ReportLayouter::ReportLayouter(const ReportDefinition &definition, engine::RowSource &rows, LayoutOptions options)
    : m_definition(definition)
    , m_rows(rows)
    , m_options(std::move(options))
    , m_composer(definition)
{
    m_report.title = definition.title;
    m_report.orientation = definition.orientation;
    m_report.paperWidth = definition.paperWidth;
    m_report.paperHeight = definition.paperHeight;
    m_dateText = m_options.today.isValid() ? m_options.today.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

int ReportLayouter::fontIndex(const FontSpec &font)
{
    for (std::size_t i = 0; i < m_report.fonts.size(); ++i) {
        if (m_report.fonts[i] == font)
            return int(i);
    }
    m_report.fonts.push_back(font);
    m_metrics.emplace_back(PagePainter::font(font));
    m_widthCache.emplace_back();
    return int(m_report.fonts.size() - 1);
}

bool ReportLayouter::prepareBand(const ReportBand &band, PreparedBand &prepared)
{
    prepared.band = &band;
    for (const ReportElement &element : band.elements) {
        Prepared item;
        item.element = &element;
        if (element.kind != ElementKind::Box)
            item.font = fontIndex(element.font);
        if (element.kind == ElementKind::Field || element.kind == ElementKind::Expression) {
            item.field = m_rows.fieldIndex(element.field.toStdString());
            if (item.field < 0) {
                fail(QStringLiteral("Rapor verisinde \"%1\" alanı yok.").arg(element.field));
                return false;
            }
            item.type = m_rows.fields()[std::size_t(item.field)].type;
        }
        if (element.kind == ElementKind::Expression) {
            item.sum = int(m_sums.size());
            m_sums.push_back(0);
            m_sumFields.push_back(item.field);
        }
        prepared.elements.push_back(item);
    }
    return true;
}

bool ReportLayouter::prepare()
{
    m_started = true;
    if (!prepareBand(m_definition.pageHeader, m_header) || !prepareBand(m_definition.detail, m_detail)
        || !prepareBand(m_definition.summary, m_summary))
        return false;
    m_rows.restart();
    const PageComposer::Placement first = m_composer.begin();
    openPage();
    emitBand(m_header, first.y, first.page);
    return true;
}

ReportLayouter::Status ReportLayouter::fail(const QString &why)
{
    m_error = why;
    m_status = Status::Failed;
    return m_status;
}

void ReportLayouter::openPage()
{
    m_report.pages.emplace_back();
}

double ReportLayouter::textWidth(int font, const QString &text)
{
    auto &cache = m_widthCache[std::size_t(font)];
    const auto found = cache.constFind(text);
    if (found != cache.constEnd())
        return found.value();
    const double width = m_metrics[std::size_t(font)].horizontalAdvance(text) * PagePainter::textUnit;
    if (cache.size() >= widthCacheLimit)
        cache.clear();
    cache.insert(text, width);
    return width;
}

void ReportLayouter::emitText(const Prepared &prepared, Micrometres x, Micrometres y, const QString &text)
{
    const ReportElement &element = *prepared.element;
    RenderedPage &page = m_report.pages.back();
    DrawItem item;
    item.kind = DrawItem::Text;
    item.font = std::uint8_t(prepared.font);
    item.y = y;
    item.h = element.height;
    if (element.alignment == Alignment::Right)
        item.flags |= DrawItem::AlignRight;

    QString shown;
    if (element.sizing == Sizing::Grows) {
        shown = singleLine(text);
        const Micrometres width = Micrometres(textWidth(prepared.font, shown) + 0.5);
        item.w = width;
        item.advance = width;
        item.x = element.alignment == Alignment::Right ? x + element.width - width : x;
    } else {
        // Wrap at word boundaries; keep the lines that fit in the height (the
        // first one always), clip at the box.
        item.x = x;
        item.w = element.width;
        const QFontMetricsF &metrics = m_metrics[std::size_t(prepared.font)];
        const QString flat = singleLine(text);
        const double available = element.width;
        const double flatWidth = textWidth(prepared.font, flat);
        if (flatWidth <= available) {
            shown = flat;
            item.advance = Micrometres(flatWidth + 0.5);
        } else {
            item.flags |= DrawItem::Clip;
            const QStringList words = flat.split(u' ', Qt::SkipEmptyParts);
            QStringList lines;
            QString line;
            for (const QString &word : words) {
                const QString candidate = line.isEmpty() ? word : line + u' ' + word;
                if (line.isEmpty() || metrics.horizontalAdvance(candidate) * PagePainter::textUnit <= available) {
                    line = candidate;
                } else {
                    lines << line;
                    line = word;
                }
            }
            if (!line.isEmpty() || lines.isEmpty())
                lines << line;
            int keep = 1;
            const double lineSpacing = metrics.lineSpacing() * PagePainter::textUnit;
            const double lineHeight = metrics.height() * PagePainter::textUnit;
            while (keep < lines.size() && keep * lineSpacing + lineHeight <= element.height)
                ++keep;
            item.advance = Micrometres(metrics.horizontalAdvance(lines.front()) * PagePainter::textUnit + 0.5);
            shown = lines.mid(0, keep).join(u'\n');
        }
    }
    item.textStart = std::uint32_t(page.text.size());
    item.textLength = std::uint32_t(shown.size());
    page.text += shown;
    page.items.push_back(item);
}

void ReportLayouter::emitBand(const PreparedBand &band, Micrometres top, int pageNumber)
{
    RenderedPage &page = m_report.pages.back();
    const Micrometres left = m_definition.marginLeft;
    if (band.band->topRule) {
        DrawItem rule;
        rule.kind = DrawItem::Rule;
        rule.x = left;
        rule.y = top;
        rule.w = m_definition.bandWidth();
        page.items.push_back(rule);
    }
    for (const Prepared &prepared : band.elements) {
        const ReportElement &element = *prepared.element;
        const Micrometres x = left + element.left;
        const Micrometres y = top + element.top;
        switch (element.kind) {
        case ElementKind::Box: {
            DrawItem box;
            box.kind = DrawItem::Box;
            box.x = x;
            box.y = y;
            box.w = element.width;
            box.h = element.height;
            page.items.push_back(box);
            break;
        }
        case ElementKind::Text:
            emitText(prepared, x, y, element.text);
            break;
        case ElementKind::SystemText: {
            QString value;
            switch (element.system) {
            case SystemValue::Date:
                value = m_dateText;
                break;
            case SystemValue::PageNumber:
                value = QString::number(pageNumber);
                break;
            case SystemValue::RowCount: {
                const bool inSummary = band.band->kind == BandKind::Summary;
                const long long hint = m_rows.rowCountHint();
                value = QString::number(inSummary || hint < 0 ? m_rowCount : hint);
                break;
            }
            }
            emitText(prepared, x, y, element.text + value);
            break;
        }
        case ElementKind::Field:
            emitText(prepared, x, y,
                     formatValue(m_rows.value(std::size_t(prepared.field)), prepared.type, element.mask,
                                 m_options.marks));
            break;
        case ElementKind::Expression: {
            const int scale = prepared.type == engine::FieldType::Money ? 2 : 0;
            emitText(prepared, x, y,
                     formatNumber(m_sums[std::size_t(prepared.sum)], scale, element.mask, m_options.marks));
            break;
        }
        }
    }
}

ReportLayouter::Status ReportLayouter::step(int maxRows)
{
    if (m_status != Status::More)
        return m_status;
    try {
        if (!m_started && !prepare())
            return m_status;
        for (int i = 0; i < maxRows; ++i) {
            if (!m_rows.next()) {
                const PageComposer::Placement placed = m_composer.placeSummary();
                if (placed.startsPage) {
                    openPage();
                    emitBand(m_header, m_composer.headerTop(), placed.page);
                }
                emitBand(m_summary, placed.y, placed.page);
                m_status = Status::Done;
                return m_status;
            }
            ++m_rowCount;
            for (std::size_t s = 0; s < m_sums.size(); ++s) {
                const engine::Value &value = m_rows.value(std::size_t(m_sumFields[s]));
                if (const auto *number = std::get_if<std::int64_t>(&value)) {
                    constexpr auto most = std::numeric_limits<std::int64_t>::max();
                    constexpr auto least = std::numeric_limits<std::int64_t>::min();
                    std::int64_t &sum = m_sums[s];
                    if ((*number > 0 && sum > most - *number) || (*number < 0 && sum < least - *number))
                        return fail(QStringLiteral("Rapor toplamı hesaplanamıyor: tutarların toplamı çok büyük."));
                    sum += *number;
                }
            }
            const PageComposer::Placement placed = m_composer.placeDetail();
            if (placed.startsPage) {
                openPage();
                emitBand(m_header, m_composer.headerTop(), placed.page);
            }
            emitBand(m_detail, placed.y, placed.page);
        }
    } catch (const std::exception &error) {
        return fail(QStringLiteral("Rapor verisi okunamadı: %1").arg(QString::fromUtf8(error.what())));
    } catch (...) {
        return fail(QStringLiteral("Rapor verisi okunamadı."));
    }
    return m_status;
}

ReportLayouter::Status ReportLayouter::run()
{
    while (step(std::numeric_limits<int>::max()) == Status::More) {
    }
    return m_status;
}

int ReportLayouter::finishedPageCount() const
{
    const int pages = int(m_report.pages.size());
    return m_status == Status::More ? std::max(0, pages - 1) : pages;
}

} // namespace reports
