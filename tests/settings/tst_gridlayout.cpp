#include "settings/gridlayout.h"

#include <QtTest>

using settings::GridLayout;
using settings::IniFile;

namespace {

const QString kSection = QStringLiteral("cekformuGridFirmaCek");

const QStringList kFirmaFields = {"OTO_SN",     "VADE_TARIHI",  "CEK_TUTARI",     "CEKI_ALAN",
                                  "BANKA_ADI",  "BANKA_SUBESI", "HESAP_NUMARASI", "CEK_NUMARASI",
                                  "CEK_DURUMU", "ACIKLAMA"};

// Columns as compact text, "FIELD:width:title:mark" joined by "|", so that a
// table row states its expectation on one line.
QString describe(const QList<GridLayout::Column> &columns)
{
    QStringList parts;
    for (const GridLayout::Column &c : columns)
        parts.append(
            QStringLiteral("%1:%2:%3:%4").arg(c.field).arg(c.width).arg(c.title, c.readOnlyMark));
    return parts.join(u'|');
}

IniFile fromData(const QByteArray &data)
{
    IniFile ini;
    ini.setData(data);
    return ini;
}

} // namespace

Q_DECLARE_METATYPE(settings::GridLayout::Outcome)

class tst_GridLayout : public QObject
{
    Q_OBJECT

private slots:
    void sectionName();
    void load_data();
    void load();
    void saveRewritesOnlyItsSection();
    void saveThenLoadGivesSameColumns();
    void saveSanitisesColumns();
};

void tst_GridLayout::sectionName()
{
    QCOMPARE(GridLayout::sectionName(QStringLiteral("GridFirmaCek")), kSection);
    QCOMPARE(GridLayout::sectionName(QStringLiteral("GridMusteriCek")),
             QStringLiteral("cekformuGridMusteriCek"));
}

void tst_GridLayout::load_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<GridLayout::Outcome>("outcome");
    QTest::addColumn<QString>("columns");

    using O = GridLayout::Outcome;
    QTest::newRow("section missing")
        << QByteArray("[cekformuGridMusteriCek]\nVADE_TARIHI=10;;V;;\n") << O::KeepBuiltIn << "";
    QTest::newRow("section empty")
        << QByteArray("[cekformuGridFirmaCek]\n; nothing\n\n[x]\n") << O::KeepBuiltIn << "";
    QTest::newRow("columns in file order")
        << QByteArray("[cekformuGridFirmaCek]\r\nCEK_TUTARI=10;;ÇEK TUTARI;;F\r\n"
                      "VADE_TARIHI=11;;VADE TARİHİ;;\r\n")
        << O::Columns << "CEK_TUTARI:10:ÇEK TUTARI:F|VADE_TARIHI:11:VADE TARİHİ:";
    QTest::newRow("section name and fields in any ASCII case")
        << QByteArray("[CEKFORMUGRIDFIRMACEK]\nvade_tarihi=11;;V;;t\n") << O::Columns
        << "VADE_TARIHI:11:V:T";
    QTest::newRow("unknown field gives no column")
        << QByteArray("[cekformuGridFirmaCek]\nYOK=10;;Y;;\nCEK_DURUMU=15;;D;;\n") << O::Columns
        << "CEK_DURUMU:15:D:";
    QTest::newRow("only unknown fields keep the built-in columns")
        << QByteArray("[cekformuGridFirmaCek]\nYOK=10;;Y;;\n") << O::KeepBuiltIn << "";
    QTest::newRow("line without delimiter stops the load")
        << QByteArray("[cekformuGridFirmaCek]\nCEK_DURUMU=15;;D;;\nCEK_TUTARI=10\n")
        << O::DelimiterMissing << "";
    QTest::newRow("unknown field without delimiter stops the load too")
        << QByteArray("[cekformuGridFirmaCek]\nYOK=10\nCEK_DURUMU=15;;D;;\n") << O::DelimiterMissing
        << "";
    QTest::newRow("title and mark missing")
        << QByteArray("[cekformuGridFirmaCek]\nCEKI_ALAN=40;;\n") << O::Columns
        << "CEKI_ALAN:40:CEKI_ALAN:";
    QTest::newRow("empty title becomes the field name")
        << QByteArray("[cekformuGridFirmaCek]\nCEKI_ALAN=40;;  ;;F\n") << O::Columns
        << "CEKI_ALAN:40:CEKI_ALAN:F";
    QTest::newRow("title holding the delimiter")
        << QByteArray("[cekformuGridFirmaCek]\nCEKI_ALAN=40;;A;;B;;T\n") << O::Columns
        << "CEKI_ALAN:40:A;;B:T";
    QTest::newRow("huge width") << QByteArray(
                                       "[cekformuGridFirmaCek]\nCEKI_ALAN=99999999999999;;A;;\n")
                                << O::Columns << "CEKI_ALAN:250:A:";
    QTest::newRow("negative width") << QByteArray("[cekformuGridFirmaCek]\nCEKI_ALAN=-40;;A;;\n")
                                    << O::Columns << "CEKI_ALAN:2:A:";
    QTest::newRow("zero width") << QByteArray("[cekformuGridFirmaCek]\nCEKI_ALAN=0;;A;;\n")
                                << O::Columns << "CEKI_ALAN:2:A:";
    QTest::newRow("width no number") << QByteArray("[cekformuGridFirmaCek]\nCEKI_ALAN=geniş;;A;;\n")
                                     << O::Columns << "CEKI_ALAN:10:A:";
    QTest::newRow("field named twice keeps the first")
        << QByteArray(
               "[cekformuGridFirmaCek]\nCEKI_ALAN=40;;A;;\nCEK_TUTARI=10;;T;;\nceki_alan=5;;B;;\n")
        << O::Columns << "CEKI_ALAN:40:A:|CEK_TUTARI:10:T:";
    QTest::newRow("unknown mark dropped")
        << QByteArray("[cekformuGridFirmaCek]\nCEKI_ALAN=40;;A;;evet\n") << O::Columns
        << "CEKI_ALAN:40:A:";
    QTest::newRow("stray bytes")
        << QByteArray(
               "[cekformuGridFirmaCek]\n\x01\xFF=\x80\x80;;\n\xC3\x28\nCEKI_ALAN=40;;A\xFF;;\n")
        << O::Columns << "CEKI_ALAN:40:Aÿ:";
    QTest::newRow("non-key lines ignored")
        << QByteArray("[cekformuGridFirmaCek]\n; yorum\n\nçöp satır\nCEKI_ALAN=40;;A;;\n")
        << O::Columns << "CEKI_ALAN:40:A:";
    QTest::newRow("table field outside the built-in list")
        << QByteArray("[cekformuGridFirmaCek]\nACIKLAMA=30;;AÇIKLAMA;;\n") << O::Columns
        << "ACIKLAMA:30:AÇIKLAMA:";
}

