#pragma once

#include "backup/manifest.h"

#include <QString>

#include <functional>

namespace backup {

class TableSource;

// The share of the work done, 0 to 1.
using Progress = std::function<void(double done)>;

struct BackupResult
{
    bool ok = false;
    QString message;     // Turkish, names what failed; empty when ok
    QString archivePath;
    Manifest manifest;
};

// Writes one backup archive (zip) at archivePath: the tables of source, the
// settings files Ayarlar.ini and GridAyarlari.ini of root when they exist, and
// the manifest with the size, SHA-256, row count and (for the ledgers) kuruş
// sum of every file. The tables are snapshots, each consistent while the
// program has it open; the figures are taken from the snapshots themselves.
// The folder of archivePath is made when missing; a temporary folder beside
// the archive holds the snapshots while the archive is written and is removed
// afterwards. archivePath holds a complete archive or nothing of this run.
BackupResult writeBackup(TableSource &source, const QString &root, const QString &archivePath,
                         const Progress &progress = {});

} // namespace backup
