#pragma once

#include "text/date.h"

#include <cstdint>
#include <random>
#include <string>

class RawConnection;

// Fills the two ledgers with realistic Turkish cheques: names with ı İ ş Ş ç Ç
// ö Ö ü Ü ğ Ğ, real bank names and branches, account and cheque numbers, the
// seeded statuses, due dates spread over ten years and amounts in kuruş. Rows
// go in through plain SQLite inside one transaction, stored as the engine
// stores them (ISO dates, integer kuruş, 0/1), so the generation is fast and
// not part of what is measured. The same seed gives the same rows.
class LedgerGenerator
{
public:
    explicit LedgerGenerator(std::uint64_t seed = 20261210);

    // Appends rows to firma_cek / museri_cek on connection, in one
    // transaction. Throws std::runtime_error; the transaction is then rolled back.
    void fillCompanyLedger(RawConnection &connection, std::int64_t rows);
    void fillCustomerLedger(RawConnection &connection, std::int64_t rows);

    // The due dates the generated rows are spread over.
    static text::Date firstDueDate() { return {2020, 1, 1}; }
    static text::Date lastDueDate() { return {2029, 12, 31}; }

private:
    std::size_t pick(std::size_t count);
    bool chance(double probability);
    std::string personName();
    std::string firmName();
    std::string counterparty(); // a person or a firm
    std::string branch();
    std::string accountNumber();
    std::string chequeNumber();
    text::Date dueDate();
    std::int64_t amount();
    std::string note();

    std::mt19937_64 m_random;
};
