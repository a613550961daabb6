#pragma once

#include "engine/rowsource.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// A company ledger of any length made up row by row, so that the program's own
// memory does not grow with it: what an export costs is what it keeps.
class GeneratedLedger : public engine::RowSource
{
public:
    explicit GeneratedLedger(std::int64_t rows)
        : m_rows(rows)
        , m_fields{{"OTO_SN", engine::FieldType::AutoInc, 0},     {"VADE_TARIHI", engine::FieldType::Date, 0},
                   {"CEK_TUTARI", engine::FieldType::Money, 0},   {"CEKI_ALAN", engine::FieldType::Char, 40},
                   {"BANKA_ADI", engine::FieldType::Char, 40},    {"BANKA_SUBESI", engine::FieldType::Char, 40},
                   {"HESAP_NUMARASI", engine::FieldType::Char, 30}, {"CEK_NUMARASI", engine::FieldType::Char, 30},
                   {"ACIKLAMA", engine::FieldType::Memo, 0},      {"CEK_DURUMU", engine::FieldType::Char, 15}}
        , m_values(m_fields.size())
    {
    }

    const std::vector<engine::FieldDef> &fields() const override { return m_fields; }
    void restart() override { m_position = -1; }
    std::int64_t rowCountHint() const override { return m_rows; }
    const engine::Value &value(std::size_t field) const override { return m_values[field]; }

    bool next() override
    {
        if (m_position + 1 >= m_rows)
            return false;
        ++m_position;
        static const std::array<const char *, 6> banks = {"Ziraat Bankası", "Türkiye İş Bankası", "Garanti BBVA",
                                                          "Yapı Kredi", "Akbank", "Halkbank"};
        static const std::array<const char *, 5> branches = {"Çankaya", "Kadıköy", "Karşıyaka", "Osmangazi", "Şişli"};
        static const std::array<const char *, 5> payees = {"Öztürk İnşaat Ltd. Şti.", "Ağaoğlu Gıda", "Işık Tekstil",
                                                           "Çelik Yapı A.Ş.", "Güneş Elektrik"};
        static const std::array<const char *, 3> statuses = {"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI"};
        const std::uint64_t n = std::uint64_t(m_position);
        const std::uint64_t mix = n * 2654435761u;
        m_values[0] = std::int64_t(n + 1);
        m_values[1] = text::Date{2020 + int(mix % 6), 1 + int((mix >> 8) % 12), 1 + int((mix >> 16) % 28)};
        m_values[2] = std::int64_t(mix % 100000000);
        m_values[3] = std::string(payees[mix % payees.size()]);
        m_values[4] = std::string(banks[(mix >> 4) % banks.size()]);
        m_values[5] = std::string(branches[(mix >> 6) % branches.size()]);
        m_values[6] = "TR" + std::to_string(100000000 + mix % 900000000);
        m_values[7] = std::to_string(4000000 + n);
        m_values[8] = n % 5 == 0 ? engine::Value(std::string("Vadesinde; \"tahsil\" edilecek")) : engine::Value(std::string());
        m_values[9] = std::string(statuses[(mix >> 12) % statuses.size()]);
        return true;
    }

private:
    std::int64_t m_rows;
    std::int64_t m_position = -1;
    std::vector<engine::FieldDef> m_fields;
    std::vector<engine::Value> m_values;
};
