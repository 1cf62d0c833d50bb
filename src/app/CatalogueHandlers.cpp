#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "catalogue/CatalogueFolder.h"
#include "catalogue/ConditionText.h"
#include "catalogue/ModelTable.h"
#include "platform/PathMap.h"

namespace wisetup {

std::string TForm1::CatalogueRoot() const {
  for (const std::string& place :
       CatalogueSearchFolders(platform_.ExecutablePath(), Environment())) {
    if (FolderExists(place)) return place + "/";
  }
  return {};
}

void TForm1::UpdateRatedCurrent(int welder) {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  if (const auto rated = RatedCurrentOf(slot.WpsModel, slot.Area)) RatedCurrent = *rated;
}

void TForm1::ClearCatalogue(int welder) {
  if (welder == CurrentWelder) {
    for (int r = 0; r < kRegistrations; ++r) {
      C(ComboBoxWpsWModeOf(r)).Items.clear();
      C(ComboBoxWpsWModeOf(r)).ItemIndex = -1;
    }
  }
  WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  slot.CatalogueTemplates.clear();
  slot.CatalogueModes.clear();
}

void TForm1::LoadCatalogue(int welder) {
  WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const int model = slot.WpsModel;
  if (model <= Index(ModelIndex::None) || model >= kModelCount) return;
  const auto family = FamilyFolder(model);
  const auto area = AreaFolder(model, slot.Area);
  if (!family || !area) return;
  slot.CatalogueTemplates.clear();
  slot.CatalogueModes.clear();
  if (!HasCatalogue(model)) return;

  const std::string root = CatalogueRoot();
  if (root.empty()) {
    // Without this the lists would stay empty with no hint of why; once is enough to know.
    if (!CatalogueMissingShown) {
      CatalogueMissingShown = true;
      std::string places;
      for (const std::string& place :
           CatalogueSearchFolders(platform_.ExecutablePath(), Environment())) {
        places += (places.empty() ? "" : "\n") + place;
      }
      ShowMessageBox(MessageKind::Error,
                     FormatPath(TextOf(kCatalogueMissingText, LanguageIndex), places),
                     TextOf(kCatalogueMissingCaption, LanguageIndex));
    }
    return;
  }
  const std::string folder = MapPath(root, *family + *area);
  const bool edited = welder == CurrentWelder;
  const std::vector<std::string> names = ListTemplateEntries(folder);
  slot.CatalogueTemplates.reserve(names.size());
  slot.CatalogueModes.reserve(names.size());
  for (const std::string& name : names) {
    if (!ReadRcWeldTable(folder + name, true)) break;
    if (WorkTable224.RatedCurrent() != RatedCurrent) continue;
    if (edited) {
      const std::string text =
          MakeConditionText(WorkTable224, ModelCode(model), true, LanguageIndex);
      for (int r = 0; r < kRegistrations; ++r) C(ComboBoxWpsWModeOf(r)).Items.push_back(text);
    }
    slot.CatalogueTemplates.push_back(WorkTable224);
    ReadWpsModeRecord(folder + CompanionName(name));
    slot.CatalogueModes.push_back(WorkModeRecord);
  }
}

}  // namespace wisetup
