// The state of one registration of a welder: what still stands between it and Create Files. One
// home for the overview, Create Files' own checks and the preview, so that they never disagree.
#pragma once

#include <cstdint>
#include <string_view>

#include "records/WeldRecords.h"
#include "records/WelderKinds.h"

namespace wisetup {

// In order of precedence: a registration is in the first state that applies.
enum class RegistrationState {
  UnreadTable,           // its robot-side table could not be read whole at load
  NoModel,               // the welder has no power source model chosen
  NoMode,                // no catalogue mode chosen (or one the catalogue no longer holds)
  MethodsDiffer,         // the chosen mode's method is not the robot table's, where it must be
  UnreadCharacteristic,  // the transfer needs the mode's characteristic data, which were not read
  Ready,
  Count
};

inline constexpr int kRegistrationStateCount = static_cast<int>(RegistrationState::Count);

// What is known of one registration that has a table.
struct RegistrationFacts {
  int welderKind = kNotRegistered;
  bool tableRead = false;  // the robot-side table was read whole
  std::uint16_t robotMethod = 0;
  bool modelChosen = false;
  const RobotWeldTable* chosenMode = nullptr;  // the chosen catalogue template; null when none
  bool characteristicRead = false;             // the chosen mode's companion was read whole
  bool useRcWcd = false;
};

// Every state that applies, each judged on its own; Ready only when none of the others does.
class RegistrationStates {
 public:
  bool Has(RegistrationState state) const { return (bits_ >> static_cast<unsigned>(state)) & 1U; }
  void Add(RegistrationState state) { bits_ |= 1U << static_cast<unsigned>(state); }
  // The first that applies, in the order of precedence.
  RegistrationState First() const;

 private:
  unsigned bits_ = 0;
};

RegistrationStates StatesOf(const RegistrationFacts& facts);
RegistrationState StateOf(const RegistrationFacts& facts);

// How the overview counts a state: ready, still to do (a choice to make), or a problem.
enum class StateGroup { Ready, ToDo, Problem };
StateGroup GroupOf(RegistrationState state);

// The machine word of a state ("unread-table", ..., "ready"), as scripts and tools print it.
std::string_view StateWord(RegistrationState state);

}  // namespace wisetup
