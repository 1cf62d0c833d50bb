// TForm1, the main window model: it owns every piece of state of the running tool and the state
// record of every control. Each user action reaches one of its handlers; views only mirror the
// control records. Handlers are defined in app/, in files named for what they handle.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "app/ChangeTexts.h"
#include "app/Controls.h"
#include "app/Overview.h"
#include "app/Settings.h"
#include "app/UiTexts.h"
#include "changes/ChangeList.h"
#include "platform/BaseDirs.h"
#include "platform/FileIo.h"
#include "platform/LockFile.h"
#include "platform/Platform.h"
#include "records/ModelIndex.h"
#include "records/WelderKinds.h"
#include "selections/Selections.h"
#include "setupfile/SetupFormat.h"
#include "storage/FileTransaction.h"
#include "survey/RegistrationState.h"
#include "survey/SetupOrigin.h"

namespace wisetup {

// An error that ends the running handler and is shown by the application's error display.
class HandlerError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct WelderSlot {
  int WelderKind = kNotRegistered;
  std::array<int, kRegistrations> TableNumbers{};
  // Whether the load read the registration's table file whole; only such a table is rewritten.
  std::array<bool, kRegistrations> TableReadWhole{};
  // The whole table file as this window last read or wrote it; empty when unknown. A file that no
  // longer holds it was written by someone else and is not overwritten.
  std::array<std::string, kRegistrations> TableSeen;
  std::vector<RobotWeldTable> RobotTables148;
  std::vector<RobotWeldTable> RobotTables224;
  std::array<std::string, kRegistrations> RobotModeTexts;
  std::vector<RobotWeldTable> CatalogueTemplates;
  std::vector<WpsModeRecord> CatalogueModes;
  // Per catalogue entry, in step with the two above: whether its companion record was read whole
  // (only such data are transferred), and the companion's native path, to name it when not.
  std::vector<bool> CatalogueModesReadWhole;
  std::vector<std::string> CatalogueModePaths;
  // The file name of each template, to find a saved selection again.
  std::vector<std::string> CatalogueNames;
  void ClearCatalogueSequences() {
    CatalogueTemplates.clear();
    CatalogueModes.clear();
    CatalogueModesReadWhole.clear();
    CatalogueModePaths.clear();
    CatalogueNames.clear();
  }
  int WpsModel = Index(ModelIndex::None);
  int Area = 0;
  std::array<int, kRegistrations> SelectedModes{};
  bool UseRcWcd = false;
};

struct WindowPlacement {
  int Left = SettingRowOf(Setting::Left).fallback;
  int Top = SettingRowOf(Setting::Top).fallback;
  int Width = SettingRowOf(Setting::Width).fallback;
  int Height = SettingRowOf(Setting::Height).fallback;
  bool Maximized = SettingRowOf(Setting::Maximized).fallback != 0;
};

class TForm1 {
 public:
  explicit TForm1(Platform& platform);

  // --- state -------------------------------------------------------------------------------------
  std::array<WelderSlot, kWelders> Slots;
  int CurrentWelder = 0;
  int RatedCurrent = 0;
  RobotWeldTable WorkTable148{TableForm::Short};
  RobotWeldTable WorkTable224{TableForm::Long};
  WpsModeRecord WorkModeRecord;
  ::wisetup::SetupFileContent SetupFileContent;
  int LanguageIndex = 0;
  bool ViewMode = false;  // false: normal, true: reference
  WindowPlacement Placement;
  std::array<ControlState, kControlCount> Controls;
  bool ContentShown = false;  // a backup has been loaded or a setup file read
  // The folder the loaded tables came from; the tables are only ever written back where they were
  // read.
  std::string LoadedBackupFolder;
  // The folder a selections file was last saved in or applied from.
  std::string SelectionsFolder;
  // The setup file read in reference mode.
  std::string ReferenceSetupFile;
  bool CatalogueMissingShown = false;  // the missing catalogue is reported once per session
  // The control the engineer needs next, when a handler stopped on something to fix there; the
  // view gives it the keyboard once the handler has ended. Ctl::Count: where the focus was.
  Ctl FocusNext = Ctl::Count;
  bool Closed = false;      // the window has been closed
  bool Terminated = false;  // the process has been ended by the Exit button
  // What the last preview showed, and the report last opened; for the views to read (the scenario
  // driver prints them) and to clear.
  std::optional<ChangeList> ShownChanges;
  std::string ShownChangesText;  // the same as the preview's text
  std::string ShownSetupNote;    // where the setup file the preview shows came from
  // What the last Create Files did, for a front without a window to read.
  struct CreateOutcome {
    enum class State { Refused, Created, LeftPartNew } state = State::Refused;
    std::size_t files = 0;  // the files the run wrote
    std::string keptFolder;
    std::string report;  // empty when none was written
  };
  CreateOutcome LastCreate;
  // The batch the runs of Create Files belong to (a headless apply's); empty in the window.
  std::string BatchName;
  // What putting a run back did.
  struct UndoOutcome {
    enum class State { Restored, ChangedSince, Failed } state = State::Failed;
    std::size_t restored = 0;          // files that hold their previous content again
    std::size_t removed = 0;           // files the run had created, removed again
    std::vector<std::string> changed;  // files changed since the run, left as they are
    std::string failure;               // what went wrong, as the error box says it
    bool marked = true;                // the run is recorded as undone
  };
  // Puts back the files of `run` that hold what it wrote, all or none. With `whole`, a run with a
  // file changed since is left as it is.
  UndoOutcome RestoreRun(const HistoryRun& run, bool whole);
  // The backup folder a run was made from, as the undo names it.
  static std::string BackupOfRun(const HistoryRun& run);
  // Where the setup file at `setupFile` came from, when that is another backup than the one
  // loaded.
  std::optional<SetupOrigin> OtherBackupOrigin(const std::string& setupFile);
  std::string ShownReport;
  // The lines of the comparison last shown (MenuCompare).
  std::vector<std::string> ShownComparison;
  // The overview window is open; the views show it while this holds, and clear it on closing it.
  bool OverviewOpen = false;

