#include "forms/backup/backupdialog.h"

#include "backup/automaticbackup.h"
#include "backup/backupwriter.h"
#include "backup/folderrestore.h"
#include "backup/tablesource.h"
#include "data/schema.h"
#include "forms/backup/backgroundwork.h"
#include "widgets/messageservice.h"
#include "widgets/valuetext.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>

using backup::AutomaticBackupSettings;
using widgets::MessageService;

namespace forms {

namespace {

const QString kArchiveFilter = QStringLiteral("Selvora yedeği (*.zip)");

// The items of the mode box, in this order.
int modeIndex(AutomaticBackupSettings::Mode mode)
{
    return mode == AutomaticBackupSettings::Mode::EveryClose ? 0 : mode == AutomaticBackupSettings::Mode::Daily ? 1 : 2;
}

AutomaticBackupSettings::Mode modeAt(int index)
{
    return index == 0 ? AutomaticBackupSettings::Mode::EveryClose
           : index == 1 ? AutomaticBackupSettings::Mode::Daily
                        : AutomaticBackupSettings::Mode::Off;
}

QString amount(qint64 kurus)
{
    return widgets::displayText(engine::Value{std::int64_t(kurus)}, engine::FieldType::Money);
}

} // namespace

BackupDialog::BackupDialog(QString root, QWidget *parent) : QDialog(parent), m_root(std::move(root))
{
    setObjectName(QStringLiteral("yedekleme_formu"));
    setWindowTitle(QStringLiteral("Yedekleme"));
    setModal(true);
    setFixedSize(421, 189);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto *automatic = new QGroupBox(QStringLiteral("Program Kapanırken Otomatik Yedek"), this);
    automatic->setGeometry(8, 8, 405, 78);
    m_mode = new QComboBox(automatic);
    m_mode->setObjectName(QStringLiteral("OTOMATIK"));
    m_mode->addItems({QStringLiteral("Her kapanışta"), QStringLiteral("Her gün ilk kapanışta"), QStringLiteral("Kapalı")});
    m_mode->setGeometry(12, 20, 170, 21);
    auto *keepLabel = new QLabel(QStringLiteral("Saklanacak yedek sayısı :"), automatic);
    keepLabel->setGeometry(196, 22, 140, 17);
    m_keep = new QSpinBox(automatic);
    m_keep->setObjectName(QStringLiteral("SAKLA"));
    m_keep->setRange(1, 999);
    m_keep->setGeometry(340, 20, 54, 21);
    auto *where = new QLabel(QStringLiteral("Yedek klasörü: ")
                                 + QDir::toNativeSeparators(backup::AutomaticBackup(m_root).backupFolder()),
                             automatic);
    where->setGeometry(12, 46, 381, 28);
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setGeometry(8, 94, 405, 16);
    m_progress->setRange(0, 1000);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("durum"));
    m_status->setGeometry(8, 114, 405, 34);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_backup = new QPushButton(QStringLiteral("Yedekle..."), this);
    m_backup->setObjectName(QStringLiteral("Yedekle"));
    m_backup->setGeometry(8, 156, 100, 25);
    m_restore = new QPushButton(QStringLiteral("Geri Yükle..."), this);
    m_restore->setObjectName(QStringLiteral("GeriYukle"));
    m_restore->setGeometry(116, 156, 100, 25);
    m_close = new QPushButton(QStringLiteral("Kapat"), this);
    m_close->setObjectName(QStringLiteral("Kapat"));
    m_close->setGeometry(313, 156, 100, 25);
    for (QPushButton *button : {m_backup, m_restore, m_close})
        button->setAutoDefault(false);
    connect(m_backup, &QPushButton::clicked, this, &BackupDialog::backUp);
    connect(m_restore, &QPushButton::clicked, this, &BackupDialog::restore);
    connect(m_close, &QPushButton::clicked, this, &BackupDialog::reject);

    const AutomaticBackupSettings settings = backup::AutomaticBackup(m_root).settings();
    m_mode->setCurrentIndex(modeIndex(settings.mode));
    m_keep->setValue(settings.keep);
    connect(m_mode, &QComboBox::currentIndexChanged, this, &BackupDialog::saveSettings);
    connect(m_keep, &QSpinBox::valueChanged, this, &BackupDialog::saveSettings);

    m_saveChooser = [](QWidget *owner, const QString &suggested) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Yedeği Kaydet"), suggested, kArchiveFilter);
    };
    m_openChooser = [](QWidget *owner, const QString &suggested) {
        return QFileDialog::getOpenFileName(owner, QStringLiteral("Geri Yüklenecek Yedek"), suggested, kArchiveFilter);
    };
}

BackupDialog::~BackupDialog() = default;

void BackupDialog::saveSettings()
{
    AutomaticBackupSettings settings;
    settings.mode = modeAt(m_mode->currentIndex());
    settings.keep = m_keep->value();
    const QString problem = settings.save(backup::AutomaticBackup(m_root).settingsFile());
    if (!problem.isEmpty())
        MessageService::failure(problem);
}

void BackupDialog::setRunning(bool running)
{
    m_running = running;
    for (QWidget *control : std::initializer_list<QWidget *>{m_backup, m_restore, m_close, m_mode, m_keep})
        control->setEnabled(!running);
    if (running)
        m_progress->setValue(0);
}

