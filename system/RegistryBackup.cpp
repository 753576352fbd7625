#include "system/RegistryBackup.h"

#include "system/RegistryExport.h"
#include "toolkit/Effects.h"

#include <commdlg.h>

#include <cstdio>
#include <string>

namespace regbackup {

Outcome SaveAs(HWND owner, bool german, const std::vector<regscan::Finding>& findings)
{
    const SYSTEMTIME today = effects::Now();
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s %02u.%02u %04u", german ? "Reg-Sicherung" : "Reg-Backup", today.wDay,
                  today.wMonth, today.wYear);
    std::string filter = german ? "Registrierungsdateien (*.reg)|*.REG" : "Registry files (*.reg)|*.REG";
    for (char& c : filter)
        if (c == '|')
            c = '\0';
    filter += std::string(2, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = "reg";
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!effects::ShowFileDialog(dialog, true))
        return Outcome::Cancelled;
    if (regexport::WriteFile(name, regexport::ExportText(findings)))
        return Outcome::Saved;
    effects::ShowMessageBox(owner,
                            std::string(german ? "Die Datei konnte nicht geschrieben werden:\n"
                                               : "The file could not be written:\n") +
                                name,
                            "Tidewrack", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
    return Outcome::Failed;
}

} // namespace regbackup
