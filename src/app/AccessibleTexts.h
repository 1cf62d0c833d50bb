// The names assistive technology reads for the controls of the main window and its dialogs, per
// control of the control table, in either language. A control whose caption already says what it is
// (a button with a word on it, a menu item, a check box) has no row and is read by its caption; the
// rest are named by the label or group title beside them, or by a name of their own where none
// stands.
#pragma once

#include <string>

#include "app/Controls.h"

namespace wisetup {

// The names of their own, beyond the captions of the text table.
enum class AccessibleText {
  ChooseBackupFolder,  // the "..." beside the backup folder
  ChooseSavingFolder,  // the "..." beside the saving folder
  RegistrationJoin,    // between a label and the registration it is on
  DialogPlaces,        // the places beside a file or folder dialog's list
  DialogContents,      // a file or folder dialog's list of what the folder holds
  Count
};

std::string AccessibleTextOf(AccessibleText text, int language);

// The name of `c` in `language`; empty for a control that its own caption names.
std::string AccessibleNameOf(Ctl c, int language);

// The label control that stands beside `c` and names it (the view ties it as its buddy), or
// Ctl::Count.
Ctl LabelOf(Ctl c);

}  // namespace wisetup
