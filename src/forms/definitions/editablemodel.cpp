#include "forms/definitions/editablemodel.h"

#include "forms/definitions/rowposting.h"
#include "engine/error.h"
#include "engine/table.h"
#include "widgets/tableadapter.h"
#include "widgets/valuetext.h"

namespace forms {

EditableModel::EditableModel(widgets::TableAdapter &adapter, QObject *parent) : widgets::LedgerModel(adapter, parent)
{
}

int EditableModel::fieldOf(int column) const
{
    const engine::Table &table = adapter().table();
    if (!table.isOpen() || column < 0 || column >= columns().size())
        return -1;
    return table.fieldIndex(columns()[column].field.toStdString());
}

QVariant EditableModel::data(const QModelIndex &index, int role) const
{
    if (role == Qt::EditRole) {
        const int field = fieldOf(index.column());
        if (!index.isValid() || field < 0)
            return {};
        return widgets::toQString(adapter().table().valueAt(index.row(), field));
    }
    if (role == MaxLengthRole) {
        const int field = fieldOf(index.column());
        if (!index.isValid() || field < 0)
            return {};
        return adapter().table().fields()[std::size_t(field)].size;
    }
    return widgets::LedgerModel::data(index, role);
}

Qt::ItemFlags EditableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = widgets::LedgerModel::flags(index);
    const int field = fieldOf(index.column());
    if (field < 0)
        return flags;
    const engine::FieldType type = adapter().table().fields()[std::size_t(field)].type;
    if (type == engine::FieldType::Char || type == engine::FieldType::Memo)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool EditableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    engine::Table &table = adapter().table();
    const int field = fieldOf(index.column());
    if (field < 0 || index.row() != table.position())
        return false;
    const QString text = value.toString();
    if (text == widgets::toQString(table.valueAt(index.row(), field)))
        return true;
    if (!table.isEditing()) {
        try {
            table.edit();
        } catch (const engine::Error &) {
            return false; // no row to write into
        }
    }
    return writeText(table, table.fields()[std::size_t(field)].name.c_str(), text);
}

} // namespace forms
