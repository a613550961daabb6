#include "forms/main/mainwindow.h"

#include "data/datastore.h"
#include "engine/error.h"
#include "forms/backup/closingbackup.h"
#include "forms/info/aboutcommand.h"
#include "forms/info/captionsuffix.h"
#include "forms/info/informationwindow.h"
#include "forms/definitions/companybankdialog.h"
#include "forms/entry/companychequedialog.h"
#include "forms/entry/customerchequedialog.h"
#include "forms/main/ledgerpage.h"
#include "forms/main/legacyimport.h"
#include "forms/main/menucommands.h"
#include "forms/main/recordcommands.h"
#include "settings/gridlayout.h"
#include "settings/warningrules.h"
#include "text/date.h"
#include "widgets/incrementalsearch.h"
#include "widgets/ledgergrid.h"
#include "widgets/messageservice.h"
#include "widgets/sortkeybox.h"
#include "widgets/tableadapter.h"
#include "widgets/valuetext.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStackedWidget>
#include <QToolButton>
#include <QVBoxLayout>

using data::TableId;

namespace {

void paint(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::Window, colour);
    widget->setPalette(colours);
    widget->setAutoFillBackground(true);
}

LedgerPage::Names companyNames()
{
    return {"FIRMA",     "Panel2",    "RzButton1", "RzButton2", "RzButton3", "RzMenuToolbarButton2",
            "RzMenuToolbarButton3",   "RzButton5", "RzButton6", "RzButton7", "RzButton8",
            "Label1",    "wwKeyCombo1", "Label2",  "wwIncrementalSearch1",   "Panel3",
            "GridFirmaCek", "Panel4", "Panel5",    "Memo1"};
}

LedgerPage::Names customerNames()
{
    return {"MUSTERI",   "Panel6",      "SpeedButton7",  "SpeedButton6",  "SpeedButton5", "RzMenuToolbarButton1",
            "RzMenuToolbarButton4",     "SpeedButton8",  "SpeedButton9",  "SpeedButton10", "SpeedButton11",
            "Label3",    "wwKeyCombo2", "Label4",        "wwIncrementalSearch2",           "Panel7",
            "GridMusteriCek", "Panel8", "Panel9",        "DBMemo1"};
}

QList<widgets::LedgerModel::Column> builtInColumns(const std::vector<data::GridColumn> &columns)
{
    QList<widgets::LedgerModel::Column> list;
    for (const data::GridColumn &c : columns)
        list << widgets::LedgerModel::Column{QString::fromStdString(c.field), c.width,
                                             QString::fromStdString(c.title), QString()};
    return list;
}

// The sort-key box offers each index whose field the grids show, labelled with
// the field's label, each label once, in the order the table lists them.
QList<widgets::SortKeyBox::Entry> sortEntries(const engine::Table &table, const data::TableInfo &info)
{
    QList<widgets::SortKeyBox::Entry> entries;
    if (!table.isOpen())
        return entries;
    QStringList labels;
    for (const engine::IndexDef &index : table.indexes()) {
        if (index.fields.size() != 1)
            continue;
        const data::FieldDisplay *field = info.field(index.fields.front());
        if (!field || field->hiddenInGrid)
            continue;
        const QString label = QString::fromStdString(field->label);
        if (labels.contains(label))
            continue;
        labels << label;
        entries << widgets::SortKeyBox::Entry{QString::fromStdString(index.name), label};
    }
    return entries;
}

QStringList fieldNames(const data::TableInfo &info)
{
    QStringList names;
    for (const data::FieldDisplay &field : info.fields)
        names << QString::fromStdString(field.name);
    return names;
}

} // namespace

