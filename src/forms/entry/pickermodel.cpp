#include "forms/entry/pickermodel.h"

#include "engine/table.h"
#include "widgets/valuetext.h"

namespace forms {

PickerModel::PickerModel(engine::Table &table, const QList<Column> &columns, QObject *parent)
    : QAbstractTableModel(parent), m_table(table), m_columns(columns)
{
    reload();
}

void PickerModel::reload()
{
    beginResetModel();
    m_fieldIndexes.clear();
    m_rows = 0;
    if (m_table.isOpen()) {
        for (const Column &column : m_columns)
            m_fieldIndexes.append(m_table.fieldIndex(column.field.toStdString()));
        m_rows = int(m_table.rowCount());
    }
    endResetModel();
}

int PickerModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows;
}

int PickerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant PickerModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_rows || !m_table.isOpen())
        return {};
    const int field = m_fieldIndexes.value(index.column(), -1);
    if (field < 0 || index.row() >= m_table.rowCount())
        return {};
    const auto &def = m_table.fields()[std::size_t(field)];
    return widgets::displayText(m_table.valueAt(index.row(), field), def.type);
}

QVariant PickerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    return {};
}

} // namespace forms
