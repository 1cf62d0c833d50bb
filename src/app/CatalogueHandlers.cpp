#include "app/Mainunit.h"
#include "app/ShellTexts.h"
#include "app/UiTexts.h"
#include "catalogue/CatalogueFolder.h"
#include "catalogue/ConditionText.h"
#include "catalogue/ModelTable.h"
#include "platform/PathMap.h"

namespace wisetup {

std::string TForm1::CatalogueRoot() const {
  if (!CatalogueGiven.empty()) return CatalogueGiven + "/";
  for (const std::string& place :
       CatalogueSearchFolders(platform_.ExecutablePath(), Environment())) {
    if (FolderExists(place)) return place + "/";
  }
  return {};
}

void TForm1::UpdateRatedCurrent(int welder) {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  if (const auto rated = RatedCurrentOf(ModelIndexOf(slot.WpsModel), slot.Area))
    RatedCurrent = *rated;
}

void TForm1::ClearCatalogue(int welder) {
  if (welder == CurrentWelder) {
    for (int r = 0; r < kRegistrations; ++r) {
      C(ComboBoxWpsWModeOf(r)).Items.clear();
      C(ComboBoxWpsWModeOf(r)).ItemIndex = -1;
    }
  }
  WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  slot.ClearCatalogueSequences();
}

void TForm1::LoadCatalogue(int welder) {
  WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const ModelIndex model = ModelIndexOf(slot.WpsModel);
  if (model == ModelIndex::None) return;
  const auto family = FamilyFolder(model);
  const auto area = AreaFolder(model, slot.Area);
  if (!family || !area) return;
  slot.ClearCatalogueSequences();
  if (!HasCatalogue(model)) return;

  const std::string root = CatalogueRoot();
  if (root.empty()) {
    ShowCatalogueMissing();
    return;
  }
  // The folder is listed once and every companion found in that listing, so that the listing
  // stays linear whatever the letter case of the names.
  std::string folder = MapPath(root, *family + *area);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const bool edited = welder == CurrentWelder;
  const CatalogueListing listing = ListCatalogueFolder(folder);
  slot.CatalogueTemplates.reserve(listing.templates.size());
  slot.CatalogueModes.reserve(listing.templates.size());
  slot.CatalogueModesReadWhole.reserve(listing.templates.size());
  slot.CatalogueModePaths.reserve(listing.templates.size());
  slot.CatalogueNames.reserve(listing.templates.size());
  for (const std::string& name : listing.templates) {
    if (!ReadRcWeldTable(folder + name, true)) break;
    if (WorkTable224.RatedCurrent() != RatedCurrent) continue;
    if (edited) {
      const std::string text =
          MakeConditionText(WorkTable224, ModelCode(model), true, LanguageIndex);
      for (int r = 0; r < kRegistrations; ++r) C(ComboBoxWpsWModeOf(r)).Items.push_back(text);
    }
    slot.CatalogueTemplates.push_back(WorkTable224);
    slot.CatalogueNames.push_back(name);
    AddCatalogueMode(slot, folder, name, listing.companions.Find(name));
  }
}

void TForm1::ShowCatalogueMissing() {
  // Without this the lists would stay empty with no hint of why; once is enough to know.
  if (CatalogueMissingShown) return;
  CatalogueMissingShown = true;
  std::string places;
  for (const std::string& place :
       CatalogueSearchFolders(platform_.ExecutablePath(), Environment())) {
    places += (places.empty() ? "" : "\n") + place;
  }
  ShowMessageBox(MessageKind::Error,
                 FormatPath(ShellTextOf(ShellText::CatalogueMissing, LanguageIndex), places),
                 ShellTextOf(ShellText::CatalogueMissingCaption, LanguageIndex));
}

void TForm1::AddCatalogueMode(WelderSlot& slot, const std::string& folder,
                              const std::string& templateName,
                              const std::optional<std::string>& companion) {
  const std::string path = folder + companion.value_or(CompanionName(templateName));
  bool readWhole = false;
  if (companion) {
    readWhole = ReadWpsModeRecord(path);
  } else {
    // Missing, or several entries match it ignoring letter case and none exactly: which one is
    // meant cannot be told, so none is read.
    WorkModeRecord = WpsModeRecord();
    ShowCannotOpen(path);
  }
  slot.CatalogueModes.push_back(WorkModeRecord);
  slot.CatalogueModesReadWhole.push_back(readWhole);
  slot.CatalogueModePaths.push_back(path);
}

}  // namespace wisetup
