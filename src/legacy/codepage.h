#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace legacy {

// A single-byte DOS or Windows code page of old tables: 437, 850, 857 (Turkish
// DOS), 1252 and 1254 (Turkish Windows). Bytes 0x00-0x7F are ASCII in all of
// them; the upper half comes from ICU's mapping tables, read once per process.
class CodePage
{
public:
    // True for 437, 850, 857, 1252 and 1254.
    static bool isSupported(int number);

    // Precondition: isSupported(number).
    explicit CodePage(int number);

    int number() const { return m_number; }

    // The text of bytes in UTF-8, or std::nullopt when a byte has no character
    // in this code page (no replacement characters are ever produced).
    std::optional<std::string> toUtf8(std::string_view bytes) const;

    // True when byte (0x80-0xFF) has a character in this code page.
    bool maps(unsigned char byte) const;

private:
    int m_number;
    const std::array<char32_t, 128> *m_upper; // 0 marks a byte without a character
};

} // namespace legacy
