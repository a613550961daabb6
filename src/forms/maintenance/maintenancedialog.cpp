#include "forms/maintenance/maintenancedialog.h"

#include "engine/database.h"
#include "engine/error.h"
#include "forms/backup/backupdialog.h"
#include "widgets/messageservice.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <exception>
#include <string>

namespace forms {

namespace {

QString fromPath(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return QString::fromUtf8(reinterpret_cast<const char *>(text.data()), qsizetype(text.size()));
}

} // namespace

MaintenanceDialog::MaintenanceDialog(engine::Database &database, QWidget *parent)
    : QDialog(parent), m_database(database)
{
    setObjectName(QStringLiteral("bakim_formu"));
    setWindowTitle(QStringLiteral("Tablo Bakım Formu"));
    setModal(true);
    setFixedSize(421, 129);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    m_files = new QListWidget(this);
    m_files->setObjectName(QStringLiteral("FileListBox1"));
    m_files->setGeometry(8, 8, 145, 113);
    m_files->setUniformItemSizes(true);
    m_files->setSelectionMode(QAbstractItemView::SingleSelection);

    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("ProgressBar1"));
    m_progress->setGeometry(164, 8, 249, 16);
    m_progress->setTextVisible(false);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);

    m_operation = new QGroupBox(QStringLiteral("İşlem Türü"), this);
    m_operation->setObjectName(QStringLiteral("radip_grup"));
    m_operation->setGeometry(164, 28, 161, 62);
    m_maintenance = new QRadioButton(QStringLiteral("Bakım"), m_operation);
    m_maintenance->setGeometry(8, 18, 145, 17);
    m_index = new QRadioButton(QStringLiteral("İndex Düzenleme"), m_operation);
    m_index->setGeometry(8, 38, 145, 17);
    m_maintenance->setChecked(true);

    m_start = new QPushButton(QStringLiteral("BAŞLA"), this);
    m_start->setObjectName(QStringLiteral("Button1"));
    m_start->setGeometry(336, 40, 75, 33);
    m_start->setAutoDefault(false);
    connect(m_start, &QPushButton::clicked, this, &MaintenanceDialog::start);

    // Files left alone, and where a run stopped, are told here.
    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("durum"));
    m_status->setGeometry(164, 92, 249, 36);
    m_status->setWordWrap(true);
    m_status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont small = m_status->font();
    small.setPointSize(7);
    m_status->setFont(small);
}

MaintenanceDialog::~MaintenanceDialog() = default;

void MaintenanceDialog::setBackupRoot(const QString &root)
{
    m_backupRoot = root;
    if (m_backup)
        return;
    // Backups are made and restored here, where the tables are closed; the
    // button takes the free corner under "BAŞLA", the status line gives way.
    m_status->setGeometry(164, 92, 166, 36);
    m_backup = new QPushButton(QStringLiteral("Yedekleme..."), this);
    m_backup->setObjectName(QStringLiteral("Yedekleme"));
    m_backup->setGeometry(336, 96, 75, 25);
    m_backup->setAutoDefault(false);
    m_backup->show();
    connect(m_backup, &QPushButton::clicked, this, &MaintenanceDialog::openBackups);
}

void MaintenanceDialog::openBackups()
{
    if (m_running)
        return;
    BackupDialog backups(m_backupRoot, this);
    widgets::MessageService::execDialog(&backups);
    m_restored = m_restored || backups.hasRestored();
    if (backups.hasRestored())
        reset(); // the files are others now
}

void MaintenanceDialog::reset()
{
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_files->clear();
    QDir folder(fromPath(m_database.folder()));
    QStringList names;
    const QStringList all = folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : all) {
        if (name.endsWith(QLatin1String(".db"), Qt::CaseInsensitive))
            names << name;
    }
    for (const QString &name : names) {
        auto *item = new QListWidgetItem(name, m_files);
        item->setData(Qt::UserRole, name);
    }
    m_operation->setEnabled(true);
    m_start->setEnabled(true);
    if (m_backup)
        m_backup->setEnabled(true);
    m_status->clear();
    m_packed.clear();
    m_skipped.clear();
}

QStringList MaintenanceDialog::fileNames() const
{
    QStringList names;
    for (int row = 0; row < m_files->count(); ++row)
        names << m_files->item(row)->data(Qt::UserRole).toString();
    return names;
}

void MaintenanceDialog::start()
{
    if (m_running)
        return;
    const QStringList names = fileNames();
    if (names.isEmpty()) {
        widgets::MessageService::warning(QStringLiteral("\r\nHiçbir dosya yok..."));
        return;
    }
    if (m_index->isChecked()) {
        widgets::MessageService::information(
            QStringLiteral("\r\nİndex Düzenleme hazır değil\r\n\r\nGelecek için planlanmıştır."));
        return;
    }

    m_running = true;
    m_operation->setEnabled(false);
    m_start->setEnabled(false);
    if (m_backup)
        m_backup->setEnabled(false);
    m_status->clear();
    m_packed.clear();
    m_skipped.clear();
    m_progress->setRange(0, int(names.size()));
    m_progress->setValue(0);

    for (int row = 0; row < names.size(); ++row) {
        const QString &name = names.at(row);
        m_files->setCurrentRow(row);
        QString failure;
        try {
            // A file of another program is recognised from its header alone and
            // never opened for writing.
            engine::Database::verifyTableFile(m_database.folder() / std::filesystem::u8path(name.toStdString()));
            m_database.pack(name.toStdString());
            m_packed << name;
        } catch (const engine::Error &error) {
            if (error.hasCode(engine::code::NotOurTable))
                markSkipped(row, QString::fromStdString(error.what()));
            else
                failure = QString::fromStdString(error.what());
        } catch (const std::exception &error) {
            failure = QString::fromLocal8Bit(error.what());
        }
        if (!failure.isEmpty()) {
            // The engine released the file whatever happened: the caller can
            // open its tables again once the dialog closes.
            QString status = QStringLiteral("Bakım %1 dosyasında durdu; dosya olduğu gibi bırakıldı.").arg(name);
            if (!m_skipped.isEmpty())
                status += QStringLiteral(" Dokunulmayan: ") + m_skipped.join(u", ");
            m_status->setText(status);
            m_running = false;
            m_start->setEnabled(true);
            if (m_backup)
                m_backup->setEnabled(true);
            widgets::MessageService::failure(failure);
            return;
        }
        m_progress->setValue(row + 1);
        QCoreApplication::processEvents();
    }

    m_running = false;
    widgets::MessageService::information(QStringLiteral("\r\nBAKIM İŞLEMİ TAMAMLANDI..."));
    accept();
}

void MaintenanceDialog::markSkipped(int row, const QString &reason)
{
    QListWidgetItem *item = m_files->item(row);
    const QString name = item->data(Qt::UserRole).toString();
    m_skipped << name;
    item->setText(name + QStringLiteral(" (atlandı)"));
    item->setForeground(Qt::gray);
    item->setToolTip(reason);
    m_status->setText(QStringLiteral("Bu programın tablosu olmadığı için dokunulmadı: ") + m_skipped.join(u", "));
    m_status->setToolTip(reason);
}

void MaintenanceDialog::showEvent(QShowEvent *event)
{
    reset();
    QDialog::showEvent(event);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (screen) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void MaintenanceDialog::closeEvent(QCloseEvent *event)
{
    // The run lets the window take input between files; it is not left halfway.
    if (m_running) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void MaintenanceDialog::reject()
{
    if (m_running)
        return;
    QDialog::reject();
}

} // namespace forms
