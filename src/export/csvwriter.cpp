#include "export/csvwriter.h"

#include "export/exportjob.h"
#include "export/outputbuffer.h"

namespace exporting {

namespace {

void appendField(OutputBuffer &out, const QByteArray &utf8, bool guardFormula)
{
    bool quote = guardFormula;
    for (char c : utf8) {
        if (c == ';' || c == '"' || c == '\n' || c == '\r') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out.append(utf8);
        return;
    }
    out.append('"');
    // A leading apostrophe makes a spreadsheet keep "=1+1" as text; inside
    // quotes it survives every CSV reader.
    if (guardFormula)
        out.append('\'');
    for (char c : utf8) {
        if (c == '"')
            out.append('"');
        out.append(c);
    }
    out.append('"');
}

} // namespace

bool CsvWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    out.append("\xEF\xBB\xBF", 3);
    const int columns = job.columnCount();
    for (int c = 0; c < columns; ++c) {
        if (c > 0)
            out.append(';');
        appendField(out, job.caption(c).toUtf8(), false);
    }
    out.append("\r\n", 2);

    job.restart();
    while (job.nextRow()) {
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out.append(';');
            const engine::Value &value = job.value(c);
            if (const auto *text = std::get_if<std::string>(&value)) {
                const QByteArray bytes = QByteArray::fromRawData(text->data(), qsizetype(text->size()));
                const bool formula = ExportJob::looksLikeFormula(std::string_view(*text));
                appendField(out, bytes, formula);
            } else {
                appendField(out, job.editText(c).toUtf8(), false);
            }
        }
        out.append("\r\n", 2);
    }
    if (job.cancelled())
        return false;
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
