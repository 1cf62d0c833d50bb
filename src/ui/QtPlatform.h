// The Platform of the real window: Qt message boxes and file dialogs owned by the main window, and
// the facts of the running process as Qt sees them.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

class QFileDialog;

#include "platform/Platform.h"

namespace wisetup {

class QtPlatform : public Platform {
 public:
  // The window that owns every box and dialog; until it is set they have no parent.
  void SetOwner(QWidget* owner) { owner_ = owner; }
  // Runs just before a modal box or dialog opens, so the window behind it shows the model's
  // current state rather than the state of the last finished handler.
  void SetBeforeModal(std::function<void()> hook) { beforeModal_ = std::move(hook); }
  // The window's active language, for the names of the dialogs' own parts; English until set.
  void SetLanguage(std::function<int()> language) { language_ = std::move(language); }

  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            const std::string& caption) override;
  MessageAnswer AskDefaultNo(const std::string& text, const std::string& caption) override;
  void ShowApplicationError(const std::string& text) override;
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string& preselect) override;
  // Accepts only a file that exists.
  std::optional<std::string> OpenFile(const std::string& initialFolder,
                                      const std::string& filter) override;
  std::optional<std::string> OpenFileTitled(const std::string& initialFolder,
                                            const std::string& filter,
                                            const std::string& title) override;
  // Qt's own dialog asks before an existing file is replaced.
  std::optional<std::string> SaveFile(const std::string& initialPath,
                                      const std::string& filter) override;
  int UserDefaultLcid() override;
  std::string ExecutablePath() override;
  // Leaves the event loop with `code`; the caller's handler still runs to its end.
  void ExitProcess(int code) override;
  std::string ToolkitVersion() override;
  void ShowDocument(const DocumentView& view) override;
  FileStatus WritePdf(const PaperDocument& document, const std::string& path) override;

  // Sets up `dialog` as the file-open dialog runs it, short of opening it.
  static void PrepareOpenDialog(QFileDialog& dialog, const std::string& filter);

 private:
  void BeforeModal() const;
  int Language() const { return language_ ? language_() : 1; }

  QPointer<QWidget> owner_;
  std::function<void()> beforeModal_;
  std::function<int()> language_;
};

// "description|pattern[|description|pattern...]" as Qt name filters, "description (pattern)",
// the patterns shown as written. Several patterns in one entry are separated by ';'. The dialog
// matches them regardless of letter case.
QStringList NameFiltersOf(const std::string& filter);

}  // namespace wisetup
