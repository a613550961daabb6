#include "data/datastore.h"
#include "engine/table.h"
#include "forms/sharedstate.h"
#include "reports/customreportcommand.h"
#include "reports/customreportcriteria.h"
#include "reports/customreportdialog.h"
#include "widgets/scriptedanswerer.h"
#include "fspath.h"

#include <QComboBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using data::TableId;
using reports::CustomReportCriteria;
using reports::CustomReportDialog;
using reports::CustomReportOutcome;
using reports::Ledger;
using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageReply;
using widgets::ScriptedAnswerer;

Q_DECLARE_METATYPE(reports::Ledger)
Q_DECLARE_METATYPE(reports::CustomReportCriteria)

using namespace Qt::StringLiterals;

namespace {

const QString kCompanyTrick = QStringLiteral("X') OR ('1'='1");  // 14 characters: fits CEK_ADI
const QString kCustomerTrick = QStringLiteral("VE' OR 1=1 --");

// A data folder set up as the program does, with a few cheques in both ledgers
// and a status of each ledger that looks like SQL.
class Ledgers
{
public:
    Ledgers()
    {
        store = std::make_unique<data::DataStore>(fsPath(dir.filePath("Veriler")));
        problems = store->setUp();
    }

    void addStatus(TableId id, const QString &name)
    {
        engine::Table &table = store->table(id);
        table.append();
        table.setValue("CEK_ADI", name.toStdString());
        table.post();
    }

    void addCheque(Ledger ledger, const char *number, text::Date due, std::int64_t kurus, const QString &status)
    {
        engine::Table &table =
            store->table(ledger == Ledger::Company ? TableId::CompanyCheques : TableId::CustomerCheques);
        table.append();
        table.setValue("CEK_NUMARASI", std::string(number));
        table.setValue("VADE_TARIHI", due);
        table.setValue("CEK_TUTARI", kurus);
        if (!status.isEmpty())
            table.setValue(ledger == Ledger::Company ? "CEK_DURUMU" : "CEK_DURUM", status.toStdString());
        table.post();
    }

    // Company: F1..F7 around August 2002, F4 without status; customer: M1..M3.
    void fill()
    {
        addStatus(TableId::CompanyStatuses, kCompanyTrick);
        addStatus(TableId::CustomerStatuses, kCustomerTrick);
        addCheque(Ledger::Company, "F1", {2002, 8, 1}, 10000, QStringLiteral("ÖDENDE"));
        addCheque(Ledger::Company, "F2", {2002, 8, 15}, 250050, QStringLiteral("ÖDENMEDİ"));
        addCheque(Ledger::Company, "F3", {2002, 8, 15}, 5000, kCompanyTrick);
        addCheque(Ledger::Company, "F4", {2002, 8, 31}, 70000, QString());
        addCheque(Ledger::Company, "F5", {2002, 9, 1}, 999900, QStringLiteral("ÖDENDE"));
        addCheque(Ledger::Company, "F6", {2002, 7, 31}, 100, QStringLiteral("ÖDENDE"));
        addCheque(Ledger::Company, "F7", {2002, 8, 20}, 30000, QStringLiteral("İADE ALINDI"));
        addCheque(Ledger::Customer, "M1", {2002, 8, 10}, 12000, QStringLiteral("PORTFÖYDE"));
        addCheque(Ledger::Customer, "M2", {2002, 8, 12}, 34000, kCustomerTrick);
        addCheque(Ledger::Customer, "M3", {2002, 8, 12}, 56000, QStringLiteral("CİRO EDİLDİ"));
    }

    engine::Table &statuses(Ledger ledger)
    {
        return store->table(ledger == Ledger::Company ? TableId::CompanyStatuses : TableId::CustomerStatuses);
    }

