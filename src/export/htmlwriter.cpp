#include "export/htmlwriter.h"

#include "export/exportjob.h"
#include "export/markup.h"
#include "export/outputbuffer.h"

namespace exporting {

bool HtmlWriter::write(ExportJob &job, const QString &path)
{
    OutputBuffer out;
    if (!out.open(path)) {
        job.fail(out.errorString());
        return false;
    }
    out.append("<!DOCTYPE html>\n<html lang=\"tr\">\n<head>\n<meta charset=\"utf-8\">\n<title>");
    appendXmlText(out, job.tableName());
    out.append("</title>\n<style>\n"
               "table { border-collapse: collapse; font-family: Arial, sans-serif; font-size: 9pt; }\n"
               "th, td { border: 1px solid #808080; padding: 2px 4px; vertical-align: top; }\n"
               "th { background: #e0e0e0; }\n"
               "td.sayi { text-align: right; white-space: nowrap; }\n"
               "</style>\n</head>\n<body>\n<table>\n<thead>\n<tr>");
    const int columns = job.columnCount();
    for (int c = 0; c < columns; ++c) {
        out.append("<th>");
        appendXmlText(out, job.caption(c), "<br>");
        out.append("</th>");
    }
    out.append("</tr>\n</thead>\n<tbody>\n");
    job.restart();
    while (job.nextRow()) {
        out.append("<tr>");
        for (int c = 0; c < columns; ++c) {
            const engine::FieldType type = job.type(c);
            const bool number = type == engine::FieldType::Money || type == engine::FieldType::Integer
                || type == engine::FieldType::AutoInc;
            out.append(number ? "<td class=\"sayi\">" : "<td>");
            appendXmlText(out, job.displayText(c), "<br>");
            out.append("</td>");
        }
        out.append("</tr>\n");
    }
    if (job.cancelled())
        return false;
    out.append("</tbody>\n</table>\n</body>\n</html>\n");
    if (!out.close()) {
        job.fail(out.errorString());
        return false;
    }
    return true;
}

} // namespace exporting
