// Where the main window goes: a remembered placement fitted onto the screen that shows it.
#pragma once

#include <QRect>
#include <QSize>

namespace wisetup {

// `wanted` moved and shrunk into `available` (never larger, never outside); `minimum` is kept
// where the screen has room for it.
QRect FitInto(const QRect& wanted, const QRect& available, const QSize& minimum);

}  // namespace wisetup
