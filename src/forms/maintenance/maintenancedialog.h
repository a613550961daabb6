#pragma once

#include <QDialog>
#include <QStringList>

class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace engine { class Database; }

namespace forms {

// The table maintenance dialog ("Tablo Bakım Formu"): lists the table files of
// the data folder and packs them one after the other, each in place, without
// the room of deleted rows.
//
// Packing needs every file free: the caller closes all its tables before the
// dialog is shown and opens them again afterwards (see runTableMaintenance()).
// The dialog works only through the engine on the Database it is given, the
// same one the program's tables are opened on, so a table still open there is
// refused rather than packed under a cursor.
class MaintenanceDialog : public QDialog
{
    Q_OBJECT

public:
    explicit MaintenanceDialog(engine::Database &database, QWidget *parent = nullptr);
    ~MaintenanceDialog() override;

    // Reads the file list afresh: the files of the data folder whose names end
    // in ".db" in any case, in alphabetical order without regard to case; sets
    // the progress bar to 0 and enables the choice and "BAŞLA". Done on every
    // showing.
    void reset();

    // The listed file names, in list order.
    QStringList fileNames() const;
    // True while a run is going on.
    bool isRunning() const { return m_running; }
    // The files the last run packed, and those it left alone because they are
    // no tables of this program.
    const QStringList &packedFiles() const { return m_packed; }
    const QStringList &skippedFiles() const { return m_skipped; }

    QListWidget *fileList() const { return m_files; }
    QProgressBar *progressBar() const { return m_progress; }
    QGroupBox *operationGroup() const { return m_operation; }
    QRadioButton *maintenanceChoice() const { return m_maintenance; }
    QRadioButton *indexChoice() const { return m_index; }
    QPushButton *startButton() const { return m_start; }
    // "Yedekleme...": opens the backup window on root (the folder that holds
    // Veriler); shown only once a root is set.
    void setBackupRoot(const QString &root);
    QPushButton *backupButton() const { return m_backup; }
    // True once the backup window has restored a backup.
    bool hasRestored() const { return m_restored; }
    QLabel *statusLabel() const { return m_status; }

public slots:
    // "BAŞLA": packs every listed file, first to last, selecting each in the
    // list and advancing the progress bar; then tells the user and closes.
    // - empty list: a warning, nothing done;
    // - "İndex Düzenleme" chosen: an information box, nothing done;
    // - a file that is no table of this program: left untouched (it is never
    //   opened for writing), noted in the list and the status line, skipped;
    // - any other engine failure (the table open elsewhere, the disk full):
    //   the engine's message; the run stops at that file, which is left as it
    //   was and released; the files before it stay packed; the dialog stays
    //   open and "BAŞLA" may be pressed again.
    // "BAŞLA" is disabled during a run, and the dialog cannot be closed then.
    void start();

    // Closes the dialog, except during a run.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void markSkipped(int row, const QString &reason);
    void openBackups();

    engine::Database &m_database;
    QListWidget *m_files = nullptr;
    QProgressBar *m_progress = nullptr;
    QGroupBox *m_operation = nullptr;
    QRadioButton *m_maintenance = nullptr;
    QRadioButton *m_index = nullptr;
    QPushButton *m_start = nullptr;
    QLabel *m_status = nullptr;
    QPushButton *m_backup = nullptr;
    QString m_backupRoot;
    bool m_running = false;
    bool m_restored = false;
    QStringList m_packed;
    QStringList m_skipped;
};

} // namespace forms
