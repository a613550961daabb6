#include "widgets/dataeditor.h"

#include "widgets/fieldlink.h"
#include "widgets/messageservice.h"

#include <QMetaObject>
#include <QWidget>

namespace widgets {

DataEditor::DataEditor(QWidget *self, FieldLink *link) : m_self(self), m_link(link) {}

DataEditor::~DataEditor() = default;

DataEditor *DataEditor::of(QWidget *w)
{
    for (; w; w = w->parentWidget()) {
        if (auto *editor = dynamic_cast<DataEditor *>(w))
            return editor;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

void DataEditor::attach()
{
    QObject::connect(m_link, &FieldLink::rowChanged, m_self, [this](bool moved) { rowChanged(moved); });
    paintFocus(false);
    reload();
}

bool DataEditor::commit()
{
    if (!hasPendingText())
        return true;
    QString message;
    const std::optional<engine::Value> value = takeText(&message);
    if (!value) {
        MessageService::failure(message);
        return false;
    }
    if (!m_link->write(*value))
        return false;
    reload();
    return true;
}

void DataEditor::reload()
{
    m_loaded = m_link->value();
    showValue(m_loaded);
}

void DataEditor::rowChanged(bool moved)
{
    // Typed text survives changes to other fields of the same row; a move to
    // another row, or a change of this very field, shows the row as it is.
    if (moved || !hasPendingText() || m_link->value() != m_loaded)
        reload();
}

void DataEditor::paintFocus(bool focused)
{
    QPalette pal = m_self->palette();
    pal.setColor(QPalette::Base, focused ? focusColour() : idleColour());
    m_self->setPalette(pal);
}

void DataEditor::focusEntered()
{
    paintFocus(true);
}

void DataEditor::focusLeft(Qt::FocusReason reason)
{
    paintFocus(false);
    // A drop-down, a message box or another window taking the focus is no
    // leaving of the editor.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason)
        return;
    // The write runs once the focus has settled, so that a message about bad
    // input is not shown from inside the focus change.
    QMetaObject::invokeMethod(m_self, [this] { leave(); }, Qt::QueuedConnection);
}

void DataEditor::leave()
{
    if (!commit()) {
        m_self->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_self->hasFocus())
        showValue(m_loaded);
    m_link->notifyLeft();
}

} // namespace widgets
