#include "backup/archivecheck.h"

#include "backup/backupcontents.h"
#include "backup/backuperror.h"
#include "backup/ziparchive.h"
#include "engine/database.h"
#include "engine/error.h"
#include "engine/tablecheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace backup {

namespace {

// A manifest is a few kilobytes; anything far larger is no manifest of ours.
constexpr qint64 kManifestLimit = 4 * 1024 * 1024;

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void requireZip(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw BackupError(QStringLiteral("\"%1\" okunamıyor: %2.").arg(shown(path), file.errorString()));
    const QByteArray start = file.read(4);
    if (start != QByteArray("PK\x03\x04", 4) && start != QByteArray("PK\x05\x06", 4))
        throw BackupError(QStringLiteral("\"%1\" bir Selvora yedeği değil: zip arşivi değil.").arg(shown(path)));
}

Manifest readManifest(ZipReader &zip, const QString &path)
{
    if (!zip.contains(Manifest::memberName()))
        throw BackupError(QStringLiteral("\"%1\" bir Selvora yedeği değil: içinde %2 yok.")
                              .arg(shown(path), Manifest::memberName()));
    QString why;
    const auto manifest = Manifest::fromJson(zip.read(Manifest::memberName(), kManifestLimit), &why);
    if (!manifest)
        throw BackupError(QStringLiteral("\"%1\" geri yüklenemez: %2.").arg(shown(path), why));
    return *manifest;
}

void checkMembers(const ZipReader &zip, const Manifest &manifest)
{
    for (const ManifestMember &member : manifest.members) {
        if (!contents::isAllowedMember(member.name) || member.name == Manifest::memberName())
            throw BackupError(QStringLiteral("Yedekte veri klasörünün dışına yazılacak bir dosya adı var: \"%1\".")
                                  .arg(member.name));
        if (!zip.contains(member.name))
            throw BackupError(QStringLiteral("Yedekte \"%1\" yok: yedek eksik.").arg(member.name));
    }
    for (const QString &required : contents::requiredTables()) {
        bool found = false;
        for (const ManifestMember &member : manifest.members)
            found = found || (member.isTable() && member.fileName().compare(required, Qt::CaseInsensitive) == 0);
        if (!found)
            throw BackupError(QStringLiteral("Yedekte \"%1\" yok: yedek eksik.").arg(contents::tableMember(required)));
    }
    QStringList seen;
    for (const QString &name : zip.names()) {
        if (seen.contains(name))
            throw BackupError(QStringLiteral("Yedekte \"%1\" iki kez var: yedek değiştirilmiş.").arg(name));
        seen << name;
        if (name != Manifest::memberName() && !manifest.member(name))
            throw BackupError(
                QStringLiteral("Yedekte içindekiler listesinde olmayan bir dosya var: \"%1\".").arg(name));
    }
}

void checkTable(engine::Database &tables, const ManifestMember &member)
{
    const std::string file = member.fileName().toStdString();
    std::vector<std::string> problems;
    engine::TableSummary summary;
    try {
        problems = engine::integrityProblems(tables, file);
        if (problems.empty())
            summary = engine::summarizeTable(tables, file, contents::sumFieldOf(member.fileName()).toStdString());
    } catch (const engine::Error &e) {
        throw BackupError(QStringLiteral("Yedekteki \"%1\" tablosu okunamıyor: %2")
                              .arg(member.name, QString::fromStdString(e.what())));
    }
    if (!problems.empty())
        throw BackupError(QStringLiteral("Yedekteki \"%1\" tablosu bütünlük denetiminden geçmedi: %2")
                              .arg(member.name, QString::fromStdString(problems.front())));
    if (!member.rows || *member.rows != summary.rows)
        throw BackupError(QStringLiteral("Yedekteki \"%1\" tablosunun satır sayısı (%2) içindekiler listesini (%3) "
                                         "tutmuyor.")
                              .arg(member.name)
                              .arg(summary.rows)
                              .arg(member.rows ? QString::number(*member.rows) : QStringLiteral("yok")));
    if (!contents::sumFieldOf(member.fileName()).isEmpty() && (!member.kurus || *member.kurus != summary.sum))
        throw BackupError(QStringLiteral("Yedekteki \"%1\" tablosunun tutar toplamı (%2 kuruş) içindekiler listesini "
                                         "(%3) tutmuyor.")
                              .arg(member.name)
                              .arg(summary.sum)
                              .arg(member.kurus ? QString::number(*member.kurus) : QStringLiteral("yok")));
}

} // namespace

CheckResult checkBackup(const QString &archivePath, const QString &stagingFolder, const Progress &progress)
{
    CheckResult result;
    try {
        if (!QFileInfo(archivePath).isFile())
            throw BackupError(QStringLiteral("\"%1\" bulunamadı.").arg(shown(archivePath)));
        requireZip(archivePath);
        ZipReader zip(archivePath);
        const Manifest manifest = readManifest(zip, archivePath);
        checkMembers(zip, manifest);

        // Unpacking counts for a quarter, the table checks for the rest, each
        // part by bytes.
        qint64 total = 0, tableBytes = 0, done = 0;
        for (const ManifestMember &member : manifest.members) {
            total += member.size;
            if (member.isTable())
                tableBytes += member.size;
        }
        const auto report = [&](double share) {
            if (progress)
                progress(share);
        };
        const QDir staging(stagingFolder);
        if (!staging.mkpath(QStringLiteral("Veriler")))
            throw BackupError(QStringLiteral("\"%1\" klasörüne yazılamıyor.").arg(shown(stagingFolder)));
        for (const ManifestMember &member : manifest.members) {
            const QString target = staging.filePath(member.name);
            const QByteArray hash = zip.extract(member.name, target);
            if (hash != member.sha256 || QFileInfo(target).size() != member.size)
                throw BackupError(QStringLiteral("Yedekteki \"%1\" değiştirilmiş ya da bozuk: sağlama toplamı "
                                                 "(SHA-256) tutmuyor.")
                                      .arg(member.name));
            done += member.size;
            report(total > 0 ? 0.25 * double(done) / double(total) : 0.25);
        }
        done = 0;
        engine::Database tables(std::filesystem::u8path(staging.filePath(QStringLiteral("Veriler")).toStdString()),
                                engine::Access::ReadOnly);
        for (const ManifestMember &member : manifest.members) {
            if (!member.isTable())
                continue;
            try {
                engine::Database::verifyTableFile(
                    std::filesystem::u8path(staging.filePath(member.name).toStdString()));
            } catch (const engine::Error &) {
                throw BackupError(QStringLiteral("Yedekteki \"%1\" bu programın tablosu değil.").arg(member.name));
            }
            checkTable(tables, member);
            done += member.size;
            report(0.25 + (tableBytes > 0 ? 0.75 * double(done) / double(tableBytes) : 0.75));
        }
        result.manifest = manifest;
        result.ok = true;
    } catch (const BackupError &e) {
        result.message = e.message();
    }
    return result;
}

} // namespace backup
