#include "backup/tablesource.h"

#include "backup/backupcontents.h"
#include "backup/backuperror.h"
#include "engine/database.h"
#include "engine/error.h"
#include "engine/tablecheck.h"

#include <QDir>

namespace backup {

namespace {

std::filesystem::path toPath(const QString &path)
{
    return std::filesystem::u8path(path.toStdString());
}

QString fromPath(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char *>(text.data()), qsizetype(text.size()));
}

} // namespace

QStringList FolderTableSource::tableFiles() const
{
    const engine::Database database(toPath(m_folder));
    QStringList names;
    for (const QString &required : contents::requiredTables()) {
        const auto path = database.findFile(required.toStdString());
        if (!path)
            throw BackupError(QStringLiteral("\"%1\" tablosu bulunamadı; yedek alınmadı.")
                                  .arg(QDir::toNativeSeparators(QDir(m_folder).filePath(required))));
        names << fromPath(path->filename());
    }
    // Any further table of the program, such as the history: recognised by
    // its header, as the engine recognises its own files.
    const QStringList all = QDir(m_folder).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : all) {
        if (names.contains(name, Qt::CaseInsensitive) || !contents::isAllowedMember(contents::tableMember(name)))
            continue;
        try {
            engine::Database::verifyTableFile(toPath(QDir(m_folder).filePath(name)));
            names << name;
        } catch (const engine::Error &) {
            // Not one of ours (an old Paradox table, say): not backed up.
        }
    }
    return names;
}

void FolderTableSource::snapshot(const QString &fileName, const QString &targetPath)
{
    try {
        engine::copyTableFile(toPath(QDir(m_folder).filePath(fileName)), toPath(targetPath));
    } catch (const engine::Error &e) {
        throw BackupError(QString::fromStdString(e.what()));
    }
}

} // namespace backup
