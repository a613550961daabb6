#include "widgets/messageservice.h"
#include "widgets/scriptedanswerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace widgets;

Q_DECLARE_METATYPE(widgets::MessageKind)
Q_DECLARE_METATYPE(widgets::MessageIcon)
Q_DECLARE_METATYPE(widgets::MessageButton)
Q_DECLARE_METATYPE(widgets::MessageReply)

namespace {

enum class Call { Warning, Error, Information, Confirm, YesNoCancel, SystemBox, Plain, Failure };

// Asks one box of the given call and returns the button the service reports.
MessageButton ask(Call call, const QString &text, QWidget *owner = nullptr)
{
    switch (call) {
    case Call::Warning:
        MessageService::warning(text);
        return MessageButton::Ok;
    case Call::Error:
        MessageService::error(text);
        return MessageButton::Ok;
    case Call::Information:
        MessageService::information(text);
        return MessageButton::Ok;
    case Call::Confirm:
        return MessageService::confirm(text) ? MessageButton::Yes : MessageButton::No;
    case Call::YesNoCancel:
        return MessageService::confirmYesNoCancel(text);
    case Call::SystemBox:
        return MessageService::systemBox(owner, QStringLiteral("UYARI"), text, MessageIcon::Warning,
                                         {MessageButton::Yes, MessageButton::No}, MessageButton::No);
    case Call::Plain:
        MessageService::plain(text);
        return MessageButton::Ok;
    case Call::Failure:
        MessageService::failure(text);
        return MessageButton::Ok;
    }
    return MessageButton::None;
}

} // namespace

Q_DECLARE_METATYPE(Call)

class tst_MessageService : public QObject
{
    Q_OBJECT

private slots:
    void describesEachBox_data();
    void describesEachBox();
    void returnsTheAnswer_data();
    void returnsTheAnswer();
    void showsLineBreaks_data();
    void showsLineBreaks();
    void answersInScriptOrder();
    void countsBoxesBeyondTheScript();
    void restoresThePreviousAnswerer();
    void inputBoxReturns_data();
    void inputBoxReturns();
    void runsDialogsThroughTheAnswerer();
    void realBoxSpeaksTurkish_data();
    void realBoxSpeaksTurkish();
};

void tst_MessageService::describesEachBox_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<MessageButton>("defaultButton");
    QTest::addColumn<MessageButton>("escapeButton");

    const QStringList ok{QStringLiteral("Tamam")};
    const QStringList yesNo{QStringLiteral("Evet"), QStringLiteral("Hayır")};
    QTest::newRow("warning") << Call::Warning << MessageKind::Warning << QStringLiteral("Uyarı")
                             << MessageIcon::Warning << ok << MessageButton::Ok << MessageButton::Ok;
    QTest::newRow("error") << Call::Error << MessageKind::Error << QStringLiteral("Hata") << MessageIcon::Error
                           << ok << MessageButton::Ok << MessageButton::Ok;
    QTest::newRow("information") << Call::Information << MessageKind::Information << QStringLiteral("Bilgi")
                                 << MessageIcon::Information << ok << MessageButton::Ok << MessageButton::Ok;
    QTest::newRow("confirmation Yes/No") << Call::Confirm << MessageKind::Confirmation << QStringLiteral("Onay")
                                         << MessageIcon::Question << yesNo << MessageButton::Yes
                                         << MessageButton::No;
    QTest::newRow("confirmation Yes/No/Cancel")
        << Call::YesNoCancel << MessageKind::Confirmation << QStringLiteral("Onay") << MessageIcon::Question
        << (yesNo + QStringList{QStringLiteral("İptal")}) << MessageButton::Yes << MessageButton::Cancel;
    QTest::newRow("system box, No default") << Call::SystemBox << MessageKind::System << QStringLiteral("UYARI")
                                            << MessageIcon::Warning << yesNo << MessageButton::No
                                            << MessageButton::No;
    QTest::newRow("plain") << Call::Plain << MessageKind::Plain << QStringLiteral("Selvora") << MessageIcon::None
                           << ok << MessageButton::Ok << MessageButton::Ok;
    QTest::newRow("failure") << Call::Failure << MessageKind::Failure << QStringLiteral("Selvora")
                             << MessageIcon::Error << ok << MessageButton::Ok << MessageButton::Ok;
}

