#pragma once

#include "export/exportwriter.h"

namespace exporting {

// PDF through QPdfWriter: a ruled table on A4 pages with the program's margins.
class PdfWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
