#pragma once

#include "engine/value.h"

#include <QObject>
#include <QString>

namespace engine { class Table; }

namespace widgets {

class TableAdapter;

// Ties one data-aware editor to one field of the current row of an engine
// table, through the adapter that observes the table (the table holds one
// observer, so every editor of a table shares the one adapter).
class FieldLink : public QObject
{
    Q_OBJECT

public:
    // field: the field's name. A field the table lacks (or a closed table)
    // leaves the link unbound: it reads null and refuses to write.
    FieldLink(TableAdapter &adapter, const QString &field, QObject *parent = nullptr);

    TableAdapter &adapter() const { return m_adapter; }
    engine::Table &table() const;
    const QString &fieldName() const { return m_field; }
    bool isBound() const;
    engine::FieldType fieldType() const;
    // The field's width in characters (CHAR fields), 0 for other types.
    int fieldSize() const;

    // The field's value in the current row (the row being edited while
    // editing); null without a current row.
    engine::Value value() const;

    // Writes value into the current row, putting the table into edit state
    // first when it is browsing. Returns false, after telling the user the
    // engine's reason through the message service, when the table refuses.
    bool write(const engine::Value &value);

    // Emitted by the editor once it was left and has written its text.
    void notifyLeft() { emit left(); }

signals:
    // The row under the editor may have changed: rowMoved is true when the
    // cursor moved or the rows were reloaded, false when only the state or a
    // field of the edited row changed.
    void rowChanged(bool rowMoved);
    // The editor lost the focus and its pending text (if any) is in the row.
    void left();

private:
    int fieldIndex() const;

    TableAdapter &m_adapter;
    QString m_field;
};

} // namespace widgets
