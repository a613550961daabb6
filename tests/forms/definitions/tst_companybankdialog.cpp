#include "definitionsfixture.h"

#include "forms/definitions/companybankdialog.h"
#include "forms/sharedstate.h"
#include "widgets/ledgergrid.h"
#include "widgets/scriptedanswerer.h"

#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using data::TableId;
using forms::CompanyBankDialog;
using widgets::MessageButton;
using widgets::MessageIcon;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

const QStringList kFields = {QStringLiteral("BANKA_ADI"), QStringLiteral("SUBE_ADI"), QStringLiteral("HESAP_NUMARASI")};

void fill(CompanyBankDialog &dialog, int first, const QStringList &texts)
{
    for (int i = 0; i < 3; ++i)
        dialog.edit(first + i)->setText(texts[i]);
}

} // namespace

class tst_CompanyBankDialog : public QObject
{
    Q_OBJECT

private slots:
    void addsTrimmedAccount();
    void refusesBlankBankName();
    void changesCurrentAccount();
    void cancelWritesNothing();
    void failedPostKeepsPanel();
    void deletesOnlyAfterYes_data();
    void deletesOnlyAfterYes();
    void warnsOnEmptyTable_data();
    void warnsOnEmptyTable();
    void editorsStopAtFieldSize();
    void showsModeButtons_data();
    void showsModeButtons();
    void pickHandsBackChosenRow();
    void pickOnEmptyTablePicksNothing();
    void pickGiveUpPicksNothing();
    void enterWalksPanelBoxes();
    void doubleClickFollowsMode_data();
    void doubleClickFollowsMode();
    void restoresPreviousObserver();
};

void tst_CompanyBankDialog::addsTrimmedAccount()
{
    DataFolder folder;
    engine::Table &banks = folder.table(TableId::CompanyBanks);
    folder.seed(TableId::CompanyBanks, kFields, {{"ZİRAAT", "MERKEZ", "111"}});
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(banks);
    dialog.show();

    QTest::keyClick(&dialog, Qt::Key_F2); // new
    QVERIFY(!dialog.newPanel()->isHidden());
    QVERIFY(!dialog.grid()->isEnabled());
    fill(dialog, 0, {"  AKBANK  ", " KADIKÖY", "222 "});
    QTest::keyClick(dialog.edit(0), Qt::Key_F2); // save, whatever has the focus

    QVERIFY(dialog.newPanel()->isHidden());
    QVERIFY(dialog.grid()->isEnabled());
    QCOMPARE(dialog.edit(0)->text(), QStringLiteral("AKBANK"));
    QCOMPARE(folder.readBack(TableId::CompanyBanks, kFields),
             QStringList({"ZİRAAT|MERKEZ|111", "AKBANK|KADIKÖY|222"}));
    QCOMPARE(banks.position(), 1); // the new account is the current row
    QCOMPARE(currentText(banks, "BANKA_ADI"), QStringLiteral("AKBANK"));
}

void tst_CompanyBankDialog::refusesBlankBankName()
{
    DataFolder folder;
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    dialog.newAccount();
    fill(dialog, 0, {"   ", "ŞUBE", "1"});
    dialog.saveNew();

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("En Azından Banka Adını Giriniz."));
    QVERIFY(!dialog.newPanel()->isHidden()); // the panel stays open
    QCOMPARE(dialog.edit(1)->text(), QStringLiteral("ŞUBE"));
    QVERIFY(folder.readBack(TableId::CompanyBanks, kFields).isEmpty());
}

void tst_CompanyBankDialog::changesCurrentAccount()
{
    DataFolder folder;
    engine::Table &banks = folder.table(TableId::CompanyBanks);
    folder.seed(TableId::CompanyBanks, kFields, {{"A", "B", "C"}, {"D", "E", "F"}});
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(banks);
    dialog.show();
    banks.moveTo(1);

    QTest::keyClick(&dialog, Qt::Key_F5);
    QVERIFY(!dialog.changePanel()->isHidden());
    QCOMPARE(dialog.edit(3)->text(), QStringLiteral("D"));
    QCOMPARE(dialog.edit(5)->text(), QStringLiteral("F"));
    fill(dialog, 3, {" GARANTİ ", "", "9"});
    QTest::keyClick(&dialog, Qt::Key_F2);

    QVERIFY(dialog.changePanel()->isHidden());
    QCOMPARE(folder.readBack(TableId::CompanyBanks, kFields), QStringList({"A|B|C", "GARANTİ||9"}));
    QCOMPARE(currentText(banks, "BANKA_ADI"), QStringLiteral("GARANTİ"));
}

