#include "definitionsfixture.h"

#include "forms/definitions/customerbankdialog.h"
#include "forms/definitions/editablegrid.h"
#include "widgets/scriptedanswerer.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>

using data::TableId;
using engine::Table;
using forms::CustomerBankDialog;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

const QStringList kFields = {QStringLiteral("ADI_SOYADI"), QStringLiteral("BANKA_ADI"), QStringLiteral("SUBESI"),
                             QStringLiteral("HESAP_NO")};

// F2, then the four cells typed one after the other, Enter moving on, then F5.
void addCustomer(CustomerBankDialog &dialog, Table &table, const QStringList &values)
{
    QTest::keyClick(&dialog, Qt::Key_F2);
    const int row = int(table.rowCount());
    for (int column = 0; column < values.size(); ++column) {
        QCOMPARE(dialog.grid()->currentIndex(), dialog.grid()->model()->index(row, column));
        QLineEdit *editor = typeIntoCell(dialog.grid(), row, column, values[column]);
        QVERIFY(editor);
        pressEnter(editor);
    }
    QTest::keyClick(&dialog, Qt::Key_F5);
}

} // namespace

class tst_CustomerBankDialog : public QObject
{
    Q_OBJECT

private slots:
    void addsCustomer();
    void keepsTwoRowsWithOneName();
    void changesCustomer();
    void deletesAfterYes_data();
    void deletesAfterYes();
    void warnsWhenNothingToDelete();
    void cancelDropsChange_data();
    void cancelDropsChange();
    void closingLeavesNoTrace();
    void showsColumns();
};

void tst_CustomerBankDialog::addsCustomer()
{
    DataFolder folder;
    Table &customers = folder.table(TableId::CustomerBanks);
    CustomerBankDialog dialog(customers);
    dialog.show();

    addCustomer(dialog, customers, {"AYŞE ÇELİK", "İŞ BANKASI", "ÜSKÜDAR", "12345"});

    QCOMPARE(customers.state(), Table::State::Browse);
    QCOMPARE(folder.readBack(TableId::CustomerBanks, kFields), QStringList({"AYŞE ÇELİK|İŞ BANKASI|ÜSKÜDAR|12345"}));
}

void tst_CustomerBankDialog::keepsTwoRowsWithOneName()
{
    DataFolder folder;
    Table &customers = folder.table(TableId::CustomerBanks);
    CustomerBankDialog dialog(customers);
    dialog.show();
    ScriptedAnswerer answerer;

    addCustomer(dialog, customers, {"ALİ", "A", "B", "1"});
    addCustomer(dialog, customers, {"ALİ", "C", "D", "2"});

    QCOMPARE(answerer.asked().size(), 0);
    QCOMPARE(folder.readBack(TableId::CustomerBanks, kFields), QStringList({"ALİ|A|B|1", "ALİ|C|D|2"}));
}

void tst_CustomerBankDialog::changesCustomer()
{
    DataFolder folder;
    Table &customers = folder.table(TableId::CustomerBanks);
    folder.seed(TableId::CustomerBanks, kFields, {{"ALİ", "A", "B", "1"}, {"VELİ", "C", "D", "2"}});
    CustomerBankDialog dialog(customers);
    dialog.show();

    QLineEdit *editor = typeIntoCell(dialog.grid(), 1, 2, QStringLiteral("KARŞIYAKA"));
    QTest::keyClick(editor, Qt::Key_F5);

    QCOMPARE(customers.state(), Table::State::Browse);
    QCOMPARE(folder.readBack(TableId::CustomerBanks, kFields), QStringList({"ALİ|A|B|1", "VELİ|C|KARŞIYAKA|2"}));
}

void tst_CustomerBankDialog::deletesAfterYes_data()
{
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("yes deletes") << MessageButton::Yes << QStringList({"VELİ|C|D|2"});
    QTest::newRow("no keeps the row") << MessageButton::No << QStringList({"ALİ|A|B|1", "VELİ|C|D|2"});
}

void tst_CustomerBankDialog::deletesAfterYes()
{
    QFETCH(MessageButton, answer);
    QFETCH(QStringList, left);
    DataFolder folder;
    Table &customers = folder.table(TableId::CustomerBanks);
    folder.seed(TableId::CustomerBanks, kFields, {{"ALİ", "A", "B", "1"}, {"VELİ", "C", "D", "2"}});
    CustomerBankDialog dialog(customers);
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(answer)});

    QTest::keyClick(&dialog, Qt::Key_F9);

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text,
             QStringLiteral("\nAktif tanımlama kaydı silinecek.\n\nSilme işlemine devam edilsin mi?"));
    QCOMPARE(answerer.asked().first().buttons, QList<MessageButton>({MessageButton::Yes, MessageButton::No}));
    QCOMPARE(folder.readBack(TableId::CustomerBanks, kFields), left);
}

