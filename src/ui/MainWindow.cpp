#include "ui/MainWindow.h"

#include <algorithm>

#include <QAbstractItemView>
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
#include <QKeyEvent>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace wisetup {

namespace {

constexpr std::size_t Index(Ctl c) {
  return static_cast<std::size_t>(c);
}

// Tighter than the style's own, so that the top row fits a 640 pixel wide screen.
constexpr QMargins kGroupMargins(6, 2, 6, 4);

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QStringList ListOf(const std::vector<std::string>& items) {
  QStringList list;
  list.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) list << Q(item);
  return list;
}

QStringList ItemsOf(const QComboBox& box) {
  QStringList list;
  for (int i = 0; i < box.count(); ++i) list << box.itemText(i);
  return list;
}

// Enabled and Visible where the control table says they apply. Only a change is passed on, so a
// widget inside a page that is not shown keeps its place in the stack.
void MirrorCommon(QWidget& widget, const ControlState& state, unsigned props) {
  if ((props & kEnabled) && widget.isEnabled() != state.Enabled) widget.setEnabled(state.Enabled);
  if ((props & kVisible) && widget.isHidden() == state.Visible) widget.setVisible(state.Visible);
}

void MirrorCombo(QComboBox& box, const ControlState& state, unsigned props) {
  if (props & kItems) {
    const QStringList items = ListOf(state.Items);
    if (ItemsOf(box) != items) {
      box.clear();
      box.addItems(items);
    }
  }
  if (props & kItemIndex) {
    // An index without an item (an area read from a file, say) shows nothing.
    const int index = state.ItemIndex >= 0 && state.ItemIndex < box.count() ? state.ItemIndex : -1;
    if (box.currentIndex() != index) box.setCurrentIndex(index);
  }
}

bool SameText(const QString& shown, const std::string& model) {
  return shown == Q(model);
}

void MirrorAction(QAction& action, const ControlState& state, unsigned props) {
  if ((props & kCaption) && !action.isSeparator()) action.setText(Q(state.Caption));
  if (props & kEnabled) action.setEnabled(state.Enabled);
  if (props & kVisible) action.setVisible(state.Visible);
  if (props & kChecked) action.setChecked(state.Checked);
}

// A submenu shows and hides, and is enabled, through the item that opens it.
void MirrorMenu(QMenu& menu, const ControlState& state, unsigned props) {
  QAction* action = menu.menuAction();
  if ((props & kCaption) && !SameText(menu.title(), state.Caption)) {
    menu.setTitle(Q(state.Caption));
  }
  if (props & kEnabled) action->setEnabled(state.Enabled);
  if (props & kVisible) action->setVisible(state.Visible);
}

void MirrorWidget(QWidget& widget, const ControlState& state, unsigned props) {
  const bool caption = props & kCaption;
  if (auto* box = qobject_cast<QComboBox*>(&widget)) {
    MirrorCombo(*box, state, props);
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    if ((props & kText) && !SameText(edit->text(), state.Text)) edit->setText(Q(state.Text));
  } else if (auto* check = qobject_cast<QCheckBox*>(&widget)) {
    if (caption && !SameText(check->text(), state.Caption)) check->setText(Q(state.Caption));
    if ((props & kChecked) && check->isChecked() != state.Checked) check->setChecked(state.Checked);
  } else if (auto* button = qobject_cast<QPushButton*>(&widget)) {
    if (caption && !SameText(button->text(), state.Caption)) button->setText(Q(state.Caption));
  } else if (auto* label = qobject_cast<QLabel*>(&widget)) {
    if (caption && !SameText(label->text(), state.Caption)) label->setText(Q(state.Caption));
  } else if (auto* group = qobject_cast<QGroupBox*>(&widget)) {
    if (caption && !SameText(group->title(), state.Caption)) group->setTitle(Q(state.Caption));
  }
  MirrorCommon(widget, state, props);
}

