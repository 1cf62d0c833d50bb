#include "survey/RegistrationState.h"

#include <array>

#include "backup/CharacteristicTransfer.h"

namespace wisetup {

RegistrationState RegistrationStates::First() const {
  for (int s = 0; s < kRegistrationStateCount; ++s) {
    if (Has(static_cast<RegistrationState>(s))) return static_cast<RegistrationState>(s);
  }
  return RegistrationState::Ready;
}

RegistrationStates StatesOf(const RegistrationFacts& facts) {
  using S = RegistrationState;
  RegistrationStates states;
  const WelderKindInfo& kind = WelderKindOf(facts.welderKind);
  if (!facts.tableRead) states.Add(S::UnreadTable);
  if (!facts.modelChosen) states.Add(S::NoModel);
  // Kinds without registration tabs take no modes: the model alone decides their transfer.
  if (kind.tabsShown > 0) {
    if (facts.chosenMode == nullptr) {
      states.Add(S::NoMode);
    } else {
      if (kind.methodMustMatch && facts.robotMethod != facts.chosenMode->Method())
        states.Add(S::MethodsDiffer);
      if (HasTransferRecipe(facts.welderKind) && UsesModeRecord(facts.welderKind, facts.useRcWcd) &&
          !facts.characteristicRead)
        states.Add(S::UnreadCharacteristic);
    }
  }
  if (states.First() == S::Ready) states.Add(S::Ready);
  return states;
}

RegistrationState StateOf(const RegistrationFacts& facts) {
  return StatesOf(facts).First();
}

StateGroup GroupOf(RegistrationState state) {
  switch (state) {
    case RegistrationState::Ready:
      return StateGroup::Ready;
    case RegistrationState::NoModel:
    case RegistrationState::NoMode:
      return StateGroup::ToDo;
    default:
      return StateGroup::Problem;
  }
}

std::string_view StateWord(RegistrationState state) {
  static constexpr std::array<std::string_view, kRegistrationStateCount> kWords = {
      "unread-table", "no-model", "no-mode", "methods-differ", "unread-characteristic", "ready"};
  const auto s = static_cast<std::size_t>(state);
  return s < kWords.size() ? kWords[s] : "ready";
}

}  // namespace wisetup
