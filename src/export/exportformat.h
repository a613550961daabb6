#pragma once

#include <QList>
#include <QString>

namespace exporting {

// The formats of the export dialog, in the order the dialog offers them.
enum class ExportFormat {
    Excel,
    Word,
    Rtf,
    Html,
    Text,
    Xml,
    Dbf,
    Pdf,
    Csv,
    Dif,
    Sylk,
    Latex,
    Sql,
    Clipboard,
};

// Every format, in dialog order.
QList<ExportFormat> allFormats();

// The name the dialog shows ("MS Excel", "Windows Clipboard", ...).
QString formatLabel(ExportFormat format);

// The file name extension without the dot ("xlsx"); empty for the clipboard.
QString fileExtension(ExportFormat format);

// The file dialog filter of the format ("MS Excel (*.xlsx)").
QString fileFilter(ExportFormat format);

// True when the format writes to the clipboard instead of a file.
bool isClipboard(ExportFormat format);

// True when a file of the format can be printed by the program after export
// (PDF, HTML and text: the formats Qt itself can lay out on a page).
bool canPrint(ExportFormat format);

// A file name with its extension replaced by (or given) the format's own.
// Returns fileName unchanged for the clipboard or an empty name.
QString withExtension(const QString &fileName, ExportFormat format);

} // namespace exporting
