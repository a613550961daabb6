#pragma once

#include "backup/backupwriter.h"
#include "backup/manifest.h"

#include <QString>

namespace backup {

struct CheckResult
{
    bool ok = false;
    QString message; // Turkish, names what is wrong; empty when ok
    Manifest manifest;
};

// Checks a backup archive whole, before anything is restored from it, and
// leaves its files, checked, in stagingFolder (an empty folder the caller
// owns): "Veriler/<table>", "Ayarlar.ini", "GridAyarlari.ini".
//
// Refused, with a message naming what is wrong: a file that is no zip archive
// or is cut short; an archive without the manifest, or whose manifest is none
// of ours or of a newer program; a member the manifest lists that is missing,
// or one it does not list, or one named outside the data folder; one of the
// seven tables missing; a member whose size or SHA-256 differs; a table that
// is no table of the program, fails SQLite's integrity check, or whose row
// count or kuruş sum differs from the manifest. Reads archivePath only.
// progress is told the share done (the integrity check of large tables takes
// the most time).
CheckResult checkBackup(const QString &archivePath, const QString &stagingFolder, const Progress &progress = {});

} // namespace backup
