#pragma once

#include <QDialog>

#include <functional>

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace backup { struct Manifest; }

namespace forms {

// The backup window ("Yedekleme"), opened from the table maintenance window
// while the program's tables are closed: takes a backup by hand, restores
// one, and sets the automatic backup taken at close (every close, the first
// close of each day, or none; how many are kept). root: the folder that holds
// Veriler, Ayarlar.ini and Yedekler.
class BackupDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for a file: the archive to write (suggested: a name in Yedekler)
    // or the archive to restore (starting in Yedekler). An empty answer
    // cancels. The program asks with the file dialog; tests answer directly.
    using FileChooser = std::function<QString(QWidget *parent, const QString &suggested)>;

    explicit BackupDialog(QString root, QWidget *parent = nullptr);
    ~BackupDialog() override;

    void setSaveChooser(FileChooser chooser) { m_saveChooser = std::move(chooser); }
    void setOpenChooser(FileChooser chooser) { m_openChooser = std::move(chooser); }

    // True once a restore has put other tables and settings in place: the
    // caller reloads what it read from them.
    bool hasRestored() const { return m_restored; }

    QComboBox *modeBox() const { return m_mode; }
    QSpinBox *keepBox() const { return m_keep; }
    QPushButton *backupButton() const { return m_backup; }
    QPushButton *restoreButton() const { return m_restore; }
    QProgressBar *progressBar() const { return m_progress; }

public slots:
    // "Yedekle...": asks where, writes the archive, says what it holds.
    void backUp();
    // "Geri Yükle...": asks which archive, asks whether to go on, restores it
    // when it passes the whole check, and says what came back or why it was
    // refused (nothing changed then).
    void restore();
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void saveSettings();
    void setRunning(bool running);
    QString figures(const backup::Manifest &manifest) const;

    QString m_root;
    FileChooser m_saveChooser;
    FileChooser m_openChooser;
    QComboBox *m_mode = nullptr;
    QSpinBox *m_keep = nullptr;
    QPushButton *m_backup = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_close = nullptr;
    QProgressBar *m_progress = nullptr;
    QLabel *m_status = nullptr;
    bool m_running = false;
    bool m_restored = false;
};

} // namespace forms
