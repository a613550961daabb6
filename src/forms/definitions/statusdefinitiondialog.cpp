#include "forms/definitions/statusdefinitiondialog.h"

#include "forms/definitions/rowposting.h"
#include "forms/definitions/titleheader.h"
#include "forms/sharedstate.h"
#include "data/schema.h"
#include "engine/error.h"
#include "engine/table.h"
#include "text/turkish.h"
#include "widgets/ledgergrid.h"
#include "widgets/messageservice.h"
#include "widgets/valuetext.h"

#include <QFrame>
#include <QHeaderView>
#include <QPushButton>
#include <QStackedWidget>

namespace forms {

using widgets::MessageButton;
using widgets::MessageIcon;
using widgets::MessageService;

namespace {

const char *const kName = "CEK_ADI";

QPushButton *makeButton(const QString &text, QWidget *parent, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    button->setStyleSheet(QStringLiteral("QPushButton { color: rgb(0,0,128); background-color: rgb(244,244,240); "
                                         "border: 1px solid rgb(160,160,160); }"
                                         "QPushButton:pressed { background-color: rgb(220,220,214); }"));
    return button;
}

} // namespace

StatusDefinitionDialog::StatusDefinitionDialog(engine::Table &companyStatuses, engine::Table &customerStatuses,
                                               QWidget *parent)
    : KeyPreviewDialog(parent), m_company(companyStatuses), m_customer(customerStatuses),
      m_companyLease(companyStatuses), m_customerLease(customerStatuses)
{
    setObjectName(QStringLiteral("cek_durum_tanimi"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    setFixedSize(329, 234);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(200, 196, 172));
    setPalette(colours);

    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("sayfaxx"));
    m_pages->setGeometry(0, 0, 329 - 104, 234);
    m_companyGrid = makeGrid(m_companyLease, QStringLiteral("wwDBGrid2"));
    m_companyGrid->parentWidget()->setObjectName(QStringLiteral("FIRMA"));
    m_customerGrid = makeGrid(m_customerLease, QStringLiteral("wwDBGrid1"));
    m_customerGrid->parentWidget()->setObjectName(QStringLiteral("MUSTERI"));

    auto *side = new QFrame(this);
    side->setGeometry(329 - 104, 0, 104, 234);
    auto *add = makeButton(QStringLiteral("YEN TÜR"), side, QRect(7, 8, 89, 27));
    add->setObjectName(QStringLiteral("RzButton1"));
    auto *remove = makeButton(QStringLiteral("TÜR SİL"), side, QRect(7, 40, 89, 27));
    remove->setObjectName(QStringLiteral("RzButton3"));
    auto *exit = makeButton(QStringLiteral("ÇIKIŞ"), side, QRect(7, 199, 89, 27));
    exit->setObjectName(QStringLiteral("RzButton5"));
    connect(add, &QPushButton::clicked, this, &StatusDefinitionDialog::addStatus);
    connect(remove, &QPushButton::clicked, this, &StatusDefinitionDialog::deleteStatus);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);
}

StatusDefinitionDialog::~StatusDefinitionDialog()
{
    // The grids' models refer to the leased adapters: they go first.
    delete m_pages;
    m_pages = nullptr;
}

widgets::LedgerGrid *StatusDefinitionDialog::makeGrid(AdapterLease &lease, const QString &name)
{
    auto *page = new QWidget(m_pages);
    auto *grid = new widgets::LedgerGrid(lease.adapter(), page);
    grid->setObjectName(name);
    grid->setGeometry(8, 8, 209, 217);
    grid->setAlternatingRowColors(false);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setShowGrid(true);
    QPalette colours = grid->palette();
    colours.setColor(QPalette::Base, QColor(220, 217, 201));
    grid->setPalette(colours);
    grid->setHorizontalHeader(new TitleHeader(Qt::AlignCenter, grid));
    grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(209,209,194); color: white; border: 0px; "
                       "border-right: 1px solid rgb(160,160,160); border-bottom: 1px solid rgb(160,160,160); }"));
    grid->setColumns({{QString::fromLatin1(kName), 31, QStringLiteral("-= ÇEK DURUMU =-"), {}}});
    m_pages->addWidget(page);
    return grid;
}

