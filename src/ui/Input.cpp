#include "ui/Input.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>

#include "ui/MainWindow.h"

namespace wisetup {

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

bool SearchesClosedList(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key.text();
  return !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace();
}

void AddTabKeys(QWidget& window, const std::function<void(int step)>& step) {
  const QKeySequence next[] = {QKeySequence(Qt::CTRL | Qt::Key_Tab),
                               QKeySequence(Qt::CTRL | Qt::Key_PageDown)};
  const QKeySequence previous[] = {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                   QKeySequence(Qt::CTRL | Qt::Key_PageUp)};
  for (const QKeySequence& keys : next) {
    QObject::connect(new QShortcut(keys, &window), &QShortcut::activated, &window,
                     [step] { step(1); });
  }
  for (const QKeySequence& keys : previous) {
    QObject::connect(new QShortcut(keys, &window), &QShortcut::activated, &window,
                     [step] { step(-1); });
  }
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

}  // namespace wisetup
