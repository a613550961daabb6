#include "export/sylkwriter.h"

#include "export/ansicodec.h"
#include "export/exportjob.h"
#include "export/outputbuffer.h"

namespace exporting {

namespace {

// Indexes of the P records below, in their order.
enum PictureFormat { GeneralFormat = 0, DateFormat = 1, AmountFormat = 2 };

// Spreadsheets count days from 30.12.1899.
std::int64_t serialDay(const text::Date &date)
{
    static const std::int64_t epoch = text::toDayNumber(text::Date{1899, 12, 30});
    return text::toDayNumber(date) - epoch;
}

// A text constant: K"..." up to the end of the record. A semicolon would end
// the field, so it is doubled; a line break would end the record, so it goes.
// Text is never written as an E (expression) field, so "=..." stays text.
void appendText(OutputBuffer &out, const QString &text)
{
    QByteArray bytes = AnsiCodec::fromUnicode(text);
    for (char &c : bytes) {
        if (c == '\r' || c == '\n' || c == '\t' || c == '\x1b')
            c = ' ';
    }
    bytes.replace(';', ";;");
    out.append(";K\"", 3);
    out.append(bytes);
    out.append("\"\r\n", 3);
}

void appendCell(OutputBuffer &out, std::int64_t row, int column)
{
    out.append("C;Y");
    out.append(QByteArray::number(row));
    out.append(";X");
    out.append(QByteArray::number(column + 1));
}

void appendFormat(OutputBuffer &out, PictureFormat format, char alignment, std::int64_t row, int column)
{
    out.append("F;P");
    out.append(QByteArray::number(int(format)));
    out.append(";FG0");
    out.append(alignment);
    out.append(";Y");
    out.append(QByteArray::number(row));
    out.append(";X");
    out.append(QByteArray::number(column + 1));
    out.append("\r\n", 2);
}

} // namespace

bool SylkWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const int columns = job.columnCount();
    out.append("ID;PSELVORA;N;E\r\n");
    out.append("P;PGeneral\r\n");
    out.append("P;Pdd\\.mm\\.yyyy\r\n");
    out.append("P;P#,##0.00\r\n");
    for (int c = 0; c < columns; ++c) {
        int width = 12;
        const engine::FieldDef &field = job.field(c);
        if (field.type == engine::FieldType::Char)
            width = std::clamp(field.size, 8, 40);
        else if (field.type == engine::FieldType::Memo)
            width = 40;
        width = std::max<int>(width, int(job.caption(c).size()) + 1);
        out.append("F;W" + QByteArray::number(c + 1) + ' ' + QByteArray::number(c + 1) + ' '
                   + QByteArray::number(width) + "\r\n");
    }
    for (int c = 0; c < columns; ++c) {
        appendCell(out, 1, c);
        appendText(out, job.caption(c));
    }
    std::int64_t row = 1;
    job.restart();
    while (job.nextRow()) {
        ++row;
        for (int c = 0; c < columns; ++c) {
            const engine::Value &value = job.value(c);
            if (engine::isNull(value))
                continue;
            if (const auto *date = std::get_if<text::Date>(&value); date && text::isValid(*date)) {
                appendFormat(out, DateFormat, 'R', row, c);
                appendCell(out, row, c);
                out.append(";K");
                out.append(QByteArray::number(serialDay(*date)));
                out.append("\r\n", 2);
            } else if (const auto *number = std::get_if<std::int64_t>(&value)) {
                const bool money = job.type(c) == engine::FieldType::Money;
                if (money)
                    appendFormat(out, AmountFormat, 'R', row, c);
                appendCell(out, row, c);
                out.append(";K");
                out.appendUtf8(money ? ValueText::amountPlain(*number) : QString::number(*number));
                out.append("\r\n", 2);
            } else {
                const QString text = job.displayText(c);
                if (text.isEmpty())
                    continue;
                appendCell(out, row, c);
                appendText(out, text);
            }
        }
    }
    if (job.cancelled())
        return false;
    out.append("E\r\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
