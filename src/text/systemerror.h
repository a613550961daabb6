#pragma once

#include <string>
#include <system_error>

namespace text {

// Why the system refused a file or a folder, in Turkish, for messages that
// name the path themselves: "erişim izni yok", "diskte yer kalmadı".
// An error without a Turkish wording gives "sistem hatası <number>".
std::string systemErrorReason(const std::error_code &error);

} // namespace text
