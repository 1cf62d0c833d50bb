// The selections file: the engineer's choices for one backup (controller, and per welder its
// registered kind, model, area, check box and the catalogue entry chosen per registration), so
// that the same choices can be carried to the next backup of a production line; and the matching
// of those choices against what a loaded backup and its catalogue offer. Pure: no file is touched.
//
// The file is a profile (INI) file with CR LF lines, read by the rules of text/IniDocument.h
// (section and key names ignore letter case, blanks around names and values are trimmed, one pair
// of outer quotes is stripped, unknown sections and keys are ignored):
//
//   [Selections]
//   Version=1                    format version; a later one is refused
//   Controller=0                 item of the robot controller group, 0 or 1
//   [Welder1] .. [Welder4]       one per welder; a welder without its section is left alone
//   WelderKind=5                 the kind the backup registered, any integer
//   Model=1                      model index, 0 to 9
//   ModelText=HX-R350/R400       the model's item text, for a person reading the file
//   Area=0                       area index, 0 to 3
//   UseRcWcd=1                   0 or 1
//   [Welder1.Registration2]      one per registration (1 to 10) with a chosen mode
//   Entry=$WTBD12                the catalogue entry's file name
//   Condition=...                its condition text, for a person reading the file
//   Sha256=...                   64 hexadecimal digits (either case) of the template's bytes
//   [End]                        the last section; a file without it is taken as cut short
//
// Every key of a section named above is required. A file is refused whole, with the first reason
// found, when it is not a selections file, names a later version, has no [End], names one of the
// sections above twice (a second copy would be silently ignored by the profile rules, and a person
// who edited it would not know), names welder 5 or registration 11 (a controller this tool does not
// know), has a registration section whose welder section is missing, or holds a value out of its
// range. An entry name that is empty, ".", "..", or holds "/", "\" or a NUL byte is refused: the
// name is looked up in one catalogue folder and must never lead out of it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/WelderKinds.h"

namespace wisetup {

inline constexpr int kSelectionsVersion = 1;

struct RegistrationChoice {
  std::string entry;      // catalogue entry name, "$WTBD12"
  std::string sha256;     // lower-case hex of the template's bytes
  std::string condition;  // for a person; never matched
  bool operator==(const RegistrationChoice&) const = default;
};

struct WelderChoice {
  int welderKind = kNotRegistered;
  int model = 0;
  std::string modelText;  // for a person; never matched
  int area = 0;
  bool useRcWcd = true;
  std::array<std::optional<RegistrationChoice>, kRegistrations> registrations;
  bool operator==(const WelderChoice&) const = default;
};

struct Selections {
  int controller = 0;
  std::array<std::optional<WelderChoice>, kWelders> welders;
  bool operator==(const Selections&) const = default;
};

// The file content, CR LF lines. Text values are written so that they read back unchanged
// (QuoteProfileValue); a CR or LF in one cuts it there, as no profile line can hold it.
std::string FormatSelections(const Selections& selections);

enum class SelectionsFault {
  NotSelections,       // no [Selections] section with a Version key
  LaterVersion,        // number: the file's version
  CutShort,            // no [End] section
  Duplicated,          // section: named twice
  NoSuchWelder,        // section, number: a welder beyond the controller's four
  NoSuchRegistration,  // section, number: a registration beyond ten
  NoWelderSection,     // section: a registration whose welder section is missing
  MissingKey,          // section, key
  BadValue,            // section, key: not a number, or out of range
  BadEntryName,        // section, key: a name that could lead out of the catalogue folder
};

struct SelectionsProblem {
  SelectionsFault fault = SelectionsFault::NotSelections;
  std::string section;  // as the file spells it in upper case
  std::string key;
  int number = 0;
};

struct SelectionsRead {
  std::optional<Selections> selections;  // nothing when refused
  SelectionsProblem problem;             // why, when refused
};

SelectionsRead ParseSelections(std::string_view bytes);

// Whether `name` may be looked up in a catalogue folder (see above).
bool IsSafeEntryName(std::string_view name);

// --- matching against a loaded backup ------------------------------------------------------------

enum class MatchFault {
  KindDiffers,      // the backup registers another welder kind; nothing of the welder is applied
  ModelRefused,     // the pairing rule refuses the model for this welder (decided by the caller)
  EntryMissing,     // the catalogue listed for the welder has no entry of that name
  TemplateChanged,  // the entry is there but its template is not the one the file was saved with
  NoTable,          // the backup has no table for the registration
};

struct MatchProblem {
  MatchFault fault = MatchFault::KindDiffers;
  int welder = 0;        // 0-based
  int registration = 0;  // 0-based; unused for the welder faults
  std::string entry;
  int fileKind = 0;  // KindDiffers: the file's kind, and the backup's
  int backupKind = 0;
  bool operator==(const MatchProblem&) const = default;
};

// The catalogue listed for a welder: entry names and the hex SHA-256 of each template, in list
// order (the item order of the registration lists).
struct ListedCatalogue {
  std::vector<std::string> names;
  std::vector<std::string> hashes;
};

// The welder's kind fault, or nothing when the backup registers the kind the file names.
std::optional<MatchProblem> MatchWelderKind(int welder, const WelderChoice& choice, int backupKind);

struct RegistrationMatch {
  // The item to select per registration, -1 for none: a registration the file names no mode for,
  // or one whose mode cannot be applied.
  std::array<int, kRegistrations> modes{};
  std::vector<MatchProblem> problems;  // in registration order
};

// The modes of one welder's registrations in `catalogue`. An entry is found by its exact name, or
// else by the one name that equals it ignoring ASCII letter case (catalogues travel through FAT
// media); it counts only when its template's hash is the file's.
RegistrationMatch MatchRegistrations(int welder, const WelderChoice& choice,
                                     const std::array<int, kRegistrations>& tableNumbers,
                                     const ListedCatalogue& catalogue);

}  // namespace wisetup
