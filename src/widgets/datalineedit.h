#pragma once

#include "widgets/dataeditor.h"
#include "widgets/fieldlink.h"

#include <QLineEdit>

namespace widgets {

class TableAdapter;

// A one-line data-aware editor for a text field. It takes at most the field's
// width in characters; an empty text is written as a null value.
class DataLineEdit : public QLineEdit, public DataEditor
{
    Q_OBJECT

public:
    DataLineEdit(TableAdapter &adapter, const QString &field, QWidget *parent = nullptr);

    bool hasPendingText() const override;
    QString shownText() const override { return text(); }

protected:
    // For the subclasses: the link is made, nothing is shown yet.
    struct Deferred {};
    DataLineEdit(TableAdapter &adapter, const QString &field, QWidget *parent, Deferred);

    void showValue(const engine::Value &value) override;
    std::optional<engine::Value> takeText(QString *message) const override;
    // The text a value is shown as; focused is true while the user edits.
    virtual QString format(const engine::Value &value, bool focused) const;

    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    FieldLink m_link;
};

} // namespace widgets
