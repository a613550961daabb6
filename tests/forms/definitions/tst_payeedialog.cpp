#include "definitionsfixture.h"

#include "forms/definitions/editablegrid.h"
#include "forms/definitions/editablemodel.h"
#include "forms/definitions/payeedialog.h"
#include "widgets/scriptedanswerer.h"
#include "widgets/tableadapter.h"

#include <QPushButton>
#include <QTest>

using data::TableId;
using engine::Table;
using forms::PayeeDialog;
using widgets::MessageButton;
using widgets::MessageIcon;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

const QStringList kName = {QStringLiteral("CEKI_ALAN_KISI")};
const QString kKeyViolation = QStringLiteral(
    "Kayıt işlemi durduruldu.\n\nGirmeye çalıştığınız tür tanımlı.\nBazı değerleri değiştirip yeniden deneyin.");

// F2, the name typed into the new row, F5.
void addPayee(PayeeDialog &dialog, const QString &name)
{
    QTest::keyClick(&dialog, Qt::Key_F2);
    Table &table = dialog.grid()->editableModel().adapter().table();
    QLineEdit *editor = typeIntoCell(dialog.grid(), int(table.rowCount()), 0, name);
    QTest::keyClick(editor ? static_cast<QWidget *>(editor) : &dialog, Qt::Key_F5);
}

} // namespace

class tst_PayeeDialog : public QObject
{
    Q_OBJECT

private slots:
    void addsPayee();
    void keyComparesExactly_data();
    void keyComparesExactly();
    void leavingDuplicateRowKeepsIt();
    void failedPostKeepsRow();
    void changesPayee();
    void deletesAfterConfirmation_data();
    void deletesAfterConfirmation();
    void warnsWhenNothingToDelete();
    void refusesBlankName();
    void untouchedNewRowIsNotStored();
    void closingDropsPendingRow();
    void editorStopsAtFieldSize();
    void showsTitles();
};

void tst_PayeeDialog::addsPayee()
{
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    PayeeDialog dialog(payees);
    dialog.show();

    addPayee(dialog, QStringLiteral("ALİ VELİ"));

    QCOMPARE(payees.state(), Table::State::Browse);
    QCOMPARE(folder.readBack(TableId::Payees, kName), QStringList({"ALİ VELİ"}));
    QCOMPARE(currentText(payees, "CEKI_ALAN_KISI"), QStringLiteral("ALİ VELİ"));
}

void tst_PayeeDialog::keyComparesExactly_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QStringList>("stored"); // in the key's (Turkish) order
    QTest::addColumn<bool>("refused");
    QTest::newRow("Turkish upper and lower case are two payees")
        << QStringLiteral("ŞAHİN") << QStringLiteral("şahin") << QStringList({"şahin", "ŞAHİN"}) << false;
    QTest::newRow("dotted and dotless I are two payees")
        << QStringLiteral("IŞIK") << QStringLiteral("İŞİK") << QStringList({"IŞIK", "İŞİK"}) << false;
    QTest::newRow("the same name is refused")
        << QStringLiteral("ŞAHİN") << QStringLiteral("ŞAHİN") << QStringList({"ŞAHİN"}) << true;
}

void tst_PayeeDialog::keyComparesExactly()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QStringList, stored);
    QFETCH(bool, refused);
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    PayeeDialog dialog(payees);
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    addPayee(dialog, first);
    addPayee(dialog, second);

    QCOMPARE(folder.readBack(TableId::Payees, kName), stored);
    if (!refused) {
        QCOMPARE(answerer.asked().size(), 0);
        return;
    }
    QCOMPARE(answerer.asked().size(), 1);
    const widgets::MessageRequest &box = answerer.asked().first();
    QCOMPARE(box.kind, MessageKind::System);
    QCOMPARE(box.caption, QStringLiteral("KAYIT HATASI"));
    QCOMPARE(box.icon, MessageIcon::Error);
    QCOMPARE(box.text, kKeyViolation);
    QCOMPARE(box.buttons, QList<MessageButton>({MessageButton::Ok}));
    // The row stays with the typed name for correction...
    QCOMPARE(payees.state(), Table::State::Insert);
    QCOMPARE(currentText(payees, "CEKI_ALAN_KISI"), second);
    // ...or for "İptal", which drops it.
    dialog.findChild<QPushButton *>(QStringLiteral("RzButton4"))->click();
    QCOMPARE(payees.state(), Table::State::Browse);
    QCOMPARE(payees.rowCount(), 1);
    QCOMPARE(folder.readBack(TableId::Payees, kName), stored);
}

