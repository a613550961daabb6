#pragma once

#include "export/exportwriter.h"

namespace exporting {

// dBASE III table through shapelib, text in code page 1254 (Windows Turkish),
// declared both by the language driver byte and by a .cpg file beside it.
class DbfWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
    QStringList companionExtensions() const override { return {QStringLiteral("cpg")}; }
};

} // namespace exporting
