#pragma once

#include "export/exportwriter.h"

namespace exporting {

// The clipboard: tab-separated text and an HTML table in one QMimeData. The
// clipboard holds its data in memory, so this one format is not streamed.
class ClipboardWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
