#pragma once

#include "export/exportwriter.h"

namespace exporting {

// Plain text in aligned columns (two passes: widths first, then the rows).
class TextWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
