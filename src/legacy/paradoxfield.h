#pragma once

#include <cstdint>
#include <string>

namespace legacy {

// The type codes a Paradox table stores in its field descriptors.
enum class FieldType : std::uint8_t {
    Alpha = 0x01,         // code-page text, padded with zero bytes
    Date = 0x02,          // day number, 0001-01-01 is day 1
    Short = 0x03,         // 16-bit integer
    Long = 0x04,          // 32-bit integer
    Money = 0x05,         // double
    Number = 0x06,        // double
    Logical = 0x09,       // one byte
    Memo = 0x0C,          // text in the memo file, leader in the record
    Blob = 0x0D,          // binary data in the memo file
    FormattedMemo = 0x0E, // formatted text in the memo file, kept as bytes
    Ole = 0x0F,           // OLE object in the memo file
    Graphic = 0x10,       // picture in the memo file
    Time = 0x14,          // milliseconds since midnight
    Timestamp = 0x15,     // double, milliseconds since day 0 of the date numbering
    AutoInc = 0x16,       // 32-bit integer assigned by Paradox
    Bcd = 0x17,           // 17 bytes of packed decimal digits
    Bytes = 0x18,         // raw bytes
};

// True for the codes listed in FieldType.
bool isKnownFieldType(std::uint8_t code);

// True for the types whose record part is a pointer into the memo file.
bool isBlobType(FieldType type);

// The bytes a field takes in a record: the declared size, except BCD, whose
// declared size is its number of decimals and which always takes 17 bytes.
int storedSize(FieldType type, int declaredSize);

// The stored size every field of a fixed-layout type has (Date 4, Short 2, ...,
// BCD 17), or 0 for the types whose size is declared per field (Alpha, Bytes, BLOBs).
int fixedSize(FieldType type);

// A short name of the type for messages ("Alpha", "Date", ...).
const char *fieldTypeName(FieldType type);

struct FieldDescriptor
{
    std::string name; // UTF-8, decoded from the table's code page
    FieldType type = FieldType::Alpha;
    int size = 0;     // as declared: characters for Alpha, leader + 10 for BLOBs, decimals for BCD
    int offset = 0;   // where the field starts inside a record
};

} // namespace legacy
