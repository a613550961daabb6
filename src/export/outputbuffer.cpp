#include "export/outputbuffer.h"

namespace exporting {

OutputBuffer::~OutputBuffer()
{
    if (m_file.isOpen())
        m_file.close();
}

bool OutputBuffer::open(const QString &path)
{
    m_file.setFileName(path);
    m_error.clear();
    m_buffer.clear();
    m_buffer.reserve(flushSize + 4096);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_error = m_file.errorString();
        return false;
    }
    return true;
}

void OutputBuffer::append(const char *data, qsizetype size)
{
    m_buffer.append(data, size);
    if (m_buffer.size() >= flushSize)
        flush();
}

void OutputBuffer::flush()
{
    if (m_buffer.isEmpty())
        return;
    if (m_error.isEmpty() && m_file.write(m_buffer) != m_buffer.size())
        m_error = m_file.errorString();
    m_buffer.clear();
}

bool OutputBuffer::close()
{
    flush();
    if (m_file.isOpen()) {
        if (m_error.isEmpty() && !m_file.flush())
            m_error = m_file.errorString();
        m_file.close();
        if (m_error.isEmpty() && m_file.error() != QFileDevice::NoError)
            m_error = m_file.errorString();
    }
    return m_error.isEmpty();
}

} // namespace exporting
