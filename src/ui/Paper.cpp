#include "ui/Paper.h"

#include <cerrno>
#include <cmath>
#include <vector>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include "app/ChangeTexts.h"
#include "ui/MainWindow.h"

namespace wisetup {
namespace {

struct PaperLine {
  QString text;
  bool heading = false;
};
using Page = std::vector<PaperLine>;

// The line's characters that fit `width`, the rest continuing on the next lines.
void AddWrapped(const QString& line, bool heading, const QFontMetricsF& metrics, qreal width,
                std::vector<PaperLine>& out) {
  if (metrics.horizontalAdvance(line) <= width) {
    out.push_back({line, heading});
    return;
  }
  QString rest = line;
  while (!rest.isEmpty()) {
    qsizetype fit = 1;
    while (fit < rest.size() && metrics.horizontalAdvance(rest.left(fit + 1)) <= width) ++fit;
    out.push_back({rest.left(fit), heading});
    rest = rest.mid(fit);
  }
}

std::vector<Page> Paginate(const PaperDocument& document, const QFontMetricsF& metrics, qreal width,
                           int linesPerPage) {
  std::vector<Page> pages;
  for (const PaperSection& section : document.sections) {
    std::vector<PaperLine> lines;
    for (const std::string& heading : section.heading) {
      AddWrapped(QString::fromStdString(heading), true, metrics, width, lines);
    }
    if (!section.heading.empty()) lines.push_back({});
    for (const QString& line : QString::fromStdString(section.text).split(u'\n')) {
      AddWrapped(line, false, metrics, width, lines);
    }
    pages.emplace_back();
    for (PaperLine& line : lines) {
      if (static_cast<int>(pages.back().size()) >= linesPerPage) pages.emplace_back();
      pages.back().push_back(std::move(line));
    }
  }
  if (pages.empty()) pages.emplace_back();
  return pages;
}

// Only what QSaveFile does not say by itself is told apart: where the file was to go.
FileStatus PdfFailure(const QString& path, const QString& reason) {
  const QFileInfo target(path);
  FileCode code = FileCode::CannotWrite;
  if (target.isDir()) {
    code = FileCode::NotRegular;
  } else if (!target.absoluteDir().exists()) {
    code = FileCode::FolderMissing;
  }
  FileStatus status = Failure(code, QFile::encodeName(path).toStdString());
  status.reason = reason.toStdString();
  return status;
}

}  // namespace

void PaintPaper(const PaperDocument& document, const QFont& font, QPagedPaintDevice& device) {
  QPainter painter(&device);
  painter.setFont(font);
  const QFontMetricsF metrics(font, &device);
  // Room below each line for the font's descent, where underscores and commas are drawn.
  const qreal step = std::ceil(metrics.ascent() + metrics.descent() * 1.5 + metrics.leading());
  const qreal width = device.width();
  const int linesPerPage = std::max(1, static_cast<int>((device.height() - 2 * step) / step));
  const std::vector<Page> pages = Paginate(document, metrics, width, linesPerPage);
  QFont bold = font;
  bold.setBold(true);
  const QString format = QString::fromStdString(document.pageFormat);
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (p > 0) device.newPage();
    qreal y = metrics.ascent();
    for (const PaperLine& line : pages[p]) {
      painter.setFont(line.heading ? bold : font);
      painter.drawText(QPointF(0, y), line.text);
      y += step;
    }
    painter.setFont(font);
    const QString footer = QString::fromStdString(
        FillText(format.toStdString(), {std::to_string(p + 1), std::to_string(pages.size())}));
    painter.drawText(QRectF(0, device.height() - step, width, step),
                     Qt::AlignHCenter | Qt::AlignBottom, footer);
  }
}

FileStatus WritePaperPdf(const PaperDocument& document, const QFont& font, const QString& path) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return PdfFailure(path, file.errorString());
  {
    QPdfWriter writer(&file);
    writer.setTitle(QString::fromStdString(document.title));
    writer.setCreator(QStringLiteral("wisetup"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    writer.setResolution(300);
    PaintPaper(document, font, writer);
  }
  if (file.error() != QFileDevice::NoError) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return PdfFailure(path, reason);
  }
  if (!file.commit()) return PdfFailure(path, file.errorString());
  return {};
}

FileStatus WritePdfFile(const PaperDocument& document, const std::string& path) {
  if (QGuiApplication::instance() == nullptr) {
    // Pages are drawn without a display.
    static int argc = 1;
    static char name[] = "wisetup";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(argc, argv);
  }
  return WritePaperPdf(document, MainWindow::RegistrationFont(),
                       QFile::decodeName(QByteArray::fromStdString(path)));
}

}  // namespace wisetup
