#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace text {

// Why the system refused a file or a folder, in Turkish, for messages that
// name the path themselves: "erişim izni yok", "diskte yer kalmadı".
// An error without a Turkish wording gives "sistem hatası <number>".
std::string systemErrorReason(const std::error_code &error);

// The disk a path lives on, as its user knows it: the drive on Windows
// ("C:\"), the mount point elsewhere ("/media/usb"). The path need not exist;
// its nearest existing folder decides. Empty when no part of it exists.
std::filesystem::path diskOf(const std::filesystem::path &path);

// Why a write to path failed on a full disk, naming the disk:
// "\"/media/usb\" diskinde yer kalmadı".
std::string diskFullReason(const std::filesystem::path &path);

} // namespace text
