#pragma once

#include "export/exportwriter.h"

namespace exporting {

// MS Excel .xlsx through libxlsxwriter in constant-memory mode: dates as
// dates, amounts as numbers, text always as text.
class ExcelWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
