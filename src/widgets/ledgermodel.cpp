#include "widgets/ledgermodel.h"

#include "widgets/tableadapter.h"
#include "widgets/valuetext.h"

namespace widgets {

LedgerModel::LedgerModel(TableAdapter &adapter, QObject *parent) : QAbstractTableModel(parent), m_adapter(adapter)
{
    connect(&adapter, &TableAdapter::reset, this, &LedgerModel::tableReset);
    connect(&adapter, &TableAdapter::stateChanged, this, &LedgerModel::rowEdited);
}

void LedgerModel::setColumns(const QList<Column> &columns)
{
    beginResetModel();
    m_columns.clear();
    m_fieldIndexes.clear();
    const engine::Table &table = m_adapter.table();
    for (const Column &column : columns) {
        const int field = table.isOpen() ? table.fieldIndex(column.field.toStdString()) : -1;
        if (table.isOpen() && field < 0)
            continue;
        m_columns << column;
        m_fieldIndexes << field;
    }
    endResetModel();
}

void LedgerModel::tableReset()
{
    beginResetModel();
    // Field indexes are resolved again: the table may have been closed and
    // opened since the columns were set.
    const engine::Table &table = m_adapter.table();
    for (int i = 0; i < m_columns.size(); ++i)
        m_fieldIndexes[i] = table.isOpen() ? table.fieldIndex(m_columns[i].field.toStdString()) : -1;
    endResetModel();
}

void LedgerModel::rowEdited()
{
    const engine::Table &table = m_adapter.table();
    if (!table.isOpen() || m_columns.isEmpty())
        return;
    const int row = int(table.position());
    if (row >= 0 && row < rowCount())
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void LedgerModel::refreshAll()
{
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

engine::Value LedgerModel::value(int row, const QString &field) const
{
    const engine::Table &table = m_adapter.table();
    if (!table.isOpen())
        return {};
    const int index = table.fieldIndex(field.toStdString());
    return index < 0 ? engine::Value{} : table.valueAt(row, index);
}

int LedgerModel::rowCount(const QModelIndex &parent) const
{
    const engine::Table &table = m_adapter.table();
    if (parent.isValid() || !table.isOpen())
        return 0;
    return int(table.rowCount() + (table.state() == engine::Table::State::Insert ? 1 : 0));
}

int LedgerModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant LedgerModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.column() >= m_columns.size())
        return {};
    const engine::Table &table = m_adapter.table();
    const int field = m_fieldIndexes[index.column()];
    if (field < 0)
        return {};
    const engine::FieldType type = table.fields()[std::size_t(field)].type;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return displayText(table.valueAt(index.row(), field), type);
    case Qt::TextAlignmentRole:
        if (type == engine::FieldType::Money)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    case Qt::BackgroundRole:
    case Qt::ForegroundRole:
        if (m_colouring) {
            if (const auto colours = m_colouring(index.row())) {
                // An invalid colour ("clNone", "clDefault") leaves the grid's own.
                const QColor &colour = role == Qt::BackgroundRole ? colours->background : colours->text;
                if (colour.isValid())
                    return colour;
            }
        }
        return {};
    default:
        return {};
    }
}

QVariant LedgerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_columns[section].title;
    if (role == Qt::TextAlignmentRole)
        return QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    return {};
}

Qt::ItemFlags LedgerModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace widgets
