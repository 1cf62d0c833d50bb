#include "app/CreateFilesTexts.h"
#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "backup/CharacteristicTransfer.h"
#include "catalogue/ModelTable.h"
#include "platform/FileTransaction.h"
#include "platform/History.h"
#include "platform/IniDocument.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

RcModeValues RcValuesOf(const RobotWeldTable& table) {
  return {table.Method(), table.WireDiameter(), table.GasKind(), table.WireKind(), table.Special()};
}

WpsModeValues WpsValuesOf(const RobotWeldTable& chosen) {
  return {1,
          chosen.RatedCurrent(),
          chosen.RatedVoltage(),
          chosen.Method(),
          chosen.WireDiameter(),
          chosen.GasKind(),
          chosen.WireKind(),
          chosen.Special()};
}

// The welder of kind 10 whose registration 1 gets the transfer: the first with "HX-U500P", else
// the last one; -1 when there is none.
int PickedKind10Welder(const std::array<WelderSlot, kWelderCount>& slots) {
  int picked = -1;
  for (int w = 0; w < kWelderCount; ++w) {
    const WelderSlot& slot = slots[static_cast<std::size_t>(w)];
    if (slot.WelderKind != 10) continue;
    picked = w;
    if (slot.WpsModel == 9) break;
  }
  return picked;
}

}  // namespace

std::optional<std::string> TForm1::HistoryFolderRoot() {
  return HistoryRoot([this](const std::string& name) { return platform_.Environment(name); });
}

bool TForm1::CheckRegistrations() {
  // The engineer is taken to the welder and registration to fix, as if they had chosen them.
  auto fail = [this](int welder, int registration, int textRow) {
    if (welder != CurrentWelder) {
      CurrentWelder = welder;
      C(Ctl::ComboBoxWelderNo).ItemIndex = welder;
      ShowWelder();
    }
    if (C(TabOf(registration)).Visible) C(Ctl::PageControlRejist).ActivePage = registration;
    ShowMessageBox(MessageKind::Error, UiText(textRow), UiText(40));
    return false;
  };
  for (int w = 0; w < kWelderCount; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    const int k = slot.WelderKind;
    if (k == 0 || k == 10 || slot.WpsModel == 0) continue;
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      if (slot.TableNumbers[r] == -1) continue;
      const int s = slot.SelectedModes[r];
      // A selection the current catalogue no longer holds counts as no selection at all.
      if (s < 0 || s >= static_cast<int>(slot.CatalogueTemplates.size())) {
        return fail(w, static_cast<int>(r), 39);
      }
      const RobotWeldTable& chosen = slot.CatalogueTemplates[static_cast<std::size_t>(s)];
      const std::vector<RobotWeldTable>* robot = nullptr;
      if (k == 9) robot = &slot.RobotTables148;
      if (k == 13 || k == 19) robot = &slot.RobotTables224;
      if (robot == nullptr) continue;
      const std::uint16_t robotMethod = r < robot->size() ? (*robot)[r].Method() : 0;
      if (robotMethod != chosen.Method()) return fail(w, static_cast<int>(r), 45);
    }
  }
  return true;
}

std::optional<RobotWeldTable> TForm1::TransferCharacteristicData(int welder,
                                                                 int registration) const {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const int k = slot.WelderKind;
  if (!HasTransferRecipe(k)) return std::nullopt;
  const auto r = static_cast<std::size_t>(registration);
  const int n = slot.TableNumbers[r];
  if (n == -1) return std::nullopt;
  const bool robotLong = IsLongRcTableKind(k);
  const auto& robotTables = robotLong ? slot.RobotTables224 : slot.RobotTables148;
  if (r >= robotTables.size()) return std::nullopt;

  TransferInputs in;
  in.welderKind = k;
  in.robotTable = &robotTables[r];
  in.wpsModel = slot.WpsModel;
  in.useRcWcd = slot.UseRcWcd;
  if (k != 10) {
    const int s = slot.SelectedModes[r];
    if (s < 0 || s >= static_cast<int>(slot.CatalogueTemplates.size()) ||
        s >= static_cast<int>(slot.CatalogueModes.size())) {
      return std::nullopt;
    }
    in.catalogueTemplate = &slot.CatalogueTemplates[static_cast<std::size_t>(s)];
    in.modeRecord = &slot.CatalogueModes[static_cast<std::size_t>(s)];
  }
  return BuildRevisedTable(in);
}

