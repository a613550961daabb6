#include "mainwindowfixture.h"

#include "engine/query.h"
#include "forms/main/ledgerpage.h"
#include "forms/main/menucommands.h"
#include "forms/settings/warningsettingsdialog.h"
#include "widgets/ledgergrid.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

using data::TableId;
using widgets::MessageReply;
using Ledger = MenuCommands::Ledger;

namespace {

// What reached the preview: the ledger and the payees of its rows.
struct Captured
{
    int previews = 0;
    Ledger ledger = Ledger::Company;
    QStringList payees;
};

void capture(MainWindow &w, Captured &captured)
{
    w.menuCommands().setPreviewer([&captured](Ledger ledger, engine::RowSource &rows) {
        ++captured.previews;
        captured.ledger = ledger;
        captured.payees.clear();
        const int field = rows.fieldIndex(ledger == Ledger::Company ? "CEKI_ALAN" : "HESAPSAHIBI");
        rows.restart();
        while (rows.next())
            captured.payees << QString::fromStdString(std::get<std::string>(rows.value(std::size_t(field))));
    });
}

} // namespace

class tst_MenuCommands : public QObject
{
    Q_OBJECT

private slots:
    void readyMadeReports_data();
    void readyMadeReports();
    void xDaysAsksForTheDays_data();
    void xDaysAsksForTheDays();
    void emptyLedgerHasNothingToReport();
    void unreadableLedgerLeavesTheProgramUsable();
    void exportOffersEveryFieldUnderItsLabel();
    void customReportReachesThePreview();
    void warningLabelReportsTheCurrentLedger();
    void settingsDialogSwitchesColouringAtOnce();
};

void tst_MenuCommands::readyMadeReports_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QStringList>("payees");
    QTest::addColumn<QString>("noRows");
    QTest::newRow("all company cheques") << "TmnRaporla1" << "SELECT * FROM firma_cek.db"
                                         << QStringList({"Dün", "Bugün", "Yarın"}) << "";
    QTest::newRow("due today") << "VadesiGelenleriraporla1"
                               << "SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '15.03.2005'"
                               << QStringList({"Bugün"}) << "";
    QTest::newRow("warning date, GUN=1") << "UyarSistemineGreVadesiDolanekler1"
                                         << "SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '16.03.2005'"
                                         << QStringList({"Yarın"}) << "";
    QTest::newRow("customer due today, none") << "MenuItem3"
                                              << "SELECT * FROM museri_cek.DB WHERE VADE_TARIHI = '15.03.2005'"
                                              << QStringList() << "\nVadesi Dolan Çek Bulunamadı.";
    QTest::newRow("customer warning date, none")
        << "UyarSistemineGreVadesiDolan1" << "SELECT * FROM museri_cek.DB WHERE VADE_TARIHI = '16.03.2005'"
        << QStringList() << "\nUyarı Sistemine Göre Vadesi Dolan Çek Bulunamadı.";
}

void tst_MenuCommands::readyMadeReports()
{
    QFETCH(QString, item);
    QFETCH(QString, sql);
    QFETCH(QStringList, payees);
    QFETCH(QString, noRows);
    MainWindowFixture f;
    f.writeFile("Ayarlar.ini", "[CEK_AYARLARI]\r\nGUN=1\r\n");
    const QDate today(2005, 3, 15);
    f.addCheques(TableId::CompanyCheques,
                 {{"Dün", today.addDays(-1), 1}, {"Bugün", today, 2}, {"Yarın", today.addDays(1), 3}});
    MainWindow &w = f.show();
    Captured captured;
    capture(w, captured);
    w.menuCommands().setToday(today);
    // The warning date is computed from the real today at load: fix it too.
    settings::WarningSettings warning = w.warningSettings();
    warning.warningDate = today.addDays(1);
    w.setWarningSettings(warning);

    w.menuItem(item)->trigger();
    const bool customer = sql.contains(u"museri");
    engine::Query &query = customer ? w.dataStore().customerReportQuery() : w.dataStore().companyReportQuery();
    QCOMPARE(QString::fromStdString(query.sql()), sql);
    if (noRows.isEmpty()) {
        QCOMPARE(captured.previews, 1);
        QCOMPARE(captured.payees, payees);
        QVERIFY(query.isOpen());
    } else {
        QCOMPARE(captured.previews, 0);
        QCOMPARE(f.answerer.asked().size(), 1);
        QCOMPARE(f.answerer.asked().first().kind, widgets::MessageKind::Warning);
        QCOMPARE(f.answerer.asked().first().text, noRows);
        QVERIFY(!query.isOpen());
    }
}

