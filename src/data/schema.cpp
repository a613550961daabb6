#include "data/schema.h"

namespace data {

namespace {

using engine::Value;

FieldDisplay shown(std::string name, std::string label, int width = 0)
{
    return FieldDisplay{std::move(name), std::move(label), width, false, false, false};
}
FieldDisplay hidden(std::string name, std::string label, bool readOnly = false)
{
    return FieldDisplay{std::move(name), std::move(label), 0, true, readOnly, false};
}
FieldDisplay amount(std::string name, std::string label, int width)
{
    return FieldDisplay{std::move(name), std::move(label), width, false, false, true};
}

std::vector<TableInfo> makeTables()
{
    std::vector<TableInfo> all;

    all.push_back(TableInfo{TableId::CustomerStatuses, "TMUSTERI_CEKTURLERI", "mct.DB",
                            {shown("CEK_ADI", "-= ÇEK DURUMU =-", 31)}, {}, {}, {},
                            {"PORTFÖYDE", "TAHSİL EDİLDİ", "İADE EDİLDİ", "BANKA TAHSİLDE", "KARŞILIĞI YOK",
                             "CİRO EDİLDİ"}});

    all.push_back(TableInfo{TableId::CompanyStatuses, "TFIRMA_CEKTURLERI", "fct.DB",
                            {shown("CEK_ADI", "-= ÇEK DURUMU =-", 31)}, {}, {}, {},
                            {"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI"}});

    all.push_back(TableInfo{
        TableId::CompanyCheques,
        "TF_CEK",
        "firma_cek.db",
        {hidden("OTO_SN", "SIRA NO", true), shown("VADE_TARIHI", "VADE TARİHİ", 11),
         amount("CEK_TUTARI", "ÇEK TUTARI", 10), shown("BANKA_ADI", "BANKA ADI", 40),
         shown("BANKA_SUBESI", "BANKA ŞUBESİ", 40), shown("HESAP_NUMARASI", "HESAP NUMARASI", 30),
         shown("CEK_NUMARASI", "ÇEK NUMARASI", 30), shown("CEKI_ALAN", "ÇEKİ ALAN", 40),
         shown("CEK_DURUMU", "ÇEK DURUMU", 15), hidden("ACIKLAMA", "AÇIKLAMA")},
        {"OTO_SN", "VADE_TARIHI", "CEK_TUTARI", "CEKI_ALAN", "BANKA_ADI", "BANKA_SUBESI", "HESAP_NUMARASI",
         "CEK_NUMARASI", "ACIKLAMA", "CEK_DURUMU"},
        {},
        {"CREATE TABLE \"firma_cek.DB\"", "(", "OTO_SN AUTOINC,", "VADE_TARIHI DATE,", "CEK_TUTARI MONEY,",
         "BANKA_ADI CHAR(40),", "BANKA_SUBESI CHAR(40),", "HESAP_NUMARASI CHAR(30),", "CEK_NUMARASI CHAR(30),",
         "CEKI_ALAN CHAR(40),", "CEK_DURUMU CHAR(15),", "ACIKLAMA BLOB(200,1),", "PRIMARY KEY (OTO_SN)", ");",
         "CREATE Index IN_BANKA ON \"firma_cek.DB\" (BANKA_ADI);",
         "CREATE Index IN_CEKNO ON \"firma_cek.DB\" (CEK_NUMARASI);",
         "CREATE Index IN_DURUM ON \"firma_cek.DB\" (CEK_DURUMU);",
         "CREATE Index IN_TARIH ON \"firma_cek.DB\" (VADE_TARIHI);",
         "CREATE Index IN_TUTAR ON \"firma_cek.DB\" (CEK_TUTARI);"},
        {}});

    all.push_back(TableInfo{TableId::CompanyBanks,
                            "TFIRMABANKABLG",
                            "Firma_Banka_Bilgileri.db",
                            {shown("BANKA_ADI", "BANKA ADI", 41), shown("SUBE_ADI", "ŞUBE ADI", 35),
                             shown("HESAP_NUMARASI", "HESAP NUMARASI", 36)},
                            {},
                            {},
                            {"CREATE TABLE \"Firma_Banka_Bilgileri.db\"", "(", "BANKA_ADI CHAR(40),",
                             "SUBE_ADI CHAR(40),", "HESAP_NUMARASI CHAR(30)", ");"},
                            {}});

    all.push_back(TableInfo{TableId::Payees,
                            "TCEKIALAN",
                            "firmadan_ceki_alan.db",
                            {shown("CEKI_ALAN_KISI", "ÇEKİ ALAN KİŞİ")},
                            {},
                            {},
                            {"CREATE TABLE \"firmadan_ceki_alan.db\"", "(", "CEKI_ALAN_KISI CHAR(40),",
                             "PRIMARY KEY (CEKI_ALAN_KISI)", ");"},
                            {}});

    all.push_back(TableInfo{
        TableId::CustomerCheques,
        "TM_CEK",
        "museri_cek.db",
        {hidden("OTO_SN", "SIRA NO", true), hidden("CEK_CIROLU", "ÇEK CİROLU"), shown("CIRO_EDEN", "CİRO EDEN", 40),
         shown("VADE_TARIHI", "VADE TARİHİ", 10), amount("CEK_TUTARI", "ÇEK TUTARI", 10),
         shown("CEK_NUMARASI", "ÇEK NUMARASI", 30), shown("HESAPSAHIBI", "HESAP SAHİBİ", 40),
         shown("BANKASI", "BANKA ADI", 30), shown("SUBESI", "ŞUBE ADI", 30), shown("HESAPNO", "HESAP NUMARASI", 30),
         shown("CEK_DURUM", "ÇEKİN DURUMU", 20), shown("TAHSIL_BANKA", "BANKA ADI (TAHSİL)", 30),
         shown("TAHSIL_SUBE", "ŞUBE ADI (TAHSİL)", 30), shown("KIME_CIRO", "KİME CİRO EDİLDİ", 40),
         hidden("ACIKLAMA", "AÇIKLAMA")},
        {"OTO_SN", "VADE_TARIHI", "CEK_TUTARI", "CEK_CIROLU", "HESAPSAHIBI", "BANKASI", "SUBESI", "HESAPNO",
         "CEK_NUMARASI", "CEK_DURUM", "CIRO_EDEN", "KIME_CIRO", "TAHSIL_BANKA", "TAHSIL_SUBE", "ACIKLAMA"},
        {{"CEK_CIROLU", Value{false}},
         {"CIRO_EDEN", Value{std::string("YOK")}},
         {"TAHSIL_BANKA", Value{std::string("YOK")}},
         {"TAHSIL_SUBE", Value{std::string("YOK")}},
         {"KIME_CIRO", Value{std::string("YOK")}}},
        {"CREATE TABLE \"museri_cek.DB\"", "(", "OTO_SN AUTOINC,", "CEK_CIROLU BOOLEAN,", "CIRO_EDEN CHAR(40),",
         "VADE_TARIHI DATE,", "CEK_TUTARI MONEY,", "CEK_NUMARASI CHAR(30),", "HESAPSAHIBI CHAR(40),",
         "BANKASI CHAR(30),", "SUBESI CHAR(30),", "HESAPNO CHAR(30),", "CEK_DURUM CHAR(20),",
         "TAHSIL_BANKA CHAR(30),", "TAHSIL_SUBE CHAR(30),", "KIME_CIRO CHAR(40),", "ACIKLAMA BLOB(200,1),",
         "PRIMARY KEY (OTO_SN)", ");", "CREATE Index IN_BANKA ON \"museri_cek.DB\" (BANKASI);",
         "CREATE Index IN_CEKDURUMU ON \"museri_cek.DB\" (CEK_DURUM);",
         "CREATE Index IN_CEKIVEREN ON \"museri_cek.DB\" (HESAPSAHIBI);",
         "CREATE Index IN_CEKNO ON \"museri_cek.DB\" (CEK_NUMARASI);",
         "CREATE Index IN_HESAPNO ON \"museri_cek.DB\" (HESAPNO);",
         "CREATE Index IN_TUTAR ON \"museri_cek.DB\" (CEK_TUTARI);",
         "CREATE Index IN_VADE ON \"museri_cek.DB\" (VADE_TARIHI);"},
        {}});

    all.push_back(TableInfo{TableId::CustomerBanks,
                            "TMUS_BLG",
                            "museri_bilgileri.db",
                            {shown("ADI_SOYADI", "ADI SOYADI"), shown("BANKA_ADI", "BANKA ADI"),
                             shown("SUBESI", "ŞUBESİ"), shown("HESAP_NO", "HESAP NUMARASI")},
                            {},
                            {},
                            {"CREATE TABLE \"museri_bilgileri.db\"", "(", "ADI_SOYADI CHAR(40),",
                             "BANKA_ADI CHAR(30),", "SUBESI CHAR(30),", "HESAP_NO CHAR(30)", ");"},
                            {}});
    return all;
}

} // namespace

const FieldDisplay *TableInfo::field(std::string_view name) const
{
    for (const FieldDisplay &f : fields)
        if (engine::equalsAscii(f.name, name))
            return &f;
    return nullptr;
}

const std::vector<TableInfo> &tables()
{
    static const std::vector<TableInfo> all = makeTables();
    return all;
}

const TableInfo &table(TableId id)
{
    return tables()[std::size_t(id)];
}

engine::TableLayout statusTableLayout()
{
    engine::TableLayout layout;
    layout.fields.push_back(engine::FieldDef{"CEK_ADI", engine::FieldType::Char, 15});
    return layout;
}

std::string creationScript(const TableInfo &info)
{
    std::string script;
    for (const std::string &line : info.creationText)
        script += line + "\n";
    return script;
}

const std::vector<GridColumn> &companyGridColumns()
{
    static const std::vector<GridColumn> columns = {
        {"VADE_TARIHI", 11, "VADE TARİHİ"},     {"CEK_TUTARI", 10, "ÇEK TUTARI"},
        {"CEKI_ALAN", 40, "ÇEKİ ALAN"},         {"BANKA_ADI", 40, "BANKA ADI"},
        {"BANKA_SUBESI", 40, "BANKA ŞUBESİ"},   {"HESAP_NUMARASI", 30, "HESAP NUMARASI"},
        {"CEK_NUMARASI", 30, "ÇEK NUMARASI"},   {"CEK_DURUMU", 15, "ÇEK DURUMU"},
    };
    return columns;
}

const std::vector<GridColumn> &customerGridColumns()
{
    static const std::vector<GridColumn> columns = {
        {"VADE_TARIHI", 10, "VADE TARİHİ"},       {"CEK_TUTARI", 10, "ÇEK TUTARI"},
        {"HESAPSAHIBI", 40, "HESAP SAHİBİ"},      {"BANKASI", 30, "BANKA ADI"},
        {"SUBESI", 30, "ŞUBE ADI"},               {"HESAPNO", 30, "HESAP NUMARASI"},
        {"CEK_NUMARASI", 30, "ÇEK NUMARASI"},     {"CEK_DURUM", 20, "ÇEKİN DURUMU"},
        {"CIRO_EDEN", 40, "CİRO EDEN"},           {"KIME_CIRO", 40, "KİME CİRO EDİLDİ"},
        {"TAHSIL_BANKA", 30, "BANKA ADI (TAHSİL)"}, {"TAHSIL_SUBE", 30, "ŞUBE ADI (TAHSİL)"},
    };
    return columns;
}

const std::vector<std::string> &companyReportFields()
{
    static const std::vector<std::string> fields = {"VADE_TARIHI", "CEK_TUTARI", "CEK_DURUMU", "CEK_NUMARASI",
                                                    "CEKI_ALAN"};
    return fields;
}

const std::vector<std::string> &customerReportFields()
{
    static const std::vector<std::string> fields = {"VADE_TARIHI",  "CEK_TUTARI", "CEK_DURUM",
                                                    "BANKASI",      "HESAPSAHIBI", "TAHSIL_BANKA",
                                                    "CIRO_EDEN",    "KIME_CIRO",  "CEK_NUMARASI"};
    return fields;
}

const std::vector<std::string> &builtInCustomerStatuses()
{
    return table(TableId::CustomerStatuses).seedRows;
}

} // namespace data
