#include "entryfixture.h"
#include "filewritelock.h"

#include "forms/entry/companychequedialog.h"
#include "forms/entry/statuspicker.h"
#include "widgets/colouredbutton.h"
#include "widgets/dataamountedit.h"
#include "widgets/datadateedit.h"
#include "widgets/datalineedit.h"
#include "widgets/datalookupcombo.h"
#include "widgets/datamemo.h"
#include "widgets/scriptedanswerer.h"

#include <QPushButton>
#include <QTableView>

using data::TableId;
using forms::CompanyChequeDialog;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

namespace {

const QString kNoChange = QStringLiteral("\r\nKayıt Üzerinde hiçbir değişiklik yapılmamış.");
const QString kCloseQuestion = QStringLiteral(
    "\r\nAktif Çek kaydı Üzerinde değişiklik olmuş.\r\n\r\nNe yapmak istersiniz.\r\n\r\n"
    "Evet   :Kaydet + çıkış\r\nHayıt  :İptal + çıkış\r\nİptal   :işlemi durdur");
const QString kCancelQuestion = QStringLiteral("\r\nKayıt Üzerinde Değişiklik Olmuş.\r\n\r\nİptal Edilip Ana Forma Dönülecek.");
const QString kPayeeQuestion = QStringLiteral("\r\nÇEKİ ALAN KİŞİ / FİRMA TANIMSIZ\r\n\r\nOTOMATİK TANIMLAMAK İSERMİSİNİZ.");
const std::vector<std::string> kFields{"VADE_TARIHI", "CEK_TUTARI", "BANKA_ADI", "CEK_NUMARASI", "CEKI_ALAN", "CEK_DURUMU"};

// One company ledger with its adapter and the dialog over its current row.
struct Harness
{
    EntryFixture fixture;
    widgets::TableAdapter adapter{fixture.table(TableId::CompanyCheques)};
    std::function<void()> bankDialog;
    std::unique_ptr<CompanyChequeDialog> dialog;

    engine::Table &ledger() { return fixture.table(TableId::CompanyCheques); }

    // A saved cheque to edit.
    void addCheque(const std::string &number, const std::string &status = "ÖDENMEDİ")
    {
        fixture.addRow(TableId::CompanyCheques, {{"CEK_NUMARASI", number}, {"CEK_DURUMU", status}});
    }

    void open(const QString &mode)
    {
        forms::shared().firmaGirisModu = mode;
        if (mode == QLatin1String("Y"))
            ledger().append();
        dialog = std::make_unique<CompanyChequeDialog>(adapter, *fixture.store, [this] {
            if (bankDialog)
                bankDialog();
        });
        showActive(dialog.get());
    }

    // Types a whole cheque: due date, amount, bank, number, payee.
    void typeCheque(const QString &number, const QString &payee = {})
    {
        typeInto(dialog->dueDateEditor(), QStringLiteral("15.03.2025"));
        typeInto(dialog->amountEditor(), typedAmount(1250, 50));
        typeInto(dialog->bankNameEditor(), QStringLiteral("ZİRAAT"));
        typeInto(dialog->chequeNumberEditor(), number);
        if (!payee.isEmpty())
            typeInto(dialog->payeeEditor(), payee);
    }

    std::vector<std::vector<std::string>> saved() { return fixture.readBack("firma_cek.db", kFields); }
};

MessageReply answerQuestion(int key)
{
    return MessageReply::acting([key](QDialog *question) { QTest::keyClick(question, Qt::Key(key)); });
}

} // namespace

class tst_CompanyChequeDialog : public QObject
{
    Q_OBJECT

private slots:
    void newAndSave_data();
    void newAndSave();
    void saveWithoutChanges();
    void cancel_data();
    void cancel();
    void closeQuestion_data();
    void closeQuestion();
    void badInputKeepsDialogOpen_data();
    void badInputKeepsDialogOpen();
    void failedPostKeepsTypedValues();
    void payeeCheck_data();
    void payeeCheck();
    void statusPick_data();
    void statusPick();
    void statusPickOnEmptyTable();
    void bankPick_data();
    void bankPick();
    void runsThroughMessageService();
    void enterMovesOn();
};

