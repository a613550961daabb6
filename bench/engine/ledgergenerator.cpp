#include "ledgergenerator.h"

#include "rawconnection.h"

#include "text/turkish.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace {

constexpr std::array<std::string_view, 48> kFirstNames = {
    "Ahmet", "Mehmet", "Ayşe", "Fatma", "Emine", "Hatice", "Zeynep", "Elif", "Şükrü", "Şule", "Çağrı", "Çiğdem",
    "Gökhan", "Gülşen", "Ömer", "Özlem", "Ümit", "Ünal", "İsmail", "İbrahim", "İlknur", "Işıl", "Ilgın", "Oğuz",
    "Doğan", "Tuğba", "Büşra", "Öykü", "Hüseyin", "Mustafa", "Süleyman", "Gülay", "Şenol", "Çetin", "Ülkü", "Nurşen",
    "Ağah", "Yiğit", "Eşref", "Müge", "Cengiz", "Dilşad", "Özgür", "Gönül", "İpek", "Barış", "Kübra", "Ertuğrul"};

constexpr std::array<std::string_view, 48> kLastNames = {
    "Yılmaz", "Kaya", "Demir", "Şahin", "Çelik", "Yıldız", "Yıldırım", "Öztürk", "Aydın", "Özdemir", "Arslan",
    "Doğan", "Kılıç", "Aslan", "Çetin", "Kara", "Koç", "Kurt", "Özkan", "Şimşek", "Polat", "Öz", "Erdoğan", "Güneş",
    "Aksoy", "Uğur", "Işık", "İnce", "Türkmen", "Bozkurt", "Ünlü", "Gündüz", "Çakır", "Şen", "Güler", "Ağaoğlu",
    "Karagöz", "Başaran", "Tunç", "Ilıcak", "İpekçi", "Soğukoğlu", "Gürsoy", "Dönmez", "Küçük", "Büyükşahin",
    "Çağlayan", "Özçelik"};

constexpr std::array<std::string_view, 16> kTrades = {
    "İnşaat", "Gıda", "Tekstil", "Otomotiv", "Mobilya", "Kırtasiye", "Hırdavat", "Elektrik", "Lojistik", "Tarım",
    "Kuyumculuk", "Ambalaj", "Boya", "Züccaciye", "Ayakkabı", "Şekerleme"};

constexpr std::array<std::string_view, 5> kFirmForms = {"Ltd. Şti.", "A.Ş.", "San. ve Tic. Ltd. Şti.",
                                                        "Tic. A.Ş.", "ve Ortakları"};

constexpr std::array<std::string_view, 20> kBanks = {
    "Türkiye İş Bankası", "Ziraat Bankası", "Türkiye Halk Bankası", "Türkiye Vakıflar Bankası",
    "Yapı ve Kredi Bankası", "Akbank", "Garanti BBVA", "QNB Finansbank", "Denizbank", "Şekerbank",
    "Türk Ekonomi Bankası", "ING Bank", "Kuveyt Türk", "Albaraka Türk", "Anadolubank", "Fibabanka", "Odeabank",
    "Türkiye Finans", "Vakıf Katılım", "Ziraat Katılım"};

constexpr std::array<std::string_view, 40> kPlaces = {
    "Kadıköy", "Üsküdar", "Beşiktaş", "Şişli", "Çankaya", "Karşıyaka", "Bağcılar", "Ümraniye", "Gölcük", "İzmit",
    "Eskişehir Çarşı", "Ödemiş", "Muğla", "Iğdır", "Çorlu", "Ağrı", "Şanlıurfa", "Gaziantep Şehitkamil", "Çanakkale",
    "Kırşehir", "Düzce", "Kütahya", "Uşak", "Niğde", "Bursa Osmangazi", "Nilüfer", "İnegöl", "Bahçelievler",
    "Güngören", "Esenyurt", "Beylikdüzü", "Sarıyer", "Kağıthane", "Ostim", "Sincan", "Keçiören", "Bornova",
    "Çiğli", "Merkez", "Organize Sanayi"};

constexpr std::array<std::string_view, 12> kNotes = {
    "Mal bedeli", "Kira ödemesi", "Fatura karşılığı", "Avans", "Hizmet bedeli", "Nakliye ücreti",
    "Şubat ayı taksidi", "Ağustos siparişi", "Çek ciro ile geldi", "Öğrenci servisi ücreti", "Yazılım lisansı",
    "İşçilik bedeli"};

