// What assistive technology is told beyond Qt's own interfaces, and where the keyboard goes after a
// dialog.
#pragma once

#include <QPointer>
#include <QWidget>

class QFileDialog;

namespace wisetup {

// Installs, once, the interfaces Qt lacks: a list read by the name it was given (Qt's own reads
// a list by its current item) and a tab bar that exposes only the tabs shown, each focused only
// while the bar has the focus. Interfaces are made when first asked for, so this comes before the
// widgets are read.
void InstallAccessibility();

// Names the lists of a file or folder dialog, which Qt leaves without, in `language`.
void NameFileDialog(QFileDialog& dialog, int language);

// Gives the keyboard back when a modal box or dialog closes: its owner's window is made active
// again and the control that had the focus gets it back or, when that one has been hidden or
// disabled meanwhile, the next control that can take it.
class FocusReturn {
 public:
  explicit FocusReturn(QWidget* owner);
  ~FocusReturn();
  FocusReturn(const FocusReturn&) = delete;
  FocusReturn& operator=(const FocusReturn&) = delete;

 private:
  QPointer<QWidget> window_;
  QPointer<QWidget> focus_;
};

}  // namespace wisetup
