// Helpers shared by the unit test programs: row names for table-driven tests, bytes in and out of
// files, patterned bytes, what stands where a record file is read, a fresh folder per test, and
// (for programs that link app) a Platform that records what it is asked to show.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <span>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace wisetup::test {

namespace fs = std::filesystem;

// Names each generated test after the `name` of its row.
struct RowName {
  template <typename Info>
  std::string operator()(const Info& row) const {
    return row.param.name;
  }
};

// Failing rows print their names, not their bytes.
template <typename Row>
requires requires(const Row& row) {
  row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
  *out << row.name;
}

// Text with embedded NULs, taken at its full length.
template <std::size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

inline std::string ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Creates the parent folders as needed.
inline void WriteBytes(const fs::path& path, const std::string& bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Bytes that differ from position to position and are never zero.
inline std::string Pattern(std::size_t size, unsigned seed) {
  std::string out(size, '\0');
  for (std::size_t i = 0; i < size; ++i) out[i] = static_cast<char>(1 + (i * 7 + seed) % 251);
  return out;
}

inline std::string BytesOf(std::span<const std::uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

inline bool AllZero(std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) {
    if (b != 0) return false;
  }
  return true;
}

inline void Fill(std::span<std::uint8_t> bytes, std::uint8_t value) {
  for (std::uint8_t& b : bytes) b = value;
}

// Where the read-failure rows lay out what stands in place of a record file.
inline fs::path TargetPath(const fs::path& dir) {
  return dir / "テーブル 1" / "$WTBD7";
}

// What stands where a record file is read, for the read-failure rows.
enum class Target { Missing, Folder, Empty, Short, EmptyPath };

// Lays out `target` at TargetPath(dir) and returns the path to read; Short is one byte less than
// `recordSize`.
inline std::string MakeTarget(Target target, const fs::path& dir, std::size_t recordSize) {
  std::string path = TargetPath(dir).string();
  switch (target) {
    case Target::Missing:
      break;
    case Target::Folder:
      fs::create_directories(path);
      break;
    case Target::Empty:
      WriteBytes(path, "");
      break;
    case Target::Short:
      WriteBytes(path, Pattern(recordSize - 1, 3));
      break;
    case Target::EmptyPath:
      path.clear();
      break;
  }
  return path;
}

// A new folder of a short random name below `parent`, open to its owner only; empty when none
// could be made. Only std::filesystem: it builds wherever the tool does.
inline fs::path MakeTempFolder(const fs::path& parent, const std::string& prefix) {
  std::random_device seed;
  std::mt19937 engine(seed());
  const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::error_code ec;
  for (int tries = 0; tries < 100; ++tries) {
    std::string name = prefix;
    for (int i = 0; i < 6; ++i) name += letters[engine() % (sizeof letters - 1)];
    const fs::path candidate = parent / name;
    if (fs::create_directory(candidate, ec) && !ec) {
      fs::permissions(candidate, fs::perms::owner_all, ec);
      return candidate;
    }
  }
  return {};
}

// A fresh folder below the system's temporary folder for each test (a short name, so that a
// socket path fits into sockaddr_un), with the few ways tests lay out and look at files in it.
class TempDirTest : public testing::Test {
 protected:
  void SetUp() override {
    std::error_code ec;
    const fs::path parent = fs::temp_directory_path(ec);
    if (!ec) dir_ = MakeTempFolder(parent, "wisetup-test-");
    if (dir_.empty()) FAIL() << "no temporary folder";
  }
  void TearDown() override {
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    for (const auto& entry : fs::recursive_directory_iterator(dir_, ec)) {
      if (entry.is_directory(ec) && !entry.is_symlink(ec)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ec);
      }
    }
    fs::remove_all(dir_, ec);
  }

  std::string Path(const std::string& relative) const { return (dir_ / relative).string(); }
  void MakeFolder(const std::string& relative) {
    std::error_code ec;
    ASSERT_TRUE(fs::create_directory(dir_ / relative, ec)) << ec.message();
    fs::permissions(dir_ / relative, fs::perms(0755), ec);
    ASSERT_FALSE(ec) << ec.message();
  }
  void MakeFile(const std::string& relative, const std::string& content, unsigned mode = 0644) {
    WriteBytes(dir_ / relative, content);
    std::error_code ec;
    fs::permissions(dir_ / relative, fs::perms(mode), ec);
    ASSERT_FALSE(ec) << ec.message();
  }
  std::string Content(const std::string& relative) const { return ReadBytes(dir_ / relative); }
  // The permission bits (with set-user, set-group and sticky).
  unsigned Mode(const std::string& relative) const {
    std::error_code ec;
    const fs::file_status status = fs::status(dir_ / relative, ec);
    EXPECT_FALSE(ec) << ec.message();
    return static_cast<unsigned>(status.permissions() & fs::perms::mask);
  }
  // Temporary files of ours left in the folder (an interrupted atomic write).
  int TempFileCount() const {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      if (entry.path().filename().string().starts_with(".wisetup-")) ++count;
    }
    return count;
  }

  fs::path dir_;
};

struct Shown {
  MessageKind kind;
  std::string text;
  std::string caption;
};

// Records every dialog, answers questions with `questionAnswer` and folder browsers from a queue
// (cancel when it is empty).
class RecordingPlatform : public Platform {
 public:
  std::vector<Shown> messages;
  std::vector<std::string> applicationErrors;
  std::vector<std::pair<std::string, std::string>> browsed;  // prompt, preselect
  std::deque<std::optional<std::string>> folderAnswers;
  MessageAnswer questionAnswer = MessageAnswer::No;
  int lcid = 1033;
  std::string executable = "/nowhere/wisetup";
  std::map<std::string, std::string> environment;
  std::string timestamp = "20240102-030405";
  std::optional<int> exitCode;

  MessageAnswer ShowMessage(MessageKind kind, const std::string& text,
                            const std::string& caption) override {
    messages.push_back({kind, text, caption});
    return kind == MessageKind::Question ? questionAnswer : MessageAnswer::Ok;
  }
  // The boxes that are no questions.
  std::vector<Shown> Boxes() const {
    std::vector<Shown> boxes;
    for (const Shown& m : messages) {
      if (m.kind != MessageKind::Question) boxes.push_back(m);
    }
    return boxes;
  }
  void ShowApplicationError(const std::string& text) override { applicationErrors.push_back(text); }
  std::optional<std::string> BrowseForFolder(const std::string& prompt,
                                             const std::string& preselect) override {
    browsed.emplace_back(prompt, preselect);
    if (folderAnswers.empty()) return std::nullopt;
    auto answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
  }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  int UserDefaultLcid() override { return lcid; }
  std::string ExecutablePath() override { return executable; }
  void ExitProcess(int code) override { exitCode = code; }
  // Only the variables a test sets: nothing of the machine's user is read or written.
  std::optional<std::string> Environment(const std::string& name) override {
    const auto found = environment.find(name);
    if (found == environment.end()) return std::nullopt;
    return found->second;
  }
  std::string LocalTimestamp() override { return timestamp; }
};

}  // namespace wisetup::test