constexpr std::array<std::string_view, 3> kCompanyStatuses = {"ÖDENDE", "ÖDENMEDİ", "İADE ALINDI"};

struct Account
{
    std::string bank;
    std::string branch;
    std::string number;
    std::int64_t nextCheque;
};

std::string fit(std::string_view text, std::size_t characters)
{
    return std::string(text::leftCharacters(text, characters));
}

void bindOrNull(RawStatement &statement, int index, const std::string &text)
{
    if (text.empty())
        statement.bindNull(index);
    else
        statement.bindText(index, text);
}

} // namespace

LedgerGenerator::LedgerGenerator(std::uint64_t seed) : m_random(seed) {}

std::size_t LedgerGenerator::pick(std::size_t count)
{
    return std::uniform_int_distribution<std::size_t>(0, count - 1)(m_random);
}

bool LedgerGenerator::chance(double probability)
{
    return std::bernoulli_distribution(probability)(m_random);
}

std::string LedgerGenerator::personName()
{
    std::string name(kFirstNames[pick(kFirstNames.size())]);
    if (chance(0.15))
        name += " " + std::string(kFirstNames[pick(kFirstNames.size())]);
    name += " ";
    // Surnames are often written in capitals in ledgers: "Şükrü ÇELİK".
    const std::string_view last = kLastNames[pick(kLastNames.size())];
    name += chance(0.3) ? text::toUpperTurkish(last) : std::string(last);
    return name;
}

std::string LedgerGenerator::firmName()
{
    std::string name(kLastNames[pick(kLastNames.size())]);
    if (chance(0.3))
        name += " " + std::string(kPlaces[pick(kPlaces.size())]);
    name += " " + std::string(kTrades[pick(kTrades.size())]) + " " + std::string(kFirmForms[pick(kFirmForms.size())]);
    return chance(0.4) ? text::toUpperTurkish(name) : name;
}

std::string LedgerGenerator::counterparty()
{
    return chance(0.65) ? personName() : firmName();
}

std::string LedgerGenerator::branch()
{
    return std::string(kPlaces[pick(kPlaces.size())]) + (chance(0.5) ? " Şubesi" : "");
}

std::string LedgerGenerator::accountNumber()
{
    char buffer[40];
    if (chance(0.5)) {
        std::snprintf(buffer, sizeof buffer, "TR%02u%010llu%014llu", unsigned(pick(100)),
                      static_cast<unsigned long long>(pick(10000000000ull)),
                      static_cast<unsigned long long>(pick(100000000000000ull)));
    } else {
        std::snprintf(buffer, sizeof buffer, "%04u-%08llu", unsigned(pick(10000)),
                      static_cast<unsigned long long>(pick(100000000ull)));
    }
    return buffer;
}

std::string LedgerGenerator::chequeNumber()
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%07llu", static_cast<unsigned long long>(pick(10000000)));
    return buffer;
}

text::Date LedgerGenerator::dueDate()
{
    const std::int64_t first = text::toDayNumber(firstDueDate());
    const std::int64_t last = text::toDayNumber(lastDueDate());
    return *text::fromDayNumber(first + std::int64_t(pick(std::size_t(last - first + 1))));
}

std::int64_t LedgerGenerator::amount()
{
    // Log-uniform between 100 TL and 750,000 TL; most amounts whole liras.
    const double lira = std::exp(std::uniform_real_distribution<double>(std::log(100.0), std::log(750000.0))(m_random));
    const std::int64_t kurus = std::int64_t(lira * 100.0);
    return chance(0.7) ? kurus / 100 * 100 : kurus;
}

std::string LedgerGenerator::note()
{
    if (chance(0.6))
        return {};
    std::string note(kNotes[pick(kNotes.size())]);
    if (chance(0.3))
        note += ", fatura no " + std::to_string(2020 + pick(10)) + "/" + std::to_string(1 + pick(999));
    return note;
}

