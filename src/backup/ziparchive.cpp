#include "backup/ziparchive.h"

#include "backup/backuperror.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>

#include <zip.h>

namespace backup {

namespace {

QString reason(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("zip yapısı okunamıyor: dosya yarıda kesilmiş ya da değiştirilmiş");
    case ZIP_ER_INCONS:
        return QStringLiteral("arşivin içindekiler birbirini tutmuyor (dosya değiştirilmiş ya da bozuk)");
    case ZIP_ER_CRC:
        return QStringLiteral("sağlama (CRC) tutmuyor: içerik değiştirilmiş ya da bozuk");
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("sıkıştırılmış veri açılamıyor: içerik bozuk");
    case ZIP_ER_NOENT:
        return QStringLiteral("dosya bulunamadı");
    case ZIP_ER_OPEN:
    case ZIP_ER_READ:
        return QStringLiteral("dosya okunamıyor");
    case ZIP_ER_WRITE:
    case ZIP_ER_TMPOPEN:
    case ZIP_ER_RENAME:
    case ZIP_ER_CLOSE:
        return QStringLiteral("dosya yazılamıyor (klasör salt okunur ya da disk dolu olabilir)");
    case ZIP_ER_MEMORY:
        return QStringLiteral("bellek yetmedi");
    default: {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString text = QString::fromUtf8(zip_error_strerror(&error));
        zip_error_fini(&error);
        return QStringLiteral("zip hatası: ") + text;
    }
    }
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

ZipWriter::ZipWriter(const QString &path) : m_path(path)
{
    int code = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!m_archive)
        throw BackupError(QStringLiteral("\"%1\" yedeği oluşturulamadı: %2.").arg(shown(path), reason(code)));
}

ZipWriter::~ZipWriter()
{
    if (m_archive)
        zip_discard(m_archive);
}

void ZipWriter::add(const QString &name, zip_source_t *source, const QString &shownName)
{
    const zip_int64_t index =
        source ? zip_file_add(m_archive, name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8) : -1;
    // The fastest deflate level: table files shrink to a fifth even so, and a
    // large ledger is backed up in seconds rather than tens of them.
    if (index < 0 || zip_set_file_compression(m_archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 1) != 0) {
        if (source && index < 0)
            zip_source_free(source);
        throw BackupError(QStringLiteral("\"%1\" yedeğe eklenemedi: %2.")
                              .arg(shownName, reason(zip_error_code_zip(zip_get_error(m_archive)))));
    }
}

void ZipWriter::addFile(const QString &name, const QString &sourcePath)
{
    add(name, zip_source_file(m_archive, QFile::encodeName(sourcePath).constData(), 0, -1), shown(sourcePath));
}

void ZipWriter::addData(const QString &name, const QByteArray &data)
{
    auto kept = std::make_shared<QByteArray>(data);
    m_buffers << kept;
    add(name, zip_source_buffer(m_archive, kept->constData(), zip_uint64_t(kept->size()), 0), name);
}

void ZipWriter::commit(const std::function<void(double)> &progress)
{
    m_progress = progress;
    if (m_progress)
        zip_register_progress_callback_with_state(
            m_archive, 0.01,
            [](zip_t *, double done, void *self) { static_cast<ZipWriter *>(self)->m_progress(done); }, nullptr,
            this);
    if (zip_close(m_archive) != 0) {
        const QString why = reason(zip_error_code_zip(zip_get_error(m_archive)));
        zip_discard(m_archive);
        m_archive = nullptr;
        throw BackupError(QStringLiteral("\"%1\" yedeği yazılamadı: %2.").arg(shown(m_path), why));
    }
    m_archive = nullptr;
}

ZipReader::ZipReader(const QString &path) : m_path(path)
{
    int code = 0;
    m_archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_archive)
        throw BackupError(QStringLiteral("\"%1\" açılamadı: %2.").arg(shown(path), reason(code)));
    const zip_int64_t count = zip_get_num_entries(m_archive, 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        const char *name = zip_get_name(m_archive, zip_uint64_t(i), ZIP_FL_ENC_GUESS);
        m_names << QString::fromUtf8(name ? name : "");
    }
}

ZipReader::~ZipReader()
{
    if (m_archive)
        zip_discard(m_archive);
}

void ZipReader::readMember(const QString &name, const std::function<bool(QByteArrayView)> &sink)
{
    zip_file_t *opened = zip_fopen(m_archive, name.toUtf8().constData(), ZIP_FL_ENC_UTF_8);
    if (!opened) {
        const int code = zip_error_code_zip(zip_get_error(m_archive));
        if (code == ZIP_ER_NOENT)
            throw BackupError(QStringLiteral("Yedekte \"%1\" yok.").arg(name));
        throw BackupError(QStringLiteral("Yedekteki \"%1\" açılamadı: %2.").arg(name, reason(code)));
    }
    const std::unique_ptr<zip_file_t, int (*)(zip_file_t *)> file(opened, &zip_fclose);
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    // Read to the end: libzip checks the CRC when the last byte has come.
    for (;;) {
        const zip_int64_t got = zip_fread(file.get(), buffer.data(), zip_uint64_t(buffer.size()));
        if (got < 0)
            throw BackupError(QStringLiteral("Yedekteki \"%1\" bozuk: %2.")
                                  .arg(name, reason(zip_error_code_zip(zip_file_get_error(file.get())))));
        if (got == 0 || !sink(QByteArrayView(buffer.constData(), qsizetype(got))))
            return;
    }
}

QByteArray ZipReader::read(const QString &name, qint64 maxSize)
{
    QByteArray data;
    bool tooLarge = false;
    readMember(name, [&](QByteArrayView chunk) {
        tooLarge = data.size() + chunk.size() > maxSize;
        if (!tooLarge)
            data.append(chunk);
        return !tooLarge;
    });
    if (tooLarge)
        throw BackupError(QStringLiteral("Yedekteki \"%1\" beklenenden büyük.").arg(name));
    return data;
}

QByteArray ZipReader::extract(const QString &name, const QString &targetPath)
{
    QFile target(targetPath);
    if (!target.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        throw BackupError(QStringLiteral("\"%1\" yazılamadı: %2.").arg(shown(targetPath), target.errorString()));
    QCryptographicHash hash(QCryptographicHash::Sha256);
    readMember(name, [&](QByteArrayView chunk) {
        hash.addData(chunk);
        if (target.write(chunk.constData(), chunk.size()) != chunk.size())
            throw BackupError(
                QStringLiteral("\"%1\" yazılamadı: %2.").arg(shown(targetPath), target.errorString()));
        return true;
    });
    if (!target.flush())
        throw BackupError(QStringLiteral("\"%1\" yazılamadı: %2.").arg(shown(targetPath), target.errorString()));
    return hash.result().toHex();
}

} // namespace backup
