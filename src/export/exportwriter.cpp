#include "export/exportwriter.h"

#include "export/clipboardwriter.h"
#include "export/csvwriter.h"
#include "export/dbfwriter.h"
#include "export/difwriter.h"
#include "export/excelwriter.h"
#include "export/htmlwriter.h"
#include "export/latexwriter.h"
#include "export/pdfwriter.h"
#include "export/rtfwriter.h"
#include "export/sqlwriter.h"
#include "export/sylkwriter.h"
#include "export/textwriter.h"
#include "export/wordwriter.h"
#include "export/xmlwriter.h"

namespace exporting {

std::unique_ptr<ExportWriter> createWriter(ExportFormat format)
{
    switch (format) {
    case ExportFormat::Excel: return std::make_unique<ExcelWriter>();
    case ExportFormat::Word: return std::make_unique<WordWriter>();
    case ExportFormat::Rtf: return std::make_unique<RtfWriter>();
    case ExportFormat::Html: return std::make_unique<HtmlWriter>();
    case ExportFormat::Text: return std::make_unique<TextWriter>();
    case ExportFormat::Xml: return std::make_unique<XmlWriter>();
    case ExportFormat::Dbf: return std::make_unique<DbfWriter>();
    case ExportFormat::Pdf: return std::make_unique<PdfWriter>();
    case ExportFormat::Csv: return std::make_unique<CsvWriter>();
    case ExportFormat::Dif: return std::make_unique<DifWriter>();
    case ExportFormat::Sylk: return std::make_unique<SylkWriter>();
    case ExportFormat::Latex: return std::make_unique<LatexWriter>();
    case ExportFormat::Sql: return std::make_unique<SqlWriter>();
    case ExportFormat::Clipboard: return std::make_unique<ClipboardWriter>();
    }
    return std::make_unique<CsvWriter>();
}

} // namespace exporting
