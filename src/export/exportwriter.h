#pragma once

#include "export/exportformat.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace exporting {

class ExportJob;

// The one interface of every format's writer.
class ExportWriter
{
public:
    virtual ~ExportWriter() = default;

    // Writes a caption row and every row of the job's range to path, walking
    // the rows once (or, where a format needs it, twice) without keeping them.
    // Returns true on success. On failure records the reason with job.fail()
    // and returns false; on cancel returns false with job.cancelled() set.
    // Either way a partial file may remain at path: the caller removes it.
    virtual bool write(ExportJob &job, const QString &path) = 0;

    // Extensions of further files the writer puts beside path, named like path
    // with its extension replaced ("cpg" for the code page of a DBF file).
    virtual QStringList companionExtensions() const { return {}; }
};

// A new writer for the format; never null.
std::unique_ptr<ExportWriter> createWriter(ExportFormat format);

} // namespace exporting
