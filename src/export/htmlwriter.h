#pragma once

#include "export/exportwriter.h"

namespace exporting {

// HTML 5 page with one table, UTF-8, every text escaped.
class HtmlWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
