#include "entryfixture.h"

#include "forms/entry/customerbankpicker.h"
#include "forms/entry/customerchequedialog.h"
#include "forms/entry/statuspicker.h"
#include "widgets/datacheckbox.h"
#include "widgets/datalineedit.h"
#include "widgets/datamemo.h"
#include "widgets/scriptedanswerer.h"

#include <QLabel>
#include <QPushButton>
#include <QTableView>

using data::TableId;
using forms::CustomerChequeDialog;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

const std::vector<std::string> kDetailFields{"CEK_DURUM", "TAHSIL_BANKA", "TAHSIL_SUBE", "KIME_CIRO"};

struct Harness
{
    EntryFixture fixture;
    widgets::TableAdapter adapter{fixture.table(TableId::CustomerCheques)};
    std::unique_ptr<CustomerChequeDialog> dialog;

    engine::Table &ledger() { return fixture.table(TableId::CustomerCheques); }

    // A saved cheque with every detail filled in.
    void addCheque(const std::string &status, bool endorsed = false)
    {
        engine::Table &t = ledger();
        t.append();
        t.setValue("CEK_NUMARASI", engine::Value(std::string("M-1")));
        t.setValue("CEK_DURUM", engine::Value(status));
        t.setValue("TAHSIL_BANKA", engine::Value(std::string("ZİRAAT")));
        t.setValue("TAHSIL_SUBE", engine::Value(std::string("MERKEZ")));
        t.setValue("KIME_CIRO", engine::Value(std::string("VELİ")));
        t.setValue("CEK_CIROLU", engine::Value(endorsed));
        t.setValue("CIRO_EDEN", engine::Value(std::string("ALİ")));
        t.post();
    }

    void open(const QString &mode)
    {
        forms::shared().musteriGirisModu = mode;
        if (mode == QLatin1String("Y"))
            ledger().append();
        dialog = std::make_unique<CustomerChequeDialog>(adapter, *fixture.store);
        showActive(dialog.get());
    }

    // Picks a status through the picker, as F1 in the status editor does.
    void pickStatus(const QString &status)
    {
        ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *) {
            QTableView *grid = dialog->statusPicker()->shownGrid();
            QCOMPARE(grid, dialog->statusPicker()->customerGrid());
            const auto found = grid->model()->match(grid->model()->index(0, 0), Qt::DisplayRole, status, 1,
                                                    Qt::MatchExactly | Qt::MatchCaseSensitive);
            QCOMPARE(found.size(), 1);
            grid->setCurrentIndex(found.first());
            dialog->statusPicker()->okButton()->click();
        })});
        dialog->statusEditor()->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
        QTest::keyClick(dialog->statusEditor(), Qt::Key_F1);
        QCOMPARE(answerer.unexpected(), 0);
    }

    std::vector<std::string> savedDetails(std::size_t row = 0)
    {
        return fixture.readBack("museri_cek.db", kDetailFields).at(row);
    }
};

} // namespace

class tst_CustomerChequeDialog : public QObject
{
    Q_OBJECT

private slots:
    void statusRule_data();
    void statusRule();
    void opening_data();
    void opening();
    void endorsementBox();
    void newChequeAfterSave();
    void cancelInEditModeRestoresStatus();
    void droppedNewRowLeavesOtherChequeAlone();
    void closeQuestionClearsOpenFlag_data();
    void closeQuestionClearsOpenFlag();
    void bankDetailsPick_data();
    void bankDetailsPick();
    void quickDefinition_data();
    void quickDefinition();
};

