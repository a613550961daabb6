#include "mainwindowfixture.h"
#include "fspath.h"

#include "engine/table.h"
#include "forms/main/ledgerpage.h"
#include "settings/inifile.h"
#include "widgets/ledgergrid.h"
#include "widgets/sortkeybox.h"

#include <QAbstractItemModelTester>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QtTest>

using data::TableId;

class tst_MainWindow : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheCompanyLedger();
    void closeWritesBothLayouts();
    void closeLeavesNoWindowOpen();
    void layoutRoundTrip();
    void lineWithoutDelimiterKeepsBuiltInColumns();
    void keepsLayoutWhenStartupNeverRan();
    void warningLine_data();
    void warningLine();
    void pageSwitchRecounts();
    void badColourTextKeepsWarningsOn();
    void noteStripFollowsTheRow();
    void sortKeyEntries_data();
    void sortKeyEntries();
    void gridModelIsSound();
};

void tst_MainWindow::opensOnTheCompanyLedger()
{
    MainWindowFixture f;
    MainWindow &w = f.show();
    QVERIFY(w.windowTitle().startsWith(QStringLiteral("Selvora 1.4")));
    QVERIFY(w.companyIsCurrent());
    QVERIFY(w.isOpenFlagSet());
    QCOMPARE(w.size(), QSize(911, 522));
    QCOMPARE(w.topBarButton("SpeedButton1")->text(), QStringLiteral("Firma Selvora"));
    QCOMPARE(w.topBarButton("SpeedButton4")->text(), QStringLiteral("ÇIKIŞ"));
    QCOMPARE(f.answerer.asked().size(), 0);
    QStringList items;
    for (const char *name : {"TmnRaporla1", "VadesiGelenleriraporla1", "UyarSistemineGreVadesiDolanekler1",
                             "ErkenUyarSistemineGre1", "zelRapor1", "Export2"})
        items << w.menuItem(name)->text();
    QCOMPARE(items, QStringList({"Tümünü Raporla", "Bu Gün Vadesi Dolan Çekler",
                                 "Uyarı Sistemine Göre Vadesi Dolan Çekler", "X Gün Sonra Vadesi Dolanlar",
                                 "Özel Rapor", "Export ( Excel, Word, Pdf,... )"}));
    // "ÇIKIŞ" keeps to the right edge when the window grows.
    w.resize(1111, 522);
    QTRY_COMPARE(w.topBarButton("SpeedButton4")->x(), 840 + 200);
}

void tst_MainWindow::closeWritesBothLayouts()
{
    MainWindowFixture f;
    f.show().close();
    settings::IniFile ini(f.folder() + "GridAyarlari.ini");
    QVERIFY(ini.load().ok());
    QCOMPARE(ini.sections(), QStringList({"cekformuGridFirmaCek", "cekformuGridMusteriCek"}));
    QCOMPARE(ini.value("cekformuGridFirmaCek", "CEKI_ALAN"), std::optional<QString>("40;;ÇEKİ ALAN;;"));
    QCOMPARE(ini.entries("cekformuGridMusteriCek").size(), 12);
}

void tst_MainWindow::closeLeavesNoWindowOpen()
{
    MainWindowFixture f;
    MainWindow &w = f.show();
    w.topBarButton("SpeedButton14")->click(); // "Lütfen DİKKAT !"
    const auto visibleWindows = [] {
        QStringList names;
        for (const QWidget *widget : QApplication::topLevelWidgets())
            if (widget->isVisible())
                names << QString::fromLatin1(widget->metaObject()->className());
        return names;
    };
    QCOMPARE(visibleWindows().size(), 2);
    w.close();
    QCOMPARE(visibleWindows(), QStringList());
}

void tst_MainWindow::layoutRoundTrip()
{
    MainWindowFixture f;
    {
        MainWindow &w = f.show();
        widgets::LedgerGrid *grid = w.companyPage()->grid();
        grid->setColumnWidth(2, grid->pixelsForCharacters(55)); // ÇEKİ ALAN wider
        grid->horizontalHeader()->moveSection(1, 7);            // amount to the end
        w.close();
    }
    f.window.reset();
    MainWindow &w = f.show();
    const QList<widgets::LedgerModel::Column> columns = w.companyPage()->grid()->visibleColumns();
    QCOMPARE(columns.size(), 8);
    QCOMPARE(columns.last().field, QStringLiteral("CEK_TUTARI"));
    QCOMPARE(columns[1].field, QStringLiteral("CEKI_ALAN"));
    QCOMPARE(columns[1].width, 55);
}

