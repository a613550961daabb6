#include "backup/manifest.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace backup {

namespace {

const QString kFormat = QStringLiteral("selvora-yedek");

bool isHash(const QByteArray &text)
{
    if (text.size() != 64)
        return false;
    for (char c : text)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    return true;
}

std::optional<qint64> wholeNumber(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    const qint64 whole = qint64(number);
    return double(whole) == number ? std::optional<qint64>(whole) : std::nullopt;
}

} // namespace

const ManifestMember *Manifest::member(const QString &name) const
{
    for (const ManifestMember &m : members)
        if (m.name == name)
            return &m;
    return nullptr;
}

QByteArray Manifest::toJson() const
{
    QJsonArray files;
    for (const ManifestMember &m : members) {
        QJsonObject file{{QStringLiteral("ad"), m.name},
                         {QStringLiteral("boyut"), double(m.size)},
                         {QStringLiteral("sha256"), QString::fromLatin1(m.sha256)}};
        if (m.rows)
            file.insert(QStringLiteral("satir"), double(*m.rows));
        if (m.kurus)
            file.insert(QStringLiteral("kurus_toplami"), double(*m.kurus));
        files.append(file);
    }
    const QJsonObject root{{QStringLiteral("bicim"), kFormat},
                           {QStringLiteral("surum"), version},
                           {QStringLiteral("tarih"), created.toString(Qt::ISODate)},
                           {QStringLiteral("program"), program},
                           {QStringLiteral("depo"), storage},
                           {QStringLiteral("dosyalar"), files}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

std::optional<Manifest> Manifest::fromJson(const QByteArray &data, QString *why)
{
    const auto refuse = [why](const QString &reason) {
        if (why)
            *why = reason;
        return std::nullopt;
    };
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return refuse(QStringLiteral("yedeğin içindekiler listesi (%1) okunamıyor").arg(memberName()));
    const QJsonObject root = document.object();
    if (root.value(QStringLiteral("bicim")).toString() != kFormat)
        return refuse(QStringLiteral("içindekiler listesi bir Selvora yedeğine ait değil"));
    Manifest manifest;
    manifest.version = root.value(QStringLiteral("surum")).toInt(0);
    if (manifest.version < 1)
        return refuse(QStringLiteral("yedeğin biçim sürümü okunamıyor"));
    if (manifest.version > currentVersion)
        return refuse(QStringLiteral("yedek programın daha yeni bir sürümüyle alınmış (biçim %1)").arg(manifest.version));
    manifest.created = QDateTime::fromString(root.value(QStringLiteral("tarih")).toString(), Qt::ISODate);
    manifest.program = root.value(QStringLiteral("program")).toString();
    manifest.storage = root.value(QStringLiteral("depo")).toString();
    const QJsonValue files = root.value(QStringLiteral("dosyalar"));
    if (!files.isArray())
        return refuse(QStringLiteral("yedeğin içindekiler listesinde dosya yok"));
    for (const QJsonValue &value : files.toArray()) {
        const QJsonObject file = value.toObject();
        ManifestMember m;
        m.name = file.value(QStringLiteral("ad")).toString();
        m.sha256 = file.value(QStringLiteral("sha256")).toString().toLatin1();
        const auto size = wholeNumber(file.value(QStringLiteral("boyut")));
        if (m.name.isEmpty() || !size || *size < 0 || !isHash(m.sha256))
            return refuse(QStringLiteral("yedeğin içindekiler listesinde okunamayan bir satır var"));
        m.size = *size;
        if (file.contains(QStringLiteral("satir"))) {
            m.rows = wholeNumber(file.value(QStringLiteral("satir")));
            if (!m.rows)
                return refuse(QStringLiteral("\"%1\" için satır sayısı okunamıyor").arg(m.name));
        }
        if (file.contains(QStringLiteral("kurus_toplami"))) {
            m.kurus = wholeNumber(file.value(QStringLiteral("kurus_toplami")));
            if (!m.kurus)
                return refuse(QStringLiteral("\"%1\" için tutar toplamı okunamıyor").arg(m.name));
        }
        if (manifest.member(m.name))
            return refuse(QStringLiteral("\"%1\" içindekiler listesinde iki kez geçiyor").arg(m.name));
        manifest.members << m;
    }
    return manifest;
}

} // namespace backup
