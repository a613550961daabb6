#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>

// Writes small Paradox table and memo files byte by byte, as Paradox lays them
// out, so tests can make the tables they need (and break them on purpose).
class ParadoxBuilder
{
public:
    struct Field
    {
        QByteArray name; // in the table's code page
        std::uint8_t type = 0x01;
        int size = 0;
    };

    // versionId 3..12; codePage 0 writes none (version 3 tables never store one).
    ParadoxBuilder(int versionId, int codePage, const QByteArray &sortOrder, const QList<Field> &fields,
                   int keyFields = 0, int maxTableSize = 2);

    int recordSize() const { return m_recordSize; }
    int blockSize() const { return m_maxTableSize * 0x400; }

    // Appends a data block holding records (each recordSize() bytes), followed
    // by stale bytes (left behind by deleted records), to the file. Returns its number.
    int addBlock(const QList<QByteArray> &records, const QByteArray &stale = {});
    // The chain of blocks, first to last; by default the blocks in the order added.
    void setChain(const QList<int> &chain) { m_chain = chain; }
    // Overrides the record count the header states; by default the records of the chain.
    void setHeaderRecordCount(int count) { m_headerRecordCount = count; }

    QByteArray bytes() const;

    // Record field encodings.
    static QByteArray alpha(const QByteArray &text, int size);
    static QByteArray shortField(int value);
    static QByteArray longField(std::int32_t value);
    static QByteArray dateField(int year, int month, int day);
    static QByteArray doubleField(double value);
    static QByteArray logicalField(bool value);
    static QByteArray nullField(int size) { return QByteArray(size, '\0'); }
    // A BLOB field of size leader + 10: the leader holds the start of data.
    static QByteArray blobField(int size, const QByteArray &data, std::uint32_t offsetAndIndex,
                                std::uint32_t length = UINT32_MAX);

private:
    int m_versionId;
    int m_codePage;
    QByteArray m_sortOrder;
    QList<Field> m_fields;
    int m_keyFields;
    int m_maxTableSize;
    int m_recordSize = 0;
    int m_headerRecordCount = -1;
    QList<QList<QByteArray>> m_blockRecords;
    QList<QByteArray> m_blockStale;
    QList<int> m_chain;
};

// Writes a memo (.MB) file: a header block, then single-blob and sub-allocated blocks.
class MemoBuilder
{
public:
    MemoBuilder();

    // Adds a single-blob block holding data; returns the record's offset|index dword.
    std::uint32_t addSingle(const QByteArray &data);
    // Adds a sub-allocated block holding the blobs; returns their dwords.
    QList<std::uint32_t> addSubAllocated(const QList<QByteArray> &blobs);

    QByteArray bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};