void tst_MessageService::describesEachBox()
{
    QFETCH(Call, call);
    QFETCH(MessageKind, kind);
    QFETCH(QString, caption);
    QFETCH(MessageIcon, icon);
    QFETCH(QStringList, buttons);
    QFETCH(MessageButton, defaultButton);
    QFETCH(MessageButton, escapeButton);

    QWidget owner;
    ScriptedAnswerer answerer({MessageReply::pressed(defaultButton)});
    ask(call, QStringLiteral("\r\nDosya bulunamadı."), &owner);

    QCOMPARE(answerer.asked().size(), 1);
    const MessageRequest &box = answerer.asked().first();
    QCOMPARE(box.kind, kind);
    QCOMPARE(box.caption, caption);
    QCOMPARE(box.icon, icon);
    QCOMPARE(box.text, QStringLiteral("\nDosya bulunamadı."));
    QCOMPARE(box.buttonTexts(), buttons);
    QCOMPARE(box.defaultButton, defaultButton);
    QCOMPARE(box.escapeButton, escapeButton);
    if (kind == MessageKind::System)
        QCOMPARE(box.owner.data(), &owner);
    QCOMPARE(answerer.unexpected(), 0);
}

void tst_MessageService::returnsTheAnswer_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<MessageReply>("reply");
    QTest::addColumn<MessageButton>("expected");

    QTest::newRow("confirm: Evet") << Call::Confirm << MessageReply::pressed(MessageButton::Yes)
                                   << MessageButton::Yes;
    QTest::newRow("confirm: Hayır") << Call::Confirm << MessageReply::pressed(MessageButton::No)
                                    << MessageButton::No;
    QTest::newRow("confirm: closed means No") << Call::Confirm << MessageReply::closed() << MessageButton::No;
    QTest::newRow("three-way: Evet") << Call::YesNoCancel << MessageReply::pressed(MessageButton::Yes)
                                     << MessageButton::Yes;
    QTest::newRow("three-way: Hayır") << Call::YesNoCancel << MessageReply::pressed(MessageButton::No)
                                      << MessageButton::No;
    QTest::newRow("three-way: İptal") << Call::YesNoCancel << MessageReply::pressed(MessageButton::Cancel)
                                      << MessageButton::Cancel;
    QTest::newRow("three-way: closed means İptal") << Call::YesNoCancel << MessageReply::closed()
                                                   << MessageButton::Cancel;
    QTest::newRow("system box: Evet") << Call::SystemBox << MessageReply::pressed(MessageButton::Yes)
                                      << MessageButton::Yes;
    QTest::newRow("system box: a button it lacks means closed")
        << Call::SystemBox << MessageReply::pressed(MessageButton::Cancel) << MessageButton::No;
}

void tst_MessageService::returnsTheAnswer()
{
    QFETCH(Call, call);
    QFETCH(MessageReply, reply);
    QFETCH(MessageButton, expected);

    ScriptedAnswerer answerer({reply});
    QCOMPARE(ask(call, QStringLiteral("DEVAM EDİLSİN Mİ?")), expected);
}

void tst_MessageService::showsLineBreaks_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("leading CR LF gives a blank first line")
        << QStringLiteral("\r\nTanımlı kayıt Yok.") << QStringLiteral("\nTanımlı kayıt Yok.");
    QTest::newRow("CR LF inside") << QStringLiteral("AKTİF FİRMA ÇEKİ SİLİNECEK.\r\n\r\nDEVAM EDİLSİN Mİ?")
                                  << QStringLiteral("AKTİF FİRMA ÇEKİ SİLİNECEK.\n\nDEVAM EDİLSİN Mİ?");
    QTest::newRow("bare CRs") << QStringLiteral("Aktif Firma banka Tanımı Silinecek\r\rDevam edilsin Mİ?")
                              << QStringLiteral("Aktif Firma banka Tanımı Silinecek\n\nDevam edilsin Mİ?");
    QTest::newRow("LF kept") << QStringLiteral("a\nb") << QStringLiteral("a\nb");
    QTest::newRow("empty") << QString() << QString();
}

