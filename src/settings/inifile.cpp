#include "inifile.h"

#include "wholenumber.h"

#include "text/systemerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <algorithm>

namespace settings {

namespace {

// Windows-1254 bytes 0x80..0x9F; 0xFFFD where the code page has no character.
constexpr char16_t kCp1254High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0xFFFD, 0x0178,
};

// Above 0x9F Windows-1254 is Latin-1 except for six Turkish letters.
constexpr struct
{
    unsigned char byte;
    char16_t letter;
} kCp1254Turkish[] = {
    {0xD0, u'Ğ'}, {0xDD, u'İ'}, {0xDE, u'Ş'}, {0xF0, u'ğ'}, {0xFD, u'ı'}, {0xFE, u'ş'},
};

QString decodeCp1254(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        char16_t c = b;
        if (b >= 0x80 && b < 0xA0) {
            c = kCp1254High[b - 0x80];
        } else {
            for (const auto &turkish : kCp1254Turkish) {
                if (turkish.byte == b)
                    c = turkish.letter;
            }
        }
        out.append(QChar(c));
    }
    return out;
}

QString decodeLine(const QByteArray &raw)
{
    const bool ascii = std::all_of(raw.cbegin(), raw.cend(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii)
        return QString::fromLatin1(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(raw);
    if (utf8.hasError())
        return decodeCp1254(raw);
    return text;
}

bool holdsLineBreak(const QString &text)
{
    return text.contains(u'\n') || text.contains(u'\r');
}

bool writableSectionName(const QString &name)
{
    return !name.isEmpty() && name == name.trimmed() && !holdsLineBreak(name) &&
           !name.contains(u']');
}

bool writableKey(const QString &key)
{
    return !key.isEmpty() && key == key.trimmed() && !holdsLineBreak(key) && !key.contains(u'=') &&
           !key.startsWith(u'[') && !key.startsWith(u';') && !key.startsWith(u'#');
}

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);

} // namespace

IniFile::IniFile(const QString &path)
    : m_path(path)
{}

void IniFile::clear()
{
    m_lines.clear();
    m_lineEnding = LineEnding::CrLf;
    m_byteOrderMark = false;
    m_finalLineBreak = true;
}

IniFile::Status IniFile::failure(Status::Code code) const
{
    const QString file = QDir::toNativeSeparators(m_path);
    Status status;
    status.code = code;
    switch (code) {
    case Status::Code::Ok:
        break;
    case Status::Code::Missing:
        status.message = QStringLiteral("\"%1\" dosyası bulunamadı.").arg(file);
        break;
    case Status::Code::TooLarge:
        status.message = QStringLiteral("\"%1\" dosyası bir ayar dosyası için fazla büyük "
                                        "(%2 MB üstü); dosya okunmadı.")
                             .arg(file)
                             .arg(MaxFileSize / (1024 * 1024));
        break;
    case Status::Code::ReadFailed:
        status.message = QStringLiteral("\"%1\" dosyası okunamadı.").arg(file);
        break;
    case Status::Code::WriteFailed:
        status.message =
            QStringLiteral("\"%1\" dosyasına yazılamadı; dosya olduğu gibi bırakıldı.").arg(file);
        break;
    case Status::Code::DiskFull:
        status.message = QStringLiteral("\"%1\" dosyasına yazılamadı: %2; dosya olduğu gibi bırakıldı.")
                             .arg(file, QString::fromStdString(text::diskFullReason(
                                            QFileInfo(m_path).absoluteDir().filesystemAbsolutePath())));
        break;
    }
    return status;
}

