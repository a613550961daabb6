#include "widgets/datalookupcombo.h"

#include "engine/table.h"
#include "widgets/valuetext.h"

#include <QCompleter>
#include <QLineEdit>

namespace widgets {

DataLookupCombo::DataLookupCombo(TableAdapter &adapter, const QString &field, engine::Table &lookup,
                                 const QString &lookupField, QWidget *parent)
    : DataComboBox(adapter, field, parent, Deferred{}), m_lookup(lookup), m_lookupField(lookupField)
{
    auto *completer = new QCompleter(model(), this);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchStartsWith);
    setCompleter(completer);
    connect(completer, qOverload<const QString &>(&QCompleter::activated), this, [this](const QString &picked) {
        setEditText(picked);
        lineEdit()->setModified(true);
    });
    reloadList();
    attach();
}

void DataLookupCombo::reloadList()
{
    QStringList entries;
    try {
        if (m_lookup.isOpen()) {
            const int field = m_lookup.fieldIndex(m_lookupField.toStdString());
            if (field >= 0) {
                const auto rows = m_lookup.rows();
                while (rows->next())
                    entries << toQString(rows->value(std::size_t(field)));
            }
        }
    } catch (const std::exception &) {
        // A lookup table that cannot be read offers no entries; typing still works.
    }
    const bool pending = hasPendingText();
    setItems(entries);
    if (pending)
        lineEdit()->setModified(true);
}

void DataLookupCombo::showPopup()
{
    reloadList();
    QComboBox::showPopup();
}

} // namespace widgets
