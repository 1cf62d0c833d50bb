// MainWindow's mirroring: every control record of the model copied into its widget, touching only
// what differs, so that nothing flickers and no signal reaches a handler.
#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "app/AccessibleTexts.h"
#include "ui/MainWindow.h"
#include "ui/OverviewWindow.h"

namespace wisetup {
namespace {

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

}  // namespace

void MainWindow::Mirror() {
  for (int i = 0; i < kControlCount; ++i) MirrorControl(static_cast<Ctl>(i));
  // The active page last: hiding a tab may have moved it.
  const int page = form_.C(Ctl::PageControlRejist).ActivePage;
  if (page >= 0 && page < tabs_->count() && tabs_->currentIndex() != page) {
    const QSignalBlocker blocker(tabs_);
    tabs_->setCurrentIndex(page);
  }
  ApplyQtLanguage(form_.LanguageIndex);
  NameControls(form_.LanguageIndex);
  ApplyPlacement();
  MirrorOverview();
}

void MainWindow::MirrorOverview() {
  if (!form_.OverviewOpen) {
    if (overview_ != nullptr && overview_->isVisible()) overview_->hide();
    return;
  }
  if (overview_ == nullptr) {
    overview_ = new OverviewWindow(this);
    overview_->Grid()->setFont(RegistrationFont());
    connect(overview_, &OverviewWindow::RegistrationChosen, this, [this](int welder, int reg) {
      Act([this, welder, reg] { form_.GoToRegistration(welder, reg); });
    });
    connect(overview_, &OverviewWindow::ClosedByUser, this, [this] { form_.OverviewOpen = false; });
  }
  overview_->Show(form_.ComputeOverview(), form_.LanguageIndex, form_.ViewMode);
  if (!overview_->isVisible()) {
    const QRect outer = frameGeometry(), inner = geometry();
    overview_->PlaceBeside(
        outer, QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                        outer.right() - inner.right(), outer.bottom() - inner.bottom()));
    overview_->show();
    overview_->Grid()->setFocus();
  }
}

void MainWindow::MirrorControl(Ctl c) {
  QObject* object = Get<QObject>(c);
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

void MainWindow::NameControls(int language) {
  if (language == namedLanguage_) return;
  namedLanguage_ = language;
  for (int i = 0; i < kControlCount; ++i) {
    const Ctl c = static_cast<Ctl>(i);
    const std::string name = AccessibleNameOf(c, language);
    auto* widget = qobject_cast<QWidget*>(Get<QObject>(c));
    if (name.empty() || widget == nullptr) continue;
    widget->setAccessibleName(Q(name));
    // The tabs are chosen on the bar, which is what the keyboard reaches.
    if (auto* tabs = qobject_cast<QTabWidget*>(widget)) tabs->tabBar()->setAccessibleName(Q(name));
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

}  // namespace wisetup
