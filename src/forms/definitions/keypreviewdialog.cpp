#include "forms/definitions/keypreviewdialog.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScreen>

namespace forms {

KeyPreviewDialog::KeyPreviewDialog(QWidget *parent) : QDialog(parent)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

KeyPreviewDialog::~KeyPreviewDialog()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
}

void KeyPreviewDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    // Key preview: an application-wide filter sees the key before the focused
    // control does; it is only installed while the dialog is on screen.
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
}

void KeyPreviewDialog::hideEvent(QHideEvent *event)
{
    if (m_filtering) {
        qApp->removeEventFilter(this);
        m_filtering = false;
    }
    QDialog::hideEvent(event);
}

void KeyPreviewDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape leaves the dialog open; the close box and the dialog's own keys close it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool KeyPreviewDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto *widget = static_cast<QWidget *>(watched);
    // Keys of this window only: a message box over the dialog is a window of its own.
    if (widget != this && !isAncestorOf(widget))
        return false;
    if (!isVisible() || !isEnabled())
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    return formKey(key->key(), key->modifiers());
}

} // namespace forms
