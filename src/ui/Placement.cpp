#include "ui/Placement.h"

#include <algorithm>

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "ui/MainWindow.h"

namespace wisetup {
namespace {

bool SamePlacement(const WindowPlacement& a, const WindowPlacement& b) {
  return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height &&
         a.Maximized == b.Maximized;
}

}  // namespace

QRect FitInto(const QRect& wanted, const QRect& available, const QSize& minimum) {
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

void FitOnScreenWhenShown(QWidget& dialog) {
  // Queued: it runs in the dialog's own event loop, once the dialog has its size.
  QTimer::singleShot(0, &dialog, [&dialog] {
    const QScreen* screen = dialog.screen();
    if (screen == nullptr) return;
    const QRect outer = dialog.frameGeometry();
    const QRect inner = dialog.geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect fitted = FitInto(inner, screen->availableGeometry() - frame, QSize());
    if (fitted != inner) dialog.setGeometry(fitted);
  });
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

}  // namespace wisetup
