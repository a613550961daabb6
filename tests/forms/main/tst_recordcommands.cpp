#include "mainwindowfixture.h"
#include "fspath.h"

#include "engine/table.h"
#include "forms/main/ledgerpage.h"
#include "forms/main/recordcommands.h"
#include "filewritelock.h"
#include "forms/sharedstate.h"
#include "widgets/incrementalsearch.h"
#include "widgets/ledgergrid.h"
#include "widgets/sortkeybox.h"

#include <QLabel>
#include <QToolButton>
#include <QtTest>

using data::TableId;
using widgets::MessageButton;

namespace {

QString payeeOf(LedgerPage *page)
{
    const bool company = page->table().fieldIndex("CEKI_ALAN") >= 0;
    const engine::Value &value = page->table().value(company ? "CEKI_ALAN" : "HESAPSAHIBI");
    return std::holds_alternative<std::string>(value) ? QString::fromStdString(std::get<std::string>(value)) : QString();
}

} // namespace

class tst_RecordCommands : public QObject
{
    Q_OBJECT

private slots:
    void keysReachTheCurrentPage_data();
    void keysReachTheCurrentPage();
    void emptyLedgerWarns_data();
    void emptyLedgerWarns();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void deleteRemovesTheRowShownAfterSortAndSearch();
    void deleteRefusedByTheEngineKeepsTheRow();
    void navigationStopsAtBothEnds();
    void nearestMatchWithTurkishLetters_data();
    void nearestMatchWithTurkishLetters();
    void emptiedSearchBoxGoesToTheTop();
    void sortPickFocusesTheClearedSearchBox();
    void unopenedLedgerRefusesCommands_data();
    void unopenedLedgerRefusesCommands();
};

void tst_RecordCommands::keysReachTheCurrentPage_data()
{
    QTest::addColumn<bool>("customerPage");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("mode");
    QTest::newRow("F2 on company") << false << int(Qt::Key_F2) << "company" << "Y";
    QTest::newRow("F5 on company") << false << int(Qt::Key_F5) << "company" << "D";
    QTest::newRow("F2 on customer") << true << int(Qt::Key_F2) << "customer" << "Y";
    QTest::newRow("F5 on customer") << true << int(Qt::Key_F5) << "customer" << "D";
}

void tst_RecordCommands::keysReachTheCurrentPage()
{
    QFETCH(bool, customerPage);
    QFETCH(int, key);
    QFETCH(QString, dialog);
    QFETCH(QString, mode);
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Firma", {}, 1}});
    f.addCheques(TableId::CustomerCheques, {{"Müşteri", {}, 1}});
    MainWindow &w = f.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QString shown, seenMode;
    engine::Table::State seenState{};
    w.recordCommands().setCompanyEntryDialog([&] {
        shown = "company";
        seenMode = forms::shared().firmaGirisModu;
        seenState = w.companyPage()->table().state();
    });
    w.recordCommands().setCustomerEntryDialog([&] {
        shown = "customer";
        seenMode = forms::shared().musteriGirisModu;
        seenState = w.customerPage()->table().state();
    });
    if (customerPage)
        w.topBarButton("SpeedButton2")->click();
    QTest::keyClick(&w, Qt::Key(key));
    QCOMPARE(shown, dialog);
    QCOMPARE(seenMode, mode);
    QCOMPARE(seenState, mode == u"Y" ? engine::Table::State::Insert : engine::Table::State::Browse);
    // A row appended for a new cheque and never saved is gone afterwards.
    QCOMPARE(w.currentPage()->table().state(), engine::Table::State::Browse);
    QCOMPARE(w.currentPage()->table().rowCount(), std::int64_t(1));

    // Double click edits the row under the mouse.
    shown.clear();
    widgets::LedgerGrid *grid = w.currentPage()->grid();
    const QRect cell = grid->visualRect(grid->model()->index(0, 0));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QCOMPARE(shown, dialog);
    QCOMPARE(seenMode, QStringLiteral("D"));
}

