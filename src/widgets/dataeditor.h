#pragma once

#include "engine/value.h"

#include <QColor>
#include <QString>

#include <optional>

class QWidget;

namespace widgets {

class FieldLink;

// What every data-aware editor shares: it shows one field of the current row,
// keeps what the user types as pending text, and writes it into the row (the
// table put into edit state first) when it is left or committed. A text the
// field cannot take (a date or amount that does not parse) is refused with a
// Turkish message, nothing is written and the focus stays on the editor.
// Editors are white while they have the focus and RGB(217,214,198) otherwise.
class DataEditor
{
public:
    DataEditor(QWidget *self, FieldLink *link);
    virtual ~DataEditor();
    DataEditor(const DataEditor &) = delete;
    DataEditor &operator=(const DataEditor &) = delete;

    FieldLink &link() const { return *m_link; }
    QWidget *widget() const { return m_self; }

    // Writes the pending text into the row. Returns true when there was none or
    // it was written; false when the text cannot be taken or the table refused
    // it (the user has been told why; the text stays in the editor).
    bool commit();
    // True while the editor holds typed text not yet written.
    virtual bool hasPendingText() const = 0;
    // Shows the field's value again, dropping any pending text.
    void reload();
    // The text the editor shows right now (typed or loaded).
    virtual QString shownText() const = 0;

    // The data-aware editor w belongs to (w itself or one of its parents), or null.
    static DataEditor *of(QWidget *w);

    static QColor focusColour() { return Qt::white; }
    static QColor idleColour() { return QColor(217, 214, 198); }

protected:
    // Shows value and clears the pending state.
    virtual void showValue(const engine::Value &value) = 0;
    // The value of the shown text, or std::nullopt with a Turkish message.
    virtual std::optional<engine::Value> takeText(QString *message) const = 0;

    // For the subclasses' event handlers.
    void attach(); // call at the end of the subclass constructor
    void focusEntered();
    void focusLeft(Qt::FocusReason reason);
    const engine::Value &loaded() const { return m_loaded; }
    // Paints the editor's background for the focus state.
    virtual void paintFocus(bool focused);

private:
    void leave();
    void rowChanged(bool moved);

    QWidget *m_self;
    FieldLink *m_link;
    engine::Value m_loaded;
};

} // namespace widgets
