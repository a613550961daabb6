#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace exporting {

// A file written through a large buffer, remembering the first write error so
// that writers check once, at the end, instead of after every cell.
class OutputBuffer
{
public:
    OutputBuffer() = default;
    ~OutputBuffer();
    OutputBuffer(const OutputBuffer &) = delete;
    OutputBuffer &operator=(const OutputBuffer &) = delete;

    // Creates (or truncates) the file. Returns false and sets errorString() on failure.
    bool open(const QString &path);

    void append(const char *data, qsizetype size);
    void append(QByteArrayView bytes) { append(bytes.data(), bytes.size()); }
    void append(char c)
    {
        m_buffer.append(c);
        if (m_buffer.size() >= flushSize)
            flush();
    }
    void appendUtf8(const QString &text) { append(text.toUtf8()); }

    // Writes out the buffer and closes the file. Returns false when any write
    // since open() failed (disk full, device gone); errorString() says why.
    bool close();
    bool failed() const { return !m_error.isEmpty(); }
    const QString &errorString() const { return m_error; }

private:
    static constexpr qsizetype flushSize = 1 << 18;
    void flush();

    QFile m_file;
    QByteArray m_buffer;
    QString m_error;
};

} // namespace exporting
