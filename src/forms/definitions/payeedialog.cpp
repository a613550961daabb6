#include "forms/definitions/payeedialog.h"

#include "forms/definitions/editablegrid.h"
#include "forms/definitions/rowposting.h"
#include "forms/definitions/titleheader.h"
#include "data/schema.h"
#include "engine/error.h"
#include "engine/table.h"
#include "widgets/messageservice.h"
#include "widgets/valuetext.h"

#include <QHeaderView>
#include <QPushButton>

namespace forms {

using widgets::MessageService;

namespace {

const char *const kName = "CEKI_ALAN_KISI";

QPushButton *makeButton(const QString &text, QWidget *parent, const QRect &geometry)
{
    auto *button = new QPushButton(text, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setFocusPolicy(Qt::TabFocus);
    button->setStyleSheet(QStringLiteral("QPushButton { color: rgb(0,0,128); } QPushButton:disabled { color: rgb(150,150,150); }"));
    return button;
}

} // namespace

PayeeDialog::PayeeDialog(engine::Table &payees, QWidget *parent)
    : TableGridDialog(payees, parent)
{
    setObjectName(QStringLiteral("firmasahistanimlama"));
    setWindowTitle(QStringLiteral("Çeki Alan Şahıs / Firma Tanımları"));
    setFixedSize(292, 275);

    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    m_grid->setGeometry(9, 8, 273, 217);
    m_grid->setDropsUntouchedNewRow(true);
    m_grid->setRowCheck([this] { return nameIsGiven(); });
    QPalette gridColours = m_grid->palette();
    gridColours.setColor(QPalette::Base, QColor(220, 217, 201));
    gridColours.setColor(QPalette::Window, QColor(218, 206, 186));
    m_grid->setPalette(gridColours);
    m_grid->setHorizontalHeader(new TitleHeader(Qt::AlignCenter, m_grid));
    m_grid->horizontalHeader()->setStyleSheet(
        QStringLiteral("QHeaderView::section { background-color: rgb(209,209,194); border: 0px; "
                       "border-right: 1px solid rgb(160,160,160); border-bottom: 1px solid rgb(160,160,160); }"));
    const data::FieldDisplay *display = data::table(data::TableId::Payees).field(kName);
    m_grid->setColumns({{QString::fromLatin1(kName), 40,
                         display ? QString::fromStdString(display->label) : QString::fromLatin1(kName), {}}});
    m_grid->setColumnWidth(0, 248);

    auto *add = makeButton(QStringLiteral("Yeni - F2"), this, QRect(9, 235, 67, 25));
    add->setObjectName(QStringLiteral("RzButton1"));
    auto *save = makeButton(QStringLiteral("Kaydet - F5"), this, QRect(78, 235, 67, 25));
    save->setObjectName(QStringLiteral("RzButton2"));
    auto *remove = makeButton(QStringLiteral("Sil - F9"), this, QRect(147, 235, 67, 25));
    remove->setObjectName(QStringLiteral("RzButton3"));
    auto *cancel = makeButton(QStringLiteral("İptal"), this, QRect(216, 235, 58, 25));
    cancel->setObjectName(QStringLiteral("RzButton4"));
    cancel->setToolTip(MessageService::displayText(
        QStringLiteral("Kayıtta yapılan değişikliği iptal eder\r\nKayıt yeni giriliyorsa kaydı iptal eder")));
    connect(add, &QPushButton::clicked, this, &PayeeDialog::newPayee);
    connect(save, &QPushButton::clicked, this, &PayeeDialog::savePayee);
    connect(remove, &QPushButton::clicked, this, &PayeeDialog::deletePayee);
    connect(cancel, &QPushButton::clicked, this, &PayeeDialog::cancelEdit);
}

bool PayeeDialog::nameIsGiven() const
{
    if (!widgets::toQString(m_table.value(kName)).trimmed().isEmpty())
        return true;
    // A payee without a name is no payee (and a blank key would not stay unique).
    MessageService::warning(QStringLiteral("\r\nÇeki alan kişi / firma adını giriniz."));
    return false;
}

bool PayeeDialog::storePending()
{
    if (!m_table.isEditing())
        return true;
    if (!m_table.isModified()) {
        m_table.cancel();
        return true;
    }
    return nameIsGiven() && postRow(m_table, this);
}

void PayeeDialog::newPayee()
{
    startNewRow();
}

void PayeeDialog::savePayee()
{
    savePendingRow();
}

void PayeeDialog::focusGrid()
{
    m_grid->focusCell(0);
}

void PayeeDialog::deletePayee()
{
    if (!m_table.isOpen())
        return;
    if (m_table.isEmpty() && m_table.state() != engine::Table::State::Insert) {
        MessageService::warning(QStringLiteral("\r\nTanımlı kayıt Yok."));
        m_grid->setFocus();
        return;
    }
    if (!MessageService::confirm(QStringLiteral("AKTİF TANIMLAMA SİLİNECEK.\r\n\r\nDEVAM EDİLSİN Mİ?")))
        return;
    m_grid->discardEditor();
    if (m_table.state() == engine::Table::State::Insert) {
        m_table.cancel(); // an unstored row is simply dropped
    } else {
        m_table.cancel();
        removeRow(m_table);
    }
    m_grid->focusCell(0);
}

void PayeeDialog::cancelEdit()
{
    m_grid->discardEditor();
    if (m_table.isOpen())
        m_table.cancel();
    m_grid->focusCell(0);
}

bool PayeeDialog::formKey(int key, Qt::KeyboardModifiers)
{
    switch (key) {
    case Qt::Key_F12:
        close();
        return true;
    case Qt::Key_F2:
        newPayee();
        return true;
    case Qt::Key_F5:
        savePayee();
        return true;
    case Qt::Key_F9:
        deletePayee();
        return true;
    default:
        return false;
    }
}

} // namespace forms