void tst_MainWindow::lineWithoutDelimiterKeepsBuiltInColumns()
{
    MainWindowFixture f;
    f.writeFile("GridAyarlari.ini", "[cekformuGridFirmaCek]\r\nVADE_TARIHI=11;;VADE;;\r\nCEK_TUTARI=10 TUTAR\r\n"
                                    "[cekformuGridMusteriCek]\r\nHESAPSAHIBI=20;;SAHİBİ;;F\r\nYOKALAN=5;;X;;\r\n");
    MainWindow &w = f.show();
    QCOMPARE(f.answerer.asked().size(), 1);
    QCOMPARE(f.answerer.asked().first().text, QStringLiteral("Key Delimiter Not Found"));
    QCOMPARE(w.companyPage()->grid()->visibleColumns().size(), 8);
    const auto customer = w.customerPage()->grid()->visibleColumns();
    QCOMPARE(customer.size(), 1); // the unknown field gives no column
    QCOMPARE(customer.first().title, QStringLiteral("SAHİBİ"));
}

void tst_MainWindow::keepsLayoutWhenStartupNeverRan()
{
    MainWindowFixture f;
    const QByteArray layout = "[cekformuGridFirmaCek]\r\nCEKI_ALAN=60;;ALAN;;\r\n";
    f.writeFile("GridAyarlari.ini", layout);
    {
        MainWindow w(f.folder());
        w.close(); // never shown: nothing was loaded, so nothing is saved
    }
    QFile file(f.folder() + "GridAyarlari.ini");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), layout);
}

void tst_MainWindow::warningLine_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("dueInDays"); // the one cheque's due date, from today
    QTest::addColumn<int>("expectedCount");
    QTest::addColumn<int>("warningDays");
    QTest::addColumn<bool>("coloured");
    QTest::newRow("no settings, due today") << QByteArray() << 0 << 1 << 0 << true;
    QTest::newRow("GUN=1, due today") << QByteArray("[CEK_AYARLARI]\r\nGUN=1\r\n") << 0 << 0 << 1 << false;
    QTest::newRow("GUN=1, due tomorrow") << QByteArray("[CEK_AYARLARI]\r\nGUN=1\r\n") << 1 << 1 << 1 << true;
    QTest::newRow("overdue is never counted") << QByteArray() << -1 << 0 << 0 << false;
    QTest::newRow("colouring off still counts") << QByteArray("[CEK_AYARLARI]\r\nRENK_DURUMU=0\r\n") << 0 << 1 << 0
                                                << false;
    QTest::newRow("clNone and clDefault keep the grid's colours")
        << QByteArray("[CEK_AYARLARI]\r\nSECILEN=clNone\r\nVADEDOL=clDefault\r\n") << 0 << 1 << 0 << false;
    QTest::newRow("GUN=300 is 44 days") << QByteArray("[CEK_AYARLARI]\r\nGUN=300\r\n") << 44 << 1 << 44 << true;
}

void tst_MainWindow::warningLine()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, dueInDays);
    QFETCH(int, expectedCount);
    QFETCH(int, warningDays);
    QFETCH(bool, coloured);
    MainWindowFixture f;
    if (!settings.isEmpty())
        f.writeFile("Ayarlar.ini", settings);
    const QDate today = QDate::currentDate();
    f.addCheques(TableId::CompanyCheques, {{"Önce", today.addDays(-10), 100}, {"Vadeli", today.addDays(dueInDays), 200}});
    MainWindow &w = f.show();
    const QDate warningDate = today.addDays(warningDays);
    QCOMPARE(w.shownCountLabel()->text(), QStringLiteral("Gösterilen Çek Sayısı :2"));
    QCOMPARE(w.warningLabel()->text(), QStringLiteral("Vadesi Dolan Çek Sayısı:%1  | Uyarı sistemine göre aranan tarih:%2 |")
                                           .arg(expectedCount)
                                           .arg(warningDate.toString(QStringLiteral("dd.MM.yyyy"))));
    QCOMPARE(w.blinkTimer().isActive(), expectedCount > 0);
    QCOMPARE(w.warningLabel()->toolTip(), expectedCount > 0 ? QStringLiteral("Rapor için çift tıklayın...") : QString());

    const widgets::LedgerModel &model = w.companyPage()->grid()->ledgerModel();
    const QVariant background = model.data(model.index(1, 0), Qt::BackgroundRole);
    QCOMPARE(background.isValid(), coloured);
    if (coloured) {
        QCOMPARE(background.value<QColor>(), QColor(255, 255, 0));
        QCOMPARE(model.data(model.index(1, 3), Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 255));
    }
    QVERIFY(!model.data(model.index(0, 0), Qt::BackgroundRole).isValid());
    if (!coloured)
        QVERIFY(!model.data(model.index(1, 3), Qt::ForegroundRole).isValid());
    if (expectedCount > 0) {
        const QColor before = w.warningLabel()->palette().color(QPalette::WindowText);
        QTest::qWait(900);
        QVERIFY(w.warningLabel()->palette().color(QPalette::WindowText) != before);
    }
}

