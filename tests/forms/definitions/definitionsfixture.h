#pragma once

#include "data/datastore.h"
#include "engine/database.h"
#include "engine/table.h"
#include "widgets/valuetext.h"
#include "fspath.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include "filewritelock.h"

#include <memory>

// A fresh program folder with its data folder set up: empty lookup tables and
// the seeded status tables, all seven open.
struct DataFolder
{
    QTemporaryDir dir;
    std::unique_ptr<data::DataStore> store;

    DataFolder()
    {
        store = std::make_unique<data::DataStore>(fsPath(dir.filePath("Veriler")));
        const auto problems = store->setUp();
        if (!problems.empty())
            qWarning("set-up: %s", problems.front().c_str());
    }

    engine::Table &table(data::TableId id) { return store->table(id); }

    // The rows of a table file as another program would see them: a second
    // database on the same folder, in the table's primary order, the given
    // fields joined by "|".
    QStringList readBack(data::TableId id, const QStringList &fields) const
    {
        engine::Database second(store->folder());
        engine::Table table(second, data::table(id).fileName);
        table.open();
        QStringList rows;
        for (std::int64_t row = 0; row < table.rowCount(); ++row) {
            QStringList values;
            for (const QString &field : fields)
                values << widgets::toQString(table.valueAt(row, table.requireField(field.toStdString())));
            rows << values.join(QLatin1Char('|'));
        }
        table.close();
        return rows;
    }

    // Stores rows of text fields directly, as an earlier session would have.
    void seed(data::TableId id, const QStringList &fields, const QList<QStringList> &rows)
    {
        engine::Table &t = table(id);
        for (const QStringList &row : rows) {
            t.append();
            for (int i = 0; i < fields.size(); ++i)
                t.setValue(fields[i].toStdString(), engine::Value{row[i].toStdString()});
            t.post();
        }
        t.first();
    }
};

// The text of the current row's field.
inline QString currentText(engine::Table &table, const char *field)
{
    return widgets::toQString(table.value(field));
}

// Types a text key by key; unlike QTest::keyClicks it takes Turkish letters.
inline void typeText(QWidget *widget, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// Opens the cell editor of a grid as a double click would and returns it.
inline QLineEdit *openCellEditor(QAbstractItemView *view, int row, int column)
{
    const QModelIndex index = view->model()->index(row, column);
    view->setCurrentIndex(index);
    view->edit(index);
    QLineEdit *open = nullptr;
    for (QLineEdit *editor : view->viewport()->findChildren<QLineEdit *>())
        if (editor->isVisible())
            open = editor;
    return open;
}

// Types a text into a cell as the user would: open the editor, replace its
// text key by key. The editor stays open.
inline QLineEdit *typeIntoCell(QAbstractItemView *view, int row, int column, const QString &text)
{
    QLineEdit *editor = openCellEditor(view, row, column);
    if (!editor)
        return nullptr;
    editor->selectAll();
    QTest::keyClick(editor, Qt::Key_Delete);
    typeText(editor, text);
    return editor;
}

// Enter in a cell editor: the grid commits the editor once the key is through.
inline void pressEnter(QWidget *editor)
{
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();
}

