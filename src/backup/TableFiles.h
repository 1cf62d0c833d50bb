// Reading a fixed-size record (a robot-side welding table or a catalogue mode record) from the
// start of a file named by a tool path. Which message a failure shows is the caller's business.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/FileIo.h"

namespace wisetup {

// Fills `target` with the first target.size() bytes of the file at `toolPath`, tried first as
// written (separators normalised) and then through MapPath. OpenFailed for an empty path or a file
// that cannot be opened, ReadFailed for one that holds fewer bytes or cannot be read. On failure
// `target` is left as it was.
[[nodiscard]] FileStatus ReadRecordFile(const std::string& toolPath,
                                        std::span<std::uint8_t> target);

}  // namespace wisetup
