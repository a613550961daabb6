#include "definitionsfixture.h"

#include "forms/definitions/statusdefinitiondialog.h"
#include "forms/sharedstate.h"
#include "data/schema.h"
#include "widgets/ledgergrid.h"
#include "widgets/scriptedanswerer.h"

#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

using data::TableId;
using engine::Table;
using forms::StatusDefinitionDialog;
using widgets::MessageButton;
using widgets::MessageIcon;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

const QStringList kName = {QStringLiteral("CEK_ADI")};
const QStringList kCustomerSeed = {"PORTFÖYDE", "TAHSİL EDİLDİ", "İADE EDİLDİ", "BANKA TAHSİLDE", "KARŞILIĞI YOK",
                                   "CİRO EDİLDİ"};
const QStringList kCompanySeed = {"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI"};

bool moveToStatus(Table &table, const QString &name)
{
    for (std::int64_t row = 0; row < table.rowCount(); ++row) {
        if (widgets::toQString(table.valueAt(row, table.requireField("CEK_ADI"))) == name) {
            table.moveTo(row);
            return true;
        }
    }
    return false;
}

} // namespace

class tst_StatusDefinitionDialog : public QObject
{
    Q_OBJECT

private slots:
    void addsStatus_data();
    void addsStatus();
    void cancelledInputAddsNothing();
    void refusesProtectedStatuses_data();
    void refusesProtectedStatuses();
    void deletesAfterQuestion_data();
    void deletesAfterQuestion();
    void warnsOnEmptyTable();
    void showsLedgerPage_data();
    void showsLedgerPage();
    void closesOnF12();
};

void tst_StatusDefinitionDialog::addsStatus_data()
{
    QTest::addColumn<QString>("ledger");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored"); // the new last row, or empty when nothing is added
    QTest::addColumn<QString>("current"); // where the list stands afterwards
    QTest::addColumn<QString>("message"); // the warning shown, or empty

    QTest::newRow("customer status stored as typed")
        << "M" << "Senette" << "Senette" << "Senette" << "";
    QTest::newRow("blanks around the name are removed")
        << "F" << "  YENİ DURUM  " << "YENİ DURUM" << "YENİ DURUM" << "";
    QTest::newRow("exactly fifteen characters")
        << "F" << "ÇOK UZUN DURUMM" << "ÇOK UZUN DURUMM" << "ÇOK UZUN DURUMM" << "";
    QTest::newRow("Turkish lower case of a defined status adds nothing")
        << "M" << "portföyde" << "" << "PORTFÖYDE" << "";
    QTest::newRow("dotted i lower case matches İ")
        << "M" << "ciro edildi" << "" << "CİRO EDİLDİ" << "";
    QTest::newRow("mixed case of a company status adds nothing")
        << "F" << " ödenmedi " << "" << "ÖDENMEDİ" << "";
    QTest::newRow("dotless ı is not i: a new status")
        << "M" << "cıro edıldı" << "cıro edıldı" << "cıro edıldı" << "";
    QTest::newRow("empty entry adds nothing silently")
        << "F" << "" << "" << "ÖDENDE" << "";
    QTest::newRow("blanks only are refused")
        << "F" << "    " << "" << "ÖDENDE" << "\nÇek durumu yalnız boşluktan oluşamaz.";
    QTest::newRow("sixteen characters are refused")
        << "M" << "ÇOK UZUN DURUMMM" << "" << "PORTFÖYDE" << "\nÇek durumu en çok 15 karakter olabilir.";
}

