#include "widgets/colouredbutton.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace widgets;

Q_DECLARE_METATYPE(widgets::ColouredButton::HorizontalAlignment)
Q_DECLARE_METATYPE(widgets::ColouredButton::VerticalAlignment)

class tst_ColouredButton : public QObject
{
    Q_OBJECT

private slots:
    void hasItsDefaults();
    void paintsFrameAndFace_data();
    void paintsFrameAndFace();
    void coversTheButtonLessTheFrame();
    void showsAnEdgeOnlyWhilePressed();
    void alignsTheText_data();
    void alignsTheText();
    void turkishPropertyNames();
    void clicksOnce();
    void ignoresClicksWhileDisabled();
    void triggersTheActionFirst();
};

void tst_ColouredButton::hasItsDefaults()
{
    ColouredButton button;
    QCOMPARE(button.size(), QSize(83, 27));
    QCOMPARE(button.frameColour(), QColor(0, 0, 255));
    QCOMPARE(button.faceColour(), QColor(223, 215, 196));
    QVERIFY(button.text().isEmpty());
    QCOMPARE(button.horizontalAlignment(), ColouredButton::HorizontalAlignment::Centre);
    QCOMPARE(button.verticalAlignment(), ColouredButton::VerticalAlignment::Centre);
    QCOMPARE(button.face()->alignment(), Qt::AlignCenter);
    QVERIFY(button.font().bold());
    QCOMPARE(button.face()->geometry(), QRect(1, 1, 81, 25));
    QCOMPARE(button.overlay()->geometry(), QRect(1, 1, 81, 25));
    // Not a tab stop and never focused by a click.
    QCOMPARE(button.focusPolicy(), Qt::NoFocus);
    QCOMPARE(button.overlay()->focusPolicy(), Qt::NoFocus);
    QCOMPARE(button.face()->focusPolicy(), Qt::NoFocus);
}

void tst_ColouredButton::paintsFrameAndFace_data()
{
    QTest::addColumn<QColor>("frame");
    QTest::addColumn<QColor>("face");

    QTest::newRow("defaults") << QColor(0, 0, 255) << QColor(223, 215, 196);
    QTest::newRow("entry dialog face on blue") << QColor(0, 0, 255) << QColor(234, 231, 213);
    QTest::newRow("red frame, white face") << QColor(255, 0, 0) << QColor(255, 255, 255);
}

void tst_ColouredButton::paintsFrameAndFace()
{
    QFETCH(QColor, frame);
    QFETCH(QColor, face);

    ColouredButton button(QStringLiteral("KAYDET - F5"));
    button.setFrameColour(frame);
    button.setFaceColour(face);
    const QImage image = button.grab().toImage();
    for (const QPoint p : {QPoint(0, 0), QPoint(82, 26), QPoint(41, 0), QPoint(0, 13)})
        QCOMPARE(image.pixelColor(p), frame);
    for (const QPoint p : {QPoint(1, 1), QPoint(81, 25), QPoint(81, 1), QPoint(1, 25)})
        QCOMPARE(image.pixelColor(p), face);
}

void tst_ColouredButton::coversTheButtonLessTheFrame()
{
    ColouredButton button;
    button.resize(129, 25);
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QCOMPARE(button.face()->geometry(), QRect(1, 1, 127, 23));
    QCOMPARE(button.overlay()->geometry(), QRect(1, 1, 127, 23));
}

void tst_ColouredButton::showsAnEdgeOnlyWhilePressed()
{
    ColouredButton button;
    const QColor face = button.faceColour();
    QCOMPARE(button.grab().toImage().pixelColor(1, 1), face);

    button.overlay()->setDown(true);
    const QImage pressed = button.grab().toImage();
    QVERIFY2(pressed.pixelColor(1, 1) != face, "a pressed button shows a sunken edge");
    QCOMPARE(pressed.pixelColor(40, 3), face);

    button.overlay()->setDown(false);
    QCOMPARE(button.grab().toImage().pixelColor(1, 1), face);
}