void tst_CustomerChequeDialog::statusRule_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("picked");
    QTest::addColumn<bool>("collection");
    QTest::addColumn<bool>("endorsement");
    QTest::addColumn<QString>("landsIn");
    QTest::addColumn<QStringList>("saved");
    QTest::newRow("PORTFÖYDE to BANKA TAHSİLDE") << "PORTFÖYDE" << "BANKA TAHSİLDE" << true << false << "DBEdit10"
                                                << QStringList{"BANKA TAHSİLDE", "ZİRAAT", "MERKEZ", "YOK"};
    QTest::newRow("PORTFÖYDE to CİRO EDİLDİ") << "PORTFÖYDE" << "CİRO EDİLDİ" << false << true << "DBEdit12"
                                             << QStringList{"CİRO EDİLDİ", "YOK", "YOK", "VELİ"};
    QTest::newRow("BANKA TAHSİLDE to PORTFÖYDE") << "BANKA TAHSİLDE" << "PORTFÖYDE" << false << false << ""
                                                << QStringList{"PORTFÖYDE", "YOK", "YOK", "YOK"};
    QTest::newRow("CİRO EDİLDİ to KARŞILIĞI YOK") << "CİRO EDİLDİ" << "KARŞILIĞI YOK" << false << false << ""
                                                 << QStringList{"KARŞILIĞI YOK", "YOK", "YOK", "YOK"};
    QTest::newRow("BANKA TAHSİLDE to CİRO EDİLDİ") << "BANKA TAHSİLDE" << "CİRO EDİLDİ" << false << true << "DBEdit12"
                                                  << QStringList{"CİRO EDİLDİ", "YOK", "YOK", "VELİ"};
    QTest::newRow("CİRO EDİLDİ to BANKA TAHSİLDE") << "CİRO EDİLDİ" << "BANKA TAHSİLDE" << true << false << "DBEdit10"
                                                  << QStringList{"BANKA TAHSİLDE", "ZİRAAT", "MERKEZ", "YOK"};
    QTest::newRow("user-defined keeps panel and details") << "BANKA TAHSİLDE" << "KARŞILIKSIZ" << true << false
                                                          << "DBEdit10"
                                                          << QStringList{"KARŞILIKSIZ", "ZİRAAT", "MERKEZ", "VELİ"};
    QTest::newRow("other case counts as built-in") << "PORTFÖYDE" << "banka tahsilde" << true << false << "DBEdit10"
                                                   << QStringList{"banka tahsilde", "ZİRAAT", "MERKEZ", "YOK"};
}

void tst_CustomerChequeDialog::statusRule()
{
    QFETCH(QString, before);
    QFETCH(QString, picked);
    QFETCH(bool, collection);
    QFETCH(bool, endorsement);
    QFETCH(QString, landsIn);
    QFETCH(QStringList, saved);
    Harness h;
    h.fixture.addRow(TableId::CustomerStatuses, {{"CEK_ADI", "KARŞILIKSIZ"}});
    h.fixture.addRow(TableId::CustomerStatuses, {{"CEK_ADI", "banka tahsilde"}});
    h.addCheque(before.toStdString());
    h.open(QStringLiteral("D"));
    h.pickStatus(picked);
    QCOMPARE(h.dialog->statusEditor()->text(), picked);
    QCOMPARE(h.dialog->collectionPanel()->isVisible(), collection);
    QCOMPARE(h.dialog->endorsementPanel()->isVisible(), endorsement);

    // Leaving the status editor lands in the panel shown.
    h.dialog->noteEditor()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QCOMPARE(h.dialog->focusWidget()->objectName(), landsIn.isEmpty() ? QStringLiteral("DBMemo1") : landsIn);

    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *q) { QTest::keyClick(q, Qt::Key_F3); })});
    h.dialog->save();
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(!h.dialog->isVisible());
    QStringList details;
    for (const std::string &s : h.savedDetails())
        details << QString::fromStdString(s);
    QCOMPARE(details, saved);
}

void tst_CustomerChequeDialog::opening_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<bool>("endorsed");
    QTest::addColumn<bool>("collection");
    QTest::addColumn<bool>("endorsement");
    QTest::addColumn<QString>("focus");
    QTest::newRow("collection status") << "BANKA TAHSİLDE" << false << true << false << "DBCheckBox1";
    QTest::newRow("endorsed away") << "CİRO EDİLDİ" << false << false << true << "DBCheckBox1";
    QTest::newRow("user-defined with details: no panel") << "KARŞILIKSIZ" << false << false << false << "DBCheckBox1";
    QTest::newRow("ticked box: endorser in focus") << "PORTFÖYDE" << true << false << false << "DBEdit1";
}