void LedgerGenerator::fillCompanyLedger(RawConnection &connection, std::int64_t rows)
{
    // The firm writes its cheques from a dozen accounts of its own, to a few
    // thousand suppliers.
    std::vector<Account> accounts;
    for (int i = 0; i < 12; ++i)
        accounts.push_back({std::string(kBanks[pick(8)]), fit(branch(), 40), accountNumber(),
                            std::int64_t(1000000 + pick(8000000))});
    std::vector<std::string> payees;
    for (int i = 0; i < 3000; ++i)
        payees.push_back(fit(counterparty(), 40));
    const std::string today = text::toIso({2026, 12, 10});

    connection.exec("BEGIN");
    try {
        RawStatement insert(connection,
                            "INSERT INTO firma_cek (VADE_TARIHI, CEK_TUTARI, BANKA_ADI, BANKA_SUBESI, HESAP_NUMARASI, "
                            "CEK_NUMARASI, CEKI_ALAN, CEK_DURUMU, ACIKLAMA) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9)");
        for (std::int64_t row = 0; row < rows; ++row) {
            Account &account = accounts[pick(accounts.size())];
            const std::string due = text::toIso(dueDate());
            // Cheques due in the past are mostly paid, those still to come unpaid.
            const std::string_view status = chance(0.02) ? kCompanyStatuses[2]
                : due < today ? (chance(0.95) ? kCompanyStatuses[0] : kCompanyStatuses[1])
                              : kCompanyStatuses[1];
            insert.reset();
            insert.bindText(1, due);
            insert.bindInt(2, amount());
            insert.bindText(3, account.bank);
            insert.bindText(4, account.branch);
            insert.bindText(5, account.number);
            insert.bindText(6, std::to_string(account.nextCheque++));
            insert.bindText(7, payees[pick(payees.size())]);
            insert.bindText(8, status);
            bindOrNull(insert, 9, note());
            insert.step();
        }
        connection.exec("COMMIT");
    } catch (...) {
        try {
            connection.exec("ROLLBACK");
        } catch (...) {
        }
        throw;
    }
}

void LedgerGenerator::fillCustomerLedger(RawConnection &connection, std::int64_t rows)
{
    static constexpr std::array<std::string_view, 6> statuses = {"PORTFÖYDE",      "TAHSİL EDİLDİ", "İADE EDİLDİ",
                                                                 "BANKA TAHSİLDE", "KARŞILIĞI YOK", "CİRO EDİLDİ"};
    static constexpr std::array<double, 6> weights = {30, 35, 3, 12, 3, 17};
    std::discrete_distribution<std::size_t> statusOf(weights.begin(), weights.end());
    // Customers with their accounts: a customer gives many cheques from one account.
    struct Customer
    {
        std::string name, bank, branch, account;
    };
    std::vector<Customer> customers;
    for (int i = 0; i < 40000; ++i)
        customers.push_back({fit(counterparty(), 40), fit(kBanks[pick(kBanks.size())], 30), fit(branch(), 30),
                             fit(accountNumber(), 30)});
    std::vector<std::string> suppliers;
    for (int i = 0; i < 3000; ++i)
        suppliers.push_back(fit(counterparty(), 40));

    connection.exec("BEGIN");
    try {
        RawStatement insert(connection,
                            "INSERT INTO museri_cek (CEK_CIROLU, CIRO_EDEN, VADE_TARIHI, CEK_TUTARI, CEK_NUMARASI, "
                            "HESAPSAHIBI, BANKASI, SUBESI, HESAPNO, CEK_DURUM, TAHSIL_BANKA, TAHSIL_SUBE, KIME_CIRO, "
                            "ACIKLAMA) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14)");
        for (std::int64_t row = 0; row < rows; ++row) {
            const Customer &customer = customers[pick(customers.size())];
            const bool endorsed = chance(0.25);
            const std::size_t status = statusOf(m_random);
            insert.reset();
            insert.bindInt(1, endorsed ? 1 : 0);
            insert.bindText(2, endorsed ? fit(counterparty(), 40) : std::string("YOK"));
            insert.bindText(3, text::toIso(dueDate()));
            insert.bindInt(4, amount());
            insert.bindText(5, chequeNumber());
            insert.bindText(6, customer.name);
            insert.bindText(7, customer.bank);
            insert.bindText(8, customer.branch);
            insert.bindText(9, customer.account);
            insert.bindText(10, statuses[status]);
            if (status == 3) { // BANKA TAHSİLDE: the bank it was given to for collection
                insert.bindText(11, std::string(kBanks[pick(8)]));
                insert.bindText(12, fit(branch(), 30));
            } else {
                insert.bindText(11, "YOK");
                insert.bindText(12, "YOK");
            }
            insert.bindText(13, status == 5 ? suppliers[pick(suppliers.size())] : std::string("YOK"));
            bindOrNull(insert, 14, note());
            insert.step();
        }
        connection.exec("COMMIT");
    } catch (...) {
        try {
            connection.exec("ROLLBACK");
        } catch (...) {
        }
        throw;
    }
}
