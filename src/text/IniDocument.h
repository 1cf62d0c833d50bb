// A profile (INI) file held in memory: read once, looked up and changed key by key, written back in
// one atomic step. Lookup follows the classic profile-function rules (case-insensitive ASCII names,
// first section and first key of a name win, outer quotes stripped); writing keeps every other byte
// of the file, line endings included. Text is handled as bytes.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/FileIo.h"

namespace wisetup {

class IniDocument {
 public:
  IniDocument() = default;

  // Builds a document from file content. Never fails: lines that are neither sections nor keys are
  // kept as they are. Content that begins with the UTF-16LE byte order mark is read as that text
  // (as UTF-8) and is written back 8-bit.
  static IniDocument Parse(std::string_view bytes);

  // Reads the file at a native path. A missing or unreadable file gives an empty document.
  static IniDocument Load(const std::string& nativePath);

  // The value of the first key `key` in the first section `section`, trimmed and with one pair of
  // matching outer quotes removed; nothing when the section or key is missing.
  std::optional<std::string> Get(std::string_view section, std::string_view key) const;
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view defaultValue) const;

  // Every key lookups can reach, as (section, key) spelled as in the file, in the order of the
  // file.
  std::vector<std::pair<std::string, std::string>> ReachableKeys() const;

  // Sets a key: an existing key line becomes "Name=value" (its spelling kept); a new key goes after
  // the last key line of the section; a new section is appended at the end. New lines end in CR LF.
  // Section, key and value are cut at their first CR or LF, which could not be read back and would
  // otherwise inject lines of their own.
  void Set(std::string_view section, std::string_view key, std::string_view value);

  // Removes the key lines that lookups can never reach for the keys `wanted` accepts: further
  // copies of a key in its section, and its lines in later sections of the same name. Writers call
  // it so that a key they set occurs once; every other line stays as it is.
  void DropShadowedKeys(
      const std::function<bool(std::string_view section, std::string_view key)>& wanted);

  // The names of every section in file order, upper case, repeated names included: what a reader
  // needs to refuse sections it does not know or that occur twice.
  std::vector<std::string> SectionNames() const;

  // The whole file content as it is to be written.
  std::string Serialize() const;

  // Writes Serialize() to the native path atomically (WriteFileAtomically). On failure the file on
  // disk is as it was.
  FileStatus Save(const std::string& nativePath) const;

 private:
  struct Line {
    std::string text;    // without its line ending
    std::string ending;  // "\r\n", "\n", "\r" or "" for a last line without one
  };
  // A section header with the lines up to the next header. Lookups go through maps keyed by
  // upper-case names, so a large file is read and written in linear time.
  struct Section {
    std::string name;  // upper case
    Line header;
    std::vector<Line> body;
    std::unordered_map<std::string, std::size_t> firstKey;  // upper-case key -> body index
    std::optional<std::size_t> lastKey;                     // body index of the last key line
  };
  void AddSection(Section section);
  static void IndexKeys(Section& section);
  Line* LastLine();

  std::string bom_;
  std::vector<Line> preamble_;  // lines before the first section: never found
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> firstSection_;  // upper-case name -> index
};

// A text value as it is to be written so that it reads back unchanged: in double quotes when it
// begins or ends with a blank (which reading trims) or is itself wrapped in a pair of matching
// quotes (which reading strips); as it is otherwise.
std::string QuoteProfileValue(std::string_view value);

// The integer syntaxes of the profile files (ParseInt in text/TextScan.h with their options).
// Settings style: decimal with optional sign, or hexadecimal after "0x", "0X" or "$"; the whole
// text must be a number that fits in 32 bits.
std::optional<int> ParseSettingsInt(std::string_view text);
// Decimal with an optional sign, fitting in 32 bits (the list items of the backup configuration).
std::optional<int> ParseDecimalInt(std::string_view text);

}  // namespace wisetup
