#include "widgets/messageservice.h"

#include "widgets/dialoganswerer.h"

#include <QDialog>

namespace widgets {

namespace {

MessageAnswerer *g_answerer = nullptr;

MessageIcon kindIcon(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return MessageIcon::Warning;
    case MessageKind::Error:
    case MessageKind::Failure:
        return MessageIcon::Error;
    case MessageKind::Information:
        return MessageIcon::Information;
    case MessageKind::Confirmation:
        return MessageIcon::Question;
    default:
        return MessageIcon::None;
    }
}

// Escape and the close box press the safest button there is.
MessageButton escapeFor(const QList<MessageButton> &buttons)
{
    for (MessageButton b : {MessageButton::Cancel, MessageButton::No, MessageButton::Ok}) {
        if (buttons.contains(b))
            return b;
    }
    return buttons.isEmpty() ? MessageButton::None : buttons.last();
}

MessageButton frameworkDefaultFor(const QList<MessageButton> &buttons)
{
    for (MessageButton b : {MessageButton::Ok, MessageButton::Yes}) {
        if (buttons.contains(b))
            return b;
    }
    return buttons.isEmpty() ? MessageButton::None : buttons.first();
}

// A reply that names a button the box does not have counts as closing the box.
MessageButton checkedButton(const MessageRequest &request, const MessageReply &reply)
{
    if (request.buttons.contains(reply.button))
        return reply.button;
    return request.escapeButton;
}

} // namespace

QString buttonText(MessageButton button)
{
    switch (button) {
    case MessageButton::Ok:
        return QStringLiteral("Tamam");
    case MessageButton::Yes:
        return QStringLiteral("Evet");
    case MessageButton::No:
        return QStringLiteral("Hayır");
    case MessageButton::Cancel:
        return QStringLiteral("İptal");
    case MessageButton::None:
        break;
    }
    return {};
}

QStringList MessageRequest::buttonTexts() const
{
    QStringList texts;
    for (MessageButton b : buttons)
        texts << buttonText(b);
    return texts;
}

MessageReply MessageReply::pressed(MessageButton button)
{
    MessageReply reply;
    reply.button = button;
    return reply;
}

MessageReply MessageReply::typed(const QString &text)
{
    MessageReply reply;
    reply.button = MessageButton::Ok;
    reply.text = text;
    return reply;
}

MessageReply MessageReply::closed()
{
    return {};
}

MessageReply MessageReply::acting(std::function<void(QDialog *)> action)
{
    MessageReply reply;
    reply.act = std::move(action);
    return reply;
}

MessageAnswerer::~MessageAnswerer() = default;

MessageAnswerer *MessageService::answerer()
{
    if (g_answerer)
        return g_answerer;
    static DialogAnswerer real;
    return &real;
}

MessageAnswerer *MessageService::setAnswerer(MessageAnswerer *answerer)
{
    MessageAnswerer *previous = g_answerer;
    g_answerer = answerer;
    return previous;
}

QString MessageService::displayText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

QString MessageService::kindCaption(MessageKind kind)
{
    switch (kind) {
    case MessageKind::Warning:
        return QStringLiteral("Uyarı");
    case MessageKind::Error:
        return QStringLiteral("Hata");
    case MessageKind::Information:
        return QStringLiteral("Bilgi");
    case MessageKind::Confirmation:
        return QStringLiteral("Onay");
    default:
        return QStringLiteral("Selvora");
    }
}

MessageReply MessageService::put(MessageRequest request)
{
    return answerer()->answer(request);
}

MessageButton MessageService::ask(MessageKind kind, const QString &text, const QList<MessageButton> &buttons)
{
    MessageRequest request;
    request.kind = kind;
    request.icon = kindIcon(kind);
    request.caption = kindCaption(kind);
    request.text = displayText(text);
    request.buttons = buttons.isEmpty() ? QList<MessageButton>{MessageButton::Ok} : buttons;
    request.defaultButton = frameworkDefaultFor(request.buttons);
    request.escapeButton = escapeFor(request.buttons);
    return checkedButton(request, put(request));
}

void MessageService::warning(const QString &text)
{
    ask(MessageKind::Warning, text, {MessageButton::Ok});
}

void MessageService::error(const QString &text)
{
    ask(MessageKind::Error, text, {MessageButton::Ok});
}

void MessageService::information(const QString &text)
{
    ask(MessageKind::Information, text, {MessageButton::Ok});
}

bool MessageService::confirm(const QString &text)
{
    return ask(MessageKind::Confirmation, text, {MessageButton::Yes, MessageButton::No}) == MessageButton::Yes;
}

MessageButton MessageService::confirmYesNoCancel(const QString &text)
{
    return ask(MessageKind::Confirmation, text,
               {MessageButton::Yes, MessageButton::No, MessageButton::Cancel});
}

MessageButton MessageService::systemBox(QWidget *owner, const QString &caption, const QString &text,
                                        MessageIcon icon, const QList<MessageButton> &buttons,
                                        MessageButton defaultButton)
{
    MessageRequest request;
    request.kind = MessageKind::System;
    request.icon = icon;
    request.caption = caption;
    request.text = displayText(text);
    request.buttons = buttons.isEmpty() ? QList<MessageButton>{MessageButton::Ok} : buttons;
    request.defaultButton = request.buttons.contains(defaultButton) ? defaultButton : request.buttons.first();
    request.escapeButton = escapeFor(request.buttons);
    request.owner = owner;
    return checkedButton(request, put(request));
}

void MessageService::plain(const QString &text)
{
    ask(MessageKind::Plain, text, {MessageButton::Ok});
}

void MessageService::failure(const QString &text)
{
    ask(MessageKind::Failure, text, {MessageButton::Ok});
}

bool MessageService::inputQuery(const QString &title, const QString &prompt, QString &value)
{
    MessageRequest request;
    request.kind = MessageKind::Input;
    request.caption = title;
    request.text = displayText(prompt);
    request.defaultText = value.left(InputMaxLength);
    request.maxLength = InputMaxLength;
    const MessageReply reply = put(request);
    if (reply.button != MessageButton::Ok)
        return false;
    value = reply.text.left(InputMaxLength);
    return true;
}

QString MessageService::inputBox(const QString &title, const QString &prompt, const QString &defaultText)
{
    QString value = defaultText;
    if (!inputQuery(title, prompt, value))
        return defaultText;
    return value;
}

int MessageService::execDialog(QDialog *dialog, const QString &caption)
{
    MessageRequest request;
    request.kind = MessageKind::Dialog;
    request.caption = caption.isEmpty() && dialog ? dialog->windowTitle() : caption;
    request.dialog = dialog;
    return put(request).dialogResult;
}

} // namespace widgets