bool SamePlacement(const WindowPlacement& a, const WindowPlacement& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height &&
         a.Maximized == b.Maximized;
}

// Keys that step a closed drop-down through its items, each step running the change handler.
bool StepsClosedList(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (key.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
      return true;
    default:
      return false;
  }
}

// A typed letter jumps a closed list to the next item starting with it.
bool SearchesClosedList(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key.text();
  return !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace();
}

// A field the user reads but cannot type into. Tab passes it by, so that the keyboard goes from
// one thing that can be changed to the next; a click still gives it the focus, to select and copy
// its text.
QLineEdit* NewReadOnlyField() {
  auto* edit = new QLineEdit;
  edit->setReadOnly(true);
  edit->setFocusPolicy(Qt::ClickFocus);
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
  Build();
  Wire();
  Mirror();
}

void MainWindow::Bind(Ctl c, QObject* object) {
  objects_[Index(c)] = object;
  object->setObjectName(Q(InfoOf(c).name));
  if (auto* box = qobject_cast<QComboBox*>(object)) GuardList(box);
  // Outside a dialog a push button takes only Space; Return and the keypad's Enter press the
  // focused button too, as users expect.
  if (auto* button = qobject_cast<QPushButton*>(object)) button->setAutoDefault(true);
}

void MainWindow::GuardList(QComboBox* box) {
  // A wheel turned on the way past a list must not change it: only a list that has the keyboard
  // focus takes the wheel, and the wheel does not give focus.
  box->setFocusPolicy(Qt::StrongFocus);
  box->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<QComboBox*>(watched);
  if (box == nullptr) return QMainWindow::eventFilter(watched, event);
  if (event->type() == QEvent::Wheel && !box->hasFocus()) {
    event->ignore();
    return true;
  }
  // Stepping the model or area list runs its handler for every item passed (clearing the chosen
  // modes, or stopping on an incompatible model); the open list lets the user look first.
  const bool opensInstead =
      box == Get<QComboBox>(Ctl::ComboBoxWpsWelder) || box == Get<QComboBox>(Ctl::ComboBoxArea);
  if (opensInstead && event->type() == QEvent::KeyPress && !box->view()->isVisible()) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    if (StepsClosedList(key)) {
      box->showPopup();
      return true;
    }
    if (SearchesClosedList(key)) {
      box->showPopup();
      // The letter then moves the highlight in the open list, where nothing runs until a pick.
      QKeyEvent copy(key.type(), key.key(), key.modifiers(), key.text());
      QApplication::sendEvent(box->view(), &copy);
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::StepTab(int step) {
  if (!tabs_->isEnabled() || !tabs_->isVisible() || tabs_->count() == 0) return;
  const int count = tabs_->count();
  int page = tabs_->currentIndex();
  for (int tries = 0; tries < count; ++tries) {
    page = ((page + step) % count + count) % count;
    if (tabs_->isTabVisible(page) && tabs_->isTabEnabled(page)) {
      tabs_->setCurrentIndex(page);
      // The tab's mode list is what a tab is chosen for; the arrow keys then pick in it.
      auto* modes = Get<QComboBox>(ComboBoxWpsWModeOf(page));
      if (modes->isEnabled()) modes->setFocus(Qt::ShortcutFocusReason);
      return;
    }
  }
}

void MainWindow::ApplyQtLanguage(int language) {
  if (language == qtLanguage_) return;
  qtLanguage_ = language;
  if (!qtJapaneseLoaded_) return;
  if (language == 0) {
    QCoreApplication::installTranslator(&qtJapanese_);
  } else {
    QCoreApplication::removeTranslator(&qtJapanese_);
  }
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
  WireTabKeys();
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

void MainWindow::WireTabKeys() {
  // The usual keys for the next and previous tab, wherever the focus is in the window.
  const QKeySequence next[] = {QKeySequence(Qt::CTRL | Qt::Key_Tab),
                               QKeySequence(Qt::CTRL | Qt::Key_PageDown)};
  const QKeySequence previous[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                   QKeySequence(Qt::CTRL | Qt::Key_PageUp)};
  for (const QKeySequence& keys : next) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] { StepTab(1); });
  }
  for (const QKeySequence& keys : previous) {
    connect(new QShortcut(keys, this), &QShortcut::activated, this, [this] { StepTab(-1); });
  }
}

