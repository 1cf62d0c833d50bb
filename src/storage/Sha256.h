// SHA-256 of a byte string, for telling whether a file still holds what the tool wrote.
#pragma once

#include <string>
#include <string_view>

namespace wisetup {

// The digest as 64 lower-case hexadecimal digits, with the processor's SHA instructions where it
// has them (every run hashes what it keeps and writes).
std::string Sha256Hex(std::string_view data);
// The same without them, so that both ways are checked on any machine.
std::string Sha256HexPortable(std::string_view data);

}  // namespace wisetup
