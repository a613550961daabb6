#pragma once

#include "data/datastore.h"
#include "widgets/valuetext.h"
#include "fspath.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A program folder with a small pair of ledgers around a given day:
//   company:  yesterday 50,00 ÖDENDE "Dün Ltd"; today 1.234,56 ÖDENMEDİ
//             "Çağrı Işık" and 0,07 ÖDENDE "İnci Ünal"; in three days
//             300,00 ÖDENMEDİ "Ilgaz Şen"
//   customer: today 5.000,00 PORTFÖYDE "Öz Gıda"; in three days 250,50
//             PORTFÖYDE "Ege Un"; in ten days 99,99 TAHSİL EDİLDİ "Ayva Ticaret"
// and Ayarlar.ini with GUN=3 (the warning date three days ahead).
struct ReportFixture
{
    QTemporaryDir program;
    QDate today;

    QString root() const { return program.path() + u'/'; }
    QString dataFolder() const { return program.filePath(QStringLiteral("Veriler")); }

    explicit ReportFixture(const QDate &day = QDate::currentDate()) : today(day)
    {
        data::DataStore store(fsPath(dataFolder()));
        if (!store.setUp().empty())
            qFatal("set-up failed");
        add(store, data::TableId::CompanyCheques, "CEKI_ALAN", "CEK_DURUMU",
            {{-1, 5000, "Dün Ltd", "ÖDENDE"}, {0, 123456, "Çağrı Işık", "ÖDENMEDİ"}, {0, 7, "İnci Ünal", "ÖDENDE"},
             {3, 30000, "Ilgaz Şen", "ÖDENMEDİ"}});
        add(store, data::TableId::CustomerCheques, "HESAPSAHIBI", "CEK_DURUM",
            {{0, 500000, "Öz Gıda", "PORTFÖYDE"}, {3, 25050, "Ege Un", "PORTFÖYDE"},
             {10, 9999, "Ayva Ticaret", "TAHSİL EDİLDİ"}});
        QFile settings(program.filePath(QStringLiteral("Ayarlar.ini")));
        settings.open(QIODevice::WriteOnly);
        settings.write("[CEK_AYARLARI]\r\nGUN=3\r\n");
    }

    struct Cheque
    {
        int inDays;
        qint64 kurus;
        const char *who;
        const char *status;
    };
    void add(data::DataStore &store, data::TableId id, const char *whoField, const char *statusField,
             const QList<Cheque> &cheques) const
    {
        engine::Table &table = store.table(id);
        for (const Cheque &c : cheques) {
            table.append();
            table.setValue("VADE_TARIHI", engine::Value{widgets::fromQDate(today.addDays(c.inDays))});
            table.setValue("CEK_TUTARI", engine::Value{std::int64_t(c.kurus)});
            table.setValue(whoField, std::string(c.who));
            table.setValue(statusField, std::string(c.status));
            table.setValue("CEK_NUMARASI", std::string("N-") + std::to_string(c.kurus));
            table.post();
        }
    }

    QString date(int inDays) const { return today.addDays(inDays).toString(QStringLiteral("dd.MM.yyyy")); }
};