int StatusDefinitionDialog::run()
{
    return MessageService::execDialog(this);
}

bool StatusDefinitionDialog::customerPage() const
{
    return shared().cekDurumSayfa == QLatin1String("M");
}

engine::Table &StatusDefinitionDialog::currentTable() const
{
    return customerPage() ? m_customer : m_company;
}

void StatusDefinitionDialog::showEvent(QShowEvent *event)
{
    if (customerPage()) {
        m_pages->setCurrentWidget(m_customerGrid->parentWidget());
        setWindowTitle(QStringLiteral("MÜŞTERİ Çek Durumları"));
    } else {
        m_pages->setCurrentWidget(m_companyGrid->parentWidget());
        setWindowTitle(QStringLiteral("FİRMA Çek Durumları"));
    }
    m_companyLease.attach();
    m_customerLease.attach();
    KeyPreviewDialog::showEvent(event);
    (customerPage() ? m_customerGrid : m_companyGrid)->setFocus();
}

void StatusDefinitionDialog::hideEvent(QHideEvent *event)
{
    KeyPreviewDialog::hideEvent(event);
    m_companyLease.release();
    m_customerLease.release();
}

void StatusDefinitionDialog::addStatus()
{
    engine::Table &table = currentTable();
    if (!table.isOpen())
        return;
    QString entry;
    if (!MessageService::inputQuery(customerPage() ? QStringLiteral("Müşteri Çek Durumu Tanımlama")
                                                   : QStringLiteral("Firma Çek Durumu Tanımlama"),
                                    QStringLiteral("Tanımlanacak Çek Durumunu Giriniz."), entry))
        return;
    if (entry.isEmpty())
        return;
    const QString name = entry.trimmed();
    if (name.isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nÇek durumu yalnız boşluktan oluşamaz."));
        return;
    }
    const std::string utf8 = name.toStdString();
    if (text::characterCount(utf8) > std::size_t(MaxNameLength)) {
        MessageService::warning(QStringLiteral("\r\nÇek durumu en çok %1 karakter olabilir.").arg(MaxNameLength));
        return;
    }
    // A status defined already, in any letter case, is not added again; the
    // list then stands on it.
    const int field = table.requireField(kName);
    for (std::int64_t row = 0; row < table.rowCount(); ++row) {
        const engine::Value &value = table.valueAt(row, field);
        if (std::holds_alternative<std::string>(value)
            && text::equalsIgnoreCaseTurkish(std::get<std::string>(value), utf8)) {
            table.moveTo(row);
            return;
        }
    }
    try {
        table.append();
    } catch (const engine::Error &e) {
        MessageService::failure(QString::fromUtf8(e.what()));
        return;
    }
    if (!writeText(table, kName, name) || !postRow(table, this))
        table.cancel();
}

void StatusDefinitionDialog::deleteStatus()
{
    engine::Table &table = currentTable();
    if (!table.isOpen())
        return;
    if (table.isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nTanımıl tür yok."));
        return;
    }
    if (customerPage()) {
        const std::string current = widgets::toQString(table.value(kName)).toStdString();
        for (const std::string &builtIn : data::builtInCustomerStatuses()) {
            if (current == builtIn) {
                MessageService::error(QStringLiteral("\r\nSilmeye çalıştığınız tür korumalı.\r\n\r\nSİLİNEMEZ..."));
                return;
            }
        }
    }
    const MessageButton answer = MessageService::systemBox(
        this, QStringLiteral("DİKKAT"), QStringLiteral("AKTİF TÜR SİLİNECEK. DEVAM EDİLSİN Mİ?"), MessageIcon::Warning,
        {MessageButton::Yes, MessageButton::No});
    if (answer == MessageButton::Yes)
        removeRow(table);
}

bool StatusDefinitionDialog::formKey(int key, Qt::KeyboardModifiers)
{
    if (key == Qt::Key_F12) {
        close();
        return true;
    }
    return false;
}

} // namespace forms
