#include "export/rtfwriter.h"

#include "export/exportjob.h"
#include "export/outputbuffer.h"
#include "export/twipspage.h"

namespace exporting {

namespace {

// RTF text is 7-bit: everything above ASCII goes as a \uN escape with "?" for
// readers that do not know Unicode.
QByteArray escaped(const QString &text)
{
    QByteArray out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            out.append('\\');
            out.append(char(c));
        } else if (c == u'\r') {
            if (i + 1 >= text.size() || text[i + 1] != u'\n')
                out.append("\\line ");
        } else if (c == u'\n') {
            out.append("\\line ");
        } else if (c == u'\t') {
            out.append("\\tab ");
        } else if (c < 0x20) {
            continue;
        } else if (c < 0x80) {
            out.append(char(c));
        } else {
            out.append("\\u");
            out.append(QByteArray::number(int(static_cast<std::int16_t>(c))));
            out.append('?');
        }
    }
    return out;
}

} // namespace

bool RtfWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const int columns = job.columnCount();
    const TwipsPage page = TwipsPage::of(job);

    out.append("{\\rtf1\\ansi\\ansicpg1254\\deff0\n{\\fonttbl{\\f0\\fswiss\\fcharset162 Arial;}}\n");
    out.append(QStringLiteral("\\paperw%1\\paperh%2%3\\margl%4\\margr%5\\margt%6\\margb%7\n")
                   .arg(page.width).arg(page.height).arg(page.landscape ? QStringLiteral("\\landscape") : QString())
                   .arg(page.left).arg(page.right)
                   .arg(page.top).arg(page.bottom)
                   .toLatin1());
    out.append("\\f0\\fs16\n");

    // Every row repeats its definition, as RTF wants; the rules are given
    // once for the row rather than four times for each cell, which keeps a
    // million-row file a third of the size.
    const QByteArray rowDefinition = "\\trowd\\trgaph57\\trleft0"
                                     "\\trbrdrt\\brdrs\\brdrw10\\trbrdrl\\brdrs\\brdrw10\\trbrdrb\\brdrs\\brdrw10"
                                     "\\trbrdrr\\brdrs\\brdrw10\\trbrdrh\\brdrs\\brdrw10\\trbrdrv\\brdrs\\brdrw10";
    QByteArray cellDefinitions;
    int edge = 0;
    for (int c = 0; c < columns; ++c) {
        edge = c + 1 == columns ? page.usable() : edge + page.columnWidth(c);
        cellDefinitions += "\\cellx" + QByteArray::number(edge);
    }
    // The caption row repeats at the top of every page.
    out.append(rowDefinition + "\\trhdr" + cellDefinitions + '\n');
    for (int c = 0; c < columns; ++c) {
        out.append("\\pard\\intbl\\b ");
        out.append(escaped(job.caption(c)));
        out.append("\\b0\\cell\n");
    }
    out.append("\\row\n");

    const QByteArray plainRow = rowDefinition + cellDefinitions + '\n';
    job.restart();
    while (job.nextRow()) {
        out.append(plainRow);
        for (int c = 0; c < columns; ++c) {
            out.append(job.type(c) == engine::FieldType::Money ? "\\pard\\intbl\\qr " : "\\pard\\intbl ");
            out.append(escaped(job.displayText(c)));
            out.append("\\cell\n");
        }
        out.append("\\row\n");
    }
    if (job.cancelled())
        return false;
    out.append("\\pard\\par\n}\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
