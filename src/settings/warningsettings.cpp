#include "warningsettings.h"

#include "warningrules.h"
#include "wholenumber.h"

#include <QDir>

#include <algorithm>

namespace settings {

namespace {

const QString kSwitchKey = QStringLiteral("RENK_DURUMU");
const QString kDaysKey = QStringLiteral("GUN");
const QString kDueTextKey = QStringLiteral("VADEDOL");
const QString kSecondKey = QStringLiteral("SECILEN");

std::optional<qint32> readNumber(const IniFile &ini, const QString &key)
{
    const std::optional<QString> text = ini.value(WarningSettings::sectionName(), key);
    if (!text)
        return std::nullopt;
    return parseWholeNumber(*text);
}

void readColour(const IniFile &ini, const QString &key, ColourCode *colour, QStringList *problems)
{
    const std::optional<QString> text = ini.value(WarningSettings::sectionName(), key);
    if (!text)
        return;
    if (const std::optional<ColourCode> read = ColourCode::fromText(*text)) {
        *colour = *read;
        return;
    }
    // The old program stopped loading here with "'%s' is not a valid integer
    // value" and switched the warnings off for the whole run; one bad colour
    // now costs only that colour.
    problems->append(QStringLiteral("%1 dosyasındaki %2 değeri '%3' geçerli bir renk ya da "
                                    "tamsayı değeri değil; varsayılan renk (%4) kullanılıyor.")
                         .arg(WarningSettings::fileName(), key, *text, colour->toText()));
}

} // namespace

WarningSettings::LoadResult WarningSettings::load(const QString &path, const QDate &today)
{
    IniFile ini(path);
    const IniFile::Status status = ini.load();
    if (status.ok())
        return load(ini, today);

    LoadResult result;
    result.settings.warningDate = WarningRules::warningDate(today, result.settings.warningDays);
    if (status.code != IniFile::Status::Code::Missing)
        result.problems.append(status.message);
    return result;
}

WarningSettings::LoadResult WarningSettings::load(const IniFile &ini, const QDate &today)
{
    LoadResult result;
    WarningSettings &s = result.settings;

    if (const std::optional<qint32> on = readNumber(ini, kSwitchKey))
        s.colouring = *on != 0;
    if (const std::optional<qint32> days = readNumber(ini, kDaysKey))
        s.warningDays = quint8(quint32(*days) & 0xFF);
    readColour(ini, kDueTextKey, &s.dueTextColour, &result.problems);
    readColour(ini, kSecondKey, &s.secondColour, &result.problems);

    s.warningDate = WarningRules::warningDate(today, s.warningDays);
    return result;
}

IniFile::Status WarningSettings::save(const QString &path) const
{
    IniFile ini(path);
    const IniFile::Status loaded = ini.load();
    if (!loaded.ok() && loaded.code != IniFile::Status::Code::Missing) {
        IniFile::Status refused = loaded;
        refused.code = IniFile::Status::Code::WriteFailed;
        refused.message =
            loaded.message +
            QStringLiteral(" Ayarlar kaydedilmedi; \"%1\" dosyası olduğu gibi bırakıldı.")
                .arg(QDir::toNativeSeparators(path));
        return refused;
    }

    const QString section = sectionName();
    ini.setValue(section, kSwitchKey, colouring ? QStringLiteral("1") : QStringLiteral("0"));
    ini.setValue(section, kDueTextKey, dueTextColour.toText());
    ini.setValue(section, kSecondKey, secondColour.toText());
    ini.setValue(section, kDaysKey, QString::number(clampedDays(warningDays)));
    return ini.save();
}

quint8 WarningSettings::clampedDays(int days)
{
    return quint8(std::clamp(days, 0, 99));
}

} // namespace settings
