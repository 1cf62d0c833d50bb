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

}  // namespace

std::vector<std::string> DumpLines(const TForm1& form) {
  std::vector<std::string> lines;
  auto add = [&lines](const std::string& name, const std::string& value) {
    lines.push_back(name + "=" + value);
  };
  add("LanguageIndex", std::to_string(form.LanguageIndex));
  add("ViewMode", form.ViewMode ? "reference" : "normal");
  add("CurrentWelder", std::to_string(form.CurrentWelder));
  add("RatedCurrent", std::to_string(form.RatedCurrent));
  add("SettingsPath", Quote(form.SettingsLocation()));
  add("Form1.Left", std::to_string(form.Placement.Left));
  add("Form1.Top", std::to_string(form.Placement.Top));
  add("Form1.Width", std::to_string(form.Placement.Width));
  add("Form1.Height", std::to_string(form.Placement.Height));
  for (int w = 0; w < kWelderCount; ++w) {
    const WelderSlot& slot = form.Slots[static_cast<std::size_t>(w)];
    const std::string p = "Welder" + std::to_string(w + 1) + ".";
    add(p + "WelderKind", std::to_string(slot.WelderKind));
    add(p + "TableNumbers", JoinInts(slot.TableNumbers));
    add(p + "WpsModel", std::to_string(slot.WpsModel));
    add(p + "Area", std::to_string(slot.Area));
    add(p + "SelectedModes", JoinInts(slot.SelectedModes));
    add(p + "UseRcWcd", Flag(slot.UseRcWcd));
    add(p + "RobotTables148.Count", std::to_string(slot.RobotTables148.size()));
    add(p + "RobotTables224.Count", std::to_string(slot.RobotTables224.size()));
    add(p + "CatalogueTemplates.Count", std::to_string(slot.CatalogueTemplates.size()));
    add(p + "CatalogueModes.Count", std::to_string(slot.CatalogueModes.size()));
    for (int r = 0; r < kRegistrations; ++r) {
      add(p + "RobotModeTexts." + std::to_string(r + 1),
          Quote(slot.RobotModeTexts[static_cast<std::size_t>(r)]));
    }
  }
  add("SetupFileContent", JoinInts(form.SetupFileContent.Fields()));
  for (int i = 0; i < kControlCount; ++i) {
    const auto c = static_cast<Ctl>(i);
    const ControlInfo& info = InfoOf(c);
    const ControlState& s = form.C(c);
    const std::string p = "Control." + info.name + ".";
    if (info.props & kCaption) add(p + "Caption", Quote(s.Caption));
    if (info.props & kText) {
      add(p + "Text", Quote((info.props & kItems) ? s.ShownText() : s.Text));
    }
    if (info.props & kItems) add(p + "Items", ItemList(s.Items));
    if (info.props & kItemIndex) add(p + "ItemIndex", std::to_string(s.ItemIndex));
    if (info.props & kEnabled) add(p + "Enabled", Flag(s.Enabled));
    if (info.props & kVisible) add(p + "Visible", Flag(s.Visible));
    if (info.props & kChecked) add(p + "Checked", Flag(s.Checked));
    if (info.props & kActivePage) add(p + "ActivePage", std::to_string(s.ActivePage + 1));
  }
  return lines;
}

}  // namespace wisetup
