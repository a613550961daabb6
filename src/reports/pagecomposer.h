#pragma once

#include "reports/reportdefinition.h"

#include <optional>
#include <vector>

namespace reports {

// Decides where bands go: which row lands on which page, at which height, and
// where the summary falls. Pure arithmetic on band heights, no painting, so
// the page breaks can be checked as data.
//
// Rules: every page starts with the page header at the top margin; a detail
// band goes on the current page when it fits above the bottom margin, else on
// a new page; the summary stays on the current page only when the space left
// holds the summary plus one more detail band (keep-together), else it opens a
// new page. A band that would not fit even on a fresh page is put there
// anyway, so an oversized band can never make pages run on forever.
class PageComposer
{
public:
    struct Placement
    {
        int page = 0;           // from 1
        Micrometres y = 0;      // top of the band, from the top edge of the sheet
        bool startsPage = false; // a new page was opened for it (its header sits at bodyTop)
    };

    // bodyTop/bodyBottom: the top and bottom margins as distances from the top edge of the sheet.
    PageComposer(Micrometres bodyTop, Micrometres bodyBottom, Micrometres headerHeight,
                 Micrometres detailHeight, Micrometres summaryHeight);
    explicit PageComposer(const ReportDefinition &definition);

    // Opens page 1 and returns where its page header goes. Call once, first.
    Placement begin();
    // Returns where the next detail band goes, opening a page when needed.
    Placement placeDetail();
    // Returns where the summary goes, by the keep-together rule. Call once, last.
    Placement placeSummary();

    int pageCount() const { return m_page; }
    Micrometres headerTop() const { return m_bodyTop; }

    // The whole plan for a given number of rows, for tests and for callers
    // that only need the shape of the report.
    struct PlannedPage
    {
        int firstRow = 0;                 // index of the first detail row on the page
        std::vector<Micrometres> detailY; // tops of the detail bands, in row order
        std::optional<Micrometres> summaryY;
    };
    std::vector<PlannedPage> plan(long long rowCount);

private:
    Placement openPage();

    Micrometres m_bodyTop;
    Micrometres m_bodyBottom;
    Micrometres m_header;
    Micrometres m_detail;
    Micrometres m_summary;
    int m_page = 0;
    Micrometres m_y = 0;
    bool m_pageHasBands = false; // anything below the header on the current page
};

} // namespace reports