void tst_RecordCommands::emptyLedgerWarns_data()
{
    QTest::addColumn<bool>("customerPage");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("warning");
    QTest::newRow("edit company") << false << int(Qt::Key_F5) << "\nHiç bir Tanımlı Firma Çeki Yok.";
    QTest::newRow("delete company") << false << int(Qt::Key_F9) << "\nHiç bir Tanımlı Firma Çeki Yok.";
    QTest::newRow("edit customer") << true << int(Qt::Key_F5) << "\nTanımlı hiçbir Müşteri Çeki Yok.";
    QTest::newRow("delete customer") << true << int(Qt::Key_F9) << "\nTanımlı hiçbir Müşteri Çeki Yok.";
}

void tst_RecordCommands::emptyLedgerWarns()
{
    QFETCH(bool, customerPage);
    QFETCH(int, key);
    QFETCH(QString, warning);
    MainWindowFixture f;
    MainWindow &w = f.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    bool dialogShown = false;
    w.recordCommands().setCompanyEntryDialog([&] { dialogShown = true; });
    w.recordCommands().setCustomerEntryDialog([&] { dialogShown = true; });
    if (customerPage)
        w.topBarButton("SpeedButton2")->click();
    QTest::keyClick(&w, Qt::Key(key));
    QVERIFY(!dialogShown);
    QCOMPARE(f.answerer.asked().size(), 1);
    QCOMPARE(f.answerer.asked().first().kind, widgets::MessageKind::Warning);
    QCOMPARE(f.answerer.asked().first().text, warning);
}

void tst_RecordCommands::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("customerPage");
    QTest::addColumn<int>("answer");
    QTest::addColumn<qint64>("rowsAfter");
    QTest::newRow("company, No") << false << int(MessageButton::No) << qint64(3);
    QTest::newRow("company, Yes") << false << int(MessageButton::Yes) << qint64(2);
    QTest::newRow("customer, closed") << true << int(MessageButton::None) << qint64(3);
    QTest::newRow("customer, Yes") << true << int(MessageButton::Yes) << qint64(2);
}

void tst_RecordCommands::deleteAsksFirst()
{
    QFETCH(bool, customerPage);
    QFETCH(int, answer);
    QFETCH(qint64, rowsAfter);
    MainWindowFixture f;
    const TableId id = customerPage ? TableId::CustomerCheques : TableId::CompanyCheques;
    f.addCheques(id, {{"Bir", QDate::currentDate(), 1}, {"İki", QDate::currentDate(), 2}, {"Üç", {}, 3}});
    MainWindow &w = f.show();
    if (customerPage)
        w.topBarButton("SpeedButton2")->click();
    LedgerPage *page = w.currentPage();
    page->table().moveTo(1);
    f.answerer.push(widgets::MessageReply::pressed(MessageButton(answer)));
    page->deleteButton()->click();
    QCOMPARE(f.answerer.asked().size(), 1);
    QCOMPARE(f.answerer.asked().first().kind, widgets::MessageKind::Confirmation);
    QCOMPARE(f.answerer.asked().first().text,
             customerPage ? QStringLiteral("AKTİF MÜŞTERİ ÇEKİ SİLİNECEK.\n\nDEVAM EDİLSİN Mİ?")
                          : QStringLiteral("AKTİF FİRMA ÇEKİ SİLİNECEK.\n\nDEVAM EDİLSİN Mİ?"));
    QCOMPARE(page->table().rowCount(), rowsAfter);
    QCOMPARE(w.shownCountLabel()->text(), QStringLiteral("Gösterilen Çek Sayısı :%1").arg(rowsAfter));
    QCOMPARE(payeeOf(page), rowsAfter == 3 ? QStringLiteral("İki") : QStringLiteral("Üç"));
    QVERIFY(w.warningLabel()->text().startsWith(
        QStringLiteral("Vadesi Dolan Çek Sayısı:%1").arg(rowsAfter == 3 ? 2 : 1)));
}