void tst_CompanyBankDialog::cancelWritesNothing()
{
    DataFolder folder;
    folder.seed(TableId::CompanyBanks, kFields, {{"A", "B", "C"}});
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    dialog.show();

    QTest::keyClick(&dialog, Qt::Key_F2);
    fill(dialog, 0, {"X", "Y", "Z"});
    QTest::keyClick(&dialog, Qt::Key_F9); // cancel new
    QVERIFY(dialog.newPanel()->isHidden());

    QTest::keyClick(&dialog, Qt::Key_F5);
    fill(dialog, 3, {"X", "Y", "Z"});
    QTest::keyClick(&dialog, Qt::Key_F9); // cancel change
    QVERIFY(dialog.changePanel()->isHidden());
    QVERIFY(dialog.grid()->isEnabled());

    QCOMPARE(folder.readBack(TableId::CompanyBanks, kFields), QStringList({"A|B|C"}));
}

void tst_CompanyBankDialog::failedPostKeepsPanel()
{
    DataFolder folder;
    engine::Table &banks = folder.table(TableId::CompanyBanks);
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(banks);
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    dialog.newAccount();
    fill(dialog, 0, {"AKBANK", "MERKEZ", "1"});
    {
        FileWriteLock lock(folder.store->folder() / "Firma_Banka_Bilgileri.db");
        QVERIFY(lock.isLocked());
        dialog.saveNew();
    }
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Failure);
    QVERIFY2(answerer.asked().first().text.contains(QStringLiteral("başka bir işlem")),
             qPrintable(answerer.asked().first().text));
    QVERIFY(!dialog.newPanel()->isHidden()); // kept for another try
    QCOMPARE(dialog.edit(0)->text(), QStringLiteral("AKBANK"));
    QCOMPARE(banks.state(), engine::Table::State::Browse);
    QVERIFY(folder.readBack(TableId::CompanyBanks, kFields).isEmpty());

    dialog.saveNew(); // the file is free again
    QVERIFY(dialog.newPanel()->isHidden());
    QCOMPARE(folder.readBack(TableId::CompanyBanks, kFields), QStringList({"AKBANK|MERKEZ|1"}));
}

void tst_CompanyBankDialog::deletesOnlyAfterYes_data()
{
    QTest::addColumn<MessageReply>("reply");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("yes deletes the current row") << MessageReply::pressed(MessageButton::Yes) << QStringList({"A|B|C"});
    QTest::newRow("no keeps it") << MessageReply::pressed(MessageButton::No) << QStringList({"A|B|C", "D|E|F"});
    QTest::newRow("closing the box keeps it") << MessageReply::closed() << QStringList({"A|B|C", "D|E|F"});
}

void tst_CompanyBankDialog::deletesOnlyAfterYes()
{
    QFETCH(MessageReply, reply);
    QFETCH(QStringList, left);
    DataFolder folder;
    engine::Table &banks = folder.table(TableId::CompanyBanks);
    folder.seed(TableId::CompanyBanks, kFields, {{"A", "B", "C"}, {"D", "E", "F"}});
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(banks);
    dialog.show();
    banks.moveTo(1);
    ScriptedAnswerer answerer({reply});

    QTest::keyClick(&dialog, Qt::Key_F9);

    QCOMPARE(answerer.asked().size(), 1);
    const widgets::MessageRequest &box = answerer.asked().first();
    QCOMPARE(box.kind, MessageKind::System);
    QCOMPARE(box.caption, QStringLiteral("UYARI"));
    QCOMPARE(box.icon, MessageIcon::Warning);
    QCOMPARE(box.text, QStringLiteral("Aktif Firma banka Tanımı Silinecek\n\nDevam edilsin Mİ?"));
    QCOMPARE(box.buttons, QList<MessageButton>({MessageButton::Yes, MessageButton::No}));
    QCOMPARE(box.defaultButton, MessageButton::No);
    QCOMPARE(folder.readBack(TableId::CompanyBanks, kFields), left);
}

