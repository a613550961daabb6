#pragma once

#include "data/datastore.h"
#include "fspath.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <QtTest>

// A program folder with a small data set whose figures the tests know: three
// company cheques (1.234,56 + 100,00 + 0,07 = 133.463 kuruş) and two
// customer cheques (5.000,00 + 250,50 = 525.050 kuruş), a payee, and both
// settings files.
struct BackupFixture
{
    QTemporaryDir program;

    QString root() const { return program.path(); }
    QString dataFolder() const { return program.filePath(QStringLiteral("Veriler")); }

    static constexpr qint64 companyKurus = 123456 + 10000 + 7;
    static constexpr qint64 customerKurus = 500000 + 25050;

    void create()
    {
        data::DataStore store(fsPath(dataFolder()));
        QVERIFY(store.setUp().empty());
        add(store, data::TableId::CompanyCheques, {{"CEKI_ALAN", "Çağrı Işık", 123456}, {"CEKI_ALAN", "İnci Ünal", 10000},
                                                   {"CEKI_ALAN", "Ilgaz Şen", 7}});
        add(store, data::TableId::CustomerCheques, {{"HESAPSAHIBI", "Öz Gıda", 500000}, {"HESAPSAHIBI", "Ege Un", 25050}});
        engine::Table &payees = store.table(data::TableId::Payees);
        payees.append();
        payees.setValue("CEKI_ALAN_KISI", std::string("Çağrı Işık"));
        payees.post();
        write(QStringLiteral("Ayarlar.ini"), "[CEK_AYARLARI]\r\nGUN=3\r\n");
        write(QStringLiteral("GridAyarlari.ini"), "[cekformuGridFirmaCek]\r\nVADE_TARIHI=11;;VADE TARİHİ;;\r\n");
    }

    struct Cheque
    {
        const char *field;
        const char *name;
        qint64 kurus;
    };
    static void add(data::DataStore &store, data::TableId id, const QList<Cheque> &cheques)
    {
        engine::Table &table = store.table(id);
        for (const Cheque &c : cheques) {
            table.append();
            table.setValue(c.field, std::string(c.name));
            table.setValue("CEK_TUTARI", engine::Value{std::int64_t(c.kurus)});
            table.post();
        }
    }

    void write(const QString &name, const QByteArray &text) const
    {
        QFile file(program.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

    // Every file under the program folder with the SHA-256 of its bytes.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> all;
        QDirIterator it(root(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            all.insert(QDir(root()).relativeFilePath(path),
                       QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex());
        }
        return all;
    }

    // Row count and kuruş sum of a ledger as the program reads it.
    static QPair<qint64, qint64> figures(data::DataStore &store, data::TableId id)
    {
        engine::Table &table = store.table(id);
        qint64 sum = 0;
        for (table.first(); !table.atEnd(); table.next())
            sum += std::get<std::int64_t>(table.value("CEK_TUTARI"));
        return {table.rowCount(), sum};
    }
};
