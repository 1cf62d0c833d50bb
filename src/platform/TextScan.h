// The blank characters and integer syntaxes the tool's text files use, in one place. Each format
// has kept the rules its files were written with, so the functions take them as options.
#pragma once

#include <optional>
#include <string_view>

namespace wisetup {

enum class Blanks {
  SpaceTab,        // profile files: space and tab
  CSpace,          // setup file values: space, tab, CR, LF, VT, FF
  ControlOrSpace,  // configuration lists: space and every control character below it
};

bool IsBlank(char c, Blanks blanks);

// `text` without the blanks at either end.
std::string_view TrimBlanks(std::string_view text, Blanks blanks);

struct IntSyntax {
  bool hex0x = false;      // hexadecimal after "0x" or "0X" (no sign)
  bool hexDollar = false;  // hexadecimal after "$" (no sign)
};

// Decimal with an optional sign, or hexadecimal after the prefixes `syntax` allows; the whole
// text must be the number and fit in a signed 32-bit value (hexadecimal up to its maximum).
// Nothing otherwise.
std::optional<int> ParseInt(std::string_view text, IntSyntax syntax = {});

}  // namespace wisetup
