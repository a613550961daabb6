#pragma once

class QWidget;

namespace data { class DataStore; }

namespace forms {

// The main window's "Veri Tabanı Bakımı" command. Asks whether to go on; only
// "Hayır" stops, leaving everything as it was. Otherwise closes every table and
// query of store, shows the maintenance dialog modally (through the message
// service) and opens the seven tables again when it has closed, showing the
// problems of the reopening, if any, in one failure box. Returns false when
// the user said "Hayır", true otherwise.
bool runTableMaintenance(data::DataStore &store, QWidget *parent = nullptr);

} // namespace forms