void tst_CompanyBankDialog::warnsOnEmptyTable_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("change") << int(Qt::Key_F5);
    QTest::newRow("delete") << int(Qt::Key_F9);
}

void tst_CompanyBankDialog::warnsOnEmptyTable()
{
    QFETCH(int, key);
    DataFolder folder;
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    QTest::keyClick(&dialog, Qt::Key(key));

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("\nHiç bir kayıt Tanımlanmamış."));
    QVERIFY(dialog.changePanel()->isHidden());
    QVERIFY(dialog.grid()->isEnabled());
}

void tst_CompanyBankDialog::editorsStopAtFieldSize()
{
    DataFolder folder;
    forms::shared().bankaTanimModu = QStringLiteral("A");
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    dialog.show();
    const int sizes[3] = {40, 40, 30};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(dialog.edit(i)->maxLength(), sizes[i % 3]);

    dialog.newAccount();
    QTest::keyClicks(dialog.edit(2), QString(35, QLatin1Char('7')));
    QCOMPARE(dialog.edit(2)->text().size(), 30);
}

void tst_CompanyBankDialog::showsModeButtons_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("pick");
    QTest::newRow("maintenance") << QStringLiteral("A") << false;
    QTest::newRow("pick") << QStringLiteral("S") << true;
}

void tst_CompanyBankDialog::showsModeButtons()
{
    QFETCH(QString, mode);
    QFETCH(bool, pick);
    DataFolder folder;
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    forms::shared().bankaTanimModu = mode;
    forms::shared().bankaSecildi = true;
    dialog.show();
    QCOMPARE(forms::shared().bankaSecildi, false);
    QCOMPARE(dialog.pickPanel()->isVisible(), pick);
    QCOMPARE(dialog.exitButton()->isVisible(), !pick);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Firma Banka Tanımları"));
}

void tst_CompanyBankDialog::pickHandsBackChosenRow()
{
    DataFolder folder;
    engine::Table &banks = folder.table(TableId::CompanyBanks);
    folder.seed(TableId::CompanyBanks, kFields, {{"A", "1", "11"}, {"B", "2", "22"}, {"C", "3", "33"}});
    CompanyBankDialog dialog(banks);
    forms::shared().bankaTanimModu = QStringLiteral("S");
    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *shown) {
        auto *d = static_cast<CompanyBankDialog *>(shown);
        // The user clicks the third row, then the second, and confirms.
        widgets::LedgerGrid *grid = d->grid();
        grid->setCurrentIndex(grid->model()->index(2, 0));
        grid->setCurrentIndex(grid->model()->index(1, 1));
        d->findChild<QPushButton *>(QStringLiteral("RzButton6"))->click();
    })});

    QCOMPARE(dialog.run(), int(QDialog::Accepted));

    QVERIFY(forms::shared().bankaSecildi);
    QCOMPARE(currentText(banks, "BANKA_ADI"), QStringLiteral("B"));
    QCOMPARE(currentText(banks, "SUBE_ADI"), QStringLiteral("2"));
    QCOMPARE(currentText(banks, "HESAP_NUMARASI"), QStringLiteral("22"));

    // Enter confirms the current row in pick mode, whatever has the focus.
    ScriptedAnswerer second({MessageReply::acting([](QDialog *shown) {
        auto *d = static_cast<CompanyBankDialog *>(shown);
        d->grid()->setCurrentIndex(d->grid()->model()->index(2, 0));
        QTest::keyClick(d->grid(), Qt::Key_Return);
    })});
    QCOMPARE(dialog.run(), int(QDialog::Accepted));
    QVERIFY(forms::shared().bankaSecildi);
    QCOMPARE(currentText(banks, "BANKA_ADI"), QStringLiteral("C"));
}

