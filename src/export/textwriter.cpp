#include "export/textwriter.h"

#include "export/exportjob.h"
#include "export/outputbuffer.h"

namespace exporting {

namespace {

// One line per row: line breaks and tabs inside a value would break the columns.
QString flattened(QString text)
{
    for (QChar &c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    }
    return text;
}

bool rightAligned(engine::FieldType type)
{
    return type == engine::FieldType::Money || type == engine::FieldType::Integer
        || type == engine::FieldType::AutoInc;
}

void appendLine(OutputBuffer &out, const QStringList &cells, const QList<qsizetype> &widths,
                const QList<bool> &right)
{
    QString line;
    for (qsizetype c = 0; c < cells.size(); ++c) {
        if (c > 0)
            line += u"  ";
        const qsizetype pad = widths[c] - cells[c].size();
        if (right[c])
            line += QString(pad, u' ') + cells[c];
        else
            line += cells[c] + QString(pad, u' ');
    }
    while (line.endsWith(u' '))
        line.chop(1);
    out.appendUtf8(line);
    out.append("\r\n", 2);
}

} // namespace

bool TextWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const int columns = job.columnCount();
    QList<qsizetype> widths;
    QList<bool> right;
    QStringList captions;
    for (int c = 0; c < columns; ++c) {
        captions.append(flattened(job.caption(c)));
        widths.append(captions.last().size());
        right.append(rightAligned(job.type(c)));
    }
    // The widths of a column are known only after every row has been seen.
    job.restart();
    while (job.nextRow()) {
        for (int c = 0; c < columns; ++c)
            widths[c] = std::max(widths[c], flattened(job.displayText(c)).size());
    }
    if (job.cancelled())
        return false;

    out.append("\xEF\xBB\xBF", 3);
    appendLine(out, captions, widths, QList<bool>(columns, false));
    QStringList rule;
    for (int c = 0; c < columns; ++c)
        rule.append(QString(widths[c], u'-'));
    appendLine(out, rule, widths, right);
    QStringList cells;
    job.restart();
    while (job.nextRow()) {
        cells.clear();
        for (int c = 0; c < columns; ++c)
            cells.append(flattened(job.displayText(c)));
        appendLine(out, cells, widths, right);
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
