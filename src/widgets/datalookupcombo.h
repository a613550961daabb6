#pragma once

#include "widgets/datacombobox.h"

namespace engine { class Table; }

namespace widgets {

// A data-aware combo whose drop-down list is one field of every row of a
// lookup table (read again each time the list drops down, and on
// reloadList()). The list drops down by itself as soon as the user types,
// offering the entries that begin with the typed text (Turkish case ignored).
// The lookup table is only read, never moved or written.
class DataLookupCombo : public DataComboBox
{
    Q_OBJECT

public:
    DataLookupCombo(TableAdapter &adapter, const QString &field, engine::Table &lookup, const QString &lookupField,
                    QWidget *parent = nullptr);

    // Reads the lookup table's entries again, in the table's active order.
    void reloadList();

    void showPopup() override;

private:
    engine::Table &m_lookup;
    QString m_lookupField;
};

} // namespace widgets
