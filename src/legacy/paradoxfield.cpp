#include "legacy/paradoxfield.h"

namespace legacy {

bool isKnownFieldType(std::uint8_t code)
{
    switch (code) {
    case 0x01: case 0x02: case 0x03: case 0x04: case 0x05: case 0x06: case 0x09:
    case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x10:
    case 0x14: case 0x15: case 0x16: case 0x17: case 0x18:
        return true;
    default:
        return false;
    }
}

bool isBlobType(FieldType type)
{
    switch (type) {
    case FieldType::Memo:
    case FieldType::Blob:
    case FieldType::FormattedMemo:
    case FieldType::Ole:
    case FieldType::Graphic:
        return true;
    default:
        return false;
    }
}

int fixedSize(FieldType type)
{
    switch (type) {
    case FieldType::Short: return 2;
    case FieldType::Date:
    case FieldType::Long:
    case FieldType::Time:
    case FieldType::AutoInc: return 4;
    case FieldType::Money:
    case FieldType::Number:
    case FieldType::Timestamp: return 8;
    case FieldType::Logical: return 1;
    case FieldType::Bcd: return 17;
    default: return 0;
    }
}

int storedSize(FieldType type, int declaredSize)
{
    return type == FieldType::Bcd ? 17 : declaredSize;
}

const char *fieldTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Alpha: return "Alpha";
    case FieldType::Date: return "Date";
    case FieldType::Short: return "Short";
    case FieldType::Long: return "Long";
    case FieldType::Money: return "Money";
    case FieldType::Number: return "Number";
    case FieldType::Logical: return "Logical";
    case FieldType::Memo: return "Memo";
    case FieldType::Blob: return "Binary";
    case FieldType::FormattedMemo: return "Formatted memo";
    case FieldType::Ole: return "OLE";
    case FieldType::Graphic: return "Graphic";
    case FieldType::Time: return "Time";
    case FieldType::Timestamp: return "Timestamp";
    case FieldType::AutoInc: return "AutoInc";
    case FieldType::Bcd: return "BCD";
    case FieldType::Bytes: return "Bytes";
    }
    return "?";
}

} // namespace legacy
