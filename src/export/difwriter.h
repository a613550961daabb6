#pragma once

#include "export/exportwriter.h"

namespace exporting {

// DIF (Data Interchange Format): amounts as numbers, other values as strings,
// text in code page 1254.
class DifWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