  // For a front without a window that hands documents on as paper: the last preview (from
  // ShownChanges) or else the report of the last Create Files, under the heading the dialog
  // prints; nothing when there is neither.
  std::optional<PaperSection> ShownPaper() const;

  ControlState& C(Ctl c) { return Controls[static_cast<std::size_t>(c)]; }
  const ControlState& C(Ctl c) const { return Controls[static_cast<std::size_t>(c)]; }

  // --- start and stop (Mainunit.cpp) -------------------------------------------------------------
  void ResetWelderState();
  void FormShow();
  void FormClose();
  void ButtonEndClick();

  // --- texts and messages (Mainunit.cpp) ---------------------------------------------------------
  std::string UiText(TextRow row) const;
  MessageAnswer ShowMessageBox(MessageKind kind, const std::string& text,
                               const std::string& caption);

  // --- settings (Settings.cpp) -------------------------------------------------------------------
  // The file beside the executable: its path with the extension replaced by ".INI".
  std::string SettingsPath() const;
  // SettingsPath() on disk: in the executable's folder as it stands, the name in any letter case.
  std::string PortableSettingsPath() const;
  // The settings file in use: SettingsPath() when it, or its folder, can be written and the
  // executable lies outside the system folders; otherwise wisetup/wisetup.INI in the user's
  // configuration folder (SettingsPath() again when there is none: read, but never written in a
  // system folder).
  std::string SettingsLocation() const;
  void LoadSettings();
  void SaveSettings();  // throws HandlerError when the file cannot be written

  // --- folders (Folders.cpp) ---------------------------------------------------------------------
  bool BrowseForFolder(const std::string& preselect, const std::string& purpose,
                       std::string& chosen);
  void ClickSetupFolder();

  // --- language (Language.cpp) -------------------------------------------------------------------
  // `senderTag` is the tag of the language menu item (N5: 1, N6: 0); nothing at start-up.
  void EachLanguageClick(std::optional<int> senderTag);
  bool ApplyLanguage(int language);

  // --- help and drops (Help.cpp) -----------------------------------------------------------------
  void MenuAboutClick();
  // Paths dropped on the window from a file manager: one folder is taken like a backup folder
  // chosen with N1; anything else is refused with a message.
  void DropFolders(const std::vector<std::string>& paths);

  // --- record files (TableFileHandlers.cpp) ------------------------------------------------------
  // Read into the work buffers, which are cleared first; a failure shows its message and returns
  // false with the buffer left zeroed.
  bool ReadRcWeldTable(const std::string& path, bool longForm);
  bool ReadWpsModeRecord(const std::string& path);
  // ReadRcWeldTable of a robot-side table that may be rewritten later: read whole once, with the
  // whole file kept in `seen` (empty when it was not read whole without a link). A name
  // that is not there as written is looked up ignoring letter case, as MapPath does.
  bool ReadWholeTable(const FolderReader& weld, const std::string& name, bool longForm,
                      std::string& seen);
  // The readers' open-failure message for a file that is not even tried, named by its native path
  // as it stands (no look-up on disk).
  void ShowCannotOpen(const std::string& nativePath);

