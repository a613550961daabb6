#include "app/datafolderlock.h"

#include <QDir>
#include <QThread>

DataFolderLock::DataFolderLock(const QString &dataFolder)
    : m_folder(dataFolder), m_lock(QDir(dataFolder).filePath(fileName()))
{
    // Held for as long as the program runs, however long that is: only a
    // copy that is gone gives its lock up.
    m_lock.setStaleLockTime(0);
}

QString DataFolderLock::fileName()
{
    return QStringLiteral("Selvora.kilit");
}

DataFolderLock::Outcome DataFolderLock::take()
{
    if (!QDir().mkpath(m_folder))
        return Outcome::Unavailable;
    if (m_lock.tryLock(0))
        return Outcome::Taken;
    if (m_lock.error() != QLockFile::LockFailedError)
        return Outcome::Unavailable;
    // A lock file without the holder's details is either being written this
    // very moment or was left empty by a copy that lost its power before it
    // could write them. A moment later it is one or the other; an empty one
    // is removed, which the system refuses while a live copy holds it.
    if (!m_lock.getLockInfo(nullptr, nullptr, nullptr)) {
        QThread::msleep(200);
        if (!m_lock.getLockInfo(nullptr, nullptr, nullptr))
            m_lock.removeStaleLockFile();
        if (m_lock.tryLock(0))
            return Outcome::Taken;
    }
    return Outcome::InUse;
}

QString DataFolderLock::inUseMessage() const
{
    return QStringLiteral("\r\nSelvora bu veri klasöründe zaten çalışıyor:\r\n\r\n%1\r\n\r\n"
                          "Çalışan programı görev çubuğundan açın. Bu ikinci kopya hiçbir şeye "
                          "dokunmadan kapanıyor.")
        .arg(QDir::toNativeSeparators(m_folder));
}