IniFile::Status IniFile::load()
{
    clear();
    const QFileInfo info(m_path);
    if (m_path.isEmpty() || !info.exists())
        return failure(Status::Code::Missing);
    if (info.isDir())
        return failure(Status::Code::ReadFailed);
    if (info.size() > MaxFileSize)
        return failure(Status::Code::TooLarge);

    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(Status::Code::ReadFailed);
    // Read one byte past the limit: the size seen above may be stale or, for
    // special files, zero.
    const QByteArray data = file.read(MaxFileSize + 1);
    if (file.error() != QFileDevice::NoError)
        return failure(Status::Code::ReadFailed);
    if (data.size() > MaxFileSize)
        return failure(Status::Code::TooLarge);

    setData(data);
    return {};
}

void IniFile::setData(const QByteArray &input)
{
    clear();
    QByteArray data = input;
    if (data.startsWith(kUtf8Bom)) {
        m_byteOrderMark = true;
        data.remove(0, kUtf8Bom.size());
    } else if (data.startsWith("\xFF\xFE") || data.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(data.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                         : QStringDecoder::Utf16BE);
        m_byteOrderMark = true;
        const QString text = utf16(QByteArrayView(data).sliced(2));
        data = text.toUtf8();
    }

    const qsizetype firstBreak = data.indexOf('\n');
    if (firstBreak >= 0)
        m_lineEnding =
            (firstBreak > 0 && data.at(firstBreak - 1) == '\r') ? LineEnding::CrLf : LineEnding::Lf;
    m_finalLineBreak = data.isEmpty() || data.endsWith('\n');

    m_lines.reserve(data.count('\n') + 1);
    qsizetype start = 0;
    while (start < data.size()) {
        qsizetype end = data.indexOf('\n', start);
        const qsizetype next = end < 0 ? data.size() : end + 1;
        if (end < 0)
            end = data.size();
        qsizetype lineEnd = end;
        if (lineEnd > start && data.at(lineEnd - 1) == '\r')
            --lineEnd;
        m_lines.append(parseLine(data.sliced(start, lineEnd - start)));
        start = next;
    }
}

IniFile::Line IniFile::parseLine(const QByteArray &raw)
{
    Line line;
    line.raw = raw;
    const QString trimmed = decodeLine(raw).trimmed();

    if (trimmed.isEmpty()) {
        line.kind = Line::Kind::Blank;
    } else if (trimmed.startsWith(u';') || trimmed.startsWith(u'#')) {
        line.kind = Line::Kind::Comment;
    } else if (trimmed.startsWith(u'[')) {
        const qsizetype close = trimmed.indexOf(u']');
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = trimmed.mid(1, close - 1).trimmed();
        }
    } else {
        const qsizetype eq = trimmed.indexOf(u'=');
        if (eq > 0) {
            line.name = trimmed.left(eq).trimmed();
            if (!line.name.isEmpty()) {
                line.kind = Line::Kind::Key;
                line.value = trimmed.mid(eq + 1).trimmed();
            }
        }
    }
    return line;
}

IniFile::Line IniFile::keyLine(const QString &key, const QString &value)
{
    Line line;
    line.kind = Line::Kind::Key;
    line.name = key;
    line.value = value;
    line.raw = (key + u'=' + value).toUtf8();
    return line;
}

QByteArray IniFile::data() const
{
    const QByteArray eol = m_lineEnding == LineEnding::CrLf ? QByteArray("\r\n") : QByteArray("\n");
    QByteArray out;
    if (m_byteOrderMark)
        out += kUtf8Bom;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        out += m_lines.at(i).raw;
        if (i + 1 < m_lines.size() || m_finalLineBreak)
            out += eol;
    }
    return out;
}

