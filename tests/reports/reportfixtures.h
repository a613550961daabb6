#pragma once

#include "reports/memoryrowsource.h"

#include <QString>

#include <stdexcept>

// Small row sources shaped like the two report queries.
namespace reportfixtures {

inline engine::FieldDef field(const char *name, engine::FieldType type, int size = 0)
{
    return {name, type, size};
}

inline std::vector<engine::FieldDef> companyFields()
{
    using engine::FieldType;
    return {field("VADE_TARIHI", FieldType::Date), field("CEK_TUTARI", FieldType::Money),
            field("CEK_DURUMU", FieldType::Char, 15), field("CEK_NUMARASI", FieldType::Char, 30),
            field("CEKI_ALAN", FieldType::Char, 40)};
}

inline std::vector<engine::FieldDef> customerFields()
{
    using engine::FieldType;
    return {field("VADE_TARIHI", FieldType::Date),     field("CEK_TUTARI", FieldType::Money),
            field("CEK_DURUM", FieldType::Char, 20),   field("BANKASI", FieldType::Char, 30),
            field("HESAPSAHIBI", FieldType::Char, 40), field("TAHSIL_BANKA", FieldType::Char, 30),
            field("CIRO_EDEN", FieldType::Char, 40),   field("KIME_CIRO", FieldType::Char, 40),
            field("CEK_NUMARASI", FieldType::Char, 30)};
}

// Row i: due 01.03.2026 + i days (within March), amount (i + 1) * 1000.50 TL,
// payee "Alıcı i".
inline reports::MemoryRowSource companyRows(int count)
{
    reports::MemoryRowSource rows(companyFields());
    for (int i = 0; i < count; ++i) {
        rows.append({text::Date{2026, 3, 1 + i % 28}, std::int64_t(100050) * (i + 1), std::string("PORTFÖYDE"),
                     "ÇN-" + std::to_string(1000 + i), "Alıcı " + std::to_string(i)});
    }
    return rows;
}

inline reports::MemoryRowSource customerRows(int count)
{
    reports::MemoryRowSource rows(customerFields());
    for (int i = 0; i < count; ++i) {
        rows.append({text::Date{2026, 4, 1 + i % 28}, std::int64_t(100050) * (i + 1), std::string("PORTFÖYDE"),
                     std::string("Ziraat Bankası"), "Müşteri " + std::to_string(i), std::string("YOK"),
                     std::string("Ciro Eden"), std::string("YOK"), "M-" + std::to_string(i)});
    }
    return rows;
}

// Delivers good rows, then fails the way a broken table does.
class FailingRowSource : public reports::MemoryRowSource
{
public:
    FailingRowSource(reports::MemoryRowSource rows, int failAt)
        : reports::MemoryRowSource(std::move(rows))
        , m_failAt(failAt)
    {
    }
    void restart() override
    {
        m_read = 0;
        reports::MemoryRowSource::restart();
    }
    bool next() override
    {
        if (m_read++ == m_failAt)
            throw std::runtime_error("firma_cek.db okunamadı");
        return reports::MemoryRowSource::next();
    }

private:
    int m_failAt;
    int m_read = 0;
};

} // namespace reportfixtures
