#include "app/Mainunit.h"
#include "backup/CharacteristicTransfer.h"

namespace wisetup {

void TForm1::TransferCharacteristicData(int welder, int registration) {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const int k = slot.WelderKind;
  if (!HasTransferRecipe(k)) return;
  const auto r = static_cast<std::size_t>(registration);
  const int n = slot.TableNumbers[r];
  if (n == -1) return;
  const bool robotLong = IsLongRcTableKind(k);
  const auto& robotTables = robotLong ? slot.RobotTables224 : slot.RobotTables148;
  if (r >= robotTables.size()) return;

  TransferInputs in;
  in.welderKind = k;
  in.robotTable = &robotTables[r];
  in.wpsModel = slot.WpsModel;
  in.useRcWcd = slot.UseRcWcd;
  if (k != 10) {
    const int s = slot.SelectedModes[r];
    if (s < 0 || s >= static_cast<int>(slot.CatalogueTemplates.size()) ||
        s >= static_cast<int>(slot.CatalogueModes.size())) {
      return;
    }
    in.catalogueTemplate = &slot.CatalogueTemplates[static_cast<std::size_t>(s)];
    in.modeRecord = &slot.CatalogueModes[static_cast<std::size_t>(s)];
  }
  const auto revised = BuildRevisedTable(in);
  if (!revised) return;
  const bool longForm = revised->Form() == TableForm::Long;
  (longForm ? WorkTable224 : WorkTable148) = *revised;
  WriteRcWeldTable(LoadedBackupFolder + "\\WORK\\A_APPLICATION\\WELD\\$WTBD" + std::to_string(n),
                   longForm);
}

}  // namespace wisetup
