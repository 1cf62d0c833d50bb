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

#include "platform/Platform.h"

namespace wisetup {

class QtPlatform : public Platform {
 public:
  // The window that owns every box and dialog; until it is set they have no parent.
  void SetOwner(QWidget* owner) { owner_ = owner; }
  // Runs just before a modal box or dialog opens, so the window behind it shows the model's
  // current state rather than the state of the last finished handler.
  void SetBeforeModal(std::function<void()> hook) { beforeModal_ = std::move(hook); }

  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            const std::string& caption) override;
  void ShowApplicationError(const std::string& text) override;
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string& preselect) override;
  // Also accepts a typed name of a file that does not exist.
  std::optional<std::string> OpenFile(const std::string& initialFolder,
                                      const std::string& filter) override;
  int UserDefaultLcid() override;
  std::string ExecutablePath() override;
  // Leaves the event loop with `code`; the caller's handler still runs to its end.
  void ExitProcess(int code) override;

 private:
  void BeforeModal() const;

  QPointer<QWidget> owner_;
  std::function<void()> beforeModal_;
};

// "description|pattern[|description|pattern...]" as Qt name filters whose patterns match file
// names regardless of letter case ("ZelSetUp.Ini" becomes "[Zz][Ee][Ll]...[Ii]"). Several
// patterns in one entry are separated by ';'.
QStringList NameFiltersOf(const std::string& filter);

// The wildcard `pattern` with every letter turned into a bracket of its two cases.
QString CaseFreePattern(const QString& pattern);

}  // namespace wisetup
