#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program off a data folder that one copy is
// using: a lock file in the data folder, held for the life of the program.
// The lock of a copy that was killed or crashed (its process is gone, or
// the file was left empty) is recognised as left over and taken over.
// It guards a folder of table files; a shared database server needs none.
class DataFolderLock
{
public:
    enum class Outcome {
        Taken,       // ours until this object is destroyed
        InUse,       // another running copy of the program holds it
        Unavailable, // no lock can be kept there (a folder that cannot be made or written)
    };

    explicit DataFolderLock(const QString &dataFolder);

    // Takes the lock, making the data folder first when it is missing (the
    // data set-up would make it anyway). With Unavailable the program goes on
    // without a lock: the set-up then reports what it cannot write.
    Outcome take();

    // What a second copy tells the user before it ends: in Turkish, naming
    // the folder.
    QString inUseMessage() const;

    const QString &dataFolder() const { return m_folder; }
    // The lock file's name inside the data folder.
    static QString fileName();

private:
    QString m_folder;
    QLockFile m_lock;
};
