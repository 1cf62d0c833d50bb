// The overview window against the window model, on the demo backup: it opens from its menu item,
// follows a choice made in the main window and the language, and Enter on a row takes the main
// window to that registration.
#include <filesystem>
#include <optional>
#include <string>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "QuietPlatform.h"
#include "demo-data/DemoData.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"

using wisetup::Ctl;

namespace {

using wisetup::test::QuietPlatform;

// The row of a registration (both from 0), or nothing.
QTreeWidgetItem* RowOf(QTreeWidget* grid, int welder, int registration) {
  for (int g = 0; g < grid->topLevelItemCount(); ++g) {
    QTreeWidgetItem* group = grid->topLevelItem(g);
    for (int i = 0; i < group->childCount(); ++i) {
      QTreeWidgetItem* item = group->child(i);
      if (item->data(0, Qt::UserRole).toInt() == welder &&
          item->data(0, Qt::UserRole + 1).toInt() == registration)
        return item;
    }
  }
  return nullptr;
}

constexpr int kStateColumn = 1;

}  // namespace

class OverviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_.emplace();
    const std::filesystem::path root = dir_->path().toStdString();
    wisetup::demo::WriteDemoCatalogue(root / "app");
    wisetup::demo::WriteDemoBackup(root / "demo");
    platform_.emplace((root / "app" / "wisetup").string());
    window_.emplace(*platform_);
    wisetup::TForm1& form = window_->Form();
    form.EachLanguageClick(1);
    form.RunHandler([&] { form.LoadBackupFolder((root / "demo").string()); });
    window_->Mirror();
    window_->show();
  }
  void cleanup() {
    window_.reset();
    platform_.reset();
    dir_.reset();
  }

  void OpensFromItsMenuItemAndFollowsAChoice() {
    auto* item = window_->findChild<QAction*>(QStringLiteral("MenuOverview"));
    QVERIFY(item != nullptr);
    QCOMPARE(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));
    item->trigger();
    wisetup::OverviewWindow* overview = window_->OverviewView();
    QVERIFY(overview != nullptr && overview->isVisible());
    QTreeWidgetItem* first = RowOf(overview->Grid(), 0, 0);
    QVERIFY(first != nullptr);
    QCOMPARE(first->text(kStateColumn), QStringLiteral("No model"));

    // A model chosen in the main window, as the user picks it.
    auto* models = window_->findChild<QComboBox*>(QStringLiteral("ComboBoxWpsWelder"));
    emit models->activated(1);
    first = RowOf(overview->Grid(), 0, 0);
    QCOMPARE(first->text(kStateColumn), QStringLiteral("No mode"));
    QVERIFY(overview->CountsLine()->text().contains(QStringLiteral("To do:")));
  }

  void EnterOnARowMovesTheMainWindow() {
    window_->findChild<QAction*>(QStringLiteral("MenuOverview"))->trigger();
    QTreeWidget* grid = window_->OverviewView()->Grid();
    // The last row of the last welder shown: another welder than the current one.
    QTreeWidgetItem* group = grid->topLevelItem(grid->topLevelItemCount() - 1);
    QTreeWidgetItem* last = group->child(group->childCount() - 1);
    const int welder = last->data(0, Qt::UserRole).toInt();
    const int registration = last->data(0, Qt::UserRole + 1).toInt();
    QVERIFY(welder != 0);
    grid->setCurrentItem(last);
    QTest::keyClick(grid, Qt::Key_Return);
    const wisetup::TForm1& form = window_->Form();
    QCOMPARE(form.CurrentWelder, welder);
    QCOMPARE(form.C(Ctl::ComboBoxWelderNo).ItemIndex, welder);
    QCOMPARE(form.C(Ctl::PageControlRejist).ActivePage, registration);
  }

  void FollowsTheLanguageAndClosesIntoTheModel() {
    window_->findChild<QAction*>(QStringLiteral("MenuOverview"))->trigger();
    wisetup::OverviewWindow* overview = window_->OverviewView();
    window_->findChild<QAction*>(QStringLiteral("N6"))->trigger();
    QCOMPARE(overview->windowTitle(), QStringLiteral("全体表示"));
    QCOMPARE(overview->Grid()->accessibleName(), QStringLiteral("登録の一覧"));
    QCOMPARE(RowOf(overview->Grid(), 0, 0)->text(kStateColumn), QStringLiteral("機種未選択"));
    overview->close();
    QVERIFY(!window_->Form().OverviewOpen);
    QVERIFY(!overview->isVisible());
  }

 private:
  std::optional<QTemporaryDir> dir_;
  std::optional<QuietPlatform> platform_;
  std::optional<wisetup::MainWindow> window_;
};

QTEST_MAIN(OverviewTest)
#include "OverviewTest.moc"
