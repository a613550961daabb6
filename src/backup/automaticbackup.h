#pragma once

#include "backup/backupwriter.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace backup {

// The automatic backup's settings, in the section [YEDEKLEME] of Ayarlar.ini
// (the four keys of CEK_AYARLARI keep their meaning and place):
//   OTOMATIK = HER_KAPANISTA | GUNLUK | KAPALI   (GUNLUK when missing or unknown)
//   SAKLA    = how many automatic backups are kept, 1 to 999 (10 when missing)
struct AutomaticBackupSettings
{
    enum class Mode { EveryClose, Daily, Off };

    Mode mode = Mode::Daily;
    int keep = 10;

    static QString sectionName() { return QStringLiteral("YEDEKLEME"); }
    static AutomaticBackupSettings load(const QString &settingsFile);
    // Writes the two keys, every other line of the file as it was. Returns a
    // Turkish message naming the file when it cannot be written, else empty.
    QString save(const QString &settingsFile) const;
};

// A failed automatic backup, noted in Ayarlar.ini (SON_HATA, SON_HATA_ZAMANI)
// so that the next start tells the user; never silently dropped.
struct FailureNote
{
    QDateTime when;
    QString message;

    // What the next start shows.
    QString text() const;
};

// The backup taken when the program closes: into Yedekler beside Veriler, as
// otomatik-YYYY-MM-DD-HHMMSS.zip, at every close or at the first close of
// each day, keeping the newest N of them. Other files in Yedekler (backups
// taken by hand, restored-over files) are never touched.
class AutomaticBackup
{
public:
    // root: the folder that holds Veriler, Ayarlar.ini and Yedekler.
    explicit AutomaticBackup(QString root);

    QString backupFolder() const;
    QString settingsFile() const;
    AutomaticBackupSettings settings() const { return AutomaticBackupSettings::load(settingsFile()); }

    // Whether this close takes a backup: always at every close; daily when
    // Yedekler holds no automatic backup of today; never when off.
    bool isDue(const QDate &today) const;

    // Takes the backup, then removes the oldest automatic backups beyond the
    // number kept. A failure is noted for the next start (when the note
    // itself cannot be written, the result's message says so too).
    BackupResult run(const QDateTime &now = QDateTime::currentDateTime(), const Progress &progress = {});

    static QString archiveName(const QDateTime &now);
    // The automatic backups in folder, oldest first.
    static QStringList automaticArchives(const QString &folder);

    // The note of the last failed automatic backup, taken out of the file so
    // it is shown once; std::nullopt when there is none.
    static std::optional<FailureNote> takeFailureNote(const QString &settingsFile);
    // Notes a failure. Returns false when the file cannot be written.
    static bool noteFailure(const QString &settingsFile, const FailureNote &note);

private:
    QString m_root;
};

} // namespace backup
