// Power source models, areas, their catalogue folders and rated currents, and the rule that pairs
// a registered welder kind with a model. One row per model; every function reads the rows.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "records/ModelIndex.h"
#include "records/WeldRecords.h"

namespace wisetup {

inline constexpr int kAsiaArea = 3;

// Which area folder a model's catalogue lies in.
enum class AreaFolderRule {
  NoFolder,     // no catalogue folder ("---------")
  ByArea,       // the folder of the area, ASIA included
  AsiaAsJapan,  // the folder of the area, but JPN for ASIA
  JapanOnly,    // JPN whatever the area
};

struct ModelRow {
  ModelIndex index;
  const char* item;          // the text of the model list
  const char* familyFolder;  // "HXR\" and so on; nullptr for none
  int code;                  // the model code a setup file stores
  // The rated current in areas 0 to 3; 0 where the model has no entry.
  std::array<int, kAreaCount> ratedCurrents;
  int nominalRating;  // 350 or 500: the rating that tells apart two models sharing a code
  bool catalogueListed;
  AreaFolderRule areaRule;
};

// All rows, in model index order.
std::span<const ModelRow> ModelRows();
const ModelRow& ModelRowOf(ModelIndex model);

// Model code of a model (0 for none).
int ModelCode(ModelIndex model);

// "HXR\" and so on; nothing for a model without a family.
std::optional<std::string> FamilyFolder(ModelIndex model);

// "JPN\", "USA\", "EU\" or "ASIA\" for a model and area; "JPN\" for the U models in every area;
// nothing for an area outside 0..3 (other models) and for no model.
std::optional<std::string> AreaFolder(ModelIndex model, int area);

// Whether the model's catalogue folder holds modes to choose from (the U models have none).
bool HasCatalogue(ModelIndex model);

// The rated current of a model in an area, or nothing when the pair has no entry.
std::optional<int> RatedCurrentOf(ModelIndex model, int area);

// Whether `modelCode` may serve a welder of `welderKind` whose short-form tables are `tables148`,
// by the models the kinds table (records/WelderKinds.h) accepts for the kind.
bool IsCompatible(int welderKind, int modelCode, const std::vector<RobotWeldTable>& tables148);

// The model that a setup file's model code and mode-1 rated current stand for: of the models with
// the code, the one rated 500 A when the current is 500, otherwise the other; none for a code no
// model has.
ModelIndex ModelIndexFromCode(int modelCode, int ratedCurrent);

}  // namespace wisetup
