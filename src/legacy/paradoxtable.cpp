#include "legacy/paradoxtable.h"

#include "legacy/bytesource.h"
#include "legacy/paradoxdecode.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace legacy {

namespace {

constexpr std::uint64_t memoChunk = 4096;
constexpr int subAllocatedEntries = 64;

std::uint16_t le16(const std::uint8_t *p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t le32(const std::uint8_t *p)
{
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8)
        | (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::string inQuotes(const std::string &name) { return "'" + name + "'"; }

std::string utf8Name(const std::filesystem::path &path)
{
    const auto u8 = path.filename().u8string();
    return std::string(reinterpret_cast<const char *>(u8.data()), u8.size());
}

std::string asciiLower(std::string text)
{
    for (auto &c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string hexByte(int value)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "0x%02X", value);
    return buffer;
}

// The memo file beside a table: same name, extension .MB in any case.
std::optional<std::filesystem::path> findMemoFile(const std::filesystem::path &table)
{
    auto stem = table.stem().u8string();
    const std::string wanted = asciiLower(std::string(stem.begin(), stem.end()) + ".mb");
    std::error_code error;
    const auto folder = table.has_parent_path() ? table.parent_path() : std::filesystem::path(".");
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const auto name = it->path().filename().u8string();
        if (asciiLower(std::string(name.begin(), name.end())) == wanted && it->is_regular_file(error))
            return it->path();
    }
    return std::nullopt;
}

const char sqliteMagic[16] = {'S', 'Q', 'L', 'i', 't', 'e', ' ', 'f', 'o', 'r', 'm', 'a', 't', ' ', '3', '\0'};

} // namespace

ParadoxTable::ParadoxTable() = default;
ParadoxTable::ParadoxTable(ParadoxTable &&) noexcept = default;
ParadoxTable &ParadoxTable::operator=(ParadoxTable &&) noexcept = default;
ParadoxTable::~ParadoxTable() = default;

ParadoxTable ParadoxTable::open(const std::filesystem::path &path, const OpenOptions &options)
{
    ParadoxTable table;
    table.m_fileName = utf8Name(path);
    table.m_db = ByteSource::openFile(path);
    if (!table.m_db)
        table.fail(ErrorCode::CannotOpen, inQuotes(table.m_fileName) + " dosyası açılamıyor.");
    table.m_memoFileName = utf8Name(path.stem()) + ".MB";
    if (const auto memo = findMemoFile(path)) {
        table.m_memoFileName = utf8Name(*memo);
        table.m_memo = ByteSource::openFile(*memo);
    }
    table.load(options);
    return table;
}

ParadoxTable ParadoxTable::fromBytes(const std::string &fileName, std::string bytes,
                                     std::optional<std::string> memo, const OpenOptions &options)
{
    ParadoxTable table;
    table.m_fileName = fileName;
    table.m_db = ByteSource::fromBytes(std::move(bytes));
    table.m_memoFileName = utf8Name(std::filesystem::u8path(fileName).stem()) + ".MB";
    if (memo)
        table.m_memo = ByteSource::fromBytes(std::move(*memo));
    table.load(options);
    return table;
}

void ParadoxTable::fail(ErrorCode code, const std::string &message) const
{
    throw ParadoxError(code, message);
}

void ParadoxTable::load(const OpenOptions &options)
{
    readHeader(options);
    walkChain();
    const bool hasBlobs = std::any_of(m_fields.begin(), m_fields.end(),
                                      [](const FieldDescriptor &f) { return isBlobType(f.type); });
    if (hasBlobs && !m_memo)
        m_warnings.push_back(inQuotes(m_fileName) + " tablosunun not dosyası (" + inQuotes(m_memoFileName)
                             + ") bulunamadı; not alanlarının yalnızca kayıtta duran kısa değerleri okunabilir.");
}

void ParadoxTable::readHeader(const OpenOptions &options)
{
    const std::string name = inQuotes(m_fileName);
    const std::uint64_t fileSize = m_db->size();

    std::uint8_t start[0x78] = {};
    const auto startSize = static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, sizeof start));
    if (!m_db->read(0, startSize, start))
        fail(ErrorCode::CannotOpen, name + " dosyası okunamıyor.");
    if (startSize >= 16 && std::memcmp(start, sqliteMagic, 16) == 0)
        fail(ErrorCode::SqliteFile, name + " dosyası bir Paradox tablosu değil, bir SQLite veritabanı.");
    if (startSize < 0x58)
        fail(ErrorCode::Truncated, name + " dosyası çok kısa; tablo başlığı eksik.");

    m_recordSize = le16(start + 0x00);
    m_headerSize = le16(start + 0x02);
    m_fileType = start[0x04];
    const int maxTableSize = start[0x05];
    m_headerRecordCount = le32(start + 0x06);
    m_firstBlock = le16(start + 0x0E);
    const int fieldCount = le16(start + 0x21);
    m_keyFieldCount = le16(start + 0x23);
    const std::uint32_t encryption1 = le32(start + 0x25);
    m_versionId = start[0x39];
    m_nextAutoInc = le32(start + 0x49);

    const bool isIndex = m_fileType == 1 || (m_fileType >= 3 && m_fileType <= 8);
    const bool plausible = m_versionId >= 3 && m_versionId <= 12 && maxTableSize >= 1 && maxTableSize <= 32
        && m_headerSize > 0 && m_recordSize > 0 && fieldCount >= 1 && fieldCount <= 255;
    if (isIndex && plausible)
        fail(ErrorCode::IndexFile, name + " dosyası bir Paradox tablosu değil, bir Paradox dizin dosyası.");
    if (!plausible || (m_fileType != 0 && m_fileType != 2))
        fail(ErrorCode::NotParadox, name + " dosyası bir Paradox tablosu olarak tanınmadı.");

    const bool hasDataHeader = m_versionId >= 5;
    if (hasDataHeader) {
        if (startSize < 0x78)
            fail(ErrorCode::Truncated, name + " dosyası çok kısa; tablo başlığı eksik.");
        const int signature = 0x0100 | m_versionId;
        if (le16(start + 0x58) != signature || le16(start + 0x5A) != signature)
            fail(ErrorCode::NotParadox, name + " dosyası bir Paradox tablosu olarak tanınmadı.");
    }

    const bool encrypted = hasDataHeader
        ? (le32(start + 0x5C) != 0 || (encryption1 != 0 && encryption1 != 0xFF00FF00u))
        : encryption1 != 0;
    if (encrypted)
        fail(ErrorCode::Encrypted, name + " tablosu parola ile şifrelenmiş; şifreli tablolar okunamaz.");

    const std::size_t base = hasDataHeader ? 0x78 : 0x58;
    if (static_cast<std::size_t>(m_headerSize) < base)
        fail(ErrorCode::BadHeader, name + " tablosunun başlığı bozuk: başlık uzunluğu (" + std::to_string(m_headerSize)
                 + ") çok kısa.");
    if (static_cast<std::uint64_t>(m_headerSize) > fileSize)
        fail(ErrorCode::Truncated, name + " dosyası eksik: tablo başlığı dosyanın sonunu aşıyor.");
    std::vector<std::uint8_t> header(static_cast<std::size_t>(m_headerSize));
    if (!m_db->read(0, header.size(), header.data()))
        fail(ErrorCode::CannotOpen, name + " dosyası okunamıyor.");

    m_blockSize = maxTableSize * 0x400;
    if (hasDataHeader)
        m_declaredCodePage = le16(header.data() + 0x6A);

    const auto badHeader = [&](const std::string &detail) {
        fail(ErrorCode::BadHeader, name + " tablosunun başlığı bozuk: " + detail + ".");
    };

    const std::size_t tableNameSize = m_versionId >= 0x0C ? 261 : 79;
    const std::size_t n = static_cast<std::size_t>(fieldCount);
    const std::size_t namesAt = base + 6 * n + 4 + tableNameSize;
    if (namesAt > header.size())
        badHeader("alan tanımları başlığa sığmıyor");

    // Field names, in the code page chosen below; each is zero-terminated.
    std::vector<std::string> rawNames;
    std::size_t at = namesAt;
    for (std::size_t i = 0; i < n; ++i) {
        const auto *begin = header.data() + at;
        const auto *end = header.data() + header.size();
        const auto *zero = std::find(begin, end, std::uint8_t{0});
        if (zero == end)
            badHeader("alan adları başlığa sığmıyor");
        if (zero == begin)
            badHeader(std::to_string(i + 1) + ". alanın adı yok");
        rawNames.emplace_back(reinterpret_cast<const char *>(begin), static_cast<std::size_t>(zero - begin));
        at += rawNames.back().size() + 1;
    }
    // Field numbers, then the sort order name; a name that runs off the header is ignored.
    at += 2 * n;
    if (at < header.size()) {
        const auto *begin = header.data() + at;
        const auto *end = header.data() + header.size();
        const auto *zero = std::find(begin, end, std::uint8_t{0});
        if (zero != end)
            m_sortOrderName.assign(reinterpret_cast<const char *>(begin), static_cast<std::size_t>(zero - begin));
    }

    // The code page.
    int codePage = options.codePage;
    if (codePage != 0) {
        if (!CodePage::isSupported(codePage))
            fail(ErrorCode::UnsupportedCodePage,
                 name + " için istenen kod sayfası (" + std::to_string(codePage)
                     + ") desteklenmiyor; 437, 850, 857, 1252 veya 1254 olmalı.");
    } else if (m_declaredCodePage != 0) {
        if (!CodePage::isSupported(m_declaredCodePage))
            fail(ErrorCode::UnsupportedCodePage,
                 name + " tablosunun kod sayfası (" + std::to_string(m_declaredCodePage)
                     + ") desteklenmiyor; okumak için 437, 850, 857, 1252 veya 1254 kod sayfalarından birini seçin.");
        codePage = m_declaredCodePage;
    } else {
        codePage = asciiLower(m_sortOrderName) == "turk" ? 857 : 437;
        m_warnings.push_back(name + " tablosu kod sayfası belirtmiyor; " + std::to_string(codePage)
                             + " varsayıldı.");
    }
    m_codePage.emplace(codePage);

    // Field descriptors.
    int offset = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const auto decoded = m_codePage->toUtf8(rawNames[i]);
        if (!decoded)
            fail(ErrorCode::TextDecode, name + " tablosunun " + std::to_string(i + 1) + ". alanının adı "
                     + std::to_string(codePage) + " kod sayfasında çözülemiyor.");
        const std::uint8_t code = header[base + 2 * i];
        const int size = header[base + 2 * i + 1];
        if (!isKnownFieldType(code))
            fail(ErrorCode::UnknownFieldType, name + " tablosunun " + inQuotes(*decoded) + " alanının türü ("
                     + hexByte(code) + ") bilinmiyor.");
        const auto type = static_cast<FieldType>(code);
        const int fixed = fixedSize(type);
        const bool sizeFits = type == FieldType::Bcd ? size <= 32
            : fixed != 0                             ? size == fixed
            : isBlobType(type)                       ? size >= 10
                                                     : size >= 1;
        if (!sizeFits)
            badHeader(inQuotes(*decoded) + " alanının boyutu (" + std::to_string(size) + ") türüne uymuyor");
        m_fields.push_back({*decoded, type, size, offset});
        offset += storedSize(type, size);
    }
    if (offset != m_recordSize)
        badHeader("alan boyutlarının toplamı kayıt uzunluğuna eşit değil");
    if (m_blockSize < 6 + m_recordSize)
        badHeader("bir kayıt bir veri bloğuna sığmıyor");
    if (m_keyFieldCount > fieldCount)
        badHeader("anahtar alan sayısı alan sayısından büyük");

    if (start[0x14] != 0 || start[0x2A] != 0)
        m_warnings.push_back(name + " tablosu düzgün kapatılmamış görünüyor; yalnızca doğrulanan kayıtlar okunur.");
}