void tst_RecordCommands::deleteRemovesTheRowShownAfterSortAndSearch()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Zeki", {}, 1}, {"Çetin", {}, 2}, {"Ilgın", {}, 3}, {"İlker", {}, 4}});
    MainWindow &w = f.show();
    LedgerPage *page = w.companyPage();
    page->sortKeyBox()->setCurrentIndex(1); // ÇEK NUMARASI, the payee's name here
    emit page->sortKeyBox()->activated(1);
    QCOMPARE(QString::fromStdString(page->table().activeIndex()), QStringLiteral("IN_CEKNO"));
    page->searchBox()->setText(QStringLiteral("İ"));
    page->searchBox()->searchNow();
    QCOMPARE(payeeOf(page), QStringLiteral("İlker"));
    QCOMPARE(page->grid()->currentIndex().row(), int(page->table().position()));
    f.answerer.push(MessageButton::Yes);
    page->deleteButton()->click();
    QStringList left;
    for (page->table().first(); !page->table().atEnd(); page->table().next())
        left << payeeOf(page);
    QCOMPARE(left, QStringList({"Çetin", "Ilgın", "Zeki"}));
}

void tst_RecordCommands::deleteRefusedByTheEngineKeepsTheRow()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Bir", {}, 1}, {"İki", {}, 2}});
    MainWindow &w = f.show();
    LedgerPage *page = w.companyPage();
    page->table().moveTo(1);
    {
        const FileWriteLock otherProgram(fsPath(f.folder() + "Veriler/firma_cek.db"));
        QVERIFY(otherProgram.isLocked());
        f.answerer.push(MessageButton::Yes);
        page->deleteButton()->click();
    }
    QCOMPARE(f.answerer.asked().size(), 2);
    QCOMPARE(f.answerer.asked().last().kind, widgets::MessageKind::Failure);
    QVERIFY2(f.answerer.asked().last().text.contains(u"başka bir işlem"), qPrintable(f.answerer.asked().last().text));
    QCOMPARE(page->table().rowCount(), qint64(2));
    QCOMPARE(payeeOf(page), QStringLiteral("İki"));
    QCOMPARE(w.shownCountLabel()->text(), QStringLiteral("Gösterilen Çek Sayısı :2"));
}

void tst_RecordCommands::navigationStopsAtBothEnds()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"1", {}, 1}, {"2", {}, 2}, {"3", {}, 3}});
    MainWindow &w = f.show();
    const auto button = [&](const char *name) { return w.companyPage()->findChild<QToolButton *>(name); };
    QCOMPARE(button("RzButton5")->text(), QStringLiteral("<"));
    QCOMPARE(button("RzButton6")->toolTip(), QStringLiteral("Önceki Kayıt"));
    engine::Table &t = w.companyPage()->table();
    button("RzButton6")->click(); // "<<" on the first row
    QCOMPARE(t.position(), std::int64_t(0));
    button("RzButton8")->click(); // ">" last
    QCOMPARE(t.position(), std::int64_t(2));
    button("RzButton7")->click(); // ">>" on the last row
    QCOMPARE(t.position(), std::int64_t(2));
    button("RzButton6")->click();
    QCOMPARE(t.position(), std::int64_t(1));
    QCOMPARE(w.companyPage()->grid()->currentIndex().row(), 1);
    button("RzButton5")->click(); // "<" first
    QCOMPARE(t.position(), std::int64_t(0));
}

void tst_RecordCommands::nearestMatchWithTurkishLetters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("found");
    QTest::newRow("Ş") << "Ş" << "Şükrü";
    QTest::newRow("ı before i") << "ı" << "Işık";
    QTest::newRow("İ") << "İ" << "İnci";
    QTest::newRow("Ç") << "Ç" << "Çağla";
    QTest::newRow("Ö") << "Ö" << "Özge";
    QTest::newRow("Ü") << "Ü" << "Ümran";
}

