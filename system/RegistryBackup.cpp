#include "system/RegistryBackup.h"

#include "common/Language.h"
#include "pageparts/MessageText.h"
#include "system/RegistryExport.h"
#include "system/RegistryRoots.h"
#include "common/RegistryValues.h"
#include "toolkit/Effects.h"
#include "toolkit/SaveDialog.h"

#include <cstdio>
#include <string>

namespace regbackup {

namespace {

// Key findings whose tree holds a name or text outside the ANSI code page: a REGEDIT4 file
// would keep look-alikes or question marks in their place and could not bring them back.
std::vector<std::string> KeysNotKeptExactly(const std::vector<regscan::Finding>& findings)
{
    std::vector<std::string> keys;
    for (const regscan::Finding& finding : findings) {
        if (!finding.isKey)
            continue;
        const KeyText text = SplitKeyText(finding.keyText);
        if (!text.root)
            continue;
        RegistryKey key(text.root->root, text.path);
        if (key && !regvalues::TreeReadsExactly(key.Get()))
            keys.push_back(finding.keyText);
    }
    return keys;
}

} // namespace

Outcome SaveAs(HWND owner, bool german, const std::vector<regscan::Finding>& findings)
{
    const std::vector<std::string> inexact = KeysNotKeptExactly(findings);
    if (!inexact.empty()) {
        effects::ShowMessageBox(
            owner,
            std::string(language::Text(german,
                                       "Diese Schlüssel enthalten Namen oder Texte, die eine .reg-Datei "
                                       "nicht genau sichern kann:\n",
                                       "These keys hold names or texts that a .reg file cannot keep "
                                       "exactly:\n")) +
                JoinLines(inexact, 20),
            "Tidewrack", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
        return Outcome::Failed;
    }
    const SYSTEMTIME today = effects::Now();
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%s %02u.%02u %04u", language::Text(german, "Reg-Sicherung", "Reg-Backup"),
                  today.wDay, today.wMonth, today.wYear);
    TSaveDialog dialog(nullptr);
    dialog.FileName = name;
    dialog.Filter = language::Text(german, "Registrierungsdateien (*.reg)|*.REG", "Registry files (*.reg)|*.REG");
    dialog.DefaultExt = "reg";
    dialog.Options = ofHideReadOnly | ofOverwritePrompt;
    if (!dialog.Execute())
        return Outcome::Cancelled;
    if (regexport::WriteFile(dialog.FileName, regexport::ExportText(findings)))
        return Outcome::Saved;
    effects::ShowMessageBox(owner,
                            std::string(language::Text(german, "Die Datei konnte nicht geschrieben werden:\n",
                                                       "The file could not be written:\n")) +
                                dialog.FileName,
                            "Tidewrack", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
    return Outcome::Failed;
}

} // namespace regbackup
