// The seam between the window model and the outside world: dialogs, message boxes and facts about
// the running process. Qt implements it for the real window, the scenario driver with a scripted
// fake.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/FileIo.h"

namespace wisetup {

enum class MessageKind { Error, Question, Information };

// The locale identifier of Japanese (Japan), the one that chooses Japanese texts.
inline constexpr int kJapaneseLcid = 1041;
enum class MessageAnswer { Ok, Yes, No };

// A text for the engineer to read, keep and hand on (the preview and the report of Create Files):
// shown in a dialog of its own that can copy it, save it, print it and export it as PDF. Every
// caption comes in the active language.
struct DocumentView {
  std::string title;
  std::string text;
  std::string fileName;  // suggested name for saving, without folder or extension
  std::string copyCaption, saveCaption, printCaption, pdfCaption, closeCaption;
  std::string textFilter, pdfFilter;  // "description (*.ext)"
  std::string cannotWrite;            // "%s" the path, when saving fails
  std::vector<std::string> heading;   // what heads the first page on paper
  std::string pageFormat;             // "%1" the page, "%2" the pages: every page on paper
  std::string savedFormat;            // "%1" the path: said when a file was written
  std::string copiedFormat;           // "%1" the number of lines copied
};

// A document on paper: each section starts on a new page with its heading lines; every page
// carries its number and the number of pages.
struct PaperSection {
  std::vector<std::string> heading;
  std::string text;
};
struct PaperDocument {
  std::string title;
  std::vector<PaperSection> sections;
  std::string pageFormat;  // "%1" the page, "%2" the pages
};

class Platform {
 public:
  virtual ~Platform() = default;

  // A modal message box owned by the main window. Error and information boxes return Ok; a
  // question box returns Yes or No.
  virtual MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                                    const std::string& caption) = 0;

  // The application's standard error display, for errors that escape a handler.
  virtual void ShowApplicationError(const std::string& text) = 0;

  // A modal folder chooser showing `prompt`, with `preselect` selected when it names an existing
  // folder. Returns the chosen absolute folder, or nothing when the user cancelled.
  virtual std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                                     const std::string& preselect) = 0;

  // A modal file-open dialog. `filter` is "description|pattern". Returns the chosen file or
  // nothing.
  virtual std::optional<std::string> OpenFile(const std::string& initialFolder,
                                              const std::string& filter) = 0;

  // OpenFile with a title of its own; without one the toolkit's default title is shown.
  virtual std::optional<std::string> OpenFileTitled(const std::string& initialFolder,
                                                    const std::string& filter,
                                                    const std::string& title) {
    (void)title;
    return OpenFile(initialFolder, filter);
  }

  // A modal save dialog opened at `initialPath` (a folder and a proposed file name). `filter` as
  // for OpenFile. The dialog itself asks before an existing file is chosen. Returns the chosen
  // file or nothing. Without a window there is nothing to choose with.
  virtual std::optional<std::string> SaveFile(const std::string& initialPath,
                                              const std::string& filter) {
    (void)initialPath;
    (void)filter;
    return std::nullopt;
  }

  // A question whose default button is No, for a step that is easy to take by mistake.
  virtual MessageAnswer AskDefaultNo(const std::string& text, const std::string& caption) {
    return ShowMessage(MessageKind::Question, text, caption);
  }

  // The user's default locale identifier (1041 is Japanese, Japan).
  virtual int UserDefaultLcid() = 0;

  // Full path of the running executable.
  virtual std::string ExecutablePath() = 0;

  // Ends the process at once with `code` (the Exit button). Settings have been saved already.
  virtual void ExitProcess(int code) = 0;

  // An environment variable of the running process; nothing when it is not set.
  virtual std::optional<std::string> Environment(const std::string& name);

  // The local time as "YYYYMMDD-HHMMSS", for naming what the tool keeps.
  virtual std::string LocalTimestamp();

  // Shows `view` modally. Without a window nothing is shown.
  virtual void ShowDocument(const DocumentView& view) { (void)view; }

  // Writes `document` as a PDF file at `path`, whole or not at all (an existing file stays as it
  // was when writing fails). Without a toolkit that can draw pages it fails with CannotWrite.
  virtual FileStatus WritePdf(const PaperDocument& document, const std::string& path);

  // The windowing toolkit and its version, for the About box; empty without one.
  virtual std::string ToolkitVersion() { return {}; }
};

}  // namespace wisetup
