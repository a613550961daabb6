#include "widgets/inputbox.h"
#include "widgets/messageservice.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace widgets;

class tst_InputBox : public QObject
{
    Q_OBJECT

private slots:
    void hasItsLayout();
    void centresOnTheScreen();
    void startsWithTheDefaultSelected();
    void takesAtMost255Characters();
    void returns_data();
    void returns();
};

void tst_InputBox::hasItsLayout()
{
    InputBox box(QStringLiteral("Rakam Giriniz"), QStringLiteral("Vadesinin dolmasına kaç gün\rkalan çekleri"),
                 QStringLiteral("3"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    QCOMPARE(box.windowTitle(), QStringLiteral("Rakam Giriniz"));
    QCOMPARE(box.size(), QSize(361, 143));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QCOMPARE(box.promptLabel()->geometry(), QRect(8, 8, 275, 75));
    QVERIFY(box.promptLabel()->wordWrap());
    QCOMPARE(box.promptLabel()->text(), QStringLiteral("Vadesinin dolmasına kaç gün\nkalan çekleri"));
    QCOMPARE(box.lineEdit()->geometry(), QRect(6, 87, 341, 21));
    QCOMPARE(box.okButton()->geometry(), QRect(288, 10, 59, 25));
    QCOMPARE(box.cancelButton()->geometry(), QRect(288, 42, 59, 25));
    QCOMPARE(box.okButton()->text(), QStringLiteral("Tamam"));
    QCOMPARE(box.cancelButton()->text(), QStringLiteral("İptal"));
    QVERIFY(box.okButton()->isDefault());
    QVERIFY(!box.cancelButton()->isDefault());
    QVERIFY(box.isModal());
}

void tst_InputBox::centresOnTheScreen()
{
    InputBox box(QStringLiteral("Başlık"), QStringLiteral("?"), QString());
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QPoint centre = box.screen()->availableGeometry().center();
    const QPoint boxCentre = box.frameGeometry().center();
    QVERIFY2((centre - boxCentre).manhattanLength() <= 2,
             qPrintable(QStringLiteral("box centred at %1,%2, screen at %3,%4")
                            .arg(boxCentre.x()).arg(boxCentre.y()).arg(centre.x()).arg(centre.y())));
}

void tst_InputBox::startsWithTheDefaultSelected()
{
    InputBox box(QStringLiteral("Başlık"), QStringLiteral("?"), QStringLiteral("PORTFÖYDE"));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.lineEdit()->selectedText(), QStringLiteral("PORTFÖYDE"));
    QTest::keyClicks(box.lineEdit(), QStringLiteral("7"));
    QCOMPARE(box.text(), QStringLiteral("7"));
}

void tst_InputBox::takesAtMost255Characters()
{
    InputBox box(QStringLiteral("Başlık"), QStringLiteral("?"), QString(300, u'a'));
    QCOMPARE(box.lineEdit()->maxLength(), 255);
    QCOMPARE(box.text(), QString(255, u'a'));
    box.lineEdit()->clear();
    QTest::keyClicks(box.lineEdit(), QString(260, u'x'));
    QCOMPARE(box.text(), QString(255, u'x'));
}

void tst_InputBox::returns_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("Tamam returns the typed text") << QStringLiteral("tamam") << QStringLiteral("-2") << true;
    QTest::newRow("Enter presses Tamam") << QStringLiteral("enter") << QStringLiteral("-2") << true;
    QTest::newRow("İptal returns the default") << QStringLiteral("iptal") << QStringLiteral("3") << false;
    QTest::newRow("Escape returns the default") << QStringLiteral("escape") << QStringLiteral("3") << false;
    QTest::newRow("close box returns the default") << QStringLiteral("close") << QStringLiteral("3") << false;
}

void tst_InputBox::returns()
{
    QFETCH(QString, how);
    QFETCH(QString, returned);
    QFETCH(bool, accepted);

    // Twice: once as the plain input box, once in its question form.
    for (int round = 0; round < 2; ++round) {
        bool found = false;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<InputBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            found = true;
            QTest::keyClicks(box->lineEdit(), QStringLiteral("-2"));
            if (how == QLatin1String("tamam"))
                box->okButton()->click();
            else if (how == QLatin1String("enter"))
                QTest::keyClick(box->lineEdit(), Qt::Key_Return);
            else if (how == QLatin1String("iptal"))
                box->cancelButton()->click();
            else if (how == QLatin1String("escape"))
                QTest::keyClick(box->lineEdit(), Qt::Key_Escape);
            else
                box->close();
            if (box->isVisible())
                box->reject(); // keeps a failing row from hanging the test
        });

        if (round == 0) {
            const QString text = MessageService::inputBox(QStringLiteral("Rakam Giriniz"),
                                                          QStringLiteral("Kaç gün?"), QStringLiteral("3"));
            QVERIFY2(found, "no input box was shown");
            QCOMPARE(text, returned);
        } else {
            QString value = QStringLiteral("3");
            QCOMPARE(MessageService::inputQuery(QStringLiteral("Rakam Giriniz"), QStringLiteral("Kaç gün?"), value),
                     accepted);
            QVERIFY2(found, "no input box was shown");
            QCOMPARE(value, returned);
        }
    }
}

QTEST_MAIN(tst_InputBox)
#include "tst_inputbox.moc"