void tst_ColouredButton::alignsTheText_data()
{
    QTest::addColumn<ColouredButton::HorizontalAlignment>("horizontal");
    QTest::addColumn<ColouredButton::VerticalAlignment>("vertical");
    QTest::addColumn<Qt::Alignment>("alignment");

    using H = ColouredButton::HorizontalAlignment;
    using V = ColouredButton::VerticalAlignment;
    QTest::newRow("left, top") << H::Left << V::Top << (Qt::AlignLeft | Qt::AlignTop);
    QTest::newRow("right, bottom") << H::Right << V::Bottom << (Qt::AlignRight | Qt::AlignBottom);
    QTest::newRow("centred both ways") << H::Centre << V::Centre << Qt::Alignment(Qt::AlignCenter);
    QTest::newRow("left, centre") << H::Left << V::Centre << (Qt::AlignLeft | Qt::AlignVCenter);
}

void tst_ColouredButton::alignsTheText()
{
    QFETCH(ColouredButton::HorizontalAlignment, horizontal);
    QFETCH(ColouredButton::VerticalAlignment, vertical);
    QFETCH(Qt::Alignment, alignment);

    ColouredButton button;
    button.setHorizontalAlignment(horizontal);
    button.setVerticalAlignment(vertical);
    QCOMPARE(button.face()->alignment(), alignment);

    // Setting the horizontal alignment re-applies it even when it is the same.
    button.face()->setAlignment(Qt::AlignJustify);
    button.setHorizontalAlignment(horizontal);
    QCOMPARE(button.face()->alignment(), alignment);
}

void tst_ColouredButton::turkishPropertyNames()
{
    ColouredButton button;
    QVERIFY(button.setProperty("ButtonText", QStringLiteral("İPTAL - F9")));
    QVERIFY(button.setProperty("ZeminRengi", QColor(234, 231, 213)));
    QVERIFY(button.setProperty("CerceveRengi", QColor(Qt::red)));
    QVERIFY(button.setProperty("YatayHizalama", QVariant::fromValue(ColouredButton::HorizontalAlignment::Left)));
    QCOMPARE(button.text(), QStringLiteral("İPTAL - F9"));
    QCOMPARE(button.face()->text(), QStringLiteral("İPTAL - F9"));
    QCOMPARE(button.faceColour(), QColor(234, 231, 213));
    QCOMPARE(button.frameColour(), QColor(Qt::red));
    QCOMPARE(button.horizontalAlignment(), ColouredButton::HorizontalAlignment::Left);
    QCOMPARE(button.property("DikeyHizalama").value<ColouredButton::VerticalAlignment>(),
             ColouredButton::VerticalAlignment::Centre);
}

void tst_ColouredButton::clicksOnce()
{
    ColouredButton button(QStringLiteral("ÇIKIŞ - F12"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QObject *sender = nullptr;
    int calls = 0;
    QObject receiver;
    connect(&button, &ColouredButton::clicked, &receiver, [&] {
        ++calls;
        sender = QObject::sender();
    });
    QTest::mouseClick(button.overlay(), Qt::LeftButton, {}, QPoint(40, 12));
    QCOMPARE(calls, 1);
    QVERIFY(sender == nullptr || sender == &button);
    button.click();
    QCOMPARE(calls, 2);
}

void tst_ColouredButton::ignoresClicksWhileDisabled()
{
    ColouredButton button(QStringLiteral("KAYDET - F5"));
    button.show();
    QVERIFY(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicked(&button, &ColouredButton::clicked);

    button.setEnabled(false);
    QVERIFY(!button.overlay()->isEnabled());
    QVERIFY(!button.face()->isEnabled());
    QTest::mouseClick(button.overlay(), Qt::LeftButton, {}, QPoint(40, 12));
    button.click();
    QCOMPARE(clicked.count(), 0);

    button.setEnabled(true);
    QTest::mouseClick(button.overlay(), Qt::LeftButton, {}, QPoint(40, 12));
    QCOMPARE(clicked.count(), 1);
}

void tst_ColouredButton::triggersTheActionFirst()
{
    ColouredButton button;
    QAction action;
    QStringList order;
    connect(&action, &QAction::triggered, this, [&] { order << QStringLiteral("action"); });
    connect(&button, &ColouredButton::clicked, this, [&] { order << QStringLiteral("clicked"); });
    button.setAction(&action);
    button.click();
    QCOMPARE(order, (QStringList{QStringLiteral("action"), QStringLiteral("clicked")}));
}

QTEST_MAIN(tst_ColouredButton)
#include "tst_colouredbutton.moc"
