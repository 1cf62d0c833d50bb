#include <gtest/gtest.h>

#include "TestSupport.h"

#include <string>

#include "survey/RegistrationState.h"

namespace wisetup {
namespace {

using test::PrintTo;
using test::RowName;
using S = RegistrationState;

// RK3: tabs, methods must match, a recipe that reads the characteristic record.
constexpr int kRk3 = 9;
// RK2: tabs, any method, reads the characteristic record.
constexpr int kRk2 = 11;
// RK5: reads the characteristic record only when the robot's data are taken over.
constexpr int kRk5 = 13;
// RK7: no tabs, no modes; the model alone.
constexpr int kRk7 = 10;

RobotWeldTable ModeWithMethod(std::uint16_t method) {
  RobotWeldTable t(TableForm::Long);
  t.SetMethod(method);
  return t;
}
const RobotWeldTable kMethod1 = ModeWithMethod(1);

// Everything in order: a registration of an RK3 welder ready for Create Files.
RegistrationFacts Ready(int kind = kRk3) {
  return {kind, true, 1, true, &kMethod1, true, true};
}

struct StateRow {
  const char* name;
  RegistrationFacts facts;
  RegistrationState expected;
  StateGroup group;
};

RegistrationFacts With(RegistrationFacts f, void (*change)(RegistrationFacts&)) {
  change(f);
  return f;
}

class State : public ::testing::TestWithParam<StateRow> {};

TEST_P(State, IsTheFirstThatApplies) {
  const StateRow& row = GetParam();
  EXPECT_EQ(StateOf(row.facts), row.expected);
  EXPECT_TRUE(StatesOf(row.facts).Has(row.expected));
  EXPECT_EQ(GroupOf(row.expected), row.group);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, State,
    ::testing::Values(
        StateRow{"Ready", Ready(), S::Ready, StateGroup::Ready},
        StateRow{"UnreadTable", With(Ready(), [](RegistrationFacts& f) { f.tableRead = false; }),
                 S::UnreadTable, StateGroup::Problem},
        StateRow{"NoModel", With(Ready(), [](RegistrationFacts& f) { f.modelChosen = false; }),
                 S::NoModel, StateGroup::ToDo},
        StateRow{"NoMode", With(Ready(), [](RegistrationFacts& f) { f.chosenMode = nullptr; }),
                 S::NoMode, StateGroup::ToDo},
        StateRow{"MethodsDiffer", With(Ready(), [](RegistrationFacts& f) { f.robotMethod = 2; }),
                 S::MethodsDiffer, StateGroup::Problem},
        StateRow{"UnreadCharacteristic",
                 With(Ready(), [](RegistrationFacts& f) { f.characteristicRead = false; }),
                 S::UnreadCharacteristic, StateGroup::Problem},
        // Precedence: each state hides every later one.
        StateRow{"UnreadTableBeforeAll",
                 {kRk3, false, 2, false, nullptr, false, true},
                 S::UnreadTable,
                 StateGroup::Problem},
        StateRow{"NoModelBeforeNoMode",
                 {kRk3, true, 1, false, nullptr, false, true},
                 S::NoModel,
                 StateGroup::ToDo},
        StateRow{"MethodsBeforeCharacteristic",
                 {kRk3, true, 2, true, &kMethod1, false, true},
                 S::MethodsDiffer,
                 StateGroup::Problem},
        // Kinds whose rules leave a state out.
        StateRow{"AnyMethodForRk2",
                 {kRk2, true, 2, true, &kMethod1, true, true},
                 S::Ready,
                 StateGroup::Ready},
        StateRow{"Rk5WithoutRobotDataNeedsNoCharacteristic",
                 {kRk5, true, 1, true, &kMethod1, false, false},
                 S::Ready,
                 StateGroup::Ready},
        StateRow{"Rk5WithRobotDataNeedsIt",
                 {kRk5, true, 1, true, &kMethod1, false, true},
                 S::UnreadCharacteristic,
                 StateGroup::Problem},
        StateRow{"Rk7TakesNoMode",
                 {kRk7, true, 0, true, nullptr, false, true},
                 S::Ready,
                 StateGroup::Ready},
        StateRow{"Rk7StillNeedsAModel",
                 {kRk7, true, 0, false, nullptr, false, true},
                 S::NoModel,
                 StateGroup::ToDo}),
    RowName());

// Create Files refuses on a missing mode even where an earlier state hides it, so every state is
// kept, not only the first.
TEST(States, KeepEveryStateThatApplies) {
  const RegistrationStates states = StatesOf({kRk3, false, 2, true, &kMethod1, false, true});
  EXPECT_TRUE(states.Has(S::UnreadTable));
  EXPECT_TRUE(states.Has(S::MethodsDiffer));
  EXPECT_TRUE(states.Has(S::UnreadCharacteristic));
  EXPECT_FALSE(states.Has(S::NoMode));
  EXPECT_FALSE(states.Has(S::Ready));
}

TEST(States, WordsAreDistinctAndInOrder) {
  EXPECT_EQ(StateWord(S::UnreadTable), "unread-table");
  EXPECT_EQ(StateWord(S::UnreadCharacteristic), "unread-characteristic");
  EXPECT_EQ(StateWord(S::Ready), "ready");
  for (int a = 0; a < kRegistrationStateCount; ++a)
    for (int b = a + 1; b < kRegistrationStateCount; ++b)
      EXPECT_NE(StateWord(static_cast<S>(a)), StateWord(static_cast<S>(b)));
}

}  // namespace
}  // namespace wisetup
