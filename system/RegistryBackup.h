// Saving registry findings as a .reg backup: the save dialog asks where, the export writes
// them there. The registry cleaner and the pages that remove software keys both use it.
#pragma once

#include "system/RegistryScan.h"

#include <windows.h>

#include <vector>

namespace regbackup {

enum class Outcome {
    Saved,
    Cancelled, // the user closed the dialog: nothing written
    Failed,    // not written, or a key could not be kept exactly; the user has been told
};

// Offers "Reg-Backup dd.mm.yyyy.reg" in the save dialog and writes the findings there.
// Keys holding names or texts outside the ANSI code page are named and nothing is written.
Outcome SaveAs(HWND owner, bool german, const std::vector<regscan::Finding>& findings);

} // namespace regbackup