void ParadoxTable::walkChain()
{
    const std::string name = inQuotes(m_fileName);
    const std::uint64_t fileSize = m_db->size();
    const std::uint64_t dataBytes = fileSize - static_cast<std::uint64_t>(m_headerSize);
    const std::uint64_t blocksInFile = (dataBytes + m_blockSize - 1) / m_blockSize;
    std::vector<bool> visited(static_cast<std::size_t>(blocksInFile) + 1, false);

    m_recordCount = 0;
    for (std::uint64_t block = m_firstBlock; block != 0;) {
        const std::string blockName = std::to_string(block) + " numaralı veri bloğu";
        if (block > blocksInFile)
            fail(ErrorCode::Truncated, name + " dosyası eksik: " + blockName + " dosyanın sonunun ötesinde.");
        if (visited[block])
            fail(ErrorCode::BlockLoop, name + " tablosunun veri blokları döngüye giriyor: " + blockName
                     + " ikinci kez geliyor.");
        visited[block] = true;

        const std::uint64_t offset = m_headerSize + (block - 1) * static_cast<std::uint64_t>(m_blockSize);
        std::uint8_t head[6];
        if (!m_db->read(offset, sizeof head, head))
            fail(ErrorCode::Truncated, name + " dosyası eksik: " + blockName + " dosyanın sonunun ötesinde.");
        const int next = le16(head);
        const int addDataSize = static_cast<std::int16_t>(le16(head + 4));

        int records = 0;
        if (addDataSize != -m_recordSize) {
            if (addDataSize < 0 || addDataSize > m_blockSize - 6 - m_recordSize || addDataSize % m_recordSize != 0)
                fail(ErrorCode::BadBlock, name + " tablosunun " + blockName + " bozuk: bloktaki son kaydın yeri ("
                         + std::to_string(addDataSize) + ") geçersiz.");
            records = addDataSize / m_recordSize + 1;
            if (!m_db->contains(offset + 6, static_cast<std::uint64_t>(records) * m_recordSize))
                fail(ErrorCode::Truncated, name + " dosyası eksik: " + blockName
                         + " kayıtları dosyanın sonunun ötesine uzanıyor.");
        }
        m_blocks.push_back({offset, records});
        m_recordCount += records;
        block = static_cast<std::uint64_t>(next);
    }

    if (m_recordCount != m_headerRecordCount)
        m_warnings.push_back(name + " tablosunun başlığında " + std::to_string(m_headerRecordCount)
                             + " kayıt yazıyor, veri bloklarında " + std::to_string(m_recordCount)
                             + " kayıt bulundu.");
}

