#pragma once

#include <QString>

#include <vector>

namespace reports {

// Geometry of a report is kept in whole micrometres, so that page breaks and
// the summary's keep-together test are exact (6.1 mm is 6100, not 6.0999...).
using Micrometres = int;

constexpr Micrometres mm(double millimetres)
{
    return Micrometres(millimetres * 1000.0 + (millimetres >= 0 ? 0.5 : -0.5));
}

struct FontSpec
{
    QString family = QStringLiteral("Arial");
    double pointSize = 9.0;
    bool bold = false;

    friend bool operator==(const FontSpec &, const FontSpec &) = default;
};

enum class ElementKind {
    Box,        // rectangle outline, thin black pen
    Text,       // fixed caption
    SystemText, // caption prefix followed directly by a value the engine supplies
    Field,      // value of one field of the current row
    Expression, // running sum of one field over the detail rows printed so far
};

enum class SystemValue {
    Date,       // the day the report is built, dd.mm.yyyy
    PageNumber, // number of the page the element stands on, from 1
    RowCount,   // number of detail rows of the report
};

enum class Alignment { Left, Right };

// Growing: one line as wide as its text, anchored at the aligned edge, never clipped.
// Fixed: keeps its box; wraps at word boundaries, drops the lines that do not fit
// and clips at the box.
enum class Sizing { Grows, Fixed };

struct ReportElement
{
    ElementKind kind = ElementKind::Text;
    QString name;                       // designer's name, for finding it again
    Micrometres left = 0, top = 0, width = 0, height = 0; // from the band's top-left corner
    QString text;                       // caption, or the prefix of a system text
    SystemValue system = SystemValue::Date;
    QString field;                      // field (or summed field) name
    QString mask;                       // display mask such as "#,###0.00"; empty: as stored
    FontSpec font;
    Alignment alignment = Alignment::Left;
    Sizing sizing = Sizing::Grows;
};

enum class BandKind { PageHeader, Detail, Summary };

struct ReportBand
{
    BandKind kind = BandKind::Detail;
    QString name;
    Micrometres height = 0;
    bool topRule = false; // thin black rule along the top edge, full band width
    std::vector<ReportElement> elements; // drawn in this order (boxes first)
};

enum class Orientation { Portrait, Landscape };

// A report as designed: paper, margins and the three bands. Nothing in it
// changes while a report is laid out.
struct ReportDefinition
{
    QString title; // document title: preview caption, print job name
    Orientation orientation = Orientation::Portrait;
    Micrometres paperWidth = mm(210);  // A4, as the sheet stands (landscape swaps)
    Micrometres paperHeight = mm(297);
    Micrometres marginTop = mm(10), marginBottom = mm(10), marginLeft = mm(10), marginRight = mm(10);
    FontSpec reportFont;
    ReportBand pageHeader{BandKind::PageHeader, {}, 0, false, {}};
    ReportBand detail{BandKind::Detail, {}, 0, false, {}};
    ReportBand summary{BandKind::Summary, {}, 0, false, {}};

    Micrometres bandWidth() const { return paperWidth - marginLeft - marginRight; }
};

} // namespace reports
