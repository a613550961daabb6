#include "widgets/dialoganswerer.h"

#include "widgets/inputbox.h"

#include <QApplication>
#include <QDialog>
#include <QHash>
#include <QMessageBox>
#include <QPushButton>

namespace widgets {

namespace {

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton standardButton(MessageButton button)
{
    switch (button) {
    case MessageButton::Ok:
        return QMessageBox::Ok;
    case MessageButton::Yes:
        return QMessageBox::Yes;
    case MessageButton::No:
        return QMessageBox::No;
    case MessageButton::Cancel:
        return QMessageBox::Cancel;
    case MessageButton::None:
        break;
    }
    return QMessageBox::NoButton;
}

MessageReply showMessageBox(const MessageRequest &request)
{
    // Without an owner the box belongs to the active window, as a modal box of the program does.
    QWidget *parent = request.owner ? request.owner.data() : QApplication::activeWindow();
    QMessageBox box(boxIcon(request.icon), request.caption, request.text, QMessageBox::NoButton, parent);
    box.setTextFormat(Qt::PlainText);

    // The button texts are set here so that they are Turkish whether or not a translator is loaded.
    QHash<QAbstractButton *, MessageButton> byWidget;
    for (MessageButton b : request.buttons) {
        QPushButton *button = box.addButton(standardButton(b));
        button->setText(buttonText(b));
        byWidget.insert(button, b);
        if (b == request.defaultButton)
            box.setDefaultButton(button);
        if (b == request.escapeButton)
            box.setEscapeButton(button);
    }
    box.exec();
    return MessageReply::pressed(byWidget.value(box.clickedButton(), request.escapeButton));
}

MessageReply showInputBox(const MessageRequest &request)
{
    InputBox box(request.caption, request.text, request.defaultText, QApplication::activeWindow());
    if (box.exec() != QDialog::Accepted)
        return MessageReply::closed();
    return MessageReply::typed(box.text());
}

} // namespace

MessageReply DialogAnswerer::answer(const MessageRequest &request)
{
    switch (request.kind) {
    case MessageKind::Input:
        return showInputBox(request);
    case MessageKind::Dialog: {
        MessageReply reply;
        if (request.dialog)
            reply.dialogResult = request.dialog->exec();
        return reply;
    }
    default:
        return showMessageBox(request);
    }
}

} // namespace widgets
