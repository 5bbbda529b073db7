#pragma once

#include <string>
#include <system_error>

namespace jet {

// Why a file operation failed, in Italian: the C library's own texts are English. Errors without a
// word of ours keep their number, so that the detail is not lost.
std::string systemReason(int error);
std::string systemReason(const std::error_code& error);

} // namespace jet