std::string ParadoxTable::versionName() const
{
    if (m_versionId == 3)
        return "3.0";
    if (m_versionId == 4)
        return "3.5";
    if (m_versionId <= 9)
        return "4.x";
    if (m_versionId <= 11)
        return "5.x";
    return "7.x";
}

void ParadoxTable::rewind()
{
    m_blockIndex = 0;
    m_recordInBlock = 0;
    m_rowNumber = 0;
}

void ParadoxTable::loadBlock(std::size_t index, std::vector<std::uint8_t> &buffer)
{
    const Block &block = m_blocks[index];
    buffer.resize(static_cast<std::size_t>(block.records) * m_recordSize);
    if (!m_db->read(block.offset + 6, buffer.size(), buffer.data()))
        fail(ErrorCode::CannotOpen, inQuotes(m_fileName) + " dosyası okunamıyor.");
}

bool ParadoxTable::readNext(Row &row)
{
    while (m_blockIndex < m_blocks.size() && m_recordInBlock >= m_blocks[m_blockIndex].records) {
        ++m_blockIndex;
        m_recordInBlock = 0;
    }
    if (m_blockIndex >= m_blocks.size())
        return false;
    if (m_bufferedBlock != m_blockIndex) {
        m_bufferedBlock = SIZE_MAX;
        loadBlock(m_blockIndex, m_buffer);
        m_bufferedBlock = m_blockIndex;
    }
    row.number = ++m_rowNumber;
    row.values.clear();
    row.issues.clear();
    decodeRecord(m_buffer.data() + static_cast<std::size_t>(m_recordInBlock) * m_recordSize, row);
    ++m_recordInBlock;
    return true;
}

