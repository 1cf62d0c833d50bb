// The windows as assistive technology reads them and as the keyboard alone drives them: every
// control and read-only text has a name in the active language, Tab reaches what must be read,
// and the focus comes back after a dialog.
#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/AccessibleTexts.h"
#include "app/ChangeTexts.h"
#include "app/UiTexts.h"
#include "ui/DocumentDialog.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"

using wisetup::Ctl;

namespace {

// The real Qt dialogs, with the settings file in a folder of the test's own.
class TestPlatform : public wisetup::QtPlatform {
 public:
  explicit TestPlatform(std::string exe) : exe_(std::move(exe)) {}
  int UserDefaultLcid() override { return 1033; }
  std::string ExecutablePath() override { return exe_; }
  void ExitProcess(int) override {}

 private:
  std::string exe_;
};

bool Interactive(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::PageTabList:
    case QAccessible::MenuItem:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
      return true;
    default:
      return false;
  }
}

QString Describe(QAccessibleInterface* node) {
  const QObject* object = node->object();
  return QStringLiteral("%1 (role %2, %3)")
      .arg(object != nullptr ? object->objectName() : QString())
      .arg(int(node->role()))
      .arg(object != nullptr ? QString::fromLatin1(object->metaObject()->className())
                             : QStringLiteral("item"));
}

// A name says what a control is for: not nothing, not only marks ("..."), and not the value it
// holds (a list read as its current item).
bool SaysWhatItIs(QAccessibleInterface& node) {
  const QString name = node.text(QAccessible::Name).trimmed();
  const bool hasWord =
      std::any_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); });
  if (!hasWord) return false;
  return node.role() != QAccessible::ComboBox || name != node.text(QAccessible::Value).trimmed();
}

// Every control below `node` that assistive technology can reach and that has no name. What is
// hidden is left out, and so are the items of lists and tables, which are named by their text.
void CollectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth = 0) {
  if (node == nullptr || depth > 40) return;
  if (depth > 0 && node->state().invisible) return;
  if (Interactive(node->role()) && !SaysWhatItIs(*node)) unnamed << Describe(node);
  switch (node->role()) {
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::Table:
      return;
    default:
      break;
  }
  for (int i = 0; i < node->childCount(); ++i) CollectUnnamed(node->child(i), unnamed, depth + 1);
}

// Every top-level window there is: the main window, an open dialog, and the menus, which a
// screen reader walks before they open.
QStringList UnnamedInEveryWindow() {
  QStringList unnamed;
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (!window->isVisible() && qobject_cast<QMenu*>(window) == nullptr) continue;
    CollectUnnamed(QAccessible::queryAccessibleInterface(window), unnamed);
  }
  return unnamed;
}

QString NameOf(const QWidget* widget) {
  QAccessibleInterface* node = QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget));
  return node != nullptr ? node->text(QAccessible::Name) : QString();
}

// Runs `inside` once the next modal dialog is open, then closes it unless `inside` did.
void WhenModalOpens(const std::function<void(QWidget*)>& inside) {
  QTimer::singleShot(0, [inside] {
    QWidget* modal = nullptr;
    QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
    QTRY_VERIFY(modal->isActiveWindow());
    inside(modal);
    if (modal->isVisible()) modal->close();
  });
}

