#pragma once

#include "widgets/dataeditor.h"
#include "widgets/fieldlink.h"

#include <QComboBox>

namespace widgets {

class TableAdapter;

// A data-aware combo for a text field: a free-text box (at most the field's
// width in characters) with a drop-down list of suggestions. Picking an entry
// writes it into the row at once; typed text is written when the combo is
// left or committed. An empty text is written as null.
class DataComboBox : public QComboBox, public DataEditor
{
    Q_OBJECT

public:
    DataComboBox(TableAdapter &adapter, const QString &field, QWidget *parent = nullptr);

    // Replaces the drop-down list; the shown text stays.
    void setItems(const QStringList &items);

    bool hasPendingText() const override { return m_pending; }
    QString shownText() const override { return currentText(); }

protected:
    struct Deferred {};
    DataComboBox(TableAdapter &adapter, const QString &field, QWidget *parent, Deferred);

    void showValue(const engine::Value &value) override;
    std::optional<engine::Value> takeText(QString *message) const override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    FieldLink m_link;
    bool m_pending = false;
};

} // namespace widgets