void ParadoxTable::addIssue(Row &row, int field, ErrorCode code, const std::string &what)
{
    row.issues.push_back({field, code,
                          inQuotes(m_fileName) + " tablosunun " + std::to_string(row.number) + ". kaydındaki "
                              + inQuotes(m_fields[static_cast<std::size_t>(field)].name) + " alanı" + what});
}

void ParadoxTable::decodeRecord(const std::uint8_t *record, Row &row)
{
    const std::string cp = std::to_string(m_codePage->number());
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const FieldDescriptor &field = m_fields[i];
        const std::uint8_t *bytes = record + field.offset;
        const int index = static_cast<int>(i);
        if (field.type == FieldType::Alpha) {
            const auto *end = std::find(bytes, bytes + field.size, std::uint8_t{0});
            if (end == bytes) {
                row.values.emplace_back();
                continue;
            }
            const std::string_view raw(reinterpret_cast<const char *>(bytes), static_cast<std::size_t>(end - bytes));
            if (auto text = m_codePage->toUtf8(raw)) {
                row.values.emplace_back(std::move(*text));
            } else {
                row.values.emplace_back(RawText{std::string(raw)});
                addIssue(row, index, ErrorCode::TextDecode, "nın metni " + cp + " kod sayfasında çözülemiyor.");
            }
        } else if (isBlobType(field.type)) {
            row.values.push_back(decodeBlob(field, index, bytes, row));
        } else {
            std::string reason;
            const std::size_t size = static_cast<std::size_t>(storedSize(field.type, field.size));
            if (auto value = paradox::decodeFixed(field.type, {bytes, size}, &reason)) {
                row.values.push_back(std::move(*value));
            } else {
                row.values.emplace_back();
                addIssue(row, index, ErrorCode::BadValue, "nın değeri geçersiz: " + reason + ".");
            }
        }
    }
}

