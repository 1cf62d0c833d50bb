// A document on paper: pages drawn in the fixed-pitch font, each section starting on a new page
// under its heading, every page numbered "page n of N". The print and the PDF of the preview and
// the report use it, and so can anything that hands on a whole line's documents in one file.
#pragma once

#include <string>

#include <QFont>
#include <QString>

#include "platform/FileIo.h"
#include "platform/Platform.h"

class QPagedPaintDevice;

namespace wisetup {

// Draws `document` onto `device`, from its current page on.
void PaintPaper(const PaperDocument& document, const QFont& font, QPagedPaintDevice& device);

// Writes `document` as a PDF at `path` through a temporary file that replaces it only when the
// whole document is written: a failure leaves no partial file and says the system's reason.
FileStatus WritePaperPdf(const PaperDocument& document, const QFont& font, const QString& path);

// WritePaperPdf in the registration font, for a caller without a window: the toolkit is started
// off-screen when no application runs yet.
FileStatus WritePdfFile(const PaperDocument& document, const std::string& path);

}  // namespace wisetup