    QTemporaryDir dir;
    std::unique_ptr<data::DataStore> store;
    std::vector<std::string> problems;
};

// Puts criteria into the dialog's controls as a user would.
void enter(CustomReportDialog &dialog, const CustomReportCriteria &criteria)
{
    dialog.startEdit()->setDate(criteria.start);
    dialog.endEdit()->setDate(criteria.end);
    for (int i = 0; i < dialog.statusList()->count(); ++i) {
        QListWidgetItem *item = dialog.statusList()->item(i);
        item->setCheckState(criteria.statuses.contains(item->text()) ? Qt::Checked : Qt::Unchecked);
    }
    dialog.sortBox()->setCurrentIndex(criteria.sortIndex);
    (criteria.descending ? dialog.descendingButton() : dialog.ascendingButton())->setChecked(true);
}

MessageReply acceptWith(CustomReportDialog &dialog, const CustomReportCriteria &criteria)
{
    return MessageReply::acting([&dialog, criteria](QDialog *) {
        enter(dialog, criteria);
        dialog.okButton()->click();
    });
}

CustomReportCriteria august2002(QStringList statuses = {}, int sortIndex = -1, bool descending = false)
{
    return {QDate(2002, 8, 1), QDate(2002, 8, 31), std::move(statuses), sortIndex, descending};
}

QStringList listTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

int checkedCount(const QListWidget *list)
{
    int count = 0;
    for (int i = 0; i < list->count(); ++i)
        count += list->item(i)->checkState() == Qt::Checked;
    return count;
}

// Stands in for the preview window: records what reaches it.
struct Preview
{
    int calls = 0;
    QString title;
    QStringList numbers;

    reports::Previewer previewer()
    {
        return [this](const reports::ReportDefinition &definition, engine::RowSource &rows) {
            ++calls;
            title = definition.title;
            const int field = rows.fieldIndex("CEK_NUMARASI");
            rows.restart();
            while (rows.next())
                numbers << QString::fromStdString(std::get<std::string>(rows.value(std::size_t(field))));
        };
    }
};

} // namespace

class tst_CustomReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void sqlLines_data();
    void sqlLines();
    void layout_data();
    void layout();

    void acceptsValidRange();
    void refusesEndBeforeStart();
    void closingCountsAsCancel_data();
    void closingCountsAsCancel();
    void showingRefreshesListAndDates_data();
    void showingRefreshesListAndDates();
    void checksAndUnchecksEveryStatus();

    void rowsReachingPreview_data();
    void rowsReachingPreview();
    void engineErrorIsToldAndQueryClosed();

private:
    // Filled once for the tests that only read the tables (setting up a data
    // folder writes every table durably, which takes a while).
    std::unique_ptr<Ledgers> m_filled;
};

void tst_CustomReport::initTestCase()
{
    m_filled = std::make_unique<Ledgers>();
    QVERIFY2(m_filled->problems.empty(), m_filled->problems.empty() ? "" : m_filled->problems.front().c_str());
    m_filled->fill();
}

void tst_CustomReport::init()
{
    forms::shared().firmaRaporozelTamam = false;
    forms::shared().musteriRaporozelTamam = false;
}

