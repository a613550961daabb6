#pragma once

#include "widgets/dataeditor.h"
#include "widgets/fieldlink.h"

#include <QCheckBox>

namespace widgets {

class TableAdapter;

// A data-aware check box for a BOOLEAN field: a click writes true or false
// into the row at once (the table put into edit state first). toggled()
// follows the row too, when the cursor moves or the field changes.
class DataCheckBox : public QCheckBox, public DataEditor
{
    Q_OBJECT

public:
    DataCheckBox(const QString &caption, TableAdapter &adapter, const QString &field, QWidget *parent = nullptr);

    bool hasPendingText() const override { return false; }
    QString shownText() const override { return text(); }

protected:
    void showValue(const engine::Value &value) override;
    std::optional<engine::Value> takeText(QString *message) const override;
    void paintFocus(bool) override {}

private:
    FieldLink m_link;
};

} // namespace widgets