void tst_RecordCommands::nearestMatchWithTurkishLetters()
{
    QFETCH(QString, typed);
    QFETCH(QString, found);
    MainWindowFixture f;
    f.addCheques(TableId::CustomerCheques, {{"Ümran", {}, 1}, {"Özge", {}, 1}, {"Şükrü", {}, 1}, {"İnci", {}, 1},
                                            {"Işık", {}, 1}, {"Çağla", {}, 1}, {"Zafer", {}, 1}});
    MainWindow &w = f.show();
    w.topBarButton("SpeedButton2")->click();
    LedgerPage *page = w.customerPage();
    const int holder = page->sortKeyBox()->findText(QStringLiteral("HESAP SAHİBİ"));
    QVERIFY(holder >= 0);
    page->sortKeyBox()->setCurrentIndex(holder);
    emit page->sortKeyBox()->activated(holder);
    QCOMPARE(page->searchBox()->text(), QString());
    // Typed as a person would (QTest::keyClicks takes Latin-1 only).
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
    QApplication::sendEvent(page->searchBox(), &press);
    QCOMPARE(page->searchBox()->text(), typed);
    QTRY_COMPARE(payeeOf(page), found);
}

void tst_RecordCommands::emptiedSearchBoxGoesToTheTop()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Işık", {}, 1}, {"Zafer", {}, 1}, {"Çağla", {}, 1}});
    MainWindow &w = f.show();
    LedgerPage *page = w.companyPage();
    page->sortKeyBox()->setCurrentIndex(1); // ÇEK NUMARASI, the payee's name here
    emit page->sortKeyBox()->activated(1);
    QCoreApplication::processEvents(); // the box is emptied after the index change
    QCOMPARE(payeeOf(page), QStringLiteral("Işık"));
    QTest::keyClick(page->searchBox(), Qt::Key_Z);
    QTRY_COMPARE(payeeOf(page), QStringLiteral("Zafer"));
    QTest::keyClick(page->searchBox(), Qt::Key_Backspace);
    QTRY_COMPARE(payeeOf(page), QStringLiteral("Çağla"));
}

void tst_RecordCommands::sortPickFocusesTheClearedSearchBox()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Bir", QDate(2005, 3, 1), 1}, {"İki", QDate(2005, 1, 1), 2}});
    MainWindow &w = f.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    LedgerPage *page = w.companyPage();
    page->searchBox()->setText(QStringLiteral("eski"));
    page->grid()->setFocus();
    QCOMPARE(page->searchBox()->palette().color(QPalette::Base), QColor(234, 231, 213));
    const int due = page->sortKeyBox()->findText(QStringLiteral("VADE TARİHİ"));
    QVERIFY(due >= 0);
    page->sortKeyBox()->setCurrentIndex(due);
    emit page->sortKeyBox()->activated(due);
    QTRY_VERIFY(page->searchBox()->hasFocus());
    QCOMPARE(page->searchBox()->text(), QString());
    QCOMPARE(page->searchBox()->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(payeeOf(page), QStringLiteral("Bir")); // the table did not move
    QCOMPARE(QString::fromStdString(page->table().activeIndex()), QStringLiteral("IN_TARIH"));
}

void tst_RecordCommands::unopenedLedgerRefusesCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("new") << "new";
    QTest::newRow("edit") << "edit";
    QTest::newRow("delete") << "delete";
}

void tst_RecordCommands::unopenedLedgerRefusesCommands()
{
    QFETCH(QString, command);
    MainWindowFixture f;
    QDir().mkpath(f.folder() + "Veriler");
    f.writeFile("Veriler/museri_cek.db", "eski bir tablo");
    MainWindow &w = f.show();
    QCOMPARE(f.answerer.asked().size(), 1); // the set-up names the file
    QVERIFY(f.answerer.asked().first().text.contains(QStringLiteral("museri_cek.db")));
    w.topBarButton("SpeedButton2")->click();
    bool dialogShown = false;
    w.recordCommands().setCustomerEntryDialog([&] { dialogShown = true; });
    LedgerPage *page = w.customerPage();
    QToolButton *button = command == u"new" ? page->newButton() : command == u"edit" ? page->editButton()
                                                                                       : page->deleteButton();
    button->click();
    QVERIFY(!dialogShown);
    QCOMPARE(f.answerer.asked().size(), 2);
    QCOMPARE(f.answerer.asked().last().kind, widgets::MessageKind::Warning);
    QCOMPARE(f.answerer.asked().last().text,
             QStringLiteral("\nMüşteri çekleri tablosu açılamadığı için bu işlem yapılamıyor."));
}

QTEST_MAIN(tst_RecordCommands)
#include "tst_recordcommands.moc"
