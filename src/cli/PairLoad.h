// What `apply` and `check` share before either writes or judges anything: the backup/setup pairs
// given, the pairs refused against each other, the selections file read once, the catalogue
// given with --catalogue, and one pair's backup loaded with the selections applied as the window
// would make them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Mainunit.h"
#include "cli/Command.h"
#include "selections/Selections.h"

namespace wisetup {

struct BackupPair {
  std::string backup;
  std::string setup;
};

// The --backup/--setup pairs in the order given, as absolute paths.
std::vector<BackupPair> PairsOf(const Arguments& arguments);

// Per pair, why it is refused for the others: a backup given twice, a setup folder shared.
std::vector<std::vector<std::string>> CrossRefusals(const std::vector<BackupPair>& pairs,
                                                    int language);

// The selections file of --selections, or nothing after saying once why it cannot be used.
std::optional<Selections> ReadSelectionsOnce(const Arguments& arguments, CommandContext& context);

// --catalogue DIR, declared by each command that takes it.
OptionSpec CatalogueOption();
// --selections FILE and --backup DIR, as every command over a line's pairs declares them.
OptionSpec SelectionsOption();
OptionSpec BackupOption();

// The catalogue folder of --catalogue (empty when not given: the window's places are used), or
// nothing after the usage error naming a folder that holds no catalogue.
std::optional<std::string> CatalogueOf(const Arguments& arguments, const CommandSpec& command,
                                       CommandContext& context);

// A window model in the command's language, using the catalogue given.
void PrepareForm(TForm1& form, const std::string& catalogue, CommandContext& context);

// Loads the pair's backup and applies the selections; false with the reasons when anything of
// them could not be applied.
bool LoadAndSelect(TForm1& form, const BackupPair& pair, const Selections& selections,
                   CommandContext& context, std::vector<std::string>& reasons);

}  // namespace wisetup
