#include "export/sqlwriter.h"

#include "export/exportjob.h"
#include "export/outputbuffer.h"

namespace exporting {

namespace {

QByteArray quotedIdentifier(const QString &name)
{
    QByteArray utf8 = name.toUtf8();
    utf8.replace('"', "\"\"");
    return '"' + utf8 + '"';
}

void appendLiteral(OutputBuffer &out, const std::string &text)
{
    out.append('\'');
    for (char c : text) {
        if (c == '\'')
            out.append('\'');
        if (c == '\0')
            continue;
        out.append(c);
    }
    out.append('\'');
}

QByteArray columnType(const engine::FieldDef &field)
{
    switch (field.type) {
    case engine::FieldType::AutoInc:
    case engine::FieldType::Integer: return "INTEGER";
    case engine::FieldType::Date: return "DATE";
    case engine::FieldType::Money: return "NUMERIC(18,2)";
    case engine::FieldType::Boolean: return "BOOLEAN";
    case engine::FieldType::Memo: return "TEXT";
    case engine::FieldType::Char: break;
    }
    return field.size > 0 ? "VARCHAR(" + QByteArray::number(field.size) + ')' : QByteArray("TEXT");
}

} // namespace

bool SqlWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const QByteArray table = quotedIdentifier(job.tableName());
    const int columns = job.columnCount();
    out.append("CREATE TABLE ");
    out.append(table);
    out.append(" (\n");
    for (int c = 0; c < columns; ++c) {
        out.append("  ");
        out.append(quotedIdentifier(job.caption(c)));
        out.append(' ');
        out.append(columnType(job.field(c)));
        out.append(c + 1 < columns ? ",\n" : "\n");
    }
    out.append(");\n\nBEGIN TRANSACTION;\n");
    const QByteArray insert = "INSERT INTO " + table + " VALUES (";
    job.restart();
    while (job.nextRow()) {
        out.append(insert);
        for (int c = 0; c < columns; ++c) {
            if (c > 0)
                out.append(", ");
            const engine::Value &value = job.value(c);
            if (engine::isNull(value))
                out.append("NULL");
            else if (const auto *text = std::get_if<std::string>(&value))
                appendLiteral(out, *text);
            else if (const auto *date = std::get_if<text::Date>(&value))
                appendLiteral(out, ValueText::isoDate(*date).toStdString());
            else if (const auto *flag = std::get_if<bool>(&value))
                out.append(*flag ? "TRUE" : "FALSE");
            else if (const auto *number = std::get_if<std::int64_t>(&value))
                out.appendUtf8(job.type(c) == engine::FieldType::Money ? ValueText::amountPlain(*number)
                                                                       : QString::number(*number));
        }
        out.append(");\n");
    }
    if (job.cancelled())
        return false;
    out.append("COMMIT;\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