Value ParadoxTable::decodeBlob(const FieldDescriptor &field, int index, const std::uint8_t *bytes, Row &row)
{
    const std::size_t leader = static_cast<std::size_t>(field.size) - 10;
    const std::uint32_t pointer = le32(bytes + leader);
    const std::uint32_t length = le32(bytes + leader + 4);
    if (length == 0)
        return {};

    std::string data;
    if (length <= leader) {
        data.assign(reinterpret_cast<const char *>(bytes), length);
    } else {
        if (!m_memo) {
            addIssue(row, index, ErrorCode::MemoFileMissing,
                     "nın değeri not dosyasında (" + inQuotes(m_memoFileName) + "), bu dosya bulunamadı.");
            return {};
        }
        const auto badMemo = [&](const std::string &detail) {
            addIssue(row, index, ErrorCode::BadMemo, " not dosyasında okunamıyor: " + detail + ".");
            return Value{};
        };
        const std::uint64_t blockOffset = pointer & 0xFFFFFF00u;
        const int entry = static_cast<int>(pointer & 0xFF);
        std::uint8_t head[9];
        if (blockOffset == 0 || !m_memo->read(blockOffset, 3, head))
            return badMemo("gösterdiği yer dosyanın sonunun ötesinde");
        const std::uint64_t blockLength = le16(head + 1) * memoChunk;
        std::uint64_t dataOffset = 0;
        std::uint64_t storedLength = 0;
        if (head[0] == 2) {
            if (entry != 0xFF || !m_memo->read(blockOffset, 9, head))
                return badMemo("blok bilgisi geçersiz");
            storedLength = le32(head + 3);
            dataOffset = 9;
        } else if (head[0] == 3) {
            if (entry >= subAllocatedEntries)
                return badMemo("blok içindeki sıra numarası geçersiz");
            std::uint8_t slot[5];
            if (!m_memo->read(blockOffset + 0x0C + 5 * static_cast<std::uint64_t>(entry), 5, slot))
                return badMemo("gösterdiği yer dosyanın sonunun ötesinde");
            if (slot[4] == 0 || slot[1] == 0)
                return badMemo("not silinmiş");
            storedLength = (slot[1] - 1u) * 16u + slot[4];
            dataOffset = 16u * slot[0];
        } else {
            return badMemo("blok türü (" + std::to_string(head[0]) + ") geçersiz");
        }
        if (storedLength != length)
            return badMemo("uzunluk tutmuyor (kayıtta " + std::to_string(length) + ", not dosyasında "
                           + std::to_string(storedLength) + ")");
        if (dataOffset + length > blockLength || !m_memo->contains(blockOffset + dataOffset, length))
            return badMemo("gösterdiği yer dosyanın sonunun ötesinde");
        data.resize(length);
        if (!m_memo->read(blockOffset + dataOffset, length, data.data()))
            return badMemo("dosya okunamıyor");
    }

    if (field.type != FieldType::Memo)
        return Bytes{{data.begin(), data.end()}};
    if (auto text = m_codePage->toUtf8(data))
        return std::move(*text);
    addIssue(row, index, ErrorCode::TextDecode,
             "nın metni " + std::to_string(m_codePage->number()) + " kod sayfasında çözülemiyor.");
    return RawText{std::move(data)};
}

int ParadoxTable::suggestedCodePage()
{
    static constexpr std::uint8_t windows[] = {0xD0, 0xDD, 0xDE, 0xF0, 0xFD, 0xFE};
    static constexpr std::uint8_t dos[] = {0x98, 0x8D, 0x9E, 0x9F, 0xA6, 0xA7};
    std::int64_t windowsCount = 0;
    std::int64_t dosCount = 0;
    std::vector<std::uint8_t> buffer;
    for (std::size_t b = 0; b < m_blocks.size(); ++b) {
        loadBlock(b, buffer);
        for (int r = 0; r < m_blocks[b].records; ++r) {
            const std::uint8_t *record = buffer.data() + static_cast<std::size_t>(r) * m_recordSize;
            for (const FieldDescriptor &field : m_fields) {
                if (field.type != FieldType::Alpha)
                    continue;
                for (int i = 0; i < field.size && record[field.offset + i] != 0; ++i) {
                    const std::uint8_t byte = record[field.offset + i];
                    windowsCount += std::count(std::begin(windows), std::end(windows), byte);
                    dosCount += std::count(std::begin(dos), std::end(dos), byte);
                }
            }
        }
    }
    if (windowsCount > dosCount)
        return 1254;
    if (dosCount > windowsCount)
        return 857;
    return 0;
}

} // namespace legacy