void tst_GridLayout::load()
{
    QFETCH(QByteArray, file);
    QFETCH(GridLayout::Outcome, outcome);
    QFETCH(QString, columns);

    const GridLayout::LoadResult result = GridLayout::load(fromData(file), kSection, kFirmaFields);
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(describe(result.layout.columns()), columns);
    if (outcome == GridLayout::Outcome::DelimiterMissing)
        QCOMPARE(result.message, QStringLiteral("Key Delimiter Not Found"));
    else
        QVERIFY(result.message.isEmpty());
}

void tst_GridLayout::saveRewritesOnlyItsSection()
{
    IniFile ini =
        fromData("; ızgara düzeni\r\n[cekformuGridFirmaCek]\r\nVADE_TARIHI=11;;VADE TARİHİ;;\r\n"
                 "CEK_TUTARI=10;;ÇEK TUTARI;;\r\n\r\n[cekformuGridMusteriCek]\r\n"
                 "VADE_TARIHI=10;;VADE TARİHİ;;\r\n");
    const GridLayout layout({{"CEK_TUTARI", 10, "ÇEK TUTARI", ""},
                             {"CEKI_ALAN", 55, "ÇEKİ ALAN", "F"},
                             {"VADE_TARIHI", 11, "VADE TARİHİ", ""}});
    layout.save(ini, kSection);

    QCOMPARE(QString::fromUtf8(ini.data()),
             QStringLiteral(
                 "; ızgara düzeni\r\n[cekformuGridFirmaCek]\r\nCEK_TUTARI=10;;ÇEK TUTARI;;\r\n"
                 "CEKI_ALAN=55;;ÇEKİ ALAN;;F\r\nVADE_TARIHI=11;;VADE TARİHİ;;\r\n\r\n"
                 "[cekformuGridMusteriCek]\r\nVADE_TARIHI=10;;VADE TARİHİ;;\r\n"));

    // A grid without a section yet gets one at the end.
    IniFile fresh;
    GridLayout({{"VADE_TARIHI", 10, "VADE TARİHİ", ""}})
        .save(fresh, QStringLiteral("cekformuGridMusteriCek"));
    QCOMPARE(QString::fromUtf8(fresh.data()),
             QStringLiteral("[cekformuGridMusteriCek]\r\nVADE_TARIHI=10;;VADE TARİHİ;;\r\n"));
}

void tst_GridLayout::saveThenLoadGivesSameColumns()
{
    const QList<GridLayout::Column> columns = {{"CEK_DURUMU", 15, "ÇEK DURUMU", "T"},
                                               {"VADE_TARIHI", 11, "VADE TARİHİ", ""},
                                               {"CEKI_ALAN", 80, "ÇEKİ ALAN;;(ad)", "F"}};
    IniFile ini;
    GridLayout(columns).save(ini, kSection);
    IniFile reread = fromData(ini.data());
    const GridLayout::LoadResult result = GridLayout::load(reread, kSection, kFirmaFields);
    QCOMPARE(result.outcome, GridLayout::Outcome::Columns);
    QCOMPARE(result.layout.columns(), columns);
}

void tst_GridLayout::saveSanitisesColumns()
{
    IniFile ini;
    const GridLayout layout({{"CEKI_ALAN", 100000, "iki\r\nsatır", "x"},
                             {"ceki_alan", 5, "tekrar", ""},
                             {"BAD=FIELD", 10, "t", ""},
                             {"CEK_TUTARI", -3, "", "F"}});
    layout.save(ini, kSection);
    QCOMPARE(QString::fromUtf8(ini.data()),
             QStringLiteral(
                 "[cekformuGridFirmaCek]\r\nCEKI_ALAN=250;;iki  satır;;\r\nCEK_TUTARI=2;;;;F\r\n"));
}

QTEST_GUILESS_MAIN(tst_GridLayout)

#include "tst_gridlayout.moc"
