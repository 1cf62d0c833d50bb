// Revising a robot-side welding table with the characteristic data of a welder-side mode.
#pragma once

#include <cstdint>
#include <optional>

#include "records/WeldRecords.h"

namespace wisetup {

// Interpolates `row` of `record` at the condition current `current` (amperes) over the current
// points (tenths of an ampere): the first point strictly above current*10 closes the segment.
// Nothing when no point lies above. Computed in 64 bits, the division truncating toward zero.
std::optional<std::int64_t> LookupCharacteristic(const WpsModeRecord& record, int row,
                                                 std::uint16_t current);

// Whether the welder kind has a transfer recipe (records/WelderKinds.h).
bool HasTransferRecipe(int welderKind);

struct TransferInputs {
  int welderKind = 0;
  const RobotWeldTable* robotTable = nullptr;         // T, in the form of the welder kind
  const WpsModeRecord* modeRecord = nullptr;          // P; unused for kind 10
  const RobotWeldTable* catalogueTemplate = nullptr;  // E (long form); unused for kind 10
  int wpsModel = 0;                                   // model index, kind 10 only
  bool useRcWcd = true;                               // kinds 13 and 19 only
};

// Whether the recipe of the welder kind reads the characteristic record P: kind 10 never does,
// kinds 13 and 19 only when the robot's characteristic data are taken over.
bool UsesModeRecord(int welderKind, bool useRcWcd);

// The revised table R by the recipe of the welder kind (records/WelderKinds.h), or nothing for
// kinds without a recipe. Inputs the recipe needs must be present.
std::optional<RobotWeldTable> BuildRevisedTable(const TransferInputs& in);

}  // namespace wisetup
