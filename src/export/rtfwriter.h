#pragma once

#include "export/exportwriter.h"

namespace exporting {

// RTF document with one table; non-ASCII letters as \u escapes.
class RtfWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
