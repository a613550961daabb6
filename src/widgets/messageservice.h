#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;
class QWidget;

namespace widgets {

// What kind of box is asked. The first four are the framework's message dialog
// (title and icon by kind); System carries a caption of the program's own and an
// owner window; Plain and Failure are the application's plain box and its
// default error box; Input is the input box; Dialog is one of the program's own
// modal dialogs run through the service so that tests can answer it too.
enum class MessageKind { Warning, Error, Information, Confirmation, System, Plain, Failure, Input, Dialog };

enum class MessageIcon { None, Information, Warning, Error, Question };

// The buttons a box can carry. None is the answer of a box closed without one.
enum class MessageButton { None, Ok, Yes, No, Cancel };

// The Turkish text of a button: "Tamam", "Evet", "Hayır", "İptal"; empty for None.
QString buttonText(MessageButton button);

// One box as it is put in front of the user.
struct MessageRequest
{
    MessageKind kind = MessageKind::Information;
    MessageIcon icon = MessageIcon::None;
    QString caption;                 // window title
    QString text;                    // message or prompt, line breaks already turned into "\n"
    QList<MessageButton> buttons;    // in the order shown; empty for Input and Dialog
    MessageButton defaultButton = MessageButton::None;
    MessageButton escapeButton = MessageButton::None; // pressed by Escape and the close box
    QPointer<QWidget> owner;         // System: the owning window; otherwise may be null
    QString defaultText;             // Input: the text the edit line starts with
    int maxLength = 0;               // Input: the most characters the edit line takes
    QPointer<QDialog> dialog;        // Dialog: the dialog to run

    // The Turkish texts of the buttons, in order.
    QStringList buttonTexts() const;
};

// The answer to one box.
struct MessageReply
{
    MessageButton button = MessageButton::None; // Input: Ok for "Tamam", None or Cancel otherwise
    QString text;                               // Input: the edited text when "Tamam" was pressed
    int dialogResult = 0;                       // Dialog: the dialog's result code
    std::function<void(QDialog *)> act;         // Dialog, scripted: done to the shown dialog

    // The user pressed this button.
    static MessageReply pressed(MessageButton button);
    // The user typed this text into the input box and pressed "Tamam".
    static MessageReply typed(const QString &text);
    // The user closed the box with its close box (or, on an input box, pressed "İptal").
    static MessageReply closed();
    // A scripted answer to a dialog: the action runs on the shown dialog (clicking
    // one of its buttons, say); a dialog still open afterwards is closed.
    static MessageReply acting(std::function<void(QDialog *)> action);
};

// Puts a box in front of someone and returns the answer. The program uses the
// DialogAnswerer (real modal boxes); tests install a ScriptedAnswerer.
class MessageAnswerer
{
public:
    virtual ~MessageAnswerer();
    virtual MessageReply answer(const MessageRequest &request) = 0;
};

// The one way the program asks the user anything. Every function blocks until the
// box is answered and is called on the user-interface thread.
class MessageService
{
public:
    // Framework message dialogs, titled by kind ("Uyarı", "Hata", "Bilgi", "Onay").
    // Texts may use "\r\n", "\r" or "\n" as line breaks; a leading break shows as a blank first line.
    static void warning(const QString &text);      // warning icon, "Tamam"
    static void error(const QString &text);        // error icon, "Tamam"
    static void information(const QString &text);  // information icon, "Tamam"
    // Confirmation with "Evet" and "Hayır": true only for "Evet".
    static bool confirm(const QString &text);
    // Confirmation with "Evet", "Hayır" and "İptal": the button pressed; Escape or the close box give Cancel.
    static MessageButton confirmYesNoCancel(const QString &text);
    // Any framework dialog: kind gives title and icon; buttons in order. The default
    // button is Ok or else Yes; Escape and the close box press Cancel, else No, else Ok.
    static MessageButton ask(MessageKind kind, const QString &text, const QList<MessageButton> &buttons);

    // The system message box: caption of the program's own ("UYARI", "DİKKAT",
    // "KAYIT HATASI"), owned by owner (may be null), with icon and buttons; defaultButton
    // None makes the first button the default. Returns the button pressed.
    static MessageButton systemBox(QWidget *owner, const QString &caption, const QString &text,
                                   MessageIcon icon, const QList<MessageButton> &buttons,
                                   MessageButton defaultButton = MessageButton::None);

    // The application's plain box: title "Selvora", no icon, "Tamam".
    static void plain(const QString &text);
    // The default error box for a failure without a handler of its own: title
    // "Selvora", error icon, "Tamam", the failure's own text.
    static void failure(const QString &text);

    // The input box: returns the edited text on "Tamam" and defaultText unchanged
    // on "İptal", Escape or the close box. At most 255 characters come back.
    static QString inputBox(const QString &title, const QString &prompt, const QString &defaultText);
    // The question form of the input box: true when "Tamam" was pressed, and then
    // value holds the edited text; otherwise value is left as it was.
    static bool inputQuery(const QString &title, const QString &prompt, QString &value);

    // Runs one of the program's modal dialogs and returns its result code. The real
    // answerer calls exec(); a scripted one shows it, acts on it and closes it.
    static int execDialog(QDialog *dialog, const QString &caption = {});

    // The answerer in use: the one installed last, or the real one.
    static MessageAnswerer *answerer();
    // Installs answerer (not owned; nullptr restores the real one) and returns the previous one.
    static MessageAnswerer *setAnswerer(MessageAnswerer *answerer);

    // A message text as shown: "\r\n" and lone "\r" become "\n".
    static QString displayText(const QString &text);
    // The title a framework dialog of this kind carries.
    static QString kindCaption(MessageKind kind);

    static constexpr int InputMaxLength = 255;

private:
    static MessageReply put(MessageRequest request);
};

} // namespace widgets