void MainWindow::Start() {
  show();
  QTimer::singleShot(0, this, [this] { Act([this] { form_.FormShow(); }); });
}

void MainWindow::Act(const std::function<void()>& handler) {
  form_.RunHandler(handler);
  Mirror();
}

void MainWindow::Mirror() {
  for (int i = 0; i < kControlCount; ++i) MirrorControl(static_cast<Ctl>(i));
  // The active page last: hiding a tab may have moved it.
  const int page = form_.C(Ctl::PageControlRejist).ActivePage;
  if (page >= 0 && page < tabs_->count() && tabs_->currentIndex() != page) {
    const QSignalBlocker blocker(tabs_);
    tabs_->setCurrentIndex(page);
  }
  ApplyQtLanguage(form_.LanguageIndex);
  ApplyPlacement();
}

void MainWindow::MirrorControl(Ctl c) {
  QObject* object = objects_[Index(c)];
  if (object == nullptr) return;
  const ControlState& state = form_.C(c);
  const unsigned props = InfoOf(c).props;
  const QSignalBlocker blocker(object);

  if (c == Ctl::Form1) {
    if ((props & kCaption) && !SameText(windowTitle(), state.Caption)) {
      setWindowTitle(Q(state.Caption));
    }
  } else if (c == Ctl::RadioGroupRobotController) {
    MirrorRadioGroup(state);
  } else if (c == Ctl::StatusBar1) {
    if ((props & kText) && !SameText(statusText_->text(), state.Text)) {
      statusText_->setText(Q(state.Text));
    }
  } else if (InfoOf(c).parent == Ctl::PageControlRejist) {
    MirrorTab(tabs_->indexOf(Get<QWidget>(c)), state, props);
  } else if (auto* action = qobject_cast<QAction*>(object)) {
    MirrorAction(*action, state, props);
  } else if (auto* menu = qobject_cast<QMenu*>(object)) {
    MirrorMenu(*menu, state, props);
  } else if (auto* widget = qobject_cast<QWidget*>(object)) {
    MirrorWidget(*widget, state, props);
  }
}

void MainWindow::MirrorTab(int index, const ControlState& state, unsigned props) {
  // A page's own visibility belongs to the tab widget's stack; its tab is what shows or hides.
  if ((props & kCaption) && !SameText(tabs_->tabText(index), state.Caption)) {
    tabs_->setTabText(index, Q(state.Caption));
  }
  if ((props & kVisible) && tabs_->isTabVisible(index) != state.Visible) {
    tabs_->setTabVisible(index, state.Visible);
  }
  if ((props & kEnabled) && tabs_->isTabEnabled(index) != state.Enabled) {
    tabs_->setTabEnabled(index, state.Enabled);
  }
}

