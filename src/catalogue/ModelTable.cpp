#include "catalogue/ModelTable.h"

#include <cstdint>

#include "records/WelderKinds.h"

namespace wisetup {
namespace {

using enum ModelIndex;
using enum AreaFolderRule;

// clang-format off
constexpr std::array<ModelRow, kModelCount> kModels = {{
//  index         item              family     code  rated currents by area  nominal listed area rule
    {None,         "---------",      nullptr,    0,  {  0,   0,   0,   0},     0,  false, NoFolder},
    {HxR350R400,   "HX-R350/R400",   "HXR\\",   22,  {350, 350, 400, 350},   350,  true,  AsiaAsJapan},
    {HxR500,       "HX-R500",        "HXR\\",   22,  {500, 500, 500, 500},   500,  true,  AsiaAsJapan},
    {HxR350LR400L, "HX-R350L/R400L", "HXRL\\",  20,  {350, 350, 400, 350},   350,  true,  AsiaAsJapan},
    {HxS350S400,   "HX-S350/S400",   "HXS\\",   23,  {350, 400, 400, 400},   350,  true,  ByArea},
    {HxS350LS400L, "HX-S350L/S400L", "HXSL\\",  24,  {350, 400, 400, 400},   350,  true,  ByArea},
    {HxS500L,      "HX-S500L",       "HXSL\\",  24,  {500, 500, 500, 500},   500,  true,  AsiaAsJapan},
    {HxT350T400,   "HX-T350/T400",   "HXT\\",   31,  {350, 400, 400, 400},   350,  true,  ByArea},
    {HxU350P,      "HX-U350P",       "HXU\\",   33,  {  0,   0,   0,   0},   350,  false, JapanOnly},
    {HxU500P,      "HX-U500P",       "HXU\\",   33,  {  0,   0,   0,   0},   500,  false, JapanOnly},
}};
// clang-format on

constexpr std::array<const char*, kAreaCount> kAreaFolders = {"JPN\\", "USA\\", "EU\\", "ASIA\\"};
constexpr const char* kJapanFolder = "JPN\\";

constexpr bool IndexesAreRows() {
  for (int i = 0; i < kModelCount; ++i) {
    if (Index(kModels[static_cast<std::size_t>(i)].index) != i) return false;
  }
  return true;
}
static_assert(IndexesAreRows(), "the rows are in model index order");

bool IsArea(int area) {
  return area >= 0 && area < kAreaCount;
}

}  // namespace

std::span<const ModelRow> ModelRows() {
  return kModels;
}

const ModelRow& ModelRowOf(ModelIndex model) {
  return kModels[static_cast<std::size_t>(Index(ModelIndexOf(Index(model))))];
}

int ModelCode(ModelIndex model) {
  return ModelRowOf(model).code;
}

std::optional<std::string> FamilyFolder(ModelIndex model) {
  const char* folder = ModelRowOf(model).familyFolder;
  if (folder == nullptr) return std::nullopt;
  return folder;
}

std::optional<std::string> AreaFolder(ModelIndex model, int area) {
  switch (ModelRowOf(model).areaRule) {
    case NoFolder:
      return std::nullopt;
    case JapanOnly:
      // The U models are sold with one catalogue for every area.
      return kJapanFolder;
    case AsiaAsJapan:
      if (area == kAsiaArea) return kJapanFolder;
      break;
    case ByArea:
      break;
  }
  if (!IsArea(area)) return std::nullopt;
  return kAreaFolders[static_cast<std::size_t>(area)];
}

bool HasCatalogue(ModelIndex model) {
  return ModelRowOf(model).catalogueListed;
}

std::optional<int> RatedCurrentOf(ModelIndex model, int area) {
  if (!IsArea(area)) return std::nullopt;
  const int rated = ModelRowOf(model).ratedCurrents[static_cast<std::size_t>(area)];
  if (rated == 0) return std::nullopt;
  return rated;
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

ModelIndex ModelIndexFromCode(int modelCode, int ratedCurrent) {
  if (modelCode == 0) return None;
  const int nominal = ratedCurrent == 500 ? 500 : 350;
  const ModelRow* found = nullptr;
  for (const ModelRow& row : kModels) {
    if (row.code != modelCode) continue;
    if (found == nullptr || (row.nominalRating == nominal && found->nominalRating != nominal)) {
      found = &row;
    }
  }
  return found == nullptr ? None : found->index;
}

}  // namespace wisetup
