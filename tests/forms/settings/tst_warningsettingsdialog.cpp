#include "forms/settings/warningsettingsdialog.h"
#include "settings/inifile.h"
#include "settings/warningsettings.h"
#include "widgets/colouredbutton.h"
#include "widgets/scriptedanswerer.h"

#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

using forms::WarningSettingsDialog;
using settings::ColourCode;
using settings::WarningSettings;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(data);
}

QString keyIn(const QString &path, const QString &key)
{
    settings::IniFile ini(path);
    ini.load();
    return ini.value(QStringLiteral("CEK_AYARLARI"), key).value_or(QStringLiteral("<yok>"));
}

QColor swatchColour(const QFrame *swatch)
{
    return swatch->palette().color(QPalette::Window);
}

WarningSettings stored()
{
    WarningSettings s;
    s.colouring = false;
    s.dueTextColour = ColourCode::fromBgr(0x000000FF); // clRed
    s.secondColour = ColourCode::fromBgr(0x00123456);
    s.warningDays = 5;
    return s;
}

const QByteArray kStoredFile = "; program ayarları\r\n[GENEL]\r\nDIL=TR\r\n\r\n[CEK_AYARLARI]\r\nRENK_DURUMU=0\r\n"
                               "VADEDOL=clRed\r\nSECILEN=$00123456\r\nGUN=5\r\n";

} // namespace

class tst_WarningSettingsDialog : public QObject
{
    Q_OBJECT

private slots:
    void hasItsLayout();
    void showsDefaultsAndCancelWritesNothing();
    void closing_data();
    void closing();
    void colourText_data();
    void colourText();
    void dayText_data();
    void dayText();
    void failedSaveKeepsTheDialogOpen();
    void helpButtonShowsTheHelpText();
};

void tst_WarningSettingsDialog::hasItsLayout()
{
    WarningSettingsDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Genel Çek Ayarları"));
    QCOMPARE(dialog.size(), QSize(291, 269));
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(217, 214, 197));
    QCOMPARE(dialog.colouringBox()->text(), QStringLiteral("Vadesi dolan çekleri renklendir"));
    QVERIFY(dialog.colouringBox()->font().bold());
    QCOMPARE(dialog.colouringBox()->palette().color(QPalette::WindowText), QColor(0, 64, 128));
    QCOMPARE(dialog.dueTextSwatch()->size(), QSize(25, 17));
    QCOMPARE(dialog.secondSwatch()->size(), QSize(25, 17));
    QStringList labels;
    for (const QLabel *label : dialog.findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
        labels << label->text();
    QVERIFY(labels.contains(QStringLiteral("Vadesi Dolan Çeklerin Yazı Rengi")));
    QVERIFY(labels.contains(QStringLiteral("Seçili Durumda Yazı Rengi")));
    QVERIFY(labels.contains(QStringLiteral("Erken Uyarı Gün Sayısı")));
    QCOMPARE(dialog.daysBox()->width(), 65);
    QCOMPARE(dialog.daysBox()->minimum(), 0);
    QCOMPARE(dialog.daysBox()->maximum(), 99);
    QCOMPARE(dialog.daysBox()->palette().color(QPalette::Base), QColor(234, 231, 213));
    QCOMPARE(dialog.helpButton()->text(), QStringLiteral("?"));
    QCOMPARE(dialog.helpButton()->font().family(), QStringLiteral("Arial Black"));
    QCOMPARE(dialog.helpButton()->toolTip(), QStringLiteral("Erken Uyarı Gün Sayısı Yardımı..."));
    QCOMPARE(dialog.saveButton()->text(), QStringLiteral("YARLARI KAYDET"));
    QCOMPARE(dialog.saveButton()->width(), 129);
    QCOMPARE(dialog.cancelButton()->text(), QStringLiteral("VAZGEÇ"));
    QCOMPARE(dialog.cancelButton()->width(), 73);
    for (const widgets::ColouredButton *button : {dialog.saveButton(), dialog.cancelButton()}) {
        QCOMPARE(button->faceColour(), QColor(234, 231, 213));
        QCOMPARE(button->frameColour(), QColor(0, 0, 255));
        QVERIFY(button->font().bold());
    }
    QCOMPARE(dialog.noteLabel()->text(),
             QStringLiteral("*** Not: Vadesi dolan çeklerin renklendirilmesi işlemi performansı etkiliyebilir. "
                            "Tabi bu çok çek kaydı varsa geçerlidir."));
    QVERIFY(dialog.noteLabel()->wordWrap());
    QCOMPARE(dialog.noteLabel()->font().family(), QStringLiteral("Arial"));
    QCOMPARE(dialog.noteLabel()->palette().color(QPalette::WindowText), QColor(128, 0, 64));
    for (const QWidget *child : dialog.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(dialog.rect().contains(child->geometry()), qPrintable(child->objectName() + " sticks out"));
}

void tst_WarningSettingsDialog::showsDefaultsAndCancelWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    // What the settings loader hands over when there is no file.
    const auto loaded = WarningSettings::load(path, QDate(2026, 12, 10));
    WarningSettingsDialog dialog;
    dialog.setSettingsFile(path);
    dialog.setSettings(loaded.settings);
    dialog.show();
    QVERIFY(dialog.colouringBox()->isChecked());
    QCOMPARE(swatchColour(dialog.dueTextSwatch()), QColor(0, 0, 255));
    QCOMPARE(swatchColour(dialog.secondSwatch()), QColor(255, 255, 0));
    QCOMPARE(dialog.daysBox()->value(), 0);
    dialog.cancelButton()->click();
    QVERIFY(!dialog.isVisible());
    QVERIFY(!QFile::exists(path));
}

