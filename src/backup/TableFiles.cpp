#include <algorithm>

#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "platform/FileIo.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

// Reads a record into `target`, which has been cleared by the caller. Failures are reported by
// the form's message box in the current language.
FileStatus ReadRecord(const std::string& path, std::span<std::uint8_t> target) {
  if (path.empty()) return FileStatus::OpenFailed;
  std::vector<std::uint8_t> bytes;
  FileStatus status = ReadFilePrefix(NormalizePath(path), target.size(), bytes);
  if (status == FileStatus::OpenFailed)
    status = ReadFilePrefix(MapPath(path), target.size(), bytes);
  if (status == FileStatus::Ok) std::copy(bytes.begin(), bytes.end(), target.begin());
  return status;
}

void ReportFileFailure(TForm1& form, FileStatus status, const std::string& toolPath) {
  const std::string path = ShownPath(toolPath);
  switch (status) {
    case FileStatus::Ok:
      return;
    case FileStatus::OpenFailed:
      form.ShowMessageBox(MessageKind::Error, FormatPath(form.UiText(32), path), kOpenErrorCaption);
      return;
    case FileStatus::ReadFailed:
      form.ShowMessageBox(MessageKind::Error, FormatPath(form.UiText(33), path), kReadErrorCaption);
      return;
    case FileStatus::WriteFailed:
      form.ShowMessageBox(MessageKind::Error, FormatPath(form.UiText(34), path),
                          kWriteErrorCaption);
      return;
  }
}

}  // namespace

bool TForm1::ReadRcWeldTable(const std::string& path, bool longForm) {
  WorkTable148 = RobotWeldTable(TableForm::Short);
  WorkTable224 = RobotWeldTable(TableForm::Long);
  RobotWeldTable& target = longForm ? WorkTable224 : WorkTable148;
  const FileStatus status = ReadRecord(path, target.MutableBytes());
  if (status != FileStatus::Ok) {
    // A short or unreadable file must not leave part of a record behind.
    target = RobotWeldTable(target.Form());
    ReportFileFailure(*this, status, path);
    return false;
  }
  return true;
}

bool TForm1::ReadWpsModeRecord(const std::string& path) {
  WorkModeRecord = WpsModeRecord();
  const FileStatus status = ReadRecord(path, WorkModeRecord.MutableBytes());
  if (status != FileStatus::Ok) {
    WorkModeRecord = WpsModeRecord();
    ReportFileFailure(*this, status, path);
    return false;
  }
  return true;
}

bool TForm1::WriteRcWeldTable(const std::string& path, bool longForm) {
  const RobotWeldTable& source = longForm ? WorkTable224 : WorkTable148;
  const std::vector<std::uint8_t> bytes(source.Bytes().begin(), source.Bytes().end());
  const FileStatus status =
      path.empty() ? FileStatus::OpenFailed : WriteFileHeadAtomically(MapPath(path), bytes);
  ReportFileFailure(*this, status, path);
  return status == FileStatus::Ok;
}

}  // namespace wisetup