MainWindow::MainWindow(const QString &programFolder, QWidget *parent)
    : QMainWindow(parent), m_programFolder(programFolder),
      m_dataStore(std::make_unique<data::DataStore>(
          std::filesystem::u8path(data::dataFolderFor(programFolder.toStdString()))))
{
    setObjectName(QStringLiteral("cekformu"));
    setWindowTitle(QStringLiteral("Selvora 1.4"));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    m_companyAdapter = new widgets::TableAdapter(m_dataStore->table(TableId::CompanyCheques), this);
    m_customerAdapter = new widgets::TableAdapter(m_dataStore->table(TableId::CustomerCheques), this);

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildTopBar(central);
    layout->addWidget(m_topBar);
    buildPages();
    layout->addWidget(m_pages, 1);
    buildStatusLine(central);
    setCentralWidget(central);
    buildMenus();
    m_commands = new RecordCommands(*this);
    m_commands->setCompanyEntryDialog([this] {
        forms::runCompanyChequeEntry(
            *m_companyAdapter, *m_dataStore,
            [this] { forms::CompanyBankDialog(m_dataStore->table(TableId::CompanyBanks), this).run(); }, this);
    });
    m_commands->setCustomerEntryDialog(
        [this] { forms::runCustomerChequeEntry(*m_customerAdapter, *m_dataStore, this); });
    m_menuCommands = new MenuCommands(*this);
    buildActions();

    m_blink.setInterval(750);
    connect(&m_blink, &QTimer::timeout, this, &MainWindow::blink);

    m_information = std::make_unique<forms::InformationWindow>();
    connect(this, &MainWindow::informationRequested, m_information.get(),
            &forms::InformationWindow::showInformation);
    // The about program lies beside the executable, wherever the data are.
    connect(this, &MainWindow::aboutRequested, this, [] { forms::AboutCommand().run(); });

    resize(911, 522);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - frameGeometry().center() + pos());
}

MainWindow::~MainWindow()
{
    m_information.reset();
    delete m_menuCommands;
    // The adapters observe tables of the store: let them go first.
    delete m_companyPage;
    delete m_customerPage;
    delete m_companyAdapter;
    delete m_customerAdapter;
}

QString MainWindow::gridLayoutFile() const
{
    return m_programFolder + QStringLiteral("GridAyarlari.ini");
}

QString MainWindow::settingsFile() const
{
    return m_programFolder + settings::WarningSettings::fileName();
}

void MainWindow::buildTopBar(QWidget *parent)
{
    m_topBar = new QWidget(parent);
    m_topBar->setObjectName(QStringLiteral("Panel1"));
    m_topBar->setFixedHeight(35);
    paint(m_topBar, QColor(214, 210, 192));
    m_topBar->installEventFilter(this);

    const auto button = [this](const char *name, const QString &caption, int left, int width) {
        auto *b = new QToolButton(m_topBar);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        QFont bold = b->font();
        bold.setBold(true);
        b->setFont(bold);
        b->setGeometry(left, 5, width, 25);
        return b;
    };
    m_companyButton = button("SpeedButton1", QStringLiteral("Firma Selvora"), 5, 121);
    m_customerButton = button("SpeedButton2", QStringLiteral("Müşteri Selvora"), 133, 121);
    for (QToolButton *b : {m_companyButton, m_customerButton})
        b->setCheckable(true);
    m_ledgerButtons = new QButtonGroup(this);
    m_ledgerButtons->setExclusive(true);
    m_ledgerButtons->addButton(m_companyButton);
    m_ledgerButtons->addButton(m_customerButton);
    m_companyButton->setChecked(true);
    connect(m_companyButton, &QToolButton::clicked, this, &MainWindow::showCompanyLedger);
    connect(m_customerButton, &QToolButton::clicked, this, &MainWindow::showCustomerLedger);

    connect(button("SpeedButton3", QStringLiteral("Çek Uyarı Sistemi Ayarları"), 277, 156), &QToolButton::clicked,
            this, &MainWindow::warningSettingsRequested);
    connect(button("SpeedButton13", QStringLiteral("Veri Tabanı Bakımı"), 445, 116), &QToolButton::clicked, this,
            &MainWindow::maintenanceRequested);
    connect(button("SpeedButton14", QStringLiteral("Lütfen DİKKAT !"), 573, 116), &QToolButton::clicked, this,
            &MainWindow::informationRequested);
    m_aboutButton = button("SpeedButton12", QStringLiteral("Hakkında"), 749, 82);
    connect(m_aboutButton, &QToolButton::clicked, this, &MainWindow::aboutRequested);
    m_exitButton = button("SpeedButton4", QStringLiteral("ÇIKIŞ"), 840, 57);
    connect(m_exitButton, &QToolButton::clicked, this, &QWidget::close);
}