// Every way of closing the dialog after changing all four controls.
void tst_WarningSettingsDialog::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("saves");
    QTest::newRow("YARLARI KAYDET writes and closes") << "save" << true;
    QTest::newRow("VAZGEÇ leaves the file as it was") << "cancel" << false;
    QTest::newRow("F12 leaves the file as it was") << "f12" << false;
    QTest::newRow("close box leaves the file as it was") << "closebox" << false;
}

void tst_WarningSettingsDialog::closing()
{
    QFETCH(QString, how);
    QFETCH(bool, saves);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    writeAll(path, kStoredFile);

    WarningSettingsDialog dialog;
    dialog.setSettingsFile(path);
    dialog.setSettings(WarningSettings::load(path, QDate(2026, 12, 10)).settings);
    QCOMPARE(dialog.settings().warningDays, quint8(5));
    QVERIFY(!dialog.colouringBox()->isChecked());
    QSignalSpy saved(&dialog, &WarningSettingsDialog::saved);
    dialog.setColourPicker([](const QColor &, QWidget *) { return QColor(255, 128, 0); });
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    dialog.colouringBox()->setChecked(true);
    dialog.pickDueTextColour();
    QTest::mouseClick(dialog.secondSwatch(), Qt::LeftButton);
    QCOMPARE(swatchColour(dialog.secondSwatch()), QColor(255, 128, 0));
    dialog.daysBox()->setFocus();
    dialog.daysBox()->setValue(12);

    if (how == u"save")
        dialog.saveButton()->click();
    else if (how == u"cancel")
        dialog.cancelButton()->click();
    else if (how == u"f12")
        QTest::keyClick(dialog.daysBox(), Qt::Key_F12); // handled whatever control has the focus
    else
        dialog.close();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), saves ? int(QDialog::Accepted) : int(QDialog::Rejected));

    if (!saves) {
        QCOMPARE(readAll(path), kStoredFile);
        QCOMPARE(saved.count(), 0);
        QVERIFY(!dialog.savedSettings());
        // The next opening shows the stored values again.
        dialog.setSettings(WarningSettings::load(path, QDate(2026, 12, 10)).settings);
        QCOMPARE(dialog.settings().warningDays, quint8(5));
        QVERIFY(!dialog.colouringBox()->isChecked());
        return;
    }
    QCOMPARE(keyIn(path, QStringLiteral("RENK_DURUMU")), QStringLiteral("1"));
    QCOMPARE(keyIn(path, QStringLiteral("VADEDOL")), QStringLiteral("$000080FF"));
    QCOMPARE(keyIn(path, QStringLiteral("SECILEN")), QStringLiteral("$000080FF"));
    QCOMPARE(keyIn(path, QStringLiteral("GUN")), QStringLiteral("12"));
    // The rest of the file is kept as it was.
    const QByteArray written = readAll(path);
    QVERIFY2(written.startsWith("; program ayarları\r\n[GENEL]\r\nDIL=TR\r\n\r\n[CEK_AYARLARI]\r\n"), written.constData());
    QCOMPARE(saved.count(), 1);
    const auto handed = saved.first().first().value<WarningSettings>();
    QVERIFY(handed.colouring);
    QCOMPARE(handed.dueTextColour, ColourCode::fromColor(QColor(255, 128, 0)));
    QCOMPARE(handed.warningDays, quint8(12));
    QVERIFY(dialog.savedSettings());
    QCOMPARE(*dialog.savedSettings(), handed);
    // What the file holds now reads back as what was handed over.
    auto reread = WarningSettings::load(path, QDate(2026, 12, 10)).settings;
    reread.warningDate = handed.warningDate;
    QCOMPARE(reread, handed);
}

void tst_WarningSettingsDialog::colourText_data()
{
    QTest::addColumn<quint32>("start");  // 0x00BBGGRR or a system colour's code
    QTest::addColumn<QColor>("picked");  // invalid: the colour dialog was cancelled
    QTest::addColumn<QString>("written");
    QTest::newRow("red 255 green 128 blue 0 as eight hex digits") << 0x00FF0000u << QColor(255, 128, 0) << "$000080FF";
    QTest::newRow("pure blue by its name") << 0x0000FFFFu << QColor(0, 0, 255) << "clBlue";
    QTest::newRow("money green by its name") << 0x00FF0000u << QColor(0xC0, 0xDC, 0xC0) << "clMoneyGreen";
    QTest::newRow("dark grey as hex") << 0x00FF0000u << QColor(1, 2, 3) << "$00030201";
    QTest::newRow("cancel keeps the colour") << 0x00008000u << QColor() << "clGreen";
    QTest::newRow("cancel keeps a system colour's name") << 0xFF00000Fu << QColor() << "clBtnFace";
}

