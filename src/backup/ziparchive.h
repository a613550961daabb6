#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

struct zip;
struct zip_source;

namespace backup {

// A new zip archive, written through libzip (the only place that includes
// zip.h). Members are named and added first and written at commit(): libzip
// writes a temporary file beside the archive and renames it into place, so
// the archive's name only ever holds a complete archive. Every failure raises
// BackupError with a Turkish message naming the archive.
class ZipWriter
{
public:
    explicit ZipWriter(const QString &path);
    ~ZipWriter(); // discards everything unless committed
    ZipWriter(const ZipWriter &) = delete;
    ZipWriter &operator=(const ZipWriter &) = delete;

    // The file at sourcePath becomes member name; it must stay until commit().
    void addFile(const QString &name, const QString &sourcePath);
    void addData(const QString &name, const QByteArray &data);
    // Writes the archive; progress is told the share done, 0 to 1.
    void commit(const std::function<void(double)> &progress = {});

private:
    // Adds source (owned by libzip once added) as member name, deflated.
    void add(const QString &name, zip_source *source, const QString &shownName);

    QString m_path;
    zip *m_archive = nullptr;
    QList<std::shared_ptr<QByteArray>> m_buffers;
    std::function<void(double)> m_progress;
};

// An existing zip archive, opened read-only with libzip's consistency checks.
// Every failure raises BackupError with a Turkish message naming the archive
// or the member.
class ZipReader
{
public:
    explicit ZipReader(const QString &path);
    ~ZipReader();
    ZipReader(const ZipReader &) = delete;
    ZipReader &operator=(const ZipReader &) = delete;

    // The member names, in archive order.
    const QStringList &names() const { return m_names; }
    bool contains(const QString &name) const { return m_names.contains(name); }
    // The whole member, refused when it is larger than maxSize.
    QByteArray read(const QString &name, qint64 maxSize);
    // Writes the member into a new file at targetPath and returns the SHA-256
    // of its bytes (hexadecimal, lower case). libzip checks the member's CRC
    // as it reads.
    QByteArray extract(const QString &name, const QString &targetPath);

private:
    // Reads the member to its end, chunk by chunk; sink returns false to stop.
    void readMember(const QString &name, const std::function<bool(QByteArrayView)> &sink);

    QString m_path;
    zip *m_archive = nullptr;
    QStringList m_names;
};

} // namespace backup
