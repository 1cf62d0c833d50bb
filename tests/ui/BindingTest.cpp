// The Qt view against its window model: every control has its widget, the widgets show the
// model's state, mirroring runs no handler, and the user's actions reach the model.
#include <optional>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "app/UiTexts.h"
#include "ui/MainWindow.h"
#include "ui/QtPlatform.h"

using wisetup::Ctl;

namespace {

// Cancels every dialog and keeps every message it is asked to show.
class FakePlatform : public wisetup::Platform {
 public:
  explicit FakePlatform(std::string exe) : exe_(std::move(exe)) {}
  wisetup::MessageAnswer ShowMessage(wisetup::MessageKind, const std::string& text,
                                     const std::string&) override {
    messages.push_back(text);
    return wisetup::MessageAnswer::No;
  }
  void ShowApplicationError(const std::string& text) override { messages.push_back(text); }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::string> OpenFile(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  int UserDefaultLcid() override { return 1033; }
  std::string ExecutablePath() override { return exe_; }
  void ExitProcess(int code) override { exitCode = code; }

  std::vector<std::string> messages;
  std::optional<int> exitCode;

 private:
  std::string exe_;
};

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

}  // namespace

class BindingTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    QVERIFY(dir_.isValid());
    platform_ = std::make_unique<FakePlatform>(dir_.filePath("wisetup").toStdString());
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
    QCOMPARE(window_->windowTitle(), QString::fromStdString(wisetup::UiTextOf(0, 0)));
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
    QCOMPARE(window_->windowTitle(), QString::fromStdString(wisetup::UiTextOf(0, 1)));
    QVERIFY(Find<QAction>("N5")->isChecked());
    QVERIFY(!Find<QAction>("N6")->isChecked());
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

  void setupFileFilterIgnoresCase_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("listed");
    QTest::newRow("as written") << "ZelSetUp.Ini" << true;
    QTest::newRow("copied through FAT media") << "ZELSETUP.INI" << true;
    QTest::newRow("lower case") << "zelsetup.ini" << true;
    QTest::newRow("dot is no wildcard") << "ZelSetUpXIni" << false;
    QTest::newRow("another name") << "ZelSetUp.Ini.bak" << false;
  }
  void setupFileFilterIgnoresCase() {
    QFETCH(QString, file);
    QFETCH(bool, listed);
    const QStringList filters = wisetup::NameFiltersOf("セットアップファイル|ZelSetUp.Ini");
    QCOMPARE(filters.size(), 1);
    QVERIFY(filters[0].startsWith(QString::fromUtf8("セットアップファイル (")));
    const QString pattern = filters[0].section(u'(', 1).chopped(1);
    const QRegularExpression wildcard(QRegularExpression::wildcardToRegularExpression(pattern));
    QCOMPARE(wildcard.match(file).hasMatch(), listed);
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
  std::unique_ptr<FakePlatform> platform_;
  std::unique_ptr<wisetup::MainWindow> window_;
};

QTEST_MAIN(BindingTest)
#include "BindingTest.moc"