void tst_MessageService::showsLineBreaks()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QCOMPARE(MessageService::displayText(text), shown);

    ScriptedAnswerer answerer;
    MessageService::warning(text);
    QCOMPARE(answerer.asked().first().text, shown);
}

void tst_MessageService::answersInScriptOrder()
{
    ScriptedAnswerer answerer;
    answerer.push(MessageButton::No);
    answerer.push(MessageButton::Yes);
    QVERIFY(!MessageService::confirm(QStringLiteral("birinci")));
    QVERIFY(MessageService::confirm(QStringLiteral("ikinci")));
    QCOMPARE(answerer.pending(), 0);
    QCOMPARE(answerer.asked().at(0).text, QStringLiteral("birinci"));
    QCOMPARE(answerer.asked().at(1).text, QStringLiteral("ikinci"));
}

void tst_MessageService::countsBoxesBeyondTheScript()
{
    ScriptedAnswerer answerer;
    QCOMPARE(MessageService::confirmYesNoCancel(QStringLiteral("?")), MessageButton::Cancel);
    QCOMPARE(MessageService::inputBox(QStringLiteral("Başlık"), QStringLiteral("?"), QStringLiteral("3")),
             QStringLiteral("3"));
    QCOMPARE(answerer.unexpected(), 2);
    answerer.clearAsked();
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(answerer.asked().isEmpty());
}

void tst_MessageService::restoresThePreviousAnswerer()
{
    MessageAnswerer *real = MessageService::answerer();
    {
        ScriptedAnswerer outer;
        {
            ScriptedAnswerer inner({MessageReply::pressed(MessageButton::Yes)});
            QCOMPARE(MessageService::answerer(), &inner);
            QVERIFY(MessageService::confirm(QStringLiteral("?")));
            QVERIFY(outer.asked().isEmpty());
        }
        QCOMPARE(MessageService::answerer(), &outer);
    }
    QCOMPARE(MessageService::answerer(), real);
}

void tst_MessageService::inputBoxReturns_data()
{
    QTest::addColumn<MessageReply>("reply");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("Tamam returns the edited text") << MessageReply::typed(QStringLiteral("-2"))
                                                   << QStringLiteral("-2") << true;
    QTest::newRow("Tamam with an empty line") << MessageReply::typed(QString()) << QString() << true;
    QTest::newRow("İptal returns the default") << MessageReply::pressed(MessageButton::Cancel)
                                               << QStringLiteral("3") << false;
    QTest::newRow("closing returns the default") << MessageReply::closed() << QStringLiteral("3") << false;
    QTest::newRow("at most 255 characters come back")
        << MessageReply::typed(QString(300, u'ç')) << QString(255, u'ç') << true;
}

void tst_MessageService::inputBoxReturns()
{
    QFETCH(MessageReply, reply);
    QFETCH(QString, returned);
    QFETCH(bool, accepted);

    ScriptedAnswerer answerer({reply, reply});
    QCOMPARE(MessageService::inputBox(QStringLiteral("Rakam Giriniz"),
                                      QStringLiteral("Vadesinin dolmasına kaç gün\rkalan çekleri raporlamak istersiniz."),
                                      QStringLiteral("3")),
             returned);
    const MessageRequest &box = answerer.asked().first();
    QCOMPARE(box.kind, MessageKind::Input);
    QCOMPARE(box.caption, QStringLiteral("Rakam Giriniz"));
    QCOMPARE(box.text, QStringLiteral("Vadesinin dolmasına kaç gün\nkalan çekleri raporlamak istersiniz."));
    QCOMPARE(box.defaultText, QStringLiteral("3"));
    QCOMPARE(box.maxLength, 255);

    QString value = QStringLiteral("3");
    QCOMPARE(MessageService::inputQuery(QStringLiteral("Firma Çek Durumu Tanımlama"),
                                        QStringLiteral("Tanımlanacak Çek Durumunu Giriniz."), value),
             accepted);
    QCOMPARE(value, returned);
}

