#include "system/SoftwareKeyRemoval.h"

#include "fileengines/Masks.h"
#include "common/CaseRule.h"
#include "common/Language.h"
#include "pageparts/MessageText.h"
#include "system/RegistryBackup.h"
#include "toolkit/Effects.h"

namespace software_keys {

namespace {

// The tops of the system's trees, upper-cased, once as they are and once below
// Wow6432Node, where 64-bit Windows keeps those of 32-bit programs. All of the system
// vendor's tree is one of them: what looks like a product there (Cryptography with the
// machine's ID, SystemCertificates with the root store, Ole, Rpc, COM3, WBEM,
// .NETFramework) is the system itself, and no program's uninstaller leaves it behind.
// Clients and ODBC look like vendors but are registrations that every program shares
// (the default browser and mail program, the database drivers and data sources): one
// program's "product" there (StartMenuInternet, ODBC.INI) holds the others' entries too.
const char* const systemTrees[] = {
    "SOFTWARE\\MICROSOFT",
    "SOFTWARE\\POLICIES",
    "SOFTWARE\\CLASSES",
    "SOFTWARE\\CLIENTS",
    "SOFTWARE\\ODBC",
    "SOFTWARE\\WOW6432NODE\\MICROSOFT",
    "SOFTWARE\\WOW6432NODE\\POLICIES",
    "SOFTWARE\\WOW6432NODE\\CLASSES",
    "SOFTWARE\\WOW6432NODE\\CLIENTS",
    "SOFTWARE\\WOW6432NODE\\ODBC",
};

// a is b, or lies below it.
bool AtOrBelow(const std::string& a, const std::string& b)
{
    return a.compare(0, b.size(), b) == 0 && (a.size() == b.size() || a[b.size()] == '\\');
}

} // namespace

bool IsSystemKey(const std::string& path)
{
    const std::string key = common::UpperCase(path);
    for (const char* tree : systemTrees)
        if (AtOrBelow(key, tree) || AtOrBelow(tree, key))
            return true;
    return false;
}

bool ConfirmRemoval(HWND owner, const std::vector<std::string>& keyTexts)
{
    std::vector<std::string> refused;
    std::vector<regscan::Finding> keys;
    for (const std::string& text : keyTexts) {
        if (IsSystemKey(SplitKeyText(text).path))
            refused.push_back(text);
        regscan::Finding finding;
        finding.keyText = text;
        finding.isKey = true;
        keys.push_back(finding);
    }
    if (!refused.empty()) {
        effects::ShowMessageBox(nullptr,
                                language::Text("Schlüssel unter Software\\Microsoft, Software\\Policies, "
                                               "Software\\Classes, Software\\Clients und Software\\ODBC (auch "
                                               "unter Wow6432Node) gehören zu Windows; diese Seite entfernt sie "
                                               "nicht:\n",
                                               "Keys under Software\\Microsoft, Software\\Policies, "
                                               "Software\\Classes, Software\\Clients and Software\\ODBC (also "
                                               "under Wow6432Node) belong to Windows; this page does not remove "
                                               "them:\n") +
                                    JoinLines(refused, 20),
                                "Tidewrack", MB_ICONSTOP | MB_OK | MB_SYSTEMMODAL);
        return false;
    }
    if (keyTexts.empty() ||
        effects::ShowMessageBox(nullptr,
                                language::Text(" Einträge entfernen ?", " Remove entries ?") + std::string("\n\n") +
                                    JoinLines(keyTexts, 20),
                                "Tidewrack", MB_ICONQUESTION | MB_YESNO | MB_SYSTEMMODAL) != IDYES)
        return false;
    switch (effects::ShowMessageBox(nullptr,
                                    language::Text("Vorher eine Sicherung dieser Schlüssel als .reg-Datei speichern?\n"
                                                   "Ein Doppelklick auf die Datei stellt sie wieder her.\n\n"
                                                   "Ja: sichern, dann entfernen\nNein: ohne Sicherung entfernen\n"
                                                   "Abbrechen: nichts entfernen",
                                                   "Save a backup of these keys as a .reg file first?\n"
                                                   "A double click on the file brings them back.\n\n"
                                                   "Yes: save, then remove\nNo: remove without a backup\n"
                                                   "Cancel: remove nothing"),
                                    "Tidewrack", MB_ICONQUESTION | MB_YESNOCANCEL | MB_SYSTEMMODAL)) {
    case IDYES:
        return regbackup::SaveAs(owner, language::German(), keys) == regbackup::Outcome::Saved;
    case IDNO:
        return true;
    default:
        return false;
    }
}

} // namespace software_keys
