// Helpers shared by the unit test programs: row names for table-driven tests, bytes in and out of
// files, patterned bytes, a fresh folder per test, and (for programs that link app) a Platform that
// records what it is asked to show.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdint>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
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

// What stands where a record file is read, for the read-failure rows.
enum class Target { Missing, Folder, Empty, Short, EmptyPath, Fifo, BrokenLink, DeviceLink };

// Lays out `target` at a record path below `dir` and returns the path to read; Short is one byte
// less than `recordSize`.
inline std::string MakeTarget(Target target, const fs::path& dir, std::size_t recordSize) {
  std::string path = (dir / "テーブル 1" / "$WTBD7").string();
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
    case Target::Fifo:
      fs::create_directories(fs::path(path).parent_path());
      if (::mkfifo(path.c_str(), 0644) != 0) path.clear();
      break;
    case Target::BrokenLink:
      fs::create_directories(fs::path(path).parent_path());
      fs::create_symlink(dir / "nothing", path);
      break;
    case Target::DeviceLink:
      fs::create_directories(fs::path(path).parent_path());
      fs::create_symlink("/dev/zero", path);
      break;
  }
  return path;
}

// A fresh folder below /tmp for each test (short, so a socket path fits into sockaddr_un), with
// the few ways tests lay out and look at files in it.
class TempDirTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/wisetup-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
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
    ASSERT_EQ(::mkdir(Path(relative).c_str(), 0755), 0);
  }
  void MakeFile(const std::string& relative, const std::string& content, mode_t mode = 0644) {
    WriteBytes(dir_ / relative, content);
    ASSERT_EQ(::chmod(Path(relative).c_str(), mode), 0);
  }
  std::string Content(const std::string& relative) const { return ReadBytes(dir_ / relative); }
  mode_t Mode(const std::string& relative) const {
    struct stat info {};
    EXPECT_EQ(::stat(Path(relative).c_str(), &info), 0);
    return info.st_mode & 07777;
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
