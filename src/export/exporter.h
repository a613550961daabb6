#pragma once

#include "export/exportformat.h"

#include <QString>

#include <cstdint>

namespace exporting {

class ExportJob;

// How one export ended.
struct ExportResult
{
    bool ok = false;
    bool cancelled = false;
    QString message;        // Turkish text for the user when !ok && !cancelled
    std::int64_t rows = 0;  // rows written
};

// Runs one export into a file so that the chosen name only ever holds a
// complete file: the writer writes a temporary file in the same folder, which
// is renamed over the chosen name when it is finished, and removed when
// writing fails or is cancelled. An existing file of that name is replaced
// only by a complete export.
class Exporter
{
public:
    // Writes the job in the format to fileName (ignored for the clipboard).
    static ExportResult run(ExportJob &job, ExportFormat format, const QString &fileName);

    // The message shown when fileName cannot be written, with the reason.
    static QString cannotWriteMessage(const QString &fileName, const QString &reason);
};

} // namespace exporting
