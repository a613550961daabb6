#pragma once

#include "reports/reportdefinition.h"

#include <QString>

#include <cstdint>
#include <vector>

class QIODevice;

namespace reports {

// One drawing command of a laid-out page. Coordinates are micrometres from the
// top-left corner of the sheet. Kept small: a long report holds millions.
struct DrawItem
{
    enum Kind : std::uint8_t { Box, Rule, Text };
    enum Flag : std::uint8_t {
        AlignRight = 1, // text: anchored at x + w instead of x
        Clip = 2,       // text: lines laid out at build time, clipped to the box
    };

    Micrometres x = 0, y = 0, w = 0, h = 0;
    Micrometres advance = 0;      // text: width of the (first) line as measured when laid out
    std::uint32_t textStart = 0;  // into RenderedPage::text
    std::uint32_t textLength = 0;
    Kind kind = Box;
    std::uint8_t font = 0;  // index into RenderedReport::fonts
    std::uint8_t flags = 0;
};

struct RenderedPage
{
    std::vector<DrawItem> items;
    QString text; // the texts of all items, back to back

    QString itemText(const DrawItem &item) const { return text.mid(item.textStart, item.textLength); }
};

// A report laid out into pages: what the preview shows, the printer prints and
// the PDF writer writes, all replaying the same lists.
class RenderedReport
{
public:
    QString title;
    Orientation orientation = Orientation::Portrait;
    Micrometres paperWidth = mm(210);
    Micrometres paperHeight = mm(297);
    std::vector<FontSpec> fonts;
    std::vector<RenderedPage> pages;

    // Writes the report in the program's own report file format (current
    // version). Returns false when the device cannot be written.
    bool save(QIODevice &device) const;

    // Reads a report file written by this or an earlier version of the
    // program. On failure returns false, leaves *this untouched and puts a
    // Turkish explanation into errorText (when given).
    bool load(QIODevice &device, QString *errorText = nullptr);

    // Every text on a page, in drawing order (for tests and text search).
    QStringList pageTexts(int pageIndex) const;

    static constexpr std::uint32_t fileMagic = 0x53525054; // "SRPT"
    static constexpr std::uint16_t fileVersion = 1;
};

} // namespace reports
