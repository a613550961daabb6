#pragma once

#include "export/exportwriter.h"

namespace exporting {

// XML document: the fields with their captions, then one element per row.
class XmlWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
