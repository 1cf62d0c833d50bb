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
