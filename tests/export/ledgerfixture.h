#pragma once

#include "export/exportjob.h"
#include "memoryrowsource.h"

#include <QList>
#include <QString>

// Small ledgers in Turkish with the characters that trip exports up: quotes,
// semicolons, line breaks, formula-like text and every Turkish letter.
namespace ledgerfixture {

using engine::FieldDef;
using engine::FieldType;
using engine::Value;

inline std::vector<FieldDef> companyFields()
{
    return {
        {"OTO_SN", FieldType::AutoInc, 0},     {"VADE_TARIHI", FieldType::Date, 0},
        {"CEK_TUTARI", FieldType::Money, 0},   {"CEKI_ALAN", FieldType::Char, 40},
        {"BANKA_ADI", FieldType::Char, 40},    {"BANKA_SUBESI", FieldType::Char, 40},
        {"HESAP_NUMARASI", FieldType::Char, 30}, {"CEK_NUMARASI", FieldType::Char, 30},
        {"ACIKLAMA", FieldType::Memo, 0},      {"CEK_DURUMU", FieldType::Char, 15},
    };
}

inline QList<exporting::ExportColumn> companyColumns()
{
    const QStringList captions = {"SIRA NO", "VADE TARİHİ", "ÇEK TUTARI", "ÇEKİ ALAN", "BANKA ADI",
                                  "BANKA ŞUBESİ", "HESAP NUMARASI", "ÇEK NUMARASI", "AÇIKLAMA", "ÇEK DURUMU"};
    QList<exporting::ExportColumn> columns;
    for (int i = 0; i < captions.size(); ++i)
        columns.append({i, captions[i]});
    return columns;
}

inline std::vector<std::vector<Value>> companyRows()
{
    return {
        {std::int64_t(1), text::Date{2024, 1, 31}, std::int64_t(123456750), std::string("Ayşe \"Kara\" Ltd.; Şti."),
         std::string("Ziraat Bankası"), std::string("Çankaya; Ankara"), std::string("TR-0012"),
         std::string("=1+1"), std::string("İlk satır\nikinci satır"), std::string("ÖDENDE")},
        {std::int64_t(2), text::Date{2024, 2, 29}, std::int64_t(-5), std::string("ĞÜŞİÖÇ ğüşıöç"),
         std::string("İş Bankası"), std::string(), Value(), std::string("@SUM(A1)"),
         std::string("<&> 100% $ # _ {x} ~ ^ \\ 'tek'"), std::string("ÖDENMEDİ")},
        {std::int64_t(3), Value(), std::int64_t(0), std::string("+90 212"), std::string("Garanti"),
         std::string("Kadıköy"), std::string("12;34"), std::string("-42"), std::string(), std::string("İADE ALINDI")},
    };
}

inline std::vector<FieldDef> customerFields()
{
    return {
        {"OTO_SN", FieldType::AutoInc, 0}, {"VADE_TARIHI", FieldType::Date, 0}, {"CEK_TUTARI", FieldType::Money, 0},
        {"CEK_CIROLU", FieldType::Boolean, 0}, {"HESAPSAHIBI", FieldType::Char, 40}, {"CEK_DURUM", FieldType::Char, 20},
    };
}

inline QList<exporting::ExportColumn> customerColumns()
{
    return {{0, "SIRA NO"}, {1, "VADE TARİHİ"}, {2, "ÇEK TUTARI"}, {3, "ÇEK CİROLU"}, {4, "HESAP SAHİBİ"},
            {5, "ÇEKİN DURUMU"}};
}

inline std::vector<std::vector<Value>> customerRows()
{
    return {
        {std::int64_t(7), text::Date{2025, 12, 1}, std::int64_t(99999999999), true, std::string("Şükrü Öztürk"),
         std::string("PORTFÖYDE")},
        {std::int64_t(8), text::Date{1999, 6, 15}, std::int64_t(100), false, std::string("Iğdır Ilıca"),
         std::string("KARŞILIĞI YOK")},
    };
}

} // namespace ledgerfixture
