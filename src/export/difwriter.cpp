#include "export/difwriter.h"

#include "export/ansicodec.h"
#include "export/exportjob.h"
#include "export/outputbuffer.h"

namespace exporting {

namespace {

// A DIF string lives on one line; a quote inside it is doubled.
void appendString(OutputBuffer &out, const QString &text)
{
    QByteArray bytes = AnsiCodec::fromUnicode(text);
    for (char &c : bytes) {
        if (c == '\r' || c == '\n' || c == '\t')
            c = ' ';
    }
    bytes.replace('"', "\"\"");
    out.append("1,0\r\n\"", 6);
    out.append(bytes);
    out.append("\"\r\n", 3);
}

void appendHeaderItem(OutputBuffer &out, const char *topic, std::int64_t number)
{
    out.append(QByteArrayView(topic));
    out.append("\r\n0,", 4);
    out.append(QByteArray::number(number));
    out.append("\r\n\"\"\r\n", 6);
}

} // namespace

bool DifWriter::write(ExportJob &job, const QString &path)
{
    // The header names the number of rows, so it is counted first when the
    // source cannot tell it.
    std::int64_t rows = job.expectedRows();
    if (rows < 0) {
        job.restart();
        while (job.nextRow()) {
        }
        if (job.cancelled())
            return false;
        rows = job.rowsRead();
    }
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const int columns = job.columnCount();
    appendHeaderItem(out, "TABLE", 1);
    appendHeaderItem(out, "VECTORS", columns);
    appendHeaderItem(out, "TUPLES", rows + 1);
    appendHeaderItem(out, "DATA", 0);
    out.append("-1,0\r\nBOT\r\n");
    for (int c = 0; c < columns; ++c)
        appendString(out, job.caption(c));
    job.restart();
    while (job.nextRow()) {
        out.append("-1,0\r\nBOT\r\n");
        for (int c = 0; c < columns; ++c) {
            const engine::Value &value = job.value(c);
            if (const auto *number = std::get_if<std::int64_t>(&value)) {
                out.append("0,", 2);
                out.appendUtf8(job.type(c) == engine::FieldType::Money ? ValueText::amountPlain(*number)
                                                                      : QString::number(*number));
                out.append("\r\nV\r\n", 5);
            } else if (const auto *flag = std::get_if<bool>(&value)) {
                out.append(*flag ? "0,1\r\nTRUE\r\n" : "0,0\r\nFALSE\r\n");
            } else {
                appendString(out, job.displayText(c));
            }
        }
    }
    if (job.cancelled())
        return false;
    out.append("-1,0\r\nEOD\r\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
