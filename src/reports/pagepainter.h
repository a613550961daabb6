#pragma once

#include "reports/renderedreport.h"

#include <QFont>
#include <QImage>

class QPainter;
class QPrinter;

namespace reports {

// Replays laid-out pages on any paint device: the preview, the printer and
// the PDF writer all go through paint(), so what is printed is what was seen.
class PagePainter
{
public:
    // The Qt font of a report font, sized in tenths of a point: texts are
    // measured and drawn in that unit (textUnit micrometres), so layout and
    // drawing agree at any zoom. (Fonts sized in micrometres would be
    // thousands of pixels high, which FreeType measures several times slower.)
    static QFont font(const FontSpec &fontSpec);
    static constexpr double textUnit = 25400.0 / 720.0;

    // Paints one page. The painter's coordinate system must have its origin
    // at the sheet's top-left corner and one unit per micrometre.
    static void paint(QPainter &painter, const RenderedReport &report, int pageIndex);

    // The page as an image at the given resolution, white background.
    static QImage renderPage(const RenderedReport &report, int pageIndex, double dotsPerInch);

    // Writes all pages to a PDF file. On failure returns false and puts a
    // Turkish explanation into errorText (when given).
    static bool writePdf(const RenderedReport &report, const QString &fileName, QString *errorText = nullptr);

    // Prints pages fromPage..toPage (counting from 1, inclusive) on a printer
    // that has been set up by the caller. Returns false when printing could
    // not start (errorText says why).
    static bool print(const RenderedReport &report, QPrinter &printer, int fromPage, int toPage,
                      QString *errorText = nullptr);

    // The thin pen of boxes and rules, in micrometres.
    static constexpr int penWidth = 150;
};

} // namespace reports
