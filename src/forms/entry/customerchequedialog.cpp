#include "forms/entry/customerchequedialog.h"

#include "data/datastore.h"
#include "engine/error.h"
#include "engine/table.h"
#include "forms/entry/customerbankpicker.h"
#include "forms/entry/statuspicker.h"
#include "forms/sharedstate.h"
#include "text/turkish.h"
#include "widgets/dataamountedit.h"
#include "widgets/datacheckbox.h"
#include "widgets/datadateedit.h"
#include "widgets/datalineedit.h"
#include "widgets/datamemo.h"
#include "widgets/messageservice.h"
#include "widgets/tableadapter.h"
#include "widgets/valuetext.h"

#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

namespace forms {

using data::TableId;
using widgets::MessageService;

namespace {

const QString kYok = QStringLiteral("YOK");

QLabel *label(const QString &text, int x, int y, QWidget *parent, bool arial = true)
{
    auto *l = new QLabel(text, parent);
    if (arial) {
        QFont f(QStringLiteral("Arial"), 8);
        l->setFont(f);
    }
    l->move(x, y);
    l->adjustSize();
    return l;
}

QFrame *line(int x, int y, int width, QWidget *parent)
{
    auto *bevel = new QFrame(parent);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(x, y, width, 3);
    return bevel;
}

QFrame *panel(const QString &name, int height, QWidget *parent)
{
    auto *p = new QFrame(parent);
    p->setObjectName(name);
    p->setFrameStyle(QFrame::Panel | QFrame::Raised);
    p->setAutoFillBackground(true);
    QPalette pal = p->palette();
    pal.setColor(QPalette::Window, QColor(217, 214, 198));
    p->setPalette(pal);
    p->setGeometry(16, 211, 278, height);
    p->hide();
    return p;
}

} // namespace

CustomerChequeDialog::CustomerChequeDialog(widgets::TableAdapter &ledger, data::DataStore &store, QWidget *parent)
    : ChequeEntryDialog(ledger, shared().musteriGirisModu, QStringLiteral("MÜŞTERİ ÇEK GİRİŞİ"), parent)
    , m_store(store)
{
    setObjectName(QStringLiteral("mustericekgirisi"));
    setFixedSize(634, 311);

    m_endorsed = new widgets::DataCheckBox(QStringLiteral("ÇEK &CİROLU >>"), ledger, QStringLiteral("CEK_CIROLU"), this);
    m_endorsed->setObjectName(QStringLiteral("DBCheckBox1"));
    QFont boldArial(QStringLiteral("Arial"), 8);
    boldArial.setBold(true);
    m_endorsed->setFont(boldArial);
    m_endorsed->setFocusPolicy(Qt::ClickFocus);
    m_endorsed->setGeometry(16, 23, 113, 17);

    m_endorserLabel = label(QStringLiteral("> CİRO EDEN >"), 16, 54, this);
    m_endorserLabel->setObjectName(QStringLiteral("Label1"));
    m_endorserLabel->setFont(boldArial);
    m_endorserLabel->adjustSize();
    m_endorser = new widgets::DataLineEdit(ledger, QStringLiteral("CIRO_EDEN"), this);
    m_endorser->setObjectName(QStringLiteral("DBEdit1"));
    m_endorser->setGeometry(117, 51, 173, 21);

    label(QStringLiteral("VADE TARİHİ"), 16, 78, this);
    m_dueDate = new widgets::DataDateEdit(ledger, QStringLiteral("VADE_TARIHI"), this);
    m_dueDate->setObjectName(QStringLiteral("DBEdit2"));
    m_dueDate->setGeometry(117, 75, 85, 21);
    label(QStringLiteral("ÇEK TUTARI"), 16, 102, this);
    m_amount = new widgets::DataAmountEdit(ledger, QStringLiteral("CEK_TUTARI"), this);
    m_amount->setObjectName(QStringLiteral("DBEdit3"));
    m_amount->setGeometry(117, 99, 173, 21);
    label(QStringLiteral("ÇEK NUMARASI"), 16, 126, this);
    m_chequeNumber = new widgets::DataLineEdit(ledger, QStringLiteral("CEK_NUMARASI"), this);
    m_chequeNumber->setObjectName(QStringLiteral("DBEdit4"));
    m_chequeNumber->setGeometry(117, 123, 173, 21);

    line(320, 29, 300, this)->setObjectName(QStringLiteral("Bevel1"));
    QLabel *heading = label(QStringLiteral(" BANKA BİLGİLERİ "), 335, 22, this);
    heading->setObjectName(QStringLiteral("Label13"));
    QFont headingFont(QStringLiteral("Arial"), 10);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    heading->setAutoFillBackground(true);
    heading->adjustSize();
    heading->move(335, 29 - heading->height() / 2);

    m_bankMenu = new QToolButton(this);
    m_bankMenu->setObjectName(QStringLiteral("RzMenuButton1"));
    m_bankMenu->setText(QStringLiteral("Banka Bilgi Seçimi"));
    m_bankMenu->setFont(boldArial);
    m_bankMenu->setFocusPolicy(Qt::NoFocus);
    m_bankMenu->setPopupMode(QToolButton::InstantPopup);
    m_bankMenu->setStyleSheet(QStringLiteral(
        "QToolButton { color: blue; background: rgb(244,244,240); border: 1px solid rgb(180,180,170); }"
        "QToolButton:hover { background: rgb(255,199,60); }"
        "QToolButton::menu-indicator { image: none; width: 0px; }"));
    m_bankMenu->setGeometry(479, 20, 137, 19);
    auto *menu = new QMenu(m_bankMenu);
    menu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *pick = menu->addAction(QStringLiteral("Şahis/Firma Banka Bilgisi Seç\tF8"));
    pick->setObjectName(QStringLiteral("RzButton1"));
    menu->addSeparator()->setObjectName(QStringLiteral("N1"));
    QAction *define = menu->addAction(QStringLiteral("Aktif Banka Bilgilerini Otomatik Tanıt\tF7"));
    define->setObjectName(QStringLiteral("ototanitt"));
    connect(pick, &QAction::triggered, this, [this] { guarded([this] { pickBankDetails(); }); });
    connect(define, &QAction::triggered, this, [this] { guarded([this] { defineBankDetails(); }); });
    m_bankMenu->setMenu(menu);

    const auto right = [&](const QString &caption, const QString &field, const char *name, int y) {
        label(caption, 320, y + 3, this);
        auto *editor = new widgets::DataLineEdit(ledger, field, this);
        editor->setObjectName(QString::fromLatin1(name));
        editor->setGeometry(420, y, 200, 21);
        return editor;
    };
    m_holder = right(QStringLiteral("HESAP SAHİBİ"), QStringLiteral("HESAPSAHIBI"), "DBEdit5", 44);
    m_bank = right(QStringLiteral("BANKA ADI"), QStringLiteral("BANKASI"), "DBEdit6", 68);
    m_branch = right(QStringLiteral("ŞUBE ADI"), QStringLiteral("SUBESI"), "DBEdit7", 92);
    m_account = right(QStringLiteral("HESAP NUMARASI"), QStringLiteral("HESAPNO"), "DBEdit8", 116);
    line(320, 146, 300, this)->setObjectName(QStringLiteral("Bevel2"));

    QLabel *statusLabel = label(QStringLiteral("ÇEKİN DURUMU - F1"), 16, 174, this);
    // The caption is the longest of the left column: it must end before the editor at 117.
    QFont narrow = statusLabel->font();
    narrow.setStretch(QFont::SemiCondensed);
    statusLabel->setFont(narrow);
    statusLabel->adjustSize();
    const StatusControls status = addStatusControls(QStringLiteral("CEK_DURUM"), QStringLiteral("DBEdit9"),
                                                    QRect(117, 171, 124, 21), 242, [this] { pickStatus(); });
    m_status = status.editor;
    m_statusButton = status.button;

    m_collectionPanel = panel(QStringLiteral("Panel1"), 51, this);
    label(QStringLiteral("BANKA ADI"), 8, 6, m_collectionPanel);
    m_collectionBank = new widgets::DataLineEdit(ledger, QStringLiteral("TAHSIL_BANKA"), m_collectionPanel);
    m_collectionBank->setObjectName(QStringLiteral("DBEdit10"));
    m_collectionBank->setGeometry(103, 3, 172, 21);
    label(QStringLiteral("ŞUBE ADI"), 8, 30, m_collectionPanel);
    m_collectionBranch = new widgets::DataLineEdit(ledger, QStringLiteral("TAHSIL_SUBE"), m_collectionPanel);
    m_collectionBranch->setObjectName(QStringLiteral("DBEdit11"));
    m_collectionBranch->setGeometry(103, 27, 172, 21);

    m_endorsementPanel = panel(QStringLiteral("Panel2"), 27, this);
    label(QStringLiteral("KİME CİRO EDİLDİ"), 8, 6, m_endorsementPanel);
    m_endorsee = new widgets::DataLineEdit(ledger, QStringLiteral("KIME_CIRO"), m_endorsementPanel);
    m_endorsee->setObjectName(QStringLiteral("DBEdit12"));
    m_endorsee->setGeometry(103, 3, 172, 21);

    label(QStringLiteral("AÇIKLAMA"), 326, 166, this);
    m_note = new widgets::DataMemo(ledger, QStringLiteral("ACIKLAMA"), this);
    m_note->setObjectName(QStringLiteral("DBMemo1"));
    m_note->setMaxLength(200);
    m_note->setToolTip(QStringLiteral("Yeni bir satır için Ctrl + Enter"));
    m_note->setGeometry(324, 184, 301, 76);

    buildButtonBar(6, 97, 120, 97, 528, 99, 25);

    QWidget *order[] = {m_endorser, m_dueDate, m_amount, m_chequeNumber, m_holder, m_bank, m_branch, m_account,
                        m_status, m_collectionBank, m_collectionBranch, m_endorsee, m_note};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (widgets::DataEditor *editor : std::initializer_list<widgets::DataEditor *>{
             m_endorser, m_dueDate, m_amount, m_chequeNumber, m_holder, m_bank, m_branch, m_account, m_status,
             m_collectionBank, m_collectionBranch, m_endorsee, m_note})
        addEditor(editor);

    connect(m_endorsed, &QCheckBox::toggled, this, &CustomerChequeDialog::endorsementChanged);
    connect(&ledger, &widgets::TableAdapter::reset, this, &CustomerChequeDialog::rowChanged);
    connect(&ledger, &widgets::TableAdapter::currentChanged, this, &CustomerChequeDialog::rowChanged);
    connect(&ledger, &widgets::TableAdapter::stateChanged, this, &CustomerChequeDialog::rowChanged);

    m_statusPicker = new StatusPicker(store.table(TableId::CompanyStatuses), store.table(TableId::CustomerStatuses), this);
    m_bankPicker = new CustomerBankPicker(store.table(TableId::CustomerBanks), this);
}

CustomerChequeDialog::~CustomerChequeDialog() = default;

QWidget *CustomerChequeDialog::firstControl() const
{
    return m_endorsed;
}

CustomerChequeDialog::StatusKind CustomerChequeDialog::kindOf(const QString &status)
{
    if (status.isEmpty())
        return StatusKind::Plain;
    const std::string s = status.toStdString();
    const auto is = [&s](const char *name) { return text::equalsIgnoreCaseTurkish(s, name); };
    if (is("BANKA TAHSİLDE"))
        return StatusKind::Collection;
    if (is("CİRO EDİLDİ"))
        return StatusKind::Endorsement;
    if (is("PORTFÖYDE") || is("TAHSİL EDİLDİ") || is("İADE EDİLDİ") || is("KARŞILIĞI YOK"))
        return StatusKind::Plain;
    return StatusKind::UserDefined;
}

QString CustomerChequeDialog::shownStatus() const
{
    const engine::Table &table = ledger();
    if (!table.isOpen() || (!table.isEditing() && table.position() < 0))
        return {};
    return widgets::toQString(table.value("CEK_DURUM"));
}

qint64 CustomerChequeDialog::rowIdentity() const
{
    const engine::Table &table = ledger();
    if (!table.isOpen())
        return -1;
    return table.state() == engine::Table::State::Insert ? -2 : table.currentRowId();
}

void CustomerChequeDialog::showPanels(StatusKind kind)
{
    if (kind == StatusKind::UserDefined)
        return;
    m_collectionPanel->setVisible(kind == StatusKind::Collection);
    m_endorsementPanel->setVisible(kind == StatusKind::Endorsement);
}

void CustomerChequeDialog::applyStatusRule(const QString &status, bool write)
{
    const StatusKind kind = kindOf(status);
    if (kind == StatusKind::UserDefined)
        return;
    showPanels(kind);
    if (!write)
        return;
    // The details that do not apply to the status are overwritten, so nothing
    // stale is saved behind a hidden panel.
    if (kind != StatusKind::Collection) {
        m_collectionBank->link().write(engine::Value(kYok.toStdString()));
        m_collectionBranch->link().write(engine::Value(kYok.toStdString()));
    }
    if (kind != StatusKind::Endorsement)
        m_endorsee->link().write(engine::Value(kYok.toStdString()));
}

void CustomerChequeDialog::rowChanged()
{
    const QString status = shownStatus();
    const qint64 row = rowIdentity();
    if (!shared().musteriGirisAcik || !isVisible()) {
        m_seenStatus = status;
        m_seenRow = row;
        return;
    }
    const bool sameRow = row == m_seenRow;
    m_seenRow = row;
    if (status == m_seenStatus)
        return;
    m_seenStatus = status;
    // A status changed on the cheque in hand runs the whole rule; a row that
    // merely became current (a new blank row, the row shown after a new one
    // was dropped) only shows its panels: the dialog never writes into a
    // cheque the user did not touch.
    applyStatusRule(status, sameRow);
}

void CustomerChequeDialog::endorsementChanged(bool ticked)
{
    if (!shared().musteriGirisAcik || !isVisible())
        return;
    m_endorser->setVisible(ticked);
    m_endorserLabel->setVisible(ticked);
    if (ticked)
        m_endorser->setFocus(Qt::OtherFocusReason);
}

void CustomerChequeDialog::showEvent(QShowEvent *event)
{
    shared().musteriGirisAcik = true;
    ChequeEntryDialog::showEvent(event);
    m_endorsed->setFocus(Qt::OtherFocusReason);
    m_seenStatus = shownStatus();
    m_seenRow = rowIdentity();
    const StatusKind kind = kindOf(m_seenStatus);
    m_collectionPanel->setVisible(kind == StatusKind::Collection);
    m_endorsementPanel->setVisible(kind == StatusKind::Endorsement);
    const bool ticked = m_endorsed->isChecked();
    m_endorser->setVisible(ticked);
    m_endorserLabel->setVisible(ticked);
    if (ticked)
        m_endorser->setFocus(Qt::OtherFocusReason);
}

void CustomerChequeDialog::newChequeStarted()
{
    m_collectionPanel->hide();
    m_endorsementPanel->hide();
    m_endorser->hide();
    m_endorserLabel->hide();
}

void CustomerChequeDialog::closing()
{
    shared().musteriGirisAcik = false;
}

bool CustomerChequeDialog::functionKey(int key, QWidget *focused)
{
    switch (key) {
    case Qt::Key_F8:
        pickBankDetails();
        return true;
    case Qt::Key_F7:
        defineBankDetails();
        return true;
    case Qt::Key_F1:
        if (focused != m_status)
            return false;
        pickStatus();
        return true;
    default:
        return false;
    }
}

void CustomerChequeDialog::editorLeft(widgets::DataEditor *editor)
{
    // Leaving the status editor lands in the panel that is shown.
    if (editor != m_status || isCommittingFocused() || !shared().musteriGirisAcik)
        return;
    if (m_collectionPanel->isVisible())
        m_collectionBank->setFocus(Qt::OtherFocusReason);
    else if (m_endorsementPanel->isVisible())
        m_endorsee->setFocus(Qt::OtherFocusReason);
}

void CustomerChequeDialog::pickStatus()
{
    pickStatusFrom(m_store.table(TableId::CustomerStatuses), QStringLiteral("M"), *m_status, *m_statusPicker);
}

void CustomerChequeDialog::pickBankDetails()
{
    engine::Table &banks = m_store.table(TableId::CustomerBanks);
    if (!banks.isOpen() || banks.isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nTanımlı Hiçbir Sahış/Firma Banka Bilgileri Yok."));
        m_holder->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (!m_bankPicker->pick())
        return;
    const bool written = m_holder->link().write(banks.value("ADI_SOYADI"))
        && m_bank->link().write(banks.value("BANKA_ADI"))
        && m_branch->link().write(banks.value("SUBESI"))
        && m_account->link().write(banks.value("HESAP_NO"));
    if (written)
        m_status->setFocus(Qt::OtherFocusReason);
}

void CustomerChequeDialog::defineBankDetails()
{
    const QString holder = m_holder->text();
    if (holder.trimmed().isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nEn azından Hesap Sahibi Bölümünü doldurun."));
        m_holder->setFocus(Qt::OtherFocusReason);
        return;
    }
    engine::Table &banks = m_store.table(TableId::CustomerBanks);
    if (!banks.isOpen())
        return;
    if (banks.locate("ADI_SOYADI", holder.toStdString())) {
        const widgets::MessageButton answer = MessageService::systemBox(
            this, QStringLiteral("UYARI"),
            holder + QStringLiteral(" İsmiyle Banka Bilgi Tanımlama Bölümünde Kayıt Var.\r\nTANIMLAMAYA DEVAM EDİLSİN Mİ"),
            widgets::MessageIcon::Warning, {widgets::MessageButton::Yes, widgets::MessageButton::No});
        if (answer != widgets::MessageButton::Yes)
            return;
    }
    try {
        banks.append();
        banks.setValue("ADI_SOYADI", engine::Value(holder.toStdString()));
        banks.setValue("BANKA_ADI", engine::Value(m_bank->text().toStdString()));
        banks.setValue("SUBESI", engine::Value(m_branch->text().toStdString()));
        banks.setValue("HESAP_NO", engine::Value(m_account->text().toStdString()));
        banks.post();
    } catch (const engine::Error &e) {
        // Nothing is left half-added to the bank details table.
        banks.cancel();
        MessageService::failure(QString::fromUtf8(e.what()));
        return;
    }
    MessageService::information(QStringLiteral("\r\nKayıt İşlemi Tamamlandı."));
    m_status->setFocus(Qt::OtherFocusReason);
}

void runCustomerChequeEntry(widgets::TableAdapter &ledger, data::DataStore &store, QWidget *parent)
{
    CustomerChequeDialog dialog(ledger, store, parent);
    MessageService::execDialog(&dialog);
}

} // namespace forms
