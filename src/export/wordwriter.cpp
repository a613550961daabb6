#include "export/wordwriter.h"

#include "export/exportjob.h"
#include "export/markup.h"
#include "export/outputbuffer.h"
#include "export/twipspage.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <zip.h>

namespace exporting {

namespace {

const char contentTypes[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
    "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
    "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
    "<Override PartName=\"/word/document.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml\"/>"
    "<Override PartName=\"/word/styles.xml\" "
    "ContentType=\"application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml\"/>"
    "</Types>";

const char packageRelations[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
    "Target=\"word/document.xml\"/>"
    "</Relationships>";

const char documentRelations[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
    "<Relationship Id=\"rId1\" "
    "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
    "Target=\"styles.xml\"/>"
    "</Relationships>";

const char styles[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
    "<w:styles xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\">"
    "<w:docDefaults><w:rPrDefault><w:rPr>"
    "<w:rFonts w:ascii=\"Arial\" w:hAnsi=\"Arial\" w:cs=\"Arial\" w:eastAsia=\"Arial\"/>"
    "<w:sz w:val=\"16\"/><w:szCs w:val=\"16\"/><w:lang w:val=\"tr-TR\"/>"
    "</w:rPr></w:rPrDefault>"
    "<w:pPrDefault><w:pPr><w:spacing w:before=\"0\" w:after=\"0\" w:line=\"240\" w:lineRule=\"auto\"/></w:pPr></w:pPrDefault>"
    "</w:docDefaults>"
    "<w:style w:type=\"paragraph\" w:default=\"1\" w:styleId=\"Normal\"><w:name w:val=\"Normal\"/></w:style>"
    "</w:styles>";

void appendCell(OutputBuffer &out, const QString &text, bool bold, bool right)
{
    out.append("<w:tc><w:p>");
    if (right)
        out.append("<w:pPr><w:jc w:val=\"right\"/></w:pPr>");
    out.append(bold ? "<w:r><w:rPr><w:b/></w:rPr><w:t xml:space=\"preserve\">" : "<w:r><w:t xml:space=\"preserve\">");
    appendXmlText(out, text, "</w:t><w:br/><w:t xml:space=\"preserve\">");
    out.append("</w:t></w:r></w:p></w:tc>");
}

// Writes word/document.xml to path, row by row.
bool writeDocument(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    const int columns = job.columnCount();
    const TwipsPage page = TwipsPage::of(job);

    out.append("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
               "<w:document xmlns:w=\"http://schemas.openxmlformats.org/wordprocessingml/2006/main\"><w:body>"
               "<w:tbl><w:tblPr><w:tblW w:w=\"");
    out.append(QByteArray::number(page.usable()));
    // Word checks the order of these elements: width, borders, layout.
    out.append("\" w:type=\"dxa\"/><w:tblBorders>"
               "<w:top w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"808080\"/>"
               "<w:left w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"808080\"/>"
               "<w:bottom w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"808080\"/>"
               "<w:right w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"808080\"/>"
               "<w:insideH w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"808080\"/>"
               "<w:insideV w:val=\"single\" w:sz=\"4\" w:space=\"0\" w:color=\"808080\"/>"
               "</w:tblBorders><w:tblLayout w:type=\"fixed\"/></w:tblPr><w:tblGrid>");
    for (int c = 0; c < columns; ++c) {
        out.append("<w:gridCol w:w=\"");
        out.append(QByteArray::number(page.columnWidth(c)));
        out.append("\"/>");
    }
    out.append("</w:tblGrid>\n<w:tr><w:trPr><w:tblHeader/></w:trPr>");
    for (int c = 0; c < columns; ++c)
        appendCell(out, job.caption(c), true, false);
    out.append("</w:tr>\n");
    job.restart();
    while (job.nextRow()) {
        out.append("<w:tr>");
        for (int c = 0; c < columns; ++c)
            appendCell(out, job.displayText(c), false, job.type(c) == engine::FieldType::Money);
        out.append("</w:tr>\n");
    }
    if (job.cancelled())
        return false;
    out.append("</w:tbl><w:p/><w:sectPr><w:pgSz w:w=\"");
    out.append(QByteArray::number(page.width));
    out.append("\" w:h=\"");
    out.append(QByteArray::number(page.height));
    out.append(page.landscape ? "\" w:orient=\"landscape\"/>" : "\"/>");
    out.append(QStringLiteral("<w:pgMar w:top=\"%1\" w:right=\"%2\" w:bottom=\"%3\" w:left=\"%4\" "
                              "w:header=\"708\" w:footer=\"708\" w:gutter=\"0\"/>")
                   .arg(page.top).arg(page.right)
                   .arg(page.bottom).arg(page.left)
                   .toLatin1());
    out.append("</w:sectPr></w:body></w:document>\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

QString zipError(zip_t *archive)
{
    return QString::fromUtf8(zip_strerror(archive));
}

bool addBuffer(zip_t *archive, const char *name, const char *data, std::size_t size)
{
    zip_source_t *source = zip_source_buffer(archive, data, size, 0);
    if (!source)
        return false;
    if (zip_file_add(archive, name, source, ZIP_FL_ENC_UTF_8) < 0) {
        zip_source_free(source);
        return false;
    }
    return true;
}

} // namespace

bool WordWriter::write(ExportJob &job, const QString &path)
{
    // The document part is written to a temporary file first and zipped from
    // there: the rows never sit in memory, and the archive learns the part's
    // size up front (a part of unknown size would force ZIP64 headers).
    QTemporaryFile document(QFileInfo(path).absolutePath() + QStringLiteral("/.belge-XXXXXX.xml"));
    if (!document.open()) {
        job.fail(document.errorString());
        return false;
    }
    document.close();
    if (!writeDocument(job, document.fileName()))
        return false;

    int error = 0;
    const QByteArray fileName = QFile::encodeName(path);
    zip_t *archive = zip_open(fileName.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) {
        zip_error_t details;
        zip_error_init_with_code(&details, error);
        job.fail(QString::fromUtf8(zip_error_strerror(&details)));
        zip_error_fini(&details);
        return false;
    }
    const QByteArray documentName = QFile::encodeName(document.fileName());
    bool ok = addBuffer(archive, "[Content_Types].xml", contentTypes, sizeof contentTypes - 1)
        && addBuffer(archive, "_rels/.rels", packageRelations, sizeof packageRelations - 1)
        && addBuffer(archive, "word/_rels/document.xml.rels", documentRelations, sizeof documentRelations - 1)
        && addBuffer(archive, "word/styles.xml", styles, sizeof styles - 1);
    if (ok) {
        zip_source_t *source = zip_source_file(archive, documentName.constData(), 0, -1);
        ok = source && zip_file_add(archive, "word/document.xml", source, ZIP_FL_ENC_UTF_8) >= 0;
        if (source && !ok)
            zip_source_free(source);
    }
    if (!ok) {
        job.fail(zipError(archive));
        zip_discard(archive);
        return false;
    }
    if (zip_close(archive) < 0) {
        job.fail(zipError(archive));
        zip_discard(archive);
        return false;
    }
    return true;
}

} // namespace exporting
