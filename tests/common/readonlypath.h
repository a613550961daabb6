#pragma once

#include <QFile>
#include <QFileInfo>
#include <QProcess>

// Makes a file or a folder read-only for the length of a test, also for a
// user whose rights pass over file modes (root, as on most build machines):
// there the immutable attribute does it, where the file system has one.
// Everything is put back on destruction, before a QTemporaryDir declared
// earlier removes the folder.
class ReadOnlyPath
{
public:
    explicit ReadOnlyPath(QString path) : m_path(std::move(path)), m_permissions(QFile::permissions(m_path))
    {
        const bool folder = QFileInfo(m_path).isDir();
        QFile::setPermissions(m_path, folder ? QFileDevice::ReadOwner | QFileDevice::ExeOwner : QFileDevice::ReadOwner);
        if (isWritable())
            m_immutable = chattr(QStringLiteral("+i"));
        m_holds = !isWritable();
    }
    ~ReadOnlyPath() { restore(); }
    ReadOnlyPath(const ReadOnlyPath &) = delete;
    ReadOnlyPath &operator=(const ReadOnlyPath &) = delete;

    // False when nothing could stop this user from writing: the test skips.
    bool holds() const { return m_holds; }

    void restore()
    {
        if (m_immutable)
            chattr(QStringLiteral("-i"));
        m_immutable = false;
        QFile::setPermissions(m_path, m_permissions);
    }

private:
    bool isWritable() const
    {
        if (QFileInfo(m_path).isDir()) {
            QFile probe(m_path + QStringLiteral("/.yazma-denemesi"));
            if (!probe.open(QIODevice::WriteOnly))
                return false;
            probe.remove();
            return true;
        }
        return QFile(m_path).open(QIODevice::ReadWrite); // opened, not truncated
    }

    bool chattr(const QString &flag) const
    {
        QProcess process;
        process.start(QStringLiteral("chattr"), {flag, m_path});
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }

    QString m_path;
    QFileDevice::Permissions m_permissions;
    bool m_immutable = false;
    bool m_holds = false;
};
