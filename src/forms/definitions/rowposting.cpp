#include "forms/definitions/rowposting.h"

#include "engine/error.h"
#include "engine/table.h"
#include "widgets/messageservice.h"

#include <QString>

namespace forms {

using widgets::MessageButton;
using widgets::MessageIcon;
using widgets::MessageService;

bool postRow(engine::Table &table, QWidget *owner)
{
    try {
        table.post();
        return true;
    } catch (const engine::Error &e) {
        if (e.hasCode(engine::code::KeyViolation)) {
            MessageService::systemBox(owner, QStringLiteral("KAYIT HATASI"),
                                      QStringLiteral("Kayıt işlemi durduruldu.\r\rGirmeye çalıştığınız tür tanımlı.\r"
                                                     "Bazı değerleri değiştirip yeniden deneyin."),
                                      MessageIcon::Error, {MessageButton::Ok});
        } else {
            MessageService::failure(QString::fromUtf8(e.what()));
        }
    }
    return false;
}

bool removeRow(engine::Table &table)
{
    try {
        table.remove();
        return true;
    } catch (const engine::Error &e) {
        MessageService::failure(QString::fromUtf8(e.what()));
    }
    return false;
}

bool writeText(engine::Table &table, const char *field, const QString &text)
{
    try {
        table.setValue(field, engine::Value{text.toStdString()});
        return true;
    } catch (const engine::Error &e) {
        MessageService::failure(QString::fromUtf8(e.what()));
    }
    return false;
}

} // namespace forms
