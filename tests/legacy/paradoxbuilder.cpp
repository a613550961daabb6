#include "paradoxbuilder.h"

#include "legacy/paradoxdecode.h"

#include <QtEndian>

#include <bit>

namespace {

void putLe16(QByteArray &bytes, int at, int value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char((value >> 8) & 0xFF);
}

void putLe32(QByteArray &bytes, int at, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

QByteArray flippedBigEndian(std::uint64_t value, int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[size - 1 - i] = char((value >> (8 * i)) & 0xFF);
    bytes[0] = char(bytes[0] ^ 0x80);
    return bytes;
}

} // namespace

ParadoxBuilder::ParadoxBuilder(int versionId, int codePage, const QByteArray &sortOrder,
                               const QList<Field> &fields, int keyFields, int maxTableSize)
    : m_versionId(versionId), m_codePage(codePage), m_sortOrder(sortOrder), m_fields(fields),
      m_keyFields(keyFields), m_maxTableSize(maxTableSize)
{
    for (const Field &field : fields)
        m_recordSize += field.type == 0x17 ? 17 : field.size;
}

int ParadoxBuilder::addBlock(const QList<QByteArray> &records, const QByteArray &stale)
{
    m_blockRecords.append(records);
    m_blockStale.append(stale);
    return int(m_blockRecords.size());
}

QByteArray ParadoxBuilder::bytes() const
{
    const int headerSize = 0x800;
    const int n = int(m_fields.size());
    QList<int> chain = m_chain;
    if (chain.isEmpty())
        for (int i = 1; i <= m_blockRecords.size(); ++i)
            chain.append(i);
    int liveRecords = 0;
    for (int block : chain)
        liveRecords += int(m_blockRecords[block - 1].size());

    QByteArray header(headerSize, '\0');
    const bool dataHeader = m_versionId >= 5;
    putLe16(header, 0x00, m_recordSize);
    putLe16(header, 0x02, headerSize);
    header[0x04] = char(m_keyFields > 0 ? 0 : 2);
    header[0x05] = char(m_maxTableSize);
    putLe32(header, 0x06, std::uint32_t(m_headerRecordCount >= 0 ? m_headerRecordCount : liveRecords));
    putLe16(header, 0x0C, int(m_blockRecords.size()));
    putLe16(header, 0x0E, chain.isEmpty() ? 0 : chain.first());
    putLe16(header, 0x10, chain.isEmpty() ? 0 : chain.last());
    putLe16(header, 0x21, n);
    putLe16(header, 0x23, m_keyFields);
    putLe32(header, 0x25, dataHeader ? 0xFF00FF00u : 0u);
    header[0x39] = char(m_versionId);
    putLe32(header, 0x49, std::uint32_t(liveRecords + 1));
    const int base = dataHeader ? 0x78 : 0x58;
    if (dataHeader) {
        putLe16(header, 0x58, 0x0100 | m_versionId);
        putLe16(header, 0x5A, 0x0100 | m_versionId);
        putLe16(header, 0x6A, m_codePage);
    }
    for (int i = 0; i < n; ++i) {
        header[base + 2 * i] = char(m_fields[i].type);
        header[base + 2 * i + 1] = char(m_fields[i].size);
    }
    const int tableNameSize = m_versionId >= 0x0C ? 261 : 79;
    int at = base + 2 * n + 4 + 4 * n;
    header.replace(at, 5, "TABLO");
    at += tableNameSize;
    for (const Field &field : m_fields) {
        header.replace(at, int(field.name.size()), field.name);
        at += int(field.name.size()) + 1;
    }
    for (int i = 0; i < n; ++i) {
        putLe16(header, at, i + 1);
        at += 2;
    }
    header.replace(at, int(m_sortOrder.size()), m_sortOrder);

    QByteArray file = header;
    for (int b = 0; b < m_blockRecords.size(); ++b) {
        QByteArray block(blockSize(), '\0');
        const int position = int(chain.indexOf(b + 1));
        if (position >= 0) {
            putLe16(block, 0, position + 1 < chain.size() ? chain[position + 1] : 0);
            putLe16(block, 2, position > 0 ? chain[position - 1] : 0);
        }
        const auto &records = m_blockRecords[b];
        putLe16(block, 4, (int(records.size()) - 1) * m_recordSize);
        int offset = 6;
        for (const QByteArray &record : records) {
            Q_ASSERT(record.size() == m_recordSize);
            block.replace(offset, m_recordSize, record);
            offset += m_recordSize;
        }
        block.replace(offset, int(m_blockStale[b].size()), m_blockStale[b]);
        file += block;
    }
    return file;
}

QByteArray ParadoxBuilder::alpha(const QByteArray &text, int size)
{
    QByteArray bytes = text.left(size);
    bytes.append(QByteArray(size - int(bytes.size()), '\0'));
    return bytes;
}

QByteArray ParadoxBuilder::shortField(int value)
{
    return flippedBigEndian(std::uint16_t(std::int16_t(value)), 2);
}

QByteArray ParadoxBuilder::longField(std::int32_t value)
{
    return flippedBigEndian(std::uint32_t(value), 4);
}

QByteArray ParadoxBuilder::dateField(int year, int month, int day)
{
    return longField(std::int32_t(legacy::paradox::dayNumberFromDate({year, month, day})));
}

QByteArray ParadoxBuilder::doubleField(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    if (value >= 0)
        return flippedBigEndian(bits, 8);
    QByteArray bytes = flippedBigEndian(bits, 8);
    bytes[0] = char(bytes[0] ^ 0x80);
    for (auto &b : bytes)
        b = char(~b);
    return bytes;
}

QByteArray ParadoxBuilder::logicalField(bool value)
{
    return QByteArray(1, char(value ? 0x81 : 0x80));
}

QByteArray ParadoxBuilder::blobField(int size, const QByteArray &data, std::uint32_t offsetAndIndex,
                                     std::uint32_t length)
{
    const int leader = size - 10;
    QByteArray bytes = alpha(data, leader);
    bytes.append(QByteArray(10, '\0'));
    putLe32(bytes, leader, offsetAndIndex);
    putLe32(bytes, leader + 4, length == UINT32_MAX ? std::uint32_t(data.size()) : length);
    putLe16(bytes, leader + 8, 1);
    return bytes;
}

MemoBuilder::MemoBuilder()
    : m_bytes(4096, '\0')
{
    m_bytes[0] = 0; // header block
    putLe16(m_bytes, 1, 1);
}

std::uint32_t MemoBuilder::addSingle(const QByteArray &data)
{
    const int offset = int(m_bytes.size());
    const int chunks = (9 + int(data.size()) + 4095) / 4096;
    QByteArray block(chunks * 4096, '\0');
    block[0] = 2;
    putLe16(block, 1, chunks);
    putLe32(block, 3, std::uint32_t(data.size()));
    putLe16(block, 7, 1);
    block.replace(9, int(data.size()), data);
    m_bytes += block;
    return std::uint32_t(offset) | 0xFF;
}

QList<std::uint32_t> MemoBuilder::addSubAllocated(const QList<QByteArray> &blobs)
{
    const int offset = int(m_bytes.size());
    QByteArray block(4096, '\0');
    block[0] = 3;
    putLe16(block, 1, 1);
    QList<std::uint32_t> pointers;
    int paragraph = 0x15; // data starts after the 64 entries
    for (int i = 0; i < blobs.size(); ++i) {
        const QByteArray &blob = blobs[i];
        const int paragraphs = (int(blob.size()) + 15) / 16;
        const int entry = 0x0C + 5 * i;
        block[entry] = char(paragraph);
        block[entry + 1] = char(paragraphs);
        putLe16(block, entry + 2, 1);
        block[entry + 4] = char(blob.size() - (paragraphs - 1) * 16);
        block.replace(paragraph * 16, int(blob.size()), blob);
        pointers.append(std::uint32_t(offset) | std::uint32_t(i));
        paragraph += paragraphs;
    }
    m_bytes += block;
    return pointers;
}
