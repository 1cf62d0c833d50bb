#include "selections/Selections.h"

#include <algorithm>
#include <limits>

#include "records/ModelIndex.h"
#include "text/IniDocument.h"

namespace wisetup {
namespace {

constexpr std::string_view kHeadSection = "Selections";
constexpr std::string_view kEndSection = "End";
constexpr std::string_view kWelderPrefix = "WELDER";
constexpr std::string_view kRegistrationInfix = ".REGISTRATION";

std::string WelderSection(int welder) {
  return "Welder" + std::to_string(welder + 1);
}

std::string RegistrationSection(int welder, int registration) {
  return WelderSection(welder) + ".Registration" + std::to_string(registration + 1);
}

char FoldAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualsFolded(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return FoldAscii(x) == FoldAscii(y);
         });
}

SelectionsProblem Problem(SelectionsFault fault, std::string section = {}, std::string key = {},
                          int number = 0) {
  return SelectionsProblem{fault, std::move(section), std::move(key), number};
}

MatchProblem Mismatch(MatchFault fault, int welder, int registration, std::string entry) {
  return MatchProblem{fault, welder, registration, std::move(entry), 0, 0};
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The number a run of digits spells when it is written as such a number is ("1" to "last"): a
// leading zero or too many digits name no welder or registration of ours.
int SmallNumber(std::string_view digits, int last) {
  if (digits.empty() || digits.size() > 2 || digits.front() == '0') return -1;
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value <= last ? value : -1;
}

// What a section name (upper case, as IniDocument gives it) stands for.
enum class SectionKind { Other, Head, End, Welder, Registration, BadWelder, BadRegistration };

struct SectionInfo {
  SectionKind kind = SectionKind::Other;
  int welder = -1;  // 0-based
  int registration = -1;
};

SectionInfo Classify(std::string_view name) {
  if (EqualsFolded(name, kHeadSection)) return {SectionKind::Head};
  if (EqualsFolded(name, kEndSection)) return {SectionKind::End};
  if (!name.starts_with(kWelderPrefix)) return {};
  std::string_view rest = name.substr(kWelderPrefix.size());
  const auto digitsEnd =
      static_cast<std::size_t>(std::find_if_not(rest.begin(), rest.end(), IsDigit) - rest.begin());
  if (digitsEnd == 0) return {};
  const int welder = SmallNumber(rest.substr(0, digitsEnd), kWelders);
  rest.remove_prefix(digitsEnd);
  if (rest.empty()) {
    return welder < 0 ? SectionInfo{SectionKind::BadWelder}
                      : SectionInfo{SectionKind::Welder, welder - 1};
  }
  if (!rest.starts_with(kRegistrationInfix)) return {};
  rest.remove_prefix(kRegistrationInfix.size());
  if (rest.empty() || !std::all_of(rest.begin(), rest.end(), IsDigit)) return {};
  if (welder < 0) return {SectionKind::BadWelder};
  const int registration = SmallNumber(rest, kRegistrations);
  if (registration < 0) return {SectionKind::BadRegistration, welder - 1};
  return {SectionKind::Registration, welder - 1, registration - 1};
}

bool IsHexDigest(std::string_view text) {
  return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
           return IsDigit(c) || (FoldAscii(c) >= 'A' && FoldAscii(c) <= 'F');
         });
}

std::string LowerHex(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'F') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Reads the keys of one section; the first problem met is kept and every later read fails.
class SectionReader {
 public:
  SectionReader(const IniDocument& doc, std::optional<SelectionsProblem>& problem)
      : doc_(doc), problem_(problem) {}

  std::optional<std::string> Text(const std::string& section, const char* key) {
    if (problem_) return std::nullopt;
    auto value = doc_.Get(section, key);
    if (!value) problem_ = Problem(SelectionsFault::MissingKey, section, key);
    return value;
  }

  std::optional<int> Number(const std::string& section, const char* key, int low, int high) {
    const auto text = Text(section, key);
    if (!text) return std::nullopt;
    const auto value = ParseDecimalInt(*text);
    if (!value || *value < low || *value > high) {
      problem_ = Problem(SelectionsFault::BadValue, section, key);
      return std::nullopt;
    }
    return value;
  }

