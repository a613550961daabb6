#pragma once

#include "engine/table.h"

#include <QObject>

namespace widgets {

// Lets Qt code observe one engine table: the engine calls back, the adapter
// turns the calls into signals. One adapter per table; it does not own it.
class TableAdapter : public QObject, private engine::TableObserver
{
    Q_OBJECT

public:
    explicit TableAdapter(engine::Table &table, QObject *parent = nullptr);
    ~TableAdapter() override;

    engine::Table &table() const { return m_table; }

signals:
    // Rows or their order changed (open, close, index change, post, delete, append, cancel).
    void reset();
    // The cursor moved.
    void currentChanged();
    // Edit state, modified flag or a field of the edited row changed.
    void stateChanged();

private:
    void tableReset() override { emit reset(); }
    void currentRowChanged() override { emit currentChanged(); }
    void editStateChanged() override { emit stateChanged(); }

    engine::Table &m_table;
};

} // namespace widgets
