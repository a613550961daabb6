#include "entryfixture.h"

#include "widgets/dataamountedit.h"
#include "widgets/datadateedit.h"
#include "widgets/datalineedit.h"
#include "widgets/datalookupcombo.h"
#include "widgets/datamemo.h"
#include "widgets/scriptedanswerer.h"

#include <QVBoxLayout>

using data::TableId;
using widgets::DataEditor;

// The data-aware editors on the company ledger, one window holding one of each.
class tst_DataEditors : public QObject
{
    Q_OBJECT

private slots:
    void widthIsTheFieldsWidth();
    void dateCompletion_data();
    void dateCompletion();
    void amountForms_data();
    void amountForms();
    void leavingWritesIntoTheRow();
    void focusColours();
    void lookupListFollowsTheTable();
    void memoLimit();
};

namespace {

struct Window
{
    EntryFixture fixture;
    widgets::TableAdapter adapter{fixture.table(TableId::CompanyCheques)};
    QWidget window;
    widgets::DataLineEdit *bank = new widgets::DataLineEdit(adapter, QStringLiteral("BANKA_ADI"), &window);
    widgets::DataLineEdit *account = new widgets::DataLineEdit(adapter, QStringLiteral("HESAP_NUMARASI"), &window);
    widgets::DataDateEdit *date = new widgets::DataDateEdit(adapter, QStringLiteral("VADE_TARIHI"), &window);
    widgets::DataAmountEdit *amount = new widgets::DataAmountEdit(adapter, QStringLiteral("CEK_TUTARI"), &window);
    widgets::DataMemo *note = new widgets::DataMemo(adapter, QStringLiteral("ACIKLAMA"), &window);
    widgets::DataLookupCombo *payee = new widgets::DataLookupCombo(
        adapter, QStringLiteral("CEKI_ALAN"), fixture.table(TableId::Payees), QStringLiteral("CEKI_ALAN_KISI"), &window);

    Window()
    {
        auto *layout = new QVBoxLayout(&window);
        for (QWidget *w : std::initializer_list<QWidget *>{bank, account, date, amount, note, payee})
            layout->addWidget(w);
    }
    engine::Table &ledger() { return fixture.table(TableId::CompanyCheques); }
};

} // namespace

void tst_DataEditors::widthIsTheFieldsWidth()
{
    Window w;
    QCOMPARE(w.bank->maxLength(), 40);
    QCOMPARE(w.account->maxLength(), 30);
}

void tst_DataEditors::dateCompletion_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("completed");
    QTest::newRow("two-digit year 49 is 2049") << "1.2.49" << "01.02.2049";
    QTest::newRow("two-digit year 50 is 1950") << "31.12.50" << "31.12.1950";
    QTest::newRow("whole date unchanged") << "05.06.2024" << "05.06.2024";
    QTest::newRow("not a date unchanged") << "5 Haziran" << "5 Haziran";
}

void tst_DataEditors::dateCompletion()
{
    QFETCH(QString, typed);
    QFETCH(QString, completed);
    QCOMPARE(widgets::DataDateEdit::completeDate(typed), completed);
}

void tst_DataEditors::amountForms_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("edit");
    QTest::newRow("Turkish marks") << "tr_TR" << "1.234.567,50" << "1234567,50";
    QTest::newRow("English marks") << "en_US" << "1,234,567.50" << "1234567.50";
}

void tst_DataEditors::amountForms()
{
    QFETCH(QString, locale);
    QFETCH(QString, display);
    QFETCH(QString, edit);
    Window w;
    w.amount->setNumberLocale(QLocale(locale));
    w.ledger().append();
    w.ledger().setValue("CEK_TUTARI", engine::Value(std::int64_t(123456750)));
    showActive(&w.window);
    w.bank->setFocus();
    QApplication::processEvents();
    QCOMPARE(w.amount->text(), display);
    w.amount->setFocus();
    QApplication::processEvents();
    QCOMPARE(w.amount->text(), edit);
    // Typed with grouping marks, read all the same.
    typeInto(w.amount, display.left(5));
    w.bank->setFocus();
    QApplication::processEvents();
    QCOMPARE(w.ledger().value("CEK_TUTARI"), engine::Value(std::int64_t(123400)));
}

void tst_DataEditors::leavingWritesIntoTheRow()
{
    Window w;
    w.fixture.addRow(TableId::CompanyCheques, {{"BANKA_ADI", "ESKİ"}});
    showActive(&w.window);
    QCOMPARE(w.bank->text(), QStringLiteral("ESKİ"));
    QCOMPARE(w.ledger().state(), engine::Table::State::Browse);
    typeInto(w.bank, QStringLiteral("YENİ"));
    typeInto(w.date, QStringLiteral("7.8.25"));
    w.bank->setFocus();
    QApplication::processEvents();
    // Leaving put the table into edit state and wrote the values.
    QCOMPARE(w.ledger().state(), engine::Table::State::Edit);
    QCOMPARE(textOf(w.ledger().value("BANKA_ADI")), QStringLiteral("YENİ"));
    QCOMPARE(w.ledger().value("VADE_TARIHI"), engine::Value(text::Date{2025, 8, 7}));
    QCOMPARE(w.date->text(), QStringLiteral("07.08.2025"));
    // An emptied editor writes an empty text.
    typeInto(w.bank, QString());
    w.note->setFocus();
    QApplication::processEvents();
    QCOMPARE(w.ledger().value("BANKA_ADI"), engine::Value(std::string()));
    // Cancel shows the row as saved.
    w.ledger().cancel();
    QCOMPARE(w.bank->text(), QStringLiteral("ESKİ"));
    QVERIFY(w.date->text().isEmpty());
}

void tst_DataEditors::focusColours()
{
    Window w;
    showActive(&w.window);
    w.bank->setFocus();
    QApplication::processEvents();
    QCOMPARE(w.bank->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(w.account->palette().color(QPalette::Base), QColor(217, 214, 198));
    w.account->setFocus();
    QApplication::processEvents();
    QCOMPARE(w.bank->palette().color(QPalette::Base), QColor(217, 214, 198));
    QCOMPARE(w.account->palette().color(QPalette::Base), QColor(Qt::white));
}

void tst_DataEditors::lookupListFollowsTheTable()
{
    Window w;
    w.fixture.addRow(TableId::Payees, {{"CEKI_ALAN_KISI", "ZEYNEP"}});
    w.fixture.addRow(TableId::Payees, {{"CEKI_ALAN_KISI", "ÇAĞLAR"}});
    w.payee->reloadList();
    QStringList items;
    for (int i = 0; i < w.payee->count(); ++i)
        items << w.payee->itemText(i);
    QCOMPARE(items, (QStringList{"ÇAĞLAR", "ZEYNEP"}));
}

void tst_DataEditors::memoLimit()
{
    Window w;
    w.note->setMaxLength(5);
    w.note->insertPlainText(QStringLiteral("ışıklar"));
    QCOMPARE(w.note->toPlainText(), QStringLiteral("ışıkl"));
    QVERIFY(w.note->hasPendingText());
}

QTEST_MAIN(tst_DataEditors)
#include "tst_dataeditors.moc"
