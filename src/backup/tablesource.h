#pragma once

#include <QString>
#include <QStringList>

namespace backup {

// Where the tables of a backup come from. Every source writes each table as a
// table file of the folder storage, so one archive format and one restore
// check serve all of them: the folder of table files copies each file with
// SQLite's online backup; office mode will write a logical copy of the
// server's tables the same way.
class TableSource
{
public:
    virtual ~TableSource() = default;

    // The table file names to back up: the seven tables, then any further
    // table of the program (the history). Raises BackupError naming a table
    // of the seven that is missing.
    virtual QStringList tableFiles() const = 0;
    // Writes one consistent state of the table as a new table file at
    // targetPath. Raises BackupError.
    virtual void snapshot(const QString &fileName, const QString &targetPath) = 0;
    // What the manifest records as the storage: "klasor", "sunucu".
    virtual QString storageName() const = 0;
};

// The folder of table files (Veriler).
class FolderTableSource : public TableSource
{
public:
    explicit FolderTableSource(QString dataFolder) : m_folder(std::move(dataFolder)) {}

    QStringList tableFiles() const override;
    void snapshot(const QString &fileName, const QString &targetPath) override;
    QString storageName() const override { return QStringLiteral("klasor"); }

private:
    QString m_folder;
};

} // namespace backup
