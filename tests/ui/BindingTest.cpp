// The Qt view against its window model: every control has its widget, the widgets show the
// model's state, mirroring runs no handler, and the user's actions reach the model.
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeySequence>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "app/ShellTexts.h"
#include "app/UiTexts.h"
#include "ui/MainWindow.h"
#include "ui/Placement.h"
#include "ui/QtPlatform.h"

#include "QuietPlatform.h"

using wisetup::Ctl;
using wisetup::test::QuietPlatform;

namespace {

// Cancels every dialog and keeps every message it is asked to show.
QString NameOf(Ctl c) {
  return QString::fromStdString(wisetup::InfoOf(c).name);
}

// The nearest ancestor that is a control of the table.
QString ControlParentOf(const QObject* object) {
  for (const QObject* up = object->parent(); up != nullptr; up = up->parent()) {
    if (wisetup::ControlByName(up->objectName().toStdString()) != Ctl::Count) {
      return up->objectName();
    }
  }
  return {};
}

// Makes `c`, its parents and its tab usable in the model, as a loaded backup would.
void MakeUsable(wisetup::TForm1& form, Ctl c) {
  for (Ctl at = c; at != Ctl::Form1; at = wisetup::InfoOf(at).parent) {
    form.C(at).Enabled = true;
    form.C(at).Visible = true;
    if (at >= wisetup::TabOf(0) && at <= wisetup::TabOf(9)) {
      form.C(Ctl::PageControlRejist).ActivePage =
          static_cast<int>(at) - static_cast<int>(Ctl::Tab1);
    }
  }
}

// Picks the item below the current one in the open list, as a user does with the mouse or keys.
void PickNextFromPopup(QComboBox* box) {
  box->showPopup();
  QTRY_VERIFY(box->view()->isVisible());
  QTest::keyClick(box->view(), Qt::Key_Down);
  QTest::keyClick(box->view(), Qt::Key_Return);
  QTRY_VERIFY(!box->view()->isVisible());
}

void Wheel(QWidget* widget, int delta) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  QWheelEvent event(at, widget->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

}  // namespace

class BindingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    platform_ = std::make_unique<QuietPlatform>(dir_.filePath("wisetup").toStdString());
    window_ = std::make_unique<wisetup::MainWindow>(*platform_);
  }
  void cleanup() {
    window_.reset();
    platform_.reset();
  }

  void everyControlIsAWidgetUnderItsParent() {
    for (int i = 0; i < wisetup::kControlCount; ++i) {
      const Ctl c = static_cast<Ctl>(i);
      // The file dialog exists only while it is open.
      if (c == Ctl::OpenDialog1 || c == Ctl::Form1) continue;
      const QString name = NameOf(c);
      const QObject* object = window_->findChild<QObject*>(name);
      QVERIFY2(object != nullptr, qPrintable(name));
      QCOMPARE(ControlParentOf(object), NameOf(wisetup::InfoOf(c).parent));
    }
    QCOMPARE(window_->objectName(), NameOf(Ctl::Form1));
  }

  void initialStateIsShown_data() {
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("hidden");
    QTest::newRow("welder number waits for a backup") << "ComboBoxWelderNo" << false << false;
    QTest::newRow("model list waits for a backup") << "ComboBoxWpsWelder" << false << false;
    QTest::newRow("create is possible at once") << "ButtonMakeConfig" << true << false;
    QTest::newRow("preview goes with create") << "ButtonPreview" << true << false;
    QTest::newRow("robot controller is fixed") << "RadioGroupRobotController" << false << false;
    QTest::newRow("use-robot-data is hidden") << "CheckBoxUseRcWCD" << false << true;
    QTest::newRow("transfer rate is never shown") << "GroupBoxBaudrate" << false << true;
  }
  void initialStateIsShown() {
    QFETCH(QString, control);
    QFETCH(bool, enabled);
    QFETCH(bool, hidden);
    const auto* widget = window_->findChild<QWidget*>(control);
    QVERIFY(widget != nullptr);
    QCOMPARE(widget->isEnabled(), enabled);
    QCOMPARE(widget->isHidden(), hidden);
  }

  void initialTextsAreShown() {
    QCOMPARE(window_->windowTitle(),
             QString::fromStdString(wisetup::UiTextOf(wisetup::TextRow::Title, 0)));
    QCOMPARE(Find<QComboBox>("ComboBoxWpsWelder")->count(), 10);
    QCOMPARE(Find<QComboBox>("ComboBoxWpsWelder")->maxVisibleItems(), 10);
    QCOMPARE(Find<QComboBox>("ComboBoxWpsWModeR1")->maxVisibleItems(), 12);
    QVERIFY(Find<QCheckBox>("CheckBoxUseRcWCD")->isChecked());
    const auto radios =
        Find<QGroupBox>("RadioGroupRobotController")->findChildren<QAbstractButton*>();
    QCOMPARE(radios.size(), 2);
    QCOMPARE(radios[0]->text(), QStringLiteral("ZR-A"));
    QVERIFY(radios[0]->isChecked());
    QCOMPARE(Find<QPushButton>("ButtonBackupFolder")->text(), QStringLiteral("..."));
  }

  void mirroringFromCodeRunsNoHandler() {
    wisetup::TForm1& form = window_->Form();
    form.C(Ctl::ComboBoxWelderNo).Enabled = true;
    form.C(Ctl::ComboBoxWelderNo).ItemIndex = 2;
    form.C(Ctl::CheckBoxUseRcWCD).Visible = true;
    form.C(Ctl::CheckBoxUseRcWCD).Enabled = true;
    form.C(Ctl::CheckBoxUseRcWCD).Checked = false;
    form.C(wisetup::TabOf(3)).Visible = false;
    form.C(Ctl::PageControlRejist).ActivePage = 4;
    form.C(wisetup::EditRcWModeOf(4)).Text = "直流ﾊﾟﾙｽ";
    window_->Mirror();

    QCOMPARE(Find<QComboBox>("ComboBoxWelderNo")->currentIndex(), 2);
    QVERIFY(Find<QComboBox>("ComboBoxWelderNo")->isEnabled());
    QVERIFY(!Find<QCheckBox>("CheckBoxUseRcWCD")->isChecked());
    const auto* tabs = Find<QTabWidget>("PageControlRejist");
    QVERIFY(!tabs->isTabVisible(3));
    QCOMPARE(tabs->currentIndex(), 4);
    QCOMPARE(Find<QLineEdit>("EditRcWModeR5")->text(), QString::fromUtf8("直流ﾊﾟﾙｽ"));
    // Had a handler run, the welder would have changed or a message been shown.
    QCOMPARE(form.CurrentWelder, 0);
    QCOMPARE(form.C(Ctl::ComboBoxWelderNo).ItemIndex, 2);
    QVERIFY(platform_->messages.empty());
  }

  void userPickReachesTheModel() {
    wisetup::TForm1& form = window_->Form();
    form.C(Ctl::ComboBoxWelderNo).Enabled = true;
    window_->Mirror();
    QTest::keyClick(Find<QComboBox>("ComboBoxWelderNo"), Qt::Key_Down);
    QCOMPARE(form.C(Ctl::ComboBoxWelderNo).ItemIndex, 1);
    QCOMPARE(form.CurrentWelder, 1);
  }

  void languageItemCarriesItsTag() {
    Find<QAction>("N5")->trigger();
    QCOMPARE(window_->Form().LanguageIndex, 1);
    QCOMPARE(window_->windowTitle(),
             QString::fromStdString(wisetup::UiTextOf(wisetup::TextRow::Title, 1)));
    QVERIFY(Find<QAction>("N5")->isChecked());
    QVERIFY(!Find<QAction>("N6")->isChecked());
  }

  // Every menu item and menu title has an access key that works like the others, in both
  // languages; a caption without "&" would show the letter as plain text.
  void everyMenuCaptionHasAnAccessKey() {
    for (const char* language : {"N5", "N6"}) {
      Find<QAction>(language)->trigger();
      for (const char* name : {"MenuRestoreOriginals", "MenuShowReport", "MenuSaveSelections",
                               "MenuApplySelections", "MenuAbout", "N1", "N2", "N3"}) {
        const QString text = Find<QAction>(name)->text();
        QVERIFY2(!QKeySequence::mnemonic(text).isEmpty(), qPrintable(text));
      }
      for (const char* name : {"MenuHelp", "MenuSettings"}) {
        const QString title = Find<QMenu>(name)->title();
        QVERIFY2(!QKeySequence::mnemonic(title).isEmpty(), qPrintable(title));
      }
    }
    QCOMPARE(QKeySequence::mnemonic(Find<QAction>("MenuRestoreOriginals")->text()),
             QKeySequence(Qt::ALT | Qt::Key_U));
    QCOMPARE(QKeySequence::mnemonic(Find<QAction>("MenuShowReport")->text()),
             QKeySequence(Qt::ALT | Qt::Key_T));
    QCOMPARE(QKeySequence::mnemonic(Find<QMenu>("MenuHelp")->title()),
             QKeySequence(Qt::ALT | Qt::Key_H));
  }

  void exitButtonSkipsFormClose() {
    Find<QPushButton>("ButtonExit")->click();
    QCOMPARE(platform_->exitCode, std::optional<int>(0));
    QVERIFY(window_->close());
    QVERIFY(!window_->Form().Closed);
  }

  void closeBoxRunsFormClose() {
    QVERIFY(window_->close());
    QVERIFY(window_->Form().Closed);
  }

  void everyInteractiveControlReachesItsHandler_data() {
    QTest::addColumn<int>("control");
    for (int i = 0; i < wisetup::kControlCount; ++i) {
      const wisetup::ControlInfo& info = wisetup::InfoOf(static_cast<Ctl>(i));
      if (info.action == wisetup::UserAction::None || info.handler == nullptr) continue;
      QTest::newRow(info.name.c_str()) << i;
    }
  }
  void everyInteractiveControlReachesItsHandler() {
    QFETCH(int, control);
    const Ctl c = static_cast<Ctl>(control);
    wisetup::TForm1& form = window_->Form();
    MakeUsable(form, c);
    if (wisetup::InfoOf(c).action == wisetup::UserAction::Pick && form.C(c).Items.size() < 2) {
      form.C(c).Items = {"first", "second", "third"};
    }
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QSignalSpy started(window_.get(), &wisetup::MainWindow::HandlerStarted);

    QObject* object = window_->findChild<QObject*>(NameOf(c));
    QVERIFY(object != nullptr);
    switch (wisetup::InfoOf(c).action) {
      case wisetup::UserAction::Click:
        if (auto* action = qobject_cast<QAction*>(object)) {
          QVERIFY(action->isEnabled());
          action->trigger();
        } else {
          auto* button = qobject_cast<QPushButton*>(object);
          QVERIFY(button != nullptr && button->isVisible() && button->isEnabled());
          QTest::mouseClick(button, Qt::LeftButton);
        }
        break;
      case wisetup::UserAction::Pick: {
        auto* box = qobject_cast<QComboBox*>(object);
        QVERIFY(box != nullptr && box->isVisible() && box->isEnabled());
        PickNextFromPopup(box);
        break;
      }
      case wisetup::UserAction::Toggle: {
        auto* check = qobject_cast<QCheckBox*>(object);
        QVERIFY(check != nullptr && check->isVisible() && check->isEnabled());
        const bool before = check->isChecked();
        QTest::mouseClick(check, Qt::LeftButton);
        QCOMPARE(form.C(c).Checked, !before);
        break;
      }
      case wisetup::UserAction::None:
        break;
    }
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), control);
  }

  void wheelChangesOnlyAFocusedList_data() {
    QTest::addColumn<QString>("list");
    QTest::newRow("model") << "ComboBoxWpsWelder";
    QTest::newRow("area") << "ComboBoxArea";
    QTest::newRow("welder number") << "ComboBoxWelderNo";
    QTest::newRow("mode of registration 1") << "ComboBoxWpsWModeR1";
  }
  void wheelChangesOnlyAFocusedList() {
    QFETCH(QString, list);
    wisetup::TForm1& form = window_->Form();
    const Ctl c = wisetup::ControlByName(list.toStdString());
    MakeUsable(form, c);
    if (form.C(c).Items.size() < 2) form.C(c).Items = {"first", "second", "third"};
    form.C(c).ItemIndex = 0;
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* box = Find<QComboBox>(qPrintable(list));
    QCOMPARE(box->focusPolicy(), Qt::StrongFocus);
    QSignalSpy started(window_.get(), &wisetup::MainWindow::HandlerStarted);

    Find<QPushButton>("ButtonExit")->setFocus();
    Wheel(box, -120);
    QCOMPARE(box->currentIndex(), 0);
    QCOMPARE(form.C(c).ItemIndex, 0);
    QCOMPARE(started.count(), 0);
    QVERIFY(!box->hasFocus());

    box->setFocus();
    QTRY_VERIFY(box->hasFocus());
    Wheel(box, -120);
    // The handler decides what stays (a model without a backup is refused); it was reached.
    QCOMPARE(started.count(), 1);
  }

  void arrowKeysOpenTheModelAndAreaLists_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("key");
    for (const char* list : {"ComboBoxWpsWelder", "ComboBoxArea"}) {
      QTest::addRow("%s down", list) << list << int(Qt::Key_Down);
      QTest::addRow("%s up", list) << list << int(Qt::Key_Up);
      QTest::addRow("%s page down", list) << list << int(Qt::Key_PageDown);
      QTest::addRow("%s end", list) << list << int(Qt::Key_End);
      QTest::addRow("%s letter", list) << list << int(Qt::Key_H);
    }
  }
  void arrowKeysOpenTheModelAndAreaLists() {
    QFETCH(QString, list);
    QFETCH(int, key);
    wisetup::TForm1& form = window_->Form();
    const Ctl c = wisetup::ControlByName(list.toStdString());
    MakeUsable(form, c);
    form.C(c).ItemIndex = 1;
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* box = Find<QComboBox>(qPrintable(list));
    box->setFocus();
    QSignalSpy started(window_.get(), &wisetup::MainWindow::HandlerStarted);

    QTest::keyClick(box, static_cast<Qt::Key>(key));
    QTRY_VERIFY(box->view()->isVisible());
    QCOMPARE(box->currentIndex(), 1);
    QCOMPARE(form.C(c).ItemIndex, 1);
    QCOMPARE(started.count(), 0);
    QVERIFY(platform_->messages.empty());
    box->hidePopup();
    QTRY_VERIFY(!box->view()->isVisible());
    QCOMPARE(started.count(), 0);
  }

  void tabKeysMoveBetweenVisibleTabs_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QList<int>>("pages");  // the active page after each press, from page 1
    QTest::addColumn<QString>("focus");     // what has the focus before the first press
    const QList<int> forward{2, 4, 0, 1};
    const QList<int> backward{0, 4, 2, 1};
    // The robot-side text of page 1, clicked into to copy it.
    for (const char* focus : {"ButtonExit", "EditRcWModeR2"}) {
      QTest::addRow("Ctrl+Tab from %s", focus)
          << int(Qt::Key_Tab) << int(Qt::ControlModifier) << forward << focus;
      QTest::addRow("Ctrl+PgDn from %s", focus)
          << int(Qt::Key_PageDown) << int(Qt::ControlModifier) << forward << focus;
      QTest::addRow("Ctrl+Shift+Tab from %s", focus)
          << int(Qt::Key_Backtab) << int(Qt::ControlModifier | Qt::ShiftModifier) << backward
          << focus;
      QTest::addRow("Ctrl+PgUp from %s", focus)
          << int(Qt::Key_PageUp) << int(Qt::ControlModifier) << backward << focus;
    }
  }
  void tabKeysMoveBetweenVisibleTabs() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QList<int>, pages);
    QFETCH(QString, focus);
    wisetup::TForm1& form = window_->Form();
    // Tabs 1, 2, 3 and 5 shown, as for a welder with four registrations.
    for (int r = 0; r < 10; ++r) form.C(wisetup::TabOf(r)).Visible = r <= 2 || r == 4;
    form.C(Ctl::PageControlRejist).ActivePage = 1;
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* start = Find<QWidget>(qPrintable(focus));
    QTest::mouseClick(start, Qt::LeftButton);
    QTRY_VERIFY(start->hasFocus());
    for (const int page : pages) {
      QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key),
                      static_cast<Qt::KeyboardModifiers>(modifiers));
      QCOMPARE(Find<QTabWidget>("PageControlRejist")->currentIndex(), page);
      QCOMPARE(form.C(Ctl::PageControlRejist).ActivePage, page);
      // The arrow keys then pick a mode on the new tab.
      QCOMPARE(QApplication::focusWidget()->objectName(),
               QStringLiteral("ComboBoxWpsWModeR%1").arg(page + 1));
    }
  }

  void enterPressesTheFocusedButton_data() {
    QTest::addColumn<int>("control");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QuietPlatform platform(dir_.filePath("wisetup").toStdString());
    const wisetup::MainWindow window(platform);
    for (int i = 0; i < wisetup::kControlCount; ++i) {
      const wisetup::ControlInfo& info = wisetup::InfoOf(static_cast<Ctl>(i));
      if (info.action != wisetup::UserAction::Click || info.handler == nullptr) continue;
      if (window.findChild<QPushButton*>(NameOf(static_cast<Ctl>(i))) == nullptr) continue;
      QTest::addRow("%s Return", info.name.c_str()) << i << int(Qt::Key_Return) << 0;
      QTest::addRow("%s keypad Enter", info.name.c_str())
          << i << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
  }
  void enterPressesTheFocusedButton() {
    QFETCH(int, control);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    const Ctl c = static_cast<Ctl>(control);
    MakeUsable(window_->Form(), c);
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* button = Find<QPushButton>(qPrintable(NameOf(c)));
    button->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(button->hasFocus());
    QSignalSpy started(window_.get(), &wisetup::MainWindow::HandlerStarted);
    QTest::keyClick(button, static_cast<Qt::Key>(key),
                    static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(started.count(), 1);
    QCOMPARE(started.at(0).at(0).toInt(), control);
  }

  void tabGoesRoundEveryControl() {
    wisetup::TForm1& form = window_->Form();
    // As after a backup load: the lists of the top row can be used too.
    for (const Ctl c : {Ctl::ComboBoxWelderNo, Ctl::ComboBoxWpsWelder, Ctl::ComboBoxArea}) {
      MakeUsable(form, c);
    }
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    Find<QPushButton>("ButtonExit")->setFocus(Qt::TabFocusReason);
    QStringList visited;
    for (int press = 0; press < 40; ++press) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focused = QApplication::focusWidget();
      QVERIFY(focused != nullptr);
      visited << focused->objectName();
    }
    // The chain goes round through every control that can be changed and every text to read.
    for (const char* stop :
         {"ComboBoxWelderNo", "EditRcWelder", "ComboBoxWpsWelder", "ComboBoxArea", "EditRcWModeR1",
          "ComboBoxWpsWModeR1", "EditBackupFolder", "ButtonBackupFolder", "EditConfigFolder",
          "ButtonSaveFolder", "ButtonMakeConfig", "ButtonExit"}) {
      QVERIFY2(visited.contains(QString::fromLatin1(stop)), stop);
    }
    // A click still gives a field the focus, to select and copy its text.
    for (const char* field :
         {"EditRcWelder", "EditRcWModeR1", "EditBackupFolder", "EditConfigFolder"}) {
      auto* edit = Find<QLineEdit>(field);
      QVERIFY(edit->isReadOnly());
      QTest::mouseClick(edit, Qt::LeftButton);
      QTRY_VERIFY2(edit->hasFocus(), field);
    }
  }

  void placementIsFittedIntoTheScreen_data() {
    QTest::addColumn<QRect>("saved");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QTest::newRow("larger than the screen")
        << QRect(screen.x(), screen.y(), screen.width() * 2, screen.height() * 3);
    QTest::newRow("right of the screen") << QRect(screen.right() + 400, screen.y() + 10, 860, 440);
    QTest::newRow("above and left of the screen") << QRect(-3000, -2000, 860, 440);
    QTest::newRow("from a scale factor twice as large")
        << QRect(screen.width() - 100, screen.height() - 50, screen.width(), screen.height());
  }
  void placementIsFittedIntoTheScreen() {
    QFETCH(QRect, saved);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window_->Form().Placement = {saved.x(), saved.y(), saved.width(), saved.height(), false};
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    auto where = [this, &screen] {
      const QRect f = window_->frameGeometry();
      return QStringLiteral("frame %1,%2 %3x%4 on %5x%6")
          .arg(f.x())
          .arg(f.y())
          .arg(f.width())
          .arg(f.height())
          .arg(screen.width())
          .arg(screen.height());
    };
    QTRY_VERIFY2(screen.contains(window_->frameGeometry()), qPrintable(where()));
    // What is kept at exit is the fitted placement.
    const wisetup::WindowPlacement& kept = window_->Form().Placement;
    QVERIFY(screen.contains(QRect(kept.Left, kept.Top, kept.Width, kept.Height)));
  }

  void fitIntoKeepsTheWindowOnTheScreen_data() {
    QTest::addColumn<QRect>("wanted");
    QTest::addColumn<QRect>("fitted");
    const QSize minimum(600, 350);
    QTest::newRow("inside stays") << QRect(100, 100, 860, 440) << QRect(100, 100, 860, 440);
    QTest::newRow("too large") << QRect(0, 0, 3000, 2000) << QRect(0, 30, 1280, 770);
    QTest::newRow("off to the right") << QRect(2000, 100, 860, 440) << QRect(420, 100, 860, 440);
    QTest::newRow("off above") << QRect(10, -500, 860, 440) << QRect(10, 30, 860, 440);
    QTest::newRow("below the minimum") << QRect(10, 40, 100, 80) << QRect(10, 40, 600, 350);
  }
  void fitIntoKeepsTheWindowOnTheScreen() {
    QFETCH(QRect, wanted);
    QFETCH(QRect, fitted);
    const QRect available(0, 30, 1280, 770);
    QCOMPARE(wisetup::FitInto(wanted, available, QSize(600, 350)), fitted);
  }

  void maximisedStateIsAppliedAndRecorded_data() {
    QTest::addColumn<bool>("shownFirst");
    QTest::newRow("placement before the window is shown") << false;
    // As at start-up: the window is shown, then FormShow reads the settings.
    QTest::newRow("settings read once the window is shown") << true;
  }
  void maximisedStateIsAppliedAndRecorded() {
    QFETCH(bool, shownFirst);
    wisetup::TForm1& form = window_->Form();
    if (shownFirst) {
      window_->show();
      QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    }
    const QRect remembered(40, 30, 700, 500);
    form.Placement = {remembered.x(), remembered.y(), remembered.width(), remembered.height(),
                      true};
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QTRY_VERIFY(window_->isMaximized());
    QVERIFY(window_->windowState() & Qt::WindowMaximized);
    QCOMPARE(window_->normalGeometry(), remembered);
    QVERIFY(form.Placement.Maximized);
    QCOMPARE(
        QRect(form.Placement.Left, form.Placement.Top, form.Placement.Width, form.Placement.Height),
        remembered);
    window_->showNormal();
    QTRY_VERIFY(!window_->isMaximized());
    QTRY_COMPARE(window_->geometry(), remembered);
    QVERIFY(!form.Placement.Maximized);
    window_->showMaximized();
    QTRY_VERIFY(form.Placement.Maximized);
  }

  void qtDialogsSpeakTheActiveLanguage() {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QFile::exists(folder + QStringLiteral("/qtbase_ja.qm"))) {
      QSKIP("qtbase_ja.qm is not installed (Debian package qt6-translations-l10n)");
    }
    auto yesText = [] {
      QMessageBox box(QMessageBox::Question, QString(), QString(),
                      QMessageBox::Yes | QMessageBox::No);
      return box.button(QMessageBox::Yes)->text();
    };
    const QString english = QStringLiteral("&Yes");
    wisetup::TForm1& form = window_->Form();
    Find<QAction>("N5")->trigger();  // English
    QCOMPARE(form.LanguageIndex, 1);
    QCOMPARE(yesText(), english);
    Find<QAction>("N6")->trigger();  // Japanese
    QCOMPARE(form.LanguageIndex, 0);
    QVERIFY2(yesText() != english, qPrintable(yesText()));
    QVERIFY(QCoreApplication::translate("QFileDialog", "Look in:") != QStringLiteral("Look in:"));
    Find<QAction>("N5")->trigger();
    QCOMPARE(yesText(), english);
  }

  void openDialogListsTheSetupFileInEitherCase() {
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char* name : {"ZELSETUP.INI", "other.ini", "zelsetup.ini.bak"}) {
      QFile file(folder.filePath(QString::fromLatin1(name)));
      QVERIFY(file.open(QIODevice::WriteOnly));
    }
    QFileDialog dialog;
    wisetup::QtPlatform::PrepareOpenDialog(dialog, "セットアップファイル|ZelSetUp.ini");
    QCOMPARE(dialog.fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog.nameFilters(),
             QStringList{QString::fromUtf8("セットアップファイル (ZelSetUp.ini)")});
    dialog.setDirectory(folder.path());
    auto* model = dialog.findChild<QFileSystemModel*>();
    QVERIFY(model != nullptr);
    QSignalSpy loaded(model, &QFileSystemModel::directoryLoaded);
    dialog.show();
    QTRY_VERIFY(loaded.count() > 0);
    const QModelIndex root = model->index(folder.path());
    auto listed = [&] {
      QStringList names;
      for (int row = 0; row < model->rowCount(root); ++row) {
        const QModelIndex entry = model->index(row, 0, root);
        // Entries the filters reject are hidden, or shown disabled.
        if (model->flags(entry) & Qt::ItemIsEnabled) names << model->fileName(entry);
      }
      return names;
    };
    QTRY_COMPARE(listed(), QStringList{QStringLiteral("ZELSETUP.INI")});
    dialog.close();
  }

  void droppedFolderIsTakenLikeAChosenOne_data() {
    QTest::addColumn<int>("folders");
    QTest::addColumn<bool>("file");
    QTest::newRow("one folder") << 1 << false;
    QTest::newRow("two folders") << 2 << false;
    QTest::newRow("a file") << 0 << true;
  }
  void droppedFolderIsTakenLikeAChosenOne() {
    QFETCH(int, folders);
    QFETCH(bool, file);
    QList<QUrl> urls;
    for (int i = 0; i < folders; ++i) {
      const QString path = dir_.filePath(QStringLiteral("バックアップ %1").arg(i));
      QVERIFY(QDir().mkpath(path));
      urls << QUrl::fromLocalFile(path);
    }
    if (file) {
      QFile plain(dir_.filePath(QStringLiteral("plain.txt")));
      QVERIFY(plain.open(QIODevice::WriteOnly));
      urls << QUrl::fromLocalFile(plain.fileName());
    }
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = window_->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window_.get(), &drop);
    QVERIFY(drop.isAccepted());
    // The dropped folder is no backup, so the load stops with the model's message, as for N1;
    // several paths or a file are refused before anything is read.
    QTRY_COMPARE(platform_->messages.size(), std::size_t{1});
    QVERIFY(platform_->browsed.empty());
    const std::string refused =
        wisetup::ShellTextOf(wisetup::ShellText::DropRefused, window_->Form().LanguageIndex);
    QCOMPARE(platform_->messages.front() == refused, folders != 1 || file);
  }

  void dragOfNonLocalDataIsNotTaken() {
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.invalid/backup"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.setAccepted(false);
    QApplication::sendEvent(window_.get(), &enter);
    QVERIFY(!enter.isAccepted());
  }

  void registrationFontLinesUp() {
    if (!QFontDatabase::families().contains(QStringLiteral("IPAGothic"))) {
      QSKIP("IPAGothic is not installed");
    }
    const QFontMetrics metrics(Find<QLineEdit>("EditRcWModeR1")->font());
    const int letter = metrics.horizontalAdvance(QStringLiteral("A"));
    QCOMPARE(metrics.horizontalAdvance(QString::fromUtf8("ﾊ")), letter);
    QCOMPARE(metrics.horizontalAdvance(QString::fromUtf8("直")), 2 * letter);
  }

 private:
  template <typename T>
  T* Find(const char* name) {
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no control %s", name);
    return found;
  }

  QTemporaryDir dir_;
  std::unique_ptr<QuietPlatform> platform_;
  std::unique_ptr<wisetup::MainWindow> window_;
};

QTEST_MAIN(BindingTest)
#include "BindingTest.moc"
