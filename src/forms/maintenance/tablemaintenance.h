#pragma once

#include <QString>

class QWidget;

namespace data { class DataStore; }

namespace forms {

// The main window's "Veri Tabanı Bakımı" command. Asks whether to go on; only
// "Hayır" stops, leaving everything as it was. Otherwise closes every table and
// query of store, shows the maintenance dialog modally (through the message
// service) and opens the seven tables again when it has closed, showing the
// problems of the reopening, if any, in one failure box. Returns false when
// the user said "Hayır", true otherwise.
//
// backupRoot (the folder that holds Veriler) adds the button that opens the
// backup window; *restored then tells whether a backup was restored, so the
// caller reloads the settings files.
bool runTableMaintenance(data::DataStore &store, QWidget *parent = nullptr, const QString &backupRoot = {},
                         bool *restored = nullptr);

} // namespace forms