void tst_PayeeDialog::leavingDuplicateRowKeepsIt()
{
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    folder.seed(TableId::Payees, kName, {{"AHMET"}, {"MEHMET"}});
    PayeeDialog dialog(payees);
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    QTest::keyClick(&dialog, Qt::Key_F2);
    QLineEdit *editor = typeIntoCell(dialog.grid(), 2, 0, QStringLiteral("MEHMET"));
    pressEnter(editor);
    // Clicking another row stores the row being left: refused here.
    dialog.grid()->setCurrentIndex(dialog.grid()->model()->index(0, 0));
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().caption, QStringLiteral("KAYIT HATASI"));
    QCOMPARE(payees.state(), Table::State::Insert);
    QTRY_COMPARE(dialog.grid()->currentIndex().row(), 2); // back on the refused row

    // Corrected, the row is stored when the grid leaves it.
    editor = typeIntoCell(dialog.grid(), 2, 0, QStringLiteral("MEHMET ALİ"));
    pressEnter(editor);
    dialog.grid()->setCurrentIndex(dialog.grid()->model()->index(0, 0));
    QCOMPARE(payees.state(), Table::State::Browse);
    QCOMPARE(folder.readBack(TableId::Payees, kName), QStringList({"AHMET", "MEHMET", "MEHMET ALİ"}));
    QCOMPARE(currentText(payees, "CEKI_ALAN_KISI"), QStringLiteral("AHMET"));
}

void tst_PayeeDialog::failedPostKeepsRow()
{
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    PayeeDialog dialog(payees);
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    {
        FileWriteLock lock(folder.store->folder() / "firmadan_ceki_alan.db");
        QVERIFY(lock.isLocked());
        addPayee(dialog, QStringLiteral("ALİ"));
    }
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Failure); // the engine's own message
    QCOMPARE(payees.state(), Table::State::Insert);
    QCOMPARE(currentText(payees, "CEKI_ALAN_KISI"), QStringLiteral("ALİ"));

    QTest::keyClick(&dialog, Qt::Key_F5);
    QCOMPARE(payees.state(), Table::State::Browse);
    QCOMPARE(folder.readBack(TableId::Payees, kName), QStringList({"ALİ"}));
}

void tst_PayeeDialog::changesPayee()
{
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    folder.seed(TableId::Payees, kName, {{"AHMET"}, {"MEHMET"}});
    PayeeDialog dialog(payees);
    dialog.show();

    QLineEdit *editor = typeIntoCell(dialog.grid(), 1, 0, QStringLiteral("CEMİL"));
    QTest::keyClick(editor, Qt::Key_F5);

    QCOMPARE(payees.state(), Table::State::Browse);
    QCOMPARE(folder.readBack(TableId::Payees, kName), QStringList({"AHMET", "CEMİL"}));
}

void tst_PayeeDialog::deletesAfterConfirmation_data()
{
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<bool>("fileBusy");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("yes deletes") << MessageButton::Yes << false << QStringList({"AHMET"});
    QTest::newRow("no keeps the row") << MessageButton::No << false << QStringList({"AHMET", "MEHMET"});
    QTest::newRow("yes, refused by the engine") << MessageButton::Yes << true << QStringList({"AHMET", "MEHMET"});
}

