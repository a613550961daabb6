#include "oldfolder.h"

#include <QHash>

namespace oldfolder {

QByteArray cp857(const QString &text)
{
    static const QHash<QChar, char> upper = {
        {u'Ç', char(0x80)}, {u'Ğ', char(0xA6)}, {u'İ', char(0x98)}, {u'ı', char(0x8D)},
        {u'Ö', char(0x99)}, {u'Ş', char(0x9E)}, {u'Ü', char(0x9A)}, {u'ç', char(0x87)},
        {u'ğ', char(0xA7)}, {u'ö', char(0x94)}, {u'ş', char(0x9F)}, {u'ü', char(0x81)},
    };
    QByteArray bytes;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? char(c.unicode()) : upper.value(c, '?');
    return bytes;
}

QList<ParadoxBuilder::Field> customerLedgerFields(int statusWidth)
{
    return {{"OTO_SN", 0x16, 4},        {"CEK_CIROLU", 0x09, 1},   {"CIRO_EDEN", 0x01, 40},
            {"VADE_TARIHI", 0x02, 4},   {"CEK_TUTARI", 0x05, 8},   {"CEK_NUMARASI", 0x01, 30},
            {"HESAPSAHIBI", 0x01, 40},  {"BANKASI", 0x01, 30},     {"SUBESI", 0x01, 30},
            {"HESAPNO", 0x01, 30},      {"CEK_DURUM", 0x01, statusWidth}, {"TAHSIL_BANKA", 0x01, 30},
            {"TAHSIL_SUBE", 0x01, 30},  {"KIME_CIRO", 0x01, 40},   {"ACIKLAMA", 0x0C, 210}};
}

TableFiles customerLedger(const QList<CustomerCheque> &cheques, int statusWidth, const QByteArray &rawHolder)
{
    const auto fields = customerLedgerFields(statusWidth);
    ParadoxBuilder builder(0x0C, 857, "turk", fields, 1, 32);
    MemoBuilder memo;
    // One record's room is left for the stale copy.
    const int perBlock = (builder.blockSize() - 6) / builder.recordSize() - 1;
    QList<QByteArray> records;
    const auto flush = [&] {
        if (!records.isEmpty())
            builder.addBlock(records, records.first());
        records.clear();
    };
    for (const CustomerCheque &c : cheques) {
        const auto a = [](const QString &text, int size) { return ParadoxBuilder::alpha(cp857(text), size); };
        QByteArray record = ParadoxBuilder::longField(c.number);
        record += ParadoxBuilder::logicalField(c.endorsed);
        record += a(c.endorser, 40);
        record += c.due.isValid() ? ParadoxBuilder::dateField(c.due.year(), c.due.month(), c.due.day())
                                  : ParadoxBuilder::nullField(4);
        record += ParadoxBuilder::doubleField(c.amount);
        record += a(c.chequeNumber, 30);
        record += !rawHolder.isEmpty() && &c == &cheques.first() ? ParadoxBuilder::alpha(rawHolder, 40)
            : a(c.holder, 40);
        record += a(c.bank, 30) + a(c.branch, 30) + a(c.account, 30) + a(c.status, statusWidth);
        record += a(c.collectingBank, 30) + a(c.collectingBranch, 30) + a(c.endorsedTo, 40);
        const QByteArray note = cp857(c.note);
        if (note.isEmpty())
            record += ParadoxBuilder::nullField(210);
        else if (note.size() <= 200)
            record += ParadoxBuilder::blobField(210, note, 0);
        else
            record += ParadoxBuilder::blobField(210, note, memo.addSingle(note));
        records << record;
        if (records.size() == perBlock)
            flush();
    }
    flush();
    return {builder.bytes(), memo.bytes()};
}

QByteArray alphaTable(const QList<ParadoxBuilder::Field> &fields, const QList<QStringList> &rows, int keyFields)
{
    ParadoxBuilder builder(0x0C, 857, "turk", fields, keyFields);
    const int perBlock = (builder.blockSize() - 6) / builder.recordSize();
    QList<QByteArray> records;
    for (const QStringList &row : rows) {
        QByteArray record;
        for (int i = 0; i < fields.size(); ++i)
            record += ParadoxBuilder::alpha(cp857(row.value(i)), fields[i].size);
        records << record;
        if (records.size() == perBlock) {
            builder.addBlock(records);
            records.clear();
        }
    }
    if (!records.isEmpty() || rows.isEmpty())
        builder.addBlock(records);
    return builder.bytes();
}

} // namespace oldfolder