  void Fail(SelectionsFault fault, const std::string& section, const char* key) {
    if (!problem_) problem_ = Problem(fault, section, key);
  }

 private:
  const IniDocument& doc_;
  std::optional<SelectionsProblem>& problem_;
};

// The first section that the file must not hold: a known one twice, or one beyond our counts.
std::optional<SelectionsProblem> CheckSections(const std::vector<std::string>& names) {
  std::vector<std::string> seen;
  for (const std::string& name : names) {
    const SectionInfo info = Classify(name);
    switch (info.kind) {
      case SectionKind::Other:
        continue;
      case SectionKind::BadWelder:
        return Problem(SelectionsFault::NoSuchWelder, name);
      case SectionKind::BadRegistration:
        return Problem(SelectionsFault::NoSuchRegistration, name);
      default:
        break;
    }
    if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
      return Problem(SelectionsFault::Duplicated, name);
    }
    seen.push_back(name);
    if (info.kind == SectionKind::Registration &&
        std::find(names.begin(), names.end(),
                  std::string(kWelderPrefix) + std::to_string(info.welder + 1)) == names.end()) {
      return Problem(SelectionsFault::NoWelderSection, name);
    }
  }
  return std::nullopt;
}

std::string_view CutAtLineBreak(std::string_view value) {
  return value.substr(0, std::min(value.find_first_of("\r\n"), value.size()));
}

std::optional<std::size_t> FindEntry(const ListedCatalogue& catalogue, const std::string& name) {
  const auto& names = catalogue.names;
  if (const auto exact = std::find(names.begin(), names.end(), name); exact != names.end()) {
    return static_cast<std::size_t>(exact - names.begin());
  }
  std::optional<std::size_t> found;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!EqualsFolded(names[i], name)) continue;
    if (found) return std::nullopt;  // which of several is meant cannot be told
    found = i;
  }
  return found;
}

}  // namespace

bool IsSafeEntryName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

std::string FormatSelections(const Selections& selections) {
  std::string out;
  auto section = [&out](const std::string& name) { out += "[" + name + "]\r\n"; };
  auto key = [&out](const char* name, std::string_view value) {
    out += name;
    out += '=';
    out += QuoteProfileValue(CutAtLineBreak(value));
    out += "\r\n";
  };
  section(std::string(kHeadSection));
  key("Version", std::to_string(kSelectionsVersion));
  key("Controller", std::to_string(selections.controller));
  for (int w = 0; w < kWelders; ++w) {
    const auto& welder = selections.welders[static_cast<std::size_t>(w)];
    if (!welder) continue;
    section(WelderSection(w));
    key("WelderKind", std::to_string(welder->welderKind));
    key("Model", std::to_string(welder->model));
    key("ModelText", welder->modelText);
    key("Area", std::to_string(welder->area));
    key("UseRcWcd", welder->useRcWcd ? "1" : "0");
    for (int r = 0; r < kRegistrations; ++r) {
      const auto& choice = welder->registrations[static_cast<std::size_t>(r)];
      if (!choice) continue;
      section(RegistrationSection(w, r));
      key("Entry", choice->entry);
      key("Condition", choice->condition);
      // Last, so that a file cut inside a section fails on the digest rather than passing.
      key("Sha256", choice->sha256);
    }
  }
  section(std::string(kEndSection));
  return out;
}

