#pragma once

#include "backup/backupwriter.h"
#include "backup/manifest.h"

#include <QDateTime>
#include <QString>

namespace backup {

struct RestoreResult
{
    bool ok = false;
    QString message;        // Turkish, names what is wrong; empty when ok
    QString setAsideFolder; // where the replaced files went; empty when nothing was replaced
    Manifest manifest;
};

// Restores a backup archive into root, the folder that holds Veriler,
// Ayarlar.ini and GridAyarlari.ini. Nothing changes unless checkBackup()
// accepts the archive whole. The files it replaces (with any journal SQLite
// keeps beside a table) are moved, never deleted, into
// Yedekler/geri-yukleme-oncesi-YYYY-MM-DD-HHMMSS; should a move fail
// halfway, every file is moved back where it was. Files the archive does
// not hold stay as they are.
//
// The program's tables must be closed meanwhile (the maintenance window
// closes them); no other program may have them open.
// progress is told the share of the check done.
RestoreResult restoreBackup(const QString &archivePath, const QString &root,
                            const QDateTime &now = QDateTime::currentDateTime(), const Progress &progress = {});

} // namespace backup