void tst_CompanyChequeDialog::newAndSave_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("open");
    QTest::newRow("F1 new cheque") << int(Qt::Key_F1) << "FİRMA ÇEK GİRİŞİ [YENİ KAYIT]" << true;
    QTest::newRow("F2 stay") << int(Qt::Key_F2) << "FİRMA ÇEK GİRİŞİ [KAYIT GÜNCELLEME]" << true;
    QTest::newRow("F3 leave") << int(Qt::Key_F3) << "FİRMA ÇEK GİRİŞİ [KAYIT GÜNCELLEME]" << false;
    QTest::newRow("question closed means stay") << int(Qt::Key_Escape) << "FİRMA ÇEK GİRİŞİ [KAYIT GÜNCELLEME]" << true;
}

void tst_CompanyChequeDialog::newAndSave()
{
    QFETCH(int, key);
    QFETCH(QString, caption);
    QFETCH(bool, open);
    Harness h;
    h.fixture.addRow(TableId::Payees, {{"CEKI_ALAN_KISI", "AHMET YILMAZ"}});
    h.open(QStringLiteral("Y"));
    QCOMPARE(h.dialog->windowTitle(), QStringLiteral("FİRMA ÇEK GİRİŞİ [YENİ KAYIT]"));
    h.typeCheque(QStringLiteral("A-100"), QStringLiteral("AHMET YILMAZ"));

    ScriptedAnswerer answerer({answerQuestion(key)});
    QTest::keyClick(h.dialog->chequeNumberEditor(), Qt::Key_F5);
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Dialog);

    const auto rows = h.saved();
    QCOMPARE(rows.size(), std::size_t(1));
    QCOMPARE(rows[0], (std::vector<std::string>{"15.03.2025", "125050", "ZİRAAT", "A-100", "AHMET YILMAZ", ""}));
    QCOMPARE(h.dialog->isVisible(), open);
    QCOMPARE(h.dialog->windowTitle(), caption);
    if (key == Qt::Key_F1) {
        QCOMPARE(forms::shared().firmaGirisModu, QStringLiteral("Y"));
        QCOMPARE(h.ledger().state(), engine::Table::State::Insert);
        QVERIFY(h.dialog->chequeNumberEditor()->text().isEmpty());
        QVERIFY(h.dialog->dueDateEditor()->text().isEmpty());
        QCOMPARE(QApplication::focusWidget(), h.dialog->dueDateEditor());
    } else if (open) {
        // Staying on the saved cheque: a second save finds nothing to save.
        QCOMPARE(forms::shared().firmaGirisModu, QStringLiteral("D"));
        answerer.clearAsked();
        h.dialog->save();
        QCOMPARE(answerer.asked().size(), 1);
        QCOMPARE(answerer.asked().first().text, shown(kNoChange));
    } else {
        QCOMPARE(h.ledger().state(), engine::Table::State::Browse);
    }
}

void tst_CompanyChequeDialog::saveWithoutChanges()
{
    Harness h;
    h.open(QStringLiteral("Y"));
    ScriptedAnswerer answerer;
    h.dialog->save();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, shown(kNoChange));
    QVERIFY(h.dialog->isVisible());
    // Closing drops the blank row without asking.
    QVERIFY(h.dialog->requestClose());
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(h.ledger().state(), engine::Table::State::Browse);
    QVERIFY(h.saved().empty());
}

void tst_CompanyChequeDialog::cancel_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::addColumn<bool>("open");
    QTest::addColumn<QString>("shownNumber");
    QTest::addColumn<int>("savedRows");
    QTest::newRow("new, untouched: closes") << "Y" << false << 0 << false << "" << 1;
    QTest::newRow("new, typed, Yes: dropped") << "Y" << true << int(MessageButton::Yes) << false << "" << 1;
    QTest::newRow("new, typed, No: kept") << "Y" << true << int(MessageButton::No) << true << "B-2" << 1;
    QTest::newRow("edit, typed: reverted silently") << "D" << true << 0 << true << "OLD-1" << 1;
    QTest::newRow("edit, untouched: nothing") << "D" << false << 0 << true << "OLD-1" << 1;
}

