#include "ui/DocumentDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QVBoxLayout>

#include "app/ChangeTexts.h"
#include "app/UiTexts.h"
#include "ui/Accessibility.h"
#include "ui/MainWindow.h"
#include "ui/Paper.h"
#include "ui/Placement.h"

namespace wisetup {

namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

// The folder the last document was saved in, where the next one is proposed.
QString& LastFolder() {
  static QString folder = QDir::homePath();
  return folder;
}

}  // namespace

DocumentDialog::DocumentDialog(const DocumentView& view, QWidget* parent, int language)
    : QDialog(parent), view_(view), language_(language) {
  setObjectName(QStringLiteral("DocumentDialog"));
  setWindowTitle(Qs(view.title));
  setSizeGripEnabled(true);
  auto* layout = new QVBoxLayout(this);
  text_ = new QPlainTextEdit(this);
  text_->setObjectName(QStringLiteral("DocumentText"));
  text_->setReadOnly(true);
  // Read-only takes the keyboard away; the caret keys walk and select it again.
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // The text is the document the title names.
  text_->setAccessibleName(Qs(view.title));
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_->setFont(MainWindow::RegistrationFont());
  text_->setPlainText(Qs(view.text));
  layout->addWidget(text_, 1);

  auto* buttons = new QDialogButtonBox(this);
  auto add = [&](const std::string& caption, const char* name, QDialogButtonBox::ButtonRole role) {
    QPushButton* button = buttons->addButton(Qs(caption), role);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
  };
  connect(add(view.copyCaption, "DocumentCopy", QDialogButtonBox::ActionRole),
          &QPushButton::clicked, this, [this] { Copy(); });
  connect(add(view.saveCaption, "DocumentSave", QDialogButtonBox::ActionRole),
          &QPushButton::clicked, this, [this] { Save(); });
  connect(add(view.printCaption, "DocumentPrint", QDialogButtonBox::ActionRole),
          &QPushButton::clicked, this, [this] { Print(); });
  connect(add(view.pdfCaption, "DocumentPdf", QDialogButtonBox::ActionRole), &QPushButton::clicked,
          this, [this] { Pdf(); });
  QPushButton* close = add(view.closeCaption, "DocumentClose", QDialogButtonBox::RejectRole);
  close->setDefault(true);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("DocumentStatus"));
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(status_);
  layout->addWidget(buttons);
  // Never larger than the screen, whatever its scale: the buttons must stay reachable.
  QSize size(760, 520);
  if (const QScreen* shown =
          parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen())
    size = size.boundedTo(shown->availableGeometry().size() * 9 / 10);
  resize(size);
}

QString DocumentDialog::Status() const {
  return status_->text();
}

PaperDocument DocumentDialog::Paper() const {
  return {view_.title, {{view_.heading, Text().toStdString()}}, view_.pageFormat};
}

void DocumentDialog::Saved(const QString& path) {
  LastFolder() = QFileInfo(path).absolutePath();
  status_->setText(Qs(FillText(view_.savedFormat, {QDir::toNativeSeparators(path).toStdString()})));
}

QString DocumentDialog::Text() const {
  return text_->toPlainText();
}

bool DocumentDialog::SaveText(const QString& path) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  const QByteArray bytes = Text().toUtf8();
  if (file.write(bytes) != bytes.size()) {
    file.cancelWriting();
    return false;
  }
  return file.commit();
}

void DocumentDialog::Render(QPrinter& printer) const {
  PaintPaper(Paper(), text_->font(), printer);
}

bool DocumentDialog::ExportPdf(const QString& path) const {
  return WritePaperPdf(Paper(), text_->font(), path).ok();
}

void DocumentDialog::Copy() const {
  const QString text = Text();
  QApplication::clipboard()->setText(text);
  const qsizetype lines = text.isEmpty() ? 0 : text.count(u'\n') + (text.endsWith(u'\n') ? 0 : 1);
  status_->setText(Qs(FillText(view_.copiedFormat, {std::to_string(lines)})));
}

QString DocumentDialog::AskSavePath(const std::string& filter, const QString& suffix) {
  const FocusReturn back(this);
  QFileDialog dialog(this);
  dialog.setOptions(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(Qs(filter));
  dialog.setDefaultSuffix(suffix);
  dialog.setDirectory(LastFolder());
  dialog.selectFile(QDir(LastFolder()).filePath(Qs(view_.fileName) + u'.' + suffix));
  FitOnScreenWhenShown(dialog);
  NameFileDialog(dialog, language_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void DocumentDialog::CannotWrite(const QString& path, const std::string& reason) {
  const FocusReturn back(this);
  std::string text = FormatPath(view_.cannotWrite, QDir::toNativeSeparators(path).toStdString());
  if (!reason.empty()) text += " (" + reason + ")";
  QMessageBox::critical(this, QString::fromLatin1(kWriteErrorCaption), Qs(text));
}

void DocumentDialog::Save() {
  const QString path = AskSavePath(view_.textFilter, QStringLiteral("txt"));
  if (path.isEmpty()) return;
  if (SaveText(path)) return Saved(path);
  CannotWrite(path);
}

void DocumentDialog::Pdf() {
  const QString path = AskSavePath(view_.pdfFilter, QStringLiteral("pdf"));
  if (path.isEmpty()) return;
  const FileStatus written = WritePaperPdf(Paper(), text_->font(), path);
  if (written.ok()) return Saved(path);
  CannotWrite(path, written.reason);
}

void DocumentDialog::Print() {
  const FocusReturn back(this);
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Qs(view_.title));
  QPrintDialog dialog(&printer, this);
  FitOnScreenWhenShown(dialog);
  if (dialog.exec() != QDialog::Accepted) return;
  Render(printer);
}

}  // namespace wisetup
