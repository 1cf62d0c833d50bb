#include "ui/DocumentDialog.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPageLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QTextDocument>
#include <QVBoxLayout>

#include "app/UiTexts.h"
#include "ui/Accessibility.h"
#include "ui/MainWindow.h"

namespace wisetup {

namespace {

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
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
  layout->addWidget(buttons);
  resize(760, 520);
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
  QTextDocument document;
  document.setDefaultFont(text_->font());
  document.setPlainText(Text());
  document.print(&printer);
}

bool DocumentDialog::ExportPdf(const QString& path) const {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(path);
  printer.setDocName(Qs(view_.title));
  Render(printer);
  // The PDF engine says nothing about a failed write; the file tells.
  const QFileInfo written(path);
  return written.exists() && written.size() > 0;
}

void DocumentDialog::Copy() const {
  QApplication::clipboard()->setText(Text());
}

QString DocumentDialog::AskSavePath(const std::string& filter, const QString& suffix) {
  const FocusReturn back(this);
  QFileDialog dialog(this);
  dialog.setOptions(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(Qs(filter));
  dialog.setDefaultSuffix(suffix);
  QString name = Qs(view_.fileName);
  if (suffix != QStringLiteral("txt")) name = QFileInfo(name).completeBaseName() + u'.' + suffix;
  dialog.selectFile(QDir::home().filePath(name));
  NameFileDialog(dialog, language_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void DocumentDialog::CannotWrite(const QString& path) {
  const FocusReturn back(this);
  QMessageBox::critical(
      this, QString::fromLatin1(kWriteErrorCaption),
      Qs(FormatPath(view_.cannotWrite, QDir::toNativeSeparators(path).toStdString())));
}

void DocumentDialog::Save() {
  const QString path = AskSavePath(view_.textFilter, QStringLiteral("txt"));
  if (!path.isEmpty() && !SaveText(path)) CannotWrite(path);
}

void DocumentDialog::Pdf() {
  const QString path = AskSavePath(view_.pdfFilter, QStringLiteral("pdf"));
  if (!path.isEmpty() && !ExportPdf(path)) CannotWrite(path);
}

void DocumentDialog::Print() {
  const FocusReturn back(this);
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(Qs(view_.title));
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  Render(printer);
}

}  // namespace wisetup
