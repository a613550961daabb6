#pragma once

#include "reports/memoryrowsource.h"

#include <array>
#include <random>
#include <string>

// Customer report rows with realistic Turkish text, the same every run.
inline reports::MemoryRowSource sampleCustomerRows(int count)
{
    using engine::FieldType;
    reports::MemoryRowSource rows({{"VADE_TARIHI", FieldType::Date, 0},
                                   {"CEK_TUTARI", FieldType::Money, 0},
                                   {"CEK_DURUM", FieldType::Char, 20},
                                   {"BANKASI", FieldType::Char, 30},
                                   {"HESAPSAHIBI", FieldType::Char, 40},
                                   {"TAHSIL_BANKA", FieldType::Char, 30},
                                   {"CIRO_EDEN", FieldType::Char, 40},
                                   {"KIME_CIRO", FieldType::Char, 40},
                                   {"CEK_NUMARASI", FieldType::Char, 30}});
    static const std::array<const char *, 4> statuses{"PORTFÖYDE", "BANKA TAHSİLDE", "CİRO EDİLDİ", "TAHSİL EDİLDİ"};
    static const std::array<const char *, 4> banks{"Ziraat Bankası", "Türkiye İş Bankası", "Halkbank",
                                                   "Yapı ve Kredi Bankası"};
    static const std::array<const char *, 5> people{"Ayşe Çelik", "Mehmet Şükrü Öztürk", "Gülşen Işık",
                                                    "Karadeniz Ereğli Demir Çelik Fabrikaları A.Ş.", "İbrahim Doğru"};
    std::mt19937 random(20261211);
    for (int i = 0; i < count; ++i) {
        const std::string status = statuses[random() % statuses.size()];
        rows.append({text::Date{2026, 1 + int(random() % 12), 1 + int(random() % 28)},
                     std::int64_t(random() % 50'000'000) + 100, status, std::string(banks[random() % banks.size()]),
                     std::string(people[random() % people.size()]),
                     std::string(status == "BANKA TAHSİLDE" ? banks[random() % banks.size()] : "YOK"),
                     std::string(i % 3 == 0 ? people[random() % people.size()] : ""),
                     std::string(status == "CİRO EDİLDİ" ? people[random() % people.size()] : "YOK"),
                     "M" + std::to_string(500000 + i)});
    }
    return rows;
}

// Company report rows with realistic Turkish text, the same every run.
inline reports::MemoryRowSource sampleCompanyRows(int count)
{
    using engine::FieldType;
    reports::MemoryRowSource rows({{"VADE_TARIHI", FieldType::Date, 0},
                                   {"CEK_TUTARI", FieldType::Money, 0},
                                   {"CEK_DURUMU", FieldType::Char, 15},
                                   {"CEK_NUMARASI", FieldType::Char, 30},
                                   {"CEKI_ALAN", FieldType::Char, 40}});
    static const std::array<const char *, 6> statuses{"PORTFÖYDE", "TAHSİL EDİLDİ", "CİRO EDİLDİ", "ÖDENDİ",
                                                      "KARŞILIKSIZ", "BANKA TAHSİLDE"};
    static const std::array<const char *, 12> names{
        "Öztürk İnşaat Ltd. Şti.",        "Çağlayan Gıda San. ve Tic. A.Ş.", "Şahin Otomotiv",
        "Güneş Tekstil Dış Ticaret",       "Yılmaz Kırtasiye",                 "Doğan Yapı Malzemeleri",
        "Ilıca Turizm İşletmeleri",        "Kılıç Mobilya Dekorasyon",         "Ağaoğlu Nakliyat",
        "Işıklar Elektrik Taahhüt Ltd.",   "Çukurova Büyük İnşaat Taahhüt Sanayi", "Ekin Tarım Ürünleri"};
    std::mt19937 random(20261210);
    rows.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        const int day = 1 + int(random() % 28);
        const int month = 1 + int(random() % 12);
        const std::int64_t kurus = std::int64_t(random() % 50'000'000) + 100;
        rows.append({text::Date{2026, month, day}, kurus, std::string(statuses[random() % statuses.size()]),
                     "TR" + std::to_string(3000000 + i), std::string(names[random() % names.size()])});
    }
    return rows;
}
