#include "app/Mainunit.h"
#include "app/OverviewTexts.h"
#include "catalogue/ConditionText.h"
#include "catalogue/ModelTable.h"

namespace wisetup {

OverviewCounts CountsOf(const std::vector<OverviewRow>& rows) {
  OverviewCounts counts;
  for (const OverviewRow& row : rows) {
    switch (GroupOf(row.state)) {
      case StateGroup::Ready:
        ++counts.ready;
        break;
      case StateGroup::ToDo:
        ++counts.todo;
        break;
      case StateGroup::Problem:
        ++counts.problems;
        break;
    }
  }
  return counts;
}

// In reference mode no table is behind a registration: the setup file's robot-side values stand in
// for it.
RegistrationFacts TForm1::FactsOf(int welder, int registration) const {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const auto r = static_cast<std::size_t>(registration);
  RegistrationFacts facts;
  facts.welderKind = slot.WelderKind;
  facts.modelChosen = slot.WpsModel != Index(ModelIndex::None);
  facts.useRcWcd = slot.UseRcWcd;
  if (ViewMode) {
    facts.tableRead = true;
    facts.robotMethod = SetupFileContent.Rc[static_cast<std::size_t>(welder)][r].METHOD;
  } else {
    const auto& robot =
        IsLongRcTableKind(slot.WelderKind) ? slot.RobotTables224 : slot.RobotTables148;
    facts.tableRead = slot.TableReadWhole[r];
    facts.robotMethod = r < robot.size() ? robot[r].Method() : 0;
  }
  const int s = slot.SelectedModes[r];
  // A selection the current catalogue no longer holds counts as no selection at all.
  if (s >= 0 && s < static_cast<int>(slot.CatalogueTemplates.size())) {
    const auto chosen = static_cast<std::size_t>(s);
    facts.chosenMode = &slot.CatalogueTemplates[chosen];
    facts.characteristicRead =
        chosen < slot.CatalogueModesReadWhole.size() && slot.CatalogueModesReadWhole[chosen];
  }
  return facts;
}

bool TForm1::HasOverviewRow(int welder, int registration) const {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const auto r = static_cast<std::size_t>(registration);
  if (!ContentShown || slot.WelderKind == kNotRegistered) return false;
  // A setup file names no tables: a registration it describes has robot-side values.
  if (ViewMode) return SetupFileContent.Rc[static_cast<std::size_t>(welder)][r].WIRE_DIAMETER != 0;
  return slot.TableNumbers[r] != -1;
}

std::string TForm1::OverviewHeading(int welder) const {
  const WelderSlot& slot = Slots[static_cast<std::size_t>(welder)];
  const auto& models = ModelRows();
  const auto model = static_cast<std::size_t>(slot.WpsModel);
  const auto area = static_cast<std::size_t>(slot.Area);
  std::string heading = OverviewTextOf(OverviewText::WelderHeading, LanguageIndex);
  heading = FillIn(heading, "welder",
                   TextOf(WelderNoItems[static_cast<std::size_t>(welder)], LanguageIndex));
  heading = FillIn(heading, "kind", RcWelderKindName(slot.WelderKind));
  heading = FillIn(heading, "model", model < models.size() ? models[model].item : "");
  return FillIn(heading, "area",
                area < AreaItems.size() ? TextOf(AreaItems[area], LanguageIndex) : "");
}

Overview TForm1::ComputeOverview() const {
  Overview overview;
  for (int w = 0; w < kWelders; ++w) {
    const WelderSlot& slot = Slots[static_cast<std::size_t>(w)];
    bool headed = false;
    for (int r = 0; r < kRegistrations; ++r) {
      if (!HasOverviewRow(w, r)) continue;
      if (!headed) overview.welders.push_back({w, OverviewHeading(w)});
      headed = true;
      const auto ur = static_cast<std::size_t>(r);
      OverviewRow row{w,
                      r,
                      ViewMode ? -1 : slot.TableNumbers[ur],
                      StateOf(FactsOf(w, r)),
                      slot.RobotModeTexts[ur],
                      {}};
      const int s = slot.SelectedModes[ur];
      if (s >= 0 && s < static_cast<int>(slot.CatalogueTemplates.size())) {
        row.mode = MakeConditionText(slot.CatalogueTemplates[static_cast<std::size_t>(s)],
                                     ModelCode(ModelIndexOf(slot.WpsModel)), true, LanguageIndex);
      }
      overview.rows.push_back(std::move(row));
    }
  }
  overview.counts = CountsOf(overview.rows);
  return overview;
}

void TForm1::MenuOverviewClick() {
  OverviewOpen = true;
}

void TForm1::GoToRegistration(int welder, int registration) {
  if (welder < 0 || welder >= kWelders || registration < 0 || registration >= kRegistrations)
    return;
  if (welder != CurrentWelder) {
    CurrentWelder = welder;
    C(Ctl::ComboBoxWelderNo).ItemIndex = welder;
    ShowWelder();
  }
  if (C(TabOf(registration)).Visible) {
    C(Ctl::PageControlRejist).ActivePage = registration;
    FocusNext = ComboBoxWpsWModeOf(registration);
  }
}

}  // namespace wisetup
