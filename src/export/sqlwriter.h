#pragma once

#include "export/exportwriter.h"

namespace exporting {

// SQL script: CREATE TABLE and one INSERT per row, quotes doubled.
class SqlWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
