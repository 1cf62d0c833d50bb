// SHA-256 of a byte string, for telling whether a file still holds what the tool wrote.
#pragma once

#include <string>
#include <string_view>

namespace wisetup {

// The digest as 64 lower-case hexadecimal digits.
std::string Sha256Hex(std::string_view data);

}  // namespace wisetup
