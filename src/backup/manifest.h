#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace backup {

// One file of a backup as the manifest records it.
struct ManifestMember
{
    QString name;        // in the archive: "Veriler/firma_cek.db", "Ayarlar.ini", "GridAyarlari.ini"
    qint64 size = 0;     // bytes
    QByteArray sha256;   // hexadecimal, lower case
    std::optional<qint64> rows;  // tables: the number of rows
    std::optional<qint64> kurus; // the two ledgers: the sum of CEK_TUTARI in kuruş

    bool isTable() const { return name.startsWith(QLatin1String("Veriler/")); }
    // The file name without "Veriler/" (tables), or the name itself.
    QString fileName() const { return isTable() ? name.mid(8) : name; }
};

// The manifest of a backup: the member "selvora-yedek.json" of every archive,
// which says that the archive is a Selvora backup and what each file in it
// must be. A restore checks every member against it before it changes
// anything.
struct Manifest
{
    static QString memberName() { return QStringLiteral("selvora-yedek.json"); }
    static constexpr int currentVersion = 1;

    int version = currentVersion;
    QDateTime created;
    QString program;  // "Selvora 1.4"
    // Where the tables came from: "klasor" for the folder of table files.
    // Office mode writes "sunucu"; the tables in the archive have the same
    // format either way.
    QString storage;
    QList<ManifestMember> members;

    const ManifestMember *member(const QString &name) const;

    QByteArray toJson() const;
    // Reads a manifest; std::nullopt when data is none of ours or cannot be
    // read, with why filled in with a Turkish reason.
    static std::optional<Manifest> fromJson(const QByteArray &data, QString *why);
};

} // namespace backup
