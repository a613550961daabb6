#include "backup/folderrestore.h"

#include "backup/archivecheck.h"
#include "backup/backuperror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <utility>

namespace backup {

namespace {

// The files SQLite may keep beside a table; a journal left beside a restored
// table would be played back into it.
const QStringList kCompanions = {QString(), QStringLiteral("-journal"), QStringLiteral("-wal"),
                                 QStringLiteral("-shm")};

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// The file in folder named name without regard to case (an exact match
// wins), or an empty text.
QString existingFile(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    if (QFileInfo(dir.filePath(name)).exists())
        return dir.filePath(name);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden))
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

QString freshFolder(const QString &backups, const QDateTime &now)
{
    const QString base = QDir(backups).filePath(QStringLiteral("geri-yukleme-oncesi-")
                                                + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss")));
    QString folder = base;
    for (int n = 2; QFileInfo::exists(folder); ++n)
        folder = base + u'-' + QString::number(n);
    return folder;
}

// Removes the set-aside folder when nothing went into it. Never more: a file
// in it is a file of the user's.
void removeIfEmpty(const QString &folder)
{
    QDir(folder).rmdir(QStringLiteral("Veriler"));
    QDir().rmdir(folder);
}

// Moves made so far, undone in reverse order when a later one fails.
class Moves
{
public:
    void move(const QString &from, const QString &to)
    {
        if (!QFile::rename(from, to))
            throw BackupError(QStringLiteral("\"%1\" \"%2\" konumuna taşınamadı; geri yükleme yapılmadı, her dosya "
                                             "yerinde bırakıldı.")
                                  .arg(shown(from), shown(to)));
        m_done.emplace_back(from, to);
    }
    void undo()
    {
        for (auto it = m_done.rbegin(); it != m_done.rend(); ++it)
            QFile::rename(it->second, it->first);
        m_done.clear();
    }

private:
    std::vector<std::pair<QString, QString>> m_done;
};

} // namespace

RestoreResult restoreBackup(const QString &archivePath, const QString &root, const QDateTime &now,
                            const Progress &progress)
{
    RestoreResult result;
    const QDir rootDir(root);
    if (!rootDir.mkpath(QStringLiteral("."))) {
        result.message = QStringLiteral("\"%1\" klasörü oluşturulamadı.").arg(shown(root));
        return result;
    }
    // Checked files wait on the same disk as the data, so putting them in
    // place is a rename.
    QTemporaryDir staging(rootDir.filePath(QStringLiteral(".selvora-geri-yukleme-XXXXXX")));
    if (!staging.isValid()) {
        result.message = QStringLiteral("\"%1\" klasörüne yazılamıyor; geri yükleme yapılmadı.").arg(shown(root));
        return result;
    }
    const CheckResult check = checkBackup(archivePath, staging.path(), progress);
    if (!check.ok) {
        result.message = check.message;
        return result;
    }
    result.manifest = check.manifest;

    const QString setAside = freshFolder(rootDir.filePath(QStringLiteral("Yedekler")), now);
    Moves moves;
    bool setAsideUsed = false;
    try {
        if (!QDir().mkpath(QDir(setAside).filePath(QStringLiteral("Veriler"))) || !rootDir.mkpath(QStringLiteral("Veriler")))
            throw BackupError(QStringLiteral("\"%1\" klasörü oluşturulamadı; geri yükleme yapılmadı.").arg(shown(setAside)));
        for (const ManifestMember &member : check.manifest.members) {
            const QString folder = member.isTable() ? rootDir.filePath(QStringLiteral("Veriler")) : root;
            const QString asideFolder = member.isTable() ? QDir(setAside).filePath(QStringLiteral("Veriler")) : setAside;
            const QString present = existingFile(folder, member.fileName());
            const QString presentName = present.isEmpty() ? member.fileName() : QFileInfo(present).fileName();
            for (const QString &suffix : kCompanions) {
                const QString old = QDir(folder).filePath(presentName + suffix);
                if (!QFileInfo::exists(old))
                    continue;
                moves.move(old, QDir(asideFolder).filePath(presentName + suffix));
                setAsideUsed = true;
            }
            moves.move(QDir(staging.path()).filePath(member.name), QDir(folder).filePath(member.fileName()));
        }
    } catch (const BackupError &e) {
        moves.undo();
        removeIfEmpty(setAside);
        result.message = e.message();
        return result;
    }
    if (setAsideUsed)
        result.setAsideFolder = setAside;
    removeIfEmpty(setAside);
    result.ok = true;
    return result;
}

} // namespace backup
