#include "text/systemerror.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace text {

std::string systemErrorReason(const std::error_code &error)
{
    if (error == std::errc::permission_denied || error == std::errc::operation_not_permitted)
        return "erişim izni yok";
    if (error == std::errc::read_only_file_system)
        return "disk salt okunur";
    if (error == std::errc::no_space_on_device)
        return "diskte yer kalmadı";
    if (error == std::errc::not_a_directory || error == std::errc::file_exists)
        return "yolda aynı adda bir dosya var";
    if (error == std::errc::is_a_directory)
        return "bu adda bir klasör var";
    if (error == std::errc::no_such_file_or_directory)
        return "klasör bulunamadı";
    if (error == std::errc::filename_too_long)
        return "yol çok uzun";
    return "sistem hatası " + std::to_string(error.value());
}


namespace {

std::string utf8(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

std::filesystem::path diskOf(const std::filesystem::path &path)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = fs::absolute(path, error);
    if (error)
        return {};
    while (!fs::exists(folder, error) && folder.has_relative_path())
        folder = folder.parent_path();
    if (!fs::exists(folder, error))
        return {};
#ifdef _WIN32
    return folder.root_path();
#else
    // POSIX, kept to this one place: a mount point is where the device
    // of the folders changes on the way up.
    struct stat here {};
    if (::stat(folder.c_str(), &here) != 0)
        return {};
    while (folder.has_relative_path()) {
        const fs::path parent = folder.parent_path();
        struct stat above {};
        if (::stat(parent.c_str(), &above) != 0 || above.st_dev != here.st_dev)
            break;
        folder = parent;
    }
    return folder;
#endif
}

std::string diskFullReason(const std::filesystem::path &path)
{
    std::filesystem::path disk = diskOf(path);
    if (disk.empty())
        return "diskte yer kalmadı";
    return "\"" + utf8(disk.make_preferred()) + "\" diskinde yer kalmadı";
}

} // namespace text
