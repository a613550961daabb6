#pragma once

#include <QString>

namespace location {

// Where the programs of Selvora keep Veriler, Ayarlar.ini, GridAyarlari.ini
// and Yedekler: one folder, chosen once per start by one rule that torven,
// the about program, the import and the command-line programs all follow.
//
// The executable's folder is used, exactly as a copied program folder (a USB
// stick, a folder on Windows, build/bin) has always used it, when it already
// holds Veriler or Ayarlar.ini, or when it can be written and is no installed
// program's folder. Otherwise the user's data folder is used:
// QStandardPaths::AppDataLocation, ~/.local/share/Selvora on Linux.
//
// An installed program's folder carries the marker file installedMarkerName()
// (cmake --install and the Debian package put it there). Without it, an
// administrator starting the installed torven would find that folder
// writable and leave his ledgers among the program files.
class DataLocation
{
public:
    // The location for a program whose executable lies in executableFolder.
    // Never raises and creates nothing; the data set-up makes the folders.
    // Precondition: the application name is "Selvora" (it names the user's
    // data folder).
    static DataLocation forProgramFolder(const QString &executableFolder);
    // The same for the running executable.
    static DataLocation forRunningProgram();

    // The folder that holds everything, ending in "/".
    const QString &folder() const { return m_folder; }
    // True when that is the executable's own folder.
    bool isBesideProgram() const { return m_besideProgram; }

    QString dataFolder() const { return m_folder + QStringLiteral("Veriler"); }
    QString backupFolder() const { return m_folder + QStringLiteral("Yedekler"); }
    QString settingsFile() const { return m_folder + QStringLiteral("Ayarlar.ini"); }
    QString gridLayoutFile() const { return m_folder + QStringLiteral("GridAyarlari.ini"); }

    // The user's data folder, ending in "/".
    static QString userDataFolder();
    // "kurulum.txt": the file that marks an installed program's folder.
    static QString installedMarkerName();

private:
    DataLocation(QString folder, bool besideProgram) : m_folder(std::move(folder)), m_besideProgram(besideProgram) {}

    QString m_folder;
    bool m_besideProgram = false;
};

} // namespace location