void tst_StatusDefinitionDialog::addsStatus()
{
    QFETCH(QString, ledger);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, current);
    QFETCH(QString, message);
    DataFolder folder;
    const TableId id = ledger == "M" ? TableId::CustomerStatuses : TableId::CompanyStatuses;
    Table &table = folder.table(id);
    StatusDefinitionDialog dialog(folder.table(TableId::CompanyStatuses), folder.table(TableId::CustomerStatuses));
    forms::shared().cekDurumSayfa = ledger;
    dialog.show();
    table.first();
    ScriptedAnswerer answerer({MessageReply::typed(typed), MessageReply::pressed(MessageButton::Ok)});

    dialog.findChild<QPushButton *>(QStringLiteral("RzButton1"))->click();

    const widgets::MessageRequest &input = answerer.asked().first();
    QCOMPARE(input.kind, MessageKind::Input);
    QCOMPARE(input.caption, ledger == "M" ? QStringLiteral("Müşteri Çek Durumu Tanımlama")
                                          : QStringLiteral("Firma Çek Durumu Tanımlama"));
    QCOMPARE(input.text, QStringLiteral("Tanımlanacak Çek Durumunu Giriniz."));
    QCOMPARE(input.defaultText, QString());
    if (message.isEmpty()) {
        QCOMPARE(answerer.asked().size(), 1);
    } else {
        QCOMPARE(answerer.asked().size(), 2);
        QCOMPARE(answerer.asked().at(1).kind, MessageKind::Warning);
        QCOMPARE(answerer.asked().at(1).text, message);
    }
    QStringList expected = ledger == "M" ? kCustomerSeed : kCompanySeed;
    if (!stored.isEmpty())
        expected << stored;
    QCOMPARE(folder.readBack(id, kName), expected);
    QCOMPARE(table.state(), Table::State::Browse);
    QCOMPARE(currentText(table, "CEK_ADI"), current);
}

void tst_StatusDefinitionDialog::cancelledInputAddsNothing()
{
    DataFolder folder;
    StatusDefinitionDialog dialog(folder.table(TableId::CompanyStatuses), folder.table(TableId::CustomerStatuses));
    forms::shared().cekDurumSayfa = QStringLiteral("F");
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::closed()});

    dialog.addStatus();

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(folder.readBack(TableId::CompanyStatuses, kName), kCompanySeed);
}

void tst_StatusDefinitionDialog::refusesProtectedStatuses_data()
{
    QTest::addColumn<QString>("status");
    for (const std::string &name : data::builtInCustomerStatuses())
        QTest::newRow(name.c_str()) << QString::fromStdString(name);
}

void tst_StatusDefinitionDialog::refusesProtectedStatuses()
{
    QFETCH(QString, status);
    DataFolder folder;
    Table &customer = folder.table(TableId::CustomerStatuses);
    StatusDefinitionDialog dialog(folder.table(TableId::CompanyStatuses), customer);
    forms::shared().cekDurumSayfa = QStringLiteral("M");
    dialog.show();
    QVERIFY(moveToStatus(customer, status));
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok), MessageReply::pressed(MessageButton::Yes)});

    dialog.findChild<QPushButton *>(QStringLiteral("RzButton3"))->click();

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Error);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("\nSilmeye çalıştığınız tür korumalı.\n\nSİLİNEMEZ..."));
    QCOMPARE(folder.readBack(TableId::CustomerStatuses, kName), kCustomerSeed);
}

void tst_StatusDefinitionDialog::deletesAfterQuestion_data()
{
    QTest::addColumn<QString>("ledger");
    QTest::addColumn<QString>("status");
    QTest::addColumn<MessageButton>("answer");
    QTest::addColumn<bool>("deleted");
    QTest::newRow("a seeded company status, yes") << "F" << "ÖDENMEDİ" << MessageButton::Yes << true;
    QTest::newRow("a seeded company status, no") << "F" << "ÖDENMEDİ" << MessageButton::No << false;
    QTest::newRow("a customer status that only begins with a protected name")
        << "M" << "PORTFÖYDE ESKİ" << MessageButton::Yes << true;
    QTest::newRow("a protected name in other letter case is no built-in")
        << "M" << "Portföyde" << MessageButton::Yes << true;
}

