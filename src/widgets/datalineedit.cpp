#include "widgets/datalineedit.h"

#include "widgets/valuetext.h"

#include <QFocusEvent>

namespace widgets {

DataLineEdit::DataLineEdit(TableAdapter &adapter, const QString &field, QWidget *parent, Deferred)
    : QLineEdit(parent), DataEditor(this, &m_link), m_link(adapter, field)
{
    if (m_link.fieldType() == engine::FieldType::Char && m_link.fieldSize() > 0)
        setMaxLength(m_link.fieldSize());
}

DataLineEdit::DataLineEdit(TableAdapter &adapter, const QString &field, QWidget *parent)
    : DataLineEdit(adapter, field, parent, Deferred{})
{
    attach();
}

bool DataLineEdit::hasPendingText() const
{
    return !isReadOnly() && isModified();
}

QString DataLineEdit::format(const engine::Value &value, bool) const
{
    return widgets::displayText(value, m_link.fieldType());
}

void DataLineEdit::showValue(const engine::Value &value)
{
    setText(format(value, hasFocus()));
    setModified(false);
}

std::optional<engine::Value> DataLineEdit::takeText(QString *) const
{
    if (text().isEmpty())
        return engine::Value{};
    return engine::Value(text().toStdString());
}

void DataLineEdit::focusInEvent(QFocusEvent *event)
{
    focusEntered();
    if (!hasPendingText()) {
        // The edit form may differ from the shown one (amounts).
        const QString edit = format(loaded(), true);
        if (edit != text()) {
            setText(edit);
            setModified(false);
        }
    }
    QLineEdit::focusInEvent(event);
}

void DataLineEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    focusLeft(event->reason());
}

} // namespace widgets
