#pragma once

#include "export/exportwriter.h"

namespace exporting {

// LaTeX document with a longtable, for pdflatex with inputenc utf8 and T1 fonts.
class LatexWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