SelectionsRead ParseSelections(std::string_view bytes) {
  const IniDocument doc = IniDocument::Parse(bytes);
  const std::string head(kHeadSection);
  auto refuse = [](SelectionsProblem problem) { return SelectionsRead{std::nullopt, problem}; };
  const auto versionText = doc.Get(head, "Version");
  if (!versionText) return refuse(Problem(SelectionsFault::NotSelections));
  const auto version = ParseDecimalInt(*versionText);
  if (!version || *version < 1) return refuse(Problem(SelectionsFault::BadValue, head, "Version"));
  if (*version > kSelectionsVersion) {
    return refuse(Problem(SelectionsFault::LaterVersion, head, "Version", *version));
  }
  const std::vector<std::string> names = doc.SectionNames();
  if (std::none_of(names.begin(), names.end(),
                   [](const std::string& n) { return Classify(n).kind == SectionKind::End; })) {
    return refuse(Problem(SelectionsFault::CutShort));
  }
  if (auto problem = CheckSections(names)) return refuse(std::move(*problem));

  std::optional<SelectionsProblem> problem;
  SectionReader read(doc, problem);
  Selections out;
  out.controller = read.Number(head, "Controller", 0, 1).value_or(0);
  for (int w = 0; w < kWelders && !problem; ++w) {
    const std::string section = WelderSection(w);
    if (std::find(names.begin(), names.end(), std::string(kWelderPrefix) + std::to_string(w + 1)) ==
        names.end()) {
      continue;
    }
    WelderChoice welder;
    welder.welderKind = read.Number(section, "WelderKind", std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max())
                            .value_or(0);
    welder.model = read.Number(section, "Model", 0, kModelCount - 1).value_or(0);
    welder.modelText = read.Text(section, "ModelText").value_or("");
    welder.area = read.Number(section, "Area", 0, kAreaCount - 1).value_or(0);
    welder.useRcWcd = read.Number(section, "UseRcWcd", 0, 1).value_or(1) == 1;
    for (int r = 0; r < kRegistrations && !problem; ++r) {
      const std::string reg = RegistrationSection(w, r);
      const std::string upper = std::string(kWelderPrefix) + std::to_string(w + 1) +
                                std::string(kRegistrationInfix) + std::to_string(r + 1);
      if (std::find(names.begin(), names.end(), upper) == names.end()) continue;
      RegistrationChoice choice;
      choice.entry = read.Text(reg, "Entry").value_or("");
      if (!problem && !IsSafeEntryName(choice.entry)) {
        read.Fail(SelectionsFault::BadEntryName, reg, "Entry");
      }
      choice.condition = read.Text(reg, "Condition").value_or("");
      const std::string digest = read.Text(reg, "Sha256").value_or("");
      if (!problem && !IsHexDigest(digest)) read.Fail(SelectionsFault::BadValue, reg, "Sha256");
      choice.sha256 = LowerHex(digest);
      welder.registrations[static_cast<std::size_t>(r)] = std::move(choice);
    }
    out.welders[static_cast<std::size_t>(w)] = std::move(welder);
  }
  if (problem) return refuse(std::move(*problem));
  return {std::move(out), {}};
}

std::optional<MatchProblem> MatchWelderKind(int welder, const WelderChoice& choice,
                                            int backupKind) {
  if (choice.welderKind == backupKind) return std::nullopt;
  MatchProblem problem = Mismatch(MatchFault::KindDiffers, welder, 0, {});
  problem.fileKind = choice.welderKind;
  problem.backupKind = backupKind;
  return problem;
}

RegistrationMatch MatchRegistrations(int welder, const WelderChoice& choice,
                                     const std::array<int, kRegistrations>& tableNumbers,
                                     const ListedCatalogue& catalogue) {
  RegistrationMatch out;
  out.modes.fill(-1);
  for (int r = 0; r < kRegistrations; ++r) {
    const auto& wanted = choice.registrations[static_cast<std::size_t>(r)];
    if (!wanted) continue;
    auto fail = [&](MatchFault fault) {
      out.problems.push_back(Mismatch(fault, welder, r, wanted->entry));
    };
    if (tableNumbers[static_cast<std::size_t>(r)] == -1) {
      fail(MatchFault::NoTable);
      continue;
    }
    const auto found = FindEntry(catalogue, wanted->entry);
    if (!found) {
      fail(MatchFault::EntryMissing);
      continue;
    }
    if (*found >= catalogue.hashes.size() ||
        !EqualsFolded(catalogue.hashes[*found], wanted->sha256)) {
      fail(MatchFault::TemplateChanged);
      continue;
    }
    out.modes[static_cast<std::size_t>(r)] = static_cast<int>(*found);
  }
  return out;
}

}  // namespace wisetup