QString BackupDialog::figures(const backup::Manifest &manifest) const
{
    QString text;
    const struct { data::TableId id; const char *caption; } ledgers[] = {
        {data::TableId::CompanyCheques, "Firma çekleri"},
        {data::TableId::CustomerCheques, "Müşteri çekleri"},
    };
    for (const auto &ledger : ledgers) {
        for (const backup::ManifestMember &member : manifest.members) {
            if (member.fileName().compare(QString::fromStdString(data::table(ledger.id).fileName), Qt::CaseInsensitive)
                != 0)
                continue;
            text += QStringLiteral("\r\n%1: %2 çek, toplam %3")
                        .arg(QString::fromUtf8(ledger.caption))
                        .arg(member.rows.value_or(0))
                        .arg(amount(member.kurus.value_or(0)));
        }
    }
    return text;
}

void BackupDialog::backUp()
{
    if (m_running)
        return;
    const QString suggested = QDir(backup::AutomaticBackup(m_root).backupFolder())
                                  .filePath(QStringLiteral("yedek-")
                                            + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmmss"))
                                            + QStringLiteral(".zip"));
    QDir().mkpath(QFileInfo(suggested).absolutePath());
    const QString archive = m_saveChooser(this, suggested);
    if (archive.isEmpty())
        return;
    setRunning(true);
    m_status->setText(QStringLiteral("Yedek alınıyor: ") + QDir::toNativeSeparators(archive));
    backup::BackupResult result;
    backup::FolderTableSource source(QDir(m_root).filePath(QStringLiteral("Veriler")));
    BackgroundWork::run(
        [&](const BackgroundWork::Report &report) { result = backup::writeBackup(source, m_root, archive, report); },
        [this](double done) { m_progress->setValue(int(done * 1000.0)); });
    setRunning(false);
    if (!result.ok) {
        m_status->setText(QStringLiteral("Yedek alınamadı."));
        MessageService::failure(result.message);
        return;
    }
    m_status->setText(QStringLiteral("Yedek alındı: ") + QDir::toNativeSeparators(archive));
    MessageService::information(QStringLiteral("\r\nYEDEK ALINDI.\r\n\r\n") + QDir::toNativeSeparators(archive)
                                + QStringLiteral("\r\n") + figures(result.manifest));
}

void BackupDialog::restore()
{
    if (m_running)
        return;
    const QString archive = m_openChooser(this, backup::AutomaticBackup(m_root).backupFolder());
    if (archive.isEmpty())
        return;
    if (!MessageService::confirm(QStringLiteral("\r\n\"%1\" yedeği geri yüklensin mi?\r\n\r\nYedek önce baştan sona "
                                                "denetlenir. Şimdiki tablolar ve ayar dosyaları silinmez; Yedekler "
                                                "klasöründe \"geri-yukleme-oncesi\" ile başlayan bir klasöre taşınır.")
                                     .arg(QDir::toNativeSeparators(archive))))
        return;
    setRunning(true);
    m_status->setText(QStringLiteral("Yedek denetleniyor ve geri yükleniyor: ") + QDir::toNativeSeparators(archive));
    backup::RestoreResult result;
    BackgroundWork::run(
        [&](const BackgroundWork::Report &report) {
            result = backup::restoreBackup(archive, m_root, QDateTime::currentDateTime(), report);
        },
        [this](double done) { m_progress->setValue(int(done * 1000.0)); });
    setRunning(false);
    m_progress->setValue(result.ok ? 1000 : 0);
    if (!result.ok) {
        m_status->setText(QStringLiteral("Geri yükleme yapılmadı; hiçbir dosya değiştirilmedi."));
        MessageService::warning(QStringLiteral("\r\nGERİ YÜKLEME YAPILMADI.\r\n\r\n") + result.message
                                + QStringLiteral("\r\n\r\nHiçbir dosya değiştirilmedi."));
        return;
    }
    m_restored = true;
    m_status->setText(QStringLiteral("Geri yüklendi: ") + QDir::toNativeSeparators(archive));
    QString text = QStringLiteral("\r\nGERİ YÜKLEME TAMAMLANDI.\r\n\r\nYedeğin tarihi: ")
                   + result.manifest.created.toString(QStringLiteral("dd.MM.yyyy HH:mm")) + QStringLiteral("\r\n")
                   + figures(result.manifest);
    if (!result.setAsideFolder.isEmpty())
        text += QStringLiteral("\r\n\r\nYerine konan dosyalar şuraya taşındı:\r\n")
                + QDir::toNativeSeparators(result.setAsideFolder);
    MessageService::information(text);
    // The settings the restore brought back are shown as they now stand.
    const AutomaticBackupSettings settings = backup::AutomaticBackup(m_root).settings();
    const QSignalBlocker modeBlocker(m_mode);
    const QSignalBlocker keepBlocker(m_keep);
    m_mode->setCurrentIndex(modeIndex(settings.mode));
    m_keep->setValue(settings.keep);
}

void BackupDialog::reject()
{
    if (!m_running)
        QDialog::reject();
}

void BackupDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F12) {
        reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void BackupDialog::closeEvent(QCloseEvent *event)
{
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

} // namespace forms
