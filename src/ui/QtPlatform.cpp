#include "ui/QtPlatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>

#include "ui/Accessibility.h"
#include "ui/DocumentDialog.h"
#include "ui/MainWindow.h"
#include "ui/Paper.h"
#include "ui/Placement.h"

namespace wisetup {

namespace {

// Paths travel through the model as the bytes the file system uses.
QString PathFromModel(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}
std::string PathToModel(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

QString TextFromModel(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

QStringList NameFiltersOf(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
      patterns << p.trimmed();
    }
    filters << parts[i] + QStringLiteral(" (") + patterns.join(u' ') + u')';
  }
  return filters;
}

void QtPlatform::ShowDocument(const DocumentView& view) {
  const FocusReturn back(owner_);
  BeforeModal();
  DocumentDialog dialog(view, owner_, Language());
  FitOnScreenWhenShown(dialog);
  dialog.exec();
}

FileStatus QtPlatform::WritePdf(const PaperDocument& document, const std::string& path) {
  return WritePaperPdf(document, MainWindow::RegistrationFont(), PathFromModel(path));
}

void QtPlatform::BeforeModal() const {
  if (beforeModal_) beforeModal_();
}

MessageAnswer QtPlatform::AskDefaultNo(const std::string& text, const std::string& caption) {
  BeforeModal();
  QMessageBox box(QMessageBox::Warning, TextFromModel(caption), TextFromModel(text),
                  QMessageBox::Yes | QMessageBox::No, owner_);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

MessageAnswer QtPlatform::ShowMessage(MessageKind kind, const std::string& text,
                                      const std::string& caption) {
  const FocusReturn back(owner_);
  BeforeModal();
  QMessageBox::Icon icon = QMessageBox::Information;
  QMessageBox::StandardButtons buttons = QMessageBox::Ok;
  switch (kind) {
    case MessageKind::Error:
      icon = QMessageBox::Critical;
      break;
    case MessageKind::Question:
      icon = QMessageBox::Question;
      buttons = QMessageBox::Yes | QMessageBox::No;
      break;
    case MessageKind::Information:
      break;
  }
  QMessageBox box(icon, TextFromModel(caption), TextFromModel(text), buttons, owner_);
  box.setTextFormat(Qt::PlainText);
  if (kind != MessageKind::Question) {
    box.exec();
    return MessageAnswer::Ok;
  }
  // Closing the box any other way than with Yes counts as No.
  return box.exec() == QMessageBox::Yes ? MessageAnswer::Yes : MessageAnswer::No;
}

void QtPlatform::ShowApplicationError(const std::string& text) {
  const FocusReturn back(owner_);
  BeforeModal();
  QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(), TextFromModel(text),
                  QMessageBox::Ok, owner_);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

namespace {

// Opens the dialog in `folder` when that folder exists; the first chosen path, or nothing.
std::optional<QString> RunDialog(QFileDialog& dialog, const std::string& folder, int language) {
  NameFileDialog(dialog, language);
  const QString start = PathFromModel(folder);
  if (!start.isEmpty() && QDir(start).exists()) dialog.setDirectory(start);
  FitOnScreenWhenShown(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return std::nullopt;
  return chosen.front();
}

}  // namespace

std::optional<std::string> QtPlatform::BrowseForFolder(const std::string& prompt,
                                                       const std::string& preselect) {
  const FocusReturn back(owner_);
  BeforeModal();
  QFileDialog dialog(owner_);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // Without a window manager the title is invisible; the prompt must sit inside the dialog.
  auto* label = new QLabel(TextFromModel(prompt), &dialog);
  label->setWordWrap(true);
  label->setObjectName(QStringLiteral("BrowsePrompt"));
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    grid->addWidget(label, grid->rowCount(), 0, 1, grid->columnCount());
  } else if (dialog.layout() != nullptr) {
    dialog.layout()->addWidget(label);
  }
  dialog.setWindowTitle(TextFromModel(prompt));
  const auto chosen = RunDialog(dialog, preselect, Language());
  if (!chosen) return std::nullopt;
  return PathToModel(QDir(*chosen).absolutePath());
}

std::optional<std::string> QtPlatform::OpenFile(const std::string& initialFolder,
                                                const std::string& filter) {
  return OpenFileTitled(initialFolder, filter, {});
}

std::optional<std::string> QtPlatform::OpenFileTitled(const std::string& initialFolder,
                                                      const std::string& filter,
                                                      const std::string& title) {
  const FocusReturn back(owner_);
  BeforeModal();
  QFileDialog dialog(owner_);
  PrepareOpenDialog(dialog, filter);
  if (!title.empty()) dialog.setWindowTitle(TextFromModel(title));
  const auto chosen = RunDialog(dialog, initialFolder, Language());
  if (!chosen) return std::nullopt;
  return PathToModel(QFileInfo(*chosen).absoluteFilePath());
}

void QtPlatform::PrepareOpenDialog(QFileDialog& dialog, const std::string& filter) {
  dialog.setObjectName(QStringLiteral("OpenDialog1"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  // A mistyped name would otherwise be read as an empty setup file.
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  // Without CaseSensitive the name filters match either case: a setup file copied through FAT
  // media as ZELSETUP.INI is still listed.
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  dialog.setNameFilters(NameFiltersOf(filter));
}

std::optional<std::string> QtPlatform::SaveFile(const std::string& initialPath,
                                                const std::string& filter) {
  const FocusReturn back(owner_);
  BeforeModal();
  QFileDialog dialog(owner_);
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Qt's own dialog, so that it speaks the window's language like the other dialogs.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setNameFilters(NameFiltersOf(filter));
  const QFileInfo initial(PathFromModel(initialPath));
  if (initial.absoluteDir().exists()) dialog.setDirectory(initial.absoluteDir());
  dialog.selectFile(initial.fileName());
  const auto chosen = RunDialog(dialog, std::string(), Language());
  if (!chosen) return std::nullopt;
  return PathToModel(QFileInfo(*chosen).absoluteFilePath());
}

int QtPlatform::UserDefaultLcid() {
  const QLocale locale = QLocale::system();
  const bool japan = locale.language() == QLocale::Japanese && locale.territory() == QLocale::Japan;
  return japan ? 1041 : 1033;
}

std::string QtPlatform::ExecutablePath() {
  return PathToModel(QCoreApplication::applicationFilePath());
}

void QtPlatform::ExitProcess(int code) {
  QCoreApplication::exit(code);
}

std::string QtPlatform::ToolkitVersion() {
  return std::string("Qt ") + qVersion();
}

}  // namespace wisetup