void tst_CustomerChequeDialog::opening()
{
    QFETCH(QString, status);
    QFETCH(bool, endorsed);
    QFETCH(bool, collection);
    QFETCH(bool, endorsement);
    QFETCH(QString, focus);
    Harness h;
    h.addCheque(status.toStdString(), endorsed);
    h.open(QStringLiteral("D"));
    QCOMPARE(h.dialog->windowTitle(), QStringLiteral("MÜŞTERİ ÇEK GİRİŞİ [KAYIT GÜNCELLEME]"));
    QVERIFY(forms::shared().musteriGirisAcik);
    QCOMPARE(h.dialog->collectionPanel()->isVisible(), collection);
    QCOMPARE(h.dialog->endorsementPanel()->isVisible(), endorsement);
    QCOMPARE(h.dialog->endorserEditor()->isVisible(), endorsed);
    QCOMPARE(h.dialog->endorserLabel()->isVisible(), endorsed);
    QCOMPARE(h.dialog->focusWidget()->objectName(), focus);
    // Opening writes nothing.
    QCOMPARE(h.ledger().state(), engine::Table::State::Browse);
}

void tst_CustomerChequeDialog::endorsementBox()
{
    Harness h;
    h.open(QStringLiteral("Y"));
    QCOMPARE(h.dialog->windowTitle(), QStringLiteral("MÜŞTERİ ÇEK GİRİŞİ [YENİ KAYIT]"));
    QVERIFY(!h.dialog->endorserEditor()->isVisible());
    h.dialog->endorsedBox()->click();
    QVERIFY(h.dialog->endorserEditor()->isVisible());
    QCOMPARE(h.dialog->focusWidget(), h.dialog->endorserEditor());
    typeInto(h.dialog->endorserEditor(), QStringLiteral("ŞÜKRÜ"));
    h.dialog->endorsedBox()->setFocus();
    QApplication::processEvents();
    h.dialog->endorsedBox()->click();
    QVERIFY(!h.dialog->endorserEditor()->isVisible());

    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *q) { QTest::keyClick(q, Qt::Key_F3); })});
    h.dialog->save();
    const auto rows = h.fixture.readBack("museri_cek.db", {"CEK_CIROLU", "CIRO_EDEN"});
    QCOMPARE(rows.size(), std::size_t(1));
    // Unticking keeps the stored endorser.
    QCOMPARE(rows[0], (std::vector<std::string>{"false", "ŞÜKRÜ"}));
}

void tst_CustomerChequeDialog::newChequeAfterSave()
{
    Harness h;
    h.addCheque("BANKA TAHSİLDE", true);
    h.open(QStringLiteral("D"));
    QVERIFY(h.dialog->collectionPanel()->isVisible());
    typeInto(h.dialog->chequeNumberEditor(), QStringLiteral("M-2"));
    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *q) { QTest::keyClick(q, Qt::Key_F1); })});
    h.dialog->save();
    QCOMPARE(h.dialog->windowTitle(), QStringLiteral("MÜŞTERİ ÇEK GİRİŞİ [YENİ KAYIT]"));
    QCOMPARE(h.ledger().state(), engine::Table::State::Insert);
    QVERIFY(!h.dialog->collectionPanel()->isVisible());
    QVERIFY(!h.dialog->endorsementPanel()->isVisible());
    QVERIFY(!h.dialog->endorserEditor()->isVisible());
    QCOMPARE(h.dialog->focusWidget(), h.dialog->endorsedBox());
    for (const char *field : {"TAHSIL_BANKA", "TAHSIL_SUBE", "KIME_CIRO", "CIRO_EDEN"})
        QCOMPARE(textOf(h.ledger().value(field)), QStringLiteral("YOK"));
    // The new blank row is as untouched as one started from the main window.
    QVERIFY(!h.ledger().isModified());
    answerer.clearAsked();
    h.dialog->cancelChanges();
    QCOMPARE(answerer.asked().size(), 0);
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.fixture.readBack("museri_cek.db", {"CEK_NUMARASI"}).size(), std::size_t(1));
    QVERIFY(!forms::shared().musteriGirisAcik);
}