  // --- the backup (BackupHandlers.cpp) -----------------------------------------------------------
  void ClickBackupFolder();
  // The part of ClickBackupFolder after the browser: shows `folder`, checks that it holds a backup
  // and loads it.
  void LoadBackupFolder(const std::string& folder);
  std::string RcWelderKindName(int kind) const;
  void ShowRcWelderState();

  // --- catalogue and selections (CatalogueHandlers.cpp, SelectionHandlers.cpp) -------------------
  // The catalogue folder found first among CatalogueSearchFolders (with a trailing separator), or
  // nothing when none exists. A folder given by the headless commands' --catalogue comes first.
  std::string CatalogueRoot() const;
  std::string CatalogueGiven;
  // Off for a look that only reads: a line's audit leaves no lock file behind.
  bool LocksBackup = true;
  void UpdateRatedCurrent(int welder);
  void ClearCatalogue(int welder);
  void LoadCatalogue(int welder);
  void ComboBoxWelderNoChange();
  void ComboBoxWpsWelderChange();
  void ComboBoxAreaChange();
  void ComboBoxWpsWModeChange(Ctl sender);
  void CheckBoxUseRcWCDClick();
  void ShowWelder();

  // --- Create Files and its history (CreateFilesHandlers.cpp, HistoryHandlers.cpp) ---------------
  void ButtonMakeConfigClick();
  // Whether the window holds a backup loaded from its folder (a setup file read back is none);
  // otherwise the box that says so has been shown.
  bool CheckBackupLoaded();
  bool CheckRegistrations();
  // The revised table of one registration, or nothing when it gets no transfer.
  std::optional<RobotWeldTable> TransferCharacteristicData(int welder, int registration) const;
  // What Create Files would write, shown without writing anything.
  void ButtonPreviewClick();
  // Opens the newest report of a Create Files; MenuShowReport is enabled while there is one.
  void MenuShowReportClick();
  void RefreshShowReport();
  // Puts back the files of the newest Create Files run that is not undone yet.
  void MenuRestoreOriginalsClick();
  // MenuRestoreOriginals is enabled while there is a run to undo.
  void RefreshRestoreOriginals();
  // At start-up: a Create Files that was stopped half-way (its files part old, part new) is offered
  // to be put back.
  void CheckInterruptedRun();

  // --- selections files (SelectionsFileHandlers.cpp)
  // ----------------------------------------------
  void MenuSaveSelectionsClick();
  void MenuApplySelectionsClick();
  // The items that need a backup loaded in normal mode (MenuCompare among them); saving is also
  // enabled in reference mode.
  void RefreshSelectionsMenu();
  // The choices made for the loaded backup, as a selections file keeps them; in reference mode,
  // those of the setup file read (its registrations whose mode was found in the catalogue).
  Selections CurrentSelections() const;
  // Whether registration r of welder w is one a selections file speaks of: it has a table, or in
  // reference mode the setup file enables it.
  bool HasRegistration(int welder, int registration) const;
  // Such registrations without a mode found (0-based welder and registration).
  std::vector<std::pair<int, int>> RegistrationsWithoutMode() const;
  // The selections in the file at `path`; nothing, with the reason in the current language in
  // `reason`, when it cannot be read or is refused.
  std::optional<Selections> ReadSelectionsFile(const std::string& path, std::string& reason) const;
  // Makes every choice of `selections` on the loaded backup through the selection handlers, as the
  // engineer would, and returns what could not be applied; everything else is applied. Asks
  // nothing.
  std::vector<MatchProblem> ApplySelections(const Selections& selections);

  // --- comparing with another backup (CompareHandlers.cpp) ---------------------------------------
  // Asks for another backup folder and shows how the loaded backup, as it is on disk now, differs
  // from it. Writes nothing and changes no choice.
  void MenuCompareClick();
  // --- the overview (OverviewHandlers.cpp) ------------------------------------------------------
  // What is known of a registration for its state; in reference mode from the setup file read.
  RegistrationFacts FactsOf(int welder, int registration) const;
  // Every registration that has a table, with its state, and the counts; nothing before a backup
  // is loaded or a setup file read.
  Overview ComputeOverview() const;
  void MenuOverviewClick();
  // Shows that welder and registration tab, as if the engineer had chosen them.
  void GoToRegistration(int welder, int registration);

  // --- reference mode (SetupFileHandlers.cpp) ----------------------------------------------------
  void ClickReadConfig();
  void RecheckWelderModels();
  void MatchChosenModes();
  int FindCatalogueEntry(int welder, const WpsModeValues& values) const;

