#include "../entry/entryfixture.h"
#include "forms/entry/companychequedialog.h"
#include "forms/main/ledgerpage.h"
#include "forms/main/recordcommands.h"
#include "forms/settings/warningsettingsdialog.h"
#include "widgets/dataamountedit.h"
#include "widgets/datadateedit.h"
#include "widgets/datalineedit.h"
#include "mainwindowfixture.h"

#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

using data::TableId;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;

namespace {

// A disk of 2 MB of its own, mounted for one test on a folder (tmpfs; only
// where mounting is permitted, as for root), and filled up on demand.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &folder) : m_folder(folder)
    {
        QProcess mount;
        mount.start(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=2m", "tmpfs", m_folder});
        m_mounted = mount.waitForFinished(10000) && mount.exitStatus() == QProcess::NormalExit
            && mount.exitCode() == 0;
        m_refusal = QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
        if (m_refusal.isEmpty())
            m_refusal = mount.errorString();
    }
    ~SmallDisk()
    {
        if (m_mounted)
            QProcess::execute(QStringLiteral("umount"), {"-l", m_folder});
    }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool isMounted() const { return m_mounted; }
    const QString &refusal() const { return m_refusal; }

    // Writes a file until not one more byte fits.
    bool fill()
    {
        QFile filler(m_folder + QStringLiteral("/.doldurma"));
        if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        for (qint64 block = 64 * 1024; block > 0; block /= 2) {
            const QByteArray bytes(block, 'x');
            while (filler.write(bytes) == block) {
            }
        }
        return filler.write("x", 1) != 1;
    }
    void freeSpace() { QFile::remove(m_folder + QStringLiteral("/.doldurma")); }

private:
    QString m_folder;
    bool m_mounted = false;
    QString m_refusal;
};

// Every file below folder (the filler aside) with its contents.
QMap<QString, QByteArray> contents(const QString &folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.endsWith(QStringLiteral("/.doldurma")))
            continue;
        QFile file(path);
        files.insert(QDir(folder).relativeFilePath(path), file.open(QIODevice::ReadOnly) ? file.readAll() : "?");
    }
    return files;
}

MessageReply acting(std::function<void(QDialog *)> action)
{
    return MessageReply::acting(std::move(action));
}

} // namespace

// A full disk under each thing the program writes: the write fails with a
// Turkish message that names the disk, what was typed stays, every file is
// left as it was, and once there is room again the next post succeeds.
class tst_FullDisk : public QObject
{
    Q_OBJECT

private slots:
    void failsWithoutLosingAnything_data();
    void failsWithoutLosingAnything();
};

void tst_FullDisk::failsWithoutLosingAnything_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("post of a new cheque") << "post";
    QTest::newRow("delete of a cheque") << "delete";
    QTest::newRow("Ayarlar.ini from the settings dialog") << "Ayarlar.ini";
    QTest::newRow("GridAyarlari.ini at close") << "GridAyarlari.ini";
}