void tst_MenuCommands::xDaysAsksForTheDays_data()
{
    QTest::addColumn<QList<MessageReply>>("answers");
    QTest::addColumn<QString>("sqlDate");
    QTest::addColumn<int>("previews");
    QTest::newRow("cancel takes the warning days") << QList<MessageReply>{MessageReply::closed()} << "18.03.2005" << 1;
    QTest::newRow("letters mean today") << QList<MessageReply>{MessageReply::typed("abc")} << "15.03.2005" << 0;
    QTest::newRow("minus two") << QList<MessageReply>{MessageReply::typed("-2")} << "13.03.2005" << 0;
    QTest::newRow("beyond the calendar") << QList<MessageReply>{MessageReply::typed("2000000000")} << "" << 0;
}

void tst_MenuCommands::xDaysAsksForTheDays()
{
    QFETCH(QList<MessageReply>, answers);
    QFETCH(QString, sqlDate);
    QFETCH(int, previews);
    MainWindowFixture f;
    f.writeFile("Ayarlar.ini", "[CEK_AYARLARI]\r\nGUN=3\r\n");
    f.addCheques(TableId::CustomerCheques, {{"Üç gün sonra", QDate(2005, 3, 18), 1}});
    MainWindow &w = f.show();
    Captured captured;
    capture(w, captured);
    w.menuCommands().setToday(QDate(2005, 3, 15));
    for (const MessageReply &answer : answers)
        f.answerer.push(answer);
    w.menuItem("MenuItem4")->trigger();
    const widgets::MessageRequest &box = f.answerer.asked().first();
    QCOMPARE(box.kind, widgets::MessageKind::Input);
    QCOMPARE(box.caption, QStringLiteral("Rakam Giriniz"));
    QCOMPARE(box.defaultText, QStringLiteral("3"));
    QCOMPARE(captured.previews, previews);
    if (sqlDate.isEmpty()) {
        QCOMPARE(f.answerer.asked().size(), 2); // a message, no engine failure
        QCOMPARE(f.answerer.asked().last().kind, widgets::MessageKind::Warning);
        QCOMPARE(f.answerer.asked().last().text,
                 QStringLiteral("\nGirilen gün sayısı takvimin dışında bir tarih veriyor."));
    } else {
        QCOMPARE(QString::fromStdString(w.dataStore().customerReportQuery().sql()),
                 "SELECT * FROM museri_cek.db WHERE VADE_TARIHI = '" + sqlDate + "'");
    }
}

void tst_MenuCommands::emptyLedgerHasNothingToReport()
{
    MainWindowFixture f;
    MainWindow &w = f.show();
    Captured captured;
    capture(w, captured);
    w.dataStore().companyReportQuery().setSql("SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '01.01.2005'");
    w.menuItem("TmnRaporla1")->trigger();
    QCOMPARE(captured.previews, 0);
    QCOMPARE(f.answerer.asked().first().text, QStringLiteral("\nRaporlanacak kayıt yok."));
    QCOMPARE(QString::fromStdString(w.dataStore().companyReportQuery().sql()),
             QStringLiteral("SELECT * FROM firma_cek.db WHERE VADE_TARIHI = '01.01.2005'"));
}

void tst_MenuCommands::unreadableLedgerLeavesTheProgramUsable()
{
    MainWindowFixture f;
    QDir(f.folder()).mkdir(QStringLiteral("Veriler"));
    f.writeFile("Veriler/museri_cek.db", QByteArray(4096, 'x')); // not one of our tables
    f.addCheques(TableId::CompanyCheques, {{"Firma", QDate(2005, 3, 15), 1}});
    MainWindow &w = f.show();
    Captured captured;
    capture(w, captured);
    w.menuCommands().setToday(QDate(2005, 3, 15));
    const qsizetype before = f.answerer.asked().size(); // the set-up's message about the file

    w.menuItem("MenuItem3")->trigger();
    QCOMPARE(captured.previews, 0);
    QCOMPARE(f.answerer.asked().size(), before + 1);
    QCOMPARE(f.answerer.asked().last().kind, widgets::MessageKind::Failure);
    QVERIFY2(f.answerer.asked().last().text.startsWith(u"Rapor hazırlanamadı: "), qPrintable(f.answerer.asked().last().text));
    QVERIFY(!w.dataStore().customerReportQuery().isOpen());

    w.menuItem("Export1")->trigger();
    QCOMPARE(f.answerer.asked().last().text, QStringLiteral("\nTablo açılamadığı için export yapılamıyor."));

    w.menuItem("VadesiGelenleriraporla1")->trigger();
    QCOMPARE(captured.previews, 1);
    QCOMPARE(captured.payees, QStringList({"Firma"}));
}

