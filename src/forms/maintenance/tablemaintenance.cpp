#include "forms/maintenance/tablemaintenance.h"

#include "data/datastore.h"
#include "forms/maintenance/maintenancedialog.h"
#include "widgets/messageservice.h"

#include <QStringList>

namespace forms {

bool runTableMaintenance(data::DataStore &store, QWidget *parent, const QString &backupRoot, bool *restored)
{
    const widgets::MessageButton answer = widgets::MessageService::ask(
        widgets::MessageKind::Confirmation, QStringLiteral("\r\nVERİ TABANI BAKIM İŞLEMİNE DEVAM EDİLSİN Mİ?"),
        {widgets::MessageButton::Yes, widgets::MessageButton::No});
    if (answer == widgets::MessageButton::No)
        return false;

    store.closeAll();
    {
        MaintenanceDialog dialog(store.database(), parent);
        if (!backupRoot.isEmpty())
            dialog.setBackupRoot(backupRoot);
        widgets::MessageService::execDialog(&dialog);
        if (restored)
            *restored = dialog.hasRestored();
    }
    const std::vector<std::string> problems = store.openAll();
    if (!problems.empty()) {
        QStringList lines;
        for (const std::string &problem : problems)
            lines << QString::fromStdString(problem);
        widgets::MessageService::failure(lines.join(u'\n'));
    }
    return true;
}

} // namespace forms