void tst_FullDisk::failsWithoutLosingAnything()
{
    QFETCH(QString, action);
    MainWindowFixture f;
    SmallDisk disk(f.program.path());
    if (!disk.isMounted())
        QSKIP(qPrintable(QStringLiteral("a small tmpfs cannot be mounted here (%1): the full-disk test needs "
                                        "the right to mount, as root has")
                             .arg(disk.refusal())));
    f.addCheques(TableId::CompanyCheques, {{"Duran Çek", {}, 100}});
    f.writeFile(QStringLiteral("Ayarlar.ini"), "[CEK_AYARLARI]\r\nGUN=3\r\n");
    f.writeFile(QStringLiteral("GridAyarlari.ini"), "[cekformuGridFirmaCek]\r\nCEKI_ALAN=40;;ÇEKİ ALAN;;\r\n");
    MainWindow &w = f.show();
    engine::Table &ledger = w.companyPage()->table();
    const QMap<QString, QByteArray> before = contents(f.program.path());
    QVERIFY2(disk.fill(), "the disk did not fill up");

    bool stillOpen = false; // the dialog kept what was typed
    QMap<QString, QByteArray> afterFailure;
    if (action == u"post") {
        f.answerer.push(acting([&](QDialog *shown) {
            auto *dialog = qobject_cast<forms::CompanyChequeDialog *>(shown);
            QVERIFY(dialog);
            typeInto(dialog->dueDateEditor(), QStringLiteral("15.03.2025"));
            typeInto(dialog->amountEditor(), typedAmount(1250, 50));
            typeInto(dialog->chequeNumberEditor(), QStringLiteral("DOLU-1"));
            f.answerer.push(MessageButton::Ok);
            dialog->save();
            afterFailure = contents(f.program.path());
            stillOpen = dialog->isVisible() && ledger.state() == engine::Table::State::Insert
                && dialog->chequeNumberEditor()->text() == u"DOLU-1";
            disk.freeSpace();
            f.answerer.push(acting([](QDialog *question) { QTest::keyClick(question, Qt::Key_F3); }));
            dialog->save(); // room again: the same cheque goes in
        }));
        w.recordCommands().newOnCurrentPage();
        QCOMPARE(ledger.rowCount(), std::int64_t(2));
    } else if (action == u"delete") {
        f.answerer.push(MessageButton::Yes);
        f.answerer.push(MessageButton::Ok);
        w.companyPage()->deleteButton()->click();
        afterFailure = contents(f.program.path());
        stillOpen = ledger.rowCount() == 1;
        disk.freeSpace();
        f.answerer.push(MessageButton::Yes);
        w.companyPage()->deleteButton()->click();
        QCOMPARE(ledger.rowCount(), std::int64_t(0));
    } else if (action == u"Ayarlar.ini") {
        f.answerer.push(acting([&](QDialog *shown) {
            auto *dialog = qobject_cast<forms::WarningSettingsDialog *>(shown);
            QVERIFY(dialog);
            dialog->daysBox()->setValue(7);
            f.answerer.push(MessageButton::Ok);
            dialog->save();
            afterFailure = contents(f.program.path());
            stillOpen = dialog->isVisible() && dialog->daysBox()->value() == 7;
            disk.freeSpace();
            QVERIFY(dialog->save());
        }));
        w.topBarButton(QStringLiteral("SpeedButton3"))->click();
        QFile settings(f.folder() + QStringLiteral("Ayarlar.ini"));
        QVERIFY(settings.open(QIODevice::ReadOnly));
        QVERIFY2(settings.readAll().contains("GUN=7"), "the second save did not write");
    } else {
        f.answerer.push(MessageButton::Ok);
        w.close();
        afterFailure = contents(f.program.path());
        stillOpen = true; // nothing typed: the layout lives in the grids
        disk.freeSpace();
    }

    const QList<widgets::MessageRequest> failures = [&] {
        QList<widgets::MessageRequest> list;
        for (const widgets::MessageRequest &request : f.answerer.asked())
            if (request.kind == MessageKind::Failure)
                list << request;
        return list;
    }();
    QCOMPARE(failures.size(), 1);
    const QString message = failures.first().text;
    QVERIFY2(message.contains(QStringLiteral("yer kalmadı")), qPrintable(message));
    QVERIFY2(message.contains(u'"' + QDir::toNativeSeparators(f.program.path()) + QStringLiteral("\" diskinde")),
             qPrintable(message));
    QVERIFY2(stillOpen, "what was typed is gone");
    QCOMPARE(afterFailure.keys(), before.keys());
    for (const QString &file : before.keys())
        QVERIFY2(afterFailure.value(file) == before.value(file), qPrintable(file + QStringLiteral(" changed")));
    QCOMPARE(f.answerer.unexpected(), 0);

    // The next post after room was made goes in.
    const std::int64_t rows = ledger.rowCount();
    ledger.append();
    ledger.setValue("CEKI_ALAN", std::string("Yer Açıldı"));
    ledger.post();
    QCOMPARE(ledger.rowCount(), rows + 1);
    f.window.reset();
}

QTEST_MAIN(tst_FullDisk)
#include "tst_fulldisk.moc"
