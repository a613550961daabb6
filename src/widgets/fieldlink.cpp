#include "widgets/fieldlink.h"

#include "engine/error.h"
#include "engine/table.h"
#include "widgets/messageservice.h"
#include "widgets/tableadapter.h"

namespace widgets {

FieldLink::FieldLink(TableAdapter &adapter, const QString &field, QObject *parent)
    : QObject(parent), m_adapter(adapter), m_field(field)
{
    connect(&adapter, &TableAdapter::reset, this, [this] { emit rowChanged(true); });
    connect(&adapter, &TableAdapter::currentChanged, this, [this] { emit rowChanged(true); });
    connect(&adapter, &TableAdapter::stateChanged, this, [this] { emit rowChanged(false); });
}

engine::Table &FieldLink::table() const
{
    return m_adapter.table();
}

int FieldLink::fieldIndex() const
{
    const engine::Table &t = table();
    return t.isOpen() ? t.fieldIndex(m_field.toStdString()) : -1;
}

bool FieldLink::isBound() const
{
    return fieldIndex() >= 0;
}

engine::FieldType FieldLink::fieldType() const
{
    const int field = fieldIndex();
    return field < 0 ? engine::FieldType::Char : table().fields()[std::size_t(field)].type;
}

int FieldLink::fieldSize() const
{
    const int field = fieldIndex();
    return field < 0 ? 0 : table().fields()[std::size_t(field)].size;
}

engine::Value FieldLink::value() const
{
    const int field = fieldIndex();
    const engine::Table &t = table();
    if (field < 0 || (!t.isEditing() && t.position() < 0))
        return {};
    return t.value(field);
}

bool FieldLink::write(const engine::Value &value)
{
    const int field = fieldIndex();
    if (field < 0)
        return false;
    engine::Table &t = table();
    // An emptied text field holds an empty text, as the grids and reports show it.
    const bool emptyText = engine::isNull(value) && t.fields()[std::size_t(field)].type == engine::FieldType::Char;
    try {
        if (!t.isEditing())
            t.edit();
        t.setValue(field, emptyText ? engine::Value(std::string()) : value);
    } catch (const std::exception &e) {
        // engine::Error or anything else the table raises: told, never fatal.
        MessageService::failure(QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

} // namespace widgets
