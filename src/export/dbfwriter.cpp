#include "export/dbfwriter.h"

#include "export/ansicodec.h"
#include "export/exportjob.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <shapefil.h>

namespace exporting {

namespace {

// Language driver id of code page 1254 (Windows Turkish) in byte 29 of the header.
constexpr int turkishWindowsDriver = 0xCA;
constexpr int maxCharWidth = 254;

// dBASE field names are at most ten ASCII letters, digits and underscores.
QByteArray fieldName(const QString &caption, QSet<QByteArray> &taken)
{
    static const QString turkish = QStringLiteral("ÇĞİIÖŞÜçğıiöşü");
    static const QString ascii = QStringLiteral("CGIIOSUCGIIOSU");
    QByteArray name;
    for (QChar c : caption) {
        const qsizetype at = turkish.indexOf(c);
        if (at >= 0)
            c = ascii[at];
        c = c.toUpper();
        if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9'))
            name.append(char(c.unicode()));
        else if (!name.isEmpty() && !name.endsWith('_'))
            name.append('_');
    }
    while (name.endsWith('_'))
        name.chop(1);
    if (name.isEmpty() || (name[0] >= '0' && name[0] <= '9'))
        name.prepend("F_");
    name.truncate(10);
    QByteArray unique = name;
    for (int n = 2; taken.contains(unique); ++n) {
        const QByteArray suffix = QByteArray::number(n);
        unique = name.left(10 - suffix.size()) + suffix;
    }
    taken.insert(unique);
    return unique;
}

struct Layout
{
    int headerLength = 0;
    int recordLength = 1; // the deletion flag
};

} // namespace

bool DbfWriter::write(ExportJob &job, const QString &path)
{
    const QByteArray fileName = QFile::encodeName(path);
    const QByteArray codePage = "LDID/" + QByteArray::number(turkishWindowsDriver);
    DBFHandle dbf = DBFCreateEx(fileName.constData(), codePage.constData());
    if (!dbf) {
        QFile probe(path);
        job.fail(probe.open(QIODevice::WriteOnly) ? QStringLiteral("DBF dosyası oluşturulamadı.") : probe.errorString());
        return false;
    }
    const int columns = job.columnCount();
    QSet<QByteArray> taken;
    Layout layout;
    QList<int> widths;
    for (int c = 0; c < columns; ++c) {
        const engine::FieldDef &field = job.field(c);
        const QByteArray name = fieldName(job.caption(c), taken);
        int added = -1;
        int width = 0;
        switch (field.type) {
        case engine::FieldType::Date:
            width = 8;
            added = DBFAddNativeFieldType(dbf, name.constData(), 'D', width, 0);
            break;
        case engine::FieldType::Money:
            width = 19;
            added = DBFAddField(dbf, name.constData(), FTDouble, width, 2);
            break;
        case engine::FieldType::Boolean:
            width = 1;
            added = DBFAddNativeFieldType(dbf, name.constData(), 'L', width, 0);
            break;
        case engine::FieldType::AutoInc:
        case engine::FieldType::Integer:
            width = 11;
            added = DBFAddField(dbf, name.constData(), FTInteger, width, 0);
            break;
        case engine::FieldType::Char:
        case engine::FieldType::Memo:
            // A memo needs a .dbt file few readers share; it is cut at the
            // widest character field dBASE knows.
            width = field.type == engine::FieldType::Char && field.size > 0 ? std::min(field.size, maxCharWidth)
                                                                             : maxCharWidth;
            added = DBFAddField(dbf, name.constData(), FTString, width, 0);
            break;
        }
        if (added < 0) {
            DBFClose(dbf);
            job.fail(QStringLiteral("DBF alanı eklenemedi: %1").arg(QString::fromLatin1(name)));
            return false;
        }
        widths.append(width);
        layout.recordLength += width;
    }
    layout.headerLength = 32 + 32 * columns + 1;

    int record = 0;
    bool ok = true;
    job.restart();
    while (ok && job.nextRow()) {
        for (int c = 0; c < columns && ok; ++c) {
            const engine::Value &value = job.value(c);
            if (engine::isNull(value)) {
                ok = DBFWriteNULLAttribute(dbf, record, c);
            } else if (const auto *text = std::get_if<std::string>(&value)) {
                QByteArray bytes = AnsiCodec::fromUnicode(QString::fromStdString(*text));
                bytes.truncate(widths[c]);
                ok = DBFWriteStringAttribute(dbf, record, c, bytes.constData());
            } else if (const auto *date = std::get_if<text::Date>(&value)) {
                const QByteArray stamp = QByteArray::number(date->year).rightJustified(4, '0')
                    + QByteArray::number(date->month).rightJustified(2, '0')
                    + QByteArray::number(date->day).rightJustified(2, '0');
                // shapelib takes a date field for a number; the eight digits go in as they are.
                QByteArray digits = stamp;
                ok = DBFWriteAttributeDirectly(dbf, record, c, digits.data());
            } else if (const auto *number = std::get_if<std::int64_t>(&value)) {
                if (job.type(c) == engine::FieldType::Money) {
                    // Exact digits, right-aligned as dBASE keeps numbers; no detour through double.
                    QByteArray digits = ValueText::amountPlain(*number).toLatin1().rightJustified(widths[c], ' ');
                    ok = DBFWriteAttributeDirectly(dbf, record, c, digits.data());
                } else
                    ok = DBFWriteIntegerAttribute(dbf, record, c, int(*number));
            } else if (const auto *flag = std::get_if<bool>(&value)) {
                ok = DBFWriteLogicalAttribute(dbf, record, c, *flag ? 'T' : 'F');
            }
        }
        ++record;
    }
    DBFClose(dbf);
    if (job.cancelled())
        return false;
    if (!ok) {
        job.fail(QStringLiteral("DBF kaydı yazılamadı."));
        return false;
    }
    // shapelib reports no failed write; a short file is how a full disk shows.
    const qint64 expected = qint64(layout.headerLength) + qint64(record) * layout.recordLength;
    if (QFileInfo(path).size() < expected) {
        job.fail(QStringLiteral("Diskte yer kalmamış olabilir."));
        return false;
    }

    // The code page also in the form newer readers look for first.
    QFile cpg(QFileInfo(path).path() + u'/' + QFileInfo(path).completeBaseName() + QStringLiteral(".cpg"));
    if (!cpg.open(QIODevice::WriteOnly | QIODevice::Truncate) || cpg.write("1254\r\n") != 6 || !cpg.flush()) {
        job.fail(cpg.errorString());
        return false;
    }
    cpg.close();
    return true;
}

} // namespace exporting
