#pragma once

#include "export/exportwriter.h"

namespace exporting {

// CSV: ";" between fields always, RFC 4180 quoting, CRLF line ends, UTF-8
// with a byte order mark so spreadsheets read the Turkish letters right.
class CsvWriter : public ExportWriter
{
public:
    bool write(ExportJob &job, const QString &path) override;
};

} // namespace exporting