void tst_CustomReport::sqlLines_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<CustomReportCriteria>("criteria");
    QTest::addColumn<QString>("line1");
    QTest::addColumn<QString>("line2");
    QTest::addColumn<QString>("line3");

    const QString company = QStringLiteral("SELECT * FROM firma_cek.db");
    const QString customer = QStringLiteral("SELECT * FROM museri_cek.DB");
    const QString range = QStringLiteral("WHERE (VADE_TARIHI >='01.08.2002') AND (VADE_TARIHI <='31.08.2002')");

    QTest::newRow("worked example") << Ledger::Company
                                    << august2002({QStringLiteral("ÖDENDE"), QStringLiteral("ÖDENMEDİ")}, 1, true)
                                    << company
                                    << QStringLiteral("WHERE (VADE_TARIHI >='01.08.2002') AND (VADE_TARIHI "
                                                      "<='31.08.2002') AND ((CEK_DURUMU = 'ÖDENDE') OR "
                                                      "(CEK_DURUMU = 'ÖDENMEDİ'))")
                                    << QStringLiteral("ORDER BY VADE_TARIHI DESC");
    QTest::newRow("no status, no sort field") << Ledger::Company << august2002() << company << range << QString();
    QTest::newRow("no status, (yok) ignores the direction")
        << Ledger::Customer << august2002({}, 0, true) << customer << range << QString();
    QTest::newRow("one status: two opening brackets")
        << Ledger::Company << august2002({QStringLiteral("ÖDENDE")}) << company
        << range + QStringLiteral(" AND ((CEK_DURUMU = 'ÖDENDE'))") << QString();
    QTest::newRow("all company statuses")
        << Ledger::Company
        << august2002({QStringLiteral("ÖDENDE"), QStringLiteral("ÖDENMEDİ"), QStringLiteral("İADE ALINDI")})
        << company
        << range
            + QStringLiteral(" AND ((CEK_DURUMU = 'ÖDENDE') OR (CEK_DURUMU = 'ÖDENMEDİ') OR "
                             "(CEK_DURUMU = 'İADE ALINDI'))")
        << QString();
    QTest::newRow("customer statuses use CEK_DURUM")
        << Ledger::Customer << august2002({QStringLiteral("PORTFÖYDE"), QStringLiteral("CİRO EDİLDİ")}, 5)
        << customer
        << range + QStringLiteral(" AND ((CEK_DURUM = 'PORTFÖYDE') OR (CEK_DURUM = 'CİRO EDİLDİ'))")
        << QStringLiteral("ORDER BY HESAPSAHIBI ASC");
    QTest::newRow("quote doubled inside the literal")
        << Ledger::Company << august2002({kCompanyTrick}) << company
        << range + QStringLiteral(" AND ((CEK_DURUMU = 'X'') OR (''1''=''1'))") << QString();
    QTest::newRow("same start and end day")
        << Ledger::Company << CustomReportCriteria{QDate(2002, 2, 28), QDate(2002, 2, 28), {}, -1, false} << company
        << QStringLiteral("WHERE (VADE_TARIHI >='28.02.2002') AND (VADE_TARIHI <='28.02.2002')") << QString();

    const QStringList companyFields = {"VADE_TARIHI", "CEK_TUTARI", "CEK_DURUMU", "CEK_NUMARASI", "CEKI_ALAN"};
    const QStringList customerFields = {"VADE_TARIHI",  "CEK_TUTARI", "CEK_DURUM", "CEK_NUMARASI",
                                        "HESAPSAHIBI", "CIRO_EDEN",  "KIME_CIRO"};
    for (const Ledger ledger : {Ledger::Company, Ledger::Customer}) {
        const QStringList &fields = ledger == Ledger::Company ? companyFields : customerFields;
        for (int i = 0; i < fields.size(); ++i) {
            for (const bool descending : {false, true}) {
                const QString direction = descending ? QStringLiteral("DESC") : QStringLiteral("ASC");
                const QString name = (ledger == Ledger::Company ? u"company, "_s : u"customer, "_s)
                    + fields[i] + u' ' + direction;
                QTest::newRow(name.toUtf8().constData())
                    << ledger << august2002({}, i + 1, descending) << (ledger == Ledger::Company ? company : customer)
                    << range << QStringLiteral("ORDER BY ") + fields[i] + u' ' + direction;
            }
        }
    }
}

void tst_CustomReport::sqlLines()
{
    QFETCH(Ledger, ledger);
    QFETCH(CustomReportCriteria, criteria);
    QFETCH(QString, line1);
    QFETCH(QString, line2);
    QFETCH(QString, line3);

    const QStringList lines = reports::customReportSqlLines(ledger, criteria);
    QCOMPARE(lines, QStringList({line1, line2, line3}));
    QCOMPARE(reports::customReportSql(ledger, criteria), line1 + u'\n' + line2 + u'\n' + line3);
}

void tst_CustomReport::layout_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("sortCaptions");

    QTest::newRow("company") << Ledger::Company << QStringLiteral("Firma Çek Raporu") << QSize(192, 259)
                             << QStringList{"(yok)", "Vade Tarihi", "Çek Tutarı", "Çek Durumu", "Çek Numarası",
                                            "Çeki Alan"};
    QTest::newRow("customer") << Ledger::Customer << QStringLiteral("Müşteri Çek Raporu") << QSize(191, 316)
                              << QStringList{"(yok)",        "Vade Tarihi",  "Çek Tutarı", "Çek Durumu",
                                             "Çek Numarası", "Hesap Sahibi", "Ciro Eden",  "Kime Ciro"};
}

