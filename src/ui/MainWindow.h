// The main window: Qt widgets bound to the window model TForm1. The model owns every control's
// state; the widgets only mirror it and hand the user's actions to its handlers.
#pragma once

#include <array>
#include <functional>

#include <QFont>
#include <QMainWindow>
#include <QTranslator>

#include "app/Controls.h"
#include "app/Mainunit.h"
#include "platform/Platform.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QTabWidget;

namespace wisetup {

class OverviewWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(Platform& platform, QWidget* parent = nullptr);

  TForm1& Form() { return form_; }
  const TForm1& Form() const { return form_; }

  // Shows the window, then runs FormShow from the event loop.
  void Start();

  // Copies every control record of the model into its widget. Widgets emit nothing meanwhile,
  // so no handler runs because of it.
  void Mirror();

  // The font of the registration texts: half-width katakana exactly half as wide as a kanji.
  static QFont RegistrationFont();

  // The overview window while the model has it open; nothing before it was first opened.
  OverviewWindow* OverviewView() const { return overview_; }

  // The registration tab `step` visible tabs after the current one, wrapping at either end.
  void StepTab(int step);

 signals:
  // A user action on `control` is about to run its handler from the control table.
  void HandlerStarted(int control);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  // Each field is tied to the label beside it, which names it and gives it the label's access key.
  void TieLabels();
  void BuildMenu();
  QWidget* BuildTopRow();
  QWidget* BuildRegistrations();
  QWidget* BuildFolders();
  QWidget* BuildPanel();
  void Wire();
  void WireControl(Ctl c);

  // Runs a handler as the event loop would and shows what it left behind.
  void Act(const std::function<void()>& handler);

  // Mirror.cpp: the model's state into the widgets, and its language into Qt's own texts.
  void MirrorControl(Ctl c);
  void MirrorTab(int index, const ControlState& state, unsigned props);
  void MirrorRadioGroup(const ControlState& state);
  void ApplyQtLanguage(int language);
  // The overview opened, refreshed or hidden as the model has it.
  void MirrorOverview();
  // The names assistive technology reads, in `language`.
  void NameControls(int language);

  // Placement.cpp: the window's placement from the model, and the user's moves back into it.
  void ApplyPlacement();
  void RecordPlacement();

  // Input.cpp: the wheel and the keys on a list.
  void GuardList(QComboBox* box);

  void Bind(Ctl c, QObject* object);
  template <typename T>
  T* Get(Ctl c) const {
    return static_cast<T*>(objects_[static_cast<std::size_t>(c)]);
  }

  TForm1 form_;
  std::array<QObject*, kControlCount> objects_{};
  QButtonGroup* robotControllers_ = nullptr;
  QGroupBox* robotControllerBox_ = nullptr;
  QLabel* statusText_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  OverviewWindow* overview_ = nullptr;
  // The placement as the model last saw it: applied from the model, or recorded from the user.
  WindowPlacement seen_;
  bool placed_ = false;
  bool framed_ = false;   // shown once, so the frame's size is known
  bool placing_ = false;  // ApplyPlacement is moving the window
  // Qt's own texts (standard buttons, file dialogs) in Japanese; installed while it is active.
  QTranslator qtJapanese_;
  bool qtJapaneseLoaded_ = false;
  int qtLanguage_ = -1;
  int namedLanguage_ = -1;
};

}  // namespace wisetup
