#include "Dump.h"

#include "ScriptPlatform.h"

namespace wisetup {
namespace {

template <typename Container>
std::string JoinInts(const Container& values) {
  std::string out;
  for (const auto v : values) {
    if (!out.empty()) out += ',';
    out += std::to_string(v);
  }
  return out;
}

std::string Flag(bool value) {
  return value ? "1" : "0";
}

std::string ItemList(const std::vector<std::string>& items) {
  std::string out = "[";
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) out += ',';
    out += Quote(items[i]);
  }
  return out + "]";
}

using Lines = std::vector<std::string>;

void Add(Lines& lines, const std::string& name, const std::string& value) {
  lines.push_back(name + "=" + value);
}

void AddWindow(Lines& lines, const TForm1& form) {
  Add(lines, "LanguageIndex", std::to_string(form.LanguageIndex));
  Add(lines, "ViewMode", form.ViewMode ? "reference" : "normal");
  Add(lines, "CurrentWelder", std::to_string(form.CurrentWelder));
  Add(lines, "RatedCurrent", std::to_string(form.RatedCurrent));
  Add(lines, "SettingsPath", Quote(form.SettingsLocation()));
  Add(lines, "Form1.Left", std::to_string(form.Placement.Left));
  Add(lines, "Form1.Top", std::to_string(form.Placement.Top));
  Add(lines, "Form1.Width", std::to_string(form.Placement.Width));
  Add(lines, "Form1.Height", std::to_string(form.Placement.Height));
}

// Welders are numbered from 1 in the names, as in the files.
void AddWelder(Lines& lines, const WelderSlot& slot, int number) {
  const std::string p = "Welder" + std::to_string(number) + ".";
  Add(lines, p + "WelderKind", std::to_string(slot.WelderKind));
  Add(lines, p + "TableNumbers", JoinInts(slot.TableNumbers));
  Add(lines, p + "WpsModel", std::to_string(slot.WpsModel));
  Add(lines, p + "Area", std::to_string(slot.Area));
  Add(lines, p + "SelectedModes", JoinInts(slot.SelectedModes));
  Add(lines, p + "UseRcWcd", Flag(slot.UseRcWcd));
  Add(lines, p + "RobotTables148.Count", std::to_string(slot.RobotTables148.size()));
  Add(lines, p + "RobotTables224.Count", std::to_string(slot.RobotTables224.size()));
  Add(lines, p + "CatalogueTemplates.Count", std::to_string(slot.CatalogueTemplates.size()));
  Add(lines, p + "CatalogueModes.Count", std::to_string(slot.CatalogueModes.size()));
  for (int r = 0; r < kRegistrations; ++r) {
    Add(lines, p + "RobotModeTexts." + std::to_string(r + 1),
        Quote(slot.RobotModeTexts[static_cast<std::size_t>(r)]));
  }
}

// Only the properties the control table gives the control.
void AddControl(Lines& lines, Ctl c, const ControlState& s) {
  const ControlInfo& info = InfoOf(c);
  const std::string p = "Control." + info.name + ".";
  if (info.props & kCaption) Add(lines, p + "Caption", Quote(s.Caption));
  if (info.props & kText) {
    Add(lines, p + "Text", Quote((info.props & kItems) ? s.ShownText() : s.Text));
  }
  if (info.props & kItems) Add(lines, p + "Items", ItemList(s.Items));
  if (info.props & kItemIndex) Add(lines, p + "ItemIndex", std::to_string(s.ItemIndex));
  if (info.props & kEnabled) Add(lines, p + "Enabled", Flag(s.Enabled));
  if (info.props & kVisible) Add(lines, p + "Visible", Flag(s.Visible));
  if (info.props & kChecked) Add(lines, p + "Checked", Flag(s.Checked));
  if (info.props & kActivePage) Add(lines, p + "ActivePage", std::to_string(s.ActivePage + 1));
}

}  // namespace

std::vector<std::string> OverviewLines(const TForm1& form) {
  const Overview overview = form.ComputeOverview();
  Lines lines;
  for (const OverviewRow& row : overview.rows) {
    lines.push_back("overview welder=" + std::to_string(row.welder + 1) + " reg=" +
                    std::to_string(row.registration + 1) + " table=" + std::to_string(row.table) +
                    " state=" + std::string(StateWord(row.state)) + " robot=" + Quote(row.robot) +
                    " mode=" + Quote(row.mode));
  }
  const OverviewCounts& n = overview.counts;
  lines.push_back("overview end ready=" + std::to_string(n.ready) +
                  " todo=" + std::to_string(n.todo) + " problems=" + std::to_string(n.problems));
  return lines;
}

std::vector<std::string> DumpLines(const TForm1& form) {
  Lines lines;
  AddWindow(lines, form);
  for (int w = 0; w < kWelders; ++w) {
    AddWelder(lines, form.Slots[static_cast<std::size_t>(w)], w + 1);
  }
  Add(lines, "SetupFileContent", JoinInts(form.SetupFileContent.Fields()));
  for (int i = 0; i < kControlCount; ++i) {
    const auto c = static_cast<Ctl>(i);
    AddControl(lines, c, form.C(c));
  }
  return lines;
}

}  // namespace wisetup
