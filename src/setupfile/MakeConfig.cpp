#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "catalogue/ModelTable.h"
#include "platform/FileIo.h"
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

}  // namespace

void TForm1::ButtonMakeConfigClick() {
  const std::string folder = C(Ctl::EditConfigFolder).Text;
  if (folder.empty()) {
    ShowMessageBox(MessageKind::Error, UiText(37), UiText(38));
    return;
  }
  if (!CheckRegistrations()) return;
  const std::string path = folder + "\\ZelSetUp.ini";
  const std::string nativePath = MapPath(path);
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

  // The whole file is composed first and replaces the old one in one step, so a folder that
  // cannot be written leaves neither a half-written setup file nor any rewritten table. An
  // existing file that cannot be read is not replaced: its foreign content would be lost.
  std::string existing;
  if (FileExists(path) && !ReadWholeFile(nativePath, existing)) {
    throw HandlerError(FormatPath(TextOf(kCannotWriteText, LanguageIndex), ShownPath(path)));
  }
  IniDocument doc = IniDocument::Parse(existing);
  // Only the first copy of a key is ever read; older copies would sit beside the new values.
  doc.DropShadowedKeys(IsSetupFileKey);
  WriteSetupFile(doc, values);
  if (!doc.Save(nativePath)) {
    throw HandlerError(FormatPath(TextOf(kCannotWriteText, LanguageIndex), ShownPath(path)));
  }

  int picked = -1;
  for (int w = 0; w < kWelderCount; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    if (slot.WelderKind != 10) continue;
    if (slot.WpsModel == 9) {
      picked = w;
      break;
    }
    picked = w;
  }
  for (int w = 0; w < kWelderCount; ++w) {
    for (int r = 0; r < kRegistrations; ++r) {
      if (Slots[static_cast<std::size_t>(w)].WelderKind == 10) {
        if (w == picked && r == 0) TransferCharacteristicData(w, r);
      } else if (values.wps[static_cast<std::size_t>(w)][static_cast<std::size_t>(r)].ENABLED ==
                 1) {
        TransferCharacteristicData(w, r);
      }
    }
  }
  ShowMessageBox(MessageKind::Information, UiText(43), UiText(44));
}

}  // namespace wisetup
