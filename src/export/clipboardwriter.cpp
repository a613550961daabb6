#include "export/clipboardwriter.h"

#include "export/exportjob.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace exporting {

namespace {

// Spreadsheets read a cell holding a tab, a line break or a quote when it is
// quoted the CSV way.
void appendTsvField(QByteArray &out, QByteArrayView utf8)
{
    if (!utf8.contains('\t') && !utf8.contains('\n') && !utf8.contains('\r') && !utf8.contains('"')) {
        out += utf8;
        return;
    }
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

// Escaping works on the UTF-8 bytes directly: the marked characters are ASCII.
void appendHtmlCell(QByteArray &out, const char *tag, QByteArrayView utf8)
{
    out += '<';
    out += tag;
    out += '>';
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\r':
            if (i + 1 < utf8.size() && utf8[i + 1] == '\n')
                break;
            out += "<br>";
            break;
        case '\n': out += "<br>"; break;
        default:
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                out += c;
        }
    }
    out += "</";
    out += tag;
    out += '>';
}

// Grows the buffers once, to what the rows so far say the whole will need,
// instead of doubling (and copying) again and again.
void reserveFor(QByteArray &buffer, std::int64_t rowsRead, std::int64_t expected)
{
    if (expected <= rowsRead || rowsRead <= 0)
        return;
    const double perRow = double(buffer.size()) / double(rowsRead);
    buffer.reserve(qsizetype(perRow * double(expected) * 1.05) + 4096);
}

} // namespace

bool ClipboardWriter::write(ExportJob &job, const QString &)
{
    // The clipboard keeps what it offers in memory, so this format alone
    // gathers the whole text; it is built as UTF-8, half the size of UTF-16.
    QByteArray tsv;
    QByteArray html = "<html><head><meta charset=\"utf-8\"></head><body><table border=\"1\">\n<tr>";
    const int columns = job.columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            tsv += '\t';
        const QByteArray caption = job.caption(c).toUtf8();
        appendTsvField(tsv, caption);
        appendHtmlCell(html, "th", caption);
    }
    tsv += "\r\n";
    html += "</tr>\n";
    const std::int64_t expected = job.expectedRows();
    job.restart();
    while (job.nextRow()) {
        if (job.rowsRead() == 1000) {
            reserveFor(tsv, 1000, expected);
            reserveFor(html, 1000, expected);
        }
        html += "<tr>";
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                tsv += '\t';
            if (const auto *text = std::get_if<std::string>(&job.value(c))) {
                const QByteArrayView utf8(text->data(), qsizetype(text->size()));
                // Pasted text is taken as typed: "=1+1" would be calculated,
                // "'=1+1" is kept as the text it is.
                if (ExportJob::looksLikeFormula(std::string_view(*text)))
                    appendTsvField(tsv, '\'' + utf8.toByteArray());
                else
                    appendTsvField(tsv, utf8);
                appendHtmlCell(html, "td", utf8);
            } else {
                appendTsvField(tsv, job.editText(c).toUtf8());
                appendHtmlCell(html, "td", job.displayText(c).toUtf8());
            }
        }
        tsv += "\r\n";
        html += "</tr>\n";
    }
    if (job.cancelled())
        return false;
    html += "</table></body></html>\n";

    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!clipboard) {
        job.fail(QStringLiteral("Pano kullanılamıyor."));
        return false;
    }
    auto *mime = new QMimeData;
    // Offered as UTF-8 bytes; QMimeData::text() decodes them on demand.
    mime->setData(QStringLiteral("text/plain"), tsv);
    mime->setData(QStringLiteral("text/html"), html);
    clipboard->setMimeData(mime);
    return true;
}

} // namespace exporting
