#include "app/datafolderlock.h"

#include <QtTest>

// The lock of a data folder, held by this test or by a second process (this
// same executable started with "--hold FOLDER", which takes the lock, says
// so on its output and waits until it is killed or its input closes).
class tst_DataFolderLock : public QObject
{
    Q_OBJECT

private slots:
    void oneProgramPerDataFolder_data();
    void oneProgramPerDataFolder();
};

namespace {

constexpr char kHold[] = "--hold";

// Every file below folder with its size and time of change.
QStringList snapshot(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files << info.filePath() + u' ' + QString::number(info.size()) + u' '
                + QString::number(info.lastModified().toMSecsSinceEpoch());
    }
    files.sort();
    return files;
}

int holdLock(const QString &folder)
{
    DataFolderLock lock(folder);
    const DataFolderLock::Outcome outcome = lock.take();
    QTextStream out(stdout);
    out << (outcome == DataFolderLock::Outcome::Taken ? "taken" : "refused") << Qt::endl;
    QFile input;
    input.open(stdin, QIODevice::ReadOnly);
    input.readAll(); // until the test closes the channel or kills us
    return 0;
}

} // namespace

void tst_DataFolderLock::oneProgramPerDataFolder_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("outcome");
    QTest::newRow("no data folder yet") << "missing" << int(DataFolderLock::Outcome::Taken);
    QTest::newRow("a free data folder") << "free" << int(DataFolderLock::Outcome::Taken);
    QTest::newRow("held by a running program") << "held" << int(DataFolderLock::Outcome::InUse);
    QTest::newRow("left by a killed program") << "killed" << int(DataFolderLock::Outcome::Taken);
    QTest::newRow("left empty by a program that lost its power") << "empty" << int(DataFolderLock::Outcome::Taken);
}

void tst_DataFolderLock::oneProgramPerDataFolder()
{
    QFETCH(QString, before);
    QFETCH(int, outcome);
    QTemporaryDir program;
    const QString folder = program.filePath(QStringLiteral("Veriler"));
    if (before != u"missing")
        QVERIFY(QDir().mkpath(folder));
    const QString lockFile = QDir(folder).filePath(DataFolderLock::fileName());

    QProcess holder;
    if (before == u"held" || before == u"killed") {
        holder.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(kHold), folder});
        QVERIFY(holder.waitForReadyRead(10000));
        QCOMPARE(holder.readLine().trimmed(), QByteArray("taken"));
        if (before == u"killed") {
            holder.kill(); // as kill -9: the holder never gets to let go
            QVERIFY(holder.waitForFinished(10000));
            QVERIFY2(QFile::exists(lockFile), "a killed program leaves its lock file behind");
        }
    } else if (before == u"empty") {
        QFile empty(lockFile);
        QVERIFY(empty.open(QIODevice::WriteOnly));
    }

    const QStringList files = snapshot(program.path());
    {
        DataFolderLock lock(folder);
        QCOMPARE(int(lock.take()), outcome);
        if (outcome == int(DataFolderLock::Outcome::InUse)) {
            QCOMPARE(snapshot(program.path()), files);
            const QString message = lock.inUseMessage();
            QVERIFY2(message.contains(QStringLiteral("zaten çalışıyor")), qPrintable(message));
            QVERIFY2(message.contains(QDir::toNativeSeparators(folder)), qPrintable(message));
        } else {
            QVERIFY(QFile::exists(lockFile));
            // The lock is ours now: a further copy is refused.
            DataFolderLock second(folder);
            QCOMPARE(second.take(), DataFolderLock::Outcome::InUse);
        }
    }
    if (outcome == int(DataFolderLock::Outcome::Taken))
        QVERIFY2(!QFile::exists(lockFile), "the lock file stays after the program let go");
    if (holder.state() != QProcess::NotRunning) {
        holder.closeWriteChannel();
        QVERIFY(holder.waitForFinished(10000));
    }
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], kHold) == 0) {
        QCoreApplication application(argc, argv);
        return holdLock(QString::fromLocal8Bit(argv[2]));
    }
    QCoreApplication application(argc, argv);
    tst_DataFolderLock test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_datafolderlock.moc"
