#include "backup/backupcontents.h"

#include "backup/manifest.h"
#include "data/schema.h"

#include <QCryptographicHash>
#include <QFile>

namespace backup::contents {

QString tableMember(const QString &fileName)
{
    return QStringLiteral("Veriler/") + fileName;
}

QStringList settingsFiles()
{
    return {QStringLiteral("Ayarlar.ini"), QStringLiteral("GridAyarlari.ini")};
}

QStringList requiredTables()
{
    QStringList names;
    for (const data::TableInfo &info : data::tables())
        names << QString::fromStdString(info.fileName);
    return names;
}

QString sumFieldOf(const QString &fileName)
{
    for (data::TableId id : {data::TableId::CompanyCheques, data::TableId::CustomerCheques})
        if (fileName.compare(QString::fromStdString(data::table(id).fileName), Qt::CaseInsensitive) == 0)
            return QStringLiteral("CEK_TUTARI");
    return {};
}

bool isAllowedMember(const QString &name)
{
    if (name == Manifest::memberName() || settingsFiles().contains(name))
        return true;
    if (!name.startsWith(QLatin1String("Veriler/")))
        return false;
    const QString file = name.mid(8);
    return file.size() > 3 && file.size() <= 255 && !file.contains(u'/') && !file.contains(u'\\')
        && !file.contains(u':') && !file.startsWith(u'.') && file.endsWith(QLatin1String(".db"), Qt::CaseInsensitive);
}

QByteArray sha256OfFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result().toHex();
}

} // namespace backup::contents