void tst_CompanyChequeDialog::cancel()
{
    QFETCH(QString, mode);
    QFETCH(bool, typed);
    QFETCH(int, answer);
    QFETCH(bool, open);
    QFETCH(QString, shownNumber);
    QFETCH(int, savedRows);
    Harness h;
    h.addCheque("OLD-1");
    h.open(mode);
    if (typed)
        typeInto(h.dialog->chequeNumberEditor(), QStringLiteral("B-2"));
    ScriptedAnswerer answerer;
    if (answer)
        answerer.push(MessageButton(answer));
    QTest::keyClick(h.dialog->chequeNumberEditor(), Qt::Key_F9);
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().size(), answer ? 1 : 0);
    if (answer)
        QCOMPARE(answerer.asked().first().text, shown(kCancelQuestion));
    QCOMPARE(h.dialog->isVisible(), open);
    if (open)
        QCOMPARE(h.dialog->chequeNumberEditor()->text(), shownNumber);
    if (!open || mode == QLatin1String("D"))
        QVERIFY(!h.ledger().isModified());
    // A second İPTAL in edit mode does nothing.
    if (open && mode == QLatin1String("D")) {
        h.dialog->cancelChanges();
        QCOMPARE(answerer.asked().size(), 0);
        QVERIFY(h.dialog->isVisible());
    }
    QCOMPARE(int(h.saved().size()), savedRows);
    QCOMPARE(h.saved()[0][3], std::string("OLD-1"));
}

void tst_CompanyChequeDialog::closeQuestion_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("open");
    QTest::addColumn<int>("savedRows");
    QTest::newRow("F12, Yes: saved") << "f12" << int(MessageButton::Yes) << false << 1;
    QTest::newRow("F12, No: dropped") << "f12" << int(MessageButton::No) << false << 0;
    QTest::newRow("F12, Cancel: stays") << "f12" << int(MessageButton::Cancel) << true << 0;
    QTest::newRow("close box, Yes: saved") << "box" << int(MessageButton::Yes) << false << 1;
    QTest::newRow("close box, No: dropped") << "box" << int(MessageButton::No) << false << 0;
    QTest::newRow("close box, Cancel: stays") << "box" << int(MessageButton::Cancel) << true << 0;
    QTest::newRow("ÇIKIŞ button, Cancel: stays") << "button" << int(MessageButton::Cancel) << true << 0;
}

void tst_CompanyChequeDialog::closeQuestion()
{
    QFETCH(QString, how);
    QFETCH(int, answer);
    QFETCH(bool, open);
    QFETCH(int, savedRows);
    Harness h;
    h.open(QStringLiteral("Y"));
    h.typeCheque(QStringLiteral("C-3"));
    typeInto(h.dialog->noteEditor(), QStringLiteral("not yazılıyor"));
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton(answer))});
    if (how == QLatin1String("f12"))
        QTest::keyClick(h.dialog->noteEditor(), Qt::Key_F12);
    else if (how == QLatin1String("box"))
        h.dialog->close();
    else
        h.dialog->exitButton()->click();
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Confirmation);
    QCOMPARE(answerer.asked().first().text, shown(kCloseQuestion));
    QCOMPARE(answerer.asked().first().buttons,
             (QList<MessageButton>{MessageButton::Yes, MessageButton::No, MessageButton::Cancel}));
    QCOMPARE(h.dialog->isVisible(), open);
    QCOMPARE(int(h.saved().size()), savedRows);
    if (open) {
        // Nothing lost: the row is still being inserted with every typed value.
        QCOMPARE(h.ledger().state(), engine::Table::State::Insert);
        QVERIFY(h.ledger().isModified());
        QCOMPARE(h.dialog->chequeNumberEditor()->text(), QStringLiteral("C-3"));
        QCOMPARE(h.dialog->noteEditor()->toPlainText(), QStringLiteral("not yazılıyor"));
        QCOMPARE(textOf(h.ledger().value("ACIKLAMA")), QStringLiteral("not yazılıyor"));
    } else {
        QCOMPARE(h.ledger().state(), engine::Table::State::Browse);
        if (savedRows)
            QCOMPARE(textOf(h.ledger().value("ACIKLAMA")), QStringLiteral("not yazılıyor"));
    }
}

