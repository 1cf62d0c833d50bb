// The overview of the whole robot as the window model computes it: one row per registration that
// has a table, welder by welder, and the counts above them. The views only show these rows.
#pragma once

#include <string>
#include <vector>

#include "survey/RegistrationState.h"

namespace wisetup {

struct OverviewRow {
  int welder = 0;        // from 0
  int registration = 0;  // from 0
  int table = -1;        // the table number; -1 where none is known (reference mode)
  RegistrationState state = RegistrationState::Ready;
  std::string robot;  // the robot-side condition text
  std::string mode;   // the chosen mode's item text; empty when none
};

// The heading of a welder's group: its kind, model and area.
struct OverviewWelder {
  int welder = 0;
  std::string heading;
};

struct OverviewCounts {
  int ready = 0;
  int todo = 0;
  int problems = 0;
};

struct Overview {
  std::vector<OverviewWelder> welders;  // the welders that have rows, in order
  std::vector<OverviewRow> rows;
  OverviewCounts counts;
};

OverviewCounts CountsOf(const std::vector<OverviewRow>& rows);

}  // namespace wisetup
