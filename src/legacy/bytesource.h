#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

namespace legacy {

// Read-only random access to the bytes of one file, or of a buffer standing in
// for one (tests, fuzzing). Every read is checked against the size: nothing is
// ever read outside the source.
class ByteSource
{
public:
    virtual ~ByteSource() = default;

    // The number of bytes in the source.
    virtual std::uint64_t size() const = 0;

    // Copies length bytes from offset into out. Returns false, copying nothing
    // useful, when the range does not lie inside the source or the read fails.
    virtual bool read(std::uint64_t offset, std::size_t length, void *out) = 0;

    // True when [offset, offset + length) lies inside the source; overflow-safe.
    bool contains(std::uint64_t offset, std::uint64_t length) const
    {
        return offset <= size() && length <= size() - offset;
    }

    // Opens the file for reading; nullptr when it cannot be opened.
    static std::unique_ptr<ByteSource> openFile(const std::filesystem::path &path);
    // A source over a copy of bytes.
    static std::unique_ptr<ByteSource> fromBytes(std::string bytes);
};

} // namespace legacy
