#pragma once

#include "export/exportwriter.h"

namespace exporting {

// SYLK (Symbolic Link) sheet: amounts and dates as typed, formatted numbers,
// text as text constants, in code page 1254.
class SylkWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
