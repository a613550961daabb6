#include "export/exporter.h"

#include "export/exportjob.h"
#include "export/exportwriter.h"
#include "text/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace exporting {

namespace {

QString companionPath(const QString &path, const QString &extension)
{
    const QFileInfo file(path);
    return file.path() + u'/' + file.completeBaseName() + u'.' + extension;
}

// Why the system refused, in Turkish, as a sentence of its own.
QString reasonOf(const std::error_code &error)
{
    const QString reason = QString::fromStdString(text::systemErrorReason(error));
    return reason.left(1).toUpper() + reason.mid(1) + u'.';
}

// Replaces target by source in one step where the system allows it, so that
// a reader sees either the old file or the new one, never a mixture.
bool replaceFile(const QString &source, const QString &target, QString *reason)
{
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(source.toStdU16String()),
                            std::filesystem::path(target.toStdU16String()), error);
    if (error && reason)
        *reason = reasonOf(error);
    return !error;
}

} // namespace

QString Exporter::cannotWriteMessage(const QString &fileName, const QString &reason)
{
    QString message = QStringLiteral("\nDosya yazılamadı:\n%1").arg(QDir::toNativeSeparators(fileName));
    if (!reason.isEmpty())
        message += QStringLiteral("\n\n%1").arg(reason);
    return message;
}

ExportResult Exporter::run(ExportJob &job, ExportFormat format, const QString &fileName)
{
    ExportResult result;
    const std::unique_ptr<ExportWriter> writer = createWriter(format);
    if (isClipboard(format)) {
        result.ok = writer->write(job, QString());
        result.cancelled = job.cancelled();
        result.rows = job.rowsRead();
        if (!result.ok && !result.cancelled)
            result.message = QStringLiteral("\nPanoya kopyalanamadı.\n\n%1").arg(job.errorMessage());
        return result;
    }

    const QFileInfo target(fileName);
    const QDir folder = target.absoluteDir();
    if (target.fileName().isEmpty()) {
        result.message = QStringLiteral("\nOluşturulacak dosyanın adını yazınız.");
        return result;
    }
    if (!folder.exists()) {
        result.message = cannotWriteMessage(fileName, QStringLiteral("Klasör bulunamadı: %1")
                                                          .arg(QDir::toNativeSeparators(folder.path())));
        return result;
    }
    if (target.isDir()) {
        result.message = cannotWriteMessage(fileName, QStringLiteral("Bu adda bir klasör var."));
        return result;
    }

    // A hidden name in the same folder: the rename at the end stays on one
    // file system, and a crash leaves no half file under the chosen name.
    QTemporaryFile temporary(folder.filePath(QStringLiteral(".%1-XXXXXX.%2")
                                                 .arg(target.completeBaseName(), fileExtension(format))));
    temporary.setAutoRemove(false);
    errno = 0;
    if (!temporary.open()) {
        // The system's own wording would be English; the reason is told in Turkish.
        const int error = errno;
        result.message = cannotWriteMessage(
            fileName, error ? reasonOf(std::error_code(error, std::generic_category())) : temporary.errorString());
        return result;
    }
    const QString temporaryPath = temporary.fileName();
    temporary.close();

    const auto removeTemporary = [&] {
        QFile::remove(temporaryPath);
        for (const QString &extension : writer->companionExtensions())
            QFile::remove(companionPath(temporaryPath, extension));
    };

    const bool written = writer->write(job, temporaryPath);
    result.rows = job.rowsRead();
    if (!written) {
        removeTemporary();
        result.cancelled = job.cancelled();
        if (!result.cancelled)
            result.message = cannotWriteMessage(fileName, job.errorMessage());
        return result;
    }

    // The temporary file was made readable by its owner alone; the export is
    // an ordinary document.
    QFile::setPermissions(temporaryPath, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                                             | QFile::ReadGroup | QFile::ReadOther);
    QString reason;
    for (const QString &extension : writer->companionExtensions()) {
        if (!replaceFile(companionPath(temporaryPath, extension), companionPath(fileName, extension), &reason)) {
            removeTemporary();
            result.message = cannotWriteMessage(companionPath(fileName, extension), reason);
            return result;
        }
    }
    if (!replaceFile(temporaryPath, target.absoluteFilePath(), &reason)) {
        removeTemporary();
        result.message = cannotWriteMessage(fileName, reason);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace exporting