void tst_CustomReport::layout()
{
    QFETCH(Ledger, ledger);
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(QStringList, sortCaptions);

    CustomReportDialog dialog(ledger, m_filled->statuses(ledger));
    QCOMPARE(dialog.windowTitle(), caption);
    QCOMPARE(dialog.size(), size);
    QStringList items;
    for (int i = 0; i < dialog.sortBox()->count(); ++i)
        items << dialog.sortBox()->itemText(i);
    QCOMPARE(items, sortCaptions);
    QCOMPARE(dialog.sortBox()->currentIndex(), -1);
    QVERIFY(dialog.ascendingButton()->isChecked());
    QCOMPARE(dialog.ascendingButton()->text(), u"A - z"_s);
    QCOMPARE(dialog.descendingButton()->text(), u"Z - a"_s);
    QCOMPARE(dialog.checkAllButton()->toolTip(), u"Tümünü seç"_s);
    QCOMPARE(dialog.uncheckAllButton()->toolTip(), u"Tüm seçimi kaldır"_s);
    QCOMPARE(dialog.okButton()->text(), u"Tamam"_s);
    QVERIFY(dialog.okButton()->isDefault());
    QCOMPARE(dialog.cancelButton()->text(), u"Vazgeç"_s);
    QCOMPARE(dialog.startEdit()->displayFormat(), u"dd.MM.yyyy"_s);
}

void tst_CustomReport::acceptsValidRange()
{
    CustomReportDialog dialog(Ledger::Company, m_filled->statuses(Ledger::Company));
    const CustomReportCriteria wanted = august2002({QStringLiteral("ÖDENMEDİ")}, 2, true);
    ScriptedAnswerer answerer({acceptWith(dialog, wanted)});

    QVERIFY(dialog.run());
    QVERIFY(forms::shared().firmaRaporozelTamam);
    QVERIFY(!forms::shared().musteriRaporozelTamam);
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Dialog);
    QCOMPARE(answerer.asked().first().caption, u"Firma Çek Raporu"_s);

    const CustomReportCriteria got = dialog.criteria();
    QCOMPARE(got.start, wanted.start);
    QCOMPARE(got.end, wanted.end);
    QCOMPARE(got.statuses, wanted.statuses);
    QCOMPARE(got.sortIndex, 2);
    QVERIFY(got.descending);
}

void tst_CustomReport::refusesEndBeforeStart()
{
    Ledgers fixture;
    CustomReportDialog dialog(Ledger::Customer, fixture.statuses(Ledger::Customer));
    bool stayedOpen = false;
    QDate startAfter, endAfter;
    ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *) {
                                   dialog.startEdit()->setDate(QDate(2002, 8, 10));
                                   dialog.endEdit()->setDate(QDate(2002, 8, 9));
                                   dialog.okButton()->click();
                                   stayedOpen = dialog.isVisible();
                                   startAfter = dialog.startEdit()->date();
                                   endAfter = dialog.endEdit()->date();
                                   dialog.cancelButton()->click();
                               }),
                               MessageReply::pressed(MessageButton::Ok)});

    QVERIFY(!dialog.run());
    QVERIFY(stayedOpen);
    QCOMPARE(startAfter, QDate(2002, 8, 10));
    QCOMPARE(endAfter, QDate(2002, 8, 9));
    QVERIFY(!forms::shared().musteriRaporozelTamam);
    QCOMPARE(answerer.asked().size(), 2);
    const widgets::MessageRequest &warning = answerer.asked().at(1);
    QCOMPARE(warning.kind, MessageKind::Warning);
    QCOMPARE(warning.text,
             widgets::MessageService::displayText(u"\r\nBaşlangıç tarihi bitiş tarihinden büyük olamaz."_s));
    QVERIFY(warning.buttons == QList<MessageButton>{MessageButton::Ok});
    QCOMPARE(answerer.unexpected(), 0);
}

void tst_CustomReport::closingCountsAsCancel_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Vazgeç") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("F12") << 2;
    QTest::newRow("close box") << 3;
}

// Criteria accepted at an earlier showing must not carry over to a showing
// that was left without "Tamam", least of all with dates that were never
// validated.
void tst_CustomReport::closingCountsAsCancel()
{
    QFETCH(int, way);

    Ledgers fixture;
    CustomReportDialog dialog(Ledger::Customer, fixture.statuses(Ledger::Customer));
    ScriptedAnswerer answerer({acceptWith(dialog, august2002())});
    QVERIFY(dialog.run());
    QVERIFY(forms::shared().musteriRaporozelTamam);

    answerer.push(MessageReply::acting([&dialog, way](QDialog *) {
        dialog.startEdit()->setDate(QDate(2002, 8, 31));
        dialog.endEdit()->setDate(QDate(2002, 8, 1));
        switch (way) {
        case 0:
            dialog.cancelButton()->click();
            break;
        case 1:
            QTest::keyClick(dialog.startEdit(), Qt::Key_Escape);
            break;
        case 2:
            QTest::keyClick(dialog.statusList(), Qt::Key_F12);
            break;
        default:
            dialog.close();
            break;
        }
        QVERIFY(!dialog.isVisible());
    }));
    Preview preview;
    QCOMPARE(reports::runCustomReport(dialog, *fixture.store, preview.previewer()), CustomReportOutcome::Cancelled);
    QVERIFY(!forms::shared().musteriRaporozelTamam);
    QCOMPARE(preview.calls, 0);
    QCOMPARE(answerer.asked().size(), 2);
    QCOMPARE(answerer.unexpected(), 0);
    QVERIFY(!fixture.store->customerReportQuery().isOpen());
}