void tst_CustomerChequeDialog::cancelInEditModeRestoresStatus()
{
    Harness h;
    h.addCheque("BANKA TAHSİLDE");
    h.open(QStringLiteral("D"));
    h.pickStatus(QStringLiteral("CİRO EDİLDİ"));
    QVERIFY(h.dialog->endorsementPanel()->isVisible());
    ScriptedAnswerer answerer;
    h.dialog->cancelChanges();
    QCOMPARE(answerer.asked().size(), 0);
    QCOMPARE(h.dialog->statusEditor()->text(), QStringLiteral("BANKA TAHSİLDE"));
    QVERIFY(h.dialog->collectionPanel()->isVisible());
    QVERIFY(!h.dialog->endorsementPanel()->isVisible());
    // The restored built-in status ran its rule: the collection details are back, the endorsee is "YOK".
    QCOMPARE(textOf(h.ledger().value("TAHSIL_BANKA")), QStringLiteral("ZİRAAT"));
    QCOMPARE(textOf(h.ledger().value("KIME_CIRO")), QStringLiteral("YOK"));
    QVERIFY(h.ledger().isModified());
}

void tst_CustomerChequeDialog::droppedNewRowLeavesOtherChequeAlone()
{
    Harness h;
    h.addCheque("PORTFÖYDE");
    h.open(QStringLiteral("Y"));
    h.pickStatus(QStringLiteral("CİRO EDİLDİ"));
    typeInto(h.dialog->chequeNumberEditor(), QStringLiteral("M-9"));
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Yes)});
    h.dialog->cancelChanges();
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().size(), 1);
    QVERIFY(!h.dialog->isVisible());
    // The cheque that became current keeps its stale details: nothing was written into it.
    QCOMPARE(h.fixture.readBack("museri_cek.db", kDetailFields),
             (std::vector<std::vector<std::string>>{{"PORTFÖYDE", "ZİRAAT", "MERKEZ", "VELİ"}}));
    QCOMPARE(h.ledger().state(), engine::Table::State::Browse);
}

void tst_CustomerChequeDialog::closeQuestionClearsOpenFlag_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("savedRows");
    QTest::newRow("Yes: saved") << int(MessageButton::Yes) << false << 1;
    QTest::newRow("No: dropped") << int(MessageButton::No) << false << 0;
    QTest::newRow("Cancel: stays open") << int(MessageButton::Cancel) << true << 0;
}

void tst_CustomerChequeDialog::closeQuestionClearsOpenFlag()
{
    QFETCH(int, answer);
    QFETCH(bool, open);
    QFETCH(int, savedRows);
    Harness h;
    h.open(QStringLiteral("Y"));
    typeInto(h.dialog->holderEditor(), QStringLiteral("AYŞE"));
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton(answer))});
    h.dialog->close();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().buttons.size(), 3);
    QCOMPARE(h.dialog->isVisible(), open);
    QCOMPARE(forms::shared().musteriGirisAcik, open);
    QCOMPARE(int(h.fixture.readBack("museri_cek.db", {"HESAPSAHIBI"}).size()), savedRows);
    if (open)
        QCOMPARE(textOf(h.ledger().value("HESAPSAHIBI")), QStringLiteral("AYŞE"));
}

void tst_CustomerChequeDialog::bankDetailsPick_data()
{
    QTest::addColumn<bool>("emptyTable");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("holder");
    QTest::addColumn<QString>("focus");
    QTest::newRow("picked on an untouched cheque") << false << true << "ŞÜKRÜ ÇELİK" << "DBEdit9";
    QTest::newRow("given up") << false << false << "" << "DBEdit4";
    QTest::newRow("empty table: warning") << true << false << "" << "DBEdit5";
}

