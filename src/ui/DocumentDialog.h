// The dialog of the preview and the report of Create Files: the text read-only in the fixed-pitch
// registration font, resizable, with Copy, Save..., Print..., Export PDF... and Close.
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>

#include "platform/Platform.h"

class QLabel;
class QPlainTextEdit;
class QPrinter;

namespace wisetup {

class DocumentDialog : public QDialog {
  Q_OBJECT

 public:
  // `language` names the parts of its own file dialogs.
  DocumentDialog(const DocumentView& view, QWidget* parent = nullptr, int language = 1);

  QString Text() const;
  // Write the text as UTF-8, or as PDF pages; false when the file cannot be written.
  bool SaveText(const QString& path) const;
  bool ExportPdf(const QString& path) const;
  // The text with the view's heading on the first page, as print and PDF carry it.
  PaperDocument Paper() const;
  // What the status line says now.
  QString Status() const;

 private:
  void Copy() const;
  void Save();
  void Print();
  void Pdf();
  // The file the user chooses in a save dialog, or nothing.
  QString AskSavePath(const std::string& filter, const QString& suffix);
  void Render(QPrinter& printer) const;
  void CannotWrite(const QString& path, const std::string& reason = {});
  void Saved(const QString& path);

  DocumentView view_;
  int language_;
  QPlainTextEdit* text_ = nullptr;
  QLabel* status_ = nullptr;
};

}  // namespace wisetup
