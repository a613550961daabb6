#include "backup/automaticbackup.h"

#include "backup/tablesource.h"
#include "settings/inifile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace backup {

namespace {

const QString kMode = QStringLiteral("OTOMATIK");
const QString kKeep = QStringLiteral("SAKLA");
const QString kFailure = QStringLiteral("SON_HATA");
const QString kFailureTime = QStringLiteral("SON_HATA_ZAMANI");
const QString kTimeFormat = QStringLiteral("dd.MM.yyyy HH:mm:ss");

QString modeText(AutomaticBackupSettings::Mode mode)
{
    switch (mode) {
    case AutomaticBackupSettings::Mode::EveryClose:
        return QStringLiteral("HER_KAPANISTA");
    case AutomaticBackupSettings::Mode::Off:
        return QStringLiteral("KAPALI");
    case AutomaticBackupSettings::Mode::Daily:
        break;
    }
    return QStringLiteral("GUNLUK");
}

settings::IniFile loaded(const QString &path, bool *readable = nullptr)
{
    settings::IniFile ini(path);
    const settings::IniFile::Status status = ini.load();
    if (readable)
        *readable = status.ok() || status.code == settings::IniFile::Status::Code::Missing;
    return ini;
}

} // namespace

AutomaticBackupSettings AutomaticBackupSettings::load(const QString &settingsFile)
{
    const settings::IniFile ini = loaded(settingsFile);
    AutomaticBackupSettings result;
    const QString mode = ini.value(sectionName(), kMode).value_or(QString()).toUpper();
    if (mode == modeText(Mode::EveryClose))
        result.mode = Mode::EveryClose;
    else if (mode == modeText(Mode::Off))
        result.mode = Mode::Off;
    bool number = false;
    const int keep = ini.value(sectionName(), kKeep).value_or(QString()).toInt(&number);
    if (number && keep >= 1 && keep <= 999)
        result.keep = keep;
    return result;
}

QString AutomaticBackupSettings::save(const QString &settingsFile) const
{
    bool readable = false;
    settings::IniFile ini = loaded(settingsFile, &readable);
    if (!readable)
        return QStringLiteral("\"%1\" okunamadığı için yedekleme ayarları yazılmadı.")
            .arg(QDir::toNativeSeparators(settingsFile));
    ini.setValue(sectionName(), kMode, modeText(mode));
    ini.setValue(sectionName(), kKeep, QString::number(keep));
    const settings::IniFile::Status status = ini.save();
    return status.ok() ? QString() : status.message;
}

QString FailureNote::text() const
{
    return QStringLiteral("Son otomatik yedek (%1) alınamadı:\n\n%2\n\nVerileriniz yerinde duruyor; bir yedeği "
                          "\"Veri Tabanı Bakımı\" penceresinden elle alabilirsiniz.")
        .arg(when.toString(QStringLiteral("dd.MM.yyyy HH:mm")), message);
}

AutomaticBackup::AutomaticBackup(QString root) : m_root(std::move(root)) {}

QString AutomaticBackup::backupFolder() const
{
    return QDir(m_root).filePath(QStringLiteral("Yedekler"));
}

QString AutomaticBackup::settingsFile() const
{
    return QDir(m_root).filePath(QStringLiteral("Ayarlar.ini"));
}

bool AutomaticBackup::isDue(const QDate &today) const
{
    switch (settings().mode) {
    case AutomaticBackupSettings::Mode::Off:
        return false;
    case AutomaticBackupSettings::Mode::EveryClose:
        return true;
    case AutomaticBackupSettings::Mode::Daily:
        break;
    }
    const QString prefix = QStringLiteral("otomatik-") + today.toString(QStringLiteral("yyyy-MM-dd")) + u'-';
    for (const QString &name : automaticArchives(backupFolder()))
        if (name.startsWith(prefix))
            return false;
    return true;
}

BackupResult AutomaticBackup::run(const QDateTime &now, const Progress &progress)
{
    FolderTableSource source(QDir(m_root).filePath(QStringLiteral("Veriler")));
    BackupResult result = writeBackup(source, m_root, QDir(backupFolder()).filePath(archiveName(now)), progress);
    if (!result.ok) {
        if (!noteFailure(settingsFile(), {now, result.message}))
            result.message += QStringLiteral("\n\"%1\" dosyasına da yazılamadı.")
                                  .arg(QDir::toNativeSeparators(settingsFile()));
        return result;
    }
    const int keep = settings().keep;
    const QStringList archives = automaticArchives(backupFolder());
    for (qsizetype i = 0; i + keep < archives.size(); ++i)
        QFile::remove(QDir(backupFolder()).filePath(archives.at(i)));
    return result;
}

QString AutomaticBackup::archiveName(const QDateTime &now)
{
    return QStringLiteral("otomatik-") + now.toString(QStringLiteral("yyyy-MM-dd-HHmmss")) + QStringLiteral(".zip");
}

QStringList AutomaticBackup::automaticArchives(const QString &folder)
{
    static const QRegularExpression pattern(QStringLiteral("^otomatik-\\d{4}-\\d{2}-\\d{2}-\\d{6}\\.zip$"));
    QStringList names;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name))
        if (pattern.match(name).hasMatch())
            names << name;
    return names;
}

std::optional<FailureNote> AutomaticBackup::takeFailureNote(const QString &settingsFile)
{
    bool readable = false;
    settings::IniFile ini = loaded(settingsFile, &readable);
    const auto message = ini.value(AutomaticBackupSettings::sectionName(), kFailure);
    if (!readable || !message || message->isEmpty())
        return std::nullopt;
    FailureNote note;
    note.message = *message;
    note.when = QDateTime::fromString(
        ini.value(AutomaticBackupSettings::sectionName(), kFailureTime).value_or(QString()), kTimeFormat);
    ini.removeKey(AutomaticBackupSettings::sectionName(), kFailure);
    ini.removeKey(AutomaticBackupSettings::sectionName(), kFailureTime);
    ini.save();
    return note;
}

bool AutomaticBackup::noteFailure(const QString &settingsFile, const FailureNote &note)
{
    bool readable = false;
    settings::IniFile ini = loaded(settingsFile, &readable);
    if (!readable)
        return false;
    QString line = note.message;
    line.replace(u'\r', u' ').replace(u'\n', u' ');
    ini.setValue(AutomaticBackupSettings::sectionName(), kFailure, line);
    ini.setValue(AutomaticBackupSettings::sectionName(), kFailureTime, note.when.toString(kTimeFormat));
    return ini.save().ok();
}

} // namespace backup
