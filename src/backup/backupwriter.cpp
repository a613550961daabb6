#include "backup/backupwriter.h"

#include "backup/backupcontents.h"
#include "backup/backuperror.h"
#include "backup/tablesource.h"
#include "backup/ziparchive.h"
#include "engine/database.h"
#include "engine/error.h"
#include "engine/tablecheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace backup {

namespace {

ManifestMember describe(const QString &name, const QString &path)
{
    ManifestMember member;
    member.name = name;
    member.size = QFileInfo(path).size();
    member.sha256 = contents::sha256OfFile(path);
    if (member.sha256.isEmpty())
        throw BackupError(QStringLiteral("\"%1\" okunamadı; yedek alınmadı.").arg(QDir::toNativeSeparators(path)));
    return member;
}

} // namespace

BackupResult writeBackup(TableSource &source, const QString &root, const QString &archivePath,
                         const Progress &progress)
{
    BackupResult result;
    result.archivePath = archivePath;
    const auto report = [&progress](double done) {
        if (progress)
            progress(done);
    };
    try {
        const QString folder = QFileInfo(archivePath).absolutePath();
        if (!QDir().mkpath(folder))
            throw BackupError(QStringLiteral("\"%1\" klasörü oluşturulamadı; yedek alınmadı.")
                                  .arg(QDir::toNativeSeparators(folder)));
        QTemporaryDir staging(QDir(folder).filePath(QStringLiteral(".selvora-yedek-XXXXXX")));
        if (!staging.isValid() || !QDir(staging.path()).mkdir(QStringLiteral("Veriler")))
            throw BackupError(QStringLiteral("\"%1\" klasörüne yazılamıyor; yedek alınmadı.")
                                  .arg(QDir::toNativeSeparators(folder)));

        Manifest manifest;
        manifest.created = QDateTime::currentDateTime();
        manifest.program = QStringLiteral("Selvora 1.4");
        manifest.storage = source.storageName();
        QStringList stagedPaths;

        const QStringList tables = source.tableFiles();
        const QString stagedTables = QDir(staging.path()).filePath(QStringLiteral("Veriler"));
        engine::Database snapshots(std::filesystem::u8path(stagedTables.toStdString()), engine::Access::ReadOnly);
        for (qsizetype i = 0; i < tables.size(); ++i) {
            const QString &name = tables.at(i);
            const QString target = QDir(stagedTables).filePath(name);
            source.snapshot(name, target);
            ManifestMember member = describe(contents::tableMember(name), target);
            const engine::TableSummary summary = engine::summarizeTable(
                snapshots, name.toStdString(), contents::sumFieldOf(name).toStdString());
            member.rows = summary.rows;
            if (!contents::sumFieldOf(name).isEmpty())
                member.kurus = summary.sum;
            manifest.members << member;
            stagedPaths << target;
            report(0.3 * double(i + 1) / double(tables.size()));
        }
        // Copies of the settings files, so the archive holds what was
        // described even if the program writes them meanwhile.
        for (const QString &name : contents::settingsFiles()) {
            const QString original = QDir(root).filePath(name);
            if (!QFileInfo(original).isFile())
                continue;
            const QString copy = QDir(staging.path()).filePath(name);
            if (!QFile::copy(original, copy))
                throw BackupError(QStringLiteral("\"%1\" okunamadı; yedek alınmadı.")
                                      .arg(QDir::toNativeSeparators(original)));
            manifest.members << describe(name, copy);
            stagedPaths << copy;
        }

        ZipWriter zip(archivePath);
        zip.addData(Manifest::memberName(), manifest.toJson());
        for (qsizetype i = 0; i < manifest.members.size(); ++i)
            zip.addFile(manifest.members.at(i).name, stagedPaths.at(i));
        zip.commit([&report](double done) { report(0.3 + 0.7 * done); });
        result.manifest = manifest;
        result.ok = true;
    } catch (const BackupError &e) {
        result.message = e.message();
    } catch (const engine::Error &e) {
        result.message = QStringLiteral("Yedek alınamadı: ") + QString::fromStdString(e.what());
    }
    return result;
}

} // namespace backup
