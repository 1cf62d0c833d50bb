#include "ui/Accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHash>
#include <QLabel>
#include <QTabBar>

#include "app/AccessibleTexts.h"

namespace wisetup {
namespace {

QString StripAccessKey(QString text) {
  for (qsizetype at = text.indexOf(u'&'); at >= 0 && at < text.size();
       at = text.indexOf(u'&', at + 1)) {
    text.remove(at, 1);
  }
  return text;
}

class NamedList : public QAccessibleWidget {
 public:
  explicit NamedList(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && !Box()->accessibleName().isEmpty()) {
      return Box()->accessibleName();
    }
    if (t == QAccessible::Value) return Box()->currentText();
    // Else the label tied to it or the title of its group, as for any widget.
    const QString text = QAccessibleWidget::text(t);
    return t == QAccessible::Name && text.isEmpty() ? Box()->currentText() : text;
  }
  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(Box()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child != nullptr && child->object() == Box()->view() ? 0 : -1;
  }
  QStringList actionNames() const override {
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
  }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) {
      QAccessibleWidget::doAction(action);
    } else if (Box()->view()->isVisible()) {
      Box()->hidePopup();
    } else {
      Box()->showPopup();
    }
  }

 private:
  QComboBox* Box() const { return static_cast<QComboBox*>(widget()); }
};

class Tab : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  Tab(QTabBar* bar, int index) : bar_(bar), index_(index) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                : nullptr;
  }
  bool isValid() const override { return bar_ != nullptr && index_ < bar_->count(); }
  QObject* object() const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::PageTab; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const bool current = bar_->currentIndex() == index_;
    s.invisible = !bar_->isVisible() || !bar_->isTabVisible(index_);
    s.disabled = !bar_->isEnabled() || !bar_->isTabEnabled(index_);
    s.focusable = !s.disabled;
    s.selectable = true;
    s.selected = current;
    s.focused = current && bar_->hasFocus();
    return s;
  }
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect tab = bar_->tabRect(index_);
    return QRect(bar_->mapToGlobal(tab.topLeft()), tab.size());
  }
  QString text(QAccessible::Text t) const override {
    if (!isValid() || t != QAccessible::Name) return {};
    const QString name = bar_->accessibleTabName(index_);
    return name.isEmpty() ? StripAccessKey(bar_->tabText(index_)) : name;
  }
  void setText(QAccessible::Text, const QString&) override {}
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(bar_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& action) override {
    if (isValid() && action == pressAction()) bar_->setCurrentIndex(index_);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

  int Index() const { return index_; }

 private:
  QPointer<QTabBar> bar_;
  int index_;
};

// The tabs shown, in their order; a hidden tab is not there at all.
class ShownTabs : public QAccessibleWidget {
 public:
  explicit ShownTabs(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
  ~ShownTabs() override {
    for (const QAccessible::Id id : std::as_const(tabs_))
      QAccessible::deleteAccessibleInterface(id);
  }
  ShownTabs(const ShownTabs&) = delete;
  ShownTabs& operator=(const ShownTabs&) = delete;

  int childCount() const override {
    int shown = 0;
    for (int i = 0; i < Bar()->count(); ++i) shown += Bar()->isTabVisible(i) ? 1 : 0;
    return shown;
  }
  QAccessibleInterface* child(int position) const override {
    for (int i = 0; i < Bar()->count(); ++i) {
      if (!Bar()->isTabVisible(i)) continue;
      if (position-- == 0) return TabAt(i);
    }
    return nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child == nullptr || child->role() != QAccessible::PageTab || child->parent() != this) {
      return -1;
    }
    const int index = static_cast<const Tab*>(child)->Index();
    int position = 0;
    for (int i = 0; i < index; ++i) position += Bar()->isTabVisible(i) ? 1 : 0;
    return Bar()->isTabVisible(index) ? position : -1;
  }
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Bar()->accessibleName().isEmpty()) {
      return StripAccessKey(Bar()->tabText(Bar()->currentIndex()));
    }
    return QAccessibleWidget::text(t);
  }

 private:
  QTabBar* Bar() const { return static_cast<QTabBar*>(widget()); }
  QAccessibleInterface* TabAt(int index) const {
    if (const QAccessible::Id id = tabs_.value(index)) return QAccessible::accessibleInterface(id);
    auto* tab = new Tab(Bar(), index);
    tabs_.insert(index, QAccessible::registerAccessibleInterface(tab));
    return tab;
  }

  mutable QHash<int, QAccessible::Id> tabs_;
};

QAccessibleInterface* Interface(const QString& className, QObject* object) {
  if (className == QLatin1String("QComboBox")) {
    auto* box = qobject_cast<QComboBox*>(object);
    if (box != nullptr && !box->isEditable()) return new NamedList(box);
  } else if (className == QLatin1String("QTabBar")) {
    if (auto* bar = qobject_cast<QTabBar*>(object)) return new ShownTabs(bar);
  }
  return nullptr;
}

bool CanTakeFocus(const QWidget* widget) {
  return widget != nullptr && widget->isVisible() && widget->isEnabled() &&
         (widget->focusPolicy() & Qt::TabFocus);
}

}  // namespace

void NameFileDialog(QFileDialog& dialog, int language) {
  const QString places =
      QString::fromStdString(AccessibleTextOf(AccessibleText::DialogPlaces, language));
  const QString contents =
      QString::fromStdString(AccessibleTextOf(AccessibleText::DialogContents, language));
  // Qt's own labels stand beside its lists but are not tied to them.
  for (const auto& [label, list] :
       {std::pair{"lookInLabel", "lookInCombo"}, std::pair{"fileTypeLabel", "fileTypeCombo"}}) {
    auto* l = dialog.findChild<QLabel*>(QLatin1String(label));
    if (l != nullptr && l->buddy() == nullptr) {
      l->setBuddy(dialog.findChild<QWidget*>(QLatin1String(list)));
    }
  }
  if (auto* sidebar = dialog.findChild<QWidget*>(QStringLiteral("sidebar"))) {
    sidebar->setAccessibleName(places);
  }
  for (const char* view : {"treeView", "listView"}) {
    if (auto* list = dialog.findChild<QWidget*>(QLatin1String(view))) {
      list->setAccessibleName(contents);
    }
  }
}

void InstallAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Interface);
    return true;
  }();
  (void)installed;
}

FocusReturn::FocusReturn(QWidget* owner) {
  if (owner == nullptr) return;
  window_ = owner->window();
  focus_ = window_->focusWidget();
}

FocusReturn::~FocusReturn() {
  if (window_ == nullptr || !window_->isVisible()) return;
  // Another dialog may have followed at once; it keeps the keyboard.
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != window_) return;
  window_->activateWindow();
  QWidget* target = focus_;
  if (!CanTakeFocus(target)) {
    target = target != nullptr ? target : window_.data();
    for (QWidget* next = target->nextInFocusChain(); next != target && next != nullptr;
         next = next->nextInFocusChain()) {
      if (CanTakeFocus(next) && next->window() == window_) {
        target = next;
        break;
      }
    }
  }
  if (target != nullptr && CanTakeFocus(target)) target->setFocus(Qt::OtherFocusReason);
}

}  // namespace wisetup
