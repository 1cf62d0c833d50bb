// The keyboard and the wheel on the main window's lists and tabs: which keys would step a closed
// list through its items (each step running the list's handler), and the keys that change the tab.
#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

namespace wisetup {

// Keys that step a closed drop-down through its items, each step running the change handler.
bool StepsClosedList(const QKeyEvent& key);

// A typed letter jumps a closed list to the next item starting with it.
bool SearchesClosedList(const QKeyEvent& key);

// The usual keys for the next and previous tab call `step` with 1 or -1, wherever the focus is in
// `window`.
void AddTabKeys(QWidget& window, const std::function<void(int step)>& step);

}  // namespace wisetup
