#include "reports/pagecomposer.h"

namespace reports {

PageComposer::PageComposer(Micrometres bodyTop, Micrometres bodyBottom, Micrometres headerHeight,
                           Micrometres detailHeight, Micrometres summaryHeight)
    : m_bodyTop(bodyTop)
    , m_bodyBottom(bodyBottom)
    , m_header(headerHeight)
    , m_detail(detailHeight)
    , m_summary(summaryHeight)
{
}

PageComposer::PageComposer(const ReportDefinition &definition)
    : PageComposer(definition.marginTop, definition.paperHeight - definition.marginBottom,
                   definition.pageHeader.height, definition.detail.height, definition.summary.height)
{
}

PageComposer::Placement PageComposer::openPage()
{
    ++m_page;
    m_y = m_bodyTop + m_header;
    m_pageHasBands = false;
    return {m_page, m_bodyTop, true};
}

PageComposer::Placement PageComposer::begin()
{
    return openPage();
}

PageComposer::Placement PageComposer::placeDetail()
{
    bool opened = false;
    if (m_pageHasBands && m_y + m_detail > m_bodyBottom) {
        openPage();
        opened = true;
    }
    const Placement placed{m_page, m_y, opened};
    m_y += m_detail;
    m_pageHasBands = true;
    return placed;
}

PageComposer::Placement PageComposer::placeSummary()
{
    bool opened = false;
    if (m_pageHasBands && m_bodyBottom - m_y < m_summary + m_detail) {
        openPage();
        opened = true;
    }
    const Placement placed{m_page, m_y, opened};
    m_y += m_summary;
    m_pageHasBands = true;
    return placed;
}

std::vector<PageComposer::PlannedPage> PageComposer::plan(long long rowCount)
{
    std::vector<PlannedPage> pages;
    begin();
    pages.push_back({});
    for (long long row = 0; row < rowCount; ++row) {
        const Placement placed = placeDetail();
        if (placed.startsPage)
            pages.push_back({int(row), {}, std::nullopt});
        pages.back().detailY.push_back(placed.y);
    }
    const Placement summary = placeSummary();
    if (summary.startsPage)
        pages.push_back({int(rowCount), {}, std::nullopt});
    pages.back().summaryY = summary.y;
    return pages;
}

} // namespace reports
