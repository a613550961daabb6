#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace backup {

// What goes into a backup, and under which names.
namespace contents {

// "Veriler/" followed by the table's file name.
QString tableMember(const QString &fileName);
// The settings files backed up beside the tables when they exist:
// "Ayarlar.ini", "GridAyarlari.ini".
QStringList settingsFiles();
// The seven tables every backup holds (the history table, when there is
// one, comes as a further table).
QStringList requiredTables();
// "CEK_TUTARI" for the two ledgers (file names matched without regard to
// case), whose kuruş sums the manifest records; empty for other tables.
QString sumFieldOf(const QString &fileName);
// Whether name may stand in a backup: the manifest, a settings file, or
// "Veriler/" followed by a plain file name ending in ".db" (any case).
// Nothing in an archive can name a file outside the data folder.
bool isAllowedMember(const QString &name);

// The SHA-256 of a file, hexadecimal, lower case; empty when it cannot be read.
QByteArray sha256OfFile(const QString &path);

} // namespace contents

} // namespace backup
