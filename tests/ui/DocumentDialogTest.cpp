// The dialog of the preview and the report: what the model composes is shown read-only in either
// language, and Save... and the PDF export write files that hold the same text.
#include <cmath>
#include <optional>
#include <string>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTimer>

#include "app/ChangeTexts.h"
#include "app/Mainunit.h"
#include "storage/History.h"
#include "ui/DocumentDialog.h"
#include "ui/MainWindow.h"
#include "ui/Paper.h"
#include "ui/Placement.h"

#include "QuietPlatform.h"

using wisetup::Ctl;
using wisetup::test::QuietPlatform;

namespace {

wisetup::ChangeList SampleList() {
  wisetup::ChangeList list;
  list.files.push_back({"/setup/ZelSetUp.ini",
                        wisetup::ComposedKind::SetupFile,
                        wisetup::FileState::Changed,
                        {{"SYSTEM/CONTROLLER", "2", "1"}, {"WELDER1_MODE1_WPS/ENABLED", "", "1"}},
                        {},
                        {}});
  list.files.push_back({"/weld/$WTBD1",
                        wisetup::ComposedKind::Table,
                        wisetup::FileState::Changed,
                        {},
                        {},
                        {{"", 100, 12, 0, 0}, {"METHOD", 112, 2, 1, 2}}});
  list.files.push_back(
      {"/weld/$WTBD2", wisetup::ComposedKind::Table, wisetup::FileState::Unchanged, {}, {}, {}});
  return list;
}

wisetup::DocumentView ViewOf(int language) {
  const std::string title = wisetup::ChangeTextOf(wisetup::ChangeText::PreviewTitle, language);
  return wisetup::DocumentViewOf(title, wisetup::ChangeListText(SampleList(), language),
                                 "cell1-preview-20261209-1804", {title, "Backup folder: /cell1"},
                                 language);
}

QString Q(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

class DocumentDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheListInBothLanguages_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("save");
    QTest::newRow("Japanese") << 0
                              << QStringList{Q("/setup/ZelSetUp.ini — 変更あり"),
                                             Q("  SYSTEM/CONTROLLER: 2 → 1"),
                                             Q("  WELDER1_MODE1_WPS/ENABLED: (なし) → 1"),
                                             Q("  オフセット 100 から 12 バイト"),
                                             Q("  METHOD: 1 → 2"),
                                             Q("/weld/$WTBD2 — 変更なし"),
                                             Q("  このテーブルは変更されません。")}
                              << Q("保存...");
    QTest::newRow("English") << 1
                             << QStringList{Q("/setup/ZelSetUp.ini — changed"),
                                            Q("  SYSTEM/CONTROLLER: 2 → 1"),
                                            Q("  WELDER1_MODE1_WPS/ENABLED: (none) → 1"),
                                            Q("  bytes at 100 (length 12)"),
                                            Q("  METHOD: 1 → 2"),
                                            Q("/weld/$WTBD2 — unchanged"),
                                            Q("  This table does not change."),
                                            Q("3 files are written; 2 of them change.")}
                             << Q("Save...");
  }
  void showsTheListInBothLanguages() {
    QFETCH(int, language);
    QFETCH(QStringList, lines);
    QFETCH(QString, save);
    wisetup::DocumentDialog dialog(ViewOf(language));
    auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("DocumentText"));
    QVERIFY(text != nullptr);
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->font().family(), wisetup::MainWindow::RegistrationFont().family());
    const QStringList shown = text->toPlainText().split(u'\n');
    for (const QString& line : lines) QVERIFY2(shown.contains(line), qPrintable(line));
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("DocumentSave"))->text(), save);
    for (const char* name : {"DocumentCopy", "DocumentPrint", "DocumentPdf", "DocumentClose"}) {
      QVERIFY(dialog.findChild<QPushButton*>(QString::fromLatin1(name)) != nullptr);
    }
    QVERIFY(dialog.isSizeGripEnabled());
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("DocumentCopy")),
                      Qt::LeftButton);
    QCOMPARE(QApplication::clipboard()->text(), text->toPlainText());
  }

  // The window's preview reaches the dialog with the texts of the active language.
  void previewOfTheModelIsShownInTheActiveLanguage() {
    QTemporaryDir setup;
    // A backup with no welder registered: only the setup file is written.
    QTemporaryDir backup;
    QVERIFY(QDir().mkpath(backup.filePath(QStringLiteral("WORK"))));
    QFile config(backup.filePath(QStringLiteral("WORK/Ac01arcw.CON")));
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write("[ARC_WELDER]\r\nA_KIND=0,0,0,0\r\n");
    config.close();
    for (const int language : {0, 1}) {
      QuietPlatform platform;
      wisetup::TForm1 form(platform);
      form.LanguageIndex = language;
      form.ApplyLanguage(language);
      form.LoadBackupFolder(backup.path().toStdString());
      form.C(Ctl::EditConfigFolder).Text = setup.path().toStdString();
      form.ButtonPreviewClick();
      QVERIFY(platform.shown.has_value());
      QVERIFY(platform.messages.empty());
      // Named for the backup and the minute ("YYYYMMDD-HHMM"), so that each cell's files keep
      // apart.
      const std::string named = QFileInfo(backup.path()).fileName().toStdString() + "-preview-";
      QCOMPARE(platform.shown->fileName.substr(0, named.size()), named);
      QCOMPARE(platform.shown->fileName.size(), named.size() + 13);
      QCOMPARE(platform.shown->heading.front(), platform.shown->title);
      // A front without a window puts the same on paper.
      const auto paper = form.ShownPaper();
      QVERIFY(paper.has_value());
      QCOMPARE(paper->heading.front(), platform.shown->title);
      QCOMPARE(paper->text, platform.shown->text);
      const QString expected =
          QString::fromStdString(setup.path().toStdString() + "/ZelSetUp.ini") +
          (language == 0 ? Q(" — 新規作成") : Q(" — new"));
      wisetup::DocumentDialog dialog(*platform.shown);
      QVERIFY2(dialog.Text().split(u'\n').contains(expected), qPrintable(dialog.Text()));
      QCOMPARE(dialog.windowTitle(), QString::fromStdString(wisetup::ChangeTextOf(
                                         wisetup::ChangeText::PreviewTitle, language)));
      QVERIFY(!QFile::exists(setup.filePath(QStringLiteral("ZelSetUp.ini"))));
    }
  }

  // The newest report is opened whatever its run's state; an undone run's is headed as such.
  void reportOfAnUndoneRunIsHeadedAsUndone() {
    QTemporaryDir data;
    const QString run = data.filePath(QStringLiteral("wisetup/history/20240102-030405"));
    QVERIFY(QDir().mkpath(run));
    QuietPlatform platform;
    platform.dataHome = data.path().toStdString();
    wisetup::TForm1 form(platform);
    form.LanguageIndex = 1;
    form.RefreshShowReport();
    QVERIFY(!form.C(Ctl::MenuShowReport).Enabled);
    QFile report(run + QStringLiteral("/report.txt"));
    QVERIFY(report.open(QIODevice::WriteOnly));
    report.write("Report of Create Files\n");
    report.close();
    form.RefreshShowReport();
    QVERIFY(form.C(Ctl::MenuShowReport).Enabled);
    const std::string undone =
        wisetup::ChangeTextOf(wisetup::ChangeText::ReportUndone, form.LanguageIndex);
    for (const bool undo : {false, true}) {
      if (undo) QVERIFY(wisetup::MarkUndone(run.toStdString()).ok());
      platform.shown.reset();
      form.MenuShowReportClick();
      QVERIFY(platform.shown.has_value());
      QCOMPARE(platform.shown->text.rfind(undone, 0) == 0, undo);
      QVERIFY(platform.shown->text.find("Report of Create Files\n") != std::string::npos);
      QCOMPARE(form.ShownReport, run.toStdString() + "/report.txt");
    }
  }

  void saveWritesTheTextAsUtf8() {
    QTemporaryDir dir;
    // The dialog proposes the document's own name; the user picks the folder.
    const QString path = dir.filePath(QStringLiteral("cell1-preview-20261209-1804.txt"));
    wisetup::DocumentDialog dialog(ViewOf(0));
    dialog.show();
    // The save dialog is answered as a user would: a file name typed, then accepted.
    bool answered = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (chooser == nullptr || answered) return;
      answered = true;
      chooser->setDirectory(QFileInfo(path).path());
      QMetaObject::invokeMethod(chooser, "accept", Qt::QueuedConnection);
    });
    poll.start(50);
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("DocumentSave")),
                      Qt::LeftButton);
    QVERIFY(answered);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), dialog.Text());
    QVERIFY(!dialog.SaveText(dir.filePath(QStringLiteral("missing/preview.txt"))));
  }

  void pdfHoldsTheText_data() {
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("Japanese") << 0 << QStringList{Q("変更なし"), Q("METHOD"), Q("$WTBD2")};
    QTest::newRow("English") << 1 << QStringList{Q("unchanged"), Q("METHOD"), Q("$WTBD2")};
  }
  void pdfHoldsTheText() {
    QFETCH(int, language);
    QFETCH(QStringList, words);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("preview.pdf"));
    wisetup::DocumentDialog dialog(ViewOf(language));
    QVERIFY(dialog.ExportPdf(pdf));
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(5) == "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QProcess process;
    process.start(pdftotext,
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    QCOMPARE(process.exitCode(), 0);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& word : words) QVERIFY2(text.contains(word), qPrintable(text));
  }

  // Underscores, full stops and commas are drawn inside their own line, where the next line
  // cannot paint over them: the text's spacing holds the font's descent.
  void punctuationIsDrawnWithinItsLine() {
    wisetup::DocumentView view = ViewOf(1);
    view.text = "A_B.C,D\nMMMMMMM\n";
    wisetup::DocumentDialog dialog(view);
    dialog.show();
    auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("DocumentText"));
    QVERIFY(text != nullptr);
    const QImage image = text->viewport()->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const QRgb background = image.pixel(image.width() - 1, image.height() - 1);
    auto at = [text](int position) {
      QTextCursor cursor(text->document());
      cursor.setPosition(position);
      return text->cursorRect(cursor);
    };
    // The glyph between positions `from` and `from + 1` of the first line.
    auto inked = [&](int from) {
      const QRect line = at(from);
      const int left = static_cast<int>(std::ceil((at(from).right() + 1) * scale));
      const int right = static_cast<int>(std::floor(at(from + 1).left() * scale));
      const int bottom = static_cast<int>(std::floor((line.bottom() + 1) * scale));
      for (int y = static_cast<int>(line.top() * scale); y < bottom && y < image.height(); ++y) {
        for (int x = left; x < right && x < image.width(); ++x) {
          if (qGray(image.pixel(x, y)) + 60 < qGray(background)) return true;
        }
      }
      return false;
    };
    QVERIFY2(inked(1), "underscore");
    QVERIFY2(inked(3), "full stop");
    QVERIFY2(inked(5), "comma");
  }

  // The status line says what was copied and where a file went; a PDF that cannot be written
  // leaves nothing behind.
  void statusSaysWhatWasDone() {
    QTemporaryDir dir;
    wisetup::DocumentDialog dialog(ViewOf(1));
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("DocumentCopy")),
                      Qt::LeftButton);
    const int lines = static_cast<int>(dialog.Text().count(u'\n'));
    QCOMPARE(dialog.Status(), QStringLiteral("%1 lines copied.").arg(lines));
    const QString folder = dir.filePath(QStringLiteral("folder.pdf"));
    QVERIFY(QDir().mkpath(folder));
    const wisetup::FileStatus onFolder =
        wisetup::WritePaperPdf(dialog.Paper(), wisetup::MainWindow::RegistrationFont(), folder);
    QCOMPARE(onFolder.code, wisetup::FileCode::NotRegular);
    const QString missing = dir.filePath(QStringLiteral("missing/x.pdf"));
    QCOMPARE(
        wisetup::WritePaperPdf(dialog.Paper(), wisetup::MainWindow::RegistrationFont(), missing)
            .code,
        wisetup::FileCode::FolderMissing);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 0);
  }

  // Each section starts a page under its heading; every page says which of how many it is.
  void paperCarriesHeadingsAndPageNumbers() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("line.pdf"));
    std::string longText;
    for (int i = 0; i < 150; ++i) longText += "line " + std::to_string(i) + "\n";
    const wisetup::PaperDocument paper{
        "Line",
        {{{"Line of 2 cells", "Selections: /x/cell.selections.ini"},
          "cell1: created\ncell2: refused\n"},
         {{"Report of Create Files", "Backup folder: /cell1"}, longText},
         {{"Preview of Create Files", "Backup folder: /cell2"}, "2 files are written\n"}},
        "page %1 of %2"};
    QVERIFY(wisetup::WritePaperPdf(paper, wisetup::MainWindow::RegistrationFont(), pdf).ok());
    QProcess process;
    process.start(pdftotext,
                  {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf, QStringLiteral("-")});
    QVERIFY(process.waitForFinished(30000));
    const QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    QVERIFY2(pages.size() >= 4, qPrintable(pages.join(u'|')));
    const int count = static_cast<int>(pages.size()) - 1;  // the text ends with a page break
    QVERIFY(pages[0].contains(QStringLiteral("Line of 2 cells")));
    QVERIFY(pages[0].contains(QStringLiteral("cell2: refused")));
    QVERIFY(pages[1].contains(QStringLiteral("Backup folder: /cell1")));
    QVERIFY(pages[count - 1].contains(QStringLiteral("Backup folder: /cell2")));
    for (int p = 0; p < count; ++p) {
      QVERIFY2(pages[p].contains(QStringLiteral("page %1 of %2").arg(p + 1).arg(count)),
               qPrintable(pages[p]));
    }
  }

  // However large the scale, a dialog fits the screen it opens on, moved back onto it when it
  // would stick out.
  void dialogFitsTheScreen() {
    wisetup::DocumentDialog dialog(ViewOf(0));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY(dialog.width() <= available.width());
    QVERIFY(dialog.height() <= available.height());
    QDialog large;
    large.setGeometry(available.right() - 10, available.top() - 50, available.width() * 2,
                      available.height() * 2);
    wisetup::FitOnScreenWhenShown(large);
    large.show();
    QTRY_VERIFY(available.contains(large.frameGeometry()));
  }
};

QTEST_MAIN(DocumentDialogTest)
#include "DocumentDialogTest.moc"