void MainWindow::placeRightEdgeButtons()
{
    // "Hakkında" and "ÇIKIŞ" keep the distance from the right edge they have
    // in the 911-pixel window they were laid out in.
    const int fromRight = 911 - 840;
    m_exitButton->move(m_topBar->width() - fromRight, m_exitButton->y());
    m_aboutButton->move(m_exitButton->x() - (840 - 749), m_aboutButton->y());
}

void MainWindow::buildPages()
{
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("SAYFALAR"));
    paint(m_pages, QColor(202, 196, 193));
    m_companyPage = new LedgerPage(*m_companyAdapter, companyNames(), m_pages);
    m_customerPage = new LedgerPage(*m_customerAdapter, customerNames(), m_pages);
    m_pages->addWidget(m_companyPage);
    m_pages->addWidget(m_customerPage);
    // Two pages that are never shown: they hold the report layouts.
    for (const char *name : {"FIRMARAPOR", "MUSTERIRAPOR"}) {
        auto *page = new QWidget(m_pages);
        page->setObjectName(QString::fromLatin1(name));
        m_pages->addWidget(page);
    }
    m_pages->setCurrentWidget(m_companyPage);

    m_companyPage->grid()->setColumns(builtInColumns(data::companyGridColumns()));
    m_customerPage->grid()->setColumns(builtInColumns(data::customerGridColumns()));

    for (LedgerPage *page : {m_companyPage, m_customerPage}) {
        widgets::LedgerGrid *grid = page->grid();
        grid->ledgerModel().setColouring([this, grid](int row) -> std::optional<widgets::CellColours> {
            const QDate due = widgets::toQDate(grid->ledgerModel().value(row, QStringLiteral("VADE_TARIHI")));
            if (!settings::WarningRules::colourRow(m_openFlag, m_warning.colouring, false, due,
                                                   QDate::currentDate(), m_warning.warningDays))
                return std::nullopt;
            return widgets::CellColours{m_warning.secondColour.toColor(grid->palette()),
                                        m_warning.dueTextColour.toColor(grid->palette())};
        });
        connect(page->sortKeyBox(), &widgets::SortKeyBox::orderChanged, this, [this, page] {
            if (!m_openFlag)
                return;
            page->searchBox()->setFocus();
            page->searchBox()->reset();
        });
        connect(page->sortKeyBox(), &widgets::SortKeyBox::failed, this,
                [](const QString &message) { widgets::MessageService::failure(message); });
    }
}

