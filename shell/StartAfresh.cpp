// Starting the program's own executable again, as the result windows do when they close:
// their scan ran in this process, and the user comes back to a fresh main window.
#include "shell/Unit1.h"

#include "common/Language.h"
#include "toolkit/Effects.h"

bool TForm1::StartAfresh(HWND owner)
{
    std::string program = ProgramDir + "\\Tidewrack.exe";
    if (effects::ShellOpen(owner, "open", program, "", "", SW_SHOW) > 32) {
        Close();
        return true;
    }
    // Without a new main window to come back to, this process keeps its own.
    effects::ShowMessageBox(
        owner,
        language::Text("Tidewrack konnte nicht neu gestartet werden:\n", "Tidewrack could not be started again:\n") +
            program,
        language::Text("Fehler", "Error"), MB_SYSTEMMODAL | MB_ICONEXCLAMATION | MB_OK);
    return false;
}