void tst_CustomReport::showingRefreshesListAndDates_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<bool>("keepsDates");
    QTest::newRow("company: today on every showing") << Ledger::Company << false;
    QTest::newRow("customer: today first, then the last dates") << Ledger::Customer << true;
}

void tst_CustomReport::showingRefreshesListAndDates()
{
    QFETCH(Ledger, ledger);
    QFETCH(bool, keepsDates);

    Ledgers fixture;
    CustomReportDialog dialog(ledger, fixture.statuses(ledger));
    const QDate today = QDate::currentDate();
    QDate firstStart, firstEnd;
    QStringList firstList;
    ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *) {
        firstStart = dialog.startEdit()->date();
        firstEnd = dialog.endEdit()->date();
        firstList = listTexts(dialog.statusList());
        enter(dialog, august2002({}, 3, true));
        dialog.checkAllButton()->click();
        dialog.okButton()->click();
    })});
    QVERIFY(dialog.run());
    QCOMPARE(firstStart, today);
    QCOMPARE(firstEnd, today);
    std::vector<QString> seeds;
    for (const std::string &name : data::table(ledger == Ledger::Company ? TableId::CompanyStatuses
                                                                           : TableId::CustomerStatuses).seedRows)
        seeds.push_back(QString::fromStdString(name));
    QCOMPARE(firstList, QStringList(seeds.begin(), seeds.end()));

    fixture.addStatus(ledger == Ledger::Company ? TableId::CompanyStatuses : TableId::CustomerStatuses,
                      QStringLiteral("YENİ DURUM"));
    CustomReportCriteria second;
    QStringList secondList;
    int secondChecked = -1;
    answerer.push(MessageReply::acting([&](QDialog *) {
        second = dialog.criteria();
        secondList = listTexts(dialog.statusList());
        secondChecked = checkedCount(dialog.statusList());
        dialog.cancelButton()->click();
    }));
    QVERIFY(!dialog.run());

    QCOMPARE(secondList, firstList + QStringList{QStringLiteral("YENİ DURUM")});
    QCOMPARE(secondChecked, 0);
    QCOMPARE(second.sortIndex, 3);
    QVERIFY(second.descending);
    QCOMPARE(second.start, keepsDates ? QDate(2002, 8, 1) : today);
    QCOMPARE(second.end, keepsDates ? QDate(2002, 8, 31) : today);
}

void tst_CustomReport::checksAndUnchecksEveryStatus()
{
    CustomReportDialog dialog(Ledger::Company, m_filled->statuses(Ledger::Company));
    QStringList all, none;
    ScriptedAnswerer answerer({MessageReply::acting([&](QDialog *) {
        dialog.checkAllButton()->click();
        all = dialog.criteria().statuses;
        dialog.uncheckAllButton()->click();
        none = dialog.criteria().statuses;
        dialog.cancelButton()->click();
    })});
    dialog.run();
    QCOMPARE(all, (QStringList{"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI", kCompanyTrick}));
    QVERIFY(none.isEmpty());
}