void tst_MainWindow::pageSwitchRecounts()
{
    MainWindowFixture f;
    f.addCheques(TableId::CustomerCheques, {{"Müşteri 1", QDate::currentDate(), 1}, {"Müşteri 2", {}, 2},
                                            {"Müşteri 3", {}, 3}});
    MainWindow &w = f.show();
    QCOMPARE(w.shownCountLabel()->text(), QStringLiteral("Gösterilen Çek Sayısı :0"));
    QVERIFY(!w.blinkTimer().isActive());
    w.topBarButton("SpeedButton2")->click();
    QVERIFY(!w.companyIsCurrent());
    QCOMPARE(w.currentPage(), w.customerPage());
    QCOMPARE(w.shownCountLabel()->text(), QStringLiteral("Gösterilen Çek Sayısı :3"));
    QVERIFY(w.warningLabel()->text().startsWith(QStringLiteral("Vadesi Dolan Çek Sayısı:1  |")));
    QVERIFY(w.blinkTimer().isActive());
    w.topBarButton("SpeedButton1")->click();
    QCOMPARE(w.shownCountLabel()->text(), QStringLiteral("Gösterilen Çek Sayısı :0"));
    QVERIFY(!w.blinkTimer().isActive());
}

void tst_MainWindow::badColourTextKeepsWarningsOn()
{
    MainWindowFixture f;
    f.writeFile("Ayarlar.ini", "[CEK_AYARLARI]\r\nVADEDOL=kırmızı\r\nSECILEN=$0000FF00\r\nGUN=2\r\n");
    MainWindow &w = f.show();
    QCOMPARE(f.answerer.asked().size(), 1);
    QVERIFY(f.answerer.asked().first().text.contains(QStringLiteral("kırmızı")));
    QVERIFY(w.isOpenFlagSet());
    QCOMPARE(w.warningSettings().warningDays, quint8(2));
    QCOMPARE(w.warningSettings().secondColour.toColor(QPalette()), QColor(0, 255, 0));
    QCOMPARE(w.warningSettings().dueTextColour.toColor(QPalette()), QColor(0, 0, 255));
}

void tst_MainWindow::noteStripFollowsTheRow()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"A", {}, 1}, {"B", {}, 2}});
    {
        data::DataStore store(fsPath(f.program.filePath("Veriler")));
        store.setUp();
        engine::Table &t = store.table(TableId::CompanyCheques);
        t.last();
        t.edit();
        t.setValue("ACIKLAMA", std::string("İkinci çekin notu"));
        t.post();
    }
    MainWindow &w = f.show();
    LedgerPage *page = w.companyPage();
    QVERIFY(page->note()->isReadOnly());
    QCOMPARE(page->note()->toPlainText(), QString());
    page->grid()->setCurrentIndex(page->grid()->model()->index(1, 0));
    QCOMPARE(page->table().position(), std::int64_t(1));
    QCOMPARE(page->note()->toPlainText(), QStringLiteral("İkinci çekin notu"));
    page->firstRow();
    QCOMPARE(page->grid()->currentIndex().row(), 0);
    QCOMPARE(page->note()->toPlainText(), QString());
}

void tst_MainWindow::sortKeyEntries_data()
{
    QTest::addColumn<bool>("company");
    QTest::addColumn<QStringList>("labels");
    QTest::newRow("company") << true << QStringList({"BANKA ADI", "ÇEK NUMARASI", "ÇEK DURUMU", "VADE TARİHİ", "ÇEK TUTARI"});
    QTest::newRow("customer") << false << QStringList({"BANKA ADI", "ÇEKİN DURUMU", "HESAP SAHİBİ", "ÇEK NUMARASI",
                                                       "HESAP NUMARASI", "ÇEK TUTARI", "VADE TARİHİ"});
}

void tst_MainWindow::sortKeyEntries()
{
    QFETCH(bool, company);
    QFETCH(QStringList, labels);
    MainWindowFixture f;
    MainWindow &w = f.show();
    widgets::SortKeyBox *box = (company ? w.companyPage() : w.customerPage())->sortKeyBox();
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    QCOMPARE(shown, labels);
    QCOMPARE(box->currentIndex(), -1); // primary order: no entry
}

void tst_MainWindow::gridModelIsSound()
{
    MainWindowFixture f;
    f.addCheques(TableId::CompanyCheques, {{"A", QDate(2005, 3, 1), 123456750}, {"B", {}, 5}});
    MainWindow &w = f.show();
    widgets::LedgerModel &model = w.companyPage()->grid()->ledgerModel();
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model.data(model.index(0, 0)).toString(), QStringLiteral("01.03.2005"));
    QLocale locale;
    const QString expected = u'1' + locale.groupSeparator() + QStringLiteral("234") + locale.groupSeparator()
        + QStringLiteral("567") + locale.decimalPoint() + QStringLiteral("50");
    QCOMPARE(model.data(model.index(0, 1)).toString(), expected);
    QCOMPARE(model.data(model.index(0, 1), Qt::TextAlignmentRole).toInt() & Qt::AlignRight, int(Qt::AlignRight));
    QVERIFY(!(model.flags(model.index(0, 0)) & Qt::ItemIsEditable));
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
