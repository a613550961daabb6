#include "backup/automaticbackup.h"
#include "forms/backup/backupdialog.h"
#include "forms/backup/closingbackup.h"
#include "forms/maintenance/maintenancedialog.h"
#include "forms/maintenance/tablemaintenance.h"
#include "widgets/scriptedanswerer.h"

#include "backupfixture.h"

#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>

using forms::BackupDialog;
using forms::MaintenanceDialog;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

// Opens the backup window from the maintenance window, as a user does.
MessageReply openBackups()
{
    return MessageReply::acting([](QDialog *shown) {
        auto *maintenance = qobject_cast<MaintenanceDialog *>(shown);
        QVERIFY(maintenance && maintenance->backupButton());
        QCOMPARE(maintenance->backupButton()->text(), QStringLiteral("Yedekleme..."));
        QVERIFY(maintenance->rect().contains(maintenance->backupButton()->geometry()));
        maintenance->backupButton()->click();
    });
}

MessageReply inBackups(std::function<void(BackupDialog *)> act)
{
    return MessageReply::acting([act](QDialog *shown) {
        auto *dialog = qobject_cast<BackupDialog *>(shown);
        QVERIFY(dialog);
        act(dialog);
    });
}

BackupDialog::FileChooser answer(const QString &path)
{
    return [path](QWidget *, const QString &) { return path; };
}

} // namespace

// Backups and restores as the user reaches them: "Veri Tabanı Bakımı",
// then "Yedekleme...", with the program's tables closed meanwhile.
class tst_BackupDialog : public QObject
{
    Q_OBJECT

private slots:
    void backUpThenRestoreFromTheMaintenanceWindow();
    void refusedRestoreSaysWhyAndChangesNothing();
    void settingsAreWrittenAsTheyChange();
    void failedClosingBackupIsReportedOnceAtTheNextStart();
};

void tst_BackupDialog::backUpThenRestoreFromTheMaintenanceWindow()
{
    BackupFixture fixture;
    fixture.create();
    data::DataStore store(fsPath(fixture.dataFolder()));
    QVERIFY(store.setUp().empty());
    const QString archive = fixture.program.filePath("Yedekler/elle.zip");

    QString suggested;
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Yes), openBackups(),
                               inBackups([&](BackupDialog *dialog) {
                                   dialog->setSaveChooser([&](QWidget *, const QString &offered) {
                                       suggested = offered;
                                       return archive;
                                   });
                                   dialog->backUp();
                               }),
                               MessageReply::pressed(MessageButton::Ok)});
    bool restored = true;
    QVERIFY(forms::runTableMaintenance(store, nullptr, fixture.root(), &restored));
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(!restored);
    QVERIFY2(suggested.startsWith(fixture.program.filePath("Yedekler/yedek-")), qPrintable(suggested));
    QCOMPARE(answerer.asked().last().kind, MessageKind::Information);
    const QString said = answerer.asked().last().text;
    QVERIFY2(said.startsWith("\nYEDEK ALINDI.") && said.contains("Firma çekleri: 3 çek")
                 && said.contains("Müşteri çekleri: 2 çek"),
             qPrintable(said));
    QVERIFY(QFileInfo(archive).isFile());

    // A cheque typed after the backup goes when the backup comes back.
    BackupFixture::add(store, data::TableId::CompanyCheques, {{"CEKI_ALAN", "Sonradan", 5}});
    answerer.clearAsked();
    answerer.push(MessageButton::Yes);
    answerer.push(openBackups());
    answerer.push(inBackups([&](BackupDialog *dialog) {
        dialog->setOpenChooser(answer(archive));
        dialog->restore();
        QVERIFY(dialog->hasRestored());
    }));
    answerer.push(MessageButton::Yes); // go on with the restore
    answerer.push(MessageButton::Ok);  // what came back
    QVERIFY(forms::runTableMaintenance(store, nullptr, fixture.root(), &restored));
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(restored);
    const QString done = answerer.asked().last().text;
    QVERIFY2(done.startsWith("\nGERİ YÜKLEME TAMAMLANDI.") && done.contains("geri-yukleme-oncesi-"), qPrintable(done));
    QCOMPARE(BackupFixture::figures(store, data::TableId::CompanyCheques),
             qMakePair(qint64(3), BackupFixture::companyKurus));
}

void tst_BackupDialog::refusedRestoreSaysWhyAndChangesNothing()
{
    BackupFixture fixture;
    fixture.create();
    fixture.write("yedek.zip", "PK\x03\x04 yarım kalmış");
    const QMap<QString, QByteArray> before = fixture.files();
    BackupDialog dialog(fixture.root());
    dialog.setOpenChooser(answer(fixture.program.filePath("yedek.zip")));
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Yes), MessageReply::pressed(MessageButton::Ok)});
    dialog.restore();
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().last().kind, MessageKind::Warning);
    const QString said = answerer.asked().last().text;
    QVERIFY2(said.startsWith("\nGERİ YÜKLEME YAPILMADI.") && said.contains("yarıda kesilmiş")
                 && said.endsWith("Hiçbir dosya değiştirilmedi."),
             qPrintable(said));
    QVERIFY(!dialog.hasRestored());
    QCOMPARE(fixture.files(), before);

    // Saying "Hayır" to the question does nothing at all.
    answerer.push(MessageButton::No);
    dialog.restore();
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(fixture.files(), before);
}

void tst_BackupDialog::settingsAreWrittenAsTheyChange()
{
    BackupFixture fixture;
    fixture.create();
    BackupDialog dialog(fixture.root());
    QCOMPARE(dialog.modeBox()->currentText(), QStringLiteral("Her gün ilk kapanışta"));
    QCOMPARE(dialog.keepBox()->value(), 10);
    dialog.modeBox()->setCurrentIndex(2);
    dialog.keepBox()->setValue(4);
    const auto settings = backup::AutomaticBackup(fixture.root()).settings();
    QCOMPARE(settings.mode, backup::AutomaticBackupSettings::Mode::Off);
    QCOMPARE(settings.keep, 4);
    for (const QWidget *child : dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName() + " sticks out"));
}

void tst_BackupDialog::failedClosingBackupIsReportedOnceAtTheNextStart()
{
    BackupFixture fixture;
    fixture.create();
    QVERIFY(QFile::remove(fixture.program.filePath("Veriler/fct.DB")));
    QVERIFY(!forms::runClosingBackup(fixture.root()));
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    forms::reportFailedClosingBackup(fixture.root());
    forms::reportFailedClosingBackup(fixture.root());
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Failure);
    QVERIFY2(answerer.asked().first().text.contains("fct.DB"), qPrintable(answerer.asked().first().text));

    // Once the tables are whole again, the next close backs them up.
    data::DataStore store(fsPath(fixture.dataFolder()));
    QVERIFY(store.setUp().empty());
    QVERIFY(forms::runClosingBackup(fixture.root()));
    QCOMPARE(backup::AutomaticBackup::automaticArchives(fixture.program.filePath("Yedekler")).size(), 1);
}

QTEST_MAIN(tst_BackupDialog)
#include "tst_backupdialog.moc"
