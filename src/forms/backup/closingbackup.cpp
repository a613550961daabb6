#include "forms/backup/closingbackup.h"

#include "backup/automaticbackup.h"
#include "forms/backup/backgroundwork.h"
#include "widgets/messageservice.h"

#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

#include <iostream>
#include <memory>

namespace forms {

namespace {

// "Yedek alınıyor..." with a bar; it has nothing to press and cannot be closed.
class ClosingBackupWindow : public QWidget
{
public:
    explicit ClosingBackupWindow(const QString &folder)
        : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint)
    {
        setObjectName(QStringLiteral("otomatik_yedek"));
        setWindowTitle(QStringLiteral("Selvora"));
        auto *layout = new QVBoxLayout(this);
        auto *label = new QLabel(QStringLiteral("Otomatik yedek alınıyor...\n") + QDir::toNativeSeparators(folder), this);
        layout->addWidget(label);
        m_bar = new QProgressBar(this);
        m_bar->setRange(0, 1000);
        layout->addWidget(m_bar);
        setFixedWidth(360);
    }
    void setDone(double done) { m_bar->setValue(int(done * 1000.0)); }

private:
    QProgressBar *m_bar = nullptr;
};

} // namespace

bool runClosingBackup(const QString &root)
{
    backup::AutomaticBackup automatic(root);
    if (!automatic.isDue(QDate::currentDate()))
        return true;
    std::unique_ptr<ClosingBackupWindow> window;
    backup::BackupResult result;
    BackgroundWork::run([&](const BackgroundWork::Report &report) { result = automatic.run(QDateTime::currentDateTime(), report); },
                        [&](double done) {
                            if (window)
                                window->setDone(done);
                        },
                        [&] {
                            window = std::make_unique<ClosingBackupWindow>(automatic.backupFolder());
                            window->show();
                        });
    if (!result.ok)
        std::cerr << "Selvora: otomatik yedek alınamadı: " << result.message.toStdString() << std::endl;
    return result.ok;
}

void reportFailedClosingBackup(const QString &root)
{
    if (const auto note = backup::AutomaticBackup::takeFailureNote(backup::AutomaticBackup(root).settingsFile()))
        widgets::MessageService::failure(note->text());
}

} // namespace forms
