#include "legacy/bytesource.h"

#include <cstring>
#include <fstream>

namespace legacy {

namespace {

class FileSource final : public ByteSource
{
public:
    FileSource(std::ifstream stream, std::uint64_t size)
        : m_stream(std::move(stream)), m_size(size) {}

    std::uint64_t size() const override { return m_size; }

    bool read(std::uint64_t offset, std::size_t length, void *out) override
    {
        if (!contains(offset, length))
            return false;
        m_stream.clear();
        m_stream.seekg(static_cast<std::streamoff>(offset));
        m_stream.read(static_cast<char *>(out), static_cast<std::streamsize>(length));
        return static_cast<std::size_t>(m_stream.gcount()) == length;
    }

private:
    std::ifstream m_stream;
    std::uint64_t m_size;
};

class MemorySource final : public ByteSource
{
public:
    explicit MemorySource(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::uint64_t size() const override { return m_bytes.size(); }

    bool read(std::uint64_t offset, std::size_t length, void *out) override
    {
        if (!contains(offset, length))
            return false;
        if (length > 0)
            std::memcpy(out, m_bytes.data() + offset, length);
        return true;
    }

private:
    std::string m_bytes;
};

} // namespace

std::unique_ptr<ByteSource> ByteSource::openFile(const std::filesystem::path &path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return nullptr;
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return nullptr;
    return std::make_unique<FileSource>(std::move(stream), size);
}

std::unique_ptr<ByteSource> ByteSource::fromBytes(std::string bytes)
{
    return std::make_unique<MemorySource>(std::move(bytes));
}

} // namespace legacy
