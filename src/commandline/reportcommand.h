#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class QIODevice;

namespace commandline {

// The exit codes of selvora-rapor.
namespace exitcode {
inline constexpr int Rows = 0;           // the report was written: at least one cheque
inline constexpr int NoRows = 1;         // no cheque matched; nothing was written
inline constexpr int WrongCall = 2;      // the arguments were wrong
inline constexpr int DataUnreadable = 3; // the data folder or a table could not be read
inline constexpr int OutputFailed = 4;   // the output could not be written
} // namespace exitcode

// Runs one call of selvora-rapor (arguments without the program name) on the
// data of root, the folder that holds Veriler and Ayarlar.ini; today is the
// day the dates count from. The tables are opened read-only, so the program
// may be running meanwhile. The report goes to out, or to the file --dosya
// names (which then only ever holds a complete report); every message goes
// to err as a Turkish line. Returns the exit code. Needs a QGuiApplication
// (the PDF is laid out with the report's fonts).
int runReportCommand(const QStringList &arguments, const QString &root, const QDate &today, QIODevice &out,
                     QIODevice &err);

} // namespace commandline
