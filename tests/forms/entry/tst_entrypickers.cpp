#include "entryfixture.h"

#include "forms/entry/chequequestion.h"
#include "forms/entry/customerbankpicker.h"
#include "forms/entry/statuspicker.h"
#include "forms/sharedstate.h"
#include "widgets/scriptedanswerer.h"

#include <QPushButton>
#include <QTableView>

using data::TableId;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

class tst_EntryPickers : public QObject
{
    Q_OBJECT

private slots:
    void question_data();
    void question();
    void statusPicker_data();
    void statusPicker();
    void bankPicker_data();
    void bankPicker();
};

void tst_EntryPickers::question_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("answer");
    QTest::newRow("F1 new cheque") << int(Qt::Key_F1) << "1";
    QTest::newRow("F2 stay") << int(Qt::Key_F2) << "2";
    QTest::newRow("F3 leave") << int(Qt::Key_F3) << "3";
    QTest::newRow("close box means stay") << 0 << "2";
    QTest::newRow("Escape means stay") << int(Qt::Key_Escape) << "2";
}

void tst_EntryPickers::question()
{
    QFETCH(int, key);
    QFETCH(QString, answer);
    forms::shared().cekSorusuCevap = QStringLiteral("3");
    ScriptedAnswerer answerer({MessageReply::acting([key](QDialog *dialog) {
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Selvora"));
        QCOMPARE(forms::shared().cekSorusuCevap, QStringLiteral("2"));
        if (key)
            QTest::keyClick(dialog, Qt::Key(key));
        else
            dialog->close();
    })});
    QCOMPARE(forms::ChequeQuestion::ask(nullptr), answer);
    QCOMPARE(answerer.unexpected(), 0);
}

void tst_EntryPickers::statusPicker_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<int>("startRow");
    QTest::addColumn<int>("pickRow");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("picked");
    QTest::newRow("company: TAMAM on the third") << "F" << 0 << 2 << "ok" << true;
    QTest::newRow("customer: double click chooses") << "M" << 1 << 5 << "double" << true;
    QTest::newRow("customer: VAZGEÇ") << "M" << 3 << 0 << "cancel" << false;
    QTest::newRow("company: Escape") << "F" << 1 << 0 << "escape" << false;
    QTest::newRow("customer: F12") << "M" << 0 << 4 << "f12" << false;
    QTest::newRow("company: close box") << "F" << 0 << 1 << "close" << false;
}

void tst_EntryPickers::statusPicker()
{
    QFETCH(QString, page);
    QFETCH(int, startRow);
    QFETCH(int, pickRow);
    QFETCH(QString, how);
    QFETCH(bool, picked);
    EntryFixture fixture;
    engine::Table &statuses = fixture.table(page == "F" ? TableId::CompanyStatuses : TableId::CustomerStatuses);
    statuses.moveTo(startRow);
    forms::StatusPicker picker(fixture.table(TableId::CompanyStatuses), fixture.table(TableId::CustomerStatuses));
    forms::shared().cekTursecimSayfa = page;
    forms::shared().cekTursecimSecildi = !picked;

    ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *) {
        QTableView *grid = picker.shownGrid();
        QCOMPARE(grid, page == "F" ? picker.companyGrid() : picker.customerGrid());
        QCOMPARE(grid->currentIndex().row(), startRow);
        QCOMPARE(forms::shared().cekTursecimSecildi, false);
        grid->setCurrentIndex(grid->model()->index(pickRow, 0));
        QCOMPARE(statuses.position(), qint64(pickRow));
        if (how == "ok")
            picker.okButton()->click();
        else if (how == "double")
            emit grid->doubleClicked(grid->currentIndex());
        else if (how == "cancel")
            picker.cancelButton()->click();
        else if (how == "escape")
            QTest::keyClick(&picker, Qt::Key_Escape);
        else if (how == "f12")
            QTest::keyClick(&picker, Qt::Key_F12);
        else
            picker.close();
        QVERIFY(!picker.isVisible());
    })});
    QCOMPARE(picker.pick(), picked);
    // The table stays where the user left it, whatever the answer.
    QCOMPARE(statuses.position(), qint64(pickRow));
}

void tst_EntryPickers::bankPicker_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("picked");
    QTest::newRow("TAMAM") << "ok" << true;
    QTest::newRow("double click") << "double" << true;
    QTest::newRow("VAZGEÇ") << "cancel" << false;
    QTest::newRow("F12") << "f12" << false;
}

void tst_EntryPickers::bankPicker()
{
    QFETCH(QString, how);
    QFETCH(bool, picked);
    EntryFixture fixture;
    fixture.addRow(TableId::CustomerBanks, {{"ADI_SOYADI", "AHMET YILMAZ"}, {"BANKA_ADI", "ZİRAAT"}});
    fixture.addRow(TableId::CustomerBanks, {{"ADI_SOYADI", "ŞÜKRÜ ÇELİK"}, {"BANKA_ADI", "İŞ BANKASI"}});
    engine::Table &banks = fixture.table(TableId::CustomerBanks);
    banks.moveTo(1); // the row just defined
    forms::CustomerBankPicker picker(banks);
    ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *) {
        QCOMPARE(picker.grid()->currentIndex().row(), 1);
        QCOMPARE(picker.grid()->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("ADI SOYADI"));
        QCOMPARE(picker.grid()->model()->index(1, 0).data().toString(), QStringLiteral("ŞÜKRÜ ÇELİK"));
        picker.grid()->setCurrentIndex(picker.grid()->model()->index(0, 0));
        if (how == "ok")
            picker.okButton()->click();
        else if (how == "double")
            emit picker.grid()->doubleClicked(picker.grid()->currentIndex());
        else if (how == "cancel")
            picker.cancelButton()->click();
        else
            QTest::keyClick(&picker, Qt::Key_F12);
    })});
    QCOMPARE(picker.pick(), picked);
    QCOMPARE(textOf(banks.value("ADI_SOYADI")), QStringLiteral("AHMET YILMAZ"));
}

QTEST_MAIN(tst_EntryPickers)
#include "tst_entrypickers.moc"