void tst_CompanyChequeDialog::badInputKeepsDialogOpen_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QString>("how");
    QTest::newRow("no such day, save") << "date" << "31.02.2025" << "Bu ayda böyle bir gün yok." << "save";
    QTest::newRow("month 13, close") << "date" << "01.13.2025" << "Ay 01 ile 12 arasında olmalı." << "close";
    QTest::newRow("letters in a date, cancel") << "date" << "1a.02.2025" << "" << "cancel";
    QTest::newRow("letters in an amount, save") << "amount" << "12x4" << "" << "save";
    QTest::newRow("three decimals, close box") << "amount" << "1.234.567" << "" << "box";
}

void tst_CompanyChequeDialog::badInputKeepsDialogOpen()
{
    QFETCH(QString, editor);
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    QFETCH(QString, how);
    Harness h;
    h.open(QStringLiteral("Y"));
    typeInto(h.dialog->chequeNumberEditor(), QStringLiteral("D-4"));
    QLineEdit *bad = editor == QLatin1String("date") ? static_cast<QLineEdit *>(h.dialog->dueDateEditor())
                                                      : h.dialog->amountEditor();
    typeInto(bad, typed);
    ScriptedAnswerer answerer;
    if (how == QLatin1String("save"))
        h.dialog->save();
    else if (how == QLatin1String("close"))
        QTest::keyClick(bad, Qt::Key_F12);
    else if (how == QLatin1String("cancel"))
        h.dialog->cancelChanges();
    else
        h.dialog->close();
    QCOMPARE(answerer.asked().size(), 1);
    const QString message = answerer.asked().first().text;
    QVERIFY2(message.startsWith(QStringLiteral("'%1' geçerli bir %2 değil.")
                                    .arg(typed, editor == QLatin1String("date") ? QStringLiteral("tarih") : QStringLiteral("tutar"))),
             qPrintable(message));
    if (!reason.isEmpty())
        QVERIFY2(message.contains(reason), qPrintable(message));
    QVERIFY(h.dialog->isVisible());
    QCOMPARE(h.dialog->focusWidget(), bad);
    QCOMPARE(bad->text(), typed);
    QCOMPARE(h.ledger().state(), engine::Table::State::Insert);
    QVERIFY(h.saved().empty());
}

void tst_CompanyChequeDialog::failedPostKeepsTypedValues()
{
    Harness h;
    h.open(QStringLiteral("Y"));
    h.typeCheque(QStringLiteral("E-5"));
    {
        // Another program is writing to the ledger file: the post is refused.
        const FileWriteLock otherProgram(h.fixture.store->folder() / "firma_cek.db");
        QVERIFY(otherProgram.isLocked());
        ScriptedAnswerer answerer;
        h.dialog->save();
        QCOMPARE(answerer.asked().size(), 1);
        QCOMPARE(answerer.asked().first().kind, MessageKind::Failure);
        QVERIFY(!answerer.asked().first().text.isEmpty());
        QVERIFY(h.dialog->isVisible());
        QCOMPARE(h.ledger().state(), engine::Table::State::Insert);
        QCOMPARE(h.dialog->chequeNumberEditor()->text(), QStringLiteral("E-5"));
        QCOMPARE(textOf(h.ledger().value("CEK_NUMARASI")), QStringLiteral("E-5"));
    }
    ScriptedAnswerer answerer({answerQuestion(Qt::Key_F3)});
    h.dialog->save();
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.saved().size(), std::size_t(1));
}

void tst_CompanyChequeDialog::payeeCheck_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer"); // 0: no question
    QTest::addColumn<QStringList>("payees");
    QTest::newRow("defined, other case: no question") << "ahmet yılmaz" << 0 << QStringList{"AHMET YILMAZ"};
    QTest::newRow("only blanks: no question") << "   " << 0 << QStringList{"AHMET YILMAZ"};
    QTest::newRow("undefined, Yes: defined as typed") << "Şükrü Öz " << int(MessageButton::Yes)
                                                       << QStringList{"AHMET YILMAZ", "Şükrü Öz "};
    QTest::newRow("undefined, No: cheque keeps it") << "VELİ KAYA" << int(MessageButton::No) << QStringList{"AHMET YILMAZ"};
}

