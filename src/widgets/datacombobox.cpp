#include "widgets/datacombobox.h"

#include "widgets/valuetext.h"

#include <QFocusEvent>
#include <QLineEdit>
#include <QSignalBlocker>

namespace widgets {

DataComboBox::DataComboBox(TableAdapter &adapter, const QString &field, QWidget *parent, Deferred)
    : QComboBox(parent), DataEditor(this, &m_link), m_link(adapter, field)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    if (m_link.fieldType() == engine::FieldType::Char && m_link.fieldSize() > 0)
        lineEdit()->setMaxLength(m_link.fieldSize());
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { m_pending = true; });
    connect(this, qOverload<int>(&QComboBox::activated), this, [this](int index) {
        const QString picked = itemText(index);
        // The completer also reports the entry it shows when the text is set
        // from the row; only a pick that changes the text is the user's.
        if (!m_pending && picked == toQString(loaded()))
            return;
        setEditText(picked);
        m_pending = true;
        commit();
    });
}

DataComboBox::DataComboBox(TableAdapter &adapter, const QString &field, QWidget *parent)
    : DataComboBox(adapter, field, parent, Deferred{})
{
    attach();
}

void DataComboBox::setItems(const QStringList &items)
{
    const QString shown = currentText();
    const QSignalBlocker blocker(this);
    clear();
    addItems(items);
    setCurrentIndex(-1);
    setEditText(shown);
}

void DataComboBox::showValue(const engine::Value &value)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(-1);
    setEditText(toQString(value));
    m_pending = false;
}

std::optional<engine::Value> DataComboBox::takeText(QString *) const
{
    if (currentText().isEmpty())
        return engine::Value{};
    return engine::Value(currentText().toStdString());
}

void DataComboBox::focusInEvent(QFocusEvent *event)
{
    focusEntered();
    QComboBox::focusInEvent(event);
}

void DataComboBox::focusOutEvent(QFocusEvent *event)
{
    QComboBox::focusOutEvent(event);
    focusLeft(event->reason());
}

} // namespace widgets
