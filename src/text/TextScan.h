// The blank characters and integer syntaxes the tool's text files use, in one place. Each format
// has kept the rules its files were written with, so the functions take them as options.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
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

// Whether `bytes` begins with the UTF-16LE byte order mark (FF FE).
bool IsUtf16Le(std::string_view bytes);
// UTF-16LE text after its byte order mark as UTF-8, the tool's own text. Unpaired surrogates and a
// lone last byte become U+FFFD, so nothing of the file is silently dropped.
std::string Utf16LeToUtf8(std::string_view bytes);

// `text` in double quotes with C escapes: \n, \\, \" and \xHH (upper-case digits) for any other
// byte below 0x20; the form of every string in the driver's transcripts and the headless output.
std::string QuoteC(std::string_view text);

// A value as a message quotes it: at most `limit` characters, cut before a UTF-8 sequence, never
// inside one, and ended with "…" when cut.
std::string QuotedValue(std::string_view value, std::size_t limit = 64);

}  // namespace wisetup
