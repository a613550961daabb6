#include "forms/definitions/editablegrid.h"

#include "forms/definitions/editablemodel.h"
#include "forms/definitions/rowposting.h"
#include "engine/table.h"
#include "widgets/tableadapter.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <QTimer>

namespace forms {

// Line editors limited to the field's size, so a long text is stopped while
// typed instead of refused or cut when stored. Remembers the editor it made
// last, for committing it from the dialog's keys.
class EditableGrid::Delegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto *line = qobject_cast<QLineEdit *>(editor)) {
            const int size = index.data(EditableModel::MaxLengthRole).toInt();
            if (size > 0)
                line->setMaxLength(size);
            line->setFrame(false);
        }
        m_editor = editor;
        return editor;
    }

    mutable QPointer<QWidget> m_editor;
};

EditableGrid::EditableGrid(widgets::TableAdapter &adapter, QWidget *parent)
    : QTableView(parent), m_adapter(adapter), m_model(new EditableModel(adapter, this)),
      m_delegate(new Delegate(this))
{
    setModel(m_model);
    setItemDelegate(m_delegate);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                    | QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
    setShowGrid(true);
    setTabKeyNavigation(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);

    QFont cellFont(QStringLiteral("Arial"), 8);
    setFont(cellFont);
    verticalHeader()->setDefaultSectionSize(QFontMetrics(cellFont).height() + 6);
    horizontalHeader()->setHighlightSections(false);

    connect(&adapter, &widgets::TableAdapter::reset, this, &EditableGrid::followTable, Qt::QueuedConnection);
    connect(&adapter, &widgets::TableAdapter::currentChanged, this, &EditableGrid::followTable);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { moveTable(current); });
}

int EditableGrid::pixelsForCharacters(int characters) const
{
    return characters * fontMetrics().averageCharWidth() + 4;
}

void EditableGrid::setColumns(const QList<widgets::LedgerModel::Column> &columns)
{
    m_model->setColumns(columns);
    for (int i = 0; i < m_model->columns().size(); ++i)
        setColumnWidth(i, pixelsForCharacters(m_model->columns()[i].width));
    followTable();
}

QWidget *EditableGrid::openEditor() const
{
    QWidget *editor = m_delegate->m_editor;
    return state() == QAbstractItemView::EditingState ? editor : nullptr;
}

bool EditableGrid::commitEditor()
{
    QWidget *editor = openEditor();
    if (!editor)
        return true;
    const QModelIndex index = currentIndex();
    const QString before = index.data(Qt::EditRole).toString();
    auto *line = qobject_cast<QLineEdit *>(editor);
    const QString typed = line ? line->text() : before;
    commitData(editor);
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    // The model refuses by keeping the old text.
    return !line || typed == before || m_model->index(index.row(), index.column()).data(Qt::EditRole).toString() == typed;
}

void EditableGrid::discardEditor()
{
    if (QWidget *editor = openEditor())
        QTableView::closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

void EditableGrid::focusCell(int column)
{
    followTable();
    const engine::Table &table = m_adapter.table();
    const int row = table.isOpen() ? int(table.position()) : -1;
    if (row >= 0 && row < m_model->rowCount() && column >= 0 && column < m_model->columnCount()) {
        m_syncing = true;
        setCurrentIndex(m_model->index(row, column));
        m_syncing = false;
    }
    setFocus();
}

void EditableGrid::followTable()
{
    if (m_syncing)
        return;
    const engine::Table &table = m_adapter.table();
    const int row = table.isOpen() ? int(table.position()) : -1;
    m_syncing = true;
    if (row >= 0 && row < m_model->rowCount() && m_model->columnCount() > 0) {
        if (currentIndex().row() != row)
            setCurrentIndex(m_model->index(row, qMax(0, currentIndex().column())));
        scrollTo(currentIndex());
    } else {
        clearSelection();
    }
    m_syncing = false;
}

void EditableGrid::moveTable(const QModelIndex &current)
{
    if (m_syncing || !current.isValid())
        return;
    engine::Table &table = m_adapter.table();
    if (!table.isOpen())
        return;
    const std::int64_t target = current.row();
    if (target == table.position())
        return;
    m_syncing = true;
    std::int64_t landing = target;
    if (table.isEditing() && !table.isModified()) {
        table.cancel();
    } else if (table.isEditing()) {
        const bool inserting = table.state() == engine::Table::State::Insert;
        const std::int64_t before = table.position();
        if ((m_rowCheck && !m_rowCheck()) || !postRow(table, window())) {
            m_syncing = false;
            // Back to the row that could not be stored, once this selection change is over.
            QTimer::singleShot(0, this, &EditableGrid::followTable);
            return;
        }
        // The stored row took its place in the order; the target row shifted with it.
        const std::int64_t stored = table.position();
        std::int64_t shifted = (!inserting && target > before) ? target - 1 : target;
        landing = shifted >= stored ? shifted + 1 : shifted;
    }
    if (landing < table.rowCount())
        table.moveTo(landing);
    m_syncing = false;
    QTimer::singleShot(0, this, &EditableGrid::followTable);
}

void EditableGrid::moveToNextCell()
{
    const QModelIndex at = currentIndex();
    if (!at.isValid())
        return;
    if (at.column() + 1 < m_model->columnCount())
        setCurrentIndex(m_model->index(at.row(), at.column() + 1));
    else if (at.row() + 1 < m_model->rowCount())
        setCurrentIndex(m_model->index(at.row() + 1, 0));
}

void EditableGrid::closeEditor(QWidget *editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (m_enterMovesNext && hint == QAbstractItemDelegate::SubmitModelCache) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        moveToNextCell();
        return;
    }
    QTableView::closeEditor(editor, hint);
}

void EditableGrid::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier;
    if (plain && m_enterMovesNext && state() != EditingState
        && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        moveToNextCell();
        event->accept();
        return;
    }
    if (plain && event->key() == Qt::Key_Escape && state() != EditingState && m_adapter.table().isEditing()) {
        m_adapter.table().cancel();
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

void EditableGrid::focusOutEvent(QFocusEvent *event)
{
    QTableView::focusOutEvent(event);
    const QWidget *now = QApplication::focusWidget();
    if (m_dropUntouched && (!now || !isAncestorOf(now))) {
        engine::Table &table = m_adapter.table();
        if (table.isOpen() && table.state() == engine::Table::State::Insert && !table.isModified())
            table.cancel();
    }
}

} // namespace forms