void tst_CompanyChequeDialog::payeeCheck()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(QStringList, payees);
    Harness h;
    h.fixture.addRow(TableId::Payees, {{"CEKI_ALAN_KISI", "AHMET YILMAZ"}});
    h.open(QStringLiteral("Y"));
    typeInto(h.dialog->chequeNumberEditor(), QStringLiteral("F-6"));
    typeInto(h.dialog->payeeEditor(), typed);
    ScriptedAnswerer answerer;
    if (answer)
        answerer.push(MessageButton(answer));
    // Leaving the combo runs the check.
    h.dialog->statusEditor()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(answerer.asked().size(), answer ? 1 : 0);
    if (answer)
        QCOMPARE(answerer.asked().first().text, shown(kPayeeQuestion));

    QStringList stored;
    for (const auto &row : h.fixture.readBack("firmadan_ceki_alan.db", {"CEKI_ALAN_KISI"}))
        stored << QString::fromStdString(row[0]);
    stored.sort();
    payees.sort();
    QCOMPARE(stored, payees);
    QCOMPARE(textOf(h.ledger().value("CEKI_ALAN")), typed);
    QCOMPARE(h.ledger().state(), engine::Table::State::Insert);
}

void tst_CompanyChequeDialog::statusPick_data()
{
    QTest::addColumn<QString>("present");
    QTest::addColumn<int>("highlighted");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("result");
    QTest::newRow("other case opens on it") << "ödenmedi" << 1 << true << "İADE ALINDI";
    QTest::newRow("unknown status opens on the first") << "KAYIP" << 0 << true << "İADE ALINDI";
    QTest::newRow("VAZGEÇ keeps the status") << "ÖDENDE" << 0 << false << "ÖDENDE";
}

void tst_CompanyChequeDialog::statusPick()
{
    QFETCH(QString, present);
    QFETCH(int, highlighted);
    QFETCH(bool, confirm);
    QFETCH(QString, result);
    Harness h;
    h.addCheque("G-7", present.toStdString());
    h.open(QStringLiteral("D"));
    h.dialog->statusEditor()->setFocus();
    ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *) {
        forms::StatusPicker *picker = h.dialog->statusPicker();
        QTableView *grid = picker->shownGrid();
        QCOMPARE(grid, picker->companyGrid());
        QCOMPARE(grid->currentIndex().row(), highlighted);
        grid->setCurrentIndex(grid->model()->index(2, 0));
        (confirm ? picker->okButton() : picker->cancelButton())->click();
    })});
    QTest::keyClick(h.dialog->statusEditor(), Qt::Key_F1);
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(h.dialog->statusEditor()->text(), result);
    QCOMPARE(h.ledger().isModified(), confirm);
    // F1 elsewhere does nothing.
    answerer.clearAsked();
    h.dialog->chequeNumberEditor()->setFocus();
    QTest::keyClick(h.dialog->chequeNumberEditor(), Qt::Key_F1);
    QCOMPARE(answerer.asked().size(), 0);
}

void tst_CompanyChequeDialog::statusPickOnEmptyTable()
{
    Harness h;
    engine::Table &statuses = h.fixture.table(TableId::CompanyStatuses);
    while (!statuses.isEmpty())
        statuses.remove();
    h.open(QStringLiteral("Y"));
    ScriptedAnswerer answerer;
    h.dialog->pickStatus();
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Warning);
    QCOMPARE(answerer.asked().first().text, shown(QStringLiteral("\r\nTANIMLI ÇEK DURUMU YOK.")));
}

void tst_CompanyChequeDialog::bankPick_data()
{
    QTest::addColumn<bool>("picked");
    QTest::addColumn<bool>("emptyTable");
    QTest::addColumn<QString>("bank");
    QTest::addColumn<QString>("focus");
    QTest::newRow("picked: copied") << true << false << "İŞ BANKASI" << "DBEdit6";
    QTest::newRow("given up: nothing") << false << false << "ELDEKİ" << "DBEdit3";
    QTest::newRow("picked on an empty table: warning") << true << true << "ELDEKİ" << "DBEdit3";
}

