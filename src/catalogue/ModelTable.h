// Power source models, areas, their catalogue folders and rated currents, and the rule that pairs
// a registered welder kind with a model.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "records/ModelIndex.h"
#include "records/WeldRecords.h"

namespace wisetup {

inline constexpr int kModelCount = 10;  // item 0 is "---------"
inline constexpr int kAreaCount = 4;

extern const char* const kModelItems[kModelCount];

// Model code of a model index (0 for indexes without a model, -1 included).
int ModelCode(int modelIndex);

// "HXR\" and so on; nothing for indexes without a family.
std::optional<std::string> FamilyFolder(int modelIndex);

// "JPN\", "USA\", "EU\" or "ASIA\" for a model index and area; "JPN\" for the U models in every
// area; nothing for an area outside 0..3 (other models).
std::optional<std::string> AreaFolder(int modelIndex, int area);

// Whether the model's catalogue folder holds modes to choose from (the U models have none).
bool HasCatalogue(int modelIndex);

// The rated current of a model in an area, or nothing when the pair has no entry.
std::optional<int> RatedCurrentOf(int modelIndex, int area);

// Whether `modelCode` may serve a welder of `welderKind` whose short-form tables are `tables148`,
// by the models the kinds table (records/WelderKinds.h) accepts for the kind.
bool IsCompatible(int welderKind, int modelCode, const std::vector<RobotWeldTable>& tables148);

// The model index that a setup file's model code and mode-1 rated current stand for.
int ModelIndexFromCode(int modelCode, int ratedCurrent);

}  // namespace wisetup