void tst_MessageService::runsDialogsThroughTheAnswerer()
{
    // A dialog of the program: its show handler resets the answer, its buttons set it.
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Selvora"));
    QString answer = QStringLiteral("x");
    auto *leave = new QPushButton(QStringLiteral("Giriş Formu"), &dialog);
    connect(leave, &QPushButton::clicked, &dialog, [&] {
        answer = QStringLiteral("3");
        dialog.accept();
    });
    struct ShowFilter : QObject
    {
        QString *answer;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Show)
                *answer = QStringLiteral("2");
            return false;
        }
    } filter;
    filter.answer = &answer;
    dialog.installEventFilter(&filter);

    ScriptedAnswerer answerer;
    answerer.push(MessageReply::acting([](QDialog *d) { d->findChild<QPushButton *>()->click(); }));
    answerer.push(MessageReply::closed());

    QCOMPARE(MessageService::execDialog(&dialog), int(QDialog::Accepted));
    QCOMPARE(answer, QStringLiteral("3"));
    QVERIFY(!dialog.isVisible());

    QCOMPARE(MessageService::execDialog(&dialog), int(QDialog::Rejected));
    QCOMPARE(answer, QStringLiteral("2"));
    QVERIFY(!dialog.isVisible());

    QCOMPARE(answerer.asked().size(), 2);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Dialog);
    QCOMPARE(answerer.asked().first().caption, QStringLiteral("Selvora"));
}

void tst_MessageService::realBoxSpeaksTurkish_data()
{
    QTest::addColumn<Call>("call");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<QString>("press");
    QTest::addColumn<MessageButton>("expected");
    QTest::addColumn<QString>("title");

    QTest::newRow("confirmation, Hayır pressed")
        << Call::Confirm << QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")} << QStringLiteral("Hayır")
        << MessageButton::No << QStringLiteral("Onay");
    QTest::newRow("three-way, İptal pressed")
        << Call::YesNoCancel << QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır"), QStringLiteral("İptal")}
        << QStringLiteral("İptal") << MessageButton::Cancel << QStringLiteral("Onay");
    QTest::newRow("system box, Evet pressed")
        << Call::SystemBox << QStringList{QStringLiteral("Evet"), QStringLiteral("Hayır")} << QStringLiteral("Evet")
        << MessageButton::Yes << QStringLiteral("UYARI");
    QTest::newRow("error, Tamam pressed") << Call::Error << QStringList{QStringLiteral("Tamam")}
                                          << QStringLiteral("Tamam") << MessageButton::Ok << QStringLiteral("Hata");
}

void tst_MessageService::realBoxSpeaksTurkish()
{
    QFETCH(Call, call);
    QFETCH(QStringList, buttons);
    QFETCH(QString, press);
    QFETCH(MessageButton, expected);
    QFETCH(QString, title);

    QStringList seenButtons;
    QString seenTitle;
    QString seenText;
    bool found = false;
    QTimer::singleShot(0, this, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        found = true;
        seenTitle = box->windowTitle();
        seenText = box->text();
        QAbstractButton *target = nullptr;
        for (QAbstractButton *b : box->buttons()) {
            seenButtons << b->text();
            if (b->text() == press)
                target = b;
        }
        if (target)
            target->click();
        else
            box->reject();
    });

    QWidget owner;
    owner.show();
    const MessageButton answer = ask(call, QStringLiteral("\r\nAKTİF TÜR SİLİNECEK."), &owner);

    QVERIFY2(found, "no modal message box was shown");
    QCOMPARE(seenTitle, title);
    QCOMPARE(seenText, QStringLiteral("\nAKTİF TÜR SİLİNECEK."));
    seenButtons.sort();
    buttons.sort();
    QCOMPARE(seenButtons, buttons);
    QCOMPARE(answer, expected);
}

QTEST_MAIN(tst_MessageService)
#include "tst_messageservice.moc"
