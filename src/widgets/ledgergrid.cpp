#include "widgets/ledgergrid.h"

#include "widgets/tableadapter.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QScrollBar>

namespace widgets {

LedgerGrid::LedgerGrid(TableAdapter &adapter, QWidget *parent)
    : QTableView(parent), m_adapter(adapter), m_model(new LedgerModel(adapter, this))
{
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(true);
    setShowGrid(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);

    QFont cellFont(QStringLiteral("Arial"), 8);
    setFont(cellFont);
    QFont titleFont = cellFont;
    titleFont.setBold(true);
    horizontalHeader()->setFont(titleFont);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setMinimumSectionSize(8);
    horizontalHeader()->setStyleSheet(QStringLiteral(
        "QHeaderView::section { background-color: rgb(217,214,198); border: 0px; border-right: 1px solid "
        "rgb(160,160,160); border-bottom: 1px solid rgb(160,160,160); padding-left: 2px; }"));
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(cellFont).height() + 4);

    // Cells on RGB(235,234,224), every second row RGB(233,231,209); the
    // selection keeps its colour when the grid loses the focus.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QColor(235, 234, 224));
    colours.setColor(QPalette::AlternateBase, QColor(233, 231, 209));
    colours.setColor(QPalette::Inactive, QPalette::Highlight, colours.color(QPalette::Active, QPalette::Highlight));
    colours.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     colours.color(QPalette::Active, QPalette::HighlightedText));
    setPalette(colours);

    connect(&adapter, &TableAdapter::reset, this, &LedgerGrid::followTable, Qt::QueuedConnection);
    connect(&adapter, &TableAdapter::currentChanged, this, &LedgerGrid::followTable);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { moveTable(current); });
}

int LedgerGrid::pixelsForCharacters(int characters) const
{
    return characters * fontMetrics().averageCharWidth() + 4;
}

int LedgerGrid::charactersForPixels(int pixels) const
{
    const int average = qMax(1, fontMetrics().averageCharWidth());
    return qMax(1, (pixels - 4 + average / 2) / average);
}

void LedgerGrid::setColumns(const QList<LedgerModel::Column> &columns)
{
    // Put the header back in model order before the model changes under it.
    QHeaderView *header = horizontalHeader();
    for (int logical = 0; logical < header->count(); ++logical)
        header->moveSection(header->visualIndex(logical), logical);
    m_model->setColumns(columns);
    for (int i = 0; i < m_model->columns().size(); ++i)
        setColumnWidth(i, pixelsForCharacters(m_model->columns()[i].width));
    followTable();
}

QList<LedgerModel::Column> LedgerGrid::visibleColumns() const
{
    QList<LedgerModel::Column> columns;
    const QHeaderView *header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        LedgerModel::Column column = m_model->columns()[logical];
        column.width = charactersForPixels(columnWidth(logical));
        columns << column;
    }
    return columns;
}

void LedgerGrid::followTable()
{
    if (m_syncing)
        return;
    const engine::Table &table = m_adapter.table();
    const int row = table.isOpen() ? int(table.position()) : -1;
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount() && m_model->columnCount() > 0) {
        const QModelIndex target = m_model->index(row, qMax(0, currentIndex().column()));
        if (currentIndex().row() != row)
            setCurrentIndex(target);
        selectRow(row);
        scrollTo(target);
    } else {
        clearSelection();
    }
    m_syncing = false;
}

void LedgerGrid::moveTable(const QModelIndex &current)
{
    if (m_syncing || !current.isValid())
        return;
    engine::Table &table = m_adapter.table();
    if (!table.isOpen() || table.isEditing() || current.row() == table.position())
        return;
    m_syncing = true;
    table.moveTo(current.row());
    m_syncing = false;
}

void LedgerGrid::mouseDoubleClickEvent(QMouseEvent *event)
{
    QTableView::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()).isValid())
        emit rowDoubleClicked();
}

} // namespace widgets