void MainWindow::buildMenus()
{
    const auto menu = [this](const char *name, const QList<QPair<const char *, QString>> &items) {
        auto *m = new QMenu(this);
        m->setObjectName(QString::fromLatin1(name));
        for (const auto &[itemName, caption] : items) {
            if (caption == u"-") {
                m->addSeparator();
                continue;
            }
            QAction *action = m->addAction(caption);
            action->setObjectName(QString::fromLatin1(itemName));
        }
        return m;
    };
    const QString exportCaption = QStringLiteral("Export ( Excel, Word, Pdf,... )");
    m_companyPage->setReportsMenu(menu("firma_rapormenu",
                                       {{"TmnRaporla1", QStringLiteral("Tümünü Raporla")},
                                        {"", QStringLiteral("-")},
                                        {"VadesiGelenleriraporla1", QStringLiteral("Bu Gün Vadesi Dolan Çekler")},
                                        {"UyarSistemineGreVadesiDolanekler1",
                                         QStringLiteral("Uyarı Sistemine Göre Vadesi Dolan Çekler")},
                                        {"ErkenUyarSistemineGre1", QStringLiteral("X Gün Sonra Vadesi Dolanlar")},
                                        {"", QStringLiteral("-")},
                                        {"zelRapor1", QStringLiteral("Özel Rapor")},
                                        {"", QStringLiteral("-")},
                                        {"Export2", exportCaption}}));
    m_customerPage->setReportsMenu(menu("musteri_rapormenu",
                                        {{"MenuItem1", QStringLiteral("Tümünü Raporla")},
                                         {"", QStringLiteral("-")},
                                         {"MenuItem3", QStringLiteral("Bu Gün Vadesi Dolan Çekler")},
                                         {"UyarSistemineGreVadesiDolan1",
                                          QStringLiteral("Uyarı Sistemine Göre Vadesi Dolan Çekler")},
                                         {"MenuItem4", QStringLiteral("X Gün Sonra Vadesi Dolanlar")},
                                         {"", QStringLiteral("-")},
                                         {"MenuItem6", QStringLiteral("Özel Rapor")},
                                         {"", QStringLiteral("-")},
                                         {"Export1", exportCaption}}));
    m_companyPage->setDefinitionsMenu(menu("firma_ayarmenu",
                                           {{"Firma1", QStringLiteral("Firma Banka Tanımları")},
                                            {"ekiAlanahFirmaTanmlar1", QStringLiteral("Çeki Alan Şah. / Firma Tanımları")},
                                            {"", QStringLiteral("-")},
                                            {"ekDurumTanmlar1", QStringLiteral("Çek Durum Tanımları")}}));
    m_customerPage->setDefinitionsMenu(menu("musteri_ayarmenu",
                                            {{"MenuItem8", QStringLiteral("Şahis/Firma Banka Bilgi Tanımları")},
                                             {"", QStringLiteral("-")},
                                             {"ekDurumTanmlar2", QStringLiteral("Çek Durum Tanımları")}}));
}

void MainWindow::buildStatusLine(QWidget *parent)
{
    auto *panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("Panel10"));
    panel->setFixedHeight(19);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    parent->layout()->addWidget(panel);
    const auto label = [panel](const char *name, const QString &caption, int left) {
        auto *l = new QLabel(caption, panel);
        l->setObjectName(QString::fromLatin1(name));
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        QPalette colours = l->palette();
        colours.setColor(QPalette::WindowText, QColor(0, 128, 0));
        l->setPalette(colours);
        l->move(left, 2);
        l->adjustSize();
        return l;
    };
    m_shownCount = label("Label5", QStringLiteral("Gösterilen Çek Sayısı :"), 4);
    m_warningLabel = label("Label7", QStringLiteral("?????"), 204);
    m_warningLabel->installEventFilter(this);
}

void MainWindow::buildActions()
{
    // F2, F5, F9 and F12 work from anywhere in the main window on the page
    // that is current.
    const auto action = [this](const char *name, Qt::Key key, auto slot) {
        auto *a = new QAction(QString::fromLatin1(name), this);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(key);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
    };
    action("newx", Qt::Key_F2, [this] { m_commands->newOnCurrentPage(); });
    action("editx", Qt::Key_F5, [this] { m_commands->editOnCurrentPage(); });
    action("deletex", Qt::Key_F9, [this] { m_commands->deleteOnCurrentPage(); });
    action("closex", Qt::Key_F12, [this] { close(); });
}

QToolButton *MainWindow::topBarButton(const QString &name) const
{
    return m_topBar->findChild<QToolButton *>(name);
}

QAction *MainWindow::menuItem(const QString &name) const
{
    return findChild<QAction *>(name);
}

bool MainWindow::companyIsCurrent() const
{
    return m_companyButton->isChecked();
}