void TForm1::ButtonMakeConfigClick() {
  const std::string folder = C(Ctl::EditConfigFolder).Text;
  if (folder.empty()) {
    ShowMessageBox(MessageKind::Error, UiText(37), UiText(38));
    return;
  }
  if (!CheckRegistrations()) return;
  const std::string path = folder + "\\ZelSetUp.ini";
  if (FileExists(path) &&
      ShowMessageBox(MessageKind::Question, UiText(41), UiText(42)) != MessageAnswer::Yes) {
    return;
  }

  SetupFileValues values;
  values.controller = C(Ctl::RadioGroupRobotController).ItemIndex + 1;
  values.baudrateCan2 = SetupFileContent.BAUDRATE_CAN2;
  for (std::size_t w = 0; w < kWelderCount; ++w) {
    const WelderSlot& slot = Slots[w];
    values.registWelder[w] = slot.WelderKind;
    values.useRcWcd[w] = slot.UseRcWcd ? 1 : 0;
    values.modelCode[w] = ModelCode(slot.WpsModel);
    values.area[w] = slot.Area;
    const auto& robotTables =
        IsLongRcTableKind(slot.WelderKind) ? slot.RobotTables224 : slot.RobotTables148;
    for (std::size_t r = 0; r < kRegistrations; ++r) {
      // Without a robot-side record (no welder, or no backup loaded) the registration is empty.
      if (slot.TableNumbers[r] != -1 && r < robotTables.size()) {
        values.rc[w][r] = RcValuesOf(robotTables[r]);
      }
      if (slot.WelderKind == 10) {
        if (r == 0)
          values.wps[w][r] = {1, static_cast<std::uint16_t>(slot.WpsModel == 8 ? 350 : 500)};
        continue;
      }
      const int s = slot.SelectedModes[r];
      if (slot.TableNumbers[r] != -1 && s >= 0 &&
          s < static_cast<int>(slot.CatalogueTemplates.size())) {
        values.wps[w][r] = WpsValuesOf(slot.CatalogueTemplates[static_cast<std::size_t>(s)]);
      }
    }
  }

  // Everything is composed and every target examined before anything is written: the command
  // changes the setup file and all its tables, or nothing.
  FileTransaction files;
  if (const auto setup = files.Add(MapPath(path), false)) {
    IniDocument doc = IniDocument::Parse(files.OldContent(*setup));
    // Only the first copy of a key is ever read; older copies would sit beside the new values.
    doc.DropShadowedKeys(IsSetupFileKey);
    WriteSetupFile(doc, values);
    files.SetContent(*setup, doc.Serialize());
  }

  const int picked = PickedKind10Welder(Slots);
  for (int w = 0; w < kWelderCount; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    for (int r = 0; r < kRegistrations; ++r) {
      const auto ur = static_cast<std::size_t>(r);
      const bool transfer = slot.WelderKind == 10
                                ? w == picked && r == 0
                                : values.wps[static_cast<std::size_t>(w)][ur].ENABLED == 1;
      if (!transfer) continue;
      const auto revised = TransferCharacteristicData(w, r);
      if (!revised) continue;
      // Tables go back only where they were read from, and only when they were read whole: a
      // record rebuilt from zeros would destroy the robot's table.
      const std::string table = MapPath(LoadedBackupFolder + "\\WORK\\A_APPLICATION\\WELD\\$WTBD" +
                                        std::to_string(slot.TableNumbers[ur]));
      if (!slot.TableReadWhole[ur]) {
        files.AddIssue({table, FileProblem::NotReadWhole, {}});
        continue;
      }
      const auto entry = files.Add(table, true);
      if (!entry) continue;
      // A longer file keeps its bytes beyond the record.
      const auto bytes = revised->Bytes();
      std::string content(bytes.begin(), bytes.end());
      const std::string& old = files.OldContent(*entry);
      if (old.size() > content.size()) content += old.substr(content.size());
      files.SetContent(*entry, std::move(content));
    }
  }

  auto refuse = [this](const std::string& text) {
    ShowMessageBox(MessageKind::Error, text,
                   CreateFilesText(CreateText::ErrorCaption, LanguageIndex));
  };
  const std::string notCreated = CreateFilesText(CreateText::NotCreated, LanguageIndex);
  if (!files.Issues().empty())
    return refuse(ProblemList(notCreated, files.Issues(), LanguageIndex));
  const auto root = HistoryFolderRoot();
  if (!root) {
    return refuse(notCreated + "\n" + CreateFilesText(CreateText::NoHistoryFolder, LanguageIndex));
  }
  if (!files.KeepOriginals(*root, platform_.LocalTimestamp())) {
    return refuse(ProblemList(notCreated, files.Issues(), LanguageIndex));
  }

  const CommitOutcome outcome = files.Commit();
  if (!outcome.ok) {
    if (outcome.leftNew.empty()) {
      files.DiscardKept();
      refuse(ProblemList(notCreated, outcome.issues, LanguageIndex));
    } else {
      refuse(ProblemList(CreateFilesText(CreateText::LeftNew, LanguageIndex), outcome.issues,
                         LanguageIndex) +
             "\n\n" +
             FormatPath(CreateFilesText(CreateText::KeptIn, LanguageIndex), files.KeptFolder()));
    }
    RefreshRestoreOriginals();
    return;
  }
  RefreshRestoreOriginals();
  ShowMessageBox(
      MessageKind::Information,
      UiText(43) + "\n\n" +
          FormatPath(CreateFilesText(CreateText::KeptIn, LanguageIndex), files.KeptFolder()),
      UiText(44));
}

}  // namespace wisetup