void tst_MenuCommands::exportOffersEveryFieldUnderItsLabel()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Firma", QDate(2005, 3, 15), 1}});
    MainWindow &w = f.show();
    QStringList offered;
    f.answerer.push(MessageReply::acting([&](QDialog *dialog) {
        const auto *chosen = dialog->findChild<QListWidget *>(QStringLiteral("chosenFields"));
        for (int i = 0; chosen && i < chosen->count(); ++i)
            offered << chosen->item(i)->text();
        dialog->reject();
    }));
    w.menuItem("Export2")->trigger();
    // Hidden fields too, in field order, under their display labels.
    QCOMPARE(offered, QStringList({"SIRA NO", "VADE TARİHİ", "ÇEK TUTARI", "BANKA ADI", "BANKA ŞUBESİ",
                                   "HESAP NUMARASI", "ÇEK NUMARASI", "ÇEKİ ALAN", "ÇEK DURUMU", "AÇIKLAMA"}));
}

void tst_MenuCommands::customReportReachesThePreview()
{
    MainWindowFixture f;
    const QDate today = QDate::currentDate();
    f.addCheques(TableId::CompanyCheques, {{"Bugün", today, 1}, {"Geçen yıl", today.addYears(-1), 2}});
    MainWindow &w = f.show();
    Captured captured;
    capture(w, captured);
    f.answerer.push(MessageReply::acting([](QDialog *dialog) { dialog->accept(); })); // today to today
    w.menuItem("zelRapor1")->trigger();
    QCOMPARE(captured.previews, 1);
    QCOMPARE(captured.payees, QStringList({"Bugün"}));
    QVERIFY(QString::fromStdString(w.dataStore().companyReportQuery().sql()).startsWith(u"SELECT * FROM firma_cek.db\n"));
}

void tst_MenuCommands::warningLabelReportsTheCurrentLedger()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Firma", QDate::currentDate(), 1}});
    f.addCheques(TableId::CustomerCheques, {{"Müşteri", QDate::currentDate(), 1}});
    MainWindow &w = f.show();
    Captured captured;
    capture(w, captured);
    w.topBarButton("SpeedButton2")->click();
    QTest::mouseDClick(w.warningLabel(), Qt::LeftButton);
    QCOMPARE(captured.previews, 1);
    QCOMPARE(captured.ledger, Ledger::Customer);
    QCOMPARE(captured.payees, QStringList({"Müşteri"}));
}

void tst_MenuCommands::settingsDialogSwitchesColouringAtOnce()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"Bugün", QDate::currentDate(), 1}, {"Başka", {}, 2}});
    MainWindow &w = f.show();
    const widgets::LedgerModel &model = w.companyPage()->grid()->ledgerModel();
    QVERIFY(model.data(model.index(0, 0), Qt::BackgroundRole).isValid());
    f.answerer.push(MessageReply::acting([](QDialog *dialog) {
        auto *settings = qobject_cast<forms::WarningSettingsDialog *>(dialog);
        QVERIFY(settings);
        settings->colouringBox()->setChecked(false);
        settings->save();
    }));
    w.topBarButton("SpeedButton3")->click();
    QVERIFY(!w.warningSettings().colouring);
    QVERIFY(!model.data(model.index(0, 0), Qt::BackgroundRole).isValid());
    settings::IniFile ini(w.settingsFile());
    QVERIFY(ini.load().ok());
    QCOMPARE(ini.value("CEK_AYARLARI", "RENK_DURUMU"), std::optional<QString>("0"));
    // The count still works with colouring off.
    QVERIFY(w.warningLabel()->text().startsWith(QStringLiteral("Vadesi Dolan Çek Sayısı:1")));
}

QTEST_MAIN(tst_MenuCommands)
#include "tst_menucommands.moc"