LedgerPage *MainWindow::currentPage() const
{
    return companyIsCurrent() ? m_companyPage : m_customerPage;
}

void MainWindow::showCompanyLedger()
{
    m_companyButton->setChecked(true);
    m_pages->setCurrentWidget(m_companyPage);
    countStatusLine();
}

void MainWindow::showCustomerLedger()
{
    m_customerButton->setChecked(true);
    m_pages->setCurrentWidget(m_customerPage);
    countStatusLine();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shown)
        return;
    m_shown = true;
    placeRightEdgeButtons();
    // Let the window paint once before any message of the set-up appears.
    QTimer::singleShot(0, this, &MainWindow::runFirstShow);
}

void MainWindow::runFirstShow()
{
    setWindowTitle(windowTitle() + forms::captionSuffix());

    offerLegacyImport(m_dataStore->folder(), this);
    QStringList problems;
    for (const std::string &problem : m_dataStore->setUp())
        problems << QString::fromStdString(problem);
    if (!problems.isEmpty())
        widgets::MessageService::failure(QStringLiteral("Veri klasörü hazırlanırken sorun çıktı:\n\n")
                                         + problems.join(u"\n\n")
                                         + QStringLiteral("\n\nAçılamayan tablolarla ilgili komutlar çalışmaz."));
    forms::reportFailedClosingBackup(m_programFolder);
    m_companyPage->sortKeyBox()->setEntries(
        sortEntries(m_dataStore->table(TableId::CompanyCheques), data::table(TableId::CompanyCheques)));
    m_customerPage->sortKeyBox()->setEntries(
        sortEntries(m_dataStore->table(TableId::CustomerCheques), data::table(TableId::CustomerCheques)));

    loadWarningSettings();
    m_openFlag = true;
    countStatusLine();
    loadGridLayouts();
    emit setUpFinished(problems);
}

void MainWindow::loadWarningSettings()
{
    const auto loaded = settings::WarningSettings::load(settingsFile(), QDate::currentDate());
    m_warning = loaded.settings;
    for (const QString &problem : loaded.problems)
        widgets::MessageService::failure(problem);
    repaintGrids();
}

void MainWindow::reloadSettingsFiles()
{
    loadWarningSettings();
    loadGridLayouts();
    countStatusLine();
}

void MainWindow::setWarningSettings(const settings::WarningSettings &warning)
{
    m_warning = warning;
    repaintGrids();
}

void MainWindow::repaintGrids()
{
    for (LedgerPage *page : {m_companyPage, m_customerPage}) {
        page->grid()->ledgerModel().refreshAll();
        page->grid()->viewport()->update();
    }
}

qint64 MainWindow::dueCount(const QString &tableName, const QDate &date)
{
    engine::Query &query = m_dataStore->dueCountQuery();
    QString dateText = QString::fromStdString(text::formatDate(widgets::fromQDate(date)));
    dateText.replace(u'\'', QStringLiteral("''"));
    query.close();
    query.setSql((QStringLiteral("SELECT count(*) as RECCNT FROM ") + tableName + u'\n'
                  + QStringLiteral("WHERE VADE_TARIHI = '") + dateText + u'\'')
                     .toStdString());
    query.open();
    const qint64 count = query.firstInteger();
    query.close();
    return count;
}

void MainWindow::countStatusLine()
{
    const bool company = companyIsCurrent();
    const TableId id = company ? TableId::CompanyCheques : TableId::CustomerCheques;
    engine::Table &table = m_dataStore->table(id);
    qint64 due = 0;
    // A ledger the set-up could not open has been reported once already: it
    // counts as empty rather than failing on every recount.
    if (table.isOpen()) {
        try {
            due = dueCount(company ? QStringLiteral("firma_cek") : QStringLiteral("museri_cek"),
                           m_warning.warningDate);
        } catch (const engine::Error &e) {
            // The labels keep their previous text.
            widgets::MessageService::failure(QString::fromUtf8(e.what()));
            return;
        }
    }
    m_shownCount->setText(settings::WarningRules::shownCountText(table.isOpen() ? table.rowCount() : 0));
    m_shownCount->adjustSize();
    m_warningLabel->setText(settings::WarningRules::dueCountText(due, m_warning.warningDate));
    m_warningLabel->adjustSize();
    if (settings::WarningRules::blinks(due))
        m_blink.start();
    else
        m_blink.stop();
    m_warningLabel->setToolTip(settings::WarningRules::dueCountHint(due));
    repaintGrids();
}