void tst_PayeeDialog::deletesAfterConfirmation()
{
    QFETCH(MessageButton, answer);
    QFETCH(bool, fileBusy);
    QFETCH(QStringList, left);
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    folder.seed(TableId::Payees, kName, {{"AHMET"}, {"MEHMET"}});
    PayeeDialog dialog(payees);
    dialog.show();
    dialog.grid()->setCurrentIndex(dialog.grid()->model()->index(1, 0));
    ScriptedAnswerer answerer({MessageReply::pressed(answer), MessageReply::pressed(MessageButton::Ok)});

    {
        std::optional<FileWriteLock> otherProgram;
        if (fileBusy)
            otherProgram.emplace(folder.store->folder() / "firmadan_ceki_alan.db");
        QTest::keyClick(&dialog, Qt::Key_F9);
    }

    QCOMPARE(answerer.asked().size(), fileBusy ? 2 : 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Confirmation);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("AKTİF TANIMLAMA SİLİNECEK.\n\nDEVAM EDİLSİN Mİ?"));
    if (fileBusy)
        QCOMPARE(answerer.asked().last().kind, MessageKind::Failure); // the engine's own message
    QCOMPARE(folder.readBack(TableId::Payees, kName), left);
    if (left.size() == 2)
        QCOMPARE(payees.position(), 1);
}

void tst_PayeeDialog::warnsWhenNothingToDelete()
{
    DataFolder folder;
    PayeeDialog dialog(folder.table(TableId::Payees));
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    QTest::keyClick(&dialog, Qt::Key_F9);

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("\nTanımlı kayıt Yok."));
}

void tst_PayeeDialog::refusesBlankName()
{
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    PayeeDialog dialog(payees);
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    addPayee(dialog, QStringLiteral("   "));

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(payees.state(), Table::State::Insert);
    QVERIFY(folder.readBack(TableId::Payees, kName).isEmpty());
}

void tst_PayeeDialog::untouchedNewRowIsNotStored()
{
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    PayeeDialog dialog(payees);
    dialog.show();
    ScriptedAnswerer answerer;

    QTest::keyClick(&dialog, Qt::Key_F2);
    QCOMPARE(payees.state(), Table::State::Insert);
    QTest::keyClick(&dialog, Qt::Key_F5); // "Kaydet" on an empty new row
    QTest::keyClick(&dialog, Qt::Key_F5); // and on an empty table

    QCOMPARE(payees.state(), Table::State::Browse);
    QCOMPARE(answerer.asked().size(), 0);
    QVERIFY(folder.readBack(TableId::Payees, kName).isEmpty());
}

void tst_PayeeDialog::closingDropsPendingRow()
{
    DataFolder folder;
    Table &payees = folder.table(TableId::Payees);
    folder.seed(TableId::Payees, kName, {{"AHMET"}});
    PayeeDialog dialog(payees);
    dialog.show();

    QTest::keyClick(&dialog, Qt::Key_F2);
    typeIntoCell(dialog.grid(), 1, 0, QStringLiteral("YARIM"));
    QTest::keyClick(&dialog, Qt::Key_F12);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(payees.state(), Table::State::Browse);
    QCOMPARE(payees.rowCount(), 1);
    QCOMPARE(folder.readBack(TableId::Payees, kName), QStringList({"AHMET"}));
}

void tst_PayeeDialog::editorStopsAtFieldSize()
{
    DataFolder folder;
    PayeeDialog dialog(folder.table(TableId::Payees));
    dialog.show();
    QTest::keyClick(&dialog, Qt::Key_F2);
    QLineEdit *editor = typeIntoCell(dialog.grid(), 0, 0, QString(45, QChar(0x015E)));
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), 40);
    QCOMPARE(editor->text().size(), 40);
}

void tst_PayeeDialog::showsTitles()
{
    DataFolder folder;
    PayeeDialog dialog(folder.table(TableId::Payees));
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Çeki Alan Şahıs / Firma Tanımları"));
    QCOMPARE(dialog.size(), QSize(292, 275));
    QCOMPARE(dialog.grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ÇEKİ ALAN KİŞİ"));
    QCOMPARE(dialog.grid()->columnWidth(0), 248);
    QStringList texts;
    for (const char *name : {"RzButton1", "RzButton2", "RzButton3", "RzButton4"})
        texts << dialog.findChild<QPushButton *>(QLatin1String(name))->text();
    QCOMPARE(texts, QStringList({"Yeni - F2", "Kaydet - F5", "Sil - F9", "İptal"}));
    QCOMPARE(dialog.findChild<QPushButton *>(QStringLiteral("RzButton4"))->toolTip(),
             QStringLiteral("Kayıtta yapılan değişikliği iptal eder\nKayıt yeni giriliyorsa kaydı iptal eder"));
}

QTEST_MAIN(tst_PayeeDialog)
#include "tst_payeedialog.moc"