void tst_WarningSettingsDialog::colourText()
{
    QFETCH(quint32, start);
    QFETCH(QColor, picked);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    WarningSettings initial;
    initial.dueTextColour = *ColourCode::fromText(QStringLiteral("$%1").arg(start, 8, 16, QLatin1Char('0')));
    WarningSettingsDialog dialog;
    dialog.setSettingsFile(path);
    dialog.setSettings(initial);
    QColor offered;
    dialog.setColourPicker([&](const QColor &colour, QWidget *) {
        offered = colour;
        return picked;
    });
    dialog.show();
    QTest::mouseClick(dialog.dueTextSwatch(), Qt::LeftButton);
    // The colour dialog starts from the swatch's colour.
    QCOMPARE(offered, initial.dueTextColour.toColor(dialog.palette()));
    if (picked.isValid())
        QCOMPARE(swatchColour(dialog.dueTextSwatch()), picked);
    QVERIFY(dialog.save());
    QCOMPARE(keyIn(path, QStringLiteral("VADEDOL")), written);
    QCOMPARE(keyIn(path, QStringLiteral("SECILEN")), QStringLiteral("clYellow"));
}

void tst_WarningSettingsDialog::dayText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::newRow("cleared text is 0") << "" << "0";
    QTest::newRow("typed 7") << "7" << "7";
    QTest::newRow("beyond 99 brought into range") << "150" << "99";
    QTest::newRow("letters are 0") << "on" << "0";
}

void tst_WarningSettingsDialog::dayText()
{
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ayarlar.ini"));
    WarningSettings initial;
    initial.warningDays = 3;
    WarningSettingsDialog dialog;
    dialog.setSettingsFile(path);
    dialog.setSettings(initial);
    dialog.show();
    dialog.daysBox()->setFocus();
    // Typed straight into the field and saved without leaving it.
    dialog.daysBox()->findChild<QLineEdit *>()->setText(typed);
    dialog.saveButton()->click();
    QVERIFY(!dialog.isVisible());
    QCOMPARE(keyIn(path, QStringLiteral("GUN")), written);
    QCOMPARE(keyIn(path, QStringLiteral("RENK_DURUMU")), QStringLiteral("1"));
    QCOMPARE(keyIn(path, QStringLiteral("VADEDOL")), QStringLiteral("clBlue"));
    QCOMPARE(keyIn(path, QStringLiteral("SECILEN")), QStringLiteral("clYellow"));
    // A new file holds the keys in the order they are written.
    QCOMPARE(readAll(path), QByteArray("[CEK_AYARLARI]\r\nRENK_DURUMU=1\r\nVADEDOL=clBlue\r\nSECILEN=clYellow\r\nGUN=")
                                + written.toLatin1() + "\r\n");
}

void tst_WarningSettingsDialog::failedSaveKeepsTheDialogOpen()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("yok/Ayarlar.ini")); // folder missing: cannot be written
    WarningSettingsDialog dialog;
    dialog.setSettingsFile(path);
    dialog.setSettings(stored());
    QSignalSpy saved(&dialog, &WarningSettingsDialog::saved);
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    dialog.saveButton()->click();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Failure);
    QVERIFY2(answerer.asked().first().text.contains(QDir::toNativeSeparators(path))
                 || answerer.asked().first().text.contains(path),
             qPrintable(answerer.asked().first().text));
    QVERIFY(dialog.isVisible());
    QCOMPARE(saved.count(), 0);
    QVERIFY(!dialog.savedSettings());
    QVERIFY(!QFile::exists(path));
}

void tst_WarningSettingsDialog::helpButtonShowsTheHelpText()
{
    WarningSettingsDialog dialog;
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    dialog.helpButton()->click();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Information);
    QCOMPARE(answerer.asked().first().text,
             QStringLiteral("Eren Uyarı Gün Sayısı hakkında:\n"
                            "Bu alanın 0 (Sıfır) olması halinde  Aktif tarihte vadesi dolan çekleri \n"
                            "gösterir.\n"
                            "1 olması aktif tarihten bir gün sonraki vadesi dolacak çekleri gösterir.\n\n"
                            "Gün sayısının ayarı kullanıcıya aittir. istenildiği gibi ayarlanabilir.\n\n"
                            "Erken uyarı Gün Sayısı Alanını durumunuza göre doldurarak vadesinin \n"
                            "dolmasına x gün kalan çeklerin takibini kolaylaştırır."));
    QVERIFY(dialog.isVisible());
}

QTEST_MAIN(tst_WarningSettingsDialog)
#include "tst_warningsettingsdialog.moc"