void tst_CustomerBankDialog::warnsWhenNothingToDelete()
{
    DataFolder folder;
    CustomerBankDialog dialog(folder.table(TableId::CustomerBanks));
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    QTest::keyClick(&dialog, Qt::Key_F9);

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("\nTanımlı hiçbir kayıt yok."));
}

void tst_CustomerBankDialog::cancelDropsChange_data()
{
    QTest::addColumn<bool>("byEscape");
    QTest::newRow("İPTAL button") << false;
    QTest::newRow("Escape in the grid") << true;
}

void tst_CustomerBankDialog::cancelDropsChange()
{
    QFETCH(bool, byEscape);
    DataFolder folder;
    Table &customers = folder.table(TableId::CustomerBanks);
    folder.seed(TableId::CustomerBanks, kFields, {{"ALİ", "A", "B", "1"}});
    CustomerBankDialog dialog(customers);
    dialog.show();

    QLineEdit *editor = typeIntoCell(dialog.grid(), 0, 0, QStringLiteral("DEĞİŞTİ"));
    pressEnter(editor);
    QCOMPARE(customers.state(), Table::State::Edit);
    if (byEscape)
        QTest::keyClick(dialog.grid(), Qt::Key_Escape);
    else
        dialog.findChild<QPushButton *>(QStringLiteral("RzButton4X"))->click();
    QVERIFY(dialog.isVisible());

    QCOMPARE(customers.state(), Table::State::Browse);
    QCOMPARE(currentText(customers, "ADI_SOYADI"), QStringLiteral("ALİ"));
    QCOMPARE(folder.readBack(TableId::CustomerBanks, kFields), QStringList({"ALİ|A|B|1"}));
}

void tst_CustomerBankDialog::closingLeavesNoTrace()
{
    DataFolder folder;
    Table &customers = folder.table(TableId::CustomerBanks);
    CustomerBankDialog dialog(customers);
    dialog.show();

    QTest::keyClick(&dialog, Qt::Key_F2);
    QLineEdit *editor = typeIntoCell(dialog.grid(), 0, 0, QStringLiteral("YARIM"));
    pressEnter(editor);
    typeIntoCell(dialog.grid(), 0, 1, QStringLiteral("BANK")); // still open when F12 comes
    QTest::keyClick(&dialog, Qt::Key_F12);

    QVERIFY(!dialog.isVisible());
    QCOMPARE(customers.state(), Table::State::Browse);
    QCOMPARE(customers.rowCount(), 0);
    QVERIFY(folder.readBack(TableId::CustomerBanks, kFields).isEmpty());
}

void tst_CustomerBankDialog::showsColumns()
{
    DataFolder folder;
    CustomerBankDialog dialog(folder.table(TableId::CustomerBanks));
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Şahis/Firma Banka Bilgi Tanımı"));
    QStringList titles;
    for (int i = 0; i < dialog.grid()->model()->columnCount(); ++i)
        titles << dialog.grid()->model()->headerData(i, Qt::Horizontal).toString();
    QCOMPARE(titles, QStringList({"ADI SOYADI", "BANKA ADI", "ŞUBESİ", "HESAP NUMARASI"}));
    QStringList buttons;
    for (const char *name : {"RzButton1", "RzButton2", "RzButton3", "RzButton4X", "RzButton4"}) {
        auto *button = dialog.findChild<QPushButton *>(QLatin1String(name));
        buttons << button->text();
        QVERIFY(!(button->focusPolicy() & Qt::TabFocus));
    }
    QCOMPARE(buttons, QStringList({"YENİ - F2", "KAYDET - F5", "SİL - F9", "İPTAL", "ÇIKIŞ - F12"}));
    // Cells take no more than their fields: HESAP_NO is 30 characters.
    QTest::keyClick(&dialog, Qt::Key_F2);
    QLineEdit *editor = openCellEditor(dialog.grid(), 0, 3);
    QVERIFY(editor);
    QCOMPARE(editor->maxLength(), 30);
}

QTEST_MAIN(tst_CustomerBankDialog)
#include "tst_customerbankdialog.moc"
