#include <algorithm>

#include "app/Mainunit.h"
#include "app/UiTexts.h"
#include "backup/TableFiles.h"
#include "platform/PathMap.h"

namespace wisetup {
namespace {

void ReportReadFailure(TForm1& form, const FileStatus& status, const std::string& path) {
  if (status.code == FileCode::CannotOpen) {
    form.ShowMessageBox(MessageKind::Error, FormatPath(form.UiText(TextRow::CannotOpen), path),
                        kOpenErrorCaption);
  } else {
    form.ShowMessageBox(MessageKind::Error, FormatPath(form.UiText(TextRow::CannotRead), path),
                        kReadErrorCaption);
  }
}

}  // namespace

bool TForm1::ReadRcWeldTable(const std::string& path, bool longForm) {
  WorkTable148 = RobotWeldTable(TableForm::Short);
  WorkTable224 = RobotWeldTable(TableForm::Long);
  RobotWeldTable& target = longForm ? WorkTable224 : WorkTable148;
  const FileStatus status = ReadRecordFile(path, target.MutableBytes());
  if (!status.ok()) {
    ReportReadFailure(*this, status, path);
    return false;
  }
  return true;
}

bool TForm1::ReadWholeTable(const FolderReader& weld, const std::string& name, bool longForm,
                            std::string& seen) {
  std::string found = name;
  FileStatus status = weld.ReadWholeFile(found, seen, Links::Refuse);
  if (status.code == FileCode::Missing) {
    // Only a name that is not there as written is looked up ignoring letter case.
    found = MapName(weld.Folder(), name);
    if (found != name) status = weld.ReadWholeFile(found, seen, Links::Refuse);
  }
  RobotWeldTable& target = longForm ? WorkTable224 : WorkTable148;
  // One read serves both: the record is the file's start, and all of it is kept to tell a later
  // change by someone else.
  if (status.ok() && seen.size() >= target.Bytes().size()) {
    WorkTable148 = RobotWeldTable(TableForm::Short);
    WorkTable224 = RobotWeldTable(TableForm::Long);
    std::copy_n(seen.begin(), target.MutableBytes().size(), target.MutableBytes().begin());
    return true;
  }
  seen.clear();
  // Anything else is read as before, for its message; a table read so is never rewritten, as
  // nothing of it is kept.
  return ReadRcWeldTable(weld.Folder() + "/" + found, longForm);
}

bool TForm1::ReadWpsModeRecord(const std::string& path) {
  WorkModeRecord = WpsModeRecord();
  const FileStatus status = ReadRecordFile(path, WorkModeRecord.MutableBytes());
  if (!status.ok()) {
    ReportReadFailure(*this, status, path);
    return false;
  }
  return true;
}

void TForm1::ShowCannotOpen(const std::string& nativePath) {
  ShowMessageBox(MessageKind::Error, FormatPath(UiText(TextRow::CannotOpen), nativePath),
                 kOpenErrorCaption);
}

}  // namespace wisetup