void MainWindow::blink()
{
    QPalette colours = m_warningLabel->palette();
    colours.setColor(QPalette::WindowText,
                     settings::WarningRules::nextBlinkColour(colours.color(QPalette::WindowText)));
    m_warningLabel->setPalette(colours);
}

void MainWindow::loadGridLayouts()
{
    settings::IniFile ini(gridLayoutFile());
    if (QFileInfo::exists(gridLayoutFile())) {
        const settings::IniFile::Status status = ini.load();
        if (!status.ok()) {
            widgets::MessageService::failure(status.message);
            // An unreadable file is left alone at close as well.
            return;
        }
        const struct { LedgerPage *page; const char *grid; TableId id; } grids[] = {
            {m_companyPage, "GridFirmaCek", TableId::CompanyCheques},
            {m_customerPage, "GridMusteriCek", TableId::CustomerCheques},
        };
        for (const auto &g : grids) {
            const auto result = settings::GridLayout::load(ini, settings::GridLayout::sectionName(QString::fromLatin1(g.grid)),
                                                           fieldNames(data::table(g.id)));
            if (result.outcome == settings::GridLayout::Outcome::DelimiterMissing) {
                widgets::MessageService::failure(result.message);
                continue;
            }
            if (result.outcome != settings::GridLayout::Outcome::Columns)
                continue;
            QList<widgets::LedgerModel::Column> columns;
            for (const settings::GridLayout::Column &c : result.layout.columns())
                columns << widgets::LedgerModel::Column{c.field, c.width, c.title, c.readOnlyMark};
            g.page->grid()->setColumns(columns);
        }
    }
    m_layoutsLoaded = true;
}

void MainWindow::saveGridLayouts()
{
    if (!m_layoutsLoaded)
        return;
    settings::IniFile ini(gridLayoutFile());
    if (QFileInfo::exists(gridLayoutFile()) && !ini.load().ok())
        return; // never overwrite a file that could not be read
    const struct { LedgerPage *page; const char *grid; } grids[] = {
        {m_companyPage, "GridFirmaCek"},
        {m_customerPage, "GridMusteriCek"},
    };
    for (const auto &g : grids) {
        QList<settings::GridLayout::Column> columns;
        for (const widgets::LedgerModel::Column &c : g.page->grid()->visibleColumns())
            columns << settings::GridLayout::Column{c.field, c.width, c.title, c.readOnlyMark};
        settings::GridLayout(columns).save(ini, settings::GridLayout::sectionName(QString::fromLatin1(g.grid)));
    }
    // A layout file that cannot be written (a read-only program folder) is
    // left as it is, without a message: the program still ends. A full disk
    // is told, as the user's tables are on the same disk often enough.
    const settings::IniFile::Status saved = ini.save();
    if (saved.code == settings::IniFile::Status::Code::DiskFull)
        widgets::MessageService::failure(saved.message);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveGridLayouts();
    m_openFlag = false;
    m_blink.stop();
    // The information window is a top-level window of its own: left open, it
    // would keep the program running after its main window has gone.
    m_information->close();
    event->accept();
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_warningLabel && event->type() == QEvent::MouseButtonDblClick) {
        emit warningReportRequested();
        return true;
    }
    if (watched == m_topBar && event->type() == QEvent::Resize)
        placeRightEdgeButtons();
    return QMainWindow::eventFilter(watched, event);
}
