// libFuzzer target for the Paradox table reader. Input: a 4-byte little-endian
// length n, then n bytes of table file, then the memo file (the rest). Shorter
// inputs are a table file alone. The reader may refuse anything with a
// ParadoxError; any other exception, crash or sanitizer report is a fault.
#include "legacy/paradoxtable.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::string table;
    std::optional<std::string> memo;
    if (size < 4) {
        table.assign(reinterpret_cast<const char *>(data), size);
    } else {
        const std::size_t declared = data[0] | (data[1] << 8) | (data[2] << 16) | (std::size_t(data[3]) << 24);
        const std::size_t tableSize = declared < size - 4 ? declared : size - 4;
        table.assign(reinterpret_cast<const char *>(data + 4), tableSize);
        if (4 + tableSize < size)
            memo.emplace(reinterpret_cast<const char *>(data + 4 + tableSize), size - 4 - tableSize);
    }

    try {
        legacy::ParadoxTable reader = legacy::ParadoxTable::fromBytes("FUZZ.DB", std::move(table), std::move(memo));
        legacy::Row row;
        while (reader.readNext(row)) {
            for (const auto &value : row.values)
                (void)legacy::describe(value);
        }
        (void)reader.suggestedCodePage();
    } catch (const legacy::ParadoxError &) {
    }
    return 0;
}
