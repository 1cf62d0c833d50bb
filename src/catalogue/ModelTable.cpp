#include "catalogue/ModelTable.h"

#include <cstdint>

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
constexpr int kRatedCurrents[7][kAreaCount] = {
    {350, 350, 400, 350}, {500, 500, 500, 500}, {350, 350, 400, 350}, {350, 400, 400, 400},
    {350, 400, 400, 400}, {500, 500, 500, 500}, {350, 400, 400, 400},
};

bool IsModelIndex(int modelIndex) {
  return modelIndex >= 0 && modelIndex < kModelCount;
}
bool IsArea(int area) {
  return area >= 0 && area < kAreaCount;
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
  if (modelIndex == 8 || modelIndex == 9) return kJapanFolder;
  if (!IsArea(area)) return std::nullopt;
  if (area != kAsiaArea) return kAreaFolders[area];
  switch (modelIndex) {
    case 4:
    case 5:
    case 7:
      return kAreaFolders[kAsiaArea];
    case 1:
    case 2:
    case 3:
    case 6:
      return kJapanFolder;
    default:
      return std::nullopt;
  }
}

std::optional<int> RatedCurrentOf(int modelIndex, int area) {
  if (modelIndex < 1 || modelIndex > 7 || !IsArea(area)) return std::nullopt;
  return kRatedCurrents[modelIndex - 1][area];
}

bool IsCompatible(int welderKind, int modelCode, const std::vector<RobotWeldTable>& tables148) {
  const auto noneOr = [modelCode](int code) { return modelCode == 0 || modelCode == code; };
  switch (welderKind) {
    case 5:
    case 11:
    case 14:
      return noneOr(22);
    case 12:
    case 17:
      return noneOr(20);
    case 13:
      return noneOr(31);
    case 10:
      return noneOr(33);
    case 19:
      return noneOr(24);
    case 9: {
      if (noneOr(24)) return true;
      if (modelCode != 23) return false;
      // The S350/S400 only serves an RK3 whose first table was made for such a rating.
      if (tables148.empty()) return true;
      const std::uint16_t rated = tables148.front().RatedCurrent();
      return rated == 350 || rated == 400;
    }
    default:
      return false;  // an unregistered welder cannot even be set to "no model"
  }
}

int ModelIndexFromCode(int modelCode, int ratedCurrent) {
  switch (modelCode) {
    case 20:
      return 3;
    case 22:
      return ratedCurrent == 500 ? 2 : 1;
    case 23:
      return 4;
    case 24:
      return ratedCurrent == 500 ? 6 : 5;
    case 31:
      return 7;
    case 33:
      return ratedCurrent == 500 ? 9 : 8;
    default:
      return 0;
  }
}

}  // namespace wisetup
