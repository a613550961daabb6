#pragma once

#include <QFrame>
#include <QList>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace engine { class Table; }
namespace widgets {
class IncrementalSearch;
class LedgerGrid;
class SortKeyBox;
class TableAdapter;
}

// One ledger page of the main window: the toolbar of record commands, the
// grid, and the note strip under it that shows the current cheque's note.
class LedgerPage : public QFrame
{
    Q_OBJECT

public:
    struct Names // object names of the page's controls, as the window knows them
    {
        QString page, toolbar, newButton, editButton, deleteButton, reportsButton, definitionsButton;
        QString firstButton, priorButton, nextButton, lastButton, sortLabel, sortBox, searchLabel, searchBox;
        QString gridArea, grid, noteStrip, noteCaption, note;
    };

    LedgerPage(widgets::TableAdapter &adapter, const Names &names, QWidget *parent = nullptr);

    widgets::TableAdapter &adapter() const { return m_adapter; }
    engine::Table &table() const;

    QToolButton *newButton() const { return m_new; }
    QToolButton *editButton() const { return m_edit; }
    QToolButton *deleteButton() const { return m_delete; }
    QToolButton *reportsButton() const { return m_reports; }
    QToolButton *definitionsButton() const { return m_definitions; }
    widgets::LedgerGrid *grid() const { return m_grid; }
    widgets::SortKeyBox *sortKeyBox() const { return m_sortKey; }
    widgets::IncrementalSearch *searchBox() const { return m_search; }
    QPlainTextEdit *note() const { return m_note; }

    void setReportsMenu(QMenu *menu);
    void setDefinitionsMenu(QMenu *menu);

    void firstRow();
    void priorRow();
    void nextRow();
    void lastRow();

private:
    void showNote();
    void placeRightEdgeControls();
    bool eventFilter(QObject *watched, QEvent *event) override;

    widgets::TableAdapter &m_adapter;
    QFrame *m_toolbar;
    QToolButton *m_new;
    QToolButton *m_edit;
    QToolButton *m_delete;
    QToolButton *m_reports;
    QToolButton *m_definitions;
    QList<QToolButton *> m_navigation;
    QLabel *m_sortLabel;
    widgets::SortKeyBox *m_sortKey;
    QLabel *m_searchLabel;
    widgets::IncrementalSearch *m_search;
    widgets::LedgerGrid *m_grid;
    QPlainTextEdit *m_note;
};
