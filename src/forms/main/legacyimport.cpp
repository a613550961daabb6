#include "forms/main/legacyimport.h"

#include "legacy/folderimport.h"
#include "widgets/messageservice.h"

#include <QCoreApplication>
#include <QLocale>
#include <QProgressDialog>

using widgets::MessageService;

void offerLegacyImport(const std::filesystem::path &dataFolder, QWidget *parent)
{
    const std::vector<legacy::LegacyTable> tables = legacy::findLegacyTables(dataFolder);
    if (!legacy::hasParadoxTables(tables))
        return;
    QString list;
    qint64 totalRows = 0;
    for (const legacy::LegacyTable &table : tables) {
        if (table.kind != legacy::TableFileKind::Paradox)
            continue;
        list += QStringLiteral("    %1 (%2 kayıt)\r\n")
                    .arg(QString::fromStdString(table.fileName), QLocale().toString(qlonglong(table.rowCount)));
        totalRows += table.rowCount;
    }
    const QString question = QStringLiteral("\r\nVeriler klasöründe eski programın tabloları bulundu:\r\n\r\n") + list
        + QStringLiteral("\r\nBu kayıtlar Selvora tablolarına aktarılsın mı?\r\n\r\n"
                         "Eski dosyalar silinmez; Veriler içinde tarihli bir klasöre taşınır.");
    if (!MessageService::confirm(question))
        return;

    QProgressDialog progress(QStringLiteral("Eski tablolar aktarılıyor..."), QStringLiteral("İptal"), 0,
                             int(qMin<qint64>(totalRows, 1'000'000'000)), parent);
    progress.setWindowTitle(QStringLiteral("Selvora"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    qint64 rowsBefore = 0; // rows of the tables finished so far
    legacy::ImportOptions options;
    options.progress = [&](const legacy::ImportProgress &step) {
        if (step.step == legacy::ImportProgress::Step::Reading) {
            progress.setLabelText(QStringLiteral("%1 okunuyor...").arg(QString::fromStdString(step.fileName)));
            progress.setValue(int(qMin<qint64>(rowsBefore + step.rowsDone, progress.maximum())));
            if (step.rowsTotal > 0 && step.rowsDone >= step.rowsTotal)
                rowsBefore += step.rowsTotal;
        } else if (step.step == legacy::ImportProgress::Step::Moving) {
            progress.setLabelText(QStringLiteral("Eski dosyalar taşınıyor..."));
        }
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    const legacy::ImportSummary summary = legacy::importFolder(dataFolder, dataFolder, options);
    progress.close();
    const QString text = QString::fromStdString(summary.text());
    if (summary.ok)
        MessageService::information(text);
    else
        MessageService::failure(text);
}