void tst_CompanyChequeDialog::bankPick()
{
    QFETCH(bool, picked);
    QFETCH(bool, emptyTable);
    QFETCH(QString, bank);
    QFETCH(QString, focus);
    Harness h;
    if (!emptyTable) {
        h.fixture.addRow(TableId::CompanyBanks, {{"BANKA_ADI", "ZİRAAT"}, {"SUBE_ADI", "MERKEZ"}, {"HESAP_NUMARASI", "1"}});
        h.fixture.addRow(TableId::CompanyBanks, {{"BANKA_ADI", "İŞ BANKASI"}, {"SUBE_ADI", "KIZILAY"}, {"HESAP_NUMARASI", "2"}});
    }
    h.addCheque("H-8");
    QString modeSeen;
    h.bankDialog = [&] {
        modeSeen = forms::shared().bankaTanimModu;
        h.fixture.table(TableId::CompanyBanks).moveTo(1);
        forms::shared().bankaSecildi = picked;
    };
    h.open(QStringLiteral("D"));
    typeInto(h.dialog->bankNameEditor(), QStringLiteral("ELDEKİ"));
    ScriptedAnswerer answerer;
    QTest::keyClick(h.dialog->bankNameEditor(), Qt::Key_F8);
    QApplication::processEvents();
    QCOMPARE(modeSeen, QStringLiteral("S"));
    QCOMPARE(answerer.asked().size(), emptyTable ? 1 : 0);
    if (emptyTable)
        QCOMPARE(answerer.asked().first().text, shown(QStringLiteral("\r\nTanımlı Firma Banka Tanımı Yok.")));
    QCOMPARE(h.dialog->focusWidget()->objectName(), focus);
    QCOMPARE(h.dialog->bankNameEditor()->text(), bank);
    if (picked && !emptyTable) {
        QCOMPARE(textOf(h.ledger().value("BANKA_SUBESI")), QStringLiteral("KIZILAY"));
        QCOMPARE(textOf(h.ledger().value("HESAP_NUMARASI")), QStringLiteral("2"));
    }
}

void tst_CompanyChequeDialog::runsThroughMessageService()
{
    Harness h;
    forms::shared().firmaGirisModu = QStringLiteral("Y");
    h.ledger().append();
    ScriptedAnswerer answerer({MessageReply::acting([](QDialog *dialog) {
                                   auto *entry = static_cast<CompanyChequeDialog *>(dialog);
                                   QCOMPARE(entry->windowTitle(), QStringLiteral("FİRMA ÇEK GİRİŞİ [YENİ KAYIT]"));
                                   typeInto(entry->chequeNumberEditor(), QStringLiteral("I-9"));
                                   entry->save();
                               }),
                               answerQuestion(Qt::Key_F3)});
    forms::runCompanyChequeEntry(h.adapter, *h.fixture.store, {});
    QCOMPARE(answerer.unexpected(), 0);
    QCOMPARE(h.ledger().state(), engine::Table::State::Browse);
    QCOMPARE(h.saved().size(), std::size_t(1));
}

void tst_CompanyChequeDialog::enterMovesOn()
{
    Harness h;
    h.open(QStringLiteral("Y"));
    typeInto(h.dialog->dueDateEditor(), QStringLiteral("1.4.25"));
    QTest::keyClick(h.dialog->dueDateEditor(), Qt::Key_Return);
    QApplication::processEvents();
    QCOMPARE(h.dialog->focusWidget(), h.dialog->amountEditor());
    QCOMPARE(h.ledger().value("VADE_TARIHI"), engine::Value(text::Date{2025, 4, 1}));
    // In the note, Enter moves on too; Ctrl+Enter breaks the line.
    h.dialog->noteEditor()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClicks(h.dialog->noteEditor(), QStringLiteral("a"));
    QTest::keyClick(h.dialog->noteEditor(), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(h.dialog->noteEditor(), QStringLiteral("b"));
    QCOMPARE(h.dialog->noteEditor()->toPlainText(), QStringLiteral("a\nb"));
    QTest::keyClick(h.dialog->noteEditor(), Qt::Key_Return);
    QApplication::processEvents();
    QVERIFY(h.dialog->focusWidget() != h.dialog->noteEditor());
    QCOMPARE(textOf(h.ledger().value("ACIKLAMA")), QStringLiteral("a\nb"));
}

QTEST_MAIN(tst_CompanyChequeDialog)
#include "tst_companychequedialog.moc"
