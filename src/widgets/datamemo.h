#pragma once

#include "widgets/dataeditor.h"
#include "widgets/fieldlink.h"

#include <QPlainTextEdit>

namespace widgets {

class TableAdapter;

// A data-aware memo for a text or memo field, with a vertical scroll bar. It
// takes at most maxLength() characters (the field's width for a CHAR field,
// unlimited for a memo unless set); an empty text is written as null.
class DataMemo : public QPlainTextEdit, public DataEditor
{
    Q_OBJECT

public:
    DataMemo(TableAdapter &adapter, const QString &field, QWidget *parent = nullptr);

    int maxLength() const { return m_maxLength; }
    // 0 for no limit. Text beyond the limit is cut off as it is typed or pasted.
    void setMaxLength(int characters);

    bool hasPendingText() const override;
    QString shownText() const override { return toPlainText(); }

protected:
    void showValue(const engine::Value &value) override;
    std::optional<engine::Value> takeText(QString *message) const override;
    void paintFocus(bool focused) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void enforceLimit();

    FieldLink m_link;
    int m_maxLength = 0;
    bool m_limiting = false;
};

} // namespace widgets