void tst_CustomerChequeDialog::bankDetailsPick()
{
    QFETCH(bool, emptyTable);
    QFETCH(bool, confirm);
    QFETCH(QString, holder);
    QFETCH(QString, focus);
    Harness h;
    if (!emptyTable) {
        h.fixture.addRow(TableId::CustomerBanks, {{"ADI_SOYADI", "AHMET"}, {"BANKA_ADI", "ZİRAAT"}});
        h.fixture.addRow(TableId::CustomerBanks,
                         {{"ADI_SOYADI", "ŞÜKRÜ ÇELİK"}, {"BANKA_ADI", "İŞ"}, {"SUBESI", "ULUS"}, {"HESAP_NO", "77"}});
    }
    h.addCheque("PORTFÖYDE");
    h.open(QStringLiteral("D"));
    h.dialog->chequeNumberEditor()->setFocus();
    ScriptedAnswerer answerer;
    if (!emptyTable)
        answerer.push(MessageReply::acting([&](QDialog *) {
            QTableView *grid = h.dialog->bankPicker()->grid();
            grid->setCurrentIndex(grid->model()->index(1, 0));
            (confirm ? h.dialog->bankPicker()->okButton() : h.dialog->bankPicker()->cancelButton())->click();
        }));
    QTest::keyClick(h.dialog->chequeNumberEditor(), Qt::Key_F8);
    QCOMPARE(answerer.unexpected(), emptyTable ? 1 : 0);
    if (emptyTable)
        QCOMPARE(answerer.asked().first().text, shown(QStringLiteral("\r\nTanımlı Hiçbir Sahış/Firma Banka Bilgileri Yok.")));
    QCOMPARE(h.dialog->focusWidget()->objectName(), focus);
    QCOMPARE(h.dialog->holderEditor()->text(), holder);
    QCOMPARE(h.ledger().state(), confirm ? engine::Table::State::Edit : engine::Table::State::Browse);
    if (confirm) {
        QCOMPARE(textOf(h.ledger().value("BANKASI")), QStringLiteral("İŞ"));
        QCOMPARE(textOf(h.ledger().value("SUBESI")), QStringLiteral("ULUS"));
        QCOMPARE(textOf(h.ledger().value("HESAPNO")), QStringLiteral("77"));
    }
}

void tst_CustomerChequeDialog::quickDefinition_data()
{
    QTest::addColumn<QString>("holder");
    QTest::addColumn<int>("answer"); // the "UYARI" question; 0 when not asked
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("firstMessage");
    QTest::newRow("only the holder") << "YENİ MÜŞTERİ" << 0 << 2 << "\r\nKayıt İşlemi Tamamlandı.";
    QTest::newRow("known in other case, Yes") << "ahmet" << int(MessageButton::Yes) << 2
                                              << "ahmet İsmiyle Banka Bilgi Tanımlama Bölümünde Kayıt Var.\r\nTANIMLAMAYA DEVAM EDİLSİN Mİ";
    QTest::newRow("known in other case, No") << "ahmet" << int(MessageButton::No) << 1
                                             << "ahmet İsmiyle Banka Bilgi Tanımlama Bölümünde Kayıt Var.\r\nTANIMLAMAYA DEVAM EDİLSİN Mİ";
    QTest::newRow("no holder") << "" << 0 << 1 << "\r\nEn azından Hesap Sahibi Bölümünü doldurun.";
}

void tst_CustomerChequeDialog::quickDefinition()
{
    QFETCH(QString, holder);
    QFETCH(int, answer);
    QFETCH(int, rows);
    QFETCH(QString, firstMessage);
    Harness h;
    h.fixture.addRow(TableId::CustomerBanks, {{"ADI_SOYADI", "AHMET"}, {"BANKA_ADI", "ZİRAAT"}});
    h.open(QStringLiteral("Y"));
    if (!holder.isEmpty())
        typeInto(h.dialog->holderEditor(), holder);
    ScriptedAnswerer answerer;
    if (answer)
        answerer.push(MessageButton(answer));
    QTest::keyClick(h.dialog->focusWidget(), Qt::Key_F7);
    QVERIFY(!answerer.asked().isEmpty());
    QCOMPARE(answerer.asked().first().text, shown(firstMessage));
    if (answer)
        QCOMPARE(answerer.asked().first().caption, QStringLiteral("UYARI"));
    const auto stored = h.fixture.readBack("museri_bilgileri.db", {"ADI_SOYADI", "BANKA_ADI", "SUBESI", "HESAP_NO"});
    QCOMPARE(int(stored.size()), rows);
    if (rows == 2) {
        QCOMPARE(stored[1], (std::vector<std::string>{holder.toStdString(), "", "", ""}));
        QCOMPARE(h.dialog->focusWidget(), h.dialog->statusEditor());
        // The picker opened now starts on the row just defined.
        engine::Table &banks = h.fixture.table(TableId::CustomerBanks);
        QCOMPARE(banks.position(), qint64(1));
    }
    if (holder.isEmpty())
        QCOMPARE(h.dialog->focusWidget(), h.dialog->holderEditor());
    // The cheque row itself is not changed by the definition.
    QCOMPARE(textOf(h.ledger().value("BANKASI")), QString());
}

QTEST_MAIN(tst_CustomerChequeDialog)
#include "tst_customerchequedialog.moc"
