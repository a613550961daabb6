#include "forms/entry/companychequedialog.h"

#include "data/datastore.h"
#include "engine/error.h"
#include "engine/table.h"
#include "forms/entry/statuspicker.h"
#include "forms/sharedstate.h"
#include "widgets/dataamountedit.h"
#include "widgets/datadateedit.h"
#include "widgets/datalineedit.h"
#include "widgets/datalookupcombo.h"
#include "widgets/datamemo.h"
#include "widgets/messageservice.h"
#include "widgets/valuetext.h"

#include <QFrame>
#include <QLabel>
#include <QToolButton>

namespace forms {

using data::TableId;
using widgets::MessageService;

namespace {

QLabel *label(const QString &text, int x, int y, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->move(x, y);
    l->adjustSize();
    return l;
}

// The payee table's own answer to a refused post: a name stored already gets
// the program's message, anything else the engine's text.
void reportPayeePostError(const engine::Error &error, QWidget *owner)
{
    if (!error.codes().empty() && error.codes().back() == engine::code::KeyViolation) {
        MessageService::systemBox(owner, QStringLiteral("KAYIT HATASI"),
                                  QStringLiteral("Kayıt işlemi durduruldu.\r\rGirmeye çalıştığınız tür tanımlı.\r"
                                                 "Bazı değerleri değiştirip yeniden deneyin."),
                                  widgets::MessageIcon::Error, {widgets::MessageButton::Ok});
        return;
    }
    MessageService::plain(QString::fromUtf8(error.what()));
}

} // namespace

CompanyChequeDialog::CompanyChequeDialog(widgets::TableAdapter &ledger, data::DataStore &store,
                                         std::function<void()> showBankDialog, QWidget *parent)
    : ChequeEntryDialog(ledger, shared().firmaGirisModu, QStringLiteral("FİRMA ÇEK GİRİŞİ"), parent)
    , m_store(store)
    , m_showBankDialog(std::move(showBankDialog))
{
    setObjectName(QStringLiteral("firmacekgirisi"));
    setFixedSize(493, 357);

    label(QStringLiteral("VADE TARİHİ"), 16, 16, this);
    m_dueDate = new widgets::DataDateEdit(ledger, QStringLiteral("VADE_TARIHI"), this);
    m_dueDate->setObjectName(QStringLiteral("DBEdit1"));
    m_dueDate->setGeometry(116, 13, 85, 21);

    label(QStringLiteral("ÇEK TUTARI"), 16, 40, this);
    m_amount = new widgets::DataAmountEdit(ledger, QStringLiteral("CEK_TUTARI"), this);
    m_amount->setObjectName(QStringLiteral("DBEdit2"));
    m_amount->setGeometry(116, 37, 173, 21);

    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(16, 71, 234, 3);
    QLabel *heading = label(QStringLiteral("FİRMA BANKA BİLGİLERİ"), 48, 66, this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAutoFillBackground(true);
    heading->adjustSize();
    m_bankButton = new QToolButton(this);
    m_bankButton->setObjectName(QStringLiteral("SpeedButton1"));
    m_bankButton->setText(QStringLiteral("Banka Seç [F8]"));
    m_bankButton->setAutoRaise(true);
    m_bankButton->setFocusPolicy(Qt::NoFocus);
    m_bankButton->setStyleSheet(QStringLiteral("QToolButton { color: rgb(58,109,165); }"));
    m_bankButton->setGeometry(251, 64, 109, 18);
    connect(m_bankButton, &QToolButton::clicked, this, [this] { guarded([this] { pickBankAccount(); }); });

    label(QStringLiteral("BANKA ADI"), 16, 88, this);
    m_bankName = new widgets::DataLineEdit(ledger, QStringLiteral("BANKA_ADI"), this);
    m_bankName->setObjectName(QStringLiteral("DBEdit3"));
    m_bankName->setGeometry(116, 85, 244, 21);
    label(QStringLiteral("BANKA ŞUBESİ"), 16, 112, this);
    m_branch = new widgets::DataLineEdit(ledger, QStringLiteral("BANKA_SUBESI"), this);
    m_branch->setObjectName(QStringLiteral("DBEdit4"));
    m_branch->setGeometry(116, 109, 244, 21);
    label(QStringLiteral("HESAP NUMARASI"), 16, 136, this);
    m_account = new widgets::DataLineEdit(ledger, QStringLiteral("HESAP_NUMARASI"), this);
    m_account->setObjectName(QStringLiteral("DBEdit5"));
    m_account->setGeometry(116, 133, 184, 21);

    label(QStringLiteral("ÇEK NUMARASI"), 16, 176, this);
    m_chequeNumber = new widgets::DataLineEdit(ledger, QStringLiteral("CEK_NUMARASI"), this);
    m_chequeNumber->setObjectName(QStringLiteral("DBEdit6"));
    m_chequeNumber->setGeometry(116, 173, 184, 21);

    label(QStringLiteral("ÇEKİ ALAN"), 16, 199, this);
    m_payee = new widgets::DataLookupCombo(ledger, QStringLiteral("CEKI_ALAN"), store.table(TableId::Payees),
                                           QStringLiteral("CEKI_ALAN_KISI"), this);
    m_payee->setObjectName(QStringLiteral("DBEdit7"));
    m_payee->setGeometry(116, 196, 244, 21);

    label(QStringLiteral("ÇEK DURUMU - F1"), 16, 224, this);
    const StatusControls status = addStatusControls(QStringLiteral("CEK_DURUMU"), QStringLiteral("DBEdit8"),
                                                    QRect(116, 221, 133, 21), 250, [this] { pickStatus(); });
    m_status = status.editor;
    m_statusButton = status.button;

    label(QStringLiteral("AÇIKLAMA"), 16, 248, this);
    m_note = new widgets::DataMemo(ledger, QStringLiteral("ACIKLAMA"), this);
    m_note->setObjectName(QStringLiteral("DBMemo1"));
    m_note->setMaxLength(200);
    m_note->setToolTip(QStringLiteral("Yeni bir satır için Ctrl + Enter"));
    m_note->setGeometry(116, 245, 369, 65);

    buildButtonBar(6, 89, 98, 77, 403, 83, 26);

    setTabOrder(m_dueDate, m_amount);
    setTabOrder(m_amount, m_bankName);
    setTabOrder(m_bankName, m_branch);
    setTabOrder(m_branch, m_account);
    setTabOrder(m_account, m_chequeNumber);
    setTabOrder(m_chequeNumber, m_payee);
    setTabOrder(m_payee, m_status);
    setTabOrder(m_status, m_note);

    for (widgets::DataEditor *editor : std::initializer_list<widgets::DataEditor *>{
             m_dueDate, m_amount, m_bankName, m_branch, m_account, m_chequeNumber, m_payee, m_status, m_note})
        addEditor(editor);

    m_statusPicker = new StatusPicker(store.table(TableId::CompanyStatuses), store.table(TableId::CustomerStatuses), this);
}

CompanyChequeDialog::~CompanyChequeDialog() = default;

QWidget *CompanyChequeDialog::firstControl() const
{
    return m_dueDate;
}

bool CompanyChequeDialog::functionKey(int key, QWidget *focused)
{
    if (key == Qt::Key_F8) {
        pickBankAccount();
        return true;
    }
    if (key == Qt::Key_F1 && focused == m_status) {
        pickStatus();
        return true;
    }
    return false;
}

void CompanyChequeDialog::editorLeft(widgets::DataEditor *editor)
{
    if (editor == m_payee)
        checkPayee();
}

void CompanyChequeDialog::pickBankAccount()
{
    shared().bankaTanimModu = QStringLiteral("S");
    shared().bankaSecildi = false;
    if (m_showBankDialog)
        m_showBankDialog();
    m_bankName->setFocus(Qt::OtherFocusReason);
    if (!shared().bankaSecildi)
        return;
    engine::Table &banks = m_store.table(TableId::CompanyBanks);
    if (!banks.isOpen() || banks.isEmpty()) {
        MessageService::warning(QStringLiteral("\r\nTanımlı Firma Banka Tanımı Yok."));
        return;
    }
    const bool written = m_bankName->link().write(banks.value("BANKA_ADI"))
        && m_branch->link().write(banks.value("SUBE_ADI"))
        && m_account->link().write(banks.value("HESAP_NUMARASI"));
    if (written)
        m_chequeNumber->setFocus(Qt::OtherFocusReason);
}

void CompanyChequeDialog::pickStatus()
{
    pickStatusFrom(m_store.table(TableId::CompanyStatuses), QStringLiteral("F"), *m_status, *m_statusPicker);
}

void CompanyChequeDialog::checkPayee()
{
    const QString name = m_payee->currentText();
    if (name.trimmed().isEmpty())
        return;
    engine::Table &payees = m_store.table(TableId::Payees);
    if (!payees.isOpen() || payees.locate("CEKI_ALAN_KISI", name.toStdString()))
        return;
    if (!MessageService::confirm(
            QStringLiteral("\r\nÇEKİ ALAN KİŞİ / FİRMA TANIMSIZ\r\n\r\nOTOMATİK TANIMLAMAK İSERMİSİNİZ.")))
        return;
    try {
        payees.append();
        payees.setValue("CEKI_ALAN_KISI", engine::Value(name.toStdString()));
        payees.post();
    } catch (const engine::Error &e) {
        reportPayeePostError(e, parentWidget() ? parentWidget()->window() : this);
        // The payee table is left as it was; the cheque keeps the typed name.
        payees.cancel();
    }
    m_payee->reloadList();
}

void runCompanyChequeEntry(widgets::TableAdapter &ledger, data::DataStore &store,
                           std::function<void()> showBankDialog, QWidget *parent)
{
    CompanyChequeDialog dialog(ledger, store, std::move(showBankDialog), parent);
    MessageService::execDialog(&dialog);
}

} // namespace forms