void tst_CompanyBankDialog::pickOnEmptyTablePicksNothing()
{
    DataFolder folder;
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    forms::shared().bankaTanimModu = QStringLiteral("S");
    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *shown) {
        shown->findChild<QPushButton *>(QStringLiteral("RzButton6"))->click();
    })});

    QCOMPARE(dialog.run(), int(QDialog::Rejected));
    QCOMPARE(forms::shared().bankaSecildi, false);
    QCOMPARE(answerer.unexpected(), 0);
}

void tst_CompanyBankDialog::pickGiveUpPicksNothing()
{
    DataFolder folder;
    folder.seed(TableId::CompanyBanks, kFields, {{"A", "1", "11"}});
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    forms::shared().bankaTanimModu = QStringLiteral("S");
    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *shown) {
        shown->findChild<QPushButton *>(QStringLiteral("RzButton5"))->click();
    })});

    QCOMPARE(dialog.run(), int(QDialog::Rejected));
    QCOMPARE(forms::shared().bankaSecildi, false);
}

void tst_CompanyBankDialog::enterWalksPanelBoxes()
{
    DataFolder folder;
    CompanyBankDialog dialog(folder.table(TableId::CompanyBanks));
    forms::shared().bankaTanimModu = QStringLiteral("S");
    dialog.show();
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));

    dialog.newAccount();
    QVERIFY(dialog.edit(0)->hasFocus());
    QTest::keyClick(dialog.edit(0), Qt::Key_Return);
    QVERIFY(dialog.edit(1)->hasFocus());
    QTest::keyClick(dialog.edit(1), Qt::Key_Return);
    QTest::keyClick(dialog.edit(2), Qt::Key_Return);
    QVERIFY(dialog.edit(0)->hasFocus()); // a ring
    // In pick mode Enter in an open panel moves on and does not confirm.
    QVERIFY(dialog.isVisible());
    QCOMPARE(forms::shared().bankaSecildi, false);
}

void tst_CompanyBankDialog::doubleClickFollowsMode_data()
{
    QTest::addColumn<QString>("mode");
    QTest::newRow("maintenance opens the change panel") << QStringLiteral("A");
    QTest::newRow("pick confirms the row") << QStringLiteral("S");
}

void tst_CompanyBankDialog::doubleClickFollowsMode()
{
    QFETCH(QString, mode);
    DataFolder folder;
    engine::Table &banks = folder.table(TableId::CompanyBanks);
    folder.seed(TableId::CompanyBanks, kFields, {{"A", "1", "11"}, {"B", "2", "22"}});
    CompanyBankDialog dialog(banks);
    forms::shared().bankaTanimModu = mode;
    dialog.show();

    widgets::LedgerGrid *grid = dialog.grid();
    const QRect cell = grid->visualRect(grid->model()->index(1, 0));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());

    QCOMPARE(currentText(banks, "BANKA_ADI"), QStringLiteral("B"));
    if (mode == QLatin1String("S")) {
        QVERIFY(!dialog.isVisible());
        QVERIFY(forms::shared().bankaSecildi);
    } else {
        QVERIFY(dialog.isVisible());
        QVERIFY(!dialog.changePanel()->isHidden());
        QCOMPARE(dialog.edit(3)->text(), QStringLiteral("B"));
    }
}

void tst_CompanyBankDialog::restoresPreviousObserver()
{
    struct Counter : engine::TableObserver
    {
        int resets = 0;
        void tableReset() override { ++resets; }
    } previous;
    DataFolder folder;
    engine::Table &banks = folder.table(TableId::CompanyBanks);
    banks.setObserver(&previous);
    {
        CompanyBankDialog dialog(banks);
        QCOMPARE(banks.observer(), &previous); // made, not shown: the place is untouched
        forms::shared().bankaTanimModu = QStringLiteral("A");
        dialog.show();
        QVERIFY(banks.observer() != &previous);
        dialog.newAccount();
        fill(dialog, 0, {"A", "B", "C"});
        dialog.saveNew();
        const int before = previous.resets;
        dialog.close();
        QCOMPARE(banks.observer(), &previous);
        QVERIFY(previous.resets > before); // told to catch up
    }
    QCOMPARE(banks.observer(), &previous);
    banks.setObserver(nullptr);
}

QTEST_MAIN(tst_CompanyBankDialog)
#include "tst_companybankdialog.moc"
