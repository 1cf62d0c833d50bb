#include "ui/OverviewWindow.h"

#include <QBrush>
#include <QCloseEvent>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/OverviewTexts.h"
#include "ui/Placement.h"

namespace wisetup {
namespace {

constexpr int kWelderRole = Qt::UserRole;
constexpr int kRegistrationRole = Qt::UserRole + 1;
// The state right after the registration, so that a narrow screen scrolls the long texts away
// rather than it.
enum Column { kRegistrationColumn, kStateColumn, kTableColumn, kRobotColumn, kModeColumn };
constexpr int kColumns = 5;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// Light backgrounds under dark text; the state's words say the same, for those who cannot tell
// the colours apart.
QColor ColourOf(StateGroup group) {
  switch (group) {
    case StateGroup::Ready:
      return {0xd4, 0xee, 0xd4};
    case StateGroup::ToDo:
      return {0xff, 0xed, 0xb8};
    case StateGroup::Problem:
      return {0xf6, 0xc8, 0xc8};
  }
  return {};
}

TextRow RegisterRow(int registration) {
  return static_cast<TextRow>(static_cast<int>(TextRow::Register1) + registration);
}

}  // namespace

OverviewWindow::OverviewWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("Overview"));
  auto* layout = new QVBoxLayout(this);
  counts_ = new QLabel;
  counts_->setObjectName(QStringLiteral("OverviewCounts"));
  grid_ = new QTreeWidget;
  grid_->setObjectName(QStringLiteral("OverviewGrid"));
  grid_->setColumnCount(kColumns);
  grid_->setRootIsDecorated(false);
  grid_->setItemsExpandable(false);
  grid_->setUniformRowHeights(true);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->header()->setStretchLastSection(false);
  grid_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  grid_->installEventFilter(this);
  hint_ = new QLabel;
  hint_->setObjectName(QStringLiteral("OverviewHint"));
  hint_->setWordWrap(true);
  close_ = new QPushButton;
  close_->setObjectName(QStringLiteral("OverviewClose"));
  close_->setAutoDefault(true);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(hint_, 1);
  bottom->addWidget(close_);
  layout->addWidget(counts_);
  layout->addWidget(grid_, 1);
  layout->addLayout(bottom);
  setTabOrder(grid_, close_);
  connect(close_, &QPushButton::clicked, this, &QWidget::close);
  connect(grid_, &QTreeWidget::itemDoubleClicked, this, [this] { ChooseCurrent(); });
}

void OverviewWindow::PlaceBeside(const QRect& mainFrame, const QMargins& frame) {
  // Its own frame is known only once shown; the main window's stands in for it.
  const QRect available = screen()->availableGeometry().marginsRemoved(frame);
  // Wide enough for the texts of a registration, on whatever screen is there.
  const QSize wanted(grid_->header()->length() + 2 * grid_->frameWidth() + 40, mainFrame.height());
  const QRect right(mainFrame.topRight() + QPoint(1 + frame.left(), frame.top()), wanted);
  setGeometry(FitInto(right, available, minimumSizeHint()));
}

void OverviewWindow::Show(const Overview& overview, int language, bool reference) {
  ApplyTexts(language, reference);
  const OverviewCounts& n = overview.counts;
  std::string counts = OverviewTextOf(OverviewText::Counts, language);
  counts = FillIn(counts, "ready", std::to_string(n.ready));
  counts = FillIn(counts, "todo", std::to_string(n.todo));
  counts_->setText(Q(FillIn(counts, "problems", std::to_string(n.problems))));
  Fill(overview, language);
}

void OverviewWindow::ApplyTexts(int language, bool reference) {
  auto text = [language](OverviewText t) { return Q(OverviewTextOf(t, language)); };
  setWindowTitle(text(reference ? OverviewText::ReferenceTitle : OverviewText::WindowTitle));
  grid_->setHeaderLabels({text(OverviewText::ColumnRegistration), text(OverviewText::ColumnState),
                          text(OverviewText::ColumnTable),
                          Q(UiTextOf(TextRow::RobotWeldingMode, language)),
                          Q(UiTextOf(TextRow::WelderWeldingMode, language))});
  hint_->setText(text(OverviewText::Hint));
  close_->setText(text(OverviewText::Close));
  setAccessibleName(windowTitle());
  grid_->setAccessibleName(text(OverviewText::GridName));
  counts_->setAccessibleName(text(OverviewText::CountsName));
  hint_->setAccessibleName(text(OverviewText::HintName));
  close_->setAccessibleName(text(OverviewText::Close));
}

void OverviewWindow::Fill(const Overview& overview, int language) {
  QStringList lines;
  for (const OverviewWelder& w : overview.welders) lines << Q(w.heading);
  for (const OverviewRow& row : overview.rows) {
    lines << QStringLiteral("%1 %2 %3 %4").arg(row.welder).arg(row.registration).arg(row.table)
          << Q(row.robot) << Q(row.mode) << Q(StateTextOf(row.state, language));
  }
  if (lines == shown_) return;
  shown_ = lines;

  int welder = -1, registration = -1;
  if (const QTreeWidgetItem* current = grid_->currentItem()) {
    welder = current->data(0, kWelderRole).toInt();
    registration = current->data(0, kRegistrationRole).toInt();
  }
  grid_->clear();
  QTreeWidgetItem* keep = nullptr;
  for (const OverviewWelder& w : overview.welders) {
    auto* group = new QTreeWidgetItem(grid_, {Q(w.heading)});
    group->setFlags(Qt::ItemIsEnabled);
    group->setFirstColumnSpanned(true);
    group->setData(0, kWelderRole, w.welder);
    QFont bold = group->font(0);
    bold.setBold(true);
    group->setFont(0, bold);
    for (const OverviewRow& row : overview.rows) {
      if (row.welder != w.welder) continue;
      const QString table = row.table < 0 ? Q(OverviewTextOf(OverviewText::NoTable, language))
                                          : QString::number(row.table);
      auto* item = new QTreeWidgetItem(
          group, {Q(UiTextOf(RegisterRow(row.registration), language)),
                  Q(StateTextOf(row.state, language)), table, Q(row.robot), Q(row.mode)});
      item->setData(0, kWelderRole, row.welder);
      item->setData(0, kRegistrationRole, row.registration);
      item->setBackground(kStateColumn, QBrush(ColourOf(GroupOf(row.state))));
      item->setForeground(kStateColumn, QBrush(Qt::black));
      if (group->childCount() == 1) group->setData(0, kRegistrationRole, row.registration);
      if (row.welder == welder && row.registration == registration) keep = item;
    }
  }
  grid_->expandAll();
  if (keep == nullptr && grid_->topLevelItemCount() > 0 &&
      grid_->topLevelItem(0)->childCount() > 0) {
    keep = grid_->topLevelItem(0)->child(0);
  }
  if (keep != nullptr) grid_->setCurrentItem(keep);
}

void OverviewWindow::ChooseCurrent() {
  const QTreeWidgetItem* item = grid_->currentItem();
  // A welder's heading stands for its first registration.
  if (item == nullptr) return;
  emit RegistrationChosen(item->data(0, kWelderRole).toInt(),
                          item->data(0, kRegistrationRole).toInt());
}

bool OverviewWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ChooseCurrent();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void OverviewWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

void OverviewWindow::closeEvent(QCloseEvent* event) {
  emit ClosedByUser();
  QWidget::closeEvent(event);
}

}  // namespace wisetup
