#pragma once

#include "export/exportwriter.h"

namespace exporting {

// MS Word .docx: a WordprocessingML package with one table, zipped with libzip.
class WordWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
