#include "cli/LinePdf.h"

#include "app/ChangeTexts.h"
#include "app/CreateFilesTexts.h"
#include "cli/CliTexts.h"
#include "storage/History.h"

namespace wisetup {

PaperDocument LineDocument(const std::string& title, const std::vector<std::string>& facts,
                           const std::vector<LineEntry>& entries, CommandContext& context) {
  const int language = context.language;
  PaperDocument document;
  document.title = title;
  document.pageFormat = ChangeTextOf(ChangeText::PageOf, language);
  PaperSection front;
  front.heading.push_back(title);
  front.heading.push_back(FillText(ChangeTextOf(ChangeText::ReportTime, language),
                                   {RunTimeText(context.platform.LocalTimestamp())}));
  front.heading.insert(front.heading.end(), facts.begin(), facts.end());
  for (const LineEntry& entry : entries) front.text += entry.line + "\n";
  document.sections.push_back(std::move(front));
  for (const LineEntry& entry : entries) document.sections.push_back(entry.report);
  return document;
}

bool WriteLinePdf(const PaperDocument& document, const std::string& path, CommandContext& context) {
  const FileStatus written = context.platform.WritePdf(document, path);
  if (written.ok()) return true;
  std::string why = ReasonText(written.code, context.language);
  if (!written.reason.empty()) why += " (" + written.reason + ")";
  // The error stream keeps one line whatever the system's words hold.
  for (char& c : why) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  context.err << FillText(CliTextOf(CliText::PdfNotWritten, context.language), {path, why}) << "\n";
  return false;
}

}  // namespace wisetup
