// Shows one of the lookup-table dialogs over a scratch data folder with a few
// rows, for looking at it on a real display:
//   definitions_preview bank|bankpick|bankpanel|payee|customer|status|statusm
#include "data/datastore.h"
#include "forms/definitions/companybankdialog.h"
#include "forms/definitions/customerbankdialog.h"
#include "forms/definitions/payeedialog.h"
#include "forms/definitions/statusdefinitiondialog.h"
#include "forms/sharedstate.h"
#include "fspath.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>

namespace {

void put(engine::Table &table, const std::vector<std::pair<std::string, std::string>> &values)
{
    table.append();
    for (const auto &[field, value] : values)
        table.setValue(field, engine::Value{value});
    table.post();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("bank");
    QTemporaryDir dir;
    data::DataStore store(fsPath(dir.filePath("Veriler")));
    store.setUp();
    using data::TableId;
    put(store.table(TableId::CompanyBanks), {{"BANKA_ADI", "T.C. ZİRAAT BANKASI"}, {"SUBE_ADI", "KADIKÖY"}, {"HESAP_NUMARASI", "1234-5678"}});
    put(store.table(TableId::CompanyBanks), {{"BANKA_ADI", "AKBANK"}, {"SUBE_ADI", "ÇARŞI"}, {"HESAP_NUMARASI", "99 88 77"}});
    put(store.table(TableId::Payees), {{"CEKI_ALAN_KISI", "ŞAHİN TİCARET"}});
    put(store.table(TableId::Payees), {{"CEKI_ALAN_KISI", "IŞIK GIDA LTD."}});
    put(store.table(TableId::CustomerBanks), {{"ADI_SOYADI", "AYŞE ÇELİK"}, {"BANKA_ADI", "İŞ BANKASI"}, {"SUBESI", "ÜSKÜDAR"}, {"HESAP_NO", "12345"}});

    std::unique_ptr<QDialog> dialog;
    if (which.startsWith(QLatin1String("bank"))) {
        forms::shared().bankaTanimModu = which == QLatin1String("bankpick") ? QStringLiteral("S") : QStringLiteral("A");
        auto *bank = new forms::CompanyBankDialog(store.table(TableId::CompanyBanks));
        dialog.reset(bank);
        if (which == QLatin1String("bankpanel")) {
            QMetaObject::invokeMethod(bank, [bank] {
                bank->newAccount();
                bank->edit(0)->setText(QStringLiteral("GARANTİ BBVA"));
            }, Qt::QueuedConnection);
        }
    } else if (which == QLatin1String("payee")) {
        dialog.reset(new forms::PayeeDialog(store.table(TableId::Payees)));
    } else if (which == QLatin1String("customer")) {
        dialog.reset(new forms::CustomerBankDialog(store.table(TableId::CustomerBanks)));
    } else {
        forms::shared().cekDurumSayfa = which == QLatin1String("statusm") ? QStringLiteral("M") : QStringLiteral("F");
        dialog.reset(new forms::StatusDefinitionDialog(store.table(TableId::CompanyStatuses),
                                                       store.table(TableId::CustomerStatuses)));
    }
    dialog->exec();
    dialog.reset();
    return 0;
}
