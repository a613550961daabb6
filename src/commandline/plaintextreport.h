#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

namespace engine { class RowSource; }

namespace commandline {

// One column of a report on the command line: a field and its caption.
struct ReportColumn
{
    const char *field;
    QString caption;
};

// Writes the rows as plain UTF-8 text for a terminal or a mail: the heading
// lines, the captions, a rule, one line per row in aligned columns (dates
// dd.mm.yyyy, amounts with Turkish marks "1.234,56" aligned right), the total
// of the amount column ("T O P L A M") and the row count ("Listelenen Kayıt
// Sayısı :3"). Reads the rows twice (once for the widths). Raises
// engine::Error when the rows cannot be read.
void writePlainText(QIODevice &out, engine::RowSource &rows, const QList<ReportColumn> &columns,
                    const QStringList &heading);

} // namespace commandline