void tst_CustomReport::rowsReachingPreview_data()
{
    QTest::addColumn<Ledger>("ledger");
    QTest::addColumn<CustomReportCriteria>("criteria");
    QTest::addColumn<QStringList>("numbers"); // empty: nothing matches

    const QStringList companyStatuses{"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI", kCompanyTrick};
    QTest::newRow("quotes, brackets and SQL words matched as text")
        << Ledger::Company << august2002({kCompanyTrick}, 1) << QStringList{"F3"};
    QTest::newRow("customer status that looks like SQL")
        << Ledger::Customer << august2002({kCustomerTrick}) << QStringList{"M2"};
    QTest::newRow("no status: every cheque in range, with or without status")
        << Ledger::Company << august2002({}, 1) << QStringList{"F1", "F2", "F3", "F7", "F4"};
    QTest::newRow("every status: the cheque without status is left out")
        << Ledger::Company << august2002(companyStatuses, 1) << QStringList{"F1", "F2", "F3", "F7"};
    QTest::newRow("worked example") << Ledger::Company
                                    << august2002({QStringLiteral("ÖDENDE"), QStringLiteral("ÖDENMEDİ")}, 1, true)
                                    << QStringList{"F2", "F1"};
    QTest::newRow("same start and end day")
        << Ledger::Company << CustomReportCriteria{QDate(2002, 8, 15), QDate(2002, 8, 15), {}, 0, false}
        << QStringList{"F2", "F3"};
    QTest::newRow("largest amount first") << Ledger::Company << august2002({}, 2, true)
                                          << QStringList{"F2", "F4", "F7", "F1", "F3"};
    QTest::newRow("customer by amount, ascending") << Ledger::Customer << august2002({}, 2, false)
                                                   << QStringList{"M1", "M2", "M3"};
    QTest::newRow("nothing matches")
        << Ledger::Company
        << CustomReportCriteria{QDate(2002, 8, 2), QDate(2002, 8, 14), {QStringLiteral("ÖDENDE")}, -1, false}
        << QStringList();
}

void tst_CustomReport::rowsReachingPreview()
{
    QFETCH(Ledger, ledger);
    QFETCH(CustomReportCriteria, criteria);
    QFETCH(QStringList, numbers);

    Ledgers &fixture = *m_filled;
    CustomReportDialog dialog(ledger, fixture.statuses(ledger));
    ScriptedAnswerer answerer({acceptWith(dialog, criteria), MessageReply::pressed(MessageButton::Ok)});
    Preview preview;

    const CustomReportOutcome outcome = reports::runCustomReport(dialog, *fixture.store, preview.previewer());

    engine::Query &query =
        ledger == Ledger::Company ? fixture.store->companyReportQuery() : fixture.store->customerReportQuery();
    QCOMPARE(QString::fromStdString(query.sql()), reports::customReportSql(ledger, criteria));
    if (numbers.isEmpty()) {
        QCOMPARE(outcome, CustomReportOutcome::NoMatch);
        QCOMPARE(preview.calls, 0);
        QCOMPARE(answerer.asked().size(), 2);
        QCOMPARE(answerer.asked().at(1).kind, MessageKind::Warning);
        QCOMPARE(answerer.asked().at(1).text,
                 widgets::MessageService::displayText(u"\r\nBelirlediğiniz Kriterlere Uyan Çek Kaydı Bulunamadı."_s));
        QVERIFY(!query.isOpen());
    } else {
        QCOMPARE(outcome, CustomReportOutcome::Previewed);
        QCOMPARE(preview.calls, 1);
        QCOMPARE(preview.title, ledger == Ledger::Company ? u"FİRMA ÇEKLERİ (BÜTÜN KAYITLAR)"_s : u"ALINAN ÇEKLER"_s);
        QCOMPARE(preview.numbers, numbers);
        QCOMPARE(answerer.asked().size(), 1);
        QVERIFY(query.isOpen());
    }
    // The status tables themselves are untouched by the quoted names.
    QCOMPARE(fixture.statuses(Ledger::Company).rowCount(), 4);
}

void tst_CustomReport::engineErrorIsToldAndQueryClosed()
{
    // A data folder that was never set up: the report query finds no table file.
    QTemporaryDir dir;
    data::DataStore store(fsPath(dir.filePath("Veriler")));
    ScriptedAnswerer answerer({MessageReply::pressed(MessageButton::Ok)});
    Preview preview;

    const CustomReportOutcome outcome =
        reports::runCustomReportQuery(Ledger::Company, august2002(), store, preview.previewer());

    QCOMPARE(outcome, CustomReportOutcome::Failed);
    QCOMPARE(preview.calls, 0);
    QCOMPARE(answerer.asked().size(), 1);
    QCOMPARE(answerer.asked().first().kind, MessageKind::Failure);
    QVERIFY2(answerer.asked().first().text.contains(u"firma_cek"), qPrintable(answerer.asked().first().text));
    QVERIFY(!store.companyReportQuery().isOpen());
}

QTEST_MAIN(tst_CustomReport)
#include "tst_customreport.moc"
