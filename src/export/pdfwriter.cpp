#include "export/pdfwriter.h"

#include "export/exportjob.h"
#include "export/tablepainter.h"

#include <QFile>
#include <QPdfWriter>

namespace exporting {

bool PdfWriter::write(ExportJob &job, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        job.fail(file.errorString());
        return false;
    }
    TablePainter table(job);
    bool painted = false;
    {
        QPdfWriter pdf(&file);
        pdf.setCreator(QStringLiteral("Selvora"));
        pdf.setTitle(job.tableName());
        pdf.setPageLayout(table.pageLayout());
        painted = table.paint(&pdf);
    }
    if (!painted)
        return false;
    // QPdfWriter reports no write error; the file does.
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        job.fail(file.errorString());
        return false;
    }
    file.close();
    return true;
}

} // namespace exporting
