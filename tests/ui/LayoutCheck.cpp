// Shows the main window at its minimum size in both languages and reports every control that lies
// outside the window or whose text does not fit its widget; then the overview of the demo backup,
// which must lie inside the screen with no text clipped. With --shots DIR it also saves a PNG of
// each. Exit status 0 when nothing is wrong.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "QuietPlatform.h"
#include "app/ChangeTexts.h"
#include "demo-data/DemoData.h"
#include "ui/DocumentDialog.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"

namespace {

using wisetup::test::QuietPlatform;

int problems = 0;

void Report(const QString& language, const QString& what) {
  ++problems;
  std::fprintf(stderr, "%s: %s\n", qPrintable(language), qPrintable(what));
}

// The width a widget needs to show its whole text.
std::optional<int> TextWidthNeeded(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->wordWrap() || label->text().isEmpty()) return std::nullopt;
    return label->sizeHint().width();
  }
  if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
    if (button->text().isEmpty()) return std::nullopt;
    // The size hint has the style's minimum button width; the text needs only its own.
    const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
    const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    return button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) + margin +
           2 * frame;
  }
  if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) {
    if (button->text().isEmpty() || qobject_cast<const QToolButton*>(button)) return std::nullopt;
    return button->sizeHint().width();
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
    if (group->title().isEmpty()) return std::nullopt;
    return group->minimumSizeHint().width();
  }
  return std::nullopt;
}

void Check(wisetup::MainWindow& window, const QString& language) {
  const QRect screen = window.screen()->availableGeometry();
  if (window.frameGeometry().width() > screen.width() ||
      window.frameGeometry().height() > screen.height()) {
    Report(language, QStringLiteral("the window (%1x%2) is larger than the screen (%3x%4)")
                         .arg(window.frameGeometry().width())
                         .arg(window.frameGeometry().height())
                         .arg(screen.width())
                         .arg(screen.height()));
  }
  if (const auto* more = window.menuBar()->findChild<QToolButton*>(); more && more->isVisible()) {
    Report(language, QStringLiteral("the menu bar hides menus behind its extension button"));
  }
  const QRect inside = window.rect();
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisible() || widget->isWindow()) continue;
    // The status bar's hint is a sentence; it is cut, like any status text, by design.
    if (widget->parentWidget() == static_cast<QWidget*>(window.statusBar())) continue;
    QString name = widget->objectName();
    if (name.isEmpty()) name = QString::fromLatin1(widget->metaObject()->className());
    const QRect at(widget->mapTo(&window, QPoint(0, 0)), widget->size());
    if (!inside.contains(at) && qobject_cast<QMenuBar*>(widget->parentWidget()) == nullptr) {
      Report(language, QStringLiteral("%1 lies outside the window").arg(name));
    }
    if (const auto needed = TextWidthNeeded(*widget); needed && *needed > widget->width()) {
      Report(language, QStringLiteral("%1 is clipped: needs %2, has %3")
                           .arg(name)
                           .arg(*needed)
                           .arg(widget->width()));
    }
  }
}

// The overview of the demo backup with a model chosen for welder 1, beside the main window.
void CheckOverview(const QString& language, const QTemporaryDir& dir, const QString& shots) {
  const std::filesystem::path root = dir.path().toStdString();
  wisetup::demo::WriteDemoCatalogue(root / "app");
  wisetup::demo::WriteDemoBackup(root / "demo");
  QuietPlatform platform((root / "app" / "wisetup").string());
  wisetup::MainWindow window(platform);
  wisetup::TForm1& form = window.Form();
  form.EachLanguageClick(language == QStringLiteral("ja") ? 0 : 1);
  form.RunHandler([&] { form.LoadBackupFolder((root / "demo").string()); });
  form.C(wisetup::Ctl::ComboBoxWpsWelder).ItemIndex = 1;
  form.RunHandler([&] { form.ComboBoxWpsWelderChange(); });
  form.Slots[0].SelectedModes[0] = 0;
  form.OverviewOpen = true;
  window.show();
  window.Mirror();
  wisetup::OverviewWindow& overview = *window.OverviewView();
  if (!QTest::qWaitForWindowExposed(&overview)) Report(language, QStringLiteral("no overview"));
  QTest::qWait(50);
  const QString name = language + QStringLiteral(" overview");
  if (!overview.screen()->availableGeometry().contains(overview.frameGeometry()))
    Report(name, QStringLiteral("the overview (%1,%2 %3x%4) lies outside the screen")
                     .arg(overview.frameGeometry().x())
                     .arg(overview.frameGeometry().y())
                     .arg(overview.frameGeometry().width())
                     .arg(overview.frameGeometry().height()));
  for (QWidget* widget : overview.findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    if (const auto needed = TextWidthNeeded(*widget); needed && *needed > widget->width()) {
      Report(name, QStringLiteral("%1 is clipped: needs %2, has %3")
                       .arg(widget->objectName())
                       .arg(*needed)
                       .arg(widget->width()));
    }
  }
  if (!shots.isEmpty()) {
    const QString file = QStringLiteral("%1/%2-overview-scale%3.png")
                             .arg(shots, language)
                             .arg(overview.screen()->devicePixelRatio());
    overview.grab().save(file);
    std::printf("saved %s\n", qPrintable(file));
  }
}

