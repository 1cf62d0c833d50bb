// A whole line's handover in one PDF: a first page with the date, what the command was given and
// one line per backup, then each backup's own pages from a new page under their heading. A command
// makes one `LineEntry` per backup and writes the document after its run; a PDF that cannot be
// written is said in one line and leaves no partial file.
#pragma once

#include <string>
#include <vector>

#include "cli/Command.h"
#include "platform/Platform.h"

namespace wisetup {

struct LineEntry {
  std::string line;     // the backup's line on the first page
  PaperSection report;  // its own pages
};

// The first page is headed by `title`, the date and `facts`, and lists each entry's line.
PaperDocument LineDocument(const std::string& title, const std::vector<std::string>& facts,
                           const std::vector<LineEntry>& entries, CommandContext& context);

// Writes `document` at `path` through the platform; when it cannot, says why in one line on the
// error stream and returns false.
bool WriteLinePdf(const PaperDocument& document, const std::string& path, CommandContext& context);

// The exit status of a command whose run gave `status`: a PDF not written is an error of its own
// when nothing else failed.
inline int StatusWithPdf(int status, bool written) {
  return written || status != 0 ? status : kExitUsage;
}

}  // namespace wisetup
