#include "widgets/scriptedanswerer.h"

#include <QDialog>
#include <QPointer>

namespace widgets {

ScriptedAnswerer::ScriptedAnswerer(const QList<MessageReply> &replies)
    : m_replies(replies)
{
    m_previous = MessageService::setAnswerer(this);
}

ScriptedAnswerer::~ScriptedAnswerer()
{
    MessageService::setAnswerer(m_previous);
}

void ScriptedAnswerer::push(const MessageReply &reply)
{
    m_replies.append(reply);
}

void ScriptedAnswerer::clearAsked()
{
    m_asked.clear();
    m_unexpected = 0;
}

MessageReply ScriptedAnswerer::answer(const MessageRequest &request)
{
    m_asked.append(request);
    MessageReply reply;
    if (m_replies.isEmpty()) {
        ++m_unexpected;
        reply.button = request.kind == MessageKind::Input ? MessageButton::None : request.escapeButton;
    } else {
        reply = m_replies.takeFirst();
    }

    if (request.kind == MessageKind::Dialog && request.dialog) {
        // The dialog is shown (so its show handler runs) but not entered modally:
        // the scripted action clicks what a user would click, and whatever is left open is closed.
        // A reply without an action but with a result code ends the dialog with that code.
        QPointer<QDialog> dialog = request.dialog;
        dialog->setResult(0);
        dialog->show();
        if (reply.act)
            reply.act(dialog);
        else if (reply.dialogResult != 0)
            dialog->done(reply.dialogResult);
        if (dialog && dialog->isVisible())
            dialog->close();
        reply.dialogResult = dialog ? dialog->result() : 0;
    }
    return reply;
}

} // namespace widgets
