#pragma once

#include "data/datastore.h"
#include "engine/database.h"
#include "engine/query.h"
#include "engine/table.h"
#include "fspath.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

// A fresh data folder with the seven tables set up, for one test.
struct EntryFixture
{
    QTemporaryDir dir;
    std::unique_ptr<data::DataStore> store;

    EntryFixture()
    {
        store = std::make_unique<data::DataStore>(fsPath(dir.filePath("Veriler")));
        const auto problems = store->setUp();
        if (!problems.empty())
            qWarning("set-up: %s", problems.front().c_str());
    }

    engine::Table &table(data::TableId id) { return store->table(id); }

    // Appends and posts one row of text fields.
    void addRow(data::TableId id, const std::vector<std::pair<std::string, std::string>> &values)
    {
        engine::Table &t = table(id);
        t.append();
        for (const auto &[field, value] : values)
            t.setValue(field, engine::Value(value));
        t.post();
    }

    // Reads a table file back through a second database on the same folder,
    // the way another program would see it: one row per stored row, the
    // fields as text ("" for null).
    std::vector<std::vector<std::string>> readBack(const std::string &fileName, const std::vector<std::string> &fields)
    {
        engine::Database second(store->folder());
        engine::Table t(second, fileName);
        t.open();
        std::vector<std::vector<std::string>> rows;
        for (std::int64_t i = 0; i < t.rowCount(); ++i) {
            t.moveTo(i);
            std::vector<std::string> row;
            for (const std::string &f : fields) {
                const engine::Value &v = t.value(f);
                if (const auto *s = std::get_if<std::string>(&v))
                    row.push_back(*s);
                else if (const auto *d = std::get_if<text::Date>(&v))
                    row.push_back(text::formatDate(*d));
                else if (const auto *n = std::get_if<std::int64_t>(&v))
                    row.push_back(std::to_string(*n));
                else if (const auto *b = std::get_if<bool>(&v))
                    row.push_back(*b ? "true" : "false");
                else
                    row.push_back("");
            }
            rows.push_back(row);
        }
        return rows;
    }
};

inline QString textOf(const engine::Value &value)
{
    if (const auto *s = std::get_if<std::string>(&value))
        return QString::fromStdString(*s);
    return {};
}

#include "forms/sharedstate.h"
#include "widgets/messageservice.h"
#include "widgets/tableadapter.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

// Types text into an editor the way a person would: focus first, then the
// keys, replacing what was there.
inline void typeInto(QWidget *editor, const QString &text)
{
    editor->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QWidget *target = editor;
    if (auto *combo = qobject_cast<QComboBox *>(editor))
        target = combo->lineEdit();
    if (auto *line = qobject_cast<QLineEdit *>(target))
        line->selectAll();
    if (auto *memo = qobject_cast<QPlainTextEdit *>(target))
        memo->selectAll();
    if (text.isEmpty())
        QTest::keyClick(target, Qt::Key_Delete);
    else
        for (const QChar ch : text) {
            // Letters such as İ and Ş have no key code of their own in QTest.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(target, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(target, &release);
        }
    QApplication::processEvents();
    // The suggestions that dropped down while typing are put away, as Escape would.
    if (auto *combo = qobject_cast<QComboBox *>(editor); combo && combo->completer() && combo->completer()->popup()) {
        combo->completer()->popup()->hide();
        // The offscreen platform leaves the hidden list the active window.
        QApplication::setActiveWindow(editor->window());
    }
    QApplication::processEvents();
}

// The text of a box as the message service puts it in front of the user.
inline QString shown(const QString &text)
{
    return widgets::MessageService::displayText(text);
}

// An amount typed with the system's decimal mark: lira and kuruş.
inline QString typedAmount(int lira, int kurus)
{
    return QString::number(lira) + QLocale::system().decimalPoint() + QStringLiteral("%1").arg(kurus, 2, 10, QLatin1Char('0'));
}

inline void showActive(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}
