#include "widgets/datamemo.h"

#include "widgets/valuetext.h"

#include <QFocusEvent>
#include <QTextCursor>

namespace widgets {

DataMemo::DataMemo(TableAdapter &adapter, const QString &field, QWidget *parent)
    : QPlainTextEdit(parent), DataEditor(this, &m_link), m_link(adapter, field)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
    if (m_link.fieldType() == engine::FieldType::Char)
        m_maxLength = m_link.fieldSize();
    connect(this, &QPlainTextEdit::textChanged, this, &DataMemo::enforceLimit);
    attach();
}

void DataMemo::setMaxLength(int characters)
{
    m_maxLength = characters;
    enforceLimit();
}

void DataMemo::enforceLimit()
{
    if (m_limiting || m_maxLength <= 0)
        return;
    const QString all = toPlainText();
    // Characters, not UTF-16 units: a letter outside the BMP counts once.
    if (all.toUcs4().size() <= m_maxLength)
        return;
    m_limiting = true;
    const QList<uint> kept = all.toUcs4().mid(0, m_maxLength);
    const QString cut = QString::fromUcs4(reinterpret_cast<const char32_t *>(kept.constData()), kept.size());
    setPlainText(cut);
    document()->setModified(true);
    moveCursor(QTextCursor::End);
    m_limiting = false;
}

bool DataMemo::hasPendingText() const
{
    return !isReadOnly() && document()->isModified();
}

void DataMemo::showValue(const engine::Value &value)
{
    m_limiting = true;
    setPlainText(toQString(value));
    m_limiting = false;
    document()->setModified(false);
}

std::optional<engine::Value> DataMemo::takeText(QString *) const
{
    const QString shown = toPlainText();
    if (shown.isEmpty())
        return engine::Value{};
    return engine::Value(shown.toStdString());
}

void DataMemo::paintFocus(bool focused)
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, focused ? focusColour() : idleColour());
    setPalette(pal);
    viewport()->setPalette(pal);
}

void DataMemo::focusInEvent(QFocusEvent *event)
{
    focusEntered();
    QPlainTextEdit::focusInEvent(event);
}

void DataMemo::focusOutEvent(QFocusEvent *event)
{
    QPlainTextEdit::focusOutEvent(event);
    focusLeft(event->reason());
}

} // namespace widgets
