// Where the main window goes: a remembered placement fitted onto the screen that shows it.
#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace wisetup {

// `wanted` moved and shrunk into `available` (never larger, never outside); `minimum` is kept
// where the screen has room for it.
QRect FitInto(const QRect& wanted, const QRect& available, const QSize& minimum);

// Once `dialog` is shown, moves and shrinks it into the available area of its screen: at a large
// scale factor its own size could put its buttons off the screen.
void FitOnScreenWhenShown(QWidget& dialog);

}  // namespace wisetup
