#include "export/xmlwriter.h"

#include "export/exportjob.h"
#include "export/markup.h"
#include "export/outputbuffer.h"

namespace exporting {

namespace {

const char *typeName(engine::FieldType type)
{
    switch (type) {
    case engine::FieldType::AutoInc:
    case engine::FieldType::Integer: return "tamsayi";
    case engine::FieldType::Date: return "tarih";
    case engine::FieldType::Money: return "tutar";
    case engine::FieldType::Boolean: return "mantiksal";
    case engine::FieldType::Char:
    case engine::FieldType::Memo: break;
    }
    return "metin";
}

// Field names are ASCII words; anything else would not be an XML name.
QByteArray elementName(const std::string &fieldName, int column)
{
    bool valid = !fieldName.empty() && !(fieldName[0] >= '0' && fieldName[0] <= '9');
    for (char c : fieldName) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        valid = valid && letter;
    }
    if (valid && QByteArray::fromStdString(fieldName).toLower().startsWith("xml"))
        valid = false;
    return valid ? QByteArray::fromStdString(fieldName) : "ALAN" + QByteArray::number(column + 1);
}

} // namespace

bool XmlWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const int columns = job.columnCount();
    QList<QByteArray> names;
    out.append("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<tablo ad=\"");
    appendXmlText(out, job.tableName());
    out.append("\">\n  <alanlar>\n");
    for (int c = 0; c < columns; ++c) {
        names.append(elementName(job.field(c).name, c));
        out.append("    <alan ad=\"");
        out.append(names.last());
        out.append("\" baslik=\"");
        appendXmlText(out, job.caption(c), "&#10;");
        out.append("\" tur=\"");
        out.append(QByteArrayView(typeName(job.type(c))));
        out.append("\"/>\n");
    }
    out.append("  </alanlar>\n  <kayitlar>\n");
    job.restart();
    while (job.nextRow()) {
        out.append("    <kayit>");
        for (int c = 0; c < columns; ++c) {
            const engine::Value &value = job.value(c);
            out.append('<');
            out.append(names[c]);
            if (engine::isNull(value)) {
                out.append(" bos=\"1\"/>");
                continue;
            }
            out.append('>');
            if (const auto *date = std::get_if<text::Date>(&value))
                out.appendUtf8(ValueText::isoDate(*date));
            else if (const auto *flag = std::get_if<bool>(&value))
                out.append(*flag ? "true" : "false");
            else if (const auto *number = std::get_if<std::int64_t>(&value))
                out.appendUtf8(job.type(c) == engine::FieldType::Money ? ValueText::amountPlain(*number)
                                                                       : QString::number(*number));
            else
                appendXmlText(out, job.stringValue(c));
            out.append("</");
            out.append(names[c]);
            out.append('>');
        }
        out.append("</kayit>\n");
    }
    if (job.cancelled())
        return false;
    out.append("  </kayitlar>\n</tablo>\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
