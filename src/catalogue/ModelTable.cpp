#include "catalogue/ModelTable.h"

#include <cstdint>

#include "records/WelderKinds.h"

namespace wisetup {

const char* const kModelItems[kModelCount] = {
    "---------",      "HX-R350/R400", "HX-R500",      "HX-R350L/R400L", "HX-S350/S400",
    "HX-S350L/S400L", "HX-S500L",     "HX-T350/T400", "HX-U350P",       "HX-U500P",
};

namespace {

constexpr int kModelCodes[kModelCount] = {0, 22, 22, 20, 23, 24, 24, 31, 33, 33};

constexpr const char* kFamilyFolders[kModelCount] = {
    nullptr, "HXR\\", "HXR\\", "HXRL\\", "HXS\\", "HXSL\\", "HXSL\\", "HXT\\", "HXU\\", "HXU\\",
};

constexpr const char* kAreaFolders[kAreaCount] = {"JPN\\", "USA\\", "EU\\", "ASIA\\"};
constexpr const char* kJapanFolder = "JPN\\";
constexpr int kAsiaArea = 3;

// Rows are model indexes 1 to 7; the U models have no rated-current entry.
constexpr int kFirstRated = Index(ModelIndex::HxR350R400);
constexpr int kLastRated = Index(ModelIndex::HxT350T400);
constexpr int kRatedCurrents[kLastRated - kFirstRated + 1][kAreaCount] = {
    {350, 350, 400, 350}, {500, 500, 500, 500}, {350, 350, 400, 350}, {350, 400, 400, 400},
    {350, 400, 400, 400}, {500, 500, 500, 500}, {350, 400, 400, 400},
};

bool IsModelIndex(int modelIndex) {
  return modelIndex >= 0 && modelIndex < kModelCount;
}
bool IsArea(int area) {
  return area >= 0 && area < kAreaCount;
}
bool IsUModel(int modelIndex) {
  return modelIndex == Index(ModelIndex::HxU350P) || modelIndex == Index(ModelIndex::HxU500P);
}

}  // namespace

int ModelCode(int modelIndex) {
  return IsModelIndex(modelIndex) ? kModelCodes[modelIndex] : 0;
}

std::optional<std::string> FamilyFolder(int modelIndex) {
  if (!IsModelIndex(modelIndex) || kFamilyFolders[modelIndex] == nullptr) return std::nullopt;
  return kFamilyFolders[modelIndex];
}

std::optional<std::string> AreaFolder(int modelIndex, int area) {
  // The U models are sold with one catalogue for every area.
  if (IsUModel(modelIndex)) return kJapanFolder;
  if (!IsArea(area)) return std::nullopt;
  if (area != kAsiaArea) return kAreaFolders[area];
  switch (static_cast<ModelIndex>(modelIndex)) {
    case ModelIndex::HxS350S400:
    case ModelIndex::HxS350LS400L:
    case ModelIndex::HxT350T400:
      return kAreaFolders[kAsiaArea];
    case ModelIndex::HxR350R400:
    case ModelIndex::HxR500:
    case ModelIndex::HxR350LR400L:
    case ModelIndex::HxS500L:
      return kJapanFolder;
    default:
      return std::nullopt;
  }
}

bool HasCatalogue(int modelIndex) {
  return modelIndex >= kFirstRated && modelIndex <= kLastRated;
}

std::optional<int> RatedCurrentOf(int modelIndex, int area) {
  if (!HasCatalogue(modelIndex) || !IsArea(area)) return std::nullopt;
  return kRatedCurrents[modelIndex - kFirstRated][area];
}

bool IsCompatible(int welderKind, int modelCode, const std::vector<RobotWeldTable>& tables148) {
  const WelderKindInfo& kind = WelderKindOf(welderKind);
  // A kind that accepts no model refuses even "no model".
  if (kind.modelCode < 0) return false;
  if (modelCode == 0 || modelCode == kind.modelCode) return true;
  if (kind.ratedModelCode < 0 || modelCode != kind.ratedModelCode) return false;
  // Such a model only serves a welder whose first table was made for its 350/400 A rating.
  if (tables148.empty()) return true;
  const std::uint16_t rated = tables148.front().RatedCurrent();
  return rated == 350 || rated == 400;
}

int ModelIndexFromCode(int modelCode, int ratedCurrent) {
  const bool is500 = ratedCurrent == 500;
  ModelIndex model = ModelIndex::None;
  switch (modelCode) {
    case 20:
      model = ModelIndex::HxR350LR400L;
      break;
    case 22:
      model = is500 ? ModelIndex::HxR500 : ModelIndex::HxR350R400;
      break;
    case 23:
      model = ModelIndex::HxS350S400;
      break;
    case 24:
      model = is500 ? ModelIndex::HxS500L : ModelIndex::HxS350LS400L;
      break;
    case 31:
      model = ModelIndex::HxT350T400;
      break;
    case 33:
      model = is500 ? ModelIndex::HxU500P : ModelIndex::HxU350P;
      break;
    default:
      break;
  }
  return Index(model);
}

}  // namespace wisetup
