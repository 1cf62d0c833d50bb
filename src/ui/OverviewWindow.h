// The overview: every registration of the robot that has a table, welder by welder, with its choice
// and its state, in a window of its own beside the main window. It shows what the model computes
// and changes nothing; choosing a row asks the main window to show that registration.
#pragma once

#include <utility>

#include <QMargins>
#include <QRect>
#include <QStringList>
#include <QWidget>

#include "app/Overview.h"

class QLabel;
class QPushButton;
class QTreeWidget;

namespace wisetup {

class OverviewWindow : public QWidget {
  Q_OBJECT

 public:
  explicit OverviewWindow(QWidget* parent);

  // Shows `overview` in `language`; the row that had the keyboard keeps it where it still exists.
  void Show(const Overview& overview, int language, bool reference);

  // Sizes the window for its rows and puts it to the right of the main window, inside the screen.
  void PlaceBeside(const QRect& mainFrame, const QMargins& frame);

  QTreeWidget* Grid() const { return grid_; }
  QLabel* CountsLine() const { return counts_; }

 signals:
  // Double click or Enter on a registration's row.
  void RegistrationChosen(int welder, int registration);
  // The user closed the window.
  void ClosedByUser();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ApplyTexts(int language, bool reference);
  void Fill(const Overview& overview, int language);
  void ChooseCurrent();

  QLabel* counts_ = nullptr;
  QTreeWidget* grid_ = nullptr;
  QLabel* hint_ = nullptr;
  QPushButton* close_ = nullptr;
  // What is shown, so that an unchanged overview is not rebuilt.
  QStringList shown_;
};

}  // namespace wisetup