void MainWindow::MirrorRadioGroup(const ControlState& state) {
  const QSignalBlocker blockGroup(robotControllers_);
  QGroupBox& box = *robotControllerBox_;
  if (!SameText(box.title(), state.Caption)) box.setTitle(Q(state.Caption));
  QList<QAbstractButton*> buttons = robotControllers_->buttons();
  bool sameItems = buttons.size() == static_cast<qsizetype>(state.Items.size());
  for (qsizetype i = 0; sameItems && i < buttons.size(); ++i) {
    sameItems = SameText(buttons[i]->text(), state.Items[static_cast<std::size_t>(i)]);
  }
  if (!sameItems) {
    for (QAbstractButton* old : buttons) {
      robotControllers_->removeButton(old);
      delete old;
    }
    for (std::size_t i = 0; i < state.Items.size(); ++i) {
      auto* radio = new QRadioButton(Q(state.Items[i]), &box);
      robotControllers_->addButton(radio, static_cast<int>(i));
      box.layout()->addWidget(radio);
    }
  }
  QAbstractButton* chosen = robotControllers_->button(state.ItemIndex);
  if (chosen == nullptr) {
    // An exclusive group cannot uncheck its last button on its own.
    robotControllers_->setExclusive(false);
    for (QAbstractButton* b : robotControllers_->buttons()) {
      const QSignalBlocker blockButton(b);
      b->setChecked(false);
    }
    robotControllers_->setExclusive(true);
  } else if (!chosen->isChecked()) {
    const QSignalBlocker blockButton(chosen);
    chosen->setChecked(true);
  }
  MirrorCommon(box, state, InfoOf(Ctl::RadioGroupRobotController).props);
}

void MainWindow::ApplyPlacement() {
  // A copy: the model's placement is set anew from what is applied.
  const WindowPlacement wanted = form_.Placement;
  // Only a change made by the model moves the window; what the user did stays as it is.
  if (placed_ && SamePlacement(wanted, seen_)) return;
  placed_ = true;
  seen_ = wanted;
  const QRect rect(wanted.Left, wanted.Top, wanted.Width, wanted.Height);
  // A placement saved on another screen, or at another scale factor, may lie outside this one.
  const QScreen* screen = QGuiApplication::screenAt(rect.center());
  if (screen == nullptr) screen = QGuiApplication::screenAt(rect.topLeft());
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  QRect fitted = rect;
  if (screen != nullptr) {
    // The frame is known once the window has been shown; it must fit on the screen as well.
    const QRect inner = geometry();
    const QRect outer = frameGeometry();
    const QMargins frame =
        isVisible() ? QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                               outer.right() - inner.right(), outer.bottom() - inner.bottom())
                    : QMargins();
    fitted = FitInto(rect, screen->availableGeometry() - frame, minimumSizeHint());
  }
  // The normal geometry is set while not maximised, so that it is what a restore returns to. A
  // visible window reports the steps between as the user's own moves; they are not recorded.
  placing_ = true;
  if (isMaximized()) setWindowState(windowState() & ~Qt::WindowMaximized);
  setGeometry(fitted);
  if (wanted.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
  placing_ = false;
  form_.Placement =
      WindowPlacement{fitted.x(), fitted.y(), fitted.width(), fitted.height(), wanted.Maximized};
  seen_ = form_.Placement;
}

QRect MainWindow::FitInto(const QRect& wanted, const QRect& available, const QSize& minimum) {
  if (!available.isValid()) return wanted;
  const int width = std::min(std::max(wanted.width(), std::min(minimum.width(), available.width())),
                             available.width());
  const int height =
      std::min(std::max(wanted.height(), std::min(minimum.height(), available.height())),
               available.height());
  const int left = std::clamp(wanted.left(), available.left(), available.right() + 1 - width);
  const int top = std::clamp(wanted.top(), available.top(), available.bottom() + 1 - height);
  return QRect(left, top, width, height);
}

void MainWindow::RecordPlacement() {
  if (!placed_ || placing_ || isMinimized()) return;
  if (isMaximized() || isFullScreen()) {
    // The normal geometry stays as it was, for the next start to restore to.
    form_.Placement.Maximized = true;
  } else {
    const QRect g = geometry();
    form_.Placement = WindowPlacement{g.x(), g.y(), g.width(), g.height(), false};
  }
  seen_ = form_.Placement;
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (framed_ || isMaximized() || isFullScreen()) return;
  // Only now is the frame known; the placement is fitted again with it.
  framed_ = true;
  placed_ = false;
  ApplyPlacement();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) RecordPlacement();
}

void MainWindow::moveEvent(QMoveEvent* event) {
  QMainWindow::moveEvent(event);
  RecordPlacement();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  RecordPlacement();
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