void tst_StatusDefinitionDialog::deletesAfterQuestion()
{
    QFETCH(QString, ledger);
    QFETCH(QString, status);
    QFETCH(MessageButton, answer);
    QFETCH(bool, deleted);
    DataFolder folder;
    const TableId id = ledger == "M" ? TableId::CustomerStatuses : TableId::CompanyStatuses;
    Table &table = folder.table(id);
    QStringList before = folder.readBack(id, kName);
    if (!before.contains(status)) {
        // Stored directly: the dialog itself would refuse a case twin of a defined status.
        folder.seed(id, kName, {{status}});
        before << status;
    }
    StatusDefinitionDialog dialog(folder.table(TableId::CompanyStatuses), folder.table(TableId::CustomerStatuses));
    forms::shared().cekDurumSayfa = ledger;
    dialog.show();
    QVERIFY(moveToStatus(table, status));
    ScriptedAnswerer answerer({MessageReply::pressed(answer)});

    dialog.deleteStatus();

    QCOMPARE(answerer.asked().size(), 1);
    const widgets::MessageRequest &box = answerer.asked().first();
    QCOMPARE(box.kind, MessageKind::System);
    QCOMPARE(box.caption, QStringLiteral("DİKKAT"));
    QCOMPARE(box.icon, MessageIcon::Warning);
    QCOMPARE(box.text, QStringLiteral("AKTİF TÜR SİLİNECEK. DEVAM EDİLSİN Mİ?"));
    QCOMPARE(box.buttons, QList<MessageButton>({MessageButton::Yes, MessageButton::No}));
    QStringList after = before;
    if (deleted)
        after.removeOne(status);
    QCOMPARE(folder.readBack(id, kName), after);
}

void tst_StatusDefinitionDialog::warnsOnEmptyTable()
{
    DataFolder folder;
    Table &company = folder.table(TableId::CompanyStatuses);
    while (!company.isEmpty())
        company.remove();
    StatusDefinitionDialog dialog(company, folder.table(TableId::CustomerStatuses));
    forms::shared().cekDurumSayfa = QStringLiteral("F");
    dialog.show();
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});

    dialog.deleteStatus();

    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, QStringLiteral("\nTanımıl tür yok."));
}

void tst_StatusDefinitionDialog::showsLedgerPage_data()
{
    QTest::addColumn<QString>("ledger");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("page");
    QTest::newRow("company") << "F" << "FİRMA Çek Durumları" << "FIRMA";
    QTest::newRow("customer") << "M" << "MÜŞTERİ Çek Durumları" << "MUSTERI";
}

void tst_StatusDefinitionDialog::showsLedgerPage()
{
    QFETCH(QString, ledger);
    QFETCH(QString, caption);
    QFETCH(QString, page);
    DataFolder folder;
    StatusDefinitionDialog dialog(folder.table(TableId::CompanyStatuses), folder.table(TableId::CustomerStatuses));
    // Shown for the other ledger first: every showing takes the page anew.
    forms::shared().cekDurumSayfa = ledger == "M" ? QStringLiteral("F") : QStringLiteral("M");
    dialog.show();
    dialog.close();
    forms::shared().cekDurumSayfa = ledger;
    dialog.show();

    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.pages()->currentWidget()->objectName(), page);
    widgets::LedgerGrid *grid = ledger == "M" ? dialog.customerGrid() : dialog.companyGrid();
    QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("-= ÇEK DURUMU =-"));
    QCOMPARE(grid->model()->rowCount(), ledger == "M" ? 6 : 3);
}

void tst_StatusDefinitionDialog::closesOnF12()
{
    DataFolder folder;
    StatusDefinitionDialog dialog(folder.table(TableId::CompanyStatuses), folder.table(TableId::CustomerStatuses));
    forms::shared().cekDurumSayfa = QStringLiteral("F");
    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *shown) {
        QTest::keyClick(shown, Qt::Key_Escape); // Escape is not one of the dialog's keys
        QVERIFY(shown->isVisible());
        QTest::keyClick(shown, Qt::Key_F12);
        QVERIFY(!shown->isVisible());
    })});
    dialog.run();
    QCOMPARE(answerer.unexpected(), 0);
}

QTEST_MAIN(tst_StatusDefinitionDialog)
#include "tst_statusdefinitiondialog.moc"
