#include "export/exportformat.h"

#include <QFileInfo>

namespace exporting {

namespace {

struct FormatInfo
{
    ExportFormat format;
    const char *label;
    const char *extension;
};

// Dialog order; the labels are the dialog's own texts.
constexpr FormatInfo formatTable[] = {
    {ExportFormat::Excel, "MS Excel", "xlsx"},
    {ExportFormat::Word, "MS Word", "docx"},
    {ExportFormat::Rtf, "RTF", "rtf"},
    {ExportFormat::Html, "HTML", "html"},
    {ExportFormat::Text, "Text File", "txt"},
    {ExportFormat::Xml, "XML", "xml"},
    {ExportFormat::Dbf, "DBF", "dbf"},
    {ExportFormat::Pdf, "PDF", "pdf"},
    {ExportFormat::Csv, "CSV File", "csv"},
    {ExportFormat::Dif, "DIF File", "dif"},
    {ExportFormat::Sylk, "SYLK File", "slk"},
    {ExportFormat::Latex, "LaTeX", "tex"},
    {ExportFormat::Sql, "SQL", "sql"},
    {ExportFormat::Clipboard, "Windows Clipboard", ""},
};

const FormatInfo &info(ExportFormat format)
{
    return formatTable[static_cast<int>(format)];
}

} // namespace

QList<ExportFormat> allFormats()
{
    QList<ExportFormat> formats;
    for (const FormatInfo &entry : formatTable)
        formats.append(entry.format);
    return formats;
}

QString formatLabel(ExportFormat format)
{
    return QString::fromUtf8(info(format).label);
}

QString fileExtension(ExportFormat format)
{
    return QString::fromLatin1(info(format).extension);
}

QString fileFilter(ExportFormat format)
{
    if (isClipboard(format))
        return {};
    return QStringLiteral("%1 (*.%2)").arg(formatLabel(format), fileExtension(format));
}

bool isClipboard(ExportFormat format)
{
    return format == ExportFormat::Clipboard;
}

bool canPrint(ExportFormat format)
{
    return format == ExportFormat::Pdf || format == ExportFormat::Html || format == ExportFormat::Text;
}

QString withExtension(const QString &fileName, ExportFormat format)
{
    if (fileName.trimmed().isEmpty() || isClipboard(format))
        return fileName;
    const QFileInfo file(fileName);
    const QString suffix = file.suffix();
    QString stem = fileName;
    // Only a known export extension is replaced: "rapor.2024" keeps its dot.
    bool known = false;
    for (const FormatInfo &entry : formatTable)
        known = known || (entry.extension[0] && suffix.compare(QLatin1String(entry.extension), Qt::CaseInsensitive) == 0);
    if (known)
        stem.chop(suffix.size() + 1);
    return stem + u'.' + fileExtension(format);
}

} // namespace exporting
