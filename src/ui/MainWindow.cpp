#include "ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AccessibleTexts.h"
#include "ui/Accessibility.h"
#include "ui/Input.h"

namespace wisetup {

namespace {

constexpr std::size_t Index(Ctl c) {
  return static_cast<std::size_t>(c);
}

// Tighter than the style's own, so that the top row fits a 640 pixel wide screen.
constexpr QMargins kGroupMargins(6, 2, 6, 4);

// A field the user reads but cannot type into. Tab stops on it as on any control, so that what
// the engineer must read (the robot-side mode above all) is reached and selected by keyboard.
QLineEdit* NewReadOnlyField() {
  auto* edit = new QLineEdit;
  edit->setReadOnly(true);
  return edit;
}

// The local paths of a drag from a file manager; empty when it carries anything else.
std::vector<std::string> LocalPathsOf(const QMimeData* data) {
  std::vector<std::string> paths;
  if (data == nullptr || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls()) {
    if (!url.isLocalFile()) return {};
    paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
  }
  return paths;
}

bool LinesUp(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letter = metrics.horizontalAdvance(QStringLiteral("A"));
  return letter > 0 && metrics.horizontalAdvance(QString::fromUtf8("ﾊ")) == letter &&
         metrics.horizontalAdvance(QString::fromUtf8("直")) == 2 * letter;
}

}  // namespace

QFont MainWindow::RegistrationFont() {
  QFont font(QStringLiteral("IPAGothic"));
  const int size = QApplication::font().pointSize();
  // Rounding at one size can break the 1:2 ratio; a neighbouring size keeps it.
  for (const int delta : {0, 1, -1, 2}) {
    if (size > 0) font.setPointSize(size + delta);
    if (LinesUp(font)) return font;
  }
  return QFontDatabase::systemFont(QFontDatabase::FixedFont);
}

MainWindow::MainWindow(Platform& platform, QWidget* parent) : QMainWindow(parent), form_(platform) {
  qtJapaneseLoaded_ = qtJapanese_.load(QStringLiteral("qtbase_ja"),
                                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  setAcceptDrops(true);
  InstallAccessibility();
  Build();
  Wire();
  Mirror();
}

void MainWindow::Bind(Ctl c, QObject* object) {
  objects_[Index(c)] = object;
  object->setObjectName(QString::fromStdString(InfoOf(c).name));
  if (auto* box = qobject_cast<QComboBox*>(object)) GuardList(box);
  // Outside a dialog a push button takes only Space; Return and the keypad's Enter press the
  // focused button too, as users expect.
  if (auto* button = qobject_cast<QPushButton*>(object)) button->setAutoDefault(true);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalPathsOf(event->mimeData()).empty()) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths = LocalPathsOf(event->mimeData());
  if (paths.empty()) return;
  event->acceptProposedAction();
  // The file manager waits for the drop to end; the load and its messages come after it.
  QTimer::singleShot(0, this, [this, paths = std::move(paths)] {
    Act([this, &paths] { form_.DropFolders(paths); });
  });
}

void MainWindow::Build() {
  Bind(Ctl::Form1, this);
  BuildMenu();

  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(4);
  layout->addWidget(BuildTopRow());
  layout->addWidget(BuildRegistrations(), 1);
  layout->addWidget(BuildFolders());
  layout->addWidget(BuildPanel());
  setCentralWidget(central);

  QStatusBar* status = statusBar();
  Bind(Ctl::StatusBar1, status);
  statusText_ = new QLabel(status);
  status->addWidget(statusText_, 1);
  TieLabels();
}

void MainWindow::TieLabels() {
  for (int i = 0; i < kControlCount; ++i) {
    const Ctl c = static_cast<Ctl>(i);
    if (const Ctl label = LabelOf(c); label != Ctl::Count) {
      Get<QLabel>(label)->setBuddy(Get<QWidget>(c));
    }
  }
}

void MainWindow::BuildMenu() {
  QMenuBar* bar = menuBar();
  Bind(Ctl::MainMenu1, bar);
  QMenu* settings = bar->addMenu(QString());
  Bind(Ctl::MenuSettings, settings);
  Bind(Ctl::N1, settings->addAction(QString()));
  Bind(Ctl::N2, settings->addAction(QString()));
  Bind(Ctl::N3, settings->addAction(QString()));
  Bind(Ctl::MenuRestoreOriginals, settings->addAction(QString()));
  Bind(Ctl::MenuShowReport, settings->addAction(QString()));
  Bind(Ctl::MenuSaveSelections, settings->addAction(QString()));
  Bind(Ctl::MenuApplySelections, settings->addAction(QString()));
  Bind(Ctl::MenuCompare, settings->addAction(QString()));
  QAction* overview = settings->addAction(QString());
  overview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  Bind(Ctl::MenuOverview, overview);
  Bind(Ctl::N4, settings->addSeparator());
  QMenu* languages = settings->addMenu(QString());
  Bind(Ctl::L1, languages);
  for (const Ctl c : {Ctl::N5, Ctl::N6}) {
    QAction* action = languages->addAction(QString());
    action->setCheckable(true);
    Bind(c, action);
  }
  QMenu* help = bar->addMenu(QString());
  Bind(Ctl::MenuHelp, help);
  Bind(Ctl::MenuAbout, help->addAction(QString()));
}

QWidget* MainWindow::BuildTopRow() {
  auto* row = new QWidget;
  auto* grid = new QGridLayout(row);
  grid->setContentsMargins(0, 0, 0, 0);

  robotControllerBox_ = new QGroupBox;
  Bind(Ctl::RadioGroupRobotController, robotControllerBox_);
  // Stacked, the two models take the height of the check box row rather than width, which is
  // short on a small screen at a large scale factor.
  (new QVBoxLayout(robotControllerBox_))->setContentsMargins(kGroupMargins);
  robotControllers_ = new QButtonGroup(robotControllerBox_);
  grid->addWidget(robotControllerBox_, 0, 0, 2, 1, Qt::AlignTop);

  int column = 1;
  auto addGroup = [&](Ctl group, Ctl inner, QWidget* widget, int line = 0) {
    // Item texts change with the language; the list must follow their width.
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
      list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    auto* box = new QGroupBox;
    Bind(group, box);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->setContentsMargins(kGroupMargins);
    Bind(inner, widget);
    boxLayout->addWidget(widget);
    grid->addWidget(box, line, line == 0 ? column++ : column - 1);
    return box;
  };
  addGroup(Ctl::GroupBoxWelderNo, Ctl::ComboBoxWelderNo, new QComboBox);
  auto* rcWelder = NewReadOnlyField();
  // As wide as its group's title, which is wider than the longest kind name; a fixed width would
  // not fit a small screen at a large scale factor.
  rcWelder->setMinimumWidth(0);
  addGroup(Ctl::GroupBoxRcWelder, Ctl::EditRcWelder, rcWelder);
  auto* useRc = new QCheckBox;
  // It comes and goes with the welder kind; the rows below must not jump with it.
  QSizePolicy keepPlace = useRc->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  useRc->setSizePolicy(keepPlace);
  Bind(Ctl::CheckBoxUseRcWCD, useRc);
  grid->addWidget(useRc, 1, column - 1);
  auto* models = new QComboBox;
  models->setMaxVisibleItems(10);
  addGroup(Ctl::GroupBoxWelder, Ctl::ComboBoxWpsWelder, models);
  // Below the model it belongs to: side by side the row is wider than a 640 pixel screen.
  addGroup(Ctl::GroupBoxArea, Ctl::ComboBoxArea, new QComboBox, 1);
  addGroup(Ctl::GroupBoxBaudrate, Ctl::ComboBoxBaudrate, new QComboBox);
  grid->setColumnStretch(column, 1);
  return row;
}

QWidget* MainWindow::BuildRegistrations() {
  auto* group = new QGroupBox;
  Bind(Ctl::GroupBoxWeldingMode, group);
  auto* groupLayout = new QVBoxLayout(group);
  tabs_ = new QTabWidget;
  Bind(Ctl::PageControlRejist, tabs_);
  // The bar's scroll arrows are for the mouse; the keyboard steps the tabs themselves.
  for (auto* arrow : tabs_->tabBar()->findChildren<QToolButton*>()) {
    arrow->setFocusPolicy(Qt::NoFocus);
  }
  groupLayout->addWidget(tabs_);

  const QFont fixed = RegistrationFont();
  for (int r = 0; r < kRegistrations; ++r) {
    auto* page = new QWidget;
    Bind(TabOf(r), page);
    auto* grid = new QGridLayout(page);
    auto* robotLabel = new QLabel;
    Bind(LabelRcWModeOf(r), robotLabel);
    auto* robotText = NewReadOnlyField();
    robotText->setFont(fixed);
    Bind(EditRcWModeOf(r), robotText);
    auto* modeLabel = new QLabel;
    Bind(LabelWModeOf(r), modeLabel);
    auto* modes = new QComboBox;
    modes->setFont(fixed);
    modes->setMaxVisibleItems(12);
    // Long catalogue texts must not widen the window; the field takes the width it is given.
    modes->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    modes->setMinimumContentsLength(24);
    Bind(ComboBoxWpsWModeOf(r), modes);
    grid->addWidget(robotLabel, 0, 0);
    grid->addWidget(robotText, 0, 1);
    grid->addWidget(modeLabel, 1, 0);
    grid->addWidget(modes, 1, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(2, 1);
    tabs_->addTab(page, QString());
  }
  return group;
}

QWidget* MainWindow::BuildFolders() {
  auto* box = new QWidget;
  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  auto addRow = [&](int row, Ctl label, Ctl edit, Ctl button) {
    auto* l = new QLabel;
    Bind(label, l);
    auto* e = NewReadOnlyField();
    Bind(edit, e);
    auto* b = new QPushButton;
    b->setFixedWidth(32);
    Bind(button, b);
    grid->addWidget(l, row, 0);
    grid->addWidget(e, row, 1);
    grid->addWidget(b, row, 2);
  };
  addRow(0, Ctl::LabelBackupFolder, Ctl::EditBackupFolder, Ctl::ButtonBackupFolder);
  addRow(1, Ctl::LabelConfigFlolder, Ctl::EditConfigFolder, Ctl::ButtonSaveFolder);
  grid->setColumnStretch(1, 1);
  return box;
}

QWidget* MainWindow::BuildPanel() {
  auto* panel = new QFrame;
  panel->setFrameShape(QFrame::StyledPanel);
  Bind(Ctl::Panel1, panel);
  auto* row = new QHBoxLayout(panel);
  row->setContentsMargins(6, 4, 6, 4);
  row->addStretch(1);
  for (const Ctl c : {Ctl::ButtonPreview, Ctl::ButtonMakeConfig, Ctl::ButtonExit}) {
    auto* button = new QPushButton;
    button->setMinimumWidth(110);
    Bind(c, button);
    row->addWidget(button);
  }
  return panel;
}

void MainWindow::Wire() {
  // Every control the user can act on reaches the handler the control table gives it; the
  // scenario driver reads the same table, so what the scenarios drive is what this window wires.
  for (int i = 0; i < kControlCount; ++i) WireControl(static_cast<Ctl>(i));
  // The model only keeps these choices; no handler runs for them.
  connect(robotControllers_, &QButtonGroup::idClicked, this, [this](int id) {
    form_.C(Ctl::RadioGroupRobotController).ItemIndex = id;
    Mirror();
  });
  connect(tabs_, &QTabWidget::currentChanged, this,
          [this](int page) { form_.C(Ctl::PageControlRejist).ActivePage = page; });
  AddTabKeys(*this, [this](int step) { StepTab(step); });
}

void MainWindow::WireControl(Ctl c) {
  const ControlInfo& info = InfoOf(c);
  const ControlHandler handler = info.handler;
  auto run = [this, c, handler] {
    if (handler) {
      emit HandlerStarted(static_cast<int>(c));
      Act([this, c, handler] { handler(form_, c); });
    } else {
      Mirror();
    }
  };
  switch (info.action) {
    case UserAction::None:
      break;
    case UserAction::Click:
      if (auto* action = qobject_cast<QAction*>(objects_[Index(c)])) {
        connect(action, &QAction::triggered, this, run);
      } else {
        connect(Get<QPushButton>(c), &QPushButton::clicked, this, run);
      }
      break;
    case UserAction::Pick:
      // activated, not currentIndexChanged: only the user's own pick runs a handler.
      connect(Get<QComboBox>(c), &QComboBox::activated, this, [this, c, run](int index) {
        form_.C(c).ItemIndex = index;
        run();
      });
      break;
    case UserAction::Toggle:
      connect(Get<QCheckBox>(c), &QCheckBox::clicked, this, [this, c, run](bool checked) {
        form_.C(c).Checked = checked;
        run();
      });
      break;
  }
}

void MainWindow::Start() {
  show();
  QTimer::singleShot(0, this, [this] { Act([this] { form_.FormShow(); }); });
}

void MainWindow::Act(const std::function<void()>& handler) {
  form_.FocusNext = Ctl::Count;
  form_.RunHandler(handler);
  Mirror();
  if (form_.FocusNext == Ctl::Count) return;
  auto* next = qobject_cast<QWidget*>(Get<QObject>(form_.FocusNext));
  form_.FocusNext = Ctl::Count;
  if (next != nullptr && next->isVisible() && next->isEnabled()) {
    next->setFocus(Qt::OtherFocusReason);
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // After the Exit button the process is ending and the settings are written already.
  if (!form_.Terminated && !form_.Closed) Act([this] { form_.FormClose(); });
  if (form_.Terminated || form_.Closed) {
    event->accept();
  } else {
    event->ignore();
  }
}

}  // namespace wisetup
