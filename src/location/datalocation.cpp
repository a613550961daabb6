#include "location/datalocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace location {

namespace {

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

// Whether a file can be made in folder. The permission bits alone do not tell:
// an administrator may write anywhere, a read-only medium refuses everyone,
// and Windows decides by access lists.
bool canWriteInto(const QString &folder)
{
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".selvora-yazma-denemesi-XXXXXX")));
    return probe.open();
}

} // namespace

DataLocation DataLocation::forProgramFolder(const QString &executableFolder)
{
    const QString folder = withSlash(QDir::cleanPath(QDir(executableFolder).absolutePath()));
    const QDir dir(folder);
    const bool hasData = QFileInfo(dir.filePath(QStringLiteral("Veriler"))).isDir()
        || QFileInfo(dir.filePath(QStringLiteral("Ayarlar.ini"))).isFile();
    if (hasData)
        return DataLocation(folder, true);
    const bool installed = QFileInfo(dir.filePath(installedMarkerName())).isFile();
    if (!installed && canWriteInto(folder))
        return DataLocation(folder, true);
    return DataLocation(userDataFolder(), false);
}

DataLocation DataLocation::forRunningProgram()
{
    return forProgramFolder(QCoreApplication::applicationDirPath());
}

QString DataLocation::userDataFolder()
{
    Q_ASSERT(QCoreApplication::applicationName() == QLatin1String("Selvora"));
    return withSlash(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

QString DataLocation::installedMarkerName()
{
    return QStringLiteral("kurulum.txt");
}

} // namespace location
