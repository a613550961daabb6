#include "text/systemerror.h"

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

} // namespace text