IniFile::Status IniFile::save() const
{
    const QFileInfo info(m_path);
    if (m_path.isEmpty() || info.isDir())
        return failure(Status::Code::WriteFailed);
    // A file the user marked read-only stays untouched, although replacing it
    // through its folder would succeed on some systems.
    if (info.exists() && !info.isWritable())
        return failure(Status::Code::WriteFailed);

    // Unbuffered: a write the disk refuses fails right here. Buffered, the
    // refusal would come at the commit's flush, where QSaveFile (Qt 6.4)
    // loses it and puts the cut-off text in place of the old file.
    QSaveFile file(m_path);
    const auto refused = [&file, this] {
        const bool full = file.error() == QFileDevice::ResourceError;
        file.cancelWriting();
        return failure(full ? Status::Code::DiskFull : Status::Code::WriteFailed);
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return refused();
    const QByteArray bytes = data();
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError)
        return refused();
    if (!file.commit())
        return failure(file.error() == QFileDevice::ResourceError ? Status::Code::DiskFull
                                                                  : Status::Code::WriteFailed);
    return {};
}

qsizetype IniFile::findSection(const QString &section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == Line::Kind::Section && asciiEqualsIgnoreCase(line.name, section))
            return i;
    }
    return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const
{
    qsizetype i = header + 1;
    while (i < m_lines.size() && m_lines.at(i).kind != Line::Kind::Section)
        ++i;
    return i;
}

QStringList IniFile::sections() const
{
    QStringList names;
    for (const Line &line : m_lines) {
        if (line.kind == Line::Kind::Section)
            names.append(line.name);
    }
    return names;
}

bool IniFile::hasSection(const QString &section) const
{
    return findSection(section) >= 0;
}

std::optional<QString> IniFile::value(const QString &section, const QString &key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == Line::Kind::Key && asciiEqualsIgnoreCase(line.name, key))
            return line.value;
    }
    return std::nullopt;
}

QList<IniFile::Entry> IniFile::entries(const QString &section) const
{
    QList<Entry> result;
    const qsizetype header = findSection(section);
    if (header < 0)
        return result;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line &line = m_lines.at(i);
        if (line.kind == Line::Kind::Key)
            result.append({line.name, line.value});
    }
    return result;
}

QStringList IniFile::sectionLines(const QString &section) const
{
    QStringList result;
    const qsizetype header = findSection(section);
    if (header < 0)
        return result;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i)
        result.append(decodeLine(m_lines.at(i).raw));
    return result;
}

bool IniFile::setValue(const QString &section, const QString &key, const QString &value)
{
    if (!writableSectionName(section) || !writableKey(key) || holdsLineBreak(value))
        return false;
    const QString trimmedValue = value.trimmed();

    qsizetype header = findSection(section);
    if (header < 0) {
        Line headerLine;
        headerLine.kind = Line::Kind::Section;
        headerLine.name = section;
        headerLine.raw = (u'[' + section + u']').toUtf8();
        m_lines.append(headerLine);
        m_lines.append(keyLine(key, trimmedValue));
        return true;
    }

    const qsizetype end = sectionEnd(header);
    qsizetype insertAt = header + 1;
    for (qsizetype i = header + 1; i < end; ++i) {
        Line &line = m_lines[i];
        if (line.kind != Line::Kind::Key)
            continue;
        if (asciiEqualsIgnoreCase(line.name, key)) {
            line = keyLine(line.name, trimmedValue);
            return true;
        }
        insertAt = i + 1;
    }
    m_lines.insert(insertAt, keyLine(key, trimmedValue));
    return true;
}

bool IniFile::removeKey(const QString &section, const QString &key)
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return false;
    const auto first = m_lines.begin() + header + 1;
    const auto last = m_lines.begin() + sectionEnd(header);
    const auto kept = std::remove_if(first, last, [&key](const Line &line) {
        return line.kind == Line::Kind::Key && asciiEqualsIgnoreCase(line.name, key);
    });
    const bool removed = kept != last;
    m_lines.erase(kept, last);
    return removed;
}

void IniFile::clearSection(const QString &section)
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return;
    const auto first = m_lines.begin() + header + 1;
    const auto last = m_lines.begin() + sectionEnd(header);
    const auto kept =
        std::remove_if(first, last, [](const Line &line) { return line.kind == Line::Kind::Key; });
    m_lines.erase(kept, last);
}

} // namespace settings