// Runs `act`, answering every message box it opens with its default button.
void AnsweringBoxes(const std::function<void()>& act) {
  QTimer closer;
  QObject::connect(&closer, &QTimer::timeout, [] {
    if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Return);
  });
  closer.start(20);
  act();
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QAccessible::setActive(true); }

  void init() {
    QVERIFY(dir_.isValid());
    platform_ = std::make_unique<TestPlatform>(dir_.filePath("wisetup").toStdString());
    window_ = std::make_unique<wisetup::MainWindow>(*platform_);
    platform_->SetOwner(window_.get());
    platform_->SetLanguage([this] { return window_->Form().LanguageIndex; });
  }
  void cleanup() {
    window_.reset();
    platform_.reset();
  }

  void everyControlHasAName_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("opens");  // the control whose dialog is open meanwhile, or none
    for (const char* language : {"N6", "N5"}) {
      QTest::addRow("%s main window", language) << language << QString();
      QTest::addRow("%s saving folder", language) << language << "ButtonSaveFolder";
      QTest::addRow("%s save selections", language) << language << "MenuSaveSelections";
      QTest::addRow("%s apply selections", language) << language << "MenuApplySelections";
      QTest::addRow("%s message", language) << language << "ButtonMakeConfig";
    }
  }
  void everyControlHasAName() {
    QFETCH(QString, language);
    QFETCH(QString, opens);
    ShowUsable(language);
    QStringList unnamed{QStringLiteral("not walked")};
    if (opens.isEmpty()) {
      unnamed = UnnamedInEveryWindow();
    } else {
      WhenModalOpens([&unnamed](QWidget*) { unnamed = UnnamedInEveryWindow(); });
      Open(opens);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));
  }

  void documentTextIsNamedAndWalkedByKeyboard() {
    const wisetup::DocumentView view = wisetup::DocumentViewOf(
        "変更内容の確認", "first line\nsecond line\nthird line\nlast line", "preview", {}, 1);
    wisetup::DocumentDialog dialog(view);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QStringList unnamed;
    CollectUnnamed(QAccessible::queryAccessibleInterface(&dialog), unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("; "))));

    auto* text = dialog.findChild<QPlainTextEdit*>(QStringLiteral("DocumentText"));
    QCOMPARE(NameOf(text), QString::fromStdString(view.title));
    text->setFocus();
    QTRY_VERIFY(text->hasFocus());
    auto line = [text] { return text->textCursor().blockNumber(); };
    QTest::keyClick(text, Qt::Key_Down);
    QCOMPARE(line(), 1);
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(line(), 3);
    QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(line(), 0);
    QTest::keyClick(text, Qt::Key_PageDown);
    QCOMPARE(line(), 3);
    QTest::keyClick(text, Qt::Key_Home, Qt::ControlModifier);
    QTest::keyClick(text, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(text->textCursor().selectedText(), QStringLiteral("first line"));
    QVERIFY(text->isReadOnly());
  }

  // The names in the language that is active, after a switch.
  void namesFollowTheLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    const struct {
      const char* control;
      const char* japanese;
      const char* english;
    } rows[] = {
        // A list, whose name Qt would otherwise take from its current item.
        {"ComboBoxWpsWModeR2", "溶接機側で使用する溶接モード 登録２",
         "Welding mode in WPS side, Register2"},
        {"ButtonBackupFolder", "バックアップフォルダを選択", "Choose the backup folder"},
        {"EditRcWelder", "ロボット制御装置側の溶接機", "Registered WPS of RC"},
    };
    for (const auto& row : rows) {
      QTest::addRow("%s Japanese", row.control)
          << "N6" << row.control << QString::fromUtf8(row.japanese);
      QTest::addRow("%s English", row.control) << "N5" << row.control << row.english;
    }
  }
  void namesFollowTheLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, control);
    QFETCH(QString, name);
    // From the other language, so that the name has to follow the switch.
    AnsweringBoxes(
        [&] { Find<QAction>(language == QStringLiteral("N5") ? "N6" : "N5")->trigger(); });
    ShowUsable(language);
    auto* widget = Find<QWidget>(qPrintable(control));
    QCOMPARE(NameOf(widget), name);
    // The captions stay as they are.
    QCOMPARE(Find<QPushButton>("ButtonSaveFolder")->text(), QStringLiteral("..."));
  }

  void tabReachesEveryControlInTheOrderOfTheWindow() {
    ShowUsable(QStringLiteral("N5"));
    Find<QPushButton>("ButtonExit")->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(Find<QPushButton>("ButtonExit")->hasFocus());
    QStringList visited;
    for (int press = 0; press < 17; ++press) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited << QApplication::focusWidget()->objectName();
    }
    const QStringList order{"ComboBoxWelderNo",   "EditRcWelder",       "CheckBoxUseRcWCD",
                            "ComboBoxWpsWelder",  "ComboBoxArea",       "qt_tabwidget_tabbar",
                            "EditRcWModeR1",      "ComboBoxWpsWModeR1", "EditBackupFolder",
                            "ButtonBackupFolder", "EditConfigFolder",   "ButtonSaveFolder",
                            "ButtonPreview",      "ButtonMakeConfig",   "ButtonExit"};
    QCOMPARE(visited.mid(0, order.size()), order);
    // A read-only text takes the focus and gives its text to the keyboard.
    auto* robotSide = Find<QLineEdit>("EditRcWModeR1");
    robotSide->setText(QStringLiteral("MAG DC"));
    robotSide->setFocus(Qt::TabFocusReason);
    QTest::keyClick(robotSide, Qt::Key_Home);
    QTest::keyClick(robotSide, Qt::Key_End, Qt::ShiftModifier);
    QCOMPARE(robotSide->selectedText(), QStringLiteral("MAG DC"));
    QVERIFY(robotSide->isReadOnly());
  }

  // A welder with two registrations: the other tabs are hidden and not there for a screen reader;
  // the current tab says it is focused only while the bar has the focus.
  void onlyTheTabsShownAreExposed() {
    ShowUsable(QStringLiteral("N5"));
    wisetup::TForm1& form = window_->Form();
    for (int r = 2; r < 10; ++r) form.C(wisetup::TabOf(r)).Visible = false;
    form.C(Ctl::PageControlRejist).ActivePage = 1;
    window_->Mirror();
    auto* bar = Find<QTabWidget>("PageControlRejist")->tabBar();
    QAccessibleInterface* tabs = QAccessible::queryAccessibleInterface(bar);
    QCOMPARE(tabs->childCount(), 2);
    auto focusedTabs = [tabs] {
      QStringList focused;
      for (int i = 0; i < tabs->childCount(); ++i) {
        QAccessibleInterface* tab = tabs->child(i);
        if (tabs->indexOfChild(tab) != i) focused << QStringLiteral("misplaced");
        if (tab->state().focused) focused << tab->text(QAccessible::Name);
      }
      return focused;
    };
    QCOMPARE(tabs->child(1)->text(QAccessible::Name), QStringLiteral("Register2"));
    QVERIFY(tabs->child(1)->state().selected);
    Find<QPushButton>("ButtonExit")->setFocus();
    QTRY_VERIFY(!bar->hasFocus());
    QCOMPARE(focusedTabs(), QStringList());
    bar->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(bar->hasFocus());
    QCOMPARE(focusedTabs(), QStringList{QStringLiteral("Register2")});
    // What is hidden is not reached by a walk either.
    QStringList unnamed;
    CollectUnnamed(QAccessible::queryAccessibleInterface(window_.get()), unnamed);
    QVERIFY(unnamed.isEmpty());
  }

  void focusComesBackAfterAFolderDialog_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("enter");
    for (const char* button : {"ButtonSaveFolder", "ButtonBackupFolder"}) {
      QTest::addRow("%s Enter", button) << button << true;
      QTest::addRow("%s Cancel", button) << button << false;
    }
  }
  void focusComesBackAfterAFolderDialog() {
    QFETCH(QString, button);
    QFETCH(bool, enter);
    ShowUsable(QStringLiteral("N5"));
    auto* opener = Find<QPushButton>(qPrintable(button));
    const QString folder = dir_.filePath(QStringLiteral("chosen"));
    QVERIFY(QDir().mkpath(folder));
    // A backup folder that is no backup answers with a message; Enter closes it too.
    QTimer answer;
    connect(&answer, &QTimer::timeout, [] {
      if (QWidget* box = QApplication::activeModalWidget()) QTest::keyClick(box, Qt::Key_Return);
    });
    WhenModalOpens([&](QWidget* modal) {
      auto* dialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(dialog != nullptr);
      if (!enter) {
        dialog->reject();
        return;
      }
      dialog->setDirectory(folder);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      answer.start(20);
    });
    opener->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(opener->hasFocus());
    QTest::keyClick(opener, Qt::Key_Return);
    QTRY_VERIFY(QApplication::activeModalWidget() == nullptr);
    QTRY_VERIFY(window_->isActiveWindow());
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(opener));
    if (enter && button == QStringLiteral("ButtonSaveFolder")) {
      QCOMPARE(QDir(Find<QLineEdit>("EditConfigFolder")->text()), QDir(folder));
    }
  }

  // A refusal that names what is missing leaves the keyboard on the control that supplies it.
  void focusGoesToWhatIsNeededNext() {
    ShowUsable(QStringLiteral("N5"));
    window_->Form().LoadedBackupFolder = dir_.path().toStdString();
    auto* create = Find<QPushButton>("ButtonMakeConfig");
    create->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(create->hasFocus());
    AnsweringBoxes([create] { QTest::keyClick(create, Qt::Key_Return); });
    QTRY_VERIFY(window_->isActiveWindow());
    QCOMPARE(QApplication::focusWidget(), Find<QWidget>("ButtonSaveFolder"));
  }

 private:
  // The window as after a backup load, in the language of `language` (the menu item N5 or N6).
  void ShowUsable(const QString& language) {
    // Without a backup the switch says the folder is wrong.
    AnsweringBoxes([&] { Find<QAction>(qPrintable(language))->trigger(); });
    wisetup::TForm1& form = window_->Form();
    for (const Ctl c : {Ctl::ComboBoxWelderNo, Ctl::ComboBoxWpsWelder, Ctl::ComboBoxArea,
                        Ctl::CheckBoxUseRcWCD, Ctl::PageControlRejist, wisetup::TabOf(0),
                        wisetup::ComboBoxWpsWModeOf(0), Ctl::GroupBoxWeldingMode}) {
      form.C(c).Enabled = true;
      form.C(c).Visible = true;
    }
    form.C(Ctl::PageControlRejist).ActivePage = 0;
    window_->Mirror();
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void Open(const QString& control) {
    QObject* object = window_->findChild<QObject*>(control);
    QVERIFY(object != nullptr);
    if (auto* action = qobject_cast<QAction*>(object)) {
      action->setEnabled(true);
      action->trigger();
    } else {
      QTest::mouseClick(qobject_cast<QPushButton*>(object), Qt::LeftButton);
    }
  }

  template <typename T>
  T* Find(const char* name) {
    T* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) qFatal("no control %s", name);
    return found;
  }

  QTemporaryDir dir_;
  std::unique_ptr<TestPlatform> platform_;
  std::unique_ptr<wisetup::MainWindow> window_;
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