// The preview dialog opens within the screen with its buttons inside it, and is saved for a look.
void CheckPreview(int language, const QString& name, const QString& shots) {
  wisetup::ChangeList list;
  list.files.push_back({"/cell1/WORK/A_APPLICATION/WELD/$WTBD22",
                        wisetup::ComposedKind::Table,
                        wisetup::FileState::Changed,
                        {},
                        {},
                        {{"CONDITION1.COND_CURRENT_CMD", 112, 2, 120, 2541}}});
  wisetup::DocumentDialog dialog(
      wisetup::DocumentViewOf(wisetup::ChangeTextOf(wisetup::ChangeText::PreviewTitle, language),
                              wisetup::ChangeListText(list, language), "preview", {}, language));
  dialog.show();
  if (!QTest::qWaitForWindowExposed(&dialog)) Report(name, QStringLiteral("preview never shown"));
  QTest::qWait(50);
  const QRect available = dialog.screen()->availableGeometry();
  if (dialog.width() > available.width() || dialog.height() > available.height()) {
    Report(name, QStringLiteral("preview %1x%2 is larger than the screen")
                     .arg(dialog.width())
                     .arg(dialog.height()));
  }
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
    if (!dialog.rect().contains(QRect(button->mapTo(&dialog, QPoint(0, 0)), button->size()))) {
      Report(name, QStringLiteral("%1 lies outside the preview").arg(button->objectName()));
    }
  }
  if (shots.isEmpty()) return;
  const QString file = QStringLiteral("%1/preview-%2-scale%3.png")
                           .arg(shots, name)
                           .arg(dialog.screen()->devicePixelRatio());
  dialog.grab().save(file);
  std::printf("saved %s\n", qPrintable(file));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QString shots;
  const QStringList args = QApplication::arguments();
  if (const qsizetype at = args.indexOf(QStringLiteral("--shots"));
      at > 0 && at + 1 < args.size()) {
    shots = args[at + 1];
    QDir().mkpath(shots);
  }
  QTemporaryDir dir;
  QuietPlatform platform(dir.filePath(QStringLiteral("wisetup")).toStdString());
  const QScreen* screen = QGuiApplication::primaryScreen();
  std::printf("screen %dx%d, scale %.2f\n", screen->availableGeometry().width(),
              screen->availableGeometry().height(), screen->devicePixelRatio());
  for (const int language : {0, 1}) {
    const QString name = language == 0 ? QStringLiteral("ja") : QStringLiteral("en");
    wisetup::MainWindow window(platform);
    wisetup::TForm1& form = window.Form();
    form.ApplyLanguage(language);
    form.LanguageIndex = language;
    // Everything a loaded backup can show, shown at once.
    form.C(wisetup::Ctl::CheckBoxUseRcWCD).Visible = true;
    form.C(wisetup::Ctl::EditRcWelder).Text = language == 0 ? "未登録" : "Not Registered";
    const QSize minimum = window.minimumSizeHint();
    form.Placement = {0, 0, minimum.width(), minimum.height(), false};
    window.Mirror();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) Report(name, QStringLiteral("never shown"));
    QTest::qWait(50);
    std::printf("%s: minimum %dx%d, shown %dx%d\n", qPrintable(name), minimum.width(),
                minimum.height(), window.width(), window.height());
    Check(window, name);
    if (!shots.isEmpty()) {
      const QString file =
          QStringLiteral("%1/%2-scale%3.png").arg(shots, name).arg(screen->devicePixelRatio());
      window.grab().save(file);
      std::printf("saved %s\n", qPrintable(file));
    }
    CheckPreview(language, name, shots);
  }
  for (const QString& language : {QStringLiteral("ja"), QStringLiteral("en")}) {
    QTemporaryDir demo;
    CheckOverview(language, demo, shots);
  }
  std::printf("%s\n", problems == 0 ? "layout ok" : "layout problems found");
  return problems == 0 ? 0 : 1;
}
