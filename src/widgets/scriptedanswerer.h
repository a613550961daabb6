#pragma once

#include "widgets/messageservice.h"

#include <QList>

namespace widgets {

// Answers the message service without a person, for tests. While it lives it is
// the service's answerer (the previous one comes back when it is destroyed). It
// records every box it is asked and answers with the scripted replies in order;
// a box asked after the script ran out is recorded as unexpected and answered as
// if the user had closed it (Escape button; input box cancelled; dialog closed).
//
//     ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::No)});
//     deleteCurrentCheque();
//     QCOMPARE(answerer.asked().size(), 1);
//     QCOMPARE(answerer.asked().first().caption, u"DİKKAT");
class ScriptedAnswerer : public MessageAnswerer
{
public:
    explicit ScriptedAnswerer(const QList<MessageReply> &replies = {});
    ~ScriptedAnswerer() override;

    ScriptedAnswerer(const ScriptedAnswerer &) = delete;
    ScriptedAnswerer &operator=(const ScriptedAnswerer &) = delete;

    // Appends a reply to the script.
    void push(const MessageReply &reply);
    void push(MessageButton button) { push(MessageReply::pressed(button)); }

    // Every box asked so far, oldest first.
    const QList<MessageRequest> &asked() const { return m_asked; }
    // Replies not used yet.
    qsizetype pending() const { return m_replies.size(); }
    // Boxes asked after the script ran out.
    int unexpected() const { return m_unexpected; }
    // Forgets the boxes asked so far and the unexpected count (the script stays).
    void clearAsked();

    MessageReply answer(const MessageRequest &request) override;

private:
    QList<MessageReply> m_replies;
    QList<MessageRequest> m_asked;
    int m_unexpected = 0;
    MessageAnswerer *m_previous = nullptr;
};

} // namespace widgets
