#include "widgets/incrementalsearch.h"

#include "widgets/tableadapter.h"

namespace widgets {

namespace {
const QColor kIdle(234, 231, 213);
}

IncrementalSearch::IncrementalSearch(TableAdapter &adapter, QWidget *parent) : QLineEdit(parent), m_adapter(adapter)
{
    m_wait.setSingleShot(true);
    m_wait.setInterval(WaitMilliseconds);
    connect(&m_wait, &QTimer::timeout, this, &IncrementalSearch::searchNow);
    connect(this, &QLineEdit::textEdited, this, [this] { m_wait.start(); });
    setBackground(kIdle);
}

void IncrementalSearch::reset()
{
    m_wait.stop();
    clear();
    m_lastSearched.clear();
}

void IncrementalSearch::searchNow()
{
    m_wait.stop();
    const QString typed = text();
    if (typed == m_lastSearched)
        return;
    m_lastSearched = typed;
    engine::Table &table = m_adapter.table();
    if (!table.isOpen() || table.isEditing())
        return;
    // Every value comes at or after the empty text: a box emptied by hand
    // goes back to the top, whatever the type of the active index.
    if (typed.isEmpty())
        table.first();
    else
        table.findNearest(typed.toStdString());
}

void IncrementalSearch::focusInEvent(QFocusEvent *event)
{
    setBackground(Qt::white);
    QLineEdit::focusInEvent(event);
}

void IncrementalSearch::focusOutEvent(QFocusEvent *event)
{
    setBackground(kIdle);
    QLineEdit::focusOutEvent(event);
}

void IncrementalSearch::setBackground(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    setPalette(colours);
}

} // namespace widgets
