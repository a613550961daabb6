#include "forms/definitions/customerbankdialog.h"

#include "forms/definitions/editablegrid.h"
#include "forms/definitions/rowposting.h"
#include "engine/error.h"
#include "engine/table.h"
#include "widgets/messageservice.h"

#include <QHeaderView>
#include <QPushButton>

namespace forms {

using widgets::MessageButton;
using widgets::MessageKind;
using widgets::MessageService;

namespace {

QPushButton *makeButton(const QString &text, QWidget *parent, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::ClickFocus); // not reached by Tab
    button->setStyleSheet(QStringLiteral("QPushButton { color: rgb(0,0,128); } QPushButton:disabled { color: rgb(150,150,150); }"));
    return button;
}

} // namespace

CustomerBankDialog::CustomerBankDialog(engine::Table &customers, QWidget *parent)
    : TableGridDialog(customers, parent)
{
    setObjectName(QStringLiteral("musteritanimi"));
    setWindowTitle(QStringLiteral("Şahis/Firma Banka Bilgi Tanımı"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(574, 255);

    m_grid->setObjectName(QStringLiteral("wwDBGrid1"));
    m_grid->setGeometry(6, 6, 561, 209);
    m_grid->setEnterMovesToNextCell(true);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette gridColours = m_grid->palette();
    gridColours.setColor(QPalette::Base, QColor(220, 217, 201));
    m_grid->setPalette(gridColours);
    m_grid->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    m_grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(209,209,194); border: 0px; "
                       "border-right: 1px solid rgb(160,160,160); border-bottom: 1px solid rgb(160,160,160); "
                       "padding-left: 2px; }"));
    m_grid->setColumns({{QStringLiteral("ADI_SOYADI"), 28, QStringLiteral("ADI SOYADI"), {}},
                        {QStringLiteral("BANKA_ADI"), 19, QStringLiteral("BANKA ADI"), {}},
                        {QStringLiteral("SUBESI"), 20, QStringLiteral("ŞUBESİ"), {}},
                        {QStringLiteral("HESAP_NO"), 19, QStringLiteral("HESAP NUMARASI"), {}}});

    auto *add = makeButton(QStringLiteral("YENİ - F2"), this, QRect(6, 223, 80, 25));
    add->setObjectName(QStringLiteral("RzButton1"));
    auto *save = makeButton(QStringLiteral("KAYDET - F5"), this, QRect(90, 223, 80, 25));
    save->setObjectName(QStringLiteral("RzButton2"));
    auto *remove = makeButton(QStringLiteral("SİL - F9"), this, QRect(174, 223, 80, 25));
    remove->setObjectName(QStringLiteral("RzButton3"));
    auto *cancel = makeButton(QStringLiteral("İPTAL"), this, QRect(258, 223, 80, 25));
    cancel->setObjectName(QStringLiteral("RzButton4X"));
    auto *exit = makeButton(QStringLiteral("ÇIKIŞ - F12"), this, QRect(487, 223, 80, 25));
    exit->setObjectName(QStringLiteral("RzButton4"));
    connect(add, &QPushButton::clicked, this, &CustomerBankDialog::newCustomer);
    connect(save, &QPushButton::clicked, this, &CustomerBankDialog::saveCustomer);
    connect(remove, &QPushButton::clicked, this, &CustomerBankDialog::deleteCustomer);
    connect(cancel, &QPushButton::clicked, this, &CustomerBankDialog::cancelEdit);
    connect(exit, &QPushButton::clicked, this, &QDialog::close);
}

bool CustomerBankDialog::storePending()
{
    if (!m_table.isEditing())
        return true;
    if (!m_table.isModified()) {
        m_table.cancel();
        return true;
    }
    return postRow(m_table, this);
}

void CustomerBankDialog::newCustomer()
{
    startNewRow();
}

void CustomerBankDialog::saveCustomer()
{
    savePendingRow();
}

void CustomerBankDialog::deleteCustomer()
{
    if (!m_table.isOpen())
        return;
    if (m_table.isEmpty() && m_table.state() != engine::Table::State::Insert) {
        MessageService::warning(QStringLiteral("\r\nTanımlı hiçbir kayıt yok."));
        return;
    }
    const MessageButton answer =
        MessageService::ask(MessageKind::Warning,
                            QStringLiteral("\r\nAktif tanımlama kaydı silinecek.\r\n\r\nSilme işlemine devam edilsin mi?"),
                            {MessageButton::Yes, MessageButton::No});
    if (answer != MessageButton::Yes)
        return;
    m_grid->discardEditor();
    const bool inserting = m_table.state() == engine::Table::State::Insert;
    m_table.cancel();
    if (!inserting)
        removeRow(m_table);
    m_grid->setFocus();
}

void CustomerBankDialog::cancelEdit()
{
    m_grid->discardEditor();
    if (m_table.isOpen())
        m_table.cancel();
    m_grid->setFocus();
}

bool CustomerBankDialog::formKey(int key, Qt::KeyboardModifiers)
{
    switch (key) {
    case Qt::Key_F2:
        newCustomer();
        return true;
    case Qt::Key_F5:
        saveCustomer();
        return true;
    case Qt::Key_F9:
        deleteCustomer();
        return true;
    case Qt::Key_F12:
        close();
        return true;
    default:
        return false;
    }
}

} // namespace forms