  // --- for the views -----------------------------------------------------------------------------
  // Runs a handler as the event loop would: an error that escapes it is shown by the
  // application's error display and the model keeps the state the handler had reached.
  void RunHandler(const std::function<void()>& handler);
  // Whether a user could act on the control now: it and every parent enabled and visible (a
  // registration control also needs its tab shown).
  bool IsUsable(Ctl c) const;

 private:
  void ApplyCaptions(int language);
  void SetLanguageList(Ctl list, const std::array<UiTextPair, 4>& items, int language);
  void SaveSettingsOnExit();
  void RenderRobotTexts(const std::string& backupFolder);
  void RenderSetupTexts();
  // The process environment as the platform gives it, for the base directory lookups.
  EnvironmentLookup Environment() const;
  // Whether the settings may be kept beside the executable: it lies outside the system folders.
  bool PortableSettings() const;
  FileStatus ReadSettingsSource(const std::string& location, std::string& content) const;
  void SelectStoredModes(int welder);
  // The steps of LoadCatalogue: the message that no catalogue folder exists (once a run), and the
  // mode record of a template that was taken, read from its companion in `folder` (when
  // `companion` names one) or left blank.
  void ShowCatalogueMissing();
  void AddCatalogueMode(WelderSlot& slot, const std::string& folder,
                        const std::string& templateName,
                        const std::optional<std::string>& companion);
  std::optional<std::string> HistoryFolderRoot();
  // Puts back the files of `run` that hold what it wrote and reports as the undo does.
  void PutRunBack(const HistoryRun& run);
  // The steps of LoadBackupFolder: the configuration's welder kinds and table numbers (nothing,
  // with the message shown, when the folder holds no readable backup), and the robot-side tables.
  struct BackupConfig {
    std::vector<int> kinds;
    std::array<std::vector<int>, kWelders> tables;
  };
  std::optional<BackupConfig> ReadBackupConfig(const std::string& folder);
  void ReadRobotTables(const std::string& folder);
  // Takes the lock of the backup just loaded; tells the engineer when another window holds it.
  void LockLoadedBackup();
  // After saving: names what was left out of the file (in reference mode the registrations whose
  // mode was not found, else the modes chosen where no table is registered).
  void ReportModesLeftOut();
  bool HasOverviewRow(int welder, int registration) const;
  std::string OverviewHeading(int welder) const;
  // The last step of ClickReadConfig.
  void ShowReferenceWelders();
  // The steps of ButtonMakeConfigClick. Prepare runs every check and composes every file; a refusal
  // has been shown when it gives nothing. The overwrite question is asked only when `askOverwrite`.
  std::optional<FileTransaction> PrepareCreateFiles(bool askOverwrite);
  SetupFileValues ComposeSetupValues() const;
  void AddRevisedTables(FileTransaction& files, const SetupFileValues& values) const;
  // For characteristic data that could not be read: the registrations and modes that need each
  // file, and what the engineer can do; empty when no such file is among `issues`.
  std::string CompanionAdvice(const std::vector<FileStatus>& issues) const;
  bool CommitCreateFiles(FileTransaction& files);
  // The loaded tables that `files` wrote (and did not remove) now hold what it gave them.
  void NoteTableContents(const FileTransaction& files);
  // The preview and the report (PreviewHandlers.cpp).
  ChangeList ChangesOf(const FileTransaction& files) const;
  // The chosen mode's text of a registration; empty when none is chosen.
  std::string ChosenModeText(int welder, int registration) const;
  // Modes chosen on registrations that have no table (Create Files does not use them), as the
  // registration's name and the mode's text.
  std::vector<std::pair<std::string, std::string>> ModesWithoutTable() const;
  // The folders, the tables' registrations and the unused modes that head a change list.
  ChangeHeading HeadingOfChanges() const;
  std::string ReportText(const ChangeList& changes) const;
  // The preview's line under the setup file: made from another backup, and when; else empty.
  std::string SetupFileNote(const std::string& setupFile);
  // Writes report.txt into the kept folder of a run that completed; the reason when it cannot.
  std::optional<std::string> WriteReport(const FileTransaction& files, const ChangeList& changes);
  // `what` names the document in its proposed file name ("preview", "report").
  DocumentView DocumentOf(const std::string& title, const std::string& text,
                          const std::string& what) const;

  Platform& platform_;
  // Held for the loaded backup, so that another window loading it is told.
  FolderLock backupLock_;
};

}  // namespace wisetup
