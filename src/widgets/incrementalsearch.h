#pragma once

#include <QLineEdit>
#include <QTimer>

namespace widgets {

class TableAdapter;

// A search box: 100 ms after the last key that changed the text, the table
// moves to the nearest match of the text on its active index. White while it
// has the focus.
class IncrementalSearch : public QLineEdit
{
    Q_OBJECT

public:
    explicit IncrementalSearch(TableAdapter &adapter, QWidget *parent = nullptr);

    static constexpr int WaitMilliseconds = 100;

    // Empties the box and forgets the last search (after an order change).
    void reset();
    // Searches at once for the text in the box (what the timer does).
    void searchNow();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setBackground(const QColor &colour);

    TableAdapter &m_adapter;
    QTimer m_wait;
    QString m_lastSearched;
};

} // namespace widgets
